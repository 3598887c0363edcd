#pragma once
// Detaches a graphics object's change event for a scope: settings made inside do not call the
// owner back (recorded defaults, copies made while the owner selects the object).
#include <utility>

#include "platform/graphics/GraphicsObjects.h"

class TChangeEventDetach {
public:
    explicit TChangeEventDetach(TGraphicsObject& object) : object_(object), saved_(object.TakeOnChange()) {}
    ~TChangeEventDetach() { object_.SetOnChange(std::move(saved_)); }
    TChangeEventDetach(const TChangeEventDetach&) = delete;
    TChangeEventDetach& operator=(const TChangeEventDetach&) = delete;

private:
    TGraphicsObject& object_;
    TNotifyEvent saved_;
};
