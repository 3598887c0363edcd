#pragma once
// The stored descriptions of the editor's forms, and the lookup of their components.
#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"

class TCustomForm;

// Reads the form's stored description (the resource named after its class).
void InitEditorForm(TCustomForm& form, const String& resourceName);

// Makes the editor's embedded descriptions and pictures available; once is enough.
void RegisterEditorResources();
