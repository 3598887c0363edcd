#pragma once
// TChartAxis: maps a range of values onto a span of pixels of the chart rectangle and back. The
// range is automatic (from the series bound to the axis) or set; the scale is linear,
// logarithmic or, for the depth axes, along the chart's depth. Every conversion lands within
// +-MaxPixelCoordinate, whatever the value.
#include <functional>
#include <utility>
#include <vector>

#include "chart/core/AxisLabelSettings.h"
#include "chart/core/ZebPanel.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Collection.h"
#include "platform/classes/MethodEvent.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Exceptions.h"

class TAxisBackShape;
class TAxisGridPen;
class TAxisItem;
class TAxisItems;
class TAxisLabelsFormat;
class TChartAxis;
class TChartAxisPen;
class TChartAxisTitle;
class TChartCustomAxes;
class TChartSeries;
class TCustomAxisPanel;
class TCustomTextShape;
class TGraphic;
class TTicks;
class TZebFont;
class TZebHiddenPen;

// Sender axis, X, Y, Z of the label, its text (in/out) and whether to draw it (in/out).
using TAxisDrawLabelEvent =
    TMethodEvent<void(TChartAxis* Sender, int X, int Y, int Z, String& Text, bool& DrawLabel)>;

// The exception of every refused axis setting.
class AxisException : public Exception {
public:
    using Exception::Exception;
};

inline constexpr int MaxPixelCoordinate = 32767;

// The label generation stops here, however the values step.
inline constexpr int MaxAxisLabels = 10000;

class TChartAxis : public TCollectionItem {
    TV_CLASS(TChartAxis, TCollectionItem)
public:
    // A custom axis of a chart's CustomAxes, or a sub-axis of the axis owning collection.
    explicit TChartAxis(TCollection* collection);
    // A standard axis of chart, outside any collection.
    explicit TChartAxis(TCustomAxisPanel* chart);
    ~TChartAxis() override;
    void Assign(TPersistent* source) override;

    TCustomAxisPanel* ParentChart() const { return chart_; }
    TChartAxis* ParentAxis() const { return parentAxis_; }
    bool IsStandard() const { return standard_; }
    bool IsDepthAxis() const { return depth_; }
    TChartCustomAxes* SubAxes();
    bool HasSubAxes() const { return subAxes_ != nullptr; }

    // ---- range ----
    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool value);
    bool AutomaticMaximum() const { return automaticMaximum_; }
    void SetAutomaticMaximum(bool value);
    bool AutomaticMinimum() const { return automaticMinimum_; }
    void SetAutomaticMinimum(bool value);
    double Maximum() const { return maximum_; }
    void SetMaximum(double value);
    double Minimum() const { return minimum_; }
    void SetMinimum(double value);
    // Fixes the range to a .. b in either order, sub-axes included.
    void ApplyRange(double a, double b);
    // Moves both ends by delta; guarded, only while series data lies beyond the far end.
    void ShiftRange(bool guarded, double delta);
    double Increment() const { return increment_; }
    void SetIncrement(double value);
    bool Logarithmic() const { return logarithmic_; }
    // The field alone, without range check or repaint.
    void StoreLogarithmic(bool value);
    void SetLogarithmic(bool value);
    double LogarithmicBase() const { return logarithmicBase_; }
    void SetLogarithmicBase(double value);
    bool Inverted() const { return inverted_; }
    virtual void SetInverted(bool value);
    // The field alone.
    void StoreInverted(bool value) { inverted_ = value; }
    bool MaximumRound() const { return maximumRound_; }
    void SetMaximumRound(bool value) { change(maximumRound_, value); }
    bool MinimumRound() const { return minimumRound_; }
    void SetMinimumRound(bool value) { change(minimumRound_, value); }
    int MaximumOffset() const { return maximumOffset_; }
    void SetMaximumOffset(int value);
    int MinimumOffset() const { return minimumOffset_; }
    void SetMinimumOffset(int value);

    // ---- placement ----
    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool value);
    bool OtherSide() const { return otherSide_; }
    void SetOtherSide(bool value) { change(otherSide_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { change(visible_, value); }
    double StartPosition() const { return startPosition_; }
    void SetStartPosition(double value) { change(startPosition_, value); }
    double EndPosition() const { return endPosition_; }
    void SetEndPosition(double value) { change(endPosition_, value); }
    // Percent of the chart depth; 0 becomes 0.01.
    double ZPosition() const { return zPosition_; }
    void SetZPosition(double value);

    // ---- stored rules ----
    bool IsLogarithmicBaseStored() const { return logarithmicBase_ != 10; }
    bool IsStartPositionStored() const { return startPosition_ != 0; }
    bool IsEndPositionStored() const { return endPosition_ != 100; }
    bool IsZPositionStored() const;
    bool IsOrientationStored() const { return !standard_; }

    // ---- scale, valid after a layout ----
    // Range from the series where automatic, then the scale.
    void ComputeRange();
    // Start and end pixels from the chart rectangle (the depth for a depth axis), then the scale.
    void ComputePixelBounds();
    void RecalcScale();
    // Shrinks the pixel span by the margins and widens the range to keep the values in place.
    void AdjustRangeForMargins(int lowMargin, int highMargin);
    double WorkingMinimum() const { return workMinimum_; }
    double WorkingMaximum() const { return workMaximum_; }
    // A non-finite range counts as a zero range.
    double WorkingRange() const { return static_cast<double>(range_); }
    bool ZeroRange() const { return zeroRange_; }
    int StartPixel() const { return start_; }
    int EndPixel() const { return end_; }
    int AxisSize() const { return size_; }
    int CentrePixel() const { return centre_; }
    int ZPixel() const { return zPixel_; }
    // Sets the pixel span directly (charts lay axes out; tests too).
    void SetPixelBounds(int start, int end);

    // ---- increments (AxisLabels.cpp) ----
    // Extra space between labels in percent of their size; negative raises.
    int LabelsSeparation() const;
    void SetLabelsSeparation(int value);
    // "#,##0.###" unless set.
    const String& AxisValuesFormat() const { return axisValuesFormat_; }
    void SetAxisValuesFormat(const String& value);
    bool IsAxisValuesFormatStored() const;
    // Empty: chosen from the range.
    const String& DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const String& value);
    bool RoundFirstLabel() const;
    void SetRoundFirstLabel(bool value);
    TAxisLabelStyle LabelStyle() const;
    void SetLabelStyle(TAxisLabelStyle value);
    // The style talAuto stands for: what the bound series suggest (a sub-axis: its parent's).
    virtual TAxisLabelStyle EffectiveLabelStyle() const;
    TAxisLabelStyle LabelStyleInUse() const { return LabelStyle() == talAuto ? EffectiveLabelStyle() : LabelStyle(); }
    virtual String ValueToLabelText(double value) const;
    // Pixels the label of value takes along the axis, on the chart's canvas.
    int LabelExtent(double value) const;
    // Distance between two labels in axis units.
    double ComputeLabelStep() const;
    // Rounds automatic ends out to the label step where asked.
    void RoundRangeToIncrement();
    // The values of the series bound to the axis (or its root parent) are date-times.
    bool ShowsDateTime() const;
    // The base raised to the nearest whole power of x.
    double LogStep(double x) const;
    // The step that leaves at most count labels on the working range.
    double IncrementForCount(int count) const;
    // The step for labels size pixels long along the axis.
    double StepForLabelSize(int size) const;
    // Labels as degrees, minutes and seconds; nothing in the program turns it on.
    bool GeographicLabels = false;

    // ---- label settings, forwarded to LabelSettings ----
    TAxisLabels* LabelSettings() const { return labels_; }
    bool Labels() const;
    void SetLabels(bool value);
    TAxisLabelAlign LabelsAlign() const;
    void SetLabelsAlign(TAxisLabelAlign value);
    bool LabelsAlternate() const;
    void SetLabelsAlternate(bool value);
    int LabelsAngle() const;
    void SetLabelsAngle(int value);
    bool LabelsBehind() const;
    void SetLabelsBehind(bool value);
    bool LabelsExponent() const;
    void SetLabelsExponent(bool value);
    TZebFont* LabelsFont() const;
    void SetLabelsFont(TZebFont* value);
    TAxisLabelsFormat* LabelsFormat() const;
    void SetLabelsFormat(TAxisLabelsFormat* value);
    bool LabelsGridIgnoresLabelSize() const;
    void SetLabelsGridIgnoresLabelSize(bool value);
    bool LabelsMultiLine() const;
    void SetLabelsMultiLine(bool value);
    bool LabelsOnAxis() const;
    void SetLabelsOnAxis(bool value);
    int LabelsSize() const;
    void SetLabelsSize(int value);
    bool ExactDateTime() const { return exactDateTime_; }
    void SetExactDateTime(bool value) { change(exactDateTime_, value); }
    // Custom labels; automatic until one is added.
    TAxisItems& Items() const { return *items_; }

    // ---- label generation (AxisLabelGeneration.cpp) ----
    // Tick positions and automatic labels of this draw.
    void GenerateLabels();
    const std::vector<int>& TickPositions() const { return ticks_; }
    // Widest label in pixels, by the style in use.
    int WidestLabel();
    // Thickness of the label band across the axis.
    int LabelBandSize();

    // ---- pens and lengths ----
    TChartAxisPen* Axis() const { return axisPen_; }
    void SetAxis(TChartAxisPen* value);
    TAxisGridPen* Grid() const { return grid_; }
    void SetGrid(TAxisGridPen* value);
    bool GridCentered() const;
    void SetGridCentered(bool value);
    TZebHiddenPen* MinorGrid() const { return minorGrid_; }
    void SetMinorGrid(TZebHiddenPen* value);
    TTicks* Ticks() const { return ticksPen_; }
    void SetTicks(TTicks* value);
    TTicks* TicksInner() const { return ticksInner_; }
    void SetTicksInner(TTicks* value);
    TTicks* MinorTicks() const { return minorTicks_; }
    void SetMinorTicks(TTicks* value);
    int MinorTickCount() const { return minorTickCount_; }
    void SetMinorTickCount(int value) { change(minorTickCount_, value); }
    int MinorTickLength() const { return minorTickLength_; }
    void SetMinorTickLength(int value) { change(minorTickLength_, value); }
    int TickInnerLength() const { return tickInnerLength_; }
    void SetTickInnerLength(int value) { change(tickInnerLength_, value); }
    int TickLength() const { return tickLength_; }
    void SetTickLength(int value) { change(tickLength_, value); }
    bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
    void SetTickOnLabelsOnly(bool value) { change(tickOnLabelsOnly_, value); }
    bool UsePartnerAxis() const { return usePartnerAxis_; }
    void SetUsePartnerAxis(bool value) { change(usePartnerAxis_, value); }
    TChartAxis* PartnerAxis() const { return partnerAxis_; }
    void SetPartnerAxis(TChartAxis* value);
    double PositionPercent() const { return positionPercent_; }
    void SetPositionPercent(double value) { change(positionPercent_, value); }
    bool IsPositionPercentStored() const { return positionPercent_ != 0; }
    TZebUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TZebUnits value);
    int TitleSize() const { return titleSize_; }
    void SetTitleSize(int value) { change(titleSize_, value); }
    // Created on first read.
    TChartAxisTitle* Title();
    void SetTitle(TChartAxisTitle* value);
    bool HasTitle() const { return title_ != nullptr; }
    TAxisBackShape* Shape();
    void SetShape(TAxisBackShape* value);
    bool HasShape() const { return shape_ != nullptr; }
    const TAxisDrawLabelEvent& OnDrawLabel() const { return onDrawLabel_; }
    void SetOnDrawLabel(TAxisDrawLabelEvent value) { onDrawLabel_ = std::move(value); }
    bool HasSubAxesItems() const;
    void SetSubAxes(TChartCustomAxes* value);

    // ---- layout and drawing (AxisLayout.cpp, AxisDraw.cpp) ----
    // Lays the axis out in rect; with full, shrinks rect by the room the axis takes.
    void CalcRect(TRect& rect, bool full);
    // Pen and ticks across the axis.
    int TickZoneSize(bool withTicks) const;
    // Moves pixel away from the chart interior.
    int InflateAxisPos(int pixel, int amount) const;
    // base moved by PositionPercent.
    int ApplyPositionOffset(int base) const;
    int TitleBandSize();
    void Draw(bool recomputePosition);
    // Draws the axis once over another range, increment and pixel span, its line at Position, with
    // or without grid; every setting of the axis is back afterwards, also when drawing throws.
    struct TTemporaryRange {
        double Increment = 0, Minimum = 0, Maximum = 0;
        int Start = 0, End = 0, Position = 0;
        bool Grid = false;
    };
    void PaintWithTemporaryRange(const TTemporaryRange& range);
    // The 3-D front pass over the series: line, ticks and labels again, never the grid or its hook.
    void DrawAxisAfterSideWall();
    void PaintLine(int from, int to);
    void PaintTitle(int x, int y);
    void PaintLabel(int x, int y, int index, TGraphic* picture, int z, TCustomTextShape* shape, String text,
                    double angle);
    TRect GetLabelsArea() const;
    bool ContainsPoint(TPoint point) const;
    int AxisLinePosition() const { return linePosition_; }
    void SetAxisLinePosition(int value) { linePosition_ = value; }
    int LabelsPosition() const { return labelsPosition_; }
    int TitlePosition() const { return titlePosition_; }
    // The title just outside the labels band (after an offset moved the axis' ends).
    void PlaceTitleBeyondLabels();
    // Pixels reserved beside the axis by a scroll bar tool.
    int ToolMargin = 0;
    // Name of the canvas element the axis draws as.
    String ElementName;
    // Drawn instead of the axis line (axis breaks); before the grid (grid bands).
    std::function<void(TChartAxis&, int from, int to)> LineHook;
    std::function<void(TChartAxis&)> GridHook;
    // For one pass of a depth axis: no grid line along the left wall, or along the floor.
    bool SuppressWallGrid = false;
    bool SuppressFloorGrid = false;

    // ---- conversions ----
    int ValueToPixel(double value) const;
    int HorizontalValueToPixel(double value) const;
    int VerticalValueToPixel(double value) const;
    double PixelToValue(int pixel) const;
    int PixelSpanBetween(double a, double b) const;
    int PixelSpan(double span) const { return PixelSpanBetween(span, 0); }
    // Chooses the conversions again (orientation, logarithmic scale, the chart's fast flag).
    void SelectPixelStrategy();

protected:
    void DefineProperties(TFiler& filer) override;
    void setDepthAxis()
    {
        depth_ = true;
        SelectPixelStrategy();
    }
    // Store value and repaint the chart only when it differs.
    template <class T, class V>
    void change(T& field, V&& value)
    {
        if (AssignIfChanged(field, std::forward<V>(value))) repaintChart();
    }
    // Nothing without a chart.
    void repaintChart();
    bool loading() const;
    void rangeChanged();

private:
    enum class Strategy { Linear, Fast, Logarithmic, Depth };
    // The label step and widest label of one layout or draw: measured once while the working range
    // and the pixel span stay as they were, and forgotten when the layout or draw ends.
    struct TLabelMeasures {
        int open = 0;
        double low = 0, high = 0;
        int size = 0;
        bool hasStep = false, hasWidest = false, hasBand = false;
        double step = 0;
        int widest = 0;
        int band = 0, bandLines = 0;
        bool holds(double l, double h, int s) const { return open > 0 && low == l && high == h && size == s; }
    };
    // Opens the measures for a layout or draw; the last scope to close forgets them.
    class TMeasureScope {
    public:
        explicit TMeasureScope(const TChartAxis& axis) : measures_(axis.measures_) { ++measures_.open; }
        ~TMeasureScope()
        {
            if (--measures_.open == 0) measures_ = {};
        }
        TMeasureScope(const TMeasureScope&) = delete;
        TMeasureScope& operator=(const TMeasureScope&) = delete;

    private:
        TLabelMeasures& measures_;
    };
    bool measuredFor() const { return measures_.holds(workMinimum_, workMaximum_, size_); }
    void keepMeasures() const;
    void init();
    void free();
    // Label generation.
    void registerLabel(int pixel, const String& text, double value, TGraphic* picture = nullptr);
    void valueLabels(double step, int stepIndex);
    void logarithmicLabels();
    bool nextAxisLabels();
    void seriesLabels(TAxisLabelStyle style);
    void seriesTitleLabels();
    void customLabels();
    String labelOfSeries(TChartSeries& series, int index, TAxisLabelStyle style);
    int measureLineCount();
    int sizeAcross(TCustomTextShape& shape, int angle, int fixed, int width);
    // A sub-axis lays out and draws with its parent's orientation, side and scale kind.
    void takeParentOrientation();
    // Drawing.
    void paintLinesTicksGrid();
    void paintTicks(const std::vector<int>& positions, int sign, int length);
    void paintGridLine(int pixel, const TAxisGridPen& pen);
    std::vector<int> minorPositions() const;
    void paintLabels();
    void paintLabelItem(TAxisItem& item, int index, TCustomTextShape& shape);
    void paintLabelPicture(TGraphic& picture, const TRect& box);
    void paintBackShape();
    bool drawsIn3D() const;
    // The chart edge a depth axis runs along: the floor for the depth axis, the top for the other.
    int depthEdge() const;
    int sideOf(const TRect& rect) const;
    void shrinkSide(TRect& rect, int amount) const;

    int linear(double value, bool horizontal) const;
    int fast(double value, bool horizontal) const;
    int logarithmicPixel(double value, bool horizontal) const;
    int depthPixel(double value) const;
    int convert(double value, bool horizontal) const;

    TCustomAxisPanel* chart_ = nullptr;
    TChartAxis* parentAxis_ = nullptr;
    TChartCustomAxes* subAxes_ = nullptr;  // owned
    bool standard_ = false;
    bool depth_ = false;
    bool automatic_ = true, automaticMaximum_ = true, automaticMinimum_ = true;
    double increment_ = 0;
    double maximum_ = 0, minimum_ = 0;
    bool logarithmic_ = false;
    double logarithmicBase_ = 10;
    int maximumOffset_ = 0, minimumOffset_ = 0;
    bool maximumRound_ = false, minimumRound_ = false;
    bool horizontal_ = false, otherSide_ = false, visible_ = true, inverted_ = false;
    String axisValuesFormat_ = "#,##0.###";
    String dateTimeFormat_;
    double startPosition_ = 0, endPosition_ = 100, zPosition_ = 0.01;
    TAxisLabels* labels_ = nullptr;          // owned
    TAxisItems* items_ = nullptr;            // owned
    TChartAxisPen* axisPen_ = nullptr;       // owned
    TAxisGridPen* grid_ = nullptr;           // owned
    TZebHiddenPen* minorGrid_ = nullptr;     // owned
    TTicks* ticksPen_ = nullptr;             // owned
    TTicks* ticksInner_ = nullptr;           // owned
    TTicks* minorTicks_ = nullptr;           // owned
    TChartAxisTitle* title_ = nullptr;       // owned
    TAxisBackShape* shape_ = nullptr;        // owned
    bool exactDateTime_ = true;
    int minorTickCount_ = 3, minorTickLength_ = 2, tickInnerLength_ = 0, tickLength_ = 4;
    bool tickOnLabelsOnly_ = true, usePartnerAxis_ = false;
    TChartAxis* partnerAxis_ = nullptr;
    double positionPercent_ = 0;
    TZebUnits positionUnits_ = muPercent;
    int titleSize_ = 0;
    TAxisDrawLabelEvent onDrawLabel_;
    int linePosition_ = 0, labelsPosition_ = 0, titlePosition_ = 0;
    bool showsDateTime_ = false;
    bool frontPass_ = false;
    std::vector<int> ticks_;
    Strategy strategy_ = Strategy::Linear;
    double workMinimum_ = 0, workMaximum_ = 0;
    long double range_ = 0, logRange_ = 0;
    bool zeroRange_ = true;
    double scale_ = 0, logScale_ = 0, logMinimum_ = 0, logMaximum_ = 0;
    int start_ = 0, end_ = 0, size_ = 0, centre_ = 0, zPixel_ = 0;
    mutable TLabelMeasures measures_;
};

// The depth axes: labelled with the series titles unless asked for values.
class TChartDepthAxis : public TChartAxis {
    TV_CLASS(TChartDepthAxis, TChartAxis)
public:
    explicit TChartDepthAxis(TCustomAxisPanel* chart);
    void SetInverted(bool value) override;
    // Values when a series spreads over depth, else the series titles.
    TAxisLabelStyle EffectiveLabelStyle() const override;
    bool LabelsAsSeriesTitles() const { return labelsAsSeriesTitles_; }
    void SetLabelsAsSeriesTitles(bool value) { change(labelsAsSeriesTitles_, value); }

private:
    bool labelsAsSeriesTitles_ = true;
};
