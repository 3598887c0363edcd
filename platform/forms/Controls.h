#pragma once
// The control model: TControl (placed on a parent, windowless by itself), TWinControl (owns a host
// window and child controls), TGraphicControl (paints on its parent's surface) and TCustomControl
// (an owner-drawn windowed control), and their input. Owner (who frees) and Parent (where shown) are
// separate.
#include "platform/forms/Control.h"
#include "platform/forms/ControlInput.h"
#include "platform/forms/CustomControls.h"
#include "platform/forms/WinControl.h"

// Registers the class names of the control classes above for component streams.
void RegisterControlClasses();
