#include "chart/core/PanelPlatform_p.h"

#include "platform/forms/Forms.h"
#include "platform/forms/Printers.h"
#include "platform/graphics/Region.h"

namespace tvpanel {

void SetRoundRegion(TWinControl& control, int round)
{
    if (round <= 0) {
        control.SetWindowRgn(nullptr);
        return;
    }
    const TRegion region = TRegion::FromRoundRect({0, 0, control.Width(), control.Height()}, round, round);
    control.SetWindowRgn(&region);
}

void PrinterPageOrRaise(int& width, int& height, double& aspect)
{
    TPrinter& printer = *Printer();
    width = printer.PageWidth();
    height = printer.PageHeight();
    const int yDpi = printer.YDpi();
    aspect = yDpi > 0 ? static_cast<double>(printer.XDpi()) / yDpi : 1.0;
}

bool PrinterPage(int& width, int& height, double& aspect)
{
    try {
        PrinterPageOrRaise(width, height, aspect);
        return true;
    } catch (EPrinter&) {
        return false;
    }
}

TPoint ScreenSize() { return {Screen->Width(), Screen->Height()}; }

}  // namespace tvpanel
