#include "chart/core/PanelEvents_p.h"

#include "chart/core/ZebPanel.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"

class TZebEventListeners {};

namespace tvpanel {

TZebEventListeners* NewListeners() { return new TZebEventListeners; }
void FreeListeners(TZebEventListeners* listeners) { delete listeners; }
int ListenerCount(const TZebEventListeners*) { return 0; }
void BroadcastView3D(TCustomZebPanel&) {}
void BroadcastMouseLeave(TCustomZebPanel&) {}
void ShowDrawReport(Exception&) {}
String ReadEditorText(const String&, const String& def) { return def; }
char LineBreak() { return '\r'; }
TPoint CursorClientPos(const TControl&) { return {}; }
void SetRoundRegion(TControl&, int) {}
bool PrinterPage(int&, int&, double&) { return false; }
void PrinterPageOrRaise(int& width, int& height, double& aspect) { width = 4800, height = 6600, aspect = 1; }
TPoint ScreenSize() { return {Screen->Width(), Screen->Height()}; }

}  // namespace tvpanel

void TCustomZebPanel::AddListener(IChartEventListener*) {}
void TCustomZebPanel::RemoveListener(IChartEventListener*) {}
TZebEvent* TCustomZebPanel::BroadcastEvent(TZebEvent* event) { return event; }
void TCustomZebPanel::BroadcastMouseEvent(int, TMouseButton, TShiftState, int, int) {}
