#pragma once
// What the panel uses of the window layer and the printer, in one place.
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"

class TControl;

namespace tvpanel {

// Rounded corners of size round (none for 0 or less) on the control's window.
void SetRoundRegion(TControl& control, int round);

// The printer's page in pixels and its pixel aspect (horizontal by vertical resolution); false
// when there is no usable printer.
bool PrinterPage(int& width, int& height, double& aspect);
// The same; the printer's exception passes.
void PrinterPageOrRaise(int& width, int& height, double& aspect);
TPoint ScreenSize();

}  // namespace tvpanel
