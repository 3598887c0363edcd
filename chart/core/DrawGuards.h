#pragma once
// Scope guards of chart drawing: "off meanwhile, restore after". Each gives its state back on every
// way out, so an event handler, tool or series that throws leaves no repaint switched off and no
// clip, blend or canvas element open.
#include "chart/canvas/Blend.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebCanvas.h"
#include "chart/core/ZebPanel.h"

// A transparent section from here to the end of the scope.
class TBlendSection {
public:
    TBlendSection(TZebCanvas& canvas, const TRect& rect, TZebTransparency transparency)
        : canvas_(canvas), blend_(canvas.StartBlend(rect, transparency))
    {
    }
    ~TBlendSection() { canvas_.FinishBlend(blend_); }
    TBlendSection(const TBlendSection&) = delete;
    TBlendSection& operator=(const TBlendSection&) = delete;

private:
    TZebCanvas& canvas_;
    TZebBlend* blend_;
};

// The panel's auto-repaint off meanwhile, restored after.
class TAutoRepaintOff {
public:
    explicit TAutoRepaintOff(TCustomZebPanel* panel) : panel_(panel), saved_(panel && panel->AutoRepaint())
    {
        if (panel_) panel_->SetAutoRepaint(false);
    }
    explicit TAutoRepaintOff(TCustomZebPanel& panel) : TAutoRepaintOff(&panel) {}
    ~TAutoRepaintOff()
    {
        if (panel_) panel_->SetAutoRepaint(saved_);
    }
    TAutoRepaintOff(const TAutoRepaintOff&) = delete;
    TAutoRepaintOff& operator=(const TAutoRepaintOff&) = delete;

private:
    TCustomZebPanel* panel_;
    bool saved_;
};

// The canvas drawing flat (unprojected) meanwhile.
class TFlatMode {
public:
    explicit TFlatMode(TCanvas3D& canvas) : canvas_(canvas) { canvas_.PushFlatMode(); }
    ~TFlatMode() { canvas_.PopFlatMode(); }
    TFlatMode(const TFlatMode&) = delete;
    TFlatMode& operator=(const TFlatMode&) = delete;

private:
    TCanvas3D& canvas_;
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

// The clip to the chart box (one pixel taller at top and bottom, over the whole 3-D depth), set
// only where the panel allows clipping; removed at the latest when the scope ends.
class TChartBoxClip {
public:
    explicit TChartBoxClip(TCustomZebPanel& panel) : panel_(panel) {}
    ~TChartBoxClip() { Remove(); }
    TChartBoxClip(const TChartBoxClip&) = delete;
    TChartBoxClip& operator=(const TChartBoxClip&) = delete;

    bool Active() const { return active_; }
    void Set()
    {
        if (active_ || !panel_.ClippingAllowed()) return;
        TRect box = panel_.ChartRect();
        --box.Top;
        ++box.Bottom;
        panel_.Canvas3D()->ClipToBox(box, 0, panel_.Depth3D());
        active_ = true;
    }
    void Remove()
    {
        if (!active_) return;
        active_ = false;
        panel_.Canvas3D()->RemoveClip();
    }

private:
    TCustomZebPanel& panel_;
    bool active_ = false;
};

// The canvas' default pen, brush and font at the end of a frame, also when the frame fails.
class TDrawingStateReset {
public:
    explicit TDrawingStateReset(TZebCanvas& canvas) : canvas_(canvas) {}
    ~TDrawingStateReset()
    {
        if (done_) return;
        try {
            canvas_.ResetDrawingState();
        } catch (...) {  // the frame's own failure is the one that goes on
        }
    }
    TDrawingStateReset(const TDrawingStateReset&) = delete;
    TDrawingStateReset& operator=(const TDrawingStateReset&) = delete;

    void Reset()
    {
        done_ = true;
        canvas_.ResetDrawingState();
    }

private:
    TZebCanvas& canvas_;
    bool done_ = false;
};

// A font's colour and style for a scope (a hovered mark's), without change notices; restored after.
class TFontKept {
public:
    explicit TFontKept(TZebFont& font) : font_(font), color_(font.Color()), style_(font.Style()) {}
    ~TFontKept()
    {
        const TChangeEventDetach quiet(font_);
        font_.SetColor(color_);
        font_.SetStyle(style_);
    }
    TFontKept(const TFontKept&) = delete;
    TFontKept& operator=(const TFontKept&) = delete;

    void Set(TColor color, TFontStyles style)
    {
        const TChangeEventDetach quiet(font_);
        font_.SetColor(color);
        font_.SetStyle(style);
    }

private:
    TZebFont& font_;
    TColor color_;
    TFontStyles style_;
};
