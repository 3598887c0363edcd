#pragma once
// The chart's legend: a framed text shape that lists the chart's series, the values of one series,
// the last value of each series or the series groups, each row with a colour symbol and, when
// asked, a check box that switches its series on and off. Model and small operations in
// Legend.cpp, the layout (rows, columns, bounds, paging, the chart's space) in LegendLayout.cpp,
// drawing and hit testing in LegendDraw.cpp.
//
// The legend works on any TCustomAxisPanel; the chart-only questions (its legend events) go
// through the panel's legend hooks (AxisPanel.h), which the chart answers.
#include <array>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "chart/canvas/CanvasTypes.h"
#include "chart/core/ChartEvents.h"
#include "chart/core/ChartException.h"
#include "chart/core/LegendItems.h"
#include "chart/core/LegendStyle.h"
#include "chart/core/LegendSymbol.h"
#include "chart/core/LegendTextStyle.h"
#include "chart/core/StringsShape.h"

class TChartSeries;
class TCustomAxisPanel;
class TGraphic;
class TZebHiddenPen;
class TZebSelected;

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
inline constexpr const char* TLegendAlignmentNames[] = {"laLeft", "laRight", "laTop", "laBottom"};
static_assert(std::size(TLegendAlignmentNames) == laBottom + 1);

enum TCheckBoxesStyle { cbsCheck, cbsRadio };
inline constexpr const char* TCheckBoxesStyleNames[] = {"cbsCheck", "cbsRadio"};
static_assert(std::size(TCheckBoxesStyleNames) == cbsRadio + 1);

enum TLegendJustify { ljAutomatic, ljYes, ljNo };
inline constexpr const char* TLegendJustifyNames[] = {"ljAutomatic", "ljYes", "ljNo"};
static_assert(std::size(TLegendJustifyNames) == ljNo + 1);

class LegendException : public ChartException {
public:
    using ChartException::ChartException;
};

// The legend's check boxes or style changed (to the chart's listeners).
class TZebLegendEvent : public TZebEvent {};

// The legend's title: transparent, bold.
class TLegendTitle : public TStringsShape {
    TV_CLASS(TLegendTitle, TStringsShape)
public:
    explicit TLegendTitle(TCustomZebPanel* panel = nullptr);

protected:
    void InitShadowDefaults(TZebShadow& shadow) override;
    void InitEmbossDefaults(TZebEmboss& emboss) override;
};

// The three column texts of one listed item.
using TLegendItemText = std::array<String, 3>;

class TCustomChartLegend : public TZebCustomShapePosition {
    TV_CLASS(TCustomChartLegend, TZebCustomShapePosition)
public:
    explicit TCustomChartLegend(TCustomAxisPanel* chart = nullptr);
    ~TCustomChartLegend() override;
    void Assign(TPersistent* source) override;
    // Moves the legend, its title included, to another chart (null: none).
    void SetParentPanel(TCustomZebPanel* panel) override;

    TCustomAxisPanel* Chart() const { return chart_; }
    // Visibility and its stored default.
    void InitVisible(bool value) { PresetVisible(value); }

    // ---- settings ----
    TLegendAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLegendAlignment value);
    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool value);
    TCheckBoxesStyle CheckBoxesStyle() const { return checkBoxesStyle_; }
    // cbsRadio leaves only the first entry on.
    void SetCheckBoxesStyle(TCheckBoxesStyle value);
    int ColorWidth() const;
    void SetColorWidth(int value);
    bool CurrentPage() const { return currentPage_; }
    void SetCurrentPage(bool value) { Change(currentPage_, value); }
    TZebHiddenPen* DividingLines() const { return dividingLines_.get(); }
    void SetDividingLines(TZebHiddenPen* value);
    bool DrawBehind() const { return drawBehind_; }
    void SetDrawBehind(bool value) { Change(drawBehind_, value); }
    int FirstValue() const { return firstValue_; }
    // LegendException below 0.
    void SetFirstValue(int value);
    bool FontSeriesColor() const { return fontSeriesColor_; }
    void SetFontSeriesColor(bool value) { Change(fontSeriesColor_, value); }
    TZebTransparency GlobalTransparency() const { return globalTransparency_; }
    void SetGlobalTransparency(TZebTransparency value) { Change(globalTransparency_, value); }
    TLegendJustify HorizJustify() const { return horizJustify_; }
    void SetHorizJustify(TLegendJustify value) { Change(horizJustify_, value); }
    int HorizMargin() const { return horizMargin_; }
    void SetHorizMargin(int value) { Change(horizMargin_, value); }
    bool Inverted() const { return inverted_; }
    void SetInverted(bool value) { Change(inverted_, value); }
    int LeftPercent() const { return leftPercent_; }
    void SetLeftPercent(int value) { Change(leftPercent_, value); }
    TLegendStyle LegendStyle() const { return legendStyle_; }
    void SetLegendStyle(TLegendStyle value);
    int MaxNumRows() const { return maxNumRows_; }
    void SetMaxNumRows(int value) { Change(maxNumRows_, value); }
    TZebUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TZebUnits value) { Change(positionUnits_, value); }
    bool ResizeChart() const { return resizeChart_; }
    void SetResizeChart(bool value);
    // Created on first read; null frees it.
    TZebSelected* Selected();
    void SetSelected(TZebSelected* value);
    TZebSelected* SelectedOrNull() const { return selected_.get(); }
    bool HasSelected() const { return selected_ != nullptr; }
    TLegendSymbol* Symbol() const { return symbol_.get(); }
    void SetSymbol(TLegendSymbol* value);
    TLegendTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TLegendTextStyle value) { Change(textStyle_, value); }
    int TextSymbolGap() const { return textSymbolGap_; }
    void SetTextSymbolGap(int value) { Change(textSymbolGap_, value); }
    // Created on first read; null frees it.
    TLegendTitle* Title();
    void SetTitle(TLegendTitle* value);
    TLegendTitle* TitleOrNull() const { return title_.get(); }
    bool HasTitle() const { return title_ != nullptr; }
    int TopPercent() const { return topPercent_; }
    void SetTopPercent(int value) { Change(topPercent_, value); }
    int TopPos() const { return topPos_; }
    void SetTopPos(int value) { Change(topPos_, value); }
    int VertMargin() const { return vertMargin_; }
    void SetVertMargin(int value) { Change(vertMargin_, value); }
    int VertSpacing() const { return vertSpacing_; }
    void SetVertSpacing(int value) { Change(vertSpacing_, value); }
    TLegendItems& Items() { return items_; }

    // The legend scroll bar's room: given the legend and a size in pixels it may enlarge the
    // size (the width of a side legend, the bottom offset of a bottom one). None by default.
    std::function<void(TCustomChartLegend& legend, int& size)> ReserveSpace;

    // ---- the model (Legend.cpp) ----
    TLegendStyle EffectiveStyle() const { return effectiveStyle_; }
    void UpdateEffectiveStyle();
    // Active series with a visible legend entry.
    int CountLegendSeries() const;
    // The series whose values lsValues lists (none: automatic).
    TChartSeries* LegendSeries() const;
    void SetLegendSeries(TChartSeries* series);
    bool EffectiveInverted() const;
    bool HasCheckBoxes() const { return checkBoxes_ && effectiveStyle_ != lsValues; }
    bool HasContent() const;
    bool IsSideAligned() const { return alignment_ == laLeft || alignment_ == laRight; }
    // The item's text by the effective style, as the chart's legend-text hook leaves it.
    String ItemText(int index) const;
    // A mouse-down on item index (-1: none); true when a check box acted.
    bool ClickItem(int index);
    TCursor HoverCursor() const;
    // Repaint, then the legend event to the chart's listeners.
    void ChangedNotify();
    // The pen that frames colour boxes: the symbol's, or none for the canvas's own.
    void SelectSymbolPen();
    TZebPen* SymbolPen() const { return symbolPen_; }

    // ---- layout (LegendLayout.cpp) ----
    // Items, rows, columns, bounds and positions; takes the legend's room from the chart
    // rectangle.
    void ComputeLayout();
    int RowHeight() const;
    int ColumnWidth(int column) const;
    int ColumnExtraWidth(int width) const;
    int DividerWidth() const;
    int TitleWidth() const;
    int FrameWidth() const;
    int TotalCount() const { return total_; }
    // Of the last layout (the symbol's percent height is of it).
    int LayoutRowHeight() const { return rowHeight_; }
    int LastValue() const { return lastValue_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    bool Justified() const { return justified_; }
    int RowGap() const { return rowGap_; }
    int SymbolWidth() const { return symbolWidth_; }
    int ItemsTop() const { return itemsTop_; }
    int TextX() const { return textX_; }
    int SymbolX() const { return symbolX_; }
    int CheckBoxX() const { return checkBoxX_; }
    // Column text widths (0 .. 2) of legend column k for the last grid.
    const std::array<int, 3>& ColumnTextWidths(int column) const { return columnTextWidths_[column]; }
    // Column texts of listed position p (0 = FirstValue) as the layout measured them.
    const TLegendItemText& PositionTexts(int position) const { return texts_[position]; }
    // Positions whose texts the last layout made.
    int MeasuredCount() const { return static_cast<int>(texts_.size()); }

    // ---- drawing and hits (LegendDraw.cpp) ----
    void RenderLegend();
    void DrawItems();
    // -1 outside the items.
    int ItemAtPoint(TPoint point);
    int ItemAtXY(int x, int y) { return ItemAtPoint({x, y}); }
    // The series' legend text of the point in TextStyle, lines joined by blanks; empty for -1.
    String LegendTextOfPoint(TChartSeries* series, int index) const;
    // The chart's symbol box: picture (when given and UseImages) stretched into rect, else a colour
    // box in the canvas brush colour.
    void PaintSymbolBox(const TRect& rect, TGraphic* picture);

private:
    // The grid's column text widths for columns (from the measured positions).
    void computeColumnWidths(int columns);

    TCustomZebPanel* panel() const;

    // layout
    int countItems() const;
    void measurePositions(int count);
    int fitColumns(int available, TLegendJustify justify);
    int justifiedFit(int available, int placed);
    int gridWidth() const;
    void invertPositions(int shown);
    void sideWidth(TRect& bounds);
    void centre(TRect& bounds, int topPosOffset);
    void itemPositions(int x);
    void takeChartSpace(const TRect& bounds);

    // drawing
    void drawTitle();
    void drawItem(int index, int position, TChartSeries* legendSeries);
    void drawSymbol(TChartSeries* series, int itemNumber, int valueIndex, const TRect& rect);
    TChartSeries* entrySeries(int index) const;

    TCustomAxisPanel* chart_;
    TLegendAlignment alignment_ = laRight;
    bool checkBoxes_ = false;
    TCheckBoxesStyle checkBoxesStyle_ = cbsCheck;
    bool currentPage_ = true;
    std::unique_ptr<TZebHiddenPen> dividingLines_;
    bool drawBehind_ = false;
    int firstValue_ = 0;
    bool fontSeriesColor_ = false;
    TZebTransparency globalTransparency_ = 0;
    TLegendJustify horizJustify_ = ljAutomatic;
    int horizMargin_ = 0;
    bool inverted_ = false;
    int leftPercent_ = 0;
    TLegendStyle legendStyle_ = lsAuto;
    int maxNumRows_ = 0;
    TZebUnits positionUnits_ = muPixels;
    bool resizeChart_ = true;
    std::unique_ptr<TZebSelected> selected_;
    std::unique_ptr<TLegendSymbol> symbol_;
    TLegendTextStyle textStyle_ = ltsLeftValue;
    int textSymbolGap_ = 2;
    std::unique_ptr<TLegendTitle> title_;
    int topPercent_ = 0;
    int topPos_ = 10;
    int vertMargin_ = 0;
    int vertSpacing_ = 0;
    TLegendItems items_{this};
    TChartSeries* legendSeries_ = nullptr;
    TZebPen* symbolPen_ = nullptr;

    // state of the last layout
    TLegendStyle effectiveStyle_ = lsAuto;
    bool layoutInverted_ = false;
    int lastValue_ = -1;
    int total_ = 0;
    int columns_ = 0, rows_ = 0;
    int rowHeight_ = 0, rowGap_ = 0;
    int spaceWidth_ = 0;
    int symbolWidth_ = 0;
    int frameWidth_ = 0;
    int itemsTop_ = 0;
    int textX_ = 0, symbolX_ = 0, checkBoxX_ = 0;
    int reserved_ = 0;  // what ReserveSpace added to a side legend's width
    int titleWidth_ = 0, titleHeight_ = 0;
    int totalWidth_ = 0;
    int gridColumns_ = 0;  // of the column text widths
    bool justified_ = false;
    bool hasTitle_ = false;
    bool offsetByPanel_ = false;
    std::vector<TLegendItemText> texts_;
    std::vector<std::array<int, 3>> textWidths_;
    std::vector<int> symbolWidths_;
    std::vector<std::array<int, 3>> columnTextWidths_;
};

class TChartLegend : public TCustomChartLegend {
    TV_CLASS(TChartLegend, TCustomChartLegend)
public:
    explicit TChartLegend(TCustomAxisPanel* chart = nullptr) : TCustomChartLegend(chart) {}
};
