#pragma once
// Scope guards of a chart frame. Each switches a state for its scope and gives it back on every way
// out, so an event handler, tool or series that throws leaves no repaint switched off and no clip
// or canvas element open.
#include "chart/canvas/Canvas3D.h"
#include "chart/core/ZebPanel.h"

// Repaint requests are ignored for the scope; the flag the panel had comes back after.
class TAutoRepaintPause {
public:
    explicit TAutoRepaintPause(TCustomZebPanel& panel) : panel_(panel), saved_(panel.AutoRepaint())
    {
        panel_.SetAutoRepaint(false);
    }
    ~TAutoRepaintPause() { panel_.SetAutoRepaint(saved_); }
    TAutoRepaintPause(const TAutoRepaintPause&) = delete;
    TAutoRepaintPause& operator=(const TAutoRepaintPause&) = delete;

private:
    TCustomZebPanel& panel_;
    bool saved_;
};

// A named canvas element around the scope.
class TCanvasElementScope {
public:
    TCanvasElementScope(TCanvas3D& canvas, const String& name, TObject* owner = nullptr) : canvas_(canvas)
    {
        canvas_.BeginElement(name, owner, nullptr);
    }
    ~TCanvasElementScope() { canvas_.EndElement(); }
    TCanvasElementScope(const TCanvasElementScope&) = delete;
    TCanvasElementScope& operator=(const TCanvasElementScope&) = delete;

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
