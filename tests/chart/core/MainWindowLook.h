#pragma once
// The main window's chart panel look without its chart, shared by the panel, canvas and axis
// pictures: 697 x 377, silver, flat, a gradient from black through navy to black from the bottom
// up, balanced at 74.
class TCustomZebPanelExtended;

void MainWindowLook(TCustomZebPanelExtended& panel);
