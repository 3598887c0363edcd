#include "chart/core/PanelEvents_p.h"

#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"

namespace tvpanel {

void SetRoundRegion(TControl&, int) {}
bool PrinterPage(int&, int&, double&) { return false; }
void PrinterPageOrRaise(int& width, int& height, double& aspect) { width = 4800, height = 6600, aspect = 1; }
TPoint ScreenSize() { return {Screen->Width(), Screen->Height()}; }

}  // namespace tvpanel
