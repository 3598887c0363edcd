// The legend's layout: which items it lists, their rows and columns, its bounds, where symbols,
// texts and check boxes start, and the room it takes from the chart rectangle. Integer arithmetic
// as the chart has always laid its legend out: div truncates, round halves to even.
#include <algorithm>
#include <cstdlib>

#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesGroups.h"
#include "platform/rtl/MathUtils.h"

namespace {

constexpr int CheckBoxRow = 17;    // the smallest row that holds a check box
constexpr int CheckBoxSpace = 15;  // a check box and its gap
constexpr int DefaultRowCap = 10;  // rows of a top or bottom legend without MaxNumRows

int ScaledPercent(int percent, int size) { return static_cast<int>(Round(percent * 1.0 * size * 0.01)); }

bool EffectVisible(const TZebShadow* effect) { return effect && effect->Visible(); }

}  // namespace

int TCustomChartLegend::FrameWidth() const
{
    int width = Pen()->Visible() ? Pen()->Width() : 0;
    if (Bevel() != bvNone) width += BevelWidth();
    return width;
}

int TCustomChartLegend::RowHeight() const
{
    const int textHeight = chart_->Canvas3D()->StandardTextHeight();
    int height = textHeight;
    if (symbol_->Visible()) {
        if (symbol_->HeightUnits() == lcsPixels)
            height = std::max(height, symbol_->Height());
        else if (symbol_->Height() > 100)
            height = ScaledPercent(symbol_->Height(), textHeight);
    }
    if (HasCheckBoxes()) height = std::max(height, CheckBoxRow);
    height += vertSpacing_;
    if (IsSideAligned() && dividingLines_->Visible()) height += dividingLines_->Width();
    return height;
}

int TCustomChartLegend::DividerWidth() const { return dividingLines_->Visible() ? dividingLines_->Width() + 2 : 0; }

int TCustomChartLegend::ColumnExtraWidth(int width) const
{
    return width + symbolWidth_ + textSymbolGap_ + 8 + (HasCheckBoxes() ? CheckBoxSpace : 0);
}

int TCustomChartLegend::ColumnWidth(int column) const
{
    const auto& widths = columnTextWidths_[column];
    const int width = ColumnExtraWidth(widths[0] + widths[1] + widths[2]);
    return column < gridColumns_ - 1 ? width + DividerWidth() + 2 : width;
}

int TCustomChartLegend::TitleWidth() const { return titleWidth_; }

int TCustomChartLegend::countItems() const
{
    if (items_.UseCustomItems()) return items_.Count();
    int count = 0;
    switch (effectiveStyle_) {
        case lsSeriesGroups:
            count = chart_->SeriesGroups() ? chart_->SeriesGroups()->Count() : 0;
            break;
        case lsSeries:
        case lsLastValues:
            while (chart_->LegendSeries(count, !checkBoxes_)) ++count;
            count -= firstValue_;
            break;
        case lsValues:
            if (const TChartSeries* series = LegendSeries(); series && series->ShowInLegend())
                count = series->GetPointCount() - firstValue_;
            break;
        case lsAuto:
            break;
    }
    return std::max(count, 0);
}

void TCustomChartLegend::measurePositions(int count)
{
    count = std::min(count, total_);
    for (int p = static_cast<int>(texts_.size()); p < count; ++p) {
        TLegendItemText texts;
        const TLegendItem* item = items_.UseCustomItems() ? items_.Find(p) : nullptr;
        if (item) {
            texts = {item->Text(), item->Text2(), item->Text3()};
        } else {
            const String text = ItemText(firstValue_ + p);
            const size_t first = text.find(LegendColumnSeparator);
            texts[0] = text.substr(0, first);
            if (first != String::npos) {
                const size_t second = text.find(LegendColumnSeparator, first + 1);
                texts[1] = text.substr(first + 1, second == String::npos ? String::npos : second - first - 1);
                if (second != String::npos) texts[2] = text.substr(second + 1);
            }
        }
        std::array<int, 3> widths{};
        int sum = 0;
        for (int i = 0; i < 3; ++i) {
            if (texts[i].empty()) continue;
            int lines;
            widths[i] = chart_->TextBlockWidth(texts[i], lines, TextFormat()) + textSymbolGap_;
            sum += widths[i] + spaceWidth_ - 1;
        }
        const int symbolWidth = symbol_->PixelWidth(sum);
        symbolWidth_ = std::max(symbolWidth_, symbolWidth);
        texts_.push_back(std::move(texts));
        textWidths_.push_back(widths);
        symbolWidths_.push_back(symbolWidth);
    }
}

void TCustomChartLegend::computeColumnWidths(int columns)
{
    gridColumns_ = columns;
    columnTextWidths_.assign(static_cast<size_t>(std::max(columns, 0)), {0, 0, 0});
    if (columns <= 0) return;
    for (size_t p = 0; p < textWidths_.size(); ++p) {
        auto& column = columnTextWidths_[p % static_cast<size_t>(columns)];
        for (int i = 0; i < 3; ++i) column[i] = std::max(column[i], textWidths_[p][i]);
    }
}

int TCustomChartLegend::gridWidth() const
{
    int width = 2;
    for (int k = 0; k < gridColumns_; ++k) width += ColumnWidth(k);
    return width;
}

int TCustomChartLegend::justifiedFit(int available, int placed)
{
    // A long value legend measures only what a grid of this many columns can show.
    const int rowCap = maxNumRows_ ? maxNumRows_ : DefaultRowCap;
    if (effectiveStyle_ == lsValues) measurePositions(std::max(placed, 1) * rowCap);
    for (;;) {
        computeColumnWidths(std::max(placed, 1));
        totalWidth_ = gridWidth();
        if (totalWidth_ > available && placed > 0) --placed;
        if (totalWidth_ <= available || placed < 1) break;
    }
    // One column is shown even when wider than the room: the legend is clipped to the panel.
    return std::max(placed, 1);
}

int TCustomChartLegend::fitColumns(int available, TLegendJustify justify)
{
    int placed = 0, used = 0, remaining = available;
    while (placed < total_) {
        measurePositions(placed + 1);
        const auto& widths = textWidths_[static_cast<size_t>(placed)];
        int width = ColumnExtraWidth(widths[0] + widths[1] + widths[2]);
        if (placed < total_ - 1) width += DividerWidth() + 2;
        if (remaining < width) break;
        used += width;
        remaining -= width;
        ++placed;
        if (remaining <= 0) break;
    }
    if (justify == ljYes || (placed == 0 && horizJustify_ == ljAutomatic)) return justifiedFit(available, placed);
    totalWidth_ = used;
    return std::min(placed, total_);
}

void TCustomChartLegend::invertPositions(int shown)
{
    shown = std::min(shown, static_cast<int>(texts_.size()));
    std::reverse(texts_.begin(), texts_.begin() + shown);
    std::reverse(textWidths_.begin(), textWidths_.begin() + shown);
    std::reverse(symbolWidths_.begin(), symbolWidths_.begin() + shown);
}

void TCustomChartLegend::itemPositions(int x)
{
    int a = x + frameWidth_ / 2 + 6;
    const bool symbolShown = symbol_->Visible();
    if (symbolShown && symbol_->Position() == spLeft && effectiveStyle_ != lsSeriesGroups) {
        symbolX_ = a;
        textX_ = a + symbolWidth_ + 4 + textSymbolGap_;
        const TZebShadow* shadow = symbol_->Shadow();
        if (shadow->Visible() && shadow->HorizSize() != 0) {
            textX_ += std::abs(shadow->HorizSize());
            if (shadow->HorizSize() < 0) symbolX_ += std::abs(shadow->HorizSize());
        }
        return;
    }
    if (!symbolShown) a += 2;
    textX_ = a;
    if (!symbolShown) return;
    if (symbol_->Position() == spRight) {
        const auto& widths = columnTextWidths_.empty() ? std::array<int, 3>{} : columnTextWidths_[0];
        symbolX_ = textX_ + widths[0] + widths[1] + widths[2] + textSymbolGap_;
    } else {
        symbolX_ = textX_ - textSymbolGap_;
    }
}

void TCustomChartLegend::sideWidth(TRect& bounds)
{
    computeColumnWidths(1);
    int textWidth = 0;
    for (const int w : columnTextWidths_[0])
        if (w != 0) textWidth += w + spaceWidth_ - 1;
    int width = textWidth + 2 + textSymbolGap_;
    symbolWidth_ = effectiveStyle_ == lsSeriesGroups ? 0 : symbol_->PixelWidth(width);
    if (symbol_->Visible()) {
        width += symbolWidth_ + 4;
        if (symbol_->Shadow()->Visible()) width += std::abs(symbol_->Shadow()->HorizSize());
        if (symbol_->Emboss()->Visible()) width += std::abs(symbol_->Emboss()->HorizSize());
    }
    width += frameWidth_;
    if (ReserveSpace) {
        const int before = width;
        ReserveSpace(*this, width);
        reserved_ = width - before;
    }
    if (hasTitle_) width = std::max(width, TitleWidth());

    const int checkBoxSpace = HasCheckBoxes() ? CheckBoxSpace : 0;
    if (alignment_ == laLeft || CustomPosition()) {
        if (!CustomPosition()) bounds.Left = chart_->ChartRect().Left + frameWidth_ + 1;
    } else {
        int right = chart_->ChartRect().Right;
        if (EffectVisible(Shadow())) right -= std::max(0, Shadow()->HorizSize());
        if (HasEmboss() && EffectVisible(Emboss())) right -= Emboss()->HorizSize();
        right -= frameWidth_ / 2 + 1;
        bounds.Left = right - width - checkBoxSpace;
    }
    int x = bounds.Left;
    if (checkBoxSpace) {
        checkBoxX_ = x + 4;
        x += checkBoxSpace;
    }
    bounds.Right = x + width;
    itemPositions(x);
}

void TCustomChartLegend::centre(TRect& bounds, int topPosOffset)
{
    int width = totalWidth_ + (justified_ ? 2 * columns_ : 4);
    if (hasTitle_) width = std::max(width, TitleWidth());
    width = std::min(chart_->PanelBounds().Width() - topPosOffset, width);
    const int half = width / 2;
    if (!CustomPosition()) bounds.Left = chart_->ChartXCenter() - half;
    bounds.Right = bounds.Left + 2 * half;
    int x = bounds.Left;
    if (HasCheckBoxes()) {
        checkBoxX_ = x + 4;
        x += CheckBoxSpace;
    }
    itemPositions(x);
}

void TCustomChartLegend::takeChartSpace(const TRect& bounds)
{
    if (!resizeChart_ || CustomPosition()) return;
    TCustomAxisPanel& chart = *chart_;
    TRect rect = chart.ChartRect();
    switch (alignment_) {
        case laLeft:
            rect.Left = bounds.Right;
            break;
        case laRight:
            rect.Right = bounds.Left;
            break;
        case laTop:
            rect.Top = bounds.Bottom;
            if (EffectVisible(chart.Shadow())) rect.Top += chart.Shadow()->VertSize();
            if (EffectVisible(chart.Emboss())) rect.Top += chart.Emboss()->VertSize();
            break;
        case laBottom:
            rect.Bottom = bounds.Top;
            break;
    }
    if (IsSideAligned()) {
        const int margin = horizMargin_ ? horizMargin_ : 3 * chart.ChartWidth() / 100;
        if (alignment_ == laLeft)
            rect.Left += margin;
        else
            rect.Right -= margin;
    } else {
        const int margin = vertMargin_ ? vertMargin_ : 4 * chart.ChartHeight() / 100;
        if (alignment_ == laTop)
            rect.Top += margin;
        else
            rect.Bottom -= margin;
    }
    chart.SetChartRect(rect);
    chart.NormalizeChartRect();
}

void TCustomChartLegend::ComputeLayout()
{
    TCustomAxisPanel& chart = *chart_;
    TCanvas3D& canvas = *chart.Canvas3D();
    UpdateEffectiveStyle();
    layoutInverted_ = EffectiveInverted();
    frameWidth_ = FrameWidth();
    texts_.clear();
    textWidths_.clear();
    symbolWidths_.clear();
    columnTextWidths_.clear();
    gridColumns_ = columns_ = rows_ = 0;
    symbolWidth_ = reserved_ = totalWidth_ = 0;
    justified_ = false;

    TRect bounds = ShapeBounds();
    offsetByPanel_ = CustomPosition();
    if (offsetByPanel_) {
        if (positionUnits_ == muPercent) {
            const int left = ScaledPercent(leftPercent_, chart.Width());
            const int top = ScaledPercent(topPercent_, chart.Height());
            bounds = {left, top, left + bounds.Width(), top + bounds.Height()};
        }
        OffsetRect(bounds, chart.PanelBounds().Left, chart.PanelBounds().Top);
    }

    // Paging: a value legend lists the current page.
    const int perPage = chart.GetMaxPointsPerPage();
    const bool paged = perPage > 0 && effectiveStyle_ == lsValues && currentPage_;
    if (paged)
        firstValue_ = (chart.CurrentPage() - 1) * perPage;
    else if (perPage > 0 && effectiveStyle_ != lsValues)
        firstValue_ = 0;
    total_ = countItems();
    if (paged) total_ = std::min(total_, perPage);

    chart.RecordLegendColor(Color());
    chart.ApplyFont(*Font());
    spaceWidth_ = canvas.TextWidth(" ");
    rowHeight_ = RowHeight();

    hasTitle_ = title_ && title_->Visible() && !title_->Text().empty();
    if (hasTitle_) {
        title_->MeasureBounds(chart);
        chart.ApplyFont(*title_->Font());
        titleWidth_ = title_->BoundsWidth() + canvas.TextWidth(" ");
        titleHeight_ = title_->BoundsHeight();
        chart.ApplyFont(*Font());
    }
    const int titleBand = hasTitle_ ? titleHeight_ + 2 : 0;
    const int penHalf = Pen()->Visible() ? Pen()->Width() / 2 : 0;
    const TRect& chartRect = chart.ChartRect();
    const int topPosOffset = ScaledPercent(topPos_, chart.PanelBounds().Width());

    if (IsSideAligned()) {
        if (!CustomPosition()) {
            const int top = chartRect.Top + ScaledPercent(topPos_, chart.ChartHeight()) + frameWidth_ / 2;
            bounds = {bounds.Left, top, bounds.Right, top + bounds.Height()};
        }
        columns_ = 1;
        itemsTop_ = bounds.Top + penHalf + titleBand;
        rows_ = itemsTop_ < chartRect.Bottom && rowHeight_ > 0
                    ? std::min((chartRect.Bottom - frameWidth_ - itemsTop_) / rowHeight_, total_)
                    : 0;
        if (maxNumRows_ != 0) rows_ = std::min(rows_, maxNumRows_);
        lastValue_ = std::min(total_, rows_) + firstValue_ - 1;
        measurePositions(lastValue_ - firstValue_ + 1);
    } else {
        // Series legends are short: measured whole, exactly as laid out before; a value legend
        // measures only what its grid can show.
        if (effectiveStyle_ != lsValues) measurePositions(total_);
        if (!CustomPosition() && alignment_ != laBottom) {
            const int top = chartRect.Top + frameWidth_ / 2 + 1;
            bounds = {bounds.Left, top, bounds.Right, top + bounds.Height()};
        }
        const int panelWidth = chart.PanelBounds().Width();
        int available = panelWidth - 2 * frameWidth_ - (chart.FrameWidth() + panelWidth * horizMargin_ / 100);
        if (!CustomPosition()) available -= topPosOffset;
        const int rowCap = maxNumRows_ ? maxNumRows_ : DefaultRowCap;
        auto rowsFor = [&](int columns) {
            return columns > 0 ? std::min((total_ + columns - 1) / columns, rowCap) : 0;
        };
        columns_ = fitColumns(available, horizJustify_);
        rows_ = rowsFor(columns_);
        if (rows_ > 1) {
            justified_ = true;
            columns_ = fitColumns(available, ljYes);
            rows_ = rowsFor(columns_);
        }
        if (columns_ == 0)
            lastValue_ = firstValue_ - 1;
        else if (justified_)
            lastValue_ = std::min(total_, columns_ * rows_) + firstValue_ - 1;
        else
            lastValue_ = firstValue_ + total_ - 1;
        if (!CustomPosition() && alignment_ == laBottom) {
            int offset = frameWidth_ / 2 + 1;
            if (EffectVisible(Shadow())) offset += Shadow()->VertSize();
            if (HasEmboss() && EffectVisible(Emboss())) offset += Emboss()->VertSize();
            if (ReserveSpace) ReserveSpace(*this, offset);
            bounds = {bounds.Left, chartRect.Bottom - offset - bounds.Height(), bounds.Right, chartRect.Bottom - offset};
        }
    }
    if (lastValue_ < firstValue_) {
        SetShapeBounds(bounds);
        return;
    }
    if (layoutInverted_) invertPositions(lastValue_ - firstValue_ + 1);
    if (!IsSideAligned()) {
        computeColumnWidths(columns_);
        if (justified_) totalWidth_ = gridWidth();
    }

    rowGap_ = static_cast<int>(Round(rowHeight_ * 0.1));
    int height = rowHeight_ * rows_ + 2 + 2 * rowGap_ + frameWidth_;
    if (hasTitle_) height += titleHeight_ + 4;
    if (symbol_->Visible()) {
        for (const TZebShadow* effect : {static_cast<const TZebShadow*>(symbol_->Shadow()),
                                         static_cast<const TZebShadow*>(symbol_->Emboss())})
            if (effect->Visible() && effect->VertSize() > rowHeight_ / 6)
                height += effect->VertSize() - rowHeight_ / 6;
    }
    if (alignment_ == laBottom && !CustomPosition())
        bounds.Top = bounds.Bottom - height;
    else
        bounds.Bottom = bounds.Top + height;
    if (!IsSideAligned()) itemsTop_ = bounds.Top + penHalf + titleBand;

    if (IsSideAligned())
        sideWidth(bounds);
    else
        centre(bounds, topPosOffset);
    chart.GetLegendRect(*this, bounds);
    SetShapeBounds(bounds);
    takeChartSpace(bounds);
}
