#pragma once
// What the panel uses of the engine's listeners, report dialog, routines and window layer, in one
// place.
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"

class Exception;
class TControl;
class TCustomZebPanel;
class TZebEventListeners;

namespace tvpanel {

TZebEventListeners* NewListeners();
void FreeListeners(TZebEventListeners* listeners);
int ListenerCount(const TZebEventListeners* listeners);
void BroadcastView3D(TCustomZebPanel& panel);
void BroadcastMouseLeave(TCustomZebPanel& panel);
// The exception report of a design-time draw failure.
void ShowDrawReport(Exception& e);
String ReadEditorText(const String& name, const String& def);
char LineBreak();
TPoint CursorClientPos(const TControl& control);
// Rounded corners of size round (none for 0 or less) on the control's window.
void SetRoundRegion(TControl& control, int round);

// The printer's page in pixels and its pixel aspect (horizontal by vertical resolution); false
// when there is no usable printer.
bool PrinterPage(int& width, int& height, double& aspect);
// The same; the printer's exception passes.
void PrinterPageOrRaise(int& width, int& height, double& aspect);
TPoint ScreenSize();

}  // namespace tvpanel
