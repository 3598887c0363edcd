#pragma once
// A flag raised for a scope and put back as it was: an editor's "the dialog sets its controls
// itself" guard, which its change handlers read.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag), old_(flag) { flag = true; }
    ~ScopedFlag() { flag_ = old_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool old_;
};
