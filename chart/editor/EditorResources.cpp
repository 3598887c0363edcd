#include "chart/editor/EditorResources.h"

#include "platform/forms/Forms.h"

void TvRegisterResources_charteditor();

void RegisterEditorResources()
{
    static const bool registered = (TvRegisterResources_charteditor(), true);
    (void)registered;
}

void InitEditorForm(TCustomForm& form, const String& resourceName)
{
    RegisterEditorResources();
    RegisterStandardClasses();
    form.InitFromResource(resourceName);
}
