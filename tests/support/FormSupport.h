#pragma once
// Forms read from a stored description, and their controls by name and class.
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"

namespace testsupport {

// A form of class F read from text; F is registered first, as the text names its class.
template <class F>
TOwnedPtr<F> LoadForm(const String& text)
{
    RegisterClass(F::StaticClass());
    TOwnedPtr<F> form(new F(nullptr));
    form->InitFromText(text);
    return form;
}

// The control called name among root's components, as a T (std::bad_cast when it is not one).
template <class T>
T& Find(TComponent& root, const String& name)
{
    return dynamic_cast<T&>(testkit::FindControl(root, name));
}

}  // namespace testsupport
