#pragma once
// Method references ("procedure of object"): an event holds the callable plus the object and
// published method name it was bound from, so component streams can write the handler's name and
// bind it again by name through the root's method table.
#include <functional>
#include <utility>

#include "platform/rtl/Types.h"

class TObject;

// Where a handler came from: the object whose method it is and the method's published name.
struct TMethod {
    TObject* Data = nullptr;
    String Name;
};

template <class Sig>
class TMethodEvent;

template <class R, class... A>
class TMethodEvent<R(A...)> {
public:
    using Signature = R(A...);

    TMethodEvent() = default;
    TMethodEvent(std::nullptr_t) {}
    // Bound to a member function; give the published name when the handler should be streamed.
    template <class C>
    TMethodEvent(C* object, R (C::*method)(A...), String name = {})
        : fn_([object, method](A... a) -> R { return (object->*method)(std::forward<A>(a)...); }),
          method_{object, std::move(name)}
    {
    }
    // Anonymous handler (lambda): runs, but is never written to a stream.
    template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F&, A...> &&
                                                !std::is_same_v<std::decay_t<F>, TMethodEvent>>>
    TMethodEvent(F fn) : fn_(std::move(fn))
    {
    }

    explicit operator bool() const { return static_cast<bool>(fn_); }
    bool Assigned() const { return static_cast<bool>(fn_); }
    R operator()(A... a) const { return fn_(std::forward<A>(a)...); }
    const TMethod& Method() const { return method_; }
    // Same object and same published method (anonymous handlers compare unequal).
    bool SameMethod(const TMethodEvent& other) const
    {
        return !method_.Name.empty() && method_.Data == other.method_.Data && method_.Name == other.method_.Name;
    }

private:
    std::function<R(A...)> fn_;
    TMethod method_;
};

using TNotifyEvent = TMethodEvent<void(TObject* Sender)>;
