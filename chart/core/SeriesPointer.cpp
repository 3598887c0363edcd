#include "chart/core/SeriesPointer.h"

#include <algorithm>
#include <cstdlib>
#include <numbers>
#include <type_traits>
#include <utility>
#include <vector>

#include "chart/canvas/ColorMath.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/HitTests.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TSeriesPointer)
{
    Prop("Brush", &TSeriesPointer::Brush, &TSeriesPointer::SetBrush);
    Prop("Dark3D", &TSeriesPointer::Dark3D, &TSeriesPointer::SetDark3D, true);
    Prop("DarkPen", &TSeriesPointer::DarkPen, &TSeriesPointer::SetDarkPen, 0);
    Prop("Depth", &TSeriesPointer::Depth, &TSeriesPointer::SetDepth, 0);
    Prop("Draw3D", &TSeriesPointer::Draw3D, &TSeriesPointer::SetDraw3D, true);
    Prop("Emboss", &TSeriesPointer::Emboss, &TSeriesPointer::SetEmboss).Stored(&TSeriesPointer::HasEmboss);
    Prop("FullGradient", &TSeriesPointer::FullGradient, &TSeriesPointer::SetFullGradient)
        .NoDefault()
        .Stored(&TSeriesPointer::IsFullGradientStored);
    Prop("Gradient", &TSeriesPointer::Gradient, &TSeriesPointer::SetGradient).Stored(false);
    Prop("HorizSize", &TSeriesPointer::HorizSize, &TSeriesPointer::SetHorizSize, 4);
    Prop("InflateMargins", &TSeriesPointer::InflateMargins, &TSeriesPointer::SetInflateMargins, true);
    Prop("Pen", &TSeriesPointer::Pen, &TSeriesPointer::SetPen);
    Prop("Picture", &TSeriesPointer::Picture, &TSeriesPointer::SetPicture).Stored(&TSeriesPointer::HasPicture);
    Prop("Selected", &TSeriesPointer::Selected, &TSeriesPointer::SetSelected).Stored(&TSeriesPointer::HasSelected);
    Prop("Shadow", &TSeriesPointer::Shadow, &TSeriesPointer::SetShadow).Stored(&TSeriesPointer::HasShadow);
    PropEnum("SizeUnits", &TSeriesPointer::SizeUnits, &TSeriesPointer::SetSizeUnits, suPixels, TPointerSizeUnitsNames);
    PropEnum("Style", &TSeriesPointer::Style, &TSeriesPointer::SetStyle, psRectangle, TSeriesPointerStyleNames)
        .NoDefault()
        .Stored(&TSeriesPointer::IsStyleStored);
    Prop("Transparency", &TSeriesPointer::Transparency, &TSeriesPointer::SetTransparency, 0);
    Prop("VertSize", &TSeriesPointer::VertSize, &TSeriesPointer::SetVertSize, 4);
    Prop("Visible", &TSeriesPointer::Visible, &TSeriesPointer::SetVisible)
        .NoDefault()
        .Stored(&TSeriesPointer::IsVisibleStored);
}

namespace {

// Shadows paint with their own colour: the canvas brush colour and style and the pen's style and
// colour come back after.
class CanvasFillKept {
public:
    explicit CanvasFillKept(TZebCanvas& canvas)
        : canvas_(canvas),
          brushColor_(canvas.Brush()->Color()),
          brushStyle_(canvas.Brush()->Style()),
          penStyle_(canvas.Pen()->Style()),
          penColor_(canvas.Pen()->Color())
    {
    }
    ~CanvasFillKept()
    {
        canvas_.Brush()->SetColor(brushColor_);
        canvas_.Brush()->SetStyle(brushStyle_);
        canvas_.Pen()->SetStyle(penStyle_);
        canvas_.Pen()->SetColor(penColor_);
    }
    CanvasFillKept(const CanvasFillKept&) = delete;
    CanvasFillKept& operator=(const CanvasFillKept&) = delete;

private:
    TZebCanvas& canvas_;
    TColor brushColor_;
    TBrushStyle brushStyle_;
    TPenStyle penStyle_;
    TColor penColor_;
};

class ClipKept {
public:
    explicit ClipKept(TZebCanvas& canvas) : canvas_(canvas) {}
    ~ClipKept() { canvas_.RemoveClip(); }
    ClipKept(const ClipKept&) = delete;
    ClipKept& operator=(const ClipKept&) = delete;

private:
    TZebCanvas& canvas_;
};

std::vector<TPoint> hexagonPoints(const TRect& box, int x, int y, int halfHeight)
{
    const int h = halfHeight / 2;
    return {{x, box.Top},    {box.Right, y - h}, {box.Right, y + h},
            {x, box.Bottom}, {box.Left, y + h},  {box.Left, y - h}};
}

// Tip at the bottom; the head as long as the half height and as wide as the half width.
std::vector<TPoint> arrowPoints(int x, int top, int bottom, int halfWidth, int halfHeight)
{
    return TZebCanvas::CalcArrowPoints({x, top}, {x, bottom}, halfHeight, halfWidth, 50);
}

TRect unionOf(const TRect& a, const TRect& b)
{
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

// A part made on first use; shadow and emboss start hidden with size 3.
template <class T>
T* created(T*& field, const TNotifyEvent& changed)
{
    if (!field) {
        field = new T;
        if constexpr (std::is_base_of_v<TZebShadow, T>) field->InitDefaults(false, field->Color(), 3);
        field->SetOnChange(changed);
    }
    return field;
}

// Null frees the part, anything else is copied into it.
template <class T>
void assignOrFree(T*& field, T* value, const TNotifyEvent& changed)
{
    if (!value) {
        TObject::Free(std::exchange(field, nullptr));
        return;
    }
    created(field, changed)->Assign(value);
}

}  // namespace

TSeriesPointer::TSeriesPointer(TChartSeries* series) : series_(series)
{
    if (series && series->ParentChart()) SetParentPanel(series->ParentChart());
}

TSeriesPointer::~TSeriesPointer()
{
    TObject::Free(picture_);
    TObject::Free(emboss_);
    TObject::Free(shadow_);
}

TCustomZebPanel* TSeriesPointer::Chart() const
{
    if (series_ && series_->ParentChart()) return series_->ParentChart();
    return ParentPanel();
}

void TSeriesPointer::InvalidateChart()
{
    if (TCustomZebPanel* chart = Chart()) chart->Invalidate();
}

void TSeriesPointer::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TSeriesPointer*>(source)) {
        dark3D_ = s->dark3D_;
        depth_ = s->depth_;
        draw3D_ = s->draw3D_;
        darkPen_ = s->darkPen_;
        fullGradient_ = s->fullGradient_;
        horizSize_ = s->horizSize_;
        inflateMargins_ = s->inflateMargins_;
        SetEmboss(s->emboss_);
        SetPicture(s->picture_);
        SetShadow(s->shadow_);
        SetSelected(s->selected_.get());
        fractionalSize_ = s->fractionalSize_;
        sizeUnits_ = s->sizeUnits_;
        style_ = s->style_;
        transparency_ = s->transparency_;
        vertSize_ = s->vertSize_;
    }
    TZebCustomShapeBrushPen::Assign(source);
}

// ---- settings ----

void TSeriesPointer::SetStyle(TSeriesPointerStyle value)
{
    if (AssignIfChanged(style_, value)) InvalidateChart();
}

void TSeriesPointer::InitStyle(TSeriesPointerStyle value)
{
    SetStyle(value);
    defaultStyle_ = value;
}

void TSeriesPointer::SetHorizSize(int value)
{
    if (AssignIfChanged(horizSize_, std::max(value, 1))) InvalidateChart();
}

void TSeriesPointer::SetVertSize(int value)
{
    if (AssignIfChanged(vertSize_, std::max(value, 1))) InvalidateChart();
}

void TSeriesPointer::SetSymbolSize(int value)
{
    SetHorizSize(value);
    SetVertSize(value);
}

void TSeriesPointer::SetDraw3D(bool value)
{
    if (AssignIfChanged(draw3D_, value)) InvalidateChart();
}

void TSeriesPointer::SetDark3D(bool value)
{
    if (AssignIfChanged(dark3D_, value)) InvalidateChart();
}

void TSeriesPointer::SetDepth(int value)
{
    if (AssignIfChanged(depth_, value)) InvalidateChart();
}

void TSeriesPointer::SetDarkPen(int value)
{
    if (AssignIfChanged(darkPen_, value)) InvalidateChart();
}

void TSeriesPointer::SetInflateMargins(bool value)
{
    if (AssignIfChanged(inflateMargins_, value)) InvalidateChart();
}

void TSeriesPointer::SetFullGradient(bool value)
{
    if (AssignIfChanged(fullGradient_, value)) InvalidateChart();
}

void TSeriesPointer::SetTransparency(TZebTransparency value)
{
    if (AssignIfChanged(transparency_, value)) InvalidateChart();
}

void TSeriesPointer::SetExactCentre(bool value)
{
    if (AssignIfChanged(exactCentre_, value)) InvalidateChart();
}

TZebGradient* TSeriesPointer::Gradient() { return Brush()->Gradient(); }

void TSeriesPointer::SetGradient(TZebGradient* value) { Brush()->SetGradient(value); }

TZebShadow* TSeriesPointer::Shadow() { return created(shadow_, changeHandler()); }

TZebSelected* TSeriesPointer::Selected()
{
    if (!selected_) selected_ = std::make_unique<TZebSelected>(this);
    return selected_.get();
}

void TSeriesPointer::SetSelected(TZebSelected* value)
{
    if (!value)
        selected_.reset();
    else
        Selected()->Assign(value);
}

void TSeriesPointer::SetShadow(TZebShadow* value) { assignOrFree(shadow_, value, changeHandler()); }

TZebEmboss* TSeriesPointer::Emboss() { return created(emboss_, changeHandler()); }

void TSeriesPointer::SetEmboss(TZebEmboss* value) { assignOrFree(emboss_, value, changeHandler()); }

TZebPicture* TSeriesPointer::Picture() { return created(picture_, changeHandler()); }

void TSeriesPointer::SetPicture(TZebPicture* value) { assignOrFree(picture_, value, changeHandler()); }

TNotifyEvent TSeriesPointer::changeHandler()
{
    return TNotifyEvent(static_cast<TZebCustomShapeBrushPen*>(this), &TSeriesPointer::StyleChanged);
}

// ---- sizes and depth ----

int TSeriesPointer::axisPixels(double units) const
{
    if (TChartAxis* axis = series_ ? series_->GetVertAxis() : nullptr) return axis->PixelSpan(units);
    return RoundHalfEven(units);
}

void TSeriesPointer::GetEffectiveSize(int& width, int& height) const
{
    if (fractionalSize_ != 0) {
        width = height = sizeUnits_ == suAxis ? axisPixels(fractionalSize_) : RoundHalfEven(fractionalSize_);
        return;
    }
    width = horizSize_;
    height = vertSize_;
}

int TSeriesPointer::GetLargestSize() const { return std::max(horizSize_, vertSize_); }

int TSeriesPointer::GetStartZ() const
{
    const auto depth = SeriesDepth();
    if (!depth) return ownZ_;
    return depth_ == 0 ? depth->Start : depth->Middle - depth_;
}

int TSeriesPointer::GetMiddleZ() const
{
    const auto depth = SeriesDepth();
    return depth ? depth->Middle : ownZ_;
}

int TSeriesPointer::GetEndZ() const
{
    const auto depth = SeriesDepth();
    if (!depth) return ownZ_;
    return depth_ == 0 ? depth->End : depth->Middle + depth_;
}

// ---- drawing ----

void TSeriesPointer::SetupCanvas(TCanvas3D& canvas, TColor color)
{
    TZebPen& pen = *Pen();
    TColor penColor = pen.Color();
    if (darkPen_ != 0) {
        penColor = darkPen_ > 0 ? DarkenColor(color, darkPen_) : LightenColor(color, -darkPen_);
        // The automatic colour's marker byte is no transparency.
        if (pen.Color() != clDefault)
            penColor = TZebCanvas::ColorWithAlpha(penColor, TZebCanvas::ColorAlpha(pen.Color()));
    } else if (penColor == clDefault) {
        penColor = color;
    }
    canvas.SelectPen(pen, penColor);  // a hidden pen leaves the canvas pen clear

    TZebBrush& brush = *Brush();
    TColor fill = brush.Color();
    if (fill == clDefault) fill = brush.Style() != bsSolid ? brush.BackColor() : color;
    canvas.SelectBrush(brush, fill, color);
}

void TSeriesPointer::PrepareCanvas()
{
    if (TCustomZebPanel* chart = Chart()) SetupCanvas(*chart->Canvas3D(), Brush()->Color());
}

void TSeriesPointer::DrawStyled(int x, int y, TSeriesPointerStyle style, TColor color)
{
    TCustomZebPanel* chart = Chart();
    if (!chart) return;
    int h = horizSize_, v = vertSize_;
    if (fractionalSize_ != 0)
        h = v = sizeUnits_ == suAxis ? axisPixels(fractionalSize_) : RoundHalfEven(fractionalSize_);
    else if (sizeUnits_ == suAxis) {
        h = axisPixels(horizSize_);
        v = axisPixels(vertSize_);
    }
    DrawSymbol(*chart->Canvas3D(), chart->View3D(), style, color, v, h, y, x);
}

void TSeriesPointer::DrawAt(int x, int y) { DrawStyled(x, y, style_, Brush()->Color()); }

void TSeriesPointer::DrawSymbol(TCanvas3D& canvas, bool in3D, TSeriesPointerStyle style, TColor color, int halfHeight,
                                int halfWidth, int y, int x)
{
    const int shift = exactCentre_ ? 0 : 1;
    const TRect box{x + shift - halfWidth, y + shift - halfHeight, x + halfWidth, y + halfHeight};
    const int z0 = GetStartZ();
    drawEffects(canvas, in3D, style, box, x, y, halfWidth, halfHeight, z0);

    std::optional<TBlendSection> blend;
    if (transparency_ > 0) {
        TRect area;
        if (!canvas.SupportsAlpha()) {
            area = {box.Left, box.Top, box.Right + 1, box.Bottom + 1};
            if (in3D) {
                const TRect front = canvas.ProjectedBoundsAtZ(area, z0);
                const bool solidBox = style == psRectangle && draw3D_ && canvas.IsOrthogonal();
                area = solidBox ? unionOf(front, canvas.ProjectedBoundsAtZ(area, GetEndZ())) : front;
            }
        }
        blend.emplace(canvas, area, transparency_);
    }
    if (Brush()->HasVisibleGradient() && !fullGradient_) {
        const TAutoRepaintOff quiet(Chart());
        Gradient()->SetEndColor(color);
        if (canvas.HasBrushGradient()) canvas.GetBrushGradient()->SetEndColor(color);
    }
    drawShape(canvas, in3D, style, box, x, y, halfWidth, halfHeight);
    drawPicture(canvas, in3D, style, box);
}

void TSeriesPointer::drawEffects(TCanvas3D& canvas, bool in3D, TSeriesPointerStyle style, const TRect& box, int x,
                                 int y, int halfWidth, int halfHeight, int z0)
{
    auto effect = [&](TZebShadow* s) {
        if (!s || !s->IsActive()) return;
        const CanvasFillKept kept(canvas);
        auto rect = [&](const TRect& r) { return in3D ? canvas.ProjectRectAtZ(r, z0) : r; };
        auto polygon = [&](const std::vector<TPoint>& p) { return in3D ? canvas.ProjectPointsAtZ(p, z0) : p; };
        switch (style) {
        case psRectangle: s->DrawRect(canvas, rect({box.Left, box.Top, box.Right + 1, box.Bottom + 1})); break;
        case psCircle: s->DrawEllipse(canvas, rect(box)); break;
        case psDonut: s->DrawEllipse(canvas, rect(box), 50); break;
        case psHexagon: s->DrawPolygon(canvas, polygon(hexagonPoints(box, x, y, halfHeight))); break;
        case psArrow:
            s->DrawPolygon(canvas, polygon(arrowPoints(x, box.Top, box.Bottom, halfWidth, halfHeight)));
            break;
        default: break;
        }
    };
    effect(shadow_);
    effect(emboss_);
}

void TSeriesPointer::drawShape(TCanvas3D& canvas, bool in3D, TSeriesPointerStyle style, const TRect& box, int x, int y,
                               int halfWidth, int halfHeight)
{
    const int left = box.Left, top = box.Top, right = box.Right, bottom = box.Bottom;
    const int z0 = GetStartZ();
    auto polygon = [&](std::span<const TPoint> points) {
        if (in3D)
            canvas.PolygonAtZ(points, z0);
        else
            canvas.Polygon(points);
    };
    auto line = [&](int x0, int y0, int x1, int y1) {
        if (in3D)
            canvas.LineAtZ(x0, y0, x1, y1, z0);
        else
            canvas.DrawLine(x0, y0, x1, y1);
    };
    auto cross = [&] {
        line(x, top, x, bottom + 1);
        line(left, y, right + 1, y);
    };
    auto diagonalCross = [&] {
        line(left, top, right + 1, bottom + 1);
        line(right, top, left - 1, bottom + 1);
    };
    switch (style) {
    case psRectangle:
        if (in3D && draw3D_)
            canvas.DrawBox(left, right, top, bottom, z0, GetEndZ(), dark3D_);
        else if (in3D)
            canvas.RectangleAtZ({left, top, right + 1, bottom + 1}, z0);
        else
            canvas.Rectangle(left, top, right + 1, bottom + 1);
        break;
    case psCircle:
        if (in3D && draw3D_ && canvas.IsTrue3D())
            canvas.CircleAtZ(x, y, GetMiddleZ(), fractionalSize_ != 0 ? fractionalSize_ : halfWidth);
        else if (in3D)
            canvas.EllipseAtZ(left, top, right, bottom, z0);
        else
            canvas.Ellipse(left, top, right, bottom);
        break;
    case psTriangle:
    case psDownTriangle: {
        const int v = style == psDownTriangle ? -halfHeight : halfHeight;
        const TPoint points[] = {{left, y + v}, {right, y + v}, {x, y - v}};
        if (in3D && draw3D_)
            canvas.DrawSquarePyramid(true, left, y - v, right, y + v, z0, GetEndZ(), dark3D_);
        else
            polygon(points);
        break;
    }
    case psCross: cross(); break;
    case psDiagCross: diagonalCross(); break;
    case psStar:
        cross();
        diagonalCross();
        break;
    case psDiamond: {
        const TPoint points[] = {{left, y}, {x, top}, {right, y}, {x, bottom}};
        polygon(points);
        break;
    }
    case psSmallDot:
        if (in3D)
            canvas.SetPixelAtZ(x, y, GetMiddleZ(), canvas.Brush()->Color());
        else
            canvas.SetPixelColor(x, y, canvas.Brush()->Color());
        break;
    case psLeftTriangle: {
        const TPoint points[] = {{left, y}, {right, bottom}, {right, top}};
        polygon(points);
        break;
    }
    case psRightTriangle: {
        const TPoint points[] = {{right, y}, {left, bottom}, {left, top}};
        polygon(points);
        break;
    }
    case psHexagon: polygon(hexagonPoints(box, x, y, halfHeight)); break;
    case psDonut:
        if (!in3D) {
            canvas.DrawDonutSlice(x, y, halfWidth, halfHeight, 0, 2 * std::numbers::pi, 50);
        } else if (canvas.IsOrthogonal()) {
            const TPoint p = canvas.ProjectXYZ(x, y, z0);
            canvas.DrawDonutSlice(p.X, p.Y, halfWidth, halfHeight, 0, 2 * std::numbers::pi, 50);
        } else {
            canvas.EllipseAtZ(left, top, right, bottom, z0);
        }
        break;
    case psArrow: {
        const bool filled = Brush()->Style() != bsClear;
        if (in3D)
            canvas.DrawArrowAtZ(filled, {x, top}, {x, bottom}, halfWidth, halfHeight, z0, z0, 50);
        else
            canvas.DrawArrow(filled, {x, top}, {x, bottom}, halfHeight, halfWidth, 50);
        break;
    }
    case psNothing:
    case psVisual: break;
    }
}

void TSeriesPointer::drawPicture(TCanvas3D& canvas, bool in3D, TSeriesPointerStyle style, const TRect& box)
{
    if (!picture_ || !picture_->HasGraphic()) return;
    TGraphic* graphic = picture_->GetFilteredGraphic();
    const TRect area{box.Left, box.Top, box.Right + 1, box.Bottom + 1};
    const int z0 = GetStartZ();
    if (in3D && !canvas.IsOrthogonal()) {
        canvas.PaintImageOnPlane(area, graphic, z0, cpZ);
        return;
    }
    const TRect target = in3D ? canvas.ProjectRectAtZ(area, z0) : area;
    if (style != psCircle) {
        canvas.StretchGraphic(target, graphic);
        return;
    }
    canvas.ClipToEllipse(target);
    const ClipKept clip(canvas);
    canvas.StretchGraphic(target, graphic);
}

// ---- margins and hits ----

void TSeriesPointer::WidenHorizMargins(int& left, int& right) const
{
    if (!Visible() || !inflateMargins_) return;
    const int p = Pen()->Visible() ? Pen()->Width() / 2 + 1 : 1;
    left = std::max(left, horizSize_ + p);
    right = std::max(right, horizSize_ + p);
}

void TSeriesPointer::WidenVertMargins(int& top, int& bottom) const
{
    if (!Visible() || !inflateMargins_) return;
    const int p = Pen()->Visible() ? Pen()->Width() / 2 : 1;
    top = std::max(top, vertSize_ + p);
    bottom = std::max(bottom, vertSize_ + p);
}

bool TSeriesPointer::IsPointInSymbol(TSeriesPointerStyle style, TPoint point, int y, int x)
{
    const int h = horizSize_, v = vertSize_;
    bool hit = false;
    switch (style) {
    case psCircle:
    case psHexagon:
    case psDonut: hit = IsInsideEllipse(point, {x - h, y - v, x + h, y + v}); break;
    case psTriangle: hit = IsInsideTriangleVertical(point, x - h, x + h, y + v, y - v); break;
    case psDownTriangle: hit = IsInsideTriangleVertical(point, x - h, x + h, y - v, y + v); break;
    case psLeftTriangle: hit = IsInsideTriangleHorizontal(point, y - v, y + v, x + h, x - h); break;
    case psRightTriangle: hit = IsInsideTriangleHorizontal(point, y - v, y + v, x - h, x + h); break;
    case psDiamond: {
        const TPoint points[] = {{x - h, y}, {x, y - v}, {x + h, y}, {x, y + v}};
        hit = IsInsidePolygon(point, points);
        break;
    }
    case psArrow: hit = IsInsidePolygon(point, arrowPoints(x, y - v, y + v, h, v)); break;
    case psNothing: break;
    default: hit = std::abs(point.X - x) < h && std::abs(point.Y - y) < v; break;
    }
    if (hit) SymbolHit();
    return hit;
}
