#pragma once
// Shared by the binary reader's and writer's files: the reader's private error kinds and the
// nesting guard.
#include <strings.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

namespace tv_filer {

inline bool sameText(const String& a, const String& b)
{
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

constexpr int kMaxDepth = 128;  // nesting of lists, collections and components

// A broken stream (short read, bad value type, runaway nesting): never handed to OnError,
// the position can not be trusted any more.
class EStreamCorrupt : public EReadError {
public:
    using EReadError::EReadError;
};

// Thrown after Error() agreed to skip; readProperty rewinds and skips the value.
struct SkipSignal {};

// A property error OnError has already declined: readProperty does not ask it again.
class EDeclinedError : public EReadError {
public:
    using EReadError::EReadError;
};

// Shared by every reader of the thread: a component stream nested in a binary property is read
// by a reader of its own, and hostile input could nest those without end.
inline thread_local int t_depth = 0;

class DepthGuard {
public:
    DepthGuard() : depth_(t_depth)
    {
        if (++depth_ > kMaxDepth) {
            --depth_;
            throw EStreamCorrupt("Stream nesting too deep");
        }
    }
    ~DepthGuard() { --depth_; }

private:
    int& depth_;
};

}  // namespace tv_filer
