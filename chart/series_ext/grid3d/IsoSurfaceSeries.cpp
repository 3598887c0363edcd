#include "chart/series_ext/grid3d/IsoSurfaceSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "platform/classes/Published.h"

namespace {

class TIsoSurfaceSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TIsoSurfaceEditor"; }
};

// Turns the canvas' anti-aliasing off for its lifetime, so neighbouring bands meet without seams.
class TSmoothingPause {
public:
    explicit TSmoothingPause(TCanvas3D& canvas) : canvas_(canvas), was_(canvas.IsSmoothingOn())
    {
        if (was_) canvas_.SetSmoothingOn(false);
    }
    ~TSmoothingPause()
    {
        if (was_) canvas_.SetSmoothingOn(true);
    }
    TSmoothingPause(const TSmoothingPause&) = delete;
    TSmoothingPause& operator=(const TSmoothingPause&) = delete;

private:
    TCanvas3D& canvas_;
    bool was_;
};

}  // namespace

TV_PUBLISHED(TSurfaceSides)
{
    Prop("Brush", &TSurfaceSides::Brush, &TSurfaceSides::SetBrush);
    Prop("Levels", &TSurfaceSides::Levels, &TSurfaceSides::SetLevels, true);
    Prop("Pen", &TSurfaceSides::Pen, &TSurfaceSides::SetPen);
}

TV_PUBLISHED_AS(TIsoSurfaceSeries, TIsoSurfaceSeriesClass)
{
    Prop("BandPen", &TIsoSurfaceSeries::BandPen, &TIsoSurfaceSeries::SetBandPen);
    Prop("Sides", &TIsoSurfaceSeries::Sides, &TIsoSurfaceSeries::SetSides);
    Prop("UseColorRange", &TIsoSurfaceSeries::UseColorRange, &TIsoSurfaceSeries::SetUseColorRange, false);
    Prop("UsePalette", &TIsoSurfaceSeries::UsePalette, &TIsoSurfaceSeries::SetUsePalette, true);
    Prop("UseYPosition", &TIsoSurfaceSeries::UseYPosition, &TIsoSurfaceSeries::SetUseYPosition, false);
    Prop("YPosition", &TIsoSurfaceSeries::YPosition, &TIsoSurfaceSeries::SetYPosition);
}

// ---- sides ----

TSurfaceSides::TSurfaceSides(TIsoSurfaceSeries* series)
    : series_(series), pen_(std::make_unique<TZebHiddenPen>(TNotifyEvent(this, &TSurfaceSides::changed)))
{
    if (!series_) ownBrush_ = std::make_unique<TZebBrush>();
}

TSurfaceSides::~TSurfaceSides() = default;

void TSurfaceSides::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TSurfaceSides*>(source)) {
        levels_ = s->levels_;
        pen_->Assign(s->pen_.get());
        return;
    }
    TPersistent::Assign(source);
}

TZebBrush* TSurfaceSides::Brush() const { return series_ ? series_->SideBrush() : ownBrush_.get(); }

void TSurfaceSides::SetBrush(TZebBrush* value) { Brush()->Assign(value); }

void TSurfaceSides::SetLevels(bool value)
{
    if (AssignIfChanged(levels_, value)) changed(nullptr);
}

void TSurfaceSides::SetPen(TZebPen* value) { pen_->Assign(value); }

void TSurfaceSides::changed(TObject*)
{
    if (series_) series_->InvalidateChart();
}

// ---- series ----

TIsoSurfaceSeries::TIsoSurfaceSeries(TComponent* owner)
    : TSurfaceSeries(owner),
      bandPen_(std::make_unique<TZebPen>(TNotifyEvent(static_cast<TCustomChartElement*>(this),
                                                      &TCustomChartElement::StyleChanged))),
      sides_(std::make_unique<TSurfaceSides>(this))
{
    cellsInOneRun_ = false;
    SetUseColorRange(false);
    SetUsePalette(true);
    Pen()->SetVisible(false);
}

TIsoSurfaceSeries::~TIsoSurfaceSeries() = default;

void TIsoSurfaceSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TIsoSurfaceSeries*>(source)) {
        useYPosition_ = s->useYPosition_;
        yPosition_ = s->yPosition_;
        bandPen_->Assign(s->bandPen_.get());
        sides_->Assign(s->sides_.get());
    }
    TSurfaceSeries::Assign(source);
}

void TIsoSurfaceSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TIsoSurfaceSeries*>(other)) {
        bandPen_->Assign(s->bandPen_.get());
        sides_->Assign(s->sides_.get());
    }
    TSurfaceSeries::CopyAppearance(other);
}

void TIsoSurfaceSeries::SetBandPen(TZebPen* value) { bandPen_->Assign(value); }

bool TIsoSurfaceSeries::flat() const
{
    const TCustomAxisPanel* chart = ParentChart();
    return !chart || !chart->View3D();
}

double TIsoSurfaceSeries::LowestY() { return flat() ? LowestZ() : TSurfaceSeries::LowestY(); }
double TIsoSurfaceSeries::HighestY() { return flat() ? HighestZ() : TSurfaceSeries::HighestY(); }

void TIsoSurfaceSeries::CacheAxisConversions()
{
    TSurfaceSeries::CacheAxisConversions();
    if (flat()) ys_ = zs_;
}

bool TIsoSurfaceSeries::HasSides() const { return TSurfaceSeries::HasSides() || sides_->Pen()->Visible(); }

TPoint TIsoSurfaceSeries::bandPointToScreen(double x, double z) const
{
    return {xAxis_->ValueToPixel(x), yAxis_->ValueToPixel(z)};
}

void TIsoSurfaceSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (UseColorRange()) RecolorPalette();
    const TCustom3DPalette& palette = Palette();
    if (!chart || palette.empty() || Count() == 0) return;
    difs_.emplace(XValues()->Values(), YValues()->Values(), ZValues()->Values(), palette.front().UpToValue,
                  palette.back().UpToValue);
    const TChartAxis* vert = GetVertAxis();
    yPositionPixel_ = vert ? vert->ValueToPixel(yPosition_) : 0;
    {
        const TSmoothingPause smoothing(*chart->Canvas3D());
        TSurfaceSeries::DrawVisiblePoints();
    }
    difs_.reset();
    screen_.clear();
    screen3D_.clear();
}

void TIsoSurfaceSeries::DrawCell(int x, int z)
{
    TCanvas3D* canvas = canvas_;
    if (!canvas || !difs_ || !CellCorners(x, z)) return;
    const int a = CellCorner[0], c = CellCorner[1], d = CellCorner[2], b = CellCorner[3];
    if (GetStoredColor(a) != clAutomatic) {
        TSurfaceSeries::DrawCell(x, z);
        return;
    }
    if (!difs_->PrepareCell(a, c, b, d)) return;
    const TPenStyle penStyle = canvas->Pen()->Style();
    if (penStyle != psClear) canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetStyle(Brush()->Style() == bsClear ? bsSolid : Brush()->Style());
    const TCustom3DPalette& palette = Palette();
    const int levels = static_cast<int>(palette.size());
    const double minLevel = palette.front().UpToValue, maxLevel = palette.back().UpToValue;
    for (int i = 1; i < levels; ++i) {
        const double upper = palette[static_cast<size_t>(i)].UpToValue;
        if (upper >= minLevel) {
            const TColor color = palette[static_cast<size_t>(i)].Color;
            if (color == clNullPoint) {
                canvas->Brush()->SetStyle(bsClear);
            } else {
                if (canvas->Brush()->Style() == bsClear) canvas->Brush()->SetStyle(bsSolid);
                if (canvas->Brush()->Color() != color) canvas->Brush()->SetColor(color);
            }
            difs_->BandPolygons([this](std::span<const TBandPoint> points) { drawBandPolygon(points); }, upper,
                                palette[static_cast<size_t>(i - 1)].UpToValue);
        }
        if (upper > maxLevel) break;
    }
    if (bandPen_->Visible()) {
        canvas->SelectPen(*bandPen_, bandPen_->Color());
        const bool flatView = flat();
        for (const TGridPalette& entry : palette) {
            if (entry.UpToValue < difs_->CellMin() || entry.UpToValue > difs_->CellMax()) continue;
            const int height = useYPosition_ ? yPositionPixel_ : yAxis_->ValueToPixel(entry.UpToValue);
            difs_->ContourCell(
                [&](const TLevelPoint& p, const TLevelPoint& q) {
                    if (flatView) {
                        const TPoint sp = bandPointToScreen(p.X, p.Z), sq = bandPointToScreen(q.X, q.Z);
                        canvas->DrawLine(sp.X, sp.Y, sq.X, sq.Y);
                    } else {
                        canvas->MoveToXYZ(xAxis_->ValueToPixel(p.X), height, zAxis_->ValueToPixel(p.Z));
                        canvas->LineToXYZ(xAxis_->ValueToPixel(q.X), height, zAxis_->ValueToPixel(q.Z));
                    }
                },
                entry.UpToValue);
        }
        canvas->Pen()->SetStyle(psClear);
    }
    if (penStyle != psClear) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->SelectPen(*Pen(), Pen()->Color());
        TSurfaceSeries::DrawCell(x, z);
        canvas->Pen()->SetStyle(penStyle);
    }
}

void TIsoSurfaceSeries::drawBandPolygon(std::span<const TBandPoint> points)
{
    if (flat()) {
        if (screen_.size() != points.size()) screen_.resize(points.size());
        for (size_t i = 0; i < points.size(); ++i) screen_[i] = bandPointToScreen(points[i].X, points[i].Z);
        canvas_->Polygon(screen_);
        return;
    }
    if (screen3D_.size() != points.size()) screen3D_.resize(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        screen3D_[i] = {xAxis_->ValueToPixel(points[i].X),
                        useYPosition_ ? yPositionPixel_ : yAxis_->ValueToPixel(points[i].Y),
                        zAxis_->ValueToPixel(points[i].Z)};
    canvas_->PolygonXYZ(screen3D_);
}

void TIsoSurfaceSeries::SetupGalleryPreview()
{
    TSurfaceSeries::SetupGalleryPreview();
    SetFastBrush(true);
    bandPen_->SetVisible(false);
}

// A side face cut into bands at the palette levels from its bottom up to its top edge; where the
// top edge slopes along X, each band's upper end follows it.
void TIsoSurfaceSeries::DrawSidePlane(const TFourPoints& points, int z0, int z1)
{
    TCanvas3D* canvas = canvas_;
    if (!canvas || !yAxis_) return;
    TFourPoints p = points;
    const bool alongX = z0 == z1;
    const int a = std::min(p[0].Y, p[3].Y), b = std::max(p[0].Y, p[3].Y);
    const double slope =
        p[0].Y == p[3].Y || !alongX ? 0.0 : std::abs(static_cast<double>(p[0].X - p[3].X) / (p[3].Y - p[0].Y));
    const bool lowEndIsLast = !(points[3].Y < points[0].Y);
    TZebBrush& brush = *sides_->Brush();
    canvas->SelectBrush(brush, brush.Color(), brush.BackColor());
    const auto fill = [&](const TGridPalette& entry, bool keepPen) {
        if (sides_->Levels() && canvas->Brush()->Style() != bsClear) {
            if (entry.Color == clNullPoint) return;
            canvas->Brush()->SetColor(entry.Color);
        }
        const TPenStyle style = canvas->Pen()->Style();
        if (!keepPen) canvas->Pen()->SetStyle(psClear);
        canvas->PlaneFromPointBlock(p, z0, z1);
        if (!keepPen) canvas->Pen()->SetStyle(style);
    };
    const auto line = [&] {
        if (!sides_->Pen()->Visible()) return;
        canvas->SelectPen(*sides_->Pen(), sides_->Pen()->Color());
        canvas->MoveToXYZ(p[1].X, p[1].Y - 1, z0);
        canvas->LineToXYZ(p[2].X, p[2].Y - 1, z1);
        canvas->Pen()->SetStyle(psClear);
    };
    int e = p[1].Y;
    for (const TGridPalette& entry : Palette()) {
        int h = yAxis_->ValueToPixel(entry.UpToValue);
        if (h >= e) continue;
        p[1].Y = p[2].Y = e;
        if (h < b) {
            h = std::max(h, a);
            if (b < e) {
                p[0].Y = p[3].Y = b;
                fill(entry, false);
                line();
                p[1].Y = p[2].Y = b;
            }
            p[0].Y = p[3].Y = h;
            const int shift = RoundHalfEven((h - a) * slope);
            if (alongX && lowEndIsLast) {
                p[3].X = p[0].X - shift;
                fill(entry, false);
                p[2].X = p[3].X;
            } else if (alongX) {
                p[0].X = p[3].X + shift;
                fill(entry, false);
                p[1].X = p[0].X;
            } else
                fill(entry, false);
        } else {
            p[0].Y = p[3].Y = h;
            fill(entry, true);
        }
        if (h <= a) break;
        line();
        e = h;
    }
}
