#include "chart/series_ext/grid3d/ContourSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/MarkPositions.h"
#include "chart/core/OwnedSeries.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/SeriesPointer.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/series_ext/grid3d/IsoSurfaceSeries.h"
#include "platform/classes/Published.h"
#include "platform/rtl/FloatFormat.h"

namespace {

class TContourSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TContourSeriesEditor"; }
};

// The series creates, clears or frees its levels: that switches nothing to manual levels.
class TLevelUpdate {
public:
    explicit TLevelUpdate(int& count) : count_(count) { ++count_; }
    ~TLevelUpdate() { --count_; }
    TLevelUpdate(const TLevelUpdate&) = delete;
    TLevelUpdate& operator=(const TLevelUpdate&) = delete;

private:
    int& count_;
};

// Distance from p to the segment a-b, in pixels.
double segmentDistance(TPoint p, TPoint a, TPoint b)
{
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

// A pointer whose stored default is hidden.
class TPresetPointer : public TSeriesPointer {
public:
    using TSeriesPointer::PresetVisible;
    using TSeriesPointer::TSeriesPointer;
};

}  // namespace

TV_PUBLISHED(TContourLevel)
{
    Prop("Color", &TContourLevel::Color, &TContourLevel::SetColor);
    Prop("Pen", &TContourLevel::Pen, &TContourLevel::SetPen).Stored(&TContourLevel::HasPen);
    Prop("Text", &TContourLevel::Text, &TContourLevel::SetText);
    Prop("UpToValue", &TContourLevel::UpToValue, &TContourLevel::SetUpToValue);
}

TV_PUBLISHED(TContourLevels) {}

TV_PUBLISHED(TContourMarks)
{
    Prop("AntiOverlap", &TContourMarks::AntiOverlap, &TContourMarks::SetAntiOverlap, false);
    Prop("AtSegments", &TContourMarks::AtSegments, &TContourMarks::SetAtSegments, true);
    Prop("ColorLevel", &TContourMarks::ColorLevel, &TContourMarks::SetColorLevel, false);
    Prop("Density", &TContourMarks::Density, &TContourMarks::SetDensity, 4);
    Prop("Margin", &TContourMarks::Margin, &TContourMarks::SetMargin, 0);
    Prop("Visible", &TContourMarks::Visible, &TContourMarks::SetVisible).Stored(false);
}

TV_PUBLISHED_AS(TContourSeries, TContourSeriesClass)
{
    Prop("AutomaticLevels", &TContourSeries::AutomaticLevels, &TContourSeries::SetAutomaticLevels, true);
    Prop("CellPen", &TContourSeries::CellPen, &TContourSeries::SetCellPen).Stored(&TContourSeries::HasCellPen);
    Prop("ColorEachPoint", &TContourSeries::ColorEachPoint, &TContourSeries::SetColorEachPoint, true);
    Prop("ContourMarks", &TContourSeries::ContourMarks, &TContourSeries::SetContourMarks);
    Prop("Filled", &TContourSeries::Filled, &TContourSeries::SetFilled, false);
    Prop("Frame", &TContourSeries::Frame, &TContourSeries::SetFrame);
    Prop("LegendLines", &TContourSeries::LegendLines, &TContourSeries::SetLegendLines, false);
    Prop("Levels", &TContourSeries::Levels, &TContourSeries::SetLevels).Stored(&TContourSeries::IsLevelsStored);
    PropColor("LinesColor", &TContourSeries::LinesColor, &TContourSeries::SetLinesColor, clBlack);
    Prop("NumLevels", &TContourSeries::NumLevels, &TContourSeries::SetNumLevels, 10);
    Prop("Pointer", &TContourSeries::Pointer, &TContourSeries::SetPointer);
    Prop("Smoothing", &TContourSeries::Smoothing, &TContourSeries::SetSmoothing);
    Prop("UseColorRange", &TContourSeries::UseColorRange, &TContourSeries::SetUseColorRange, false);
    Prop("YPosition", &TContourSeries::YPosition, &TContourSeries::SetYPosition);
    Prop("YPositionLevel", &TContourSeries::YPositionLevel, &TContourSeries::SetYPositionLevel, false);
    Prop("OnBeforeDrawLevel", &TContourSeries::OnBeforeDrawLevel, &TContourSeries::SetOnBeforeDrawLevel);
    Prop("OnGetLevel", &TContourSeries::OnGetLevel, &TContourSeries::SetOnGetLevel);
}

// ---- level ----

TContourLevel::TContourLevel(TCollection* collection) : TCollectionItem(collection)
{
    if (TContourSeries* s = Series(); s && !s->UpdatingLevels()) s->SetAutomaticLevels(false);
}

TContourLevel::~TContourLevel()
{
    TContourSeries* s = Series();
    if (s && !s->UpdatingLevels() && !s->ComponentState().Contains(csDestroying)) {
        s->SetAutomaticLevels(false);
        s->InvalidateChart();
    }
}

TContourSeries* TContourLevel::Series() const
{
    // The collection finds its series by cast: a level may sit in a collection of another kind.
    const auto* levels = dynamic_cast<const TContourLevels*>(Collection());
    return levels ? levels->Series() : nullptr;
}

void TContourLevel::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TContourLevel*>(source);
    if (!s) return inherited::Assign(source);
    color_ = s->color_;
    upToValue_ = s->upToValue_;
    text_ = s->text_;
    if (s->pen_)
        Pen()->Assign(s->pen_.get());
    else
        pen_.reset();
}

void TContourLevel::SetColor(TColor value)
{
    if (!AssignIfChanged(color_, value)) return;
    if (pen_) pen_->SetColor(value);
    if (TContourSeries* s = Series()) {
        s->SetAutomaticLevels(false);
        s->InvalidateChart();
    }
}

void TContourLevel::SetUpToValue(double value)
{
    if (!AssignIfChanged(upToValue_, value)) return;
    if (TContourSeries* s = Series()) {
        s->SetAutomaticLevels(false);
        s->MarkLinesStale();
        s->InvalidateChart();
    }
}

TZebPen* TContourLevel::Pen()
{
    if (!pen_) {
        pen_ = std::make_unique<TZebPen>(TNotifyEvent(this, &TContourLevel::penChanged));
        pen_->SetColor(DrawColor());
    }
    return pen_.get();
}

void TContourLevel::SetPen(TZebPen* value)
{
    if (value)
        Pen()->Assign(value);
    else
        pen_.reset();
    if (TContourSeries* s = Series()) s->InvalidateChart();
}

void TContourLevel::SetText(const String& value)
{
    if (AssignIfChanged(text_, value))
        if (TContourSeries* s = Series()) s->InvalidateChart();
}

void TContourLevel::penChanged(TObject*)
{
    if (TContourSeries* s = Series()) s->InvalidateChart();
}

TColor TContourLevel::DrawColor() const
{
    if (color_ != clAutomatic) return color_;
    const TContourSeries* s = Series();
    if (!s) return clBlack;
    if (s->UseColorRange() || s->UsePalette()) return s->ColorOfValue(upToValue_);
    if (!s->ColorEachPoint()) return s->SeriesColor();
    const TCustomAxisPanel* chart = s->ParentChart();
    return chart ? chart->PaletteColor(Index()) : s->SeriesColor();
}

TZebPen* TContourLevel::DrawPen() const
{
    if (pen_) return pen_.get();
    const TContourSeries* s = Series();
    return s ? s->Pen() : nullptr;
}

// ---- levels ----

TContourLevels::TContourLevels(TContourSeries* series)
    : TOwnedCollection(series, TContourLevel::StaticClass()), series_(series)
{
}

TContourLevel* TContourLevels::AddLevel(TColor color, double value)
{
    auto* level = static_cast<TContourLevel*>(Add());
    level->color_ = color;
    level->upToValue_ = value;
    if (series_) series_->MarkLinesStale();
    return level;
}

int TContourLevels::FindLevelAt(int x, int y) const
{
    if (!series_) return -1;
    for (int i = 0; i < Count(); ++i)
        for (const TLevelPoints& line : GetLevel(i)->Lines())
            for (size_t k = 1; k < line.size(); ++k)
                if (segmentDistance({x, y}, series_->LevelPointToScreen(line[k - 1]),
                                    series_->LevelPointToScreen(line[k])) <= 1)
                    return i;
    return -1;
}

// ---- marks ----

void TContourMarks::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TContourMarks*>(source);
    if (!s) return TPersistent::Assign(source);
    antiOverlap_ = s->antiOverlap_;
    atSegments_ = s->atSegments_;
    colorLevel_ = s->colorLevel_;
    density_ = s->density_;
    margin_ = s->margin_;
}

template <class T>
void TContourMarks::change(T& field, T value)
{
    if (AssignIfChanged(field, value) && series_) series_->InvalidateChart();
}

bool TContourMarks::Visible() const { return series_ && series_->HasMarks() && series_->MarksOrNull()->Visible(); }

void TContourMarks::SetVisible(bool value)
{
    if (series_) series_->Marks().SetVisible(value);
}

// ---- series ----

TContourSeries::TContourSeries(TComponent* owner)
    : TCustom3DGridSeries(owner),
      levels_(std::make_unique<TContourLevels>(this)),
      frame_(std::make_unique<TZebHiddenPen>(TNotifyEvent(static_cast<TCustomChartElement*>(this),
                                                          &TCustomChartElement::StyleChanged))),
      smoothing_(std::make_unique<TSmoothPoints>(this)),
      contourMarks_(std::make_unique<TContourMarks>(this))
{
    Brush()->SetStyle(bsClear);
    SetColorEachPoint(true);
    SetUseColorRange(false);
    // Hidden is the stored default of both.
    auto pointer = std::make_unique<TPresetPointer>(this);
    pointer->PresetVisible(false);
    pointer->Pen()->InitVisible(false);
    pointer->SetSymbolSize(2);
    pointer_ = std::move(pointer);
}

TContourSeries::~TContourSeries()
{
    const TLevelUpdate update(updatingLevels_);
    levels_.reset();
}

void TContourSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TContourSeries*>(source)) {
        {
            const TLevelUpdate update(updatingLevels_);
            levels_->Assign(s->levels_.get());
        }
        automaticLevels_ = s->automaticLevels_;
        numLevels_ = s->numLevels_;
        yPosition_ = s->yPosition_;
        yPositionLevel_ = s->yPositionLevel_;
        // The drawing settings travel with the rest, as in the stored form.
        contourMarks_->Assign(s->contourMarks_.get());
        smoothing_->Assign(s->smoothing_.get());
        linesStale_ = true;
    }
    TCustom3DGridSeries::Assign(source);
}

void TContourSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TContourSeries*>(other)) {
        if (s->cellPen_)
            CellPen()->Assign(s->cellPen_.get());
        else
            cellPen_.reset();
        legendLines_ = s->legendLines_;
        linesColor_ = s->linesColor_;
        frame_->Assign(s->frame_.get());
        pointer_->Assign(s->pointer_.get());
    }
    TCustom3DGridSeries::CopyAppearance(other);
}

void TContourSeries::SetAutomaticLevels(bool value)
{
    if (value == automaticLevels_) return;
    if (!value) numLevels_ = levels_->Count();
    automaticLevels_ = value;
    if (value) ClearLevels();
    linesStale_ = true;
    InvalidateChart();
}

void TContourSeries::SetNumLevels(int value)
{
    ChangeInteger(numLevels_, value);
    linesStale_ = true;
    if (automaticLevels_) {
        ClearLevels();
        return;
    }
    const TLevelUpdate update(updatingLevels_);
    while (levels_->Count() < value) {
        const TContourLevel* last = levels_->LastLevel();
        levels_->AddLevel(clAutomatic, last ? last->UpToValue() : 0);
    }
}

bool TContourSeries::Filled() const { return Brush()->Style() != bsClear; }

void TContourSeries::SetFilled(bool value)
{
    if (value) {
        Brush()->SetStyle(bsSolid);
    } else {
        Brush()->SetStyle(bsClear);
        Brush()->SetImage(nullptr);
    }
}

TZebPen* TContourSeries::CellPen()
{
    if (!cellPen_)
        cellPen_ = std::make_unique<TZebHiddenPen>(
            TNotifyEvent(static_cast<TCustomChartElement*>(this), &TCustomChartElement::StyleChanged));
    return cellPen_.get();
}

void TContourSeries::SetCellPen(TZebPen* value)
{
    if (value)
        CellPen()->Assign(value);
    else
        cellPen_.reset();
}

void TContourSeries::SetFrame(TZebPen* value) { frame_->Assign(value); }
void TContourSeries::SetPointer(TSeriesPointer* value) { pointer_->Assign(value); }

void TContourSeries::ClearLevels()
{
    const TLevelUpdate update(updatingLevels_);
    levels_->Clear();
}

void TContourSeries::CreateAutoLevels()
{
    if (!automaticLevels_ || numLevels_ <= 0) return;
    const TLevelUpdate update(updatingLevels_);
    if (levels_->Count() != numLevels_) levels_->Clear();
    const double low = YValues()->Lowest(), high = YValues()->Highest();
    const double delta = (high - low) / std::max(1, numLevels_ - 1);
    const bool reuse = levels_->Count() == numLevels_;
    for (int e = 0; e < numLevels_; ++e) {
        double value = low + delta * e;
        TColor color = ColorEachPoint() ? clAutomatic : ColorOfValue(value);
        TContourLevel* level = reuse ? levels_->GetLevel(e) : levels_->AddLevel(color, value);
        if (reuse) {
            level->upToValue_ = value;
            level->color_ = level->HasPen() ? level->Pen()->Color() : color;
        }
        if (onGetLevel_) {
            onGetLevel_(this, e, value, color);
            level->upToValue_ = value;
            level->color_ = color;
            if (level->HasPen()) level->Pen()->SetColor(color);
        }
    }
    linesStale_ = true;
}

void TContourSeries::RecalcAutoLevels()
{
    if (!UpdatingLevels() && automaticLevels_ && numLevels_ > 0) CreateAutoLevels();
}

int TContourSeries::UsedLevels() const
{
    const int n = levels_->Count();
    for (int i = 1; i < n; ++i)
        if (levels_->GetLevel(i)->UpToValue() == levels_->GetLevel(i - 1)->UpToValue()) return i;
    return n;
}

void TContourSeries::EnsureLevelLines()
{
    if (!linesStale_) return;
    for (int i = 0; i < levels_->Count(); ++i) levels_->GetLevel(i)->lines_.clear();
    linesStale_ = false;
    const int used = UsedLevels();
    if (used == 0 || Count() == 0) return;
    if (GridIndexStale()) RebuildGridIndex();
    CellStepX = 1;
    CellStepZ = 1;
    TLevelDifs difs(XValues()->Values(), YValues()->Values(), ZValues()->Values(), levels_->GetLevel(0)->UpToValue(),
                    levels_->GetLevel(used - 1)->UpToValue());
    std::vector<TLevelLineChain> chains(static_cast<size_t>(used));
    const bool ownColors = HasPointColors();
    for (int z = 1; z < NumZValues(); ++z)
        for (int x = 1; x < NumXValues(); ++x) {
            if (!CellCorners(x, z)) continue;
            const int a = CellCorner[0], c = CellCorner[1], d = CellCorner[2], b = CellCorner[3];
            if (ownColors && (GetStoredColor(a) == clNullPoint || GetStoredColor(b) == clNullPoint ||
                              GetStoredColor(c) == clNullPoint || GetStoredColor(d) == clNullPoint))
                continue;
            if (!difs.PrepareCell(a, c, b, d)) continue;
            for (int i = 0; i < used; ++i) {
                const double v = levels_->GetLevel(i)->UpToValue();
                if (v < difs.CellMin() || v > difs.CellMax()) continue;
                TLevelLineChain& chain = chains[static_cast<size_t>(i)];
                difs.ContourCell([&chain](const TLevelPoint& p, const TLevelPoint& q) { chain.Add(p, q); }, v);
            }
        }
    for (int i = 0; i < used; ++i) levels_->GetLevel(i)->lines_ = chains[static_cast<size_t>(i)].Lines();
}

const TChartAxis* TContourSeries::zAxis() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D()) return chart->DepthAxis();
    return GetVertAxis();
}

TPoint TContourSeries::LevelPointToScreen(const TLevelPoint& p) const
{
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* z = zAxis();
    return {h ? h->ValueToPixel(p.X) : 0, z ? z->ValueToPixel(p.Z) : 0};
}

int TContourSeries::planePixel(double value) const
{
    const TChartAxis* v = GetVertAxis();
    return v ? v->ValueToPixel(value) : 0;
}

void TContourSeries::PrepareDraw()
{
    TCustom3DGridSeries::PrepareDraw();
    RecalcAutoLevels();
}

std::vector<TPointFloat> TContourSeries::screenLine(const TLevelPoints& line) const
{
    std::vector<TPointFloat> points(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        const TPoint p = LevelPointToScreen(line[i]);
        points[i] = {static_cast<float>(p.X), static_cast<float>(p.Y)};
    }
    if (smoothing_->Active() && points.size() > 2) points = smoothing_->SmoothPolyline(points);
    return points;
}

void TContourSeries::drawLine(TCanvas3D& canvas, const TLevelPoints& line, int plane)
{
    const TCustomAxisPanel* chart = ParentChart();
    const std::vector<TPointFloat> points = screenLine(line);
    if (chart->View3D()) {
        canvas.MoveToXYZFloat(points[0].X, static_cast<float>(plane), points[0].Y);
        for (size_t i = 1; i < points.size(); ++i)
            canvas.LineToXYZFloat(points[i].X, static_cast<float>(plane), points[i].Y);
    } else {
        std::vector<TPoint> ints(points.size());
        for (size_t i = 0; i < points.size(); ++i)
            ints[i] = {RoundHalfEven(points[i].X), RoundHalfEven(points[i].Y)};
        canvas.Polyline(ints);
    }
}

TIsoSurfaceSeries& TContourSeries::bandSeries()
{
    if (!bandSeries_) {
        bandSeries_ = new TIsoSurfaceSeries(this);
        HideOwnedSeries(*bandSeries_);
        bandSeries_->SetHideCells(false);
        bandSeries_->SetUseColorRange(false);
        bandSeries_->NoGridGeneration = true;
        bandSeries_->SetFastBrush(true);
        bandSeries_->BandPen()->SetVisible(false);
        bandDataStale_ = true;
    }
    return *bandSeries_;
}

// The bands are the iso-surface's, drawn over this series' points with one palette entry per
// level; the series lends it its chart for the draw without adding it to the chart's list.
void TContourSeries::drawBands()
{
    TCustomAxisPanel* chart = ParentChart();
    TIsoSurfaceSeries& band = bandSeries();
    if (bandDataStale_) {
        band.CopyValuesFrom(this);
        bandDataStale_ = false;
    }
    band.SetNumXValues(NumXValues());
    band.SetNumZValues(NumZValues());
    band.SetIrregularGrid(IrregularGrid());
    if (band.GridIndexStale()) band.RebuildGridIndex();
    band.SetPaletteStyle(PaletteStyle());
    TCustom3DPalette palette;
    for (int i = 0; i < levels_->Count(); ++i) {
        const TContourLevel* level = levels_->GetLevel(i);
        palette.push_back({level->UpToValue(), level->DrawColor(), {}});
    }
    band.AssignPalette(palette);
    band.SetUseYPosition(!yPositionLevel_);
    band.SetYPosition(yPosition_);
    if (cellPen_)
        band.SetPen(cellPen_.get());
    else
        band.Pen()->SetVisible(false);
    band.SetHorizAxis(HorizAxis());
    band.SetCustomHorizAxis(CustomHorizAxis());
    band.SetVertAxis(VertAxis());
    band.SetCustomVertAxis(CustomVertAxis());
    // This series' own blend covers the bands.
    band.SetTransparency(0);
    struct TLentChart {
        TIsoSurfaceSeries& band;
        TLentChart(TIsoSurfaceSeries& series, TCustomAxisPanel* chart) : band(series)
        {
            band.TCustomChartElement::SetParentChart(chart);
            band.ResolveAxes();
        }
        ~TLentChart() { band.TCustomChartElement::SetParentChart(nullptr); }
    } lent(band, chart);
    band.DrawVisiblePoints();
}

void TContourSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || Count() == 0 || NumLevels() <= 0 || !GetHorizAxis() || !GetVertAxis()) return;
    EnsureLevelLines();
    TCanvas3D& canvas = *chart->Canvas3D();
    TZebBlend* blend = Transparency() > 0 ? canvas.StartBlend(chart->ChartRect(), Transparency()) : nullptr;
    canvas.SetBackgroundMode(TRANSPARENT);
    if (Filled()) drawBands();
    markBoxes_.clear();
    const int used = UsedLevels();
    for (int i = 0; i < used; ++i) {
        TContourLevel* level = levels_->GetLevel(i);
        const int plane = planePixel(yPositionLevel_ ? level->UpToValue() : yPosition_);
        const TColor drawColor = level->DrawColor();
        const TColor lineColor = !Filled() ? drawColor : linesColor_ == clAutomatic ? drawColor : linesColor_;
        const bool marksOnLines = HasMarks() && Marks().Visible() && contourMarks_->AtSegments() &&
                                  i % std::max(1, Marks().DrawEvery()) == 0;
        String text;
        int markWidth = 0, markHeight = 0;
        if (marksOnLines) {
            text = FormatFloat(ValueFormat(), level->UpToValue());
            if (OnGetMarkText()) OnGetMarkText()(this, i, text);
            TSeriesMarkPosition measure;
            PrepareMarkShape(Marks(), text, measure, 0, 0);
            markWidth = measure.Width;
            markHeight = measure.Height;
        }
        canvas.SelectPen(*level->DrawPen(), lineColor);
        canvas.Brush()->SetStyle(bsClear);
        if (onBeforeDrawLevel_) onBeforeDrawLevel_(this, i);
        for (const TLevelPoints& line : level->Lines()) {
            if (line.size() < 2) continue;
            if (marksOnLines)
                drawLineWithMarks(canvas, screenLine(line), plane, i, text, markWidth, markHeight, lineColor);
            else
                drawLine(canvas, line, plane);
            if (pointer_->Visible())
                for (const TLevelPoint& p : line) {
                    const TPoint s = LevelPointToScreen(p);
                    pointer_->DrawStyled(s.X, chart->View3D() ? plane : s.Y, pointer_->Style(), drawColor);
                }
        }
    }
    if (frame_->Visible()) {
        canvas.Brush()->SetStyle(bsClear);
        canvas.SelectPen(*frame_, frame_->Color());
        const TPoint lo = LevelPointToScreen({XValues()->Lowest(), ZValues()->Lowest()});
        const TPoint hi = LevelPointToScreen({XValues()->Highest(), ZValues()->Highest()});
        if (chart->View3D())
            canvas.PlaneAlongXZ(lo.X, planePixel(yPosition_), hi.X, lo.Y, hi.Y);
        else
            canvas.Rectangle(std::min(lo.X, hi.X), std::min(lo.Y, hi.Y), std::max(lo.X, hi.X), std::max(lo.Y, hi.Y));
    }
    if (blend) canvas.FinishBlend(blend);
}

// ---- marks on lines ----

double TContourSeries::MarkAngle(TPointFloat a, TPointFloat b)
{
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    double angle = std::atan2(dx, dy) * 180 / 3.14159265358979323846 + 90;
    if (angle < 0) angle += 360;
    if (angle > 90 && angle < 270) {
        angle += 180;
        if (angle > 360) angle -= 360;
    }
    return angle;
}

void TContourSeries::drawLineMark(TCanvas3D& canvas, int level, const String& text, double angle, float x, float y,
                                  int plane, TColor lineColor)
{
    const TCustomAxisPanel* chart = ParentChart();
    TSeriesMarks& marks = Marks();
    if (chart->View3D()) {
        marks.SetZPosition(RoundHalfEven(y));
        y = static_cast<float>(plane);
    }
    TSeriesMarkPosition position;
    PrepareMarkShape(marks, text, position, RoundHalfEven(y), RoundHalfEven(x));
    TSeriesMarksPositions::CenterAbove(position, RoundHalfEven(x), RoundHalfEven(y), nullptr);
    if (contourMarks_->AntiOverlap()) {
        const TRect box = position.GetBounds();
        for (const TRect& other : markBoxes_)
            if (box.Left < other.Right && other.Left < box.Right && box.Top < other.Bottom && other.Top < box.Bottom)
                return;
        markBoxes_.push_back(box);
    }
    const int oldAngle = marks.Angle();
    const TColor oldFont = marks.Font()->Color();
    marks.StoreAngle(oldAngle + RoundHalfEven(angle));
    if (contourMarks_->ColorLevel()) marks.Font()->SetColor(SeriesColor());
    marks.DrawMark(level, SeriesColor(), position, text);
    marks.StoreAngle(oldAngle);
    marks.Font()->SetColor(oldFont);
    canvas.SelectPen(*levels_->GetLevel(level)->DrawPen(), lineColor);
    canvas.Brush()->SetStyle(bsClear);
}

void TContourSeries::drawLineWithMarks(TCanvas3D& canvas, const std::vector<TPointFloat>& p, int plane, int level,
                                       const String& text, int width, int height, TColor lineColor)
{
    const bool in3D = ParentChart()->View3D();
    const auto moveTo = [&](TPointFloat q) {
        if (in3D)
            canvas.MoveToXYZFloat(q.X, static_cast<float>(plane), q.Y);
        else
            canvas.MoveTo(RoundHalfEven(q.X), RoundHalfEven(q.Y));
    };
    const auto lineTo = [&](TPointFloat q) {
        if (in3D)
            canvas.LineToXYZFloat(q.X, static_cast<float>(plane), q.Y);
        else
            canvas.LineTo(RoundHalfEven(q.X), RoundHalfEven(q.Y));
    };
    const auto distance = [](TPointFloat a, TPointFloat b) { return std::hypot(b.X - a.X, b.Y - a.Y); };
    const auto towards = [](TPointFloat a, TPointFloat b, float d) {
        const float len = std::hypot(b.X - a.X, b.Y - a.Y);
        const float t = len > 0 ? d / len : 0;
        return TPointFloat{a.X + t * (b.X - a.X), a.Y + t * (b.Y - a.Y)};
    };
    const float gap = static_cast<float>(width + 2 * contourMarks_->Margin());
    const int n = static_cast<int>(p.size());
    moveTo(p[0]);
    int count = 0, a = 0;
    for (int i = 1; i < n; ++i) {
        float d = distance(p[static_cast<size_t>(i)], p[static_cast<size_t>(a)]);
        if (d <= gap) continue;
        const float e = distance(p[static_cast<size_t>(i)], p[static_cast<size_t>(i - 1)]);
        ++count;
        if (count % contourMarks_->Density() != 0) {
            for (int k = a + 1; k <= i; ++k) lineTo(p[static_cast<size_t>(k)]);
        } else {
            if (e > gap) {
                for (int k = a + 1; k <= i - 1; ++k) lineTo(p[static_cast<size_t>(k)]);
                a = i - 1;
                d = e;
            }
            const TPointFloat pa = p[static_cast<size_t>(a)], pi = p[static_cast<size_t>(i)];
            if (a == i - 1) lineTo(towards(pa, pi, (e - gap) / 2));
            const TPointFloat m = towards(pa, pi, d / 2);
            drawLineMark(canvas, level, text, MarkAngle(pa, pi), m.X, m.Y + height / 2.0f, plane, lineColor);
            moveTo(gap > e ? pi : towards(p[static_cast<size_t>(i - 1)], pi, (gap + e) / 2));
        }
        a = i;
    }
    for (int k = a + 1; k < n; ++k) lineTo(p[static_cast<size_t>(k)]);
}

void TContourSeries::DrawPointMarks()
{
    if (!contourMarks_->AtSegments()) TCustom3DGridSeries::DrawPointMarks();
}

void TContourSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    if (contourMarks_->AtSegments()) return;
    const TChartAxis* z = zAxis();
    const int x = PointScreenX(index), y = z ? z->ValueToPixel(ZValues()->ValueAt(index)) : 0;
    PrepareMarkShape(Marks(), text, position, y, x);
    TCustom3DGridSeries::DrawPointMark(index, text, position);
}

// ---- ranges, notices ----

double TContourSeries::HighestY()
{
    const TCustomAxisPanel* chart = ParentChart();
    return chart && chart->View3D() ? TCustom3DGridSeries::HighestY() : ZValues()->Highest();
}

double TContourSeries::LowestY()
{
    const TCustomAxisPanel* chart = ParentChart();
    return chart && chart->View3D() ? TCustom3DGridSeries::LowestY() : ZValues()->Lowest();
}

void TContourSeries::GetPaletteValueRange(double& min, double& range)
{
    if (levels_->Count() == 0) return TCustom3DGridSeries::GetPaletteValueRange(min, range);
    min = levels_->GetLevel(0)->UpToValue();
    range = levels_->LastLevel()->UpToValue() - min;
}

void TContourSeries::AssignPalette(const TCustom3DPalette& entries)
{
    TCustom3DGridSeries::AssignPalette(entries);
    CreateAutoLevels();
}

void TContourSeries::PointColorChanged(int index)
{
    TCustom3DGridSeries::PointColorChanged(index);
    linesStale_ = true;
}

void TContourSeries::NotifyDependents(TDependantNotice kind, int index)
{
    TCustom3DGridSeries::NotifyDependents(kind, index);
    linesStale_ = true;
    bandDataStale_ = true;
}

// ---- legend ----

int TContourSeries::GetPointCount() const { return NumLevels() / LegendEvery(); }

TColor TContourSeries::GetLegendColor(int index) const
{
    return index >= 0 && index < levels_->Count() ? levels_->GetLevel(index)->DrawColor() : SeriesColor();
}

String TContourSeries::FormatLegendText(int index, TLegendTextStyle style) const
{
    const int l = LegendItemSource(index);
    if (l < 0 || l >= levels_->Count()) return {};
    const TContourLevel* level = levels_->GetLevel(l);
    const String v = FormatFloat(ValueFormat(), level->UpToValue());
    const String n = std::to_string(l);
    const String s(1, LegendColumnSeparator);
    switch (style) {
    case ltsPlain: return level->Text();
    case ltsLeftValue:
    case ltsLeftPercent: return v + s + level->Text();
    case ltsRightValue:
    case ltsRightPercent: return level->Text() + s + v;
    case ltsXValue: return n;
    case ltsXAndValue:
    case ltsXAndPercent: return n + s + v;
    case ltsXAndText: return n + s + level->Text();
    default: return v;
    }
}

int TContourSeries::HitTest(int x, int y) { return levels_->FindLevelAt(x, y); }

double TContourSeries::GetMainValue(int index) const
{
    return index >= 0 && index < levels_->Count() ? levels_->GetLevel(index)->UpToValue() : 0;
}

void TContourSeries::AddRandomPoints(int count, bool valuesOnly)
{
    TCustom3DGridSeries::AddRandomPoints(count, valuesOnly);
    yPosition_ = (YValues()->Highest() + YValues()->Lowest()) / 2;
    RecalcAutoLevels();
}

void TContourSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustom3DGridSeries::ListGalleryStyles(add);
    add(TxtColors);
    add(TxtPositions);
    add(TxtFilled);
    add(TxtMarks);
}

void TContourSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 2: SetColorEachPoint(true); break;
    case 3: SetYPositionLevel(true); break;
    case 4: SetFilled(true); break;
    case 5: Marks().SetVisible(true); break;
    default: TCustom3DGridSeries::ApplyGalleryStyle(index);
    }
}
