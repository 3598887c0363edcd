#include "chart/core/ControlRoutines.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Control.h"
#include "platform/forms/WinControl.h"

TControlTranslationHook ControlTranslationHook;

void LocalizeControl(TControl& control) { LocalizeControlExcept(control, {}); }

void LocalizeControlExcept(TControl& control, std::initializer_list<TControl*> except)
{
    if (ControlTranslationHook) ControlTranslationHook(control, except);
}

void FreeSheetControls(TWinControl& sheet)
{
    while (sheet.ControlCount() > 0) sheet.Controls(sheet.ControlCount() - 1)->Free();
}

void SetControlsEnabled(bool enabled, std::initializer_list<TControl*> controls)
{
    for (TControl* control : controls)
        if (control) control->SetEnabled(enabled);
}

void RegisterInControlGroup(const TMetaClass& cls)
{
    StartClassGroup(TControl::StaticClass());
    const TMetaClass* previous = ActivateClassGroup(TControl::StaticClass());
    GroupDescendentsWith(cls, TControl::StaticClass());
    RegisterClass(cls);
    if (previous) ActivateClassGroup(*previous);
}
