#include "chart/series_ext/grid3d/ColorGridSeries.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/core/ZebSpline.h"
#include "platform/classes/Published.h"
#include "platform//graphics/Bitmap.h"

namespace {

class TColorGridSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TColorGridEditor"; }
};

// The canvas stretches pictures pixelated for its lifetime unless smoothing is asked for.
class TStretchQualityScope {
public:
    TStretchQualityScope(TCanvas3D& canvas, bool smooth) : canvas_(canvas), old_(canvas.StretchQuality())
    {
        canvas_.SetStretchQuality(smooth ? sqHigh : sqLow);
    }
    ~TStretchQualityScope() { canvas_.SetStretchQuality(old_); }
    TStretchQualityScope(const TStretchQualityScope&) = delete;
    TStretchQualityScope& operator=(const TStretchQualityScope&) = delete;

private:
    TCanvas3D& canvas_;
    TCanvasStretchQuality old_;
};

constexpr double TinyPositive = std::numeric_limits<double>::min();

}  // namespace

TV_PUBLISHED_AS(TColorGridSeries, TColorGridSeriesClass)
{
    Prop("CenteredPoints", &TColorGridSeries::CenteredPoints, &TColorGridSeries::SetCenteredPoints, false);
    PropEnum("DrawPlane3D", &TColorGridSeries::DrawPlane3D, &TColorGridSeries::SetDrawPlane3D, cpZ,
             TCanvas3DPlaneNames);
    Prop("DrawPosition", &TColorGridSeries::DrawPosition, &TColorGridSeries::SetDrawPosition, 0);
    Prop("Frame", &TColorGridSeries::Frame, &TColorGridSeries::SetFrame);
    Prop("SmoothBitmap", &TColorGridSeries::SmoothBitmap, &TColorGridSeries::SetSmoothBitmap, false);
    Prop("XGridEvery", &TColorGridSeries::XGridEvery, &TColorGridSeries::SetXGridEvery, 1);
    Prop("ZGridEvery", &TColorGridSeries::ZGridEvery, &TColorGridSeries::SetZGridEvery, 1);
}

TV_PUBLISHED(TSmoothPoints)
{
    Prop("Active", &TSmoothPoints::Active, &TSmoothPoints::SetActive, false);
    Prop("Interpolate", &TSmoothPoints::Interpolate, &TSmoothPoints::SetInterpolate, false);
}

TColorGridSeries::TColorGridSeries(TComponent* owner)
    : TCustom3DGridSeries(owner),
      frame_(std::make_unique<TZebHiddenPen>(TNotifyEvent(static_cast<TCustomChartElement*>(this), &TCustomChartElement::StyleChanged))),
      bitmap_(std::make_unique<TBitmap>(0, 0, pf24bit))
{
    bitmap_->SetTransparentMode(tmFixed);
    bitmap_->SetTransparentColor(clWhite);
}

TColorGridSeries::~TColorGridSeries() = default;

void TColorGridSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TColorGridSeries*>(source)) {
        drawPlane3D_ = s->drawPlane3D_;
        drawPosition_ = s->drawPosition_;
        xGridEvery_ = s->xGridEvery_;
        zGridEvery_ = s->zGridEvery_;
    }
    TCustom3DGridSeries::Assign(source);
}

void TColorGridSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TColorGridSeries*>(other)) {
        centeredPoints_ = s->centeredPoints_;
        smoothBitmap_ = s->smoothBitmap_;
        frame_->Assign(s->frame_.get());
    }
    TCustom3DGridSeries::CopyAppearance(other);
}

void TColorGridSeries::SetFrame(TZebPen* value) { frame_->Assign(value); }

void TColorGridSeries::NotifyDependents(TDependantNotice kind, int index)
{
    TCustom3DGridSeries::NotifyDependents(kind, index);
    bitmapStale_ = true;
}

void TColorGridSeries::LoadFromBitmap(TGraphic& graphic)
{
    TBitmap picture;
    picture.Assign(&graphic);
    picture.SetPixelFormat(pf24bit);
    const int w = picture.Width(), h = picture.Height();
    const TPointUpdateBlock block(*this);
    RemoveAllPoints();
    centeredPoints_ = true;
    SetNumXValues(w);
    SetNumZValues(h);
    RemoveAllPoints();
    for (int c = 0; c < w; ++c)
        for (int r = 0; r < h; ++r) {
            const Byte* p = picture.ScanLine(h - 1 - r) + 3 * c;
            const auto color = static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
            InsertXYZ(c + 1, static_cast<int>(color), r + 1, String(), color);
        }
}

// ---- ranges ----

double TColorGridSeries::xStep()
{
    if (xStepDone_) return xStep_;
    const int n = NumXValues(), count = Count();
    double step = 0;
    if (n >= 2 && n - 1 < count)
        step = std::abs(XValues()->ValueAt(n - 1) - XValues()->ValueAt(n - 2));
    else if (n == 1 && count > 0)
        step = XValues()->ValueAt(0);
    if (step < TinyPositive) step = 1;
    xStep_ = step;
    xStepDone_ = true;
    return step;
}

double TColorGridSeries::zStep()
{
    if (zStepDone_) return zStep_;
    const int n = NumZValues(), count = Count();
    double step = 0;
    // Rows of points NumZValues and 2 NumZValues apart; fewer stored points fall back to 1.
    if (n >= 2 && 2 * n < count)
        step = std::abs(ZValues()->ValueAt(n) - ZValues()->ValueAt(2 * n));
    else if (n == 1 && count > 0)
        step = ZValues()->ValueAt(0);
    if (step < TinyPositive) step = 1;
    zStep_ = step;
    zStepDone_ = true;
    return step;
}

double TColorGridSeries::LowestX() { return centered(XValues()->Lowest()); }
double TColorGridSeries::LowestZ() { return centered(ZValues()->Lowest()); }

double TColorGridSeries::HighestX()
{
    return upperEdge(XValues()->Highest() + (IrregularGrid() ? xStep() : 0));
}

double TColorGridSeries::HighestZ()
{
    return upperEdge(ZValues()->Highest() + (IrregularGrid() ? zStep() : 0));
}

int TColorGridSeries::PointScreenX(int index) const
{
    const int x = TCustom3DGridSeries::PointScreenX(index);
    return centeredPoints_ ? x : x + XPixelSpan(0.5);
}

int TColorGridSeries::PointScreenY(int index) const
{
    const TChartAxis* axis = GetVertAxis();
    const int y = axis ? axis->ValueToPixel(ZValues()->ValueAt(index)) : 0;
    return centeredPoints_ ? y : y - YPixelSpan(0.5);
}

// ---- drawing ----

TRect TColorGridSeries::visibleCells()
{
    const TChartAxis& h = *GetHorizAxis();
    const TChartAxis& v = *GetVertAxis();
    int x0 = static_cast<int>(std::trunc(h.PixelToValue(h.StartPixel())));
    int x1 = static_cast<int>(std::trunc(h.PixelToValue(h.EndPixel())));
    (h.Inverted() ? x0 : x1) += 1;
    int z0 = static_cast<int>(std::trunc(v.PixelToValue(v.EndPixel())));
    int z1 = static_cast<int>(std::trunc(v.PixelToValue(v.StartPixel())));
    (v.Inverted() ? z0 : z1) += 1;
    if (x0 > x1) std::swap(x0, x1);
    if (z0 > z1) std::swap(z0, z1);
    const int offX = RoundHalfEven(LowestX()), offZ = RoundHalfEven(LowestZ());
    x0 -= offX, x1 -= offX, z0 -= offZ, z1 -= offZ;
    if (XStartsAtNonZero()) x0 = std::max(x0, 1);
    if (ZStartsAtNonZero()) z0 = std::max(z0, 1);
    return {x0, z0, std::min(x1, NumXValues()), std::min(z1, NumZValues())};
}

TRect TColorGridSeries::pixelRect(const TRect& cells)
{
    const auto span = [this](const TChartAxis& axis, bool flag, int first, int last, double low, double high,
                             int& a, int& b) {
        if (flag) {
            a = axis.ValueToPixel(std::max(centered(first), low));
            b = axis.ValueToPixel(std::min(upperEdge(last), high));
        } else {
            const double range = axis.Maximum() - axis.Minimum();
            const double perUnit = axis.AxisSize() / (range == 0 ? 1 : range);
            a = axis.ValueToPixel(low);
            const int size = RoundHalfEven(perUnit * (high - low));
            const bool down = axis.Horizontal() == axis.Inverted();
            b = down ? a - size : a + size;
        }
    };
    int left = 0, right = 0, top = 0, bottom = 0;
    span(*GetHorizAxis(), XStartsAtNonZero(), cells.Left, cells.Right, LowestX(), HighestX(), left, right);
    span(*GetVertAxis(), ZStartsAtNonZero(), cells.Top, cells.Bottom, LowestZ(), HighestZ(), bottom, top);
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

int TColorGridSeries::planePosition() const
{
    const TCustomAxisPanel* chart = ParentChart();
    switch (drawPlane3D_) {
    case cpX: return (GetHorizAxis()->StartPixel() + GetHorizAxis()->EndPixel()) / 2 + drawPosition_;
    case cpY: return (GetVertAxis()->StartPixel() + GetVertAxis()->EndPixel()) / 2 + drawPosition_;
    default: return (chart ? DepthRange().middle : 0) + drawPosition_;
    }
}

void TColorGridSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || Count() == 0 || GridIndexStale() || !GetHorizAxis() || !GetVertAxis()) return;
    xStep_ = zStep_ = -1;
    xStepDone_ = zStepDone_ = false;
    TCanvas3D& canvas = *chart->Canvas3D();
    const TRect cells = visibleCells();
    const TRect pixels = pixelRect(cells);
    TZebBlend* blend = nullptr;
    if (Transparency() > 0) {
        const int z = DepthRange().middle;
        const TRect area = !chart->View3D()        ? pixels
                           : canvas.IsOrthogonal() ? canvas.ProjectRectAtZ(pixels, z)
                                                   : canvas.ProjectedBoundsAtZ(pixels, z);
        blend = canvas.StartBlend(area, Transparency());
    }
    if (canvas.PrefersVectorShapes() || IrregularGrid())
        drawCells(canvas, DepthRange().middle);
    else
        drawBitmap(canvas, cells, pixels);
    if (Pen()->Visible()) drawGridLines(canvas, pixels);
    if (frame_->Visible()) {
        canvas.Brush()->SetStyle(bsClear);
        canvas.SetBackgroundMode(TRANSPARENT);
        canvas.SelectPen(*frame_, frame_->Color());
        const int p = planePosition();
        const int zHigh = DepthValueToPixel(HighestZ()), zLow = DepthValueToPixel(LowestZ());
        if (!chart->View3D() || drawPlane3D_ == cpZ)
            canvas.RectangleAtZ(pixels, chart->View3D() ? p : 0);
        else if (drawPlane3D_ == cpY)
            canvas.PlaneAlongXZ(pixels.Left, p, pixels.Right, zHigh, zLow);
        else
            canvas.PlaneAlongYZ(p, pixels.Top, pixels.Bottom, zHigh, zLow);
    }
    if (blend) canvas.FinishBlend(blend);
}

void TColorGridSeries::drawCells(TCanvas3D& canvas, int z)
{
    canvas.Pen()->SetStyle(psClear);
    canvas.Brush()->SetStyle(bsSolid);
    const bool smoothing = canvas.IsSmoothingOn();
    if (smoothing) canvas.SetSmoothingOn(false);
    const TChartAxis& h = *GetHorizAxis();
    const TChartAxis& v = *GetVertAxis();
    const int nx = NumXValues(), nz = NumZValues();
    // The far edge of a cell: the next node's pixel; without one, the width of the cell before.
    const auto edges = [this](const TChartAxis& axis, const TChartValueList& list, int node, int next, int previous,
                              int count, bool extra, double highest) {
        const int a = axis.ValueToPixel(centered(list.ValueAt(node)));
        int b;
        if (next >= 0)
            b = axis.ValueToPixel(centered(list.ValueAt(next)));
        else if (count == 1)
            b = axis.ValueToPixel(highest + 1);
        else
            b = a + (previous >= 0 ? a - axis.ValueToPixel(centered(list.ValueAt(previous))) : 1) + (extra ? 1 : 0);
        return std::pair{a, b};
    };
    for (int zi = 1; zi <= nz; ++zi)
        for (int xi = 1; xi <= nx; ++xi) {
            const int p = GridIndexAt(xi, zi);
            if (p < 0) continue;
            const TColor color = GetPointColor(p);
            if (color == clNullPoint) continue;
            const int nextX = xi < nx ? GridIndexAt(xi + 1, zi) : -1, prevX = xi > 1 ? GridIndexAt(xi - 1, zi) : -1;
            const int nextZ = zi < nz ? GridIndexAt(xi, zi + 1) : -1, prevZ = zi > 1 ? GridIndexAt(xi, zi - 1) : -1;
            const auto [left, right] =
                edges(h, *XValues(), p, nextX, prevX, nx, centeredPoints_ && xi == nx, XValues()->Highest());
            const auto [bottom, top] = edges(v, *ZValues(), p, nextZ, prevZ, nz, false, ZValues()->Highest());
            canvas.Brush()->SetColor(color);
            canvas.RectangleAtZ({std::min(left, right), std::min(top, bottom), std::max(left, right),
                                 std::max(top, bottom)},
                                z);
        }
    if (smoothing) canvas.SetSmoothingOn(true);
}

void TColorGridSeries::fillBitmap(const TRect& cells)
{
    const int w = bitmap_->Width(), hgt = bitmap_->Height();
    bitmapTransparent_ = false;
    for (int row = 0; row < hgt; ++row) {
        // The picture's top row holds the highest grid row.
        const int r = hgt - 1 - row;
        const int zi = ZStartsAtNonZero() ? cells.Top + r : r + 1;
        Byte* line = bitmap_->ScanLine(row);
        for (int i = 0; i < w; ++i) {
            const int xi = XStartsAtNonZero() ? cells.Left + i : i + 1;
            const int p = GridIndexAt(xi, zi);
            TColor color = p >= 0 ? GetPointColor(p) : clNullPoint;
            if (color == clNullPoint) {
                color = clWhite;
                bitmapTransparent_ = true;
            }
            const auto c = static_cast<unsigned>(color);
            line[3 * i] = static_cast<Byte>(c >> 16);
            line[3 * i + 1] = static_cast<Byte>(c >> 8);
            line[3 * i + 2] = static_cast<Byte>(c);
        }
    }
    ++bitmapBuilds_;
}

void TColorGridSeries::drawBitmap(TCanvas3D& canvas, TRect cells, const TRect& pixels)
{
    const int w = XStartsAtNonZero() ? std::abs(cells.Right + 1 - cells.Left)
                                     : static_cast<int>(std::ceil(HighestX()));
    const int hgt = ZStartsAtNonZero() ? std::abs(cells.Bottom + 1 - cells.Top)
                                       : static_cast<int>(std::ceil(HighestZ()));
    if (w <= 0 || hgt <= 0) return;
    if (bitmapStale_ || cells != lastCells_ || bitmap_->Width() != w || bitmap_->Height() != hgt) {
        bitmap_ = std::make_unique<TBitmap>(w, hgt, pf24bit);
        bitmap_->SetTransparentMode(tmFixed);
        bitmap_->SetTransparentColor(clWhite);
        if (Brush()->Style() == bsClear)
            bitmapTransparent_ = true;
        else
            fillBitmap(cells);
        bitmap_->SetTransparent(bitmapTransparent_);
    }
    const TCustomAxisPanel* chart = ParentChart();
    {
        const TStretchQualityScope quality(canvas, smoothBitmap_);
        const int position = planePosition();
        if (!chart->View3D() || (canvas.IsOrthogonal() && drawPlane3D_ == cpZ)) {
            canvas.StretchGraphic(chart->View3D() ? canvas.ProjectRectAtZ(pixels, position) : pixels, bitmap_.get());
        } else {
            TRect r = pixels;
            const int zHigh = DepthValueToPixel(HighestZ()), zLow = DepthValueToPixel(LowestZ());
            if (drawPlane3D_ == cpX) r.Left = zLow, r.Right = zHigh;
            if (drawPlane3D_ == cpY) r.Top = zHigh, r.Bottom = zLow;
            canvas.PaintImageOnPlane(r, bitmap_.get(), position, drawPlane3D_);
        }
    }
    bitmapStale_ = false;
    lastCells_ = cells;
}

int TColorGridSeries::referencePoint(int index, bool row) const
{
    const int p = row ? GridIndexAt(1, index) : GridIndexAt(index, 1);
    if (p >= 0) return p;
    const int diagonal = GridIndexAt(index, index);
    return diagonal >= 0 ? diagonal : 0;
}

void TColorGridSeries::drawGridLines(TCanvas3D& canvas, const TRect& pixels)
{
    const TCustomAxisPanel* chart = ParentChart();
    canvas.SetBackgroundMode(TRANSPARENT);
    canvas.SelectPen(*Pen(), Pen()->Color());
    const double half = centeredPoints_ ? 0.5 : 0;
    const bool view3D = chart->View3D();
    const int p = planePosition();
    const int zHigh = DepthValueToPixel(HighestZ()), zLow = DepthValueToPixel(LowestZ());
    const int rows = (NumZValues() - 1) / std::max(1, zGridEvery_), cols = (NumXValues() - 1) / std::max(1, xGridEvery_);
    for (int g = 0; g <= rows; ++g) {
        const double value = ZValues()->ValueAt(referencePoint(g * std::max(1, zGridEvery_) + 1, true)) - half;
        if (!view3D) {
            const int y = GetVertAxis()->ValueToPixel(value);
            canvas.DrawLine(pixels.Left, y, pixels.Right, y);
        } else if (drawPlane3D_ == cpZ) {
            canvas.LineAlongX3D(pixels.Left, pixels.Right, GetVertAxis()->ValueToPixel(value), p);
        } else if (drawPlane3D_ == cpY) {
            canvas.LineAlongX3D(pixels.Left, pixels.Right, p, DepthValueToPixel(value));
        } else {
            canvas.LineAlongZ3D(p, GetVertAxis()->ValueToPixel(value), zHigh, zLow);
        }
    }
    for (int g = 0; g <= cols; ++g) {
        const double value = XValues()->ValueAt(referencePoint(g * std::max(1, xGridEvery_) + 1, false)) - half;
        if (!view3D) {
            const int x = GetHorizAxis()->ValueToPixel(value);
            canvas.DrawLine(x, pixels.Top, x, pixels.Bottom);
        } else if (drawPlane3D_ == cpZ) {
            canvas.LineAlongY3D(GetHorizAxis()->ValueToPixel(value), pixels.Top, pixels.Bottom, p);
        } else if (drawPlane3D_ == cpY) {
            canvas.LineAlongZ3D(GetHorizAxis()->ValueToPixel(value), p, zHigh, zLow);
        } else {
            canvas.LineAlongY3D(p, pixels.Top, pixels.Bottom, DepthValueToPixel(value));
        }
    }
}

// ---- mouse ----

int TColorGridSeries::HitTest(int x, int y)
{
    if (GridIndexStale() || Count() == 0 || !GetHorizAxis() || !GetVertAxis()) return -1;
    if (!IrregularGrid()) {
        const double o = centeredPoints_ ? 0.5 : 0;
        const double v = GetHorizAxis()->PixelToValue(x), w = GetVertAxis()->PixelToValue(y);
        const double rowValue = w + o - ZValues()->Lowest(), colValue = v + o - XValues()->Lowest();
        if (rowValue < 0 || colValue < 0) return -1;
        const int row = static_cast<int>(std::trunc(rowValue)), col = static_cast<int>(std::trunc(colValue));
        if (row >= NumZValues() || col >= NumXValues()) return -1;
        return GridIndexAt(col + 1, row + 1);
    }
    // Irregular: find the row and column bands that hold the point.
    const double h = centeredPoints_ ? 0.5 : 0;
    const auto band = [&](bool row, int pixel) {
        const TChartAxis& axis = row ? *GetVertAxis() : *GetHorizAxis();
        const int n = row ? NumZValues() : NumXValues();
        const TChartValueList& list = row ? *ZValues() : *XValues();
        const bool ascending = row ? axis.Inverted() : !axis.Inverted();
        for (int g = 0; g <= n; ++g) {
            const double edge = g < n ? list.ValueAt(referencePoint(g + 1, row)) - h
                                      : list.ValueAt(referencePoint(n, row)) + (row ? zStep() : xStep()) - h;
            const int limit = axis.ValueToPixel(edge);
            if (ascending ? pixel < limit : pixel > limit) return g;
        }
        return -1;
    };
    const int r = band(true, y), c = band(false, x);
    return r < 0 || c < 0 ? -1 : GridIndexAt(c, r);
}

// ---- gallery ----

void TColorGridSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustom3DGridSeries::ListGalleryStyles(add);
    add(TxtNoGrid);
    add(TxtBottomAxis);
    add(TxtLeftAxis);
}

void TColorGridSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 2: Pen()->SetVisible(false); break;
    case 3: SetDrawPlane3D(cpY); break;
    case 4: SetDrawPlane3D(cpX); break;
    default: TCustom3DGridSeries::ApplyGalleryStyle(index);
    }
}

void TColorGridSeries::ApplyGallery3D(bool is3D)
{
    TCustom3DGridSeries::ApplyGallery3D(is3D);
    if (TCustomAxisPanel* chart = ParentChart()) {
        chart->SetView3D(is3D);
        chart->SetClipPoints(true);
    }
}

void TColorGridSeries::SetupGalleryPreview()
{
    TCustom3DGridSeries::SetupGalleryPreview();
    SampleMode = true;
    BuildGrid(8, 4);
}

// ---- smoothing ----

void TSmoothPoints::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TSmoothPoints*>(source)) {
        active_ = s->active_;
        interpolate_ = s->interpolate_;
        return;
    }
    TPersistent::Assign(source);
}

void TSmoothPoints::change(bool& field, bool value)
{
    if (AssignIfChanged(field, value) && series_) series_->InvalidateChart();
}

std::vector<TPointFloat> TSmoothPoints::SmoothPolyline(std::span<const TPointFloat> points) const
{
    TBSpline spline(points);
    spline.SetInterpolating(interpolate_);
    spline.SetSegmentCount(static_cast<int>(points.size()) * factor_);
    const int segments = spline.SegmentCount();
    std::vector<TPointFloat> out(static_cast<size_t>(segments) + 1);
    for (int i = 0; i <= segments; ++i) {
        const T2DPoint p = spline.EvaluateAt(static_cast<double>(i) / segments);
        out[static_cast<size_t>(i)] = {static_cast<float>(p.X), static_cast<float>(p.Y)};
    }
    return out;
}
