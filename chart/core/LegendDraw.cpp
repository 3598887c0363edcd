// Painting the legend (frame, title, items with texts, symbols, check boxes and dividing lines)
// and finding the item under a point.
#include <algorithm>
#include <optional>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesColumns.h"
#include "chart/core/SeriesGroups.h"
#include "chart/core/SeriesLegend.h"
#include "chart/core/ZebProcs.h"
#include "chart/core/ZebSelected.h"
#include "platform/rtl/MathUtils.h"

namespace {

enum TColumnAlign { caLeft, caRight };

// Columns 1 and 2 by the text style; column 3 is always left-aligned.
TColumnAlign ColumnAlignment(TLegendTextStyle style, int column)
{
    if (column == 2) return caLeft;
    switch (style) {
        case ltsLeftValue:
        case ltsLeftPercent:
        case ltsXValue:
        case ltsValue:
        case ltsPercent:
            return column == 0 ? caRight : caLeft;
        case ltsXAndValue:
        case ltsXAndPercent:
            return caRight;
        case ltsRightValue:
        case ltsRightPercent:
            return column == 0 ? caLeft : caRight;
        default:
            return caLeft;
    }
}

}  // namespace

String TCustomChartLegend::LegendTextOfPoint(TChartSeries* series, int index) const
{
    if (!series || index == -1) return String();
    String text = series->FormatLegendText(index, textStyle_);
    std::replace(text.begin(), text.end(), LineBreakChar, ' ');
    return text;
}

void TCustomChartLegend::PaintSymbolBox(const TRect& rect, TGraphic* picture)
{
    TCanvas3D& canvas = *chart_->Canvas3D();
    if (picture && symbol_->UseImages())
        canvas.StretchGraphic(rect, picture);
    else
        symbol_->PaintColorBox(canvas.Brush()->Color(), rect);
}

void TCustomChartLegend::RenderLegend()
{
    TCanvas3D& canvas = *chart_->Canvas3D();
    {
        const TElementScope legendElement(canvas, "Legend", this, Transform());
        if (lastValue_ >= firstValue_) {
            std::optional<TBlendSection> blend;
            if (globalTransparency_ > 0) blend.emplace(canvas, ShapeBounds(), globalTransparency_);
            if (canvas.IsTrue3D())
                DrawInRect(ShapeBounds(), 0, 0);
            else
                DrawAtBounds();
            if (hasTitle_) drawTitle();
            const TElementScope itemsElement(canvas, "Items", this);
            DrawItems();
        }
    }
    if (offsetByPanel_) {
        TRect bounds = ShapeBounds();
        OffsetRect(bounds, -chart_->PanelBounds().Left, -chart_->PanelBounds().Top);
        SetShapeBounds(bounds);
        offsetByPanel_ = false;
    }
}

void TCustomChartLegend::drawTitle()
{
    int left;
    switch (title_->TextAlignment()) {
        case taCenter:
            left = (Left() + Right() - TitleWidth()) / 2;
            break;
        case taRightJustify:
            left = Right() - title_->BoundsWidth() - 2;
            break;
        default:
            left = Left() + 2;
            break;
    }
    const int top = Top() + 2;
    title_->SetShapeBounds({left, top, left + title_->BoundsWidth(), top + title_->BoundsHeight()});
    title_->DrawAtBounds();
    chart_->ApplyFont(*Font());
}

void TCustomChartLegend::DrawItems()
{
    TChartSeries* legendSeries = LegendSeries();
    if (!items_.UseCustomItems()) items_.ClearAll();
    chart_->ApplyFont(*Font());
    const bool inverted = layoutInverted_;
    for (int position = 0, index = inverted ? lastValue_ : firstValue_; position <= lastValue_ - firstValue_;
         ++position, index += inverted ? -1 : 1)
        drawItem(index, position, legendSeries);
}

void TCustomChartLegend::drawItem(int index, int position, TChartSeries* legendSeries)
{
    if (position >= total_ || position >= MeasuredCount()) return;
    TCustomAxisPanel& chart = *chart_;
    TCanvas3D& canvas = *chart.Canvas3D();
    std::optional<TElementScope> itemElement;
    if (canvas.RecordElements()) itemElement.emplace(canvas, std::to_string(position), this);

    canvas.Brush()->SetColor(Color());
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(TRANSPARENT);
    SelectSymbolPen();
    chart.ApplyFont(*Font());

    const bool side = IsSideAligned();
    const int column = side ? 0 : position % gridColumns_;
    const int row = side ? position : position / gridColumns_;
    int offset = 0;
    for (int k = 0; k < column; ++k) offset += ColumnWidth(k);
    // Every item starts from the layout's positions: drawing twice draws the same.
    int textX = textX_ + offset;
    int top = itemsTop_ + 1 + rowGap_;
    int symbolLeft = Left() + 6 + frameWidth_ / 2 + (checkBoxes_ ? textSymbolGap_ + 11 : 0) + offset;
    const auto& columnWidths = columnTextWidths_[static_cast<size_t>(column)];
    if (symbol_->Position() == spRight)
        symbolLeft += columnWidths[0] + columnWidths[1] + columnWidths[2] + textSymbolGap_ + 2;
    top += rowHeight_ * row + vertSpacing_ / 2;
    chart.GetLegendPos(*this, index, textX, top, symbolLeft);

    int x = textX - 2;
    TColor seriesFontColor = clNone;
    if (fontSeriesColor_) {
        if (effectiveStyle_ == lsSeries || effectiveStyle_ == lsLastValues) {
            if (const TChartSeries* series = entrySeries(index)) seriesFontColor = series->SeriesColor();
        } else if (legendSeries) {
            seriesFontColor = legendSeries->GetLegendColor(index);
        }
        if (seriesFontColor != clNone) canvas.Font()->SetColor(seriesFontColor);
    }

    const bool custom = items_.UseCustomItems();
    TLegendItem* customItem = custom ? items_.Find(position) : nullptr;
    const bool hovered = chart.Hover() && chart.Hover()->Visible() && selected_ && selected_->Hover()->Visible() &&
                         selected_->HoverIndex() == index;
    const TLegendItemText& texts = texts_[static_cast<size_t>(position)];
    for (int i = 0; i < 3; ++i) {
        const String& text = customItem ? customItem->ColumnText(i) : texts[static_cast<size_t>(i)];
        const bool right = effectiveStyle_ != lsSeries && ColumnAlignment(textStyle_, i) == caRight;
        if (right) x += side || justified_ ? columnWidths[i] - 4 : textWidths_[static_cast<size_t>(position)][i];
        canvas.SetTextAlignment(right ? TA_RIGHT : TA_LEFT);
        if (!text.empty()) {
            int y = top + (checkBoxes_ ? 1 : 0);
            int textLeft = x;
            if (i == 0) {
                if (custom && customItem && items_.UseCustomPositions()) {
                    textLeft = customItem->Left();
                    y = customItem->Top();
                    canvas.SetTextAlignment(static_cast<TTextAlign>(customItem->Align()));
                } else if (custom && customItem) {
                    customItem->Record(x, y, static_cast<int>(canvas.GetTextAlignment()));
                }
                if (customItem && customItem->HasFont()) {
                    chart.ApplyFont(*customItem->Font());
                } else if (!custom) {
                    TLegendItem* item = items_.ItemAt(position);
                    item->Record(x, y, static_cast<int>(canvas.GetTextAlignment()));
                    item->RecordTexts(texts[0], texts[1], texts[2]);
                }
            }
            if (!fontSeriesColor_ && !(customItem && customItem->HasFont())) chart.ApplyFont(*Font());
            if (hovered) canvas.Font()->SetColor(selected_->Hover()->Font()->Color());
            TextOutOrHtml(canvas, textLeft, y, text, TextFormat() == ttfHtml);
        }
        if (!right) x += columnWidths[i];
        x += spaceWidth_;
    }
    canvas.SetTextAlignment(TA_LEFT);

    TRect symbolRect;
    if (custom && customItem && items_.UseCustomPositions()) {
        symbolRect = customItem->SymbolRect();
    } else {
        const int last = lastValue_ - firstValue_;
        symbolRect = {symbolLeft, top, symbolLeft + symbolWidths_[static_cast<size_t>(position)], top};
        if (symbol_->HeightUnits() == lcsPixels) {
            symbolRect.Bottom = top + symbol_->Height();
        } else {
            symbolRect.Bottom = top + rowHeight_ + 1;
            if (!(symbol_->Continuous() && position > 0)) symbolRect.Top += 2;
            if (!(symbol_->Continuous() && position != last)) symbolRect.Bottom -= vertSpacing_ + 3;
            if (symbol_->Height() <= 100)
                symbolRect.Bottom = symbolRect.Top + static_cast<int>(Round((symbolRect.Bottom - symbolRect.Top) *
                                                                           symbol_->Height() * 0.01));
        }
        if (TLegendItem* item = custom ? customItem : items_.Find(position)) item->SetSymbolRect(symbolRect);
    }

    TChartSeries* symbolSeries = nullptr;
    int valueIndex = -1, itemNumber = index;
    bool checked = false;
    switch (effectiveStyle_) {
        case lsSeries:
        case lsLastValues:
            symbolSeries = entrySeries(index);
            checked = symbolSeries && symbolSeries->Active();
            break;
        case lsValues:
            symbolSeries = legendSeries;
            if (legendSeries) itemNumber = valueIndex = legendSeries->PointOfLegendItem(index);
            break;
        case lsSeriesGroups:
            if (TSeriesGroups* groups = chart.SeriesGroups(); groups && index < groups->Count())
                checked = groups->GetGroup(index)->Active() != gaNo;
            break;
        case lsAuto:
            break;
    }
    if (HasCheckBoxes()) {
        canvas.Brush()->SetColor(Color());
        canvas.DrawCheckBox(checkBoxX_ + offset, top + (rowHeight_ - vertSpacing_ - 11) / 2 - 1, checked, 0,
                            checkBoxesStyle_ == cbsCheck);
    }
    if (effectiveStyle_ != lsSeriesGroups) drawSymbol(symbolSeries, itemNumber, valueIndex, symbolRect);

    if (position > 0 && dividingLines_->Visible()) {
        canvas.UsePen(*dividingLines_);
        canvas.SetBackgroundMode(TRANSPARENT);
        const int inset = Pen()->Visible() ? (Pen()->Width() + 1) / 2 : 0;
        if (side) {
            canvas.HorizontalSegment(Left() + inset, Right() - inset, top - vertSpacing_ / 2);
        } else if (position < columns_) {
            canvas.VerticalSegment(Left() + 1 + offset, Top() + inset, Bottom() - inset);
        }
    }
}

void TCustomChartLegend::drawSymbol(TChartSeries* series, int itemNumber, int valueIndex, const TRect& rect)
{
    TCanvas3D& canvas = *chart_->Canvas3D();
    if (symbol_->OnDraw().Assigned()) {
        symbol_->OnDraw()(symbol_.get(), series, itemNumber, rect);
    } else if (rect.Width() > 0) {
        if (series) {
            series->DrawLegendSymbol(valueIndex, rect);
        } else {
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(clWhite);
            PaintSymbolBox(rect, nullptr);
        }
    }
    if (selected_ && selected_->Visible() && selected_->SelectedIndex() == itemNumber) {
        canvas.UsePen(*selected_->Pen());
        canvas.Brush()->SetStyle(bsClear);
        canvas.DrawRect(rect);
    }
}

int TCustomChartLegend::ItemAtPoint(TPoint point)
{
    TRect bounds = ShapeBounds();
    if (IsSideAligned()) bounds.Right -= reserved_;
    if (point.X < bounds.Left || point.X > bounds.Right || point.Y < bounds.Top || point.Y > bounds.Bottom) return -1;
    chart_->ApplyFont(*Font());
    const int rowHeight = RowHeight();
    const bool inverted = EffectiveInverted();
    int row = -1;
    for (int r = 0, y0 = itemsTop_ + 1; r < rows_; ++r, y0 += rowHeight)
        if (y0 <= point.Y && point.Y <= y0 + rowHeight) {
            row = inverted ? rows_ - r - 1 : r;
            break;
        }
    if (IsSideAligned()) return row == -1 ? -1 : firstValue_ + row;
    if (columns_ <= 0 || gridColumns_ <= 0) return -1;
    if (!justified_) {
        for (int k = 0, x0 = Left() + 1; k < std::min(total_, gridColumns_); ++k) {
            const int w = ColumnWidth(k);
            if (x0 <= point.X && point.X <= x0 + w) return inverted ? columns_ + firstValue_ - k - 1 : firstValue_ + k;
            x0 += w;
        }
        return -1;
    }
    int result = -1;
    for (int k = 0, x0 = Left(); k < columns_; ++k) {
        const int w = ColumnWidth(k);
        if (x0 <= point.X && point.X <= x0 + w && row != -1) {
            int index = row * columns_ + k;
            if (inverted) {
                int e = (lastValue_ - firstValue_ + 1) % columns_;
                if (e <= 0) e = columns_;
                index = row * columns_ + e - k - 1;
            }
            result = index > total_ - 1 ? -1 : firstValue_ + index;
        }
        x0 += w;
    }
    return result;
}
