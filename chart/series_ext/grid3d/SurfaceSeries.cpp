#include "chart/series_ext/grid3d/SurfaceSeries.h"

#include <algorithm>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ZebSelected.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SortByCallbacks.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "platform/classes/Published.h"

namespace {

int rotationOf(const TCustomAxisPanel* chart)
{
    return chart && chart->View3DOptions() ? chart->View3DOptions()->Rotation() : 0;
}

// Turns the canvas' anti-aliasing off for its lifetime when asked, so borderless cells meet
// without seams.
class TSmoothingOff {
public:
    TSmoothingOff(TCanvas3D& canvas, bool off) : canvas_(canvas), restore_(off && canvas.IsSmoothingOn())
    {
        if (restore_) canvas_.SetSmoothingOn(false);
    }
    ~TSmoothingOff()
    {
        if (restore_) canvas_.SetSmoothingOn(true);
    }
    TSmoothingOff(const TSmoothingOff&) = delete;
    TSmoothingOff& operator=(const TSmoothingOff&) = delete;

private:
    TCanvas3D& canvas_;
    bool restore_;
};

class TSurfaceSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TSurfaceSeriesEditor"; }
};

class TWaterFallSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TWaterFallEditor"; }
};

}  // namespace

TV_PUBLISHED_AS(TSurfaceSeries, TSurfaceSeriesClass)
{
    Prop("DotFrame", &TSurfaceSeries::DotFrame, &TSurfaceSeries::SetDotFrame, false);
    Prop("FastBrush", &TSurfaceSeries::FastBrush, &TSurfaceSeries::SetFastBrush, false);
    Prop("HideCells", &TSurfaceSeries::HideCells, &TSurfaceSeries::SetHideCells, true);
    Prop("SideBrush", &TSurfaceSeries::SideBrush, &TSurfaceSeries::SetSideBrush);
    Prop("SideLines", &TSurfaceSeries::SideLines, &TSurfaceSeries::SetSideLines);
    Prop("SmoothPalette", &TSurfaceSeries::SmoothPalette, &TSurfaceSeries::SetSmoothPalette, false);
    Prop("WireFrame", &TSurfaceSeries::WireFrame, &TSurfaceSeries::SetWireFrame, false);
}

TV_PUBLISHED_AS(TWaterFallSeries, TWaterFallSeriesClass)
{
    Prop("HideCells", &TWaterFallSeries::HideCells, &TWaterFallSeries::SetHideCells, false);
    Prop("WaterFall", &TWaterFallSeries::WaterFall, &TWaterFallSeries::SetWaterFall, true);
    Prop("WaterLines", &TWaterFallSeries::WaterLines, &TWaterFallSeries::SetWaterLines);
}

TSurfaceSeries::TSurfaceSeries(TComponent* owner)
    : TCustom3DGridSeries(owner),
      sideBrush_(std::make_unique<TZebBrush>(TNotifyEvent(this, &TSurfaceSeries::sideChanged))),
      sideLines_(std::make_unique<TZebHiddenPen>(TNotifyEvent(this, &TSurfaceSeries::sideChanged))),
      waterLines_(CreatePen())
{
    CellStepX = -1;
    CellStepZ = -1;
    sideBrush_->SetStyle(bsClear);
    Selected()->Hover()->SetVisible(false);
    Selected()->Hover()->SetShapeStyle(fosEllipse);
}

TSurfaceSeries::~TSurfaceSeries() = default;

void TSurfaceSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TSurfaceSeries*>(source)) {
        hideCells_ = s->hideCells_;
        waterFall_ = false;
        // The appearance travels with the settings, as in the stored form.
        wireFrame_ = s->wireFrame_;
        dotFrame_ = s->dotFrame_;
        smoothPalette_ = s->smoothPalette_;
        fastBrush_ = s->fastBrush_;
        sideBrush_->Assign(s->sideBrush_.get());
        sideLines_->Assign(s->sideLines_.get());
        waterLines_->Assign(s->waterLines_.get());
    }
    TCustom3DGridSeries::Assign(source);
}

void TSurfaceSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TSurfaceSeries*>(other)) {
        dotFrame_ = s->dotFrame_;
        sideBrush_->Assign(s->sideBrush_.get());
        sideLines_->Assign(s->sideLines_.get());
        smoothPalette_ = s->smoothPalette_;
        waterLines_->Assign(s->waterLines_.get());
        wireFrame_ = s->wireFrame_;
    }
    TCustom3DGridSeries::CopyAppearance(other);
}

void TSurfaceSeries::SetWireFrame(bool value)
{
    if (value) {
        Pen()->SetVisible(true);
        dotFrame_ = false;
    }
    ChangeBoolean(wireFrame_, value);
}

void TSurfaceSeries::SetDotFrame(bool value)
{
    if (value) {
        Pen()->SetVisible(true);
        wireFrame_ = false;
    }
    ChangeBoolean(dotFrame_, value);
}

void TSurfaceSeries::SetSideBrush(TZebBrush* value) { sideBrush_->Assign(value); }
void TSurfaceSeries::SetSideLines(TZebPen* value) { sideLines_->Assign(value); }
void TSurfaceSeries::SetWaterLines(TZebPen* value) { waterLines_->Assign(value); }

// ---- order ----

TSurfaceSeries::TCellOrder TSurfaceSeries::GetCellOrder()
{
    const int nx = NumXValues(), nz = NumZValues();
    TCellOrder o{};
    if (IsDepthViewReversed(*this)) {
        CellStepZ = 1;
        o.colStart = 1, o.colEnd = waterFall_ ? nz + 1 : nz, o.colStep = 1;
    } else {
        CellStepZ = -1;
        o.colStart = nz, o.colEnd = waterFall_ ? 0 : 1, o.colStep = -1;
    }
    if (IsPointOrderForward()) {
        CellStepX = -1;
        o.rowStart = 2, o.rowEnd = nx + 1, o.rowStep = 1;
    } else {
        CellStepX = 1;
        o.rowStart = nx - 1, o.rowEnd = 0, o.rowStep = -1;
    }
    return o;
}

void TSurfaceSeries::CacheAxisConversions()
{
    const TCustomAxisPanel* chart = ParentChart();
    xAxis_ = GetHorizAxis();
    yAxis_ = GetVertAxis();
    zAxis_ = chart ? chart->DepthAxis() : nullptr;
    xs_ = XValues()->Values();
    ys_ = YValues()->Values();
    zs_ = ZValues()->Values();
}

TPoint TSurfaceSeries::NodeScreenPoint(int index) const
{
    return {xAxis_->ValueToPixel(xs_[index]), yAxis_->ValueToPixel(ys_[index])};
}

bool TSurfaceSeries::CanvasDrawsWholeSurface() const
{
    const TCustomAxisPanel* chart = ParentChart();
    return chart && chart->Canvas3D()->IsTrue3D();
}

bool TSurfaceSeries::HasSides() const { return sideBrush_->Style() != bsClear || sideLines_->Visible(); }

// ---- drawing ----

void TSurfaceSeries::prepareCanvas(TCanvas3D& canvas)
{
    if (Pen()->Visible() || wireFrame_ || dotFrame_)
        canvas.SelectPen(*Pen(), Pen()->Color());
    else
        canvas.Pen()->SetStyle(psClear);
    canvas.SelectBrush(*Brush(), SeriesColor(), SeriesColor());
    uniformColor_ = !(UseColorRange() || UsePalette()) || Brush()->HasImage();
    if (wireFrame_ || dotFrame_) canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(TRANSPARENT);
}

void TSurfaceSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || Count() == 0 || GridIndexStale()) {
        RememberView();
        return;
    }
    TCanvas3D& canvas = *chart->Canvas3D();
    canvas_ = &canvas;
    prepareCanvas(canvas);
    CacheAxisConversions();
    const bool sides = HasSides();
    if (sides) {
        drawSides(canvas, false);
        prepareCanvas(canvas);
    }
    TZebBlend* blend = Transparency() > 0 ? canvas.StartBlend(chart->ChartRect(), Transparency()) : nullptr;
    {
        const bool borderless = canvas.Pen()->Style() == psClear;
        const TSmoothingOff smoothing(canvas, borderless);
        drawCells(canvas, GetCellOrder());
    }
    if (IsHoverEnabled()) drawHoverMark(canvas, SelectedOrNull()->HoverIndex());
    if (blend) canvas.FinishBlend(blend);
    if (sides) drawSides(canvas, true);
    RememberView();
    canvas_ = nullptr;
}

void TSurfaceSeries::drawCells(TCanvas3D& canvas, const TCellOrder& o)
{
    // The fast brush colours cells through the device context's own brush, where the canvas has one.
    cellDC_ = fastBrush_ && !wireFrame_ && canvas.Brush()->Style() == bsSolid && canvas.SelectStockDCBrush()
                  ? canvas.GetDeviceContext()
                  : nullptr;
    collectCells_ = !cellDC_ && cellsInOneRun_ && !wireFrame_ && !dotFrame_ && !waterFall_;
    runBlocks_.clear();
    runDepths_.clear();
    runColors_.clear();
    drawCellsInOrder(canvas, o);
    if (collectCells_ && !runColors_.empty()) canvas.ColoredPointBlocks(runBlocks_, runDepths_, runColors_);
    collectCells_ = false;
    if (cellDC_) canvas.ApplyBrush(*canvas.Brush());
    cellDC_ = nullptr;
}

void TSurfaceSeries::drawCellsInOrder(TCanvas3D& canvas, const TCellOrder& o)
{
    const int rotation = rotationOf(ParentChart());
    const bool sortable = rotation < 30 || rotation > 330 || (rotation >= 151 && rotation <= 209);
    lastDrawSorted_ = hideCells_ && !canvas.IsTrue3D() && sortable;
    const auto rowsOf = [&o] {
        std::vector<int> rows;
        for (int r = o.rowStart; r != o.rowEnd; r += o.rowStep) rows.push_back(r);
        return rows;
    };
    if (!lastDrawSorted_) {
        std::vector<int> rows = rowsOf();
        const TCustomAxisPanel* chart = ParentChart();
        const bool straight = chart && chart->View3DOptions() && !canvas.IsTrue3D() &&
                              chart->View3DOptions()->Perspective() >= 1 && rotation % 180 == 0;
        if (straight && !rows.empty()) {
            // From both ends towards the middle, so near rows of either half cover far ones.
            std::vector<int> alternate;
            for (size_t a = 0, b = rows.size() - 1; a <= b && b < rows.size(); ++a, --b) {
                alternate.push_back(rows[a]);
                if (a != b) alternate.push_back(rows[b]);
                if (b == 0) break;
            }
            rows = std::move(alternate);
        }
        for (int r : rows)
            for (int c = o.colStart; c != o.colEnd; c += o.colStep) DrawCell(r, c);
        return;
    }
    records_.clear();
    for (int r = o.rowStart; r != o.rowEnd; r += o.rowStep)
        for (int c = o.colStart; c != o.colEnd; c += o.colStep) {
            const bool valid = waterFall_ ? GridIndexAt(r, c) >= 0 && GridIndexAt(r + CellStepX, c) >= 0
                                          : CellCorners(r, c);
            records_.push_back({r, c, valid ? zs_[waterFall_ ? GridIndexAt(r, c) : CellCorner[0]] : 0.0, valid});
        }
    const bool back = rotation >= 151 && rotation <= 209;
    const bool inverted = zAxis_ && zAxis_->Inverted();
    const bool descending = back == inverted;
    SortByCallbacks(
        0, static_cast<int>(records_.size()) - 1,
        [this, descending](int a, int b) {
            const TCellRecord &ra = records_[static_cast<size_t>(a)], &rb = records_[static_cast<size_t>(b)];
            if (!ra.valid || !rb.valid || ra.z == rb.z) return 0;
            return (ra.z < rb.z) != descending ? -1 : 1;
        },
        [this](int a, int b) { std::swap(records_[static_cast<size_t>(a)], records_[static_cast<size_t>(b)]); });
    for (const TCellRecord& r : records_)
        if (r.valid) DrawCell(r.row, r.col);
}

// An 8 x 8 pixel mark on the hovered node, at its depth, in the hover's pen, brush and shape.
void TSurfaceSeries::drawHoverMark(TCanvas3D& canvas, int index)
{
    if (index < 0 || index >= Count() || !ApplyHoverPen(index)) return;
    const TZebHover& hover = *SelectedOrNull()->Hover();
    canvas.SelectBrush(*hover.Brush(), hover.Brush()->Color(), hover.Brush()->BackColor());
    const TPoint p = NodeScreenPoint(index);
    const TRect mark{p.X - 4, p.Y - 4, p.X + 4, p.Y + 4};
    const int z = PointScreenZ(index);
    switch (hover.ShapeStyle()) {
    case fosRectangle: canvas.RectangleAtZ(mark, z); break;
    case fosRoundRectangle: canvas.RoundRectAtZ(mark, hover.RoundSize(), hover.RoundSize(), z); break;
    case fosEllipse: canvas.EllipseRectAtZ(mark, z); break;
    }
}

void TSurfaceSeries::DrawPoint(int index)
{
    DrawCell(RoundHalfEven(XValues()->ValueAt(index)), RoundHalfEven(ZValues()->ValueAt(index)));
}

void TSurfaceSeries::DrawCell(int x, int z)
{
    TCanvas3D* canvas = canvas_;
    if (!canvas || !xAxis_ || !yAxis_) return;
    int corners[4];
    if (waterFall_) {
        const int a = GridIndexAt(x, z), b = GridIndexAt(x + CellStepX, z);
        if (a < 0 || b < 0) return;
        corners[0] = corners[3] = a;
        corners[1] = corners[2] = b;
    } else {
        if (!CellCorners(x, z)) return;
        std::copy(CellCorner.begin(), CellCorner.end(), corners);
    }
    // The corner with the smaller X index and the larger Z index colours the cell.
    const int colorCorner = CellStepX > 0 ? (CellStepZ > 0 ? 3 : 0) : (CellStepZ > 0 ? 2 : 1);
    TColor color = GetPointColor(corners[colorCorner]);
    if (color == clNullPoint) return;
    const int z0 = depthPixel(corners[0]), z2 = depthPixel(corners[2]);
    TFourPoints p;
    for (int i = 0; i < 4; ++i) p[static_cast<size_t>(i)] = NodeScreenPoint(corners[i]);
    if (!uniformColor_) {
        if (smoothPalette_)
            color = ColorOfValue((ys_[corners[0]] + ys_[corners[1]] + ys_[corners[2]] + ys_[corners[3]]) / 4);
        if (wireFrame_)
            canvas->Pen()->SetColor(color);
        else if (cellDC_)
            cellDC_->SetDCBrushColor(color);
        else if (canvas->Brush()->Style() != bsClear && canvas->Brush()->Color() != color)
            canvas->Brush()->SetColor(color);
    }
    if (dotFrame_) {
        for (int i = 0; i < 4; ++i)
            canvas->SetPixelAtZ(p[static_cast<size_t>(i)].X, p[static_cast<size_t>(i)].Y, i < 2 ? z0 : z2,
                                GetPointColor(corners[i]));
        return;
    }
    if (collectCells_) {
        runBlocks_.push_back(p);
        runDepths_.push_back(z0);
        runDepths_.push_back(z2);
        runColors_.push_back(canvas->Brush()->Color());
        return;
    }
    if (!waterFall_) {
        canvas->PlaneFromPointBlock(p, z0, z2);
        return;
    }
    const int bottom = yAxis_->Inverted() ? yAxis_->StartPixel() : yAxis_->EndPixel();
    const TPoint p0 = p[0], p1 = p[1];
    if (!wireFrame_) {
        TZebPen keep;
        keep.AssignZebPen(*canvas->Pen());
        canvas->Pen()->SetStyle(psClear);
        canvas->PlaneFromFourPoints(p0, p1, {p1.X, bottom}, {p0.X, bottom}, z0);
        canvas->Pen()->AssignZebPen(keep);
    }
    canvas->LineAtZ(p0.X, p0.Y, p1.X, p1.Y, z0);
    if (waterLines_->Visible()) {
        TZebPen keep;
        keep.AssignZebPen(*canvas->Pen());
        canvas->SelectPen(*waterLines_, waterLines_->Color());
        canvas->LineAtZ(p0.X, p0.Y, p0.X, bottom, z0);
        canvas->LineAtZ(p1.X, p1.Y, p1.X, bottom, z0);
        canvas->Pen()->AssignZebPen(keep);
    }
}

void TSurfaceSeries::DrawSidePlane(const TFourPoints& points, int z0, int z1)
{
    if (canvas_) canvas_->PlaneFromPointBlock(points, z0, z1);
}

bool TSurfaceSeries::planeFacesViewer(TCanvas3D& canvas, int z) const
{
    const TCustomAxisPanel* chart = ParentChart();
    const TRect r = chart->ChartRect();
    const auto* full = dynamic_cast<const TCustomChart*>(chart);
    const int wall = full && yAxis_ ? full->WallSizeAt(xAxis_) : 0;
    const TPoint pts[3] = {canvas.ProjectXYZ(r.Right, r.Top, z), canvas.ProjectXYZ(r.Right, r.Bottom + wall, z),
                           canvas.ProjectXYZ(r.Left, r.Bottom + wall, z)};
    return !IsBackFacingTriangle(pts);
}

void TSurfaceSeries::drawSides(TCanvas3D& canvas, bool front)
{
    const auto* chart = dynamic_cast<const TCustomChart*>(ParentChart());
    const int nx = NumXValues(), nz = NumZValues();
    if (!chart || nx < 1 || nz < 1) return;
    const double lowest = yAxis_->Inverted() ? YValues()->Highest() : YValues()->Lowest();
    const int bottom = yAxis_->ValueToPixel(lowest);
    canvas.SelectBrush(*sideBrush_, sideBrush_->Color(), sideBrush_->Color());
    if (sideLines_->Visible())
        canvas.SelectPen(*sideLines_, sideLines_->Color());
    else
        canvas.Pen()->SetStyle(psClear);
    // One face between two edge nodes; left out when either has no point.
    const auto face = [&](int x0, int z0, int x1, int z1) {
        const int a = GridIndexAt(x0, z0), b = GridIndexAt(x1, z1);
        if (a < 0 || b < 0) return;
        const TPoint pa = NodeScreenPoint(a), pb = NodeScreenPoint(b);
        DrawSidePlane({pa, TPoint{pa.X, bottom}, TPoint{pb.X, bottom}, pb}, depthPixel(a), depthPixel(b));
    };
    const bool xInverted = xAxis_->Inverted(), zInverted = zAxis_ && zAxis_->Inverted();
    const int leftRow = xInverted ? nx : 1, rightRow = xInverted ? 1 : nx;
    if (chart->IsLeftSideVisible() == front)
        for (int c = nz; c > 1; --c) face(leftRow, c, leftRow, c - 1);
    if (chart->IsRightSideVisible() == front)
        for (int c = nz; c > 1; --c) face(rightRow, c, rightRow, c - 1);
    const int farCol = zInverted ? 1 : nz, nearCol = zInverted ? nz : 1;
    const TDepthRange depth = DepthRange();
    if (planeFacesViewer(canvas, depth.end) == front)
        for (int r = 2; r <= nx; ++r) face(r, farCol, r - 1, farCol);
    if (planeFacesViewer(canvas, 0) != front) {
        for (int r = 2; r <= nx; ++r) face(r, nearCol, r - 1, nearCol);
        const int corner = GridIndexAt(nx, nearCol);
        if (corner >= 0) {
            const TPoint p = NodeScreenPoint(corner);
            canvas.Pen()->SetStyle(psSolid);
            canvas.Pen()->SetColor(sideLines_->Color());
            canvas.LineAtZ(p.X, p.Y, p.X, bottom, depthPixel(corner));
        }
    }
}

// ---- mouse ----

int TSurfaceSeries::HitTest(int x, int y)
{
    if (GridIndexStale() || Count() == 0 || !ParentChart()) return -1;
    CacheAxisConversions();
    if (!xAxis_ || !yAxis_) return -1;
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    for (int i = 0; i < Count(); ++i) {
        const TPoint node = NodeScreenPoint(i);
        const TPoint p = canvas.ProjectXYZ(node.X, node.Y, depthPixel(i));
        if (std::abs(p.X - x) < 4 && std::abs(p.Y - y) < 4) return i;
    }
    return -1;
}

int TSurfaceSeries::CellAtPoint(int x, int y)
{
    if (GridIndexStale() || Count() == 0 || !ParentChart()) return -1;
    CacheAxisConversions();
    if (!xAxis_ || !yAxis_) return -1;
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    TCellOrder o = GetCellOrder();
    // Front to back: the first cell that holds the point is the one seen there.
    const int first = o.colStart, last = o.colEnd - o.colStep;
    o.colStart = last, o.colEnd = first - o.colStep, o.colStep = -o.colStep;
    for (int r = o.rowStart; r != o.rowEnd; r += o.rowStep)
        for (int c = o.colStart; c != o.colEnd; c += o.colStep) {
            if (!CellCorners(r, c)) continue;
            const int z0 = depthPixel(CellCorner[0]), z2 = depthPixel(CellCorner[2]);
            TPoint poly[4];
            for (int i = 0; i < 4; ++i) {
                const TPoint n = NodeScreenPoint(CellCorner[static_cast<size_t>(i)]);
                poly[i] = canvas.ProjectXYZ(n.X, n.Y, i < 2 ? z0 : z2);
            }
            if (PointInPolygon({x, y}, poly)) return CellCorner[0];
        }
    return -1;
}

// ---- gallery ----

void TSurfaceSeries::SetupGalleryPreview()
{
    TCustom3DGridSeries::SetupGalleryPreview();
    SampleMode = true;
    BuildGrid(10, 10);
}

void TSurfaceSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustom3DGridSeries::ListGalleryStyles(add);
    add(TxtWireframe);
    add(TxtDotFrame);
    add(TxtSides);
    add(TxtNoBorder);
}

void TSurfaceSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 2: SetWireFrame(true); break;
    case 3: SetDotFrame(true); break;
    case 4: sideBrush_->SetStyle(bsSolid); break;
    case 5: Pen()->SetVisible(false); break;
    default: TCustom3DGridSeries::ApplyGalleryStyle(index);
    }
}

// ---- water fall ----

TWaterFallSeries::TWaterFallSeries(TComponent* owner) : TSurfaceSeries(owner)
{
    SetWaterFall(true);
    SetHideCells(false);
}

void TWaterFallSeries::Assign(TPersistent* source)
{
    TSurfaceSeries::Assign(source);
    SetWaterFall(true);
}

void TWaterFallSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TSurfaceSeries::ListGalleryStyles(add);
    add(TxtNoLines);
}

void TWaterFallSeries::ApplyGalleryStyle(int index)
{
    if (index == 6)
        WaterLines()->SetVisible(false);
    else
        TSurfaceSeries::ApplyGalleryStyle(index);
}

void TWaterFallSeries::ApplyGallery3D(bool is3D)
{
    TSurfaceSeries::ApplyGallery3D(is3D);
    if (TCustomAxisPanel* chart = ParentChart()) chart->SetView3D(is3D);
}
