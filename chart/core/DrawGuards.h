#pragma once
// Scope guards of chart drawing: "off meanwhile, restore after".
#include "chart/canvas/Blend.h"
#include "chart/canvas/ZebCanvas.h"
#include "chart/core/ZebPanel.h"

// A transparent section from here to the end of the scope.
class BlendSection {
public:
    BlendSection(TZebCanvas& canvas, const TRect& rect, TZebTransparency transparency)
        : canvas_(canvas), blend_(canvas.StartBlend(rect, transparency))
    {
    }
    ~BlendSection() { canvas_.FinishBlend(blend_); }
    BlendSection(const BlendSection&) = delete;
    BlendSection& operator=(const BlendSection&) = delete;

private:
    TZebCanvas& canvas_;
    TZebBlend* blend_;
};

// The panel's auto-repaint off meanwhile, restored after.
class AutoRepaintOff {
public:
    explicit AutoRepaintOff(TCustomZebPanel* panel) : panel_(panel), saved_(panel && panel->AutoRepaint())
    {
        if (panel_) panel_->SetAutoRepaint(false);
    }
    ~AutoRepaintOff()
    {
        if (panel_) panel_->SetAutoRepaint(saved_);
    }
    AutoRepaintOff(const AutoRepaintOff&) = delete;
    AutoRepaintOff& operator=(const AutoRepaintOff&) = delete;

private:
    TCustomZebPanel* panel_;
    bool saved_;
};
