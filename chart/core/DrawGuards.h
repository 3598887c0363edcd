#pragma once
// Scope guards of chart drawing: "off meanwhile, restore after".
#include "chart/canvas/Blend.h"
#include "chart/canvas/Canvas3D.h"
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

// A named canvas element, ended when the scope ends.
class TElementScope {
public:
    TElementScope(TCanvas3D& canvas, const String& name, TObject* owner, TZebTransform* transform = nullptr)
        : canvas_(canvas)
    {
        canvas_.BeginElement(name, owner, transform);
    }
    ~TElementScope() { canvas_.EndElement(); }
    TElementScope(const TElementScope&) = delete;
    TElementScope& operator=(const TElementScope&) = delete;

private:
    TCanvas3D& canvas_;
};

// A clip to a box from depth z0 to z1, removed when the scope ends.
class TBoxClipScope {
public:
    TBoxClipScope(TCanvas3D& canvas, const TRect& rect, int z0, int z1) : canvas_(canvas)
    {
        canvas_.ClipToBox(rect, z0, z1);
    }
    ~TBoxClipScope() { canvas_.RemoveClip(); }
    TBoxClipScope(const TBoxClipScope&) = delete;
    TBoxClipScope& operator=(const TBoxClipScope&) = delete;

private:
    TCanvas3D& canvas_;
};
