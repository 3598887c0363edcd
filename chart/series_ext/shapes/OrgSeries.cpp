#include "chart/series_ext/shapes/OrgSeries.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartException.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/ZebProcs.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/Strings.h"

namespace {

class TOrgSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TOrgSeriesEditor"; }
};

const char* const FirstNames[] = {"Anna", "Boris", "Clara", "David", "Elena", "Felix", "Greta", "Hugo", "Irene"};
const char* const LastNames[] = {"Adler", "Brandt", "Costa", "Duval", "Eriksen", "Fischer", "Garcia", "Hansen", "Ivanova"};

}  // namespace

TV_PUBLISHED(TOrgShape)
{
    // The item's text and box are set at every drawing: none of them is stored.
    Prop("Left", &TOrgShape::Left, &TOrgShape::SetLeft).Stored(false);
    Prop("Text", &TOrgShape::Text, &TOrgShape::SetText).Stored(false);
    Prop("Top", &TOrgShape::Top, &TOrgShape::SetTop).Stored(false);
}

TV_PUBLISHED(TOrgItem)
{
    Prop("Format", &TOrgItem::Format, &TOrgItem::SetFormat).Stored(&TOrgItem::HasFormat);
}

TV_PUBLISHED(TOrgItemCollection) {}

TV_PUBLISHED(TSpacing)
{
    Prop("Horizontal", &TSpacing::Horizontal, &TSpacing::SetHorizontal).NoDefault().Stored(&TSpacing::IsHorizontalStored);
    Prop("Vertical", &TSpacing::Vertical, &TSpacing::SetVertical).NoDefault().Stored(&TSpacing::IsVerticalStored);
}

TV_PUBLISHED_AS(TCustomOrgSeries, TOrgSeriesClass)
{
    Prop("Format", &TCustomOrgSeries::Format, &TCustomOrgSeries::SetFormat);
    Prop("Items", &TCustomOrgSeries::Items, &TCustomOrgSeries::SetItems).Stored(&TCustomOrgSeries::IsItemsStored);
    Prop("Spacing", &TCustomOrgSeries::Spacing, &TCustomOrgSeries::SetSpacing);
}

TV_PUBLISHED_AS(TOrgSeries, TOrgSeriesClass)
{
    PropEnum("LineStyle", &TOrgSeries::LineStyle, &TOrgSeries::SetLineStyle, lsSquared, TOrgLineStyleNames);
}

// ---- shape ----

TOrgShape::TOrgShape(TCustomZebPanel* panel) : TTextShape(panel)
{
    PresetCustomPosition(true);
    SetDefaultTextAlignment(taCenter);
}

// ---- item ----

TOrgItem::TOrgItem(TCollection* collection) : TCollectionItem(collection) {}

TOrgItem::~TOrgItem()
{
    if (format_)
        if (TCustomOrgSeries* s = Series()) s->InvalidateChart();
}

void TOrgItem::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TOrgItem*>(source)) {
        SetFormat(other->format_.get());
        return;
    }
    TCollectionItem::Assign(source);
}

TCustomOrgSeries* TOrgItem::Series() const
{
    const auto* items = dynamic_cast<const TOrgItemCollection*>(Collection());
    return items ? items->Series() : nullptr;
}

TOrgShape* TOrgItem::Format()
{
    if (!format_) {
        format_ = std::make_unique<TOrgShape>();
        if (TCustomOrgSeries* s = Series()) {
            format_->Assign(s->Format());
            format_->Series = s;
            if (s->ParentChart()) format_->SetParentPanel(s->ParentChart());
        }
        format_->SetShapeBounds(Box);
    }
    return format_.get();
}

void TOrgItem::SetFormat(TOrgShape* value)
{
    if (!value) {
        format_.reset();
        return;
    }
    Format()->Assign(value);
    format_->SetText(Text());
}

TOrgShape* TOrgItem::EffectiveFormat() const
{
    if (format_) return format_.get();
    TCustomOrgSeries* s = Series();
    return s ? s->Format() : nullptr;
}

void TOrgItem::SetHeight(int value)
{
    if (Height() == value) return;
    Box.Bottom = Box.Top + value;
    if (TCustomOrgSeries* s = Series()) s->InvalidateChart();
}

void TOrgItem::SetWidth(int value)
{
    if (Width() == value) return;
    Box.Right = Box.Left + value;
    if (TCustomOrgSeries* s = Series()) s->InvalidateChart();
}

int TOrgItem::Superior() const
{
    TCustomOrgSeries* s = Series();
    return s && Index() < s->Count() ? static_cast<int>(std::lround(s->XValues()->ValueAt(Index()))) : -1;
}

void TOrgItem::SetSuperior(int value)
{
    TCustomOrgSeries* s = Series();
    if (!s || Index() >= s->Count()) return;
    if (s->WouldCycle(Index(), value))
        throw ChartException("Superior " + IntToStr(value) + " would place item " + IntToStr(Index()) + " below itself");
    s->XValues()->SetValueAt(Index(), value);
}

String TOrgItem::Text() const
{
    TCustomOrgSeries* s = Series();
    return s && Index() < s->Count() ? s->GetLabelAt(Index()) : String();
}

void TOrgItem::SetText(const String& value)
{
    if (TCustomOrgSeries* s = Series(); s && Index() < s->Count()) s->SetLabelAt(Index(), value);
}

TOrgItem* TOrgItem::SuperiorItem() const
{
    TCustomOrgSeries* s = Series();
    const int superior = Superior();
    return s && superior >= 0 && superior < s->Count() && superior < s->Items()->Count() ? s->GetItem(superior) : nullptr;
}

int TOrgItem::Level() const
{
    int level = 0;
    const int limit = Collection() ? Collection()->Count() : 0;
    for (const TOrgItem* item = SuperiorItem(); item && item != this && level <= limit; item = item->SuperiorItem()) ++level;
    return level;
}

TOrgItemCollection::TOrgItemCollection(TCustomOrgSeries* owner)
    : TOwnedCollection(owner, TOrgItem::StaticClass()), series_(owner)
{
}

// ---- spacing ----

void TSpacing::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TSpacing*>(source)) {
        horizontal_ = s->horizontal_;
        vertical_ = s->vertical_;
        if (series_) series_->InvalidateChart();
        return;
    }
    TPersistent::Assign(source);
}

void TSpacing::SetHorizontal(int value)
{
    if (AssignIfChanged(horizontal_, value) && series_) series_->InvalidateChart();
}

void TSpacing::SetVertical(int value)
{
    if (AssignIfChanged(vertical_, value) && series_) series_->InvalidateChart();
}

// ---- base series ----

TCustomOrgSeries::TCustomOrgSeries(TComponent* owner)
    : TChartSeries(owner),
      format_(std::make_unique<TOrgShape>()),
      items_(std::make_unique<TOrgItemCollection>(this)),
      spacing_(std::make_unique<TSpacing>(this))
{
    XValues()->SetOrder(loNone);
    SetScanVisibleRange(false);
    format_->Series = this;
    Pen()->InitEndStyle(esFlat);
    SetShowInLegend(false);
}

TCustomOrgSeries::~TCustomOrgSeries() = default;

void TCustomOrgSeries::Assign(TPersistent* source)
{
    TChartSeries::Assign(source);
    if (auto* s = dynamic_cast<TCustomOrgSeries*>(source)) {
        format_->Assign(s->format_.get());
        spacing_->Assign(s->spacing_.get());
        items_->Assign(s->items_.get());
        syncItems();
    }
}

void TCustomOrgSeries::SetFormat(TOrgShape* value) { format_->Assign(value); }

void TCustomOrgSeries::SetItems(TOrgItemCollection* value) { items_->Assign(value); }

void TCustomOrgSeries::SetSpacing(TSpacing* value) { spacing_->Assign(value); }

int TCustomOrgSeries::ItemCount() const { return std::min(items_->Count(), Count()); }

void TCustomOrgSeries::GetChildIndices(int superior, bool visibleOnly, std::vector<int>& indices) const
{
    indices.clear();
    for (int j = 0; j < ItemCount(); ++j) {
        if (std::lround(XValues()->ValueAt(j)) != superior) continue;
        if (visibleOnly && !GetItem(j)->EffectiveFormat()->Visible()) continue;
        indices.push_back(j);
    }
}

int TCustomOrgSeries::AddItem(const String& text, int superior) { return InsertXY(superior, Count(), text, clAutomatic); }

void TCustomOrgSeries::MeasureItems()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    for (int i = 0; i < ItemCount(); ++i) {
        TOrgItem* item = GetItem(i);
        TOrgShape* format = item->EffectiveFormat();
        if (!format->AutoSize()) {
            if (item->HasFormat()) continue;
            format = item->Format();
        }
        format->SetParentPanel(chart);
        format->SetText(item->Text());
        format->MeasureBounds(*chart);
        item->LineCount = format->LineCount();
        item->Box = format->ShapeBounds();
        format->SetText(String());
    }
}

int TCustomOrgSeries::LevelCount() const
{
    // Depths by links; the links form a forest (cycles are refused), so every walk ends.
    std::vector<int> children;
    const auto depth = [&](const auto& self, int superior, int guard) -> int {
        if (guard > ItemCount()) return 0;
        std::vector<int> below;
        GetChildIndices(superior, true, below);
        int deepest = -1;
        for (const int c : below) deepest = std::max(deepest, self(self, c, guard + 1));
        return below.empty() ? 0 : 1 + deepest;
    };
    return depth(depth, -1, 0);
}

int TCustomOrgSeries::FirstSubordinate(int index) const
{
    for (int i = 0; i < Count(); ++i)
        if (XValues()->ValueAt(i) == index) return i;
    return -1;
}

bool TCustomOrgSeries::WouldCycle(int index, int superior) const
{
    for (int s = superior, steps = 0; s >= 0 && s < Count() && steps <= Count(); ++steps) {
        if (s == index) return true;
        s = static_cast<int>(std::lround(XValues()->ValueAt(s)));
    }
    return false;
}

void TCustomOrgSeries::breakCycles()
{
    for (int i = 0; i < Count(); ++i) {
        const int superior = static_cast<int>(std::lround(XValues()->ValueAt(i)));
        if (superior >= Count() || WouldCycle(i, superior)) XValues()->SetValueAt(i, -1);
    }
}

void TCustomOrgSeries::syncItems()
{
    while (items_->Count() > Count()) items_->Delete(items_->Count() - 1);
    while (items_->Count() < Count()) items_->Add();
}

void TCustomOrgSeries::Loaded()
{
    TChartSeries::Loaded();
    syncItems();
    breakCycles();
}

void TCustomOrgSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TCustomOrgSeries*>(other)) {
        format_->Assign(s->format_.get());
        spacing_->Assign(s->spacing_.get());
    }
    TChartSeries::CopyAppearance(other);
}

void TCustomOrgSeries::SetParentChart(TCustomAxisPanel* value)
{
    TChartSeries::SetParentChart(value);
    format_->SetParentPanel(value);
    for (int i = 0; i < items_->Count(); ++i)
        if (TOrgItem* item = GetItem(i); item->HasFormat()) item->format_->SetParentPanel(value);
}

int TCustomOrgSeries::InsertXY(double x, double y, const String& label, TColor color)
{
    const int index = TChartSeries::InsertXY(x, y, label, color);
    while (items_->Count() < Count()) items_->Add();
    return index;
}

void TCustomOrgSeries::RemovePoint(int index)
{
    if (index < 0 || index >= Count()) return;
    // The subtree by links, removed from the highest index down so that the indexes still to be
    // removed stay valid whatever order the items were added in.
    std::vector<int> subtree{index};
    for (size_t k = 0; k < subtree.size() && subtree.size() <= static_cast<size_t>(Count()); ++k)
        for (int j = 0; j < Count(); ++j)
            if (std::lround(XValues()->ValueAt(j)) == subtree[k] && j != subtree[k]) subtree.push_back(j);
    std::sort(subtree.begin(), subtree.end(), std::greater<>());
    subtree.erase(std::unique(subtree.begin(), subtree.end()), subtree.end());
    for (const int i : subtree) {
        TChartSeries::RemovePoint(i);
        if (i < items_->Count()) items_->Delete(i);
        for (int j = 0; j < Count(); ++j)
            if (const double s = XValues()->ValueAt(j); s > i) XValues()->SetValueAt(j, s - 1);
    }
}

void TCustomOrgSeries::ResetPointLists()
{
    TChartSeries::ResetPointLists();
    if (!IsLoading()) items_->Clear();
}

void TCustomOrgSeries::SwapPoints(int a, int b)
{
    TChartSeries::SwapPoints(a, b);
    if (a < items_->Count() && b < items_->Count()) {
        std::swap(GetItem(a)->format_, GetItem(b)->format_);
        std::swap(GetItem(a)->Box, GetItem(b)->Box);
        std::swap(GetItem(a)->LineCount, GetItem(b)->LineCount);
    }
}

int TCustomOrgSeries::PointScreenX(int index) const
{
    if (index < 0 || index >= items_->Count()) return 0;
    const TRect& box = GetItem(index)->Box;
    return (box.Left + box.Right) / 2;
}

int TCustomOrgSeries::PointScreenY(int index) const
{
    return index >= 0 && index < items_->Count() ? GetItem(index)->Box.Bottom : 0;
}

int TCustomOrgSeries::HitTest(int x, int y)
{
    for (int i = 0; i < ItemCount(); ++i) {
        const TRect& b = GetItem(i)->Box;
        if (x >= b.Left && x <= b.Right && y >= b.Top && y <= b.Bottom) return i;
    }
    return -1;
}

bool TCustomOrgSeries::AcceptsSourceSeries(const TChartSeries* series) const
{
    return dynamic_cast<const TCustomOrgSeries*>(series) != nullptr;
}

void TCustomOrgSeries::drawItem(int index, TColor color)
{
    TOrgItem* item = GetItem(index);
    TOrgShape* format = item->EffectiveFormat();
    if (item->HasFormat()) format->SetShapeBounds(item->Box);
    const TColor old = format->Color();
    if (color != clNone) format->SetColor(color);
    format->SetText(item->Text());
    format->DrawInRect(item->Box, 0, DepthRange().start);
    format->SetText(String());
    if (color != clNone) format->SetColor(old);
    if (ApplyHoverPen(index)) {
        TCanvas3D& canvas = *ParentChart()->Canvas3D();
        canvas.Brush()->SetStyle(bsClear);
        canvas.DrawRect(item->Box);
    }
}

// ---- organisation chart ----

TOrgSeries::TOrgSeries(TComponent* owner) : TCustomOrgSeries(owner) {}

void TOrgSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TOrgSeries*>(source)) lineStyle_ = s->lineStyle_;
    TCustomOrgSeries::Assign(source);
}

void TOrgSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TOrgSeries*>(other)) lineStyle_ = s->lineStyle_;
    TCustomOrgSeries::CopyAppearance(other);
}

void TOrgSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    MeasureItems();
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) blend.emplace(*chart->Canvas3D(), TRect{}, Transparency());
    std::vector<int> top;
    GetChildIndices(-1, true, top);
    const TRect& r = chart->ChartRect();
    const int horizOffset = chart->View3DOptions() ? chart->View3DOptions()->HorizOffset() : 0;
    drawRow(top, (r.Left + r.Right) / 2 + horizOffset, r.Top, 0);
}

void TOrgSeries::drawRow(const std::vector<int>& items, int cx, int top, int depth)
{
    if (items.empty() || depth > ItemCount()) return;
    TCustomAxisPanel* chart = ParentChart();
    TCanvas3D& canvas = *chart->Canvas3D();
    const int h = Spacing()->Horizontal(), v = Spacing()->Vertical();
    const int vo = chart->View3DOptions() ? chart->View3DOptions()->VertOffset() : 0;
    int width = static_cast<int>(items.size() - 1) * h;
    for (const int i : items) width += std::max(GetItem(i)->Box.Width() + 1, 0);
    for (const int i : items) {
        TRect& box = GetItem(i)->Box;
        const int height = box.Height();
        box.Top = top + vo;
        box.Bottom = box.Top + height;
    }
    int x = cx - width / 2, firstCentre = 0, lastCentre = 0, bar = 0, rowHeight = 0;
    for (size_t k = 0; k < items.size(); ++k) {
        const int i = items[k];
        TRect& box = GetItem(i)->Box;
        const int w = box.Width();
        box.Left = x;
        box.Right = x + w;
        const int c = box.Left + (box.Right - box.Left) / 2;
        if (k == 0) firstCentre = c;
        if (k + 1 == items.size() && k > 0) lastCentre = c;
        const int superior = static_cast<int>(std::lround(XValues()->ValueAt(i)));
        if (superior != -1) {
            canvas.UsePen(*Pen());
            std::vector<int> siblings;
            GetChildIndices(superior, false, siblings);
            const bool single = siblings.size() == 1;
            if (lineStyle_ == lsDiagonal) {
                canvas.DrawLine(single ? PointScreenX(superior) : c, box.Top, PointScreenX(superior), PointScreenY(superior));
            } else {
                const int y0 = single ? PointScreenY(superior) : box.Top - v / 2;
                canvas.VerticalSegment(c, y0, box.Top);
                bar = y0;
            }
        }
        drawItem(i, clNone);
        rowHeight = std::max(rowHeight, box.Bottom - box.Top + 1);
        x += w + 1;
        if (k + 1 < items.size()) x += h;
    }
    const bool subordinates = std::lround(XValues()->ValueAt(items.front())) != -1;
    if (lineStyle_ == lsSquared && items.size() > 1 && subordinates) {
        canvas.UsePen(*Pen());
        canvas.HorizontalSegment(firstCentre, lastCentre, bar);
    }
    for (const int i : items) {
        std::vector<int> below;
        GetChildIndices(i, true, below);
        if (below.empty()) continue;
        const TRect& box = GetItem(i)->Box;
        const int centre = (box.Left + box.Right) / 2;
        if (lineStyle_ == lsSquared && below.size() > 1) {
            canvas.UsePen(*Pen());
            canvas.VerticalSegment(centre, box.Bottom, vo + top + rowHeight + v / 2);
        }
        drawRow(below, centre, top + rowHeight + v, depth + 1);
    }
}

void TOrgSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustomOrgSeries::ListGalleryStyles(add);
    add("Lines");
    add("Transparency");
}

void TOrgSeries::ApplyGalleryStyle(int index)
{
    if (index == 1)
        SetLineStyle(lsDiagonal);
    else if (index == 2)
        Format()->SetTransparent(true);
    else
        TCustomOrgSeries::ApplyGalleryStyle(index);
}

void TOrgSeries::AddRandomPoints(int, bool)
{
    const auto name = [] { return String(FirstNames[RandomInt(9)]) + " " + LastNames[RandomInt(9)] + LineBreakChar; };
    const struct {
        const char* title;
        int superior;
    } samples[] = {{"President", -1},   {"Sales Director", 0}, {"Product Manager\rUSA", 0},
                   {"Asian Sales", 2},  {"Human Relations", 0}, {"Assistant", 4}};
    for (const auto& s : samples) {
        String title = s.title;
        std::replace(title.begin(), title.end(), '\r', LineBreakChar);
        AddItem(name() + title, s.superior);
    }
}
