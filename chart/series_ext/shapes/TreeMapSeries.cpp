#include "chart/series_ext/shapes/TreeMapSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/ZebFont.h"
#include "chart/core/AxisPanel.h"
#include "chart/series_ext/grid3d/PaletteSeries.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Strings.h"

namespace {

class TTreeMapSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TTreeMapSeriesEditor"; }
};

}  // namespace

TV_PUBLISHED_AS(TTreeMapSeries, TTreeMapSeriesClass)
{
    PropEnum("ColorStyle", &TTreeMapSeries::ColorStyle, &TTreeMapSeries::SetColorStyle, csByLevel, TTreeMapColorStyleNames);
    PropEnum("MapStyle", &TTreeMapSeries::MapStyle, &TTreeMapSeries::SetMapStyle, tmSlice, TTreeMapTilingNames);
    Prop("PaletteSteps", &TTreeMapSeries::PaletteSteps, &TTreeMapSeries::SetPaletteSteps, 10);
}

TTreeMapSeries::TTreeMapSeries(TComponent* owner) : TCustomOrgSeries(owner), palette_(new TCustom3DPaletteSeries(nullptr))
{
    palette_->SetUseColorRange(false);
    palette_->SetUsePalette(true);
    palette_->SetPaletteStyle(psStrong);
    palette_->SetPaletteSteps(10);
    Spacing()->Preset(5, 5);
    Format()->SetDefaultTextAlignment(taLeftJustify);
    Format()->SetShapeStyle(fosRoundRectangle);
    Format()->SetRoundSize(6);
}

TTreeMapSeries::~TTreeMapSeries() = default;

void TTreeMapSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TTreeMapSeries*>(source)) {
        colorStyle_ = s->colorStyle_;
        mapStyle_ = s->mapStyle_;
        palette_->Assign(s->palette_.get());
    }
    TCustomOrgSeries::Assign(source);
}

int TTreeMapSeries::PaletteSteps() const { return palette_->PaletteSteps(); }

void TTreeMapSeries::SetPaletteSteps(int value)
{
    palette_->SetPaletteSteps(value);
    InvalidateChart();
}

int TTreeMapSeries::AddItem(const String& text, int superior, TColor color, double value)
{
    return InsertXY(superior, value, text, color);
}

void TTreeMapSeries::PrepareDraw()
{
    double low = 0, high = 0;
    if (colorStyle_ == csByValue) {
        low = YValues()->Lowest();
        high = YValues()->Highest();
    } else {
        high = LevelCount() - 1;
    }
    palette_->RemoveAllPoints();
    palette_->InsertXYZ(0, low, 0);
    palette_->InsertXYZ(0, std::max(high, low), 0);
    palette_->SetSeriesColor(SeriesColor());
    palette_->BuildPalette();
    TCustomOrgSeries::PrepareDraw();
}

TColor TTreeMapSeries::GetPointColor(int index) const
{
    const TColor color = GetStoredColor(index);
    if (color == clAutomatic || (color == clNone && TreatNulls() == tnIgnore)) {
        if (ColorEachPoint()) return TCustomOrgSeries::GetPointColor(index);
        if (index >= Items()->Count()) return SeriesColor();
        return palette_->ColorOfValue(colorStyle_ == csByValue ? ItemValue(index) : GetItem(index)->Level());
    }
    return color;
}

void TTreeMapSeries::layoutGroup(const std::vector<int>& items, int level)
{
    const TCustomAxisPanel* chart = ParentChart();
    const int h = Spacing()->Horizontal(), v = Spacing()->Vertical();
    const int superior = static_cast<int>(std::lround(XValues()->ValueAt(items.front())));
    if (superior < 0) rects_.assign(static_cast<size_t>(Count()), TRect{});
    double total = 0;
    for (const int i : items) total += ItemValue(i);
    TRect box = superior < 0 ? chart->ChartRect() : rects_[static_cast<size_t>(superior)];
    if (superior >= 0) {
        box.Left += h;
        // A band for the superior's text: a font height is negative in character units.
        box.Top += v + std::abs(GetItem(superior)->EffectiveFormat()->Font()->Height());
    }
    const bool stacked = (level % 2 == 0) == (mapStyle_ == tmSlice);
    const int length = stacked ? box.Height() : box.Width();
    const int mh = superior >= 0 ? h : 0, mv = superior >= 0 ? v : 0;
    int d = 0;
    for (const int i : items) {
        const double share = total > 0 ? ItemValue(i) / total : 0;
        TRect r;
        if (stacked) {
            r.Left = box.Left + mh;
            r.Top = box.Top + d + mv;
            r.Right = box.Right - mh;
            r.Bottom = static_cast<int>(share * length) + r.Top - 2 * mv;
        } else {
            r.Left = box.Left + d + mh;
            r.Top = box.Top + mv;
            r.Right = static_cast<int>(share * length) + r.Left - 2 * mh;
            r.Bottom = box.Bottom - mv;
        }
        // A share too small for its margins collapses to no length rather than turning over.
        r.Bottom = std::max(r.Bottom, r.Top);
        r.Right = std::max(r.Right, r.Left);
        d = stacked ? r.Bottom - box.Top : r.Right - box.Left;
        TOrgItem* item = GetItem(i);
        item->Box = r;
        rects_[static_cast<size_t>(i)] = r;
        if (item->HasFormat()) item->Format()->SetShapeBounds(r);
    }
}

void TTreeMapSeries::drawLevel(const std::vector<int>& items, int level)
{
    if (level > ItemCount()) return;
    layoutGroup(items, level);
    for (const int i : items) {
        const TColor color = GetPointColor(i);
        if (color != clNone) drawItem(i, color);
    }
    for (const int i : items) {
        std::vector<int> below;
        GetChildIndices(i, true, below);
        if (!below.empty()) drawLevel(below, level + 1);
    }
}

void TTreeMapSeries::DrawVisiblePoints()
{
    if (!ParentChart()) return;
    MeasureItems();
    std::vector<int> top;
    GetChildIndices(-1, true, top);
    if (!top.empty()) drawLevel(top, 0);
    rects_.clear();
}

int TTreeMapSeries::HitTest(int x, int y)
{
    for (int i = ItemCount() - 1; i >= 0; --i) {
        const TRect& b = GetItem(i)->Box;
        if (x >= b.Left && x <= b.Right && y >= b.Top && y <= b.Bottom) return i;
    }
    return -1;
}

bool TTreeMapSeries::AcceptsSourceSeries(const TChartSeries* series) const
{
    return dynamic_cast<const TTreeMapSeries*>(series) != nullptr;
}

void TTreeMapSeries::AddRandomPoints(int count, bool)
{
    for (; count > 0; --count) {
        const int superior = Count() > 0 ? RandomInt(Count()) : -1;
        const int n = Count();
        const String text = n < 26 ? String(1, static_cast<char>('A' + n)) : IntToStr(n);
        int value = 0;
        do value = RandomInt(200);
        while (value < 50 || value > 150);
        AddItem(text, superior, clAutomatic, value);
    }
}
