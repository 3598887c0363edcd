#pragma once
// The stored descriptions of the editor's forms, and the lookup of their components.
#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"

class TCustomForm;

// Reads the form's stored description (the resource named after its class).
void InitEditorForm(TCustomForm& form, const String& resourceName);

// field := the component called name, which must be a T.
template <class T>
void FindEditorComponent(TComponent& root, T*& field, const char* name)
{
    field = dynamic_cast<T*>(root.FindComponent(name));
    if (!field) throw EComponentError(String("Component ") + name + " missing from " + root.Name());
}
