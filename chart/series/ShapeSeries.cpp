// Shape series: the shape is drawn once, for point 0, between the two corner points.
#include "chart/series/ShapeSeries.h"

#include <algorithm>
#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/HitTests.h"
#include "platform/classes/Published.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/rtl/StringList.h"

namespace {

class TChartShapeClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TChartShapeEditor"; }
};

constexpr int RoundCorner = 12;
// Gap between the text and the shape's side under left or right alignment.
constexpr int TextMargin = 4;

TRect Normalized(const TRect& r)
{
    TRect n{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
    if (n.Right == n.Left) ++n.Right;
    if (n.Bottom == n.Top) ++n.Bottom;
    return n;
}

bool Overlaps(const TRect& a, const TRect& b)
{
    return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}

}  // namespace

TV_PUBLISHED_AS(TChartShape, TChartShapeClass)
{
    PropEnum("Alignment", &TChartShape::Alignment, &TChartShape::SetAlignment, taCenter, TAlignmentNames);
    Prop("Brush", &TChartShape::Brush, &TChartShape::SetBrush);
    Prop("Font", &TChartShape::Font, &TChartShape::SetFont);
    Prop("Gradient", &TChartShape::Gradient, &TChartShape::SetGradient).Stored(false);
    Prop("Pen", &TChartShape::Pen, &TChartShape::SetPen);
    Prop("RoundRectangle", &TChartShape::RoundRectangle, &TChartShape::SetRoundRectangle, false);
    PropEnum("Style", &TChartShape::Style, &TChartShape::SetStyle, chasCircle, TChartShapeStyleNames);
    Prop("Text", &TChartShape::Text, &TChartShape::SetText);
    Prop("Transparent", &TChartShape::Transparent, &TChartShape::SetTransparent, false);
    PropEnum("VertAlign", &TChartShape::VertAlign, &TChartShape::SetVertAlign, vaCenter, TZebVertAlignNames);
    Prop("X0", &TChartShape::X0, &TChartShape::SetX0).NoDefault();
    Prop("X1", &TChartShape::X1, &TChartShape::SetX1).NoDefault();
    PropEnum("XYStyle", &TChartShape::XYStyle, &TChartShape::SetXYStyle, xysAxis, TChartShapeXYStyleNames);
    Prop("Y0", &TChartShape::Y0, &TChartShape::SetY0).NoDefault();
    Prop("Y1", &TChartShape::Y1, &TChartShape::SetY1).NoDefault();
}

TChartShape::TChartShape(TComponent* owner)
    : TChartSeries(owner),
      text_(std::make_unique<TStringList>()),
      font_(std::make_unique<TZebFont>(TNotifyEvent(this, &TChartShape::fontChanged)))
{
    SetScanVisibleRange(false);
    Brush()->SetColor(clWhite);
    SetSeriesColor(clWhite);
    text_->OnChange = [this] { StyleChanged(this); };
    InsertXY(0, 0);
    InsertXY(100, 100);
}

TChartShape::~TChartShape() = default;

void TChartShape::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TChartShape*>(source)) {
        text_->Assign(*s->text_);
        xyStyle_ = s->xyStyle_;
    }
    TChartSeries::Assign(source);
    // The copied points went in by the X list's order, which may have swapped the corners.
    if (auto* s = dynamic_cast<TChartShape*>(source); s && s->Count() >= 2) {
        const double x0 = s->X0(), y0 = s->Y0(), x1 = s->X1(), y1 = s->Y1();
        SetX0(x0);
        SetY0(y0);
        SetX1(x1);
        SetY1(y1);
    }
}

// ---- settings ----

void TChartShape::SetStyle(TChartShapeStyle value) { Change(style_, value); }

void TChartShape::SetXYStyle(TChartShapeXYStyle value) { Change(xyStyle_, value); }

void TChartShape::SetAlignment(TAlignment value) { Change(alignment_, value); }

void TChartShape::SetVertAlign(TZebVertAlign value) { Change(vertAlign_, value); }

void TChartShape::SetText(TStringList* value)
{
    if (value) text_->Assign(*value); else text_->Clear();
    InvalidateChart();
}

void TChartShape::SetFont(TZebFont* value) { font_->Assign(value); }

TZebGradient* TChartShape::Gradient() const { return Brush()->Gradient(); }

void TChartShape::SetGradient(TZebGradient* value) { Brush()->SetGradient(value); }

void TChartShape::SetSeriesColor(TColor value)
{
    TChartSeries::SetSeriesColor(value);
    Brush()->SetColor(value);
}

// ---- corners ----

void TChartShape::ensurePoints(int count)
{
    // Appended, not placed in X order: an empty corner must not come before a set one.
    TChartValueList& x = *XValues();
    const TChartListOrder order = x.Order();
    x.SetOrder(loNone);
    try {
        while (Count() < count) InsertXY(0, 0);
    } catch (...) {
        x.SetOrder(order);
        throw;
    }
    x.SetOrder(order);
}

void TChartShape::setCorner(TChartValueList* list, int index, double value)
{
    ensurePoints(index + 1);
    list->SetValueAt(index, value);
    ValuesModified(index);
    InvalidateChart();
}

double TChartShape::X0() { ensurePoints(1); return XValues()->ValueAt(0); }
double TChartShape::Y0() { ensurePoints(1); return YValues()->ValueAt(0); }
double TChartShape::X1() { ensurePoints(2); return XValues()->ValueAt(1); }
double TChartShape::Y1() { ensurePoints(2); return YValues()->ValueAt(1); }
void TChartShape::SetX0(double value) { setCorner(XValues(), 0, value); }
void TChartShape::SetY0(double value) { setCorner(YValues(), 0, value); }
void TChartShape::SetX1(double value) { setCorner(XValues(), 1, value); }
void TChartShape::SetY1(double value) { setCorner(YValues(), 1, value); }

TRect TChartShape::ComputeShapeRect() const
{
    const auto trunc = [](double v) { return static_cast<int>(v); };
    if (Count() < 2) {
        if (Count() == 0 || xyStyle_ == xysPixels) return {};
    }
    const double x0 = XValues()->ValueAt(0), y0 = YValues()->ValueAt(0);
    const double x1 = Count() > 1 ? XValues()->ValueAt(1) : 0, y1 = Count() > 1 ? YValues()->ValueAt(1) : 0;
    if (xyStyle_ == xysPixels) return {trunc(x0), trunc(y0), trunc(x1), trunc(y1)};
    if (xyStyle_ == xysAxis && Count() >= 2)
        return {PointScreenX(0), PointScreenY(0), PointScreenX(1), PointScreenY(1)};
    const int left = PointScreenX(0), top = PointScreenY(0);
    return {left, top, left + trunc(x1), top + trunc(y1)};
}

// ---- drawing ----

void TChartShape::drawShape(TCanvas3D& canvas, const TRect& given, const TRect& r, bool in3D)
{
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    const TDepthRange& depth = DepthRange();
    const int z = depth.middle;
    const auto line = [&](int x0, int y0, int x1, int y1) {
        if (in3D)
            canvas.LineAtZ(x0, y0, x1, y1, z);
        else {
            canvas.MoveTo(x0, y0);
            canvas.LineTo(x1, y1);
        }
    };
    const auto polygon = [&](std::initializer_list<TPoint> points) {
        const std::vector<TPoint> p(points);
        if (in3D)
            canvas.PolygonAtZ(p, z);
        else
            canvas.Polygon(p);
    };
    const TPoint triangle[] = {{r.Left, r.Bottom}, {cx, r.Top}, {r.Right, r.Bottom}};
    const TPoint inverted[] = {{r.Left, r.Top}, {cx, r.Bottom}, {r.Right, r.Top}};
    switch (style_) {
    case chasRectangle:
        if (in3D)
            canvas.RectangleAtZ(r, z);
        else if (roundRectangle_)
            canvas.RoundRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1, RoundCorner, RoundCorner);
        else
            canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
        break;
    case chasCircle:
        if (in3D)
            canvas.EllipseRectAtZ(r, z);
        else
            canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
        break;
    case chasVertLine: line(cx, r.Top, cx, r.Bottom); break;
    case chasHorizLine: line(r.Left, cy, r.Right + 1, cy); break;
    case chasTriangle:
    case chasPyramid:
        if (in3D && style_ == chasPyramid)
            canvas.DrawSquarePyramid(true, r.Left, r.Top, r.Right, r.Bottom, depth.start, depth.end, !transparent_);
        else
            polygon({triangle[0], triangle[1], triangle[2]});
        break;
    case chasInvertTriangle:
    case chasInvertPyramid:
        if (in3D && style_ == chasInvertPyramid)
            canvas.DrawSquarePyramid(true, r.Left, r.Bottom, r.Right, r.Top, depth.start, depth.end, !transparent_);
        else
            polygon({inverted[0], inverted[1], inverted[2]});
        break;
    case chasLine: line(given.Left, given.Top, given.Right, given.Bottom); break;
    case chasDiamond: polygon({{r.Left, cy}, {cx, r.Top}, {r.Right, cy}, {cx, r.Bottom}}); break;
    case chasCube:
        if (in3D)
            canvas.DrawBox(r.Left, r.Right, r.Top, r.Bottom, depth.start, depth.end, !transparent_);
        else
            canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
        break;
    case chasCross:
    case chasDiagCross:
    case chasStar:
        if (style_ != chasDiagCross) {
            line(cx, r.Top, cx, r.Bottom);
            line(r.Left, cy, r.Right, cy);
        }
        if (style_ != chasCross) {
            line(r.Left, r.Top, r.Right, r.Bottom);
            line(r.Left, r.Bottom, r.Right, r.Top);
        }
        break;
    }
}

void TChartShape::drawText(TCanvas3D& canvas, const TRect& r, bool in3D)
{
    if (text_->Count() == 0) return;
    if (in3D)
        canvas.UseFontZoomed(*font_);
    else
        canvas.UseFont(*font_);
    // Text in the fill colour would vanish: black, or white on black.
    if (SeriesColor() == font_->Color()) canvas.Font()->SetColor(SeriesColor() == clBlack ? clWhite : clBlack);
    const int h = canvas.TextHeight("W");
    const int lines = text_->Count();
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    int y;
    switch (vertAlign_) {
    case vaTop: y = r.Top; break;
    case vaCenter: y = cy - RoundHalfEven(lines * h * 0.5); break;
    default: y = r.Bottom - lines * h; break;
    }
    canvas.SetBackgroundMode(TRANSPARENT);
    canvas.SetTextAlignment(TA_LEFT);
    const int penWidth = Pen()->Visible() ? Pen()->Width() : 0;
    for (int i = 0; i < lines; ++i, y += h) {
        const String line = text_->Strings(i);
        const int w = canvas.TextWidth(line);
        int x;
        switch (alignment_) {
        case taLeftJustify: x = r.Left + penWidth + TextMargin; break;
        case taCenter: x = cx - w / 2; break;
        default: x = r.Right - penWidth - w - TextMargin; break;
        }
        if (in3D)
            canvas.TextOutXYZ(x, y, DepthRange().start, line);
        else
            canvas.TextOut(x, y, line);
    }
}

void TChartShape::DrawPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (index != 0 || Count() != 2 || !chart) return;
    const TRect given = ComputeShapeRect();
    const TRect r = Normalized(given);
    if (!Overlaps(r, chart->ChartRect())) return;
    const bool in3D = chart->View3D() && xyStyle_ != xysPixels;
    TCanvas3D& canvas = *chart->Canvas3D();
    std::optional<TBlendSection> blend;
    if (Transparency() > 0)
        blend.emplace(canvas,
                      canvas.SupportsAlpha() ? TRect{} : in3D ? canvas.ProjectedBoundsAtZ(r, DepthRange().middle) : r,
                      Transparency());
    if (!ApplyHoverPen(0)) canvas.UsePen(*Pen());
    if (transparent_) {
        canvas.Brush()->SetStyle(bsClear);
    } else if (Brush()->Color() == clAutomatic) {
        TZebBrush brush;
        brush.Assign(Brush());
        brush.SetColor(chart->PaletteColor(chart->IndexOfSeries(this)));
        canvas.UseBrushColored(brush, SeriesColor());
    } else {
        canvas.UseBrushColored(*Brush(), SeriesColor());
    }
    canvas.SetBackgroundMode(canvas.Brush()->Color() == clNone ? TRANSPARENT : OPAQUE);
    drawShape(canvas, given, r, in3D);
    drawText(canvas, r, in3D);
}

void TChartShape::FillLegendSymbol(int index, const TRect& rect)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    (void)index;
    TCanvas3D& canvas = *chart->Canvas3D();
    canvas.UsePen(*Pen());
    if (transparent_)
        canvas.Brush()->SetStyle(bsClear);
    else
        canvas.UseBrushColored(*Brush(), SeriesColor());
    const TRect r{rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1};
    drawShape(canvas, r, r, false);
}

int TChartShape::HitTest(int x, int y)
{
    if (Count() != 2) return -1;
    if (TCustomAxisPanel* chart = ParentChart()) chart->Canvas3D()->UnprojectXY(x, y, DepthRange().start);
    const TPoint p{x, y};
    const TRect g = ComputeShapeRect(), r = Normalized(g);
    const int gx = (g.Left + g.Right) / 2, gy = (g.Top + g.Bottom) / 2;
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    bool hit = false;
    switch (style_) {
    case chasCircle: hit = IsInsideEllipseXY(p, g.Left, g.Top, g.Right, g.Bottom); break;
    case chasVertLine: hit = IsOnSegmentXY(p, cx, r.Top, cx, r.Bottom); break;
    case chasHorizLine: hit = IsOnSegmentXY(p, r.Left, cy, r.Right, cy); break;
    case chasLine: hit = IsOnSegmentXY(p, g.Left, g.Top, g.Right, g.Bottom); break;
    case chasTriangle:
    case chasPyramid: hit = IsInsideTriangle(p, {g.Left, g.Bottom}, {gx, g.Top}, {g.Right, g.Bottom}); break;
    case chasInvertTriangle:
    case chasInvertPyramid: hit = IsInsideTriangle(p, {g.Left, g.Top}, {gx, g.Bottom}, {g.Right, g.Top}); break;
    case chasDiamond: {
        const TPoint diamond[] = {{g.Left, gy}, {gx, g.Top}, {g.Right, gy}, {gx, g.Bottom}};
        hit = IsInsidePolygon(p, diamond);
        break;
    }
    default: hit = PtInRect(r, p); break;
    }
    return hit ? 0 : -1;
}

// ---- appearance, gallery, samples ----

void TChartShape::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TChartShape*>(other)) {
        alignment_ = s->alignment_;
        font_->Assign(s->font_.get());
        roundRectangle_ = s->roundRectangle_;
        style_ = s->style_;
        transparent_ = s->transparent_;
        vertAlign_ = s->vertAlign_;
    }
    TChartSeries::CopyAppearance(other);
}

void TChartShape::ReserveZSlot()
{
    if (DependsOnAxes()) TChartSeries::ReserveZSlot();
}

void TChartShape::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TChartSeries::ListGalleryStyles(add);
    for (const char* name : {"Rectangle", "Vert.Line", "Horiz.Line", "Ellipse", "Down Tri.", "Line", "Diamond", "Cube",
                             "Cross", "Diag.Cross", "Star", "Pyramid", "Inv. Pyramid", "Hollow"})
        add(name);
}

void TChartShape::ApplyGalleryStyle(int index)
{
    static constexpr TChartShapeStyle styles[] = {chasRectangle, chasVertLine, chasHorizLine, chasCircle,
                                                  chasInvertTriangle, chasLine, chasDiamond, chasCube, chasCross,
                                                  chasDiagCross, chasStar, chasPyramid, chasInvertPyramid};
    if (index >= 1 && index <= 13)
        SetStyle(styles[index - 1]);
    else if (index == 14)
        SetTransparent(!transparent_);
}

bool TChartShape::AcceptsSourceSeries(const TChartSeries* series) const
{
    return dynamic_cast<const TChartShape*>(series) != nullptr;
}

void TChartShape::AddRandomPoints(int, bool)
{
    const TSampleRanges r = ComputeSampleRanges(1);
    const double xRange = r.stepX;
    if (xRange == 0) {
        InsertXY(0, 0);
        InsertXY(100, 100);
        return;
    }
    InsertXY(r.startX + xRange / 8, r.firstY / 2);
    InsertXY(r.startX + xRange - xRange / 8, r.firstY + RandomInt(RoundHalfEven(r.spanY)));
}

void TChartShape::SetupGalleryPreview()
{
    TChartSeries::SetupGalleryPreview();
    font_->SetColor(static_cast<TColor>(0x00FFFF));
    font_->SetStyle(TFontStyles{fsBold});
    font_->SetSize(12);
    text_->Clear();
    Brush()->SetColor(clAutomatic);
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->IndexOfSeries(this) == 1) {
        SetStyle(chasCircle);
        SetX0(10);
        SetX1(50);
        // Its Y values: the lower quarter of the sample range.
        SetY0(0);
        SetY1(250);
        text_->Add("abc");
    } else {
        SetStyle(chasTriangle);
        text_->Add("123");
    }
}
