#pragma once
// The line, area and point family: TCustomSeries joins its points by lines or steps, fills an area
// down to an origin, marks points with pointer symbols (shared or per point), stacks against the
// chart's series of its kind and answers hits along the line.
#include <iterator>
#include <memory>
#include <vector>

#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesPointer.h"

class TZebEmboss;
class TZebGradient;
class TZebHiddenPen;
class TZebShadow;
class TCustomSeries;

enum TCustomSeriesDrawStyle { dsSegments, dsAll, dsCurve };
inline constexpr const char* TCustomSeriesDrawStyleNames[] = {"dsSegments", "dsAll", "dsCurve"};
static_assert(std::size(TCustomSeriesDrawStyleNames) == dsCurve + 1);

enum TCustomSeriesStack { cssNone, cssOverlap, cssStack, cssStack100 };
inline constexpr const char* TCustomSeriesStackNames[] = {"cssNone", "cssOverlap", "cssStack", "cssStack100"};
static_assert(std::size(TCustomSeriesStackNames) == cssStack100 + 1);

using TSeriesClickPointerEvent = TMethodEvent<void(TCustomSeries* Sender, int ValueIndex, int X, int Y)>;
using TOnGetPointerStyle = TMethodEvent<TSeriesPointerStyle(TChartSeries* Sender, int ValueIndex)>;

// Only declares the line pen: the series' own pen.
class TCustomLineSeries : public TChartSeries {
    TV_CLASS(TCustomLineSeries, TChartSeries)
public:
    using TChartSeries::TChartSeries;
    TZebPen* LinePen() const { return Pen(); }
    void SetLinePen(TZebPen* value) { SetPen(value); }
};

// The shared pointer of a series, with optional per-point pointers indexed by value index (empty
// entries allowed).
class TSeriesPointerItems : public TSeriesPointer {
    TV_CLASS(TSeriesPointerItems, TSeriesPointer)
public:
    explicit TSeriesPointerItems(TCustomSeries* series = nullptr);
    ~TSeriesPointerItems() override;

    // The per-point pointer of index, made from the shared one on first use.
    TSeriesPointer* EnsureItem(int index);
    TSeriesPointer* ItemOrSelf(int index);
    const TSeriesPointer* ItemOrSelf(int index) const;
    void RemoveItem(int index);
    void ClearItems();
    int ItemCount() const { return static_cast<int>(items_.size()); }
    void SwapItems(int a, int b);
    // Sets the visibility and records it as the stored default.
    using TSeriesPointer::PresetVisible;
    // Index of the pointer under the mouse; -1 none.
    int HoverIndex = -1;

protected:
    std::optional<TSeriesDepth> SeriesDepth() const override;
    void SymbolHit() override;

private:
    std::vector<std::unique_ptr<TSeriesPointer>> items_;
};

class TCustomSeries : public TCustomLineSeries {
    TV_CLASS(TCustomSeries, TCustomLineSeries)
public:
    explicit TCustomSeries(TComponent* owner);
    ~TCustomSeries() override;
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;

    // ---- settings ----
    TZebBrush* AreaChartBrush() const { return areaBrush_.get(); }
    void SetAreaChartBrush(TZebBrush* value);
    TBrushStyle AreaBrush() const;
    void SetAreaBrush(TBrushStyle value);
    TColor AreaColor() const { return areaColor_; }
    void SetAreaColor(TColor value) { ChangeColor(areaColor_, value); }
    TZebPen* AreaLinesPen() const { return areaLinesPen_.get(); }
    void SetAreaLinesPen(TZebPen* value);
    bool ClickableLine() const { return clickableLine_; }
    void SetClickableLine(bool value) { clickableLine_ = value; }
    int ClickTolerance() const { return clickTolerance_; }
    void SetClickTolerance(int value) { clickTolerance_ = value; }
    bool ColorEachLine() const { return colorEachLine_; }
    void SetColorEachLine(bool value) { ChangeBoolean(colorEachLine_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { ChangeBoolean(dark3D_, value); }
    bool DrawArea() const { return drawArea_; }
    void SetDrawArea(bool value) { ChangeBoolean(drawArea_, value); }
    bool DrawLines() const { return drawLines_; }
    void SetDrawLines(bool value) { ChangeBoolean(drawLines_, value); }
    TCustomSeriesDrawStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(TCustomSeriesDrawStyle value);
    TZebEmboss* Emboss() const { return emboss_.get(); }
    void SetEmboss(TZebEmboss* value);
    TZebGradient* Gradient() { return GetGradient(); }
    void SetGradient(TZebGradient* value);
    bool InflateMargins() const { return inflateMargins_; }
    void SetInflateMargins(bool value) { ChangeBoolean(inflateMargins_, value); }
    bool InvertedStairs() const { return invertedStairs_; }
    void SetInvertedStairs(bool value) { ChangeBoolean(invertedStairs_, value); }
    TBrushStyle LineBrush() const;
    void SetLineBrush(TBrushStyle value);
    int LineHeight() const { return lineHeight_; }
    void SetLineHeight(int value) { ChangeInteger(lineHeight_, value); }
    // Made hidden on first read; assigning none frees it.
    TZebHiddenPen* OutLine();
    const TZebHiddenPen* OutLineOrNull() const { return outLine_.get(); }
    void SetOutLine(TZebHiddenPen* value);
    bool HasOutLine() const { return outLine_ != nullptr; }
    TSeriesPointerItems* Pointer() const { return pointer_.get(); }
    void SetPointer(TSeriesPointerItems* value);
    bool PointerBehind() const { return pointerBehind_; }
    void SetPointerBehind(bool value) { ChangeBoolean(pointerBehind_, value); }
    TZebShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TZebShadow* value);
    // Takes effect at the next drawing: the series then shows a smoothed curve through its points,
    // which a hidden copy keeps meanwhile.
    bool Smoothed() const { return smoothed_; }
    virtual void SetSmoothed(bool value) { ChangeBoolean(smoothed_, value); }
    TCustomSeriesStack Stacked() const { return stacked_; }
    void SetStacked(TCustomSeriesStack value);
    bool Stairs() const { return stairs_; }
    void SetStairs(bool value) { ChangeBoolean(stairs_, value); }
    // Written by the line animation: the part of the points drawn (0 .. 1).
    float DrawnFraction() const { return drawnFraction_; }
    void SetDrawnFraction(float value) { drawnFraction_ = value; }
    const TSeriesClickPointerEvent& OnClickPointer() const { return onClickPointer_; }
    void SetOnClickPointer(TSeriesClickPointerEvent value) { onClickPointer_ = std::move(value); }
    const TOnGetPointerStyle& OnGetPointerStyle() const { return onGetPointerStyle_; }
    void SetOnGetPointerStyle(TOnGetPointerStyle value) { onGetPointerStyle_ = std::move(value); }

    // ---- the series' operations ----
    void SetParentChart(TCustomAxisPanel* value) override;
    void PrepareDraw() override;
    // While smoothed the stored form is the series' own: its points, its source, no function.
    void WriteDataBinary(TStream& stream) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    TComponent* StoredDataSource() const { return smoothing_ ? savedSource_ : DataSource(); }
    bool IsStoredDataSourceStored() const { return smoothing_ ? savedSource_ != nullptr : IsDataSourceStored(); }
    void MeasureHorizMargins(int& left, int& right) const override;
    void MeasureVertMargins(int& top, int& bottom) const override;
    void CopyAppearance(TChartSeries* other) override;
    void ReserveZSlot() override;
    void DrawVisiblePoints() override;
    void DrawPoint(int index) override;
    bool IsPointInPlot(int index) const override;
    void FirePointClick(int index, TMouseButton button, TShiftState shift, int x, int y) override;
    bool ApplyHoverPen(int index) override;
    // The series' or its pointer's hover display, while the chart shows hovering.
    bool IsHoverEnabled() const override;
    bool IsPointHovered(int index) const override;
    bool HasClickHandlers() const override;
    void RemoveAllPoints() override;
    void RemovePoint(int index) override;
    void SwapPoints(int a, int b) override;
    double HighestX() override;
    double HighestY() override;
    double LowestX() override;
    double LowestY() override;
    int PointScreenX(int index) const override;
    int PointScreenY(int index) const override;
    void FindVisibleRange() override;
    int HitTest(int x, int y) override;

    // ---- new operations ----
    // Whether (x, y) lies on the pointer symbol of any visible point.
    bool IsOverPointer(int x, int y) override;
    virtual bool IsOverPointer(int index, int x, int y, int clickX, int clickY);
    virtual int MarkGap() const;
    // Lowest (or highest) main value over the usable points; 0 when none. Without a null point the
    // value list's cached statistics answer, so a repaint does not walk the points.
    double ExtremeValue(bool lowest);
    virtual TZebGradient* GetGradient();
    // Called before a point's pointer is measured or drawn.
    virtual void PreparePointer(int index) { (void)index; }
    virtual bool StacksWith(const TCustomSeries* series) const { return IsSameKind(series); }
    // The pixel of the base line under the point: the series below, or the value axis' low end.
    virtual int OriginPixel(int index) const;
    virtual void UseDefaultColor();
    TSeriesPointerStyle GetPointerStyle(int index) const;
    // The sum of the stacking series before this one (or, with total, the absolute sum of all).
    double StackedSum(int index, bool total) const;
    int StackedPixel(int index, double value) const;
    // Draws the pointer symbol of index at (x, y); the pointer used, or none when hidden.
    virtual TSeriesPointer* DrawPointSymbol(int x, int y, int index, TColor color);
    // The legend symbol of point index (-1: the whole series) into rect.
    void FillLegendSymbol(int index, const TRect& rect) override;
    // Hands the line pen to the canvas for the segments.
    void PrepareLinePen(TCanvas3D& canvas, TColor color);
    // Pixel of the value axis at v on the straight line from point `from` to point `to`.
    int InterpolatedPixel(int from, int to, double v) const;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    // Segment pass that every whole-series drawing shares (shadow, emboss, outline, main).
    void drawPointsLoop();

private:
    void styleChanged(TObject* sender);
    void brushChanged(TObject* sender);
    void effectPass(const TZebShadow& effect, int direction);
    void outlinePass();
    bool drawAllAtOnce(TZebPen& pen, TColor color, bool withPointers);
    void drawAllPointers(int first, int last, bool behind, int partialIndex, int partialX, int partialY, double r);
    void drawSegment(int index, int x, int y, TColor color, bool pointersAround, int neighbour, bool isLast);
    void drawLeadIn(int index, int x, int y, TColor color);
    void drawOwnPointer(int index, int x, int y, TColor color);
    void drawPointersAround(int index, int x, int y, int neighbour, bool isLast, bool behind);
    void drawArea2D3D(int index, int x, int y, TColor color);
    void drawLine2D(int index, int x, int y, TColor color);
    void drawLine3D(int index, int x, int y, TColor color, bool isLast);
    void clampSegment(int& x0, int& y0, int& x1, int& y1, bool clampPrevious) const;
    void linePart(int index, const TRect& rect, TColor color);
    void pointerPart(int index, const TRect& rect, TColor color);
    bool hoverPenApplies(int index) const;
    bool columnsReducible(const TCanvas3D& canvas) const;
    bool extendColumn(int x0, int y0, int x1, int y1, TColor color);
    void flushColumn();
    // Takes a click into the series' front plane; false outside its axes.
    bool unprojectClick(int& x, int& y);
    bool segmentHit(TPoint click, int qx, int qy, int px, int py) const;
    bool areaHit(TPoint click, int qx, int qy, int px, int py, int qOrigin, int pOrigin) const;
    void updateSmoothing();
    void startSmoothing();
    void stopSmoothing();

    std::unique_ptr<TZebBrush> areaBrush_;
    TColor areaColor_ = clAutomatic;
    std::unique_ptr<TZebPen> areaLinesPen_;
    bool clickableLine_ = true;
    int clickTolerance_ = 0;
    bool colorEachLine_ = true;
    bool dark3D_ = true;
    bool drawArea_ = false;
    bool drawLines_ = false;
    TCustomSeriesDrawStyle drawStyle_ = dsSegments;
    std::unique_ptr<TZebEmboss> emboss_;
    bool inflateMargins_ = true;
    bool invertedStairs_ = false;
    int lineHeight_ = 0;
    std::unique_ptr<TZebHiddenPen> outLine_;
    std::unique_ptr<TSeriesPointerItems> pointer_;
    bool pointerBehind_ = false;
    std::unique_ptr<TZebShadow> shadow_;
    bool smoothed_ = false;
    TCustomSeriesStack stacked_ = cssNone;
    bool stairs_ = false;
    bool valuesCleared_ = false;
    // The smoothing copy (owned as a component) holds the own points while Smoothed is in force;
    // with smoothing_ the series is computed from it and savedSource_ waits to come back.
    TCustomSeries* smoothCopy_ = nullptr;
    TComponent* savedSource_ = nullptr;
    bool smoothing_ = false;
    float drawnFraction_ = 1.0f;
    TSeriesClickPointerEvent onClickPointer_;
    TOnGetPointerStyle onGetPointerStyle_;

    // Drawing state, valid for one DrawVisiblePoints (the hit test reuses the previous point).
    int origin_ = 0, prevOrigin_ = 0, prevX_ = 0, prevY_ = 0;
    TColor prevColor_ = clAutomatic;
    double slopeRatio_ = 1.0;
    TRect chartRect_;
    bool inEffectPass_ = false;
    // 2-D segments inside one pixel column, drawn as one walk over the column's first, lowest,
    // highest and last point when the next segment leaves the column.
    struct TColumnRun {
        bool active = false;
        TColor color = clAutomatic;
        int x = 0, first = 0, low = 0, high = 0, last = 0;
        // The extreme was a point of the run before its last one (the point-by-point path leaves it).
        bool lowBefore = false, highBefore = false;
    };
    TColumnRun column_;
    bool reduceColumns_ = false;
};

// Off: every 2-D segment of a line is drawn by itself, also where a pixel column could be drawn
// in one walk (pictures of the two ways are compared).
extern bool ReducePixelColumns;

// Paints a pointer symbol as a legend symbol into rect (shared with other point-based series).
void PaintPointerLegendSymbol(TSeriesPointer& pointer, TColor color, const TRect& rect, TSeriesPointerStyle style,
                              bool penShown);
