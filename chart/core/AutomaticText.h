#pragma once
// Switches for automatic text handling, shared by series marks and axis labels: Move is the marks'
// overlap avoidance, Trim shortens axis labels that do not fit, Hide and Wrap are read by series
// that fit marks into areas; Resize and Rotate are stored only.
#include "chart/canvas/ZebPersistent.h"

class TAutomaticText : public TZebPersistent {
    TV_CLASS(TAutomaticText, TZebPersistent)
public:
    explicit TAutomaticText(TNotifyEvent onChange = {}) : TZebPersistent(std::move(onChange)) {}
    // The six switches.
    void Assign(TPersistent* source) override;

    bool Hide() const { return hide_; }
    void SetHide(bool value) { Change(hide_, value); }
    bool Move() const { return move_; }
    void SetMove(bool value) { Change(move_, value); }
    bool Resize() const { return resize_; }
    void SetResize(bool value) { Change(resize_, value); }
    bool Rotate() const { return rotate_; }
    void SetRotate(bool value) { Change(rotate_, value); }
    bool Trim() const { return trim_; }
    void SetTrim(bool value) { Change(trim_, value); }
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value) { Change(wrap_, value); }

private:
    bool hide_ = true, move_ = true, resize_ = true, rotate_ = true, trim_ = true, wrap_ = true;
};
