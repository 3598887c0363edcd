#pragma once
// What the panel uses of the window layer and the printer.
#include "platform/graphics/GraphicsTypes.h"

class TWinControl;

namespace tvpanel {

// Rounded corners of size round on the control's window; none for 0 or less.
void SetRoundRegion(TWinControl& control, int round);
// The printer's page in pixels and its pixel aspect (horizontal by vertical resolution); the
// printer's exception passes.
void PrinterPageOrRaise(int& width, int& height, double& aspect);
// The same; false when there is no usable printer.
bool PrinterPage(int& width, int& height, double& aspect);
TPoint ScreenSize();

}  // namespace tvpanel
