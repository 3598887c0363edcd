#include "chart/core/ChartShapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/canvas/Corners.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Path.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/HitTests.h"
#include "chart/core/PanelZoom.h"
#include "chart/core/ZebPanelExtended.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Colors.h"

TV_PUBLISHED(TZebCustomShapeBrushPen) {}

TV_PUBLISHED(TShapeCallout)
{
    Prop("PointPosition", &TShapeCallout::PointPosition, &TShapeCallout::SetPointPosition, 50);
    Prop("Position", &TShapeCallout::Position, &TShapeCallout::SetPosition, 50);
    PropEnum("Side", &TShapeCallout::Side, &TShapeCallout::SetSide, csNone, TShapeCalloutSideNames);
    Prop("Size", &TShapeCallout::Size, &TShapeCallout::SetSize, 25);
    Prop("Width", &TShapeCallout::Width, &TShapeCallout::SetWidth, 20);
}

TV_PUBLISHED(TZebCustomShape) {}

TV_PUBLISHED(TZebShape)
{
    Prop("Angle", &TZebShape::Angle, &TZebShape::SetAngle, 0);
    PropEnum("Bevel", &TZebShape::Bevel, &TZebShape::SetBevel, bvNone, TBevelCutNames);
    Prop("BevelWidth", &TZebShape::BevelWidth, &TZebShape::SetBevelWidth, 2);
    Prop("Children", &TZebShape::Children, &TZebShape::SetChildren).Stored(&TZebShape::IsChildrenStored);
    PropEnum("ChildLayout", &TZebShape::ChildLayout, &TZebShape::SetChildLayout, slTopBottom, TZebShapeLayoutNames);
    PropColor("Color", &TZebShape::Color, &TZebShape::SetColor, clWhite);
    Prop("Corners", &TZebShape::Corners, &TZebShape::SetCorners).Stored(&TZebShape::HasCorners);
    Prop("Emboss", &TZebShape::Emboss, &TZebShape::SetEmboss).Stored(&TZebShape::HasEmboss);
    Prop("Font", &TZebShape::Font, &TZebShape::SetFont);
    Prop("Gradient", &TZebShape::Gradient, &TZebShape::SetGradient).Stored(false);
    Prop("Picture", &TZebShape::Picture, &TZebShape::SetPicture).Stored(&TZebShape::HasPicture);
    Prop("RoundSize", &TZebShape::RoundSize, &TZebShape::SetRoundSize, 16);
    Prop("Shadow", &TZebShape::Shadow, &TZebShape::SetShadow);
    Prop("ShapeCallout", &TZebShape::ShapeCallout, &TZebShape::SetShapeCallout).Stored(&TZebShape::HasShapeCallout);
    PropEnum("ShapeStyle", &TZebShape::ShapeStyle, &TZebShape::SetShapeStyle, fosRectangle,
             TChartObjectShapeStyleNames);
    Prop("Transparent", &TZebShape::Transparent, &TZebShape::SetTransparent)
        .NoDefault()
        .Stored(&TZebShape::IsTransparentStored);
    Prop("Visible", &TZebShape::Visible, &TZebShape::SetVisible).NoDefault().Stored(&TZebShape::IsVisibleStored);
}

TV_PUBLISHED(TZebShapeItem) { Prop("Shape", &TZebShapeItem::Shape, &TZebShapeItem::SetShape); }

TV_PUBLISHED(TZebShapes) {}

// ---- brush and pen ----

TZebCustomShapeBrushPen::TZebCustomShapeBrushPen()
{
    const TNotifyEvent changed(this, &TZebCustomShapeBrushPen::StyleChanged);
    brush_ = new TZebBrush(changed);
    pen_ = new TZebPen(changed);
}

TZebCustomShapeBrushPen::~TZebCustomShapeBrushPen()
{
    TObject::Free(brush_);
    TObject::Free(pen_);
}

void TZebCustomShapeBrushPen::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TZebCustomShapeBrushPen*>(source);
    if (!s) return inherited::Assign(source);
    brush_->Assign(s->brush_);
    pen_->Assign(s->pen_);
    visible_ = s->visible_;
}

void TZebCustomShapeBrushPen::SetBrush(TZebBrush* value) { brush_->Assign(value); }

void TZebCustomShapeBrushPen::SetPen(TZebPen* value) { pen_->Assign(value); }

void TZebCustomShapeBrushPen::SetVisible(bool value)
{
    if (panel_)
        panel_->ChangeBoolean(visible_, value);
    else
        visible_ = value;
}

void TZebCustomShapeBrushPen::InvalidateChart()
{
    if (panel_) panel_->Invalidate();
}

void TZebCustomShapeBrushPen::StyleChanged(TObject*) { InvalidateChart(); }

TZebTransform* TZebCustomShapeBrushPen::Transform()
{
    if (!transform_) transform_ = std::make_unique<TZebTransform>();
    return transform_.get();
}

// ---- callout ----

void TShapeCallout::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TShapeCallout*>(source);
    if (!s) return inherited::Assign(source);
    pointPosition_ = s->pointPosition_;
    position_ = s->position_;
    side_ = s->side_;
    size_ = s->size_;
    width_ = s->width_;
}

void TShapeCallout::changed()
{
    if (owner_) owner_->InvalidateChart();
}

void TShapeCallout::SetPointPosition(int value)
{
    if (AssignIfChanged(pointPosition_, value)) changed();
}

void TShapeCallout::SetPosition(int value)
{
    if (AssignIfChanged(position_, value)) changed();
}

void TShapeCallout::SetSide(TShapeCalloutSide value)
{
    if (AssignIfChanged(side_, value)) changed();
}

void TShapeCallout::SetSize(int value)
{
    if (AssignIfChanged(size_, value)) changed();
}

void TShapeCallout::SetWidth(int value)
{
    if (AssignIfChanged(width_, value)) changed();
}

TCalloutPointer CalloutPointer(const TRect& rect, int roundSize, const TShapeCallout& callout)
{
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    const bool horizontal = callout.Side() == csTop || callout.Side() == csBottom;
    const int length = horizontal ? r - l : b - t;
    const int across = horizontal ? b - t : r - l;
    const int offset = RoundHalfEven(length * callout.Position() * 0.01);
    const int g = RoundHalfEven(length * callout.Width() * 0.005);
    const int tip = RoundHalfEven(across * callout.Size() * 0.01);
    int e = 0;
    switch (callout.Side()) {
    case csTop: e = r - offset; break;
    case csBottom: e = l + offset; break;
    case csRight: e = b - offset; break;
    case csLeft: e = t + offset; break;
    case csNone: return {};
    }
    // The base stays on the side; the far end wins.
    if (horizontal) {
        if (e - g < l + roundSize) e = l + roundSize + g;
        if (e + g > r) e = r - g;
    } else {
        if (e - g < t) e = t + g;
        if (e + g > b) e = b - g;
    }
    switch (callout.Side()) {
    case csTop: return {{e - g, t}, {e, t - tip}, {e + g, t}};
    case csRight: return {{r, e - g}, {r + tip, e}, {r, e + g}};
    case csBottom: return {{e + g, b}, {e, b + tip}, {e - g, b}};
    default: return {{l, e + g}, {l - tip, e}, {l, e - g}};
    }
}

// ---- shape ----

TZebCustomShape::TZebCustomShape(TCustomZebPanel* panel)
{
    SetParentPanel(panel);
    autoSize_ = true;
    const TNotifyEvent changed(static_cast<TZebCustomShapeBrushPen*>(this), &TZebCustomShapeBrushPen::StyleChanged);
    shadow_ = new TZebShadow(changed);
    {
        const TNotifyEvent keep = shadow_->OnChange();
        shadow_->SetOnChange({});
        InitShadowDefaults(*shadow_);
        shadow_->SetOnChange(keep);
    }
    font_ = new TZebFont(changed);
    bevelWidth_ = 2;
    color_ = clWhite;
    roundSize_ = 16;
    children_ = new TZebShapes(this);
}

TZebCustomShape::~TZebCustomShape()
{
    TObject::Free(children_);
    TObject::Free(callout_);
    TObject::Free(corners_);
    TObject::Free(emboss_);
    TObject::Free(shadow_);
    TObject::Free(font_);
    TObject::Free(picture_);
}

void TZebCustomShape::InitShadowDefaults(TZebShadow& shadow) { shadow.InitDefaults(shadow.Visible(), clBlack, 3); }

void TZebCustomShape::InitEmbossDefaults(TZebEmboss& emboss) { emboss.InitDefaults(emboss.Visible(), clBlack, 3); }

void TZebCustomShape::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TZebCustomShape*>(source)) {
        alignment_ = s->alignment_;
        angle_ = s->angle_;
        autoSize_ = s->autoSize_;
        bevel_ = s->bevel_;
        bevelWidth_ = s->bevelWidth_;
        children_->Assign(s->children_);
        childLayout_ = s->childLayout_;
        color_ = s->color_;
        SetCorners(s->corners_);
        font_->Assign(s->font_);
        shapeStyle_ = s->shapeStyle_;
        if (s->picture_) Picture()->Assign(s->picture_);
        roundSize_ = s->roundSize_;
        SetEmboss(s->emboss_);
        shadow_->Assign(s->shadow_);
        SetShapeCallout(s->callout_);
        transparent_ = s->transparent_;
        transparency_ = s->transparency_;
    }
    TZebCustomShapeBrushPen::Assign(source);
}

void TZebCustomShape::SetParentPanel(TCustomZebPanel* panel)
{
    TZebCustomShapeBrushPen::SetParentPanel(panel);
    if (!children_) return;
    for (int i = 0; i < children_->Count(); ++i)
        if (TZebCustomShape* child = children_->Items(i)->Shape()) child->SetParentPanel(panel);
}

void TZebCustomShape::SetAlignment(TAlignment value)
{
    if (AssignIfChanged(alignment_, value)) InvalidateChart();
}

void TZebCustomShape::SetAngle(int value)
{
    if (AssignIfChanged(angle_, value)) InvalidateChart();
}

void TZebCustomShape::SetAutoSize(bool value)
{
    if (AssignIfChanged(autoSize_, value)) InvalidateChart();
}

void TZebCustomShape::SetBevel(TBevelCut value)
{
    if (AssignIfChanged(bevel_, value)) InvalidateChart();
}

void TZebCustomShape::SetBevelWidth(int value)
{
    if (AssignIfChanged(bevelWidth_, value)) InvalidateChart();
}

void TZebCustomShape::SetChildren(TZebShapes* value) { children_->Assign(value); }

bool TZebCustomShape::IsChildrenStored() const { return children_->Count() > 0; }

void TZebCustomShape::SetChildLayout(TZebShapeLayout value)
{
    if (AssignIfChanged(childLayout_, value)) InvalidateChart();
}

void TZebCustomShape::SetColor(TColor value)
{
    if (ParentPanel())
        ParentPanel()->ChangeColor(color_, value);
    else
        color_ = value;
}

TZebCorners* TZebCustomShape::Corners()
{
    if (!corners_)
        corners_ = new TZebCorners(
            TNotifyEvent(static_cast<TZebCustomShapeBrushPen*>(this), &TZebCustomShapeBrushPen::StyleChanged));
    return corners_;
}

void TZebCustomShape::SetCorners(TZebCorners* value)
{
    if (!value) {
        TObject::Free(std::exchange(corners_, nullptr));
        return;
    }
    Corners()->Assign(value);
}

TZebEmboss* TZebCustomShape::Emboss()
{
    if (!emboss_) {
        emboss_ = new TZebEmboss;
        InitEmbossDefaults(*emboss_);
        emboss_->SetOnChange(
            TNotifyEvent(static_cast<TZebCustomShapeBrushPen*>(this), &TZebCustomShapeBrushPen::StyleChanged));
    }
    return emboss_;
}

void TZebCustomShape::SetEmboss(TZebEmboss* value)
{
    if (!value) {
        TObject::Free(std::exchange(emboss_, nullptr));
        return;
    }
    Emboss()->Assign(value);
}

void TZebCustomShape::SetFont(TZebFont* value) { font_->Assign(value); }

TZebGradient* TZebCustomShape::Gradient() { return Brush()->Gradient(); }

void TZebCustomShape::SetGradient(TZebGradient* value) { Brush()->SetGradient(value); }

TBackImage* TZebCustomShape::Picture()
{
    if (!picture_) {
        picture_ = new TBackImage;
        picture_->SetOnChange(
            TNotifyEvent(static_cast<TZebCustomShapeBrushPen*>(this), &TZebCustomShapeBrushPen::StyleChanged));
    }
    return picture_;
}

void TZebCustomShape::SetPicture(TBackImage* value)
{
    Picture()->Assign(value);
    InvalidateChart();
}

void TZebCustomShape::SetRoundSize(int value)
{
    if (!AssignIfChanged(roundSize_, value)) return;
    if (value > 0) shapeStyle_ = fosRoundRectangle;
    InvalidateChart();
}

void TZebCustomShape::SetShadow(TZebShadow* value)
{
    if (value) shadow_->Assign(value);
}

TShapeCallout* TZebCustomShape::ShapeCallout()
{
    if (!callout_) callout_ = new TShapeCallout(this);
    return callout_;
}

void TZebCustomShape::SetShapeCallout(TShapeCallout* value)
{
    if (!value) {
        TObject::Free(std::exchange(callout_, nullptr));
        return;
    }
    ShapeCallout()->Assign(value);
}

void TZebCustomShape::SetShapeStyle(TChartObjectShapeStyle value)
{
    if (AssignIfChanged(shapeStyle_, value)) InvalidateChart();
}

void TZebCustomShape::SetTransparent(bool value)
{
    if (AssignIfChanged(transparent_, value)) InvalidateChart();
}

void TZebCustomShape::SetTransparency(int value)
{
    if (AssignIfChanged(transparency_, value)) InvalidateChart();
}

void TZebCustomShape::MoveBoundsTo(int left, int top)
{
    const int w = bounds_.Width(), h = bounds_.Height();
    bounds_ = {left, top, left + w, top + h};
    InvalidateChart();
}

const TMetaClass& TZebCustomShape::ChildShapeClass() const { return TZebShape::StaticClass(); }

int TZebCustomShape::FirstChildPosition() const { return childLayout_ == slLeftRight ? bounds_.Left : bounds_.Top; }

bool TZebCustomShape::hasVisiblePen() const { return Pen()->Visible(); }

std::array<TPoint, 4> TZebCustomShape::RotatedRectCorners(const TRect& rect, double angle)
{
    return ::RotatedRectCorners(rect, angle);
}

bool TZebCustomShape::ContainsPoint(TPoint point, const TRect& rect) const
{
    const int angle = angle_ % 360;
    if (angle == 0) return RectContainsPoint(rect, point);
    const auto corners = RotatedRectCorners(rect, angle);
    return IsInsidePolygon(point, corners);
}

void TZebCustomShape::MeasureBounds(TCustomZebPanel& panel)
{
    if (autoSize_) {
        bounds_.Right = bounds_.Left;
        bounds_.Bottom = bounds_.Top;
    }
    for (int i = 0; i < children_->Count(); ++i) {
        TZebCustomShape* child = children_->Items(i)->Shape();
        if (!child || !child->Visible()) continue;
        child->MeasureBounds(panel);
        if (childLayout_ == slLeftRight) {
            bounds_.Right += child->BoundsWidth();
            bounds_.Bottom = bounds_.Top + std::max(bounds_.Height(), child->BoundsHeight());
        } else {
            bounds_.Right = bounds_.Left + std::max(bounds_.Width(), child->BoundsWidth());
            bounds_.Bottom += child->BoundsHeight();
        }
    }
}

void TZebCustomShape::DrawAtBounds()
{
    if (ParentPanel()) drawOnPanel(*ParentPanel(), bounds_, {}, false, 0, angle_);
}

void TZebCustomShape::DrawInRect(const TRect& rect, double angle, int z)
{
    if (ParentPanel()) drawOnPanel(*ParentPanel(), rect, {}, false, z, angle);
}

void TZebCustomShape::DrawInPolygon(std::span<const TPoint> points, const TRect& rect, int z)
{
    if (ParentPanel()) drawOnPanel(*ParentPanel(), rect, points, true, z, 0);
}

void TZebCustomShape::drawOnPanel(TCustomZebPanel& panel, const TRect& rect, std::span<const TPoint> points,
                                  bool polygon, int z, double angle)
{
    TCanvas3D& c = *panel.Canvas3D();
    TZebBlend* blend = nullptr;
    if (transparency_ != 0) {
        TRect area = rect;
        if (angle != 0) {
            const auto corners = RotatedRectCorners(rect, angle);
            area = BoundsOfPointArray(corners);
        }
        blend = c.StartBlend(area, static_cast<TZebTransparency>(std::clamp(transparency_, 0, 100)));
    }
    auto finish = [&] {
        if (blend) c.FinishBlend(std::exchange(blend, nullptr));
    };
    try {
        if (transparent_) {
            c.Brush()->Clear();
        } else {
            paintEffect(panel, shadow_, false, rect, angle);
            paintEffect(panel, emboss_, true, rect, angle);
            if (picture_ && picture_->HasGraphic())
                paintPicture(panel, rect, points, polygon, z);
            else
                c.UseBrushColored(*Brush(), color_);
        }
        c.UsePen(*Pen());
        if (polygon)
            PaintPolygon(panel, points, rect, false, z);
        else
            PaintBox(panel, rect, angle, z);
        if (!transparent_ && angle == 0) {
            TRect r = rect;
            PaintBevelFrame(c, bevel_, r, bevelWidth_, 0);
        }
        if (children_->Count() > 0) drawChildren(panel, rect, z, angle);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TZebCustomShape::paintEffect(TCustomZebPanel& panel, TZebShadow* effect, bool emboss, const TRect& rect,
                                  double angle)
{
    if (!effect || !effect->IsActive() || Brush()->Style() == bsClear) return;
    TCanvas3D& c = *panel.Canvas3D();
    TRect r = rect;
    if (Pen()->Visible() && Pen()->Width() > 1) {
        const int half = Pen()->Width() / 2;
        InflateRect(r, emboss ? -half : half, emboss ? -half : half);
    }
    if (shapeStyle_ == fosEllipse) {
        effect->DrawEllipse(c, r, 0, 0, 360);
        return;
    }
    const bool flat = !c.IsTrue3D();
    if (flat) c.PushFlatMode();
    effect->DrawRect(c, r, shapeStyle_ == fosRectangle ? 0 : roundSize_, angle);
    if (flat) c.PopFlatMode();
}

void TZebCustomShape::paintPicture(TCustomZebPanel& panel, const TRect& rect, std::span<const TPoint> points,
                                   bool polygon, int z)
{
    TCanvas3D& c = *panel.Canvas3D();
    bool clipped = true;
    if (polygon)
        c.ClipToPolygon(points);
    else if (shapeStyle_ == fosEllipse)
        c.ClipToEllipse(rect);
    else if (shapeStyle_ == fosRoundRectangle)
        c.ClipToRoundRect(rect, roundSize_, roundSize_);
    else
        clipped = false;
    try {
        const int depth = c.IsTrue3D() ? z : 0;
        if (auto* extended = dynamic_cast<TCustomZebPanelExtended*>(&panel))
            extended->DrawImage(*picture_, rect, depth);
        else
            c.StretchGraphic(rect, picture_->GetFilteredGraphic());
    } catch (...) {
        if (clipped) c.RemoveClip();
        throw;
    }
    if (clipped) c.RemoveClip();
    // A partly transparent gradient lies over the picture.
    bool overPicture = false;
    if (Brush()->HasVisibleGradient()) {
        TZebGradientColors* colors = Brush()->Gradient()->Colors();
        for (int i = 0; i < colors->Count() && !overPicture; ++i) overPicture = colors->Items(i)->Transparency() > 0;
    }
    if (overPicture)
        c.UseBrushColored(*Brush(), color_);
    else
        c.Brush()->Clear();
}

void TZebCustomShape::PaintBox(TCustomZebPanel& panel, const TRect& rect, double angle, int z)
{
    if (transparent_) return;
    TCanvas3D& c = *panel.Canvas3D();
    const bool depth = c.IsTrue3D() || is3D_;
    if (angle != 0) {
        const auto corners = RotatedRectCorners(rect, angle);
        if (depth)
            c.PolygonAtZ(corners, z);
        else
            c.Polygon(corners);
        return;
    }
    if (depth) {
        switch (shapeStyle_) {
        case fosRectangle: c.RectangleAtZ(rect, z); break;
        case fosEllipse: c.EllipseAtZ(rect.Left, rect.Top, rect.Right, rect.Bottom, z); break;
        case fosRoundRectangle: c.RoundRectAtZ(rect, roundSize_, roundSize_, z); break;
        }
        return;
    }
    if (callout_ && callout_->Side() != csNone) {
        paintCallout(c, rect);
        return;
    }
    switch (shapeStyle_) {
    case fosRectangle: c.DrawRect(rect); break;
    case fosEllipse: c.DrawEllipseRect(rect); break;
    case fosRoundRectangle: c.RoundRectCorners(rect, roundSize_, roundSize_, corners_); break;
    }
}

void TZebCustomShape::paintCallout(TCanvas3D& c, const TRect& rect)
{
    const int r = shapeStyle_ == fosRoundRectangle ? roundSize_ : 0;
    const float rf = static_cast<float>(r);
    const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
    const TCalloutPointer pointer = CalloutPointer(rect, r, *callout_);
    const TShapeCalloutSide side = callout_->Side();
    TOwnedPtr<TZebBasePath> path(c.StartPath());
    auto line = [&](TPoint p) { path->LineToPoint(p); };
    auto arc = [&](int x, int y, float start) {
        if (r >= 1) path->AddArc(static_cast<float>(x), static_cast<float>(y), rf, rf, start, 90);
    };
    auto runStart = [&](TPoint p) {
        if (r > 0) path->MoveToPoint(p);
    };
    auto pointerRun = [&](TShapeCalloutSide s) {
        if (side != s) return;
        line(pointer.First);
        line(pointer.Tip);
        line(pointer.Second);
    };
    if (r > 0)
        arc(L, T, 180);
    else
        path->MoveToPoint({L, T});
    runStart({L + r, T});
    pointerRun(csTop);
    line({R - r, T});
    arc(R - r, T, 270);
    runStart({R, T + r});
    pointerRun(csRight);
    line({R, B - r});
    arc(R - r, B - r, 0);
    runStart({R - r, B});
    pointerRun(csBottom);
    line({L + r, B});
    arc(L, B - r, 90);
    runStart({L, B - r});
    pointerRun(csLeft);
    if (side == csLeft) {
        line({L, T + r});
        arc(L, T, 180);
    } else {
        path->CloseFigure();
    }
    path->DrawWith(c);
}

void TZebCustomShape::PaintPolygon(TCustomZebPanel& panel, std::span<const TPoint> points, const TRect&, bool, int z)
{
    if (transparent_) return;
    TCanvas3D& c = *panel.Canvas3D();
    if (c.IsTrue3D() || is3D_)
        c.PolygonAtZ(points, z);
    else
        c.Polygon(points);
}

void TZebCustomShape::drawChildren(TCustomZebPanel& panel, const TRect& rect, int z, double angle)
{
    int position = FirstChildPosition();
    for (int i = 0; i < children_->Count(); ++i) {
        TZebCustomShape* child = children_->Items(i)->Shape();
        if (!child || !child->Visible()) continue;
        const int w = child->BoundsWidth(), h = child->BoundsHeight();
        int left = position, top = bounds_.Top;
        if (childLayout_ == slTopBottom) {
            top = position;
            switch (child->Alignment()) {
            case taLeftJustify: left = rect.Left; break;
            case taCenter: left = (rect.Left + rect.Right - w) / 2; break;
            case taRightJustify: left = rect.Right - w; break;
            }
        }
        child->SetShapeBounds({left, top, left + w, top + h});
        child->drawOnPanel(panel, child->ShapeBounds(), {}, false, z, angle);
        position += childLayout_ == slLeftRight ? w : h;
    }
}

void TZebCustomShape::DefineProperties(TFiler& filer)
{
    TZebCustomShapeBrushPen::DefineProperties(filer);
    filer.DefineProperty(
        "ShadowColor",
        [this](TReader& reader) {
            if (reader.NextValue() == vaIdent) {
                TColor color = clBlack;
                IdentToColor(reader.ReadIdent(), color);
                shadow_->SetColor(color);
            } else {
                shadow_->SetColor(static_cast<TColor>(reader.ReadInteger()));
            }
        },
        nullptr, false);
    filer.DefineProperty(
        "ShadowSize", [this](TReader& reader) { shadow_->SetSize(reader.ReadInteger()); }, nullptr, false);
}

// ---- child items ----

TZebShapeItem::TZebShapeItem(TCollection* collection) : TCollectionItem(collection)
{
    auto* shapes = dynamic_cast<TZebShapes*>(collection);
    TZebCustomShape* owner = shapes ? shapes->OwnerShape() : nullptr;
    const TMetaClass& cls = owner ? owner->ChildShapeClass() : TZebShape::StaticClass();
    shape_ = static_cast<TZebCustomShape*>(cls.CreateInstance(nullptr));
    if (owner) shape_->SetParentPanel(owner->ParentPanel());
    shape_->PresetTransparent(true);
}

TZebShapeItem::~TZebShapeItem()
{
    auto* shapes = dynamic_cast<TZebShapes*>(Collection());
    if (shapes && shapes->OwnerShape()) shapes->OwnerShape()->InvalidateChart();
    TObject::Free(shape_);
}

void TZebShapeItem::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TZebShapeItem*>(source)) return SetShape(s->shape_);
    inherited::Assign(source);
}

void TZebShapeItem::SetShape(TZebCustomShape* value)
{
    if (value) shape_->Assign(value);
}

TZebShapes::TZebShapes(TZebCustomShape* owner) : TOwnedCollection(owner, TZebShapeItem::StaticClass()), owner_(owner) {}
