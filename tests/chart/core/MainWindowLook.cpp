#include "MainWindowLook.h"

#include "chart/canvas/Gradient.h"
#include "chart/core/ZebPanelExtended.h"

void MainWindowLook(TCustomZebPanelExtended& panel)
{
    panel.SetBounds(0, 0, 697, 377);
    panel.SetColor(clSilver);
    panel.SetView3D(false);
    TZebGradient& g = *panel.Gradient();
    g.SetDirection(gdBottomTop);
    g.SetStartColor(clBlack);
    g.SetMidColor(clNavy);
    g.SetEndColor(clBlack);
    g.SetBalance(74);
    g.SetVisible(true);
}
