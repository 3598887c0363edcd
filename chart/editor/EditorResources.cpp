#include "chart/editor/EditorResources.h"

#include "platform/forms/Forms.h"

void TvRegisterResources_charteditor();

void InitEditorForm(TCustomForm& form, const String& resourceName)
{
    static const bool registered = (TvRegisterResources_charteditor(), true);
    (void)registered;
    RegisterStandardClasses();
    form.InitFromResource(resourceName);
}
