#pragma once
// Drawing over the picture a chart's window shows, outside a paint pass (the zoom frame and the
// tools that follow the mouse with an inverting pen).
#include <functional>

#include "platform/graphics/GraphicsTypes.h"

class TCanvas3D;
class TCustomZebPanel;

// Draws into the off-screen buffer when there is one (the canvas as bound otherwise), puts the
// pen back to copy mode and shows only touched again. False, with nothing drawn, when the canvas
// cannot draw inverted or a pass runs: the caller repaints instead.
bool PaintOverBuffer(TCustomZebPanel& panel, const TRect& touched, const std::function<void(TCanvas3D&)>& draw);
