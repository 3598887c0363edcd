#include "chart/canvas/View3DOptions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/canvas/Geometry.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TView3DOptions)
{
    Prop("Elevation", &TView3DOptions::Elevation, &TView3DOptions::SetElevation, 345);
    Prop("FontZoom", &TView3DOptions::FontZoom, &TView3DOptions::SetFontZoom, 100);
    Prop("HorizOffset", &TView3DOptions::HorizOffset, &TView3DOptions::SetHorizOffset, 0);
    Prop("OrthoAngle", &TView3DOptions::OrthoAngle, &TView3DOptions::SetOrthoAngle, 45);
    Prop("Orthogonal", &TView3DOptions::Orthogonal, &TView3DOptions::SetOrthogonal, true);
    Prop("Perspective", &TView3DOptions::Perspective, &TView3DOptions::SetPerspective, 15);
    Prop("Rotation", &TView3DOptions::Rotation, &TView3DOptions::SetRotation, 345);
    Prop("Tilt", &TView3DOptions::Tilt, &TView3DOptions::SetTilt, 0);
    Prop("VertOffset", &TView3DOptions::VertOffset, &TView3DOptions::SetVertOffset, 0);
    Prop("Zoom", &TView3DOptions::Zoom, &TView3DOptions::SetZoom, 100);
    PropEnum("ZoomText", &TView3DOptions::ZoomText, &TView3DOptions::SetZoomText, ztManual, TCanvasZoomTextNames);
}

void TView3DOptions::Assign(TPersistent* source)
{
    auto* v = dynamic_cast<TView3DOptions*>(source);
    if (!v) return inherited::Assign(source);
    elevation_ = v->elevation_;
    fontZoom_ = v->fontZoom_;
    horizOffset_ = v->horizOffset_;
    vertOffset_ = v->vertOffset_;
    orthoAngle_ = v->orthoAngle_;
    orthogonal_ = v->orthogonal_;
    perspective_ = v->perspective_;
    rotation_ = v->rotation_;
    tilt_ = v->tilt_;
    zoom_ = v->zoom_;
    zoomText_ = v->zoomText_;
}

int TView3DOptions::Elevation() const { return RoundHalfEven(elevation_); }
int TView3DOptions::Rotation() const { return RoundHalfEven(rotation_); }
int TView3DOptions::Tilt() const { return RoundHalfEven(tilt_); }
int TView3DOptions::Zoom() const { return RoundHalfEven(zoom_); }
int TView3DOptions::HorizOffset() const { return RoundHalfEven(horizOffset_); }
int TView3DOptions::VertOffset() const { return RoundHalfEven(vertOffset_); }

void TView3DOptions::SetElevationFloat(double value) { Change(elevation_, value); }

void TView3DOptions::SetRotationFloat(double value) { Change(rotation_, value); }

void TView3DOptions::SetTiltFloat(double value) { Change(tilt_, value); }

void TView3DOptions::SetZoomFloat(double value)
{
    if (value == zoom_) return;
    // The hook runs before the store: it still sees the old zoom.
    if (ZoomChangedHook) ZoomChangedHook(RoundHalfEven(value));
    zoom_ = value;
    Changed();
}

void TView3DOptions::SetHorizOffsetFloat(double value)
{
    if (!AssignIfChanged(horizOffset_, value)) return;
    if (ScrolledHook) ScrolledHook(true);
    Changed();
}

void TView3DOptions::SetVertOffsetFloat(double value)
{
    if (!AssignIfChanged(vertOffset_, value)) return;
    if (ScrolledHook) ScrolledHook(false);
    Changed();
}

void TView3DOptions::SetPerspective(int value) { Change(perspective_, std::min(value, 100)); }

void TView3DOptions::SetFontZoom(int value) { Change(fontZoom_, value); }

void TView3DOptions::SetOrthoAngle(int value) { Change(orthoAngle_, value); }

void TView3DOptions::SetOrthogonal(bool value) { Change(orthogonal_, value); }

void TView3DOptions::SetZoomText(TCanvasZoomText value) { Change(zoomText_, value); }

bool TView3DOptions::IsRotatedToBack() const
{
    const int r = Rotation();
    return !orthogonal_ && r >= 91 && r <= 269;
}

double TView3DOptions::GetOrthoSlope() const
{
    if (!orthogonal_) return 1;
    int a = orthoAngle_;
    if (a > 90) a = 180 - a;
    return std::tan(a * std::numbers::pi / 180);
}
