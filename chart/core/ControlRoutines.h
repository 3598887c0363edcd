#pragma once
// Routines of the engine's forms and editor pages: translation of controls, freeing and enabling
// controls, registering control classes for streams.
#include <functional>
#include <initializer_list>

#include "platform/rtl/Types.h"

class TControl;
class TWinControl;
class TMetaClass;

// Translation of forms: LocalizeControl hands the control (and the controls to leave alone) to
// the hook when one is installed.
using TControlTranslationHook = std::function<void(TControl& control, std::initializer_list<TControl*> except)>;
extern TControlTranslationHook ControlTranslationHook;
void LocalizeControl(TControl& control);
void LocalizeControlExcept(TControl& control, std::initializer_list<TControl*> except);

// Frees the controls of a page one by one.
void FreeSheetControls(TWinControl& sheet);
// Enables or disables each control; null entries are skipped.
void SetControlsEnabled(bool enabled, std::initializer_list<TControl*> controls);

// Registers a class for streams inside the control class group.
void RegisterInControlGroup(const TMetaClass& cls);
