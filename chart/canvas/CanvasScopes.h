#pragma once
// Canvas states that a drawing step opens and must close again, also when the step throws.
#include "chart/canvas/Canvas3D.h"

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
