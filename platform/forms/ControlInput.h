#pragma once
// Mouse and keyboard input: the shift state of input messages and now, and the mouse capture.
#include "platform/forms/Control.h"

// Shift state of a mouse message's key flags (WParam).
TShiftState KeysToShiftState(intptr keys);
// Shift state of a key message's key data (LParam: bit 29 is Alt, as the platform packs it).
TShiftState KeyDataToShiftState(intptr keyData);
// The modifier keys and mouse buttons held now.
TShiftState GetShiftState();

// Mouse capture: the control that gets every mouse message until released (nullptr: none).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
