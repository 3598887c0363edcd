#pragma once
// The fields of a form built from its stored description, found by their names once it is loaded.
#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"

// Sets field to form's component of that name; EComponentError when it is missing or of another
// class (a stored description that does not match its form). Forms call it from Loaded.
template <class T>
void FindFormComponent(TComponent& form, T*& field, const char* name)
{
    field = dynamic_cast<T*>(form.FindComponent(name));
    if (!field) throw EComponentError(String("Component ") + name + " missing from " + form.ClassName());
}
