#include "chart/series_ext/shapes/VolumePipeSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/HitTests.h"
#include "chart/core/MarkPositions.h"
#include "platform/classes/Published.h"

namespace {

class TVolumePipeSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TVolumePipeSeriesEditor"; }
};

const char* const SampleLabels[] = {"Cars", "Phones", "Tables", "Monitors", "Lamps"};

}  // namespace

TV_PUBLISHED_AS(TVolumePipeSeries, TVolumePipeSeriesClass)
{
    PropColor("Color", &TVolumePipeSeries::Color, &TVolumePipeSeries::SetColor, clAutomatic)
        .Stored(&TVolumePipeSeries::IsSeriesColorStored);
    Prop("ColorEachPoint", &TVolumePipeSeries::ColorEachPoint, &TVolumePipeSeries::SetColorEachPoint, true);
    Prop("ConePercent", &TVolumePipeSeries::ConePercent, &TVolumePipeSeries::SetConePercent, 30);
    Prop("Gradient", &TVolumePipeSeries::Gradient, &TVolumePipeSeries::SetGradient);
    Prop("LinesPen", &TVolumePipeSeries::LinesPen, &TVolumePipeSeries::SetLinesPen);
}

TVolumePipeSeries::TVolumePipeSeries(TComponent* owner)
    : TChartSeries(owner), linesPen_(std::make_unique<TZebHiddenPen>(TNotifyEvent(static_cast<TCustomChartElement*>(this), &TCustomChartElement::StyleChanged)))
{
    SetColorEachPoint(true);
    Brush()->Gradient()->InitVisible(true);
    Brush()->Gradient()->SetMidColor(clWhite);
}

TVolumePipeSeries::~TVolumePipeSeries() = default;

void TVolumePipeSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TVolumePipeSeries*>(source)) {
        conePercent_ = s->conePercent_;
        linesPen_->Assign(s->linesPen_.get());
    }
    TChartSeries::Assign(source);
}

void TVolumePipeSeries::SetConePercent(int value) { ChangeInteger(conePercent_, std::clamp(value, 0, 100)); }

TZebGradient* TVolumePipeSeries::Gradient() const { return Brush()->Gradient(); }

void TVolumePipeSeries::SetGradient(TZebGradient* value) { Brush()->Gradient()->Assign(value); }

void TVolumePipeSeries::SetLinesPen(TZebPen* value) { linesPen_->Assign(value); }

int TVolumePipeSeries::MarksHeight() const
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || FirstVisibleIndex() < 0) return 0;
    int lines = 0;
    for (int i = FirstVisibleIndex(); i <= LastVisibleIndex() && i < Count(); ++i)
        lines = std::max(lines, TCustomZebPanel::CountTextLines(ComposeMarkText(i)));
    return lines * chart->Canvas3D()->StandardTextHeight();
}

void TVolumePipeSeries::ComputeOutline()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TRect r = chart->ChartRect();
    if (HasVisibleMarks()) r.Top += MarksHeight();
    const float c = static_cast<float>(conePercent_ / 2) * 0.01f;
    const float x = static_cast<float>(r.Bottom - r.Top) * c;
    outline_ = {TPoint{r.Left + 2, r.Top + 2}, TPoint{r.Right - 2, static_cast<int>(std::lround(r.Top + x))},
                TPoint{r.Right - 2, static_cast<int>(std::lround(r.Bottom - x))}, TPoint{r.Left + 2, r.Bottom - 2}};
    h0_ = outline_[3].Y - outline_[0].Y;
    h1_ = outline_[2].Y - outline_[1].Y;
    w_ = outline_[1].X - outline_[0].X;
    d_ = outline_[1].Y - outline_[0].Y;
    area_ = static_cast<int>(std::lround(w_ * (h0_ + h1_) * 0.5));
    total_ = YValues()->AbsSum();
}

int TVolumePipeSeries::SectionOffset(int index) const
{
    if (total_ == 0) return 0;
    double s = 0;
    for (int i = 0; i <= index && i < Count(); ++i) s += YValues()->ValueAt(i);
    const double a = area_ * (s / total_ * 100) * 0.01;
    const double d = h0_ - h1_;
    // Without narrowing the outline is a rectangle: the area grows linearly with the offset.
    if (d == 0) return h0_ != 0 ? static_cast<int>(std::lround(a / h0_)) : 0;
    const double b = -(2 * a + d * w_ + 2 * (area_ - a));
    const double c = 2 * a * w_;
    const double root = (-b - std::sqrt(std::max(0.0, b * b - 4 * d * c))) / (2 * d);
    return static_cast<int>(std::lround(root));
}

void TVolumePipeSeries::PrepareDraw()
{
    TChartSeries::PrepareDraw();
    if (Active())
        if (TChartAxis* axis = GetVertAxis()) axis->SetVisible(false);
}

void TVolumePipeSeries::DrawVisiblePoints()
{
    TChartSeries::DrawVisiblePoints();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const int startZ = DepthRange().start, endZ = DepthRange().end;
    int z0 = startZ, z1 = endZ;
    canvas.Brush()->SetStyle(bsClear);
    ComputeOutline();
    sections_.assign(static_cast<size_t>(Count()), TQuad{});
    hasSection_.assign(static_cast<size_t>(Count()), false);
    int previousX = outline_[0].X, previousDrop = 0;
    if (w_ != 0)
        for (int i = 0; i < Count(); ++i) {
            if (IsNullPoint(i)) continue;
            const int e = SectionOffset(i);
            const int x = outline_[0].X + e;
            const int g = static_cast<int>(std::lround(static_cast<double>(e) / w_ * d_));
            const TQuad q = {TPoint{x, outline_[3].Y - g}, TPoint{x, outline_[0].Y + g},
                             TPoint{previousX, outline_[0].Y + previousDrop}, TPoint{previousX, outline_[3].Y - previousDrop}};
            sections_[static_cast<size_t>(i)] = q;
            hasSection_[static_cast<size_t>(i)] = true;
            previousDrop = g;
            canvas.UsePen(*Pen());
            const TColor color = GetPointColor(i);
            canvas.SelectBrush(*Brush(), color, Brush()->Color());
            canvas.GetBrushGradient()->SetEndColor(color);
            if (chart->View3D()) {
                const int height = q[3].Y - q[2].Y;
                const double m = height != 0 ? static_cast<double>(q[0].Y - q[1].Y) / height * 100 : 0;
                canvas.DrawTaperedCylinder(false, q[2].X, q[2].Y, q[0].X, q[3].Y, z0, z1, true,
                                           static_cast<int>(std::lround(m)));
                const double t = static_cast<double>(q[0].X - q[2].X) / w_;
                z0 += static_cast<int>(std::lround((endZ - startZ) * t / 2));
                z1 -= static_cast<int>(std::lround((endZ - startZ) * t / 2));
            } else {
                canvas.Polygon(q);
            }
            previousX = x;
        }
    if (linesPen_->Visible()) {
        canvas.Brush()->SetStyle(bsClear);
        canvas.UsePen(*linesPen_);
        canvas.Polygon(outline_);
    }
}

void TVolumePipeSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    if (index >= 0 && index < static_cast<int>(sections_.size()) && hasSection_[static_cast<size_t>(index)]) {
        const TQuad& q = sections_[static_cast<size_t>(index)];
        position.LeftTop = {(q[0].X + q[2].X) / 2 - position.Width / 2, ParentChart()->ChartRect().Top};
    }
    TChartSeries::DrawPointMark(index, text, position);
}

int TVolumePipeSeries::HitTest(int x, int y)
{
    const int inherited = TChartSeries::HitTest(x, y);
    if (inherited != -1) return inherited;
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) return -1;
    for (int i = first; i <= last && i < static_cast<int>(sections_.size()); ++i)
        if (hasSection_[static_cast<size_t>(i)] && IsInsidePolygon({x, y}, sections_[static_cast<size_t>(i)])) return i;
    return -1;
}

void TVolumePipeSeries::AddRandomPoints(int count, bool)
{
    for (int i = 0; i < count; ++i) AppendMainValue(RandomInt(1000) + 1, SampleLabels[i % 5], clAutomatic);
}
