#pragma once
// Detaches a graphics object's change event for a scope: settings made inside do not call the
// owner back (recorded defaults, copies made while the owner selects the object).
#include "platform/graphics/GraphicsObjects.h"

class TChangeEventDetach {
public:
    explicit TChangeEventDetach(TGraphicsObject& object) : object_(object), saved_(object.OnChange())
    {
        object_.SetOnChange({});
    }
    ~TChangeEventDetach() { object_.SetOnChange(saved_); }
    TChangeEventDetach(const TChangeEventDetach&) = delete;
    TChangeEventDetach& operator=(const TChangeEventDetach&) = delete;

private:
    TGraphicsObject& object_;
    TNotifyEvent saved_;
};
