#include "chart/series_ext/shapes/TagCloudSeries.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/SeriesTypes.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Strings.h"

TColor TagCloudEndColor = static_cast<TColor>(0x144CF1);

namespace {

class TTagCloudSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TTagCloudEditor"; }
};

}  // namespace

TV_PUBLISHED_AS(TTagCloudSeries, TTagCloudSeriesClass)
{
    Prop("Filter", &TTagCloudSeries::Filter, &TTagCloudSeries::SetFilter, String());
    Prop("Font", &TTagCloudSeries::Font, &TTagCloudSeries::SetFont);
    Prop("Gradient", &TTagCloudSeries::Gradient, &TTagCloudSeries::SetGradient);
    Prop("TagSeparation", &TTagCloudSeries::TagSeparation, &TTagCloudSeries::SetTagSeparation, 5);
    Prop("OnDrawTag", &TTagCloudSeries::OnDrawTag, &TTagCloudSeries::SetOnDrawTag);
}

TTagCloudSeries::TTagCloudSeries(TComponent* owner)
    : TCustom3DPaletteSeries(owner), font_(std::make_unique<TZebFont>(TNotifyEvent(this, &TTagCloudSeries::fontChanged)))
{
    font_->SetSize(32);
    Brush()->SetStyle(bsClear);
    Pen()->InitVisible(false);
    SetEndColor(TagCloudEndColor);
}

TTagCloudSeries::~TTagCloudSeries() = default;

void TTagCloudSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TTagCloudSeries*>(source)) filter_ = s->filter_;
    TCustom3DPaletteSeries::Assign(source);
}

void TTagCloudSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TTagCloudSeries*>(other)) {
        font_->Assign(s->font_.get());
        Gradient()->Assign(s->Gradient());
        tagSeparation_ = s->tagSeparation_;
    }
    TCustom3DPaletteSeries::CopyAppearance(other);
}

void TTagCloudSeries::SetFont(TZebFont* value) { font_->Assign(value); }

TZebGradient* TTagCloudSeries::Gradient() const { return Brush()->Gradient(); }

void TTagCloudSeries::SetGradient(TZebGradient* value) { Brush()->Gradient()->Assign(value); }

int TTagCloudSeries::AddTag(const String& text, double weight) { return InsertXYZ(0, weight, 0, text, clAutomatic); }

void TTagCloudSeries::SortTags(int by, TChartListOrder order)
{
    if (by == 0) {
        SortPointsByLabel(order);
    } else if (by == 1) {
        YValues()->SetOrder(order);
        YValues()->SortPoints();
    } else {
        return;
    }
    InvalidateChart();
}

bool TTagCloudSeries::PassesFilter(int index) const
{
    return filter_.empty() || UpperCase(GetLabelAt(index)).find(UpperCase(filter_)) != String::npos;
}

int TTagCloudSeries::TagFontSize(int index) const
{
    const int size = font_->Size();
    const double high = YValues()->Highest(), low = YValues()->Lowest();
    const double d = high - YValues()->ValueAt(index);
    int s = size;
    if (d > 0) s -= static_cast<int>(std::nearbyint(size * (d * 0.75) / (high - low)));
    return std::max(s, 1);
}

int TTagCloudSeries::TagGap() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart) return 0;
    return static_cast<int>(std::nearbyint(tagSeparation_ * 5 * chart->Canvas3D()->TextWidth("W") * 0.01));
}

bool TTagCloudSeries::IsPlaced(int index) const
{
    return index >= 0 && index < static_cast<int>(placed_.size()) && placed_[static_cast<size_t>(index)];
}

void TTagCloudSeries::DrawVisiblePoints()
{
    TCustom3DPaletteSeries::DrawVisiblePoints();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const TRect r = chart->ChartRect();
    canvas.UsePen(*Pen());
    if (Pen()->Visible() || Gradient()->Visible() || Brush()->Style() != bsClear) {
        if (Gradient()->Visible()) {
            canvas.GetBrushGradient()->Assign(Gradient());
            canvas.Brush()->SetStyle(bsSolid);
        } else {
            canvas.UseBrush(*Brush());
        }
        canvas.DrawRect(r);
    }
    TRect work = r;
    const bool clip = chart->ClipPoints();
    if (clip) {
        const int inset = Pen()->Visible() ? Pen()->Width() / 2 + 1 : 0;
        work.Right -= inset;
        work.Bottom -= inset;
        canvas.ClipToRect(work);
    }
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(TRANSPARENT);
    canvas.GetBrushGradient()->SetVisible(false);
    {
        std::optional<TBlendSection> blend;
        if (Transparency() > 0) blend.emplace(canvas, work, Transparency());
        const int n = Count();
        rects_.assign(static_cast<size_t>(n), TRect{});
        placed_.assign(static_cast<size_t>(n), false);
        chart->ApplyZoomedFont(*font_);
        canvas.SetTextAlignment(TA_LEFT | TA_TOP);
        const auto prepare = [&](int index) {
            if (onDrawTag_) chart->ApplyZoomedFont(*font_);
            canvas.Font()->SetSize(TagFontSize(index));
        };
        int rowTop = r.Top, start = 0, i = 0;
        do {
            int rowHeight = 0, x = 0;
            while (i < n) {
                if (!PassesFilter(i)) {
                    ++i;
                    continue;
                }
                prepare(i);
                if (onDrawTag_) onDrawTag_(this, i);
                const String& text = GetLabelAt(i);
                int w = canvas.TextWidth(text);
                if (x > 0) w += TagGap();
                if (r.Right - r.Left < x + w) {
                    if (x == 0) {
                        rowHeight = std::max(rowHeight, canvas.TextHeight(text));
                        ++i;
                    }
                    break;
                }
                x += w;
                rowHeight = std::max(rowHeight, canvas.TextHeight(text));
                ++i;
            }
            int left = r.Left;
            for (int j = start; j < i; ++j) {
                if (!PassesFilter(j)) continue;
                prepare(j);
                canvas.Font()->SetColor(GetPointColor(j));
                if (onDrawTag_) onDrawTag_(this, j);
                const String text = GetLabelAt(j);
                TRect& t = rects_[static_cast<size_t>(j)];
                t.Left = left;
                t.Top = t.Bottom = rowTop + rowHeight;
                if ((static_cast<unsigned>(canvas.GetTextAlignment()) & 8u) == 0) t.Top -= canvas.TextHeight(text);
                t.Right = t.Left + canvas.TextWidth(text);
                placed_[static_cast<size_t>(j)] = true;
                if (chart->View3D())
                    canvas.PlainTextXYZ(t.Left, t.Top, 0, text);
                else
                    canvas.TextOut(t.Left, t.Top, text);
                if (ApplyHoverPen(j)) {
                    canvas.Brush()->SetStyle(bsClear);
                    canvas.DrawRect(t);
                }
                left += TagGap() + t.Width();
            }
            start = i;
            rowTop += rowHeight;
        } while (rowTop <= r.Bottom && start < n);
        SetVisibleRange(0, i);
    }
    if (clip) canvas.RemoveClip();
}

int TTagCloudSeries::PointScreenX(int index) const
{
    return IsPlaced(index) ? (rects_[static_cast<size_t>(index)].Left + rects_[static_cast<size_t>(index)].Right) / 2 : 0;
}

int TTagCloudSeries::PointScreenY(int index) const
{
    return IsPlaced(index) ? (rects_[static_cast<size_t>(index)].Top + rects_[static_cast<size_t>(index)].Bottom) / 2 : 0;
}

int TTagCloudSeries::HitTest(int x, int y)
{
    // A tag never placed has no rectangle: it is not hit at the origin.
    for (int i = 0; i < static_cast<int>(rects_.size()); ++i) {
        if (!placed_[static_cast<size_t>(i)]) continue;
        const TRect& t = rects_[static_cast<size_t>(i)];
        if (x >= t.Left && x <= t.Right && y >= t.Top && y <= t.Bottom) return i;
    }
    return -1;
}

void TTagCloudSeries::GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const
{
    TCustom3DPaletteSeries::GetLegendSymbolStyle(index, backColor, style);
    style = bsSolid;
}

void TTagCloudSeries::ApplyGallery3D(bool is3D)
{
    TCustom3DPaletteSeries::ApplyGallery3D(is3D);
    if (TCustomAxisPanel* chart = ParentChart()) chart->SetView3D(false);
}

void TTagCloudSeries::AddRandomPoints(int count, bool)
{
    const TSampleRanges ranges = ComputeSampleRanges(count);
    const auto& types = RegisteredSeriesTypes();
    for (int i = 0; i < count; ++i) {
        const double weight = RandomInt(1000) * ranges.spanY + ranges.minY;
        const int typeCount = types.Count();
        const String text = typeCount > 0 ? types.GetItem(RandomInt(typeCount))->GetFlatDescription() : String("Tag");
        AddTag(text, weight);
    }
    SortTags(0, loAscending);
}
