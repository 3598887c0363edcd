#pragma once
// The settings controls a picture filter asks the chart editor for. Each control edits one
// published property of the filter, read and written by name; after a change the builder calls the
// control's own callback (when given) and then the filter's change callback.
#include "platform/classes/MethodEvent.h"
#include "platform/rtl/Types.h"

class TScrollBar;

class IOptionBuilder {
public:
    virtual ~IOptionBuilder() = default;

    // A scroll bar labelled with the property's name. The result may be null (a builder that
    // makes no controls); a filter that re-ranges it checks.
    virtual TScrollBar* AddScrollBar(const String& propertyName, int minimum, int maximum) = 0;
    // A scroll bar whose range runs below zero (a change added to or taken from a channel).
    virtual void AddSignedScrollBar(const String& propertyName, int minimum, int maximum) = 0;
    // An integer edit with an up-down control; an empty caption shows the property's name.
    virtual void AddInteger(const String& propertyName, const String& caption, int maximum, int minimum) = 0;
    virtual void AddCheckBox(const String& propertyName, const String& caption, TNotifyEvent onClick = {}) = 0;
    virtual void AddColor(const String& propertyName, const String& caption) = 0;
    // The names of the property's enumeration values, "mdDown" shown as "Down".
    virtual void AddEnumList(const String& propertyName) = 0;
};
