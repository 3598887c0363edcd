#pragma once
// TCustomAxisPanel: the chart core between the panel and the concrete chart. It owns the six
// standard axes, the custom axes and the list of all of them, the series list (in drawing and
// legend order; the series' owner component frees the series), the tools and animations; it
// picks automatic series colours, answers which axes are in use and validates and refreshes the
// series' data sources. It draws a whole frame (DrawPipeline.cpp), scales its automatic axes
// (AxisRanges.cpp), pages, prints pages and tracks the mouse over its series (PanelPages.cpp).
#include <functional>
#include <memory>
#include <vector>

#include "chart/core/ChartAxes.h"
#include "chart/core/ChartEvents.h"
#include "chart/core/SeriesLists.h"
#include "chart/core/ZebPanelExtended.h"
#include "platform/classes/MethodEvent.h"

class IPagePrinter;
class TChartPage;
class TChartSeries;
class TChartTools;
class TCustomChartLegend;
class TSeriesGroups;
class TChartAnimations;
class TZebCustomTool;
class TZebHover;

// The stages of a frame the chart's tools and animations hear (ChartDrawStage), in the order a
// frame passes them: start, before the axes, before the series, after the series, end; and the
// mouse leaving the chart, outside any frame.
enum TChartDrawStage { cdsEnd, cdsBeforeSeries, cdsStart, cdsBeforeAxes, cdsAfterSeries, cdsMouseLeave };

using TSeriesNotifyEvent = TMethodEvent<void(TChartSeries* Sender)>;
using TValidDataSourceEvent =
    TMethodEvent<void(TCustomAxisPanel* Sender, TChartSeries* Series, bool& Accept, TComponent* Source)>;

// Every legend column separator becomes a blank; the first LF CR (else CR LF) pair loses one
// character; every other CR and LF becomes a blank.
String CleanLegendText(const String& text);

// Sender axis, the series (none for value labels), the point index (-1 for value labels) and the
// label text (in/out).
using TAxisOnGetLabel =
    TMethodEvent<void(TChartAxis* Sender, TChartSeries* Series, int ValueIndex, String& LabelText)>;
// Sender axis, the label index, the label value (in/out) and the stop flag (in/out).
using TAxisOnGetNextLabel = TMethodEvent<void(TChartAxis* Sender, int LabelIndex, double& LabelValue, bool& Stop)>;

class TCustomAxisPanel : public TCustomZebPanelExtended {
    TV_CLASS(TCustomAxisPanel, TCustomZebPanelExtended)
public:
    explicit TCustomAxisPanel(TComponent* owner);
    ~TCustomAxisPanel() override;
    // Series leave, then animations, axes, tools and hover settings go.
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    // Series groups read with stored positions take their members.
    void Loaded() override;

    // ---- settings ----
    int Chart3DPercent() const { return chart3DPercent_; }
    // Kept within 1 .. 100.
    void SetChart3DPercent(int value);
    bool AxisBehind() const { return axisBehind_; }
    void SetAxisBehind(bool value);
    bool AxisVisible() const { return axisVisible_; }
    void SetAxisVisible(bool value);
    bool ClipPoints() const { return clipPoints_; }
    void SetClipPoints(bool value);
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3DWalls(bool value);
    TZebHover* Hover() const { return hover_.get(); }
    void SetHover(TZebHover* value);

    // ---- axes ----
    TChartAxes& Axes() { return *axes_; }
    const TChartAxes& Axes() const { return *axes_; }
    TChartAxis* BottomAxis() const { return axes_->GetBottomAxis(); }
    TChartAxis* TopAxis() const { return axes_->GetTopAxis(); }
    TChartAxis* LeftAxis() const { return axes_->GetLeftAxis(); }
    TChartAxis* RightAxis() const { return axes_->GetRightAxis(); }
    TChartDepthAxis* DepthAxis() const;
    TChartDepthAxis* DepthTopAxis() const;
    // Stored as "BottomAxis" .. "DepthTopAxis": setting one copies value's settings into it.
    void SetBottomAxis(TChartAxis* value) { BottomAxis()->Assign(value); }
    void SetTopAxis(TChartAxis* value) { TopAxis()->Assign(value); }
    void SetLeftAxis(TChartAxis* value) { LeftAxis()->Assign(value); }
    void SetRightAxis(TChartAxis* value) { RightAxis()->Assign(value); }
    void SetDepthAxis(TChartDepthAxis* value);
    void SetDepthTopAxis(TChartDepthAxis* value);
    TChartCustomAxes* CustomAxes() const { return customAxes_; }
    void SetCustomAxes(TChartCustomAxes* value);
    // ---- automatic ranges (AxisRanges.cpp) ----
    // The smallest (wantMinimum) or largest value of the series bound to axis in that direction;
    // inactive series count while no active one is bound. 0 when none offers a value. Under
    // paging the independent direction shows the current page.
    double AxisExtreme(TChartAxis* axis, bool wantMinimum, bool horizontal);
    // The current page's first (or, stretched on a short last page, last) value of the longest
    // series on axis.
    double PageExtreme(TChartAxis* axis, bool wantMinimum, bool horizontal);
    double HighestXOn(TChartAxis* axis) { return AxisExtreme(axis, false, true); }
    double HighestYOn(TChartAxis* axis) { return AxisExtreme(axis, false, false); }
    double LowestXOn(TChartAxis* axis) { return AxisExtreme(axis, true, true); }
    double LowestYOn(TChartAxis* axis) { return AxisExtreme(axis, true, false); }
    // The margin pass of a frame: series margins, offsets and extra space widen every automatic
    // axis, then the series' overhangs.
    void ApplyAxisMargins();
    // Every series hears of the new range, then the chart repaints.
    void NotifyAxisRangeChanged(TChartAxis* axis);
    // True when an active axis-dependent series before any axis-free one is bound to axis;
    // defaultValue without active series.
    bool IsAxisInUse(const TChartAxis* axis, bool defaultValue) const;
    bool IsAxisShown(const TChartAxis* axis) const;
    bool NoActiveSeriesOn(const TChartAxis* axis) const;
    TChartSeries* FirstSeriesOn(const TChartAxis* axis) const;
    TChartSeries* LongestSeriesOn(const TChartAxis* axis) const;

    // ---- series ----
    TChartSeriesList& SeriesList() { return series_; }
    const TChartSeriesList& SeriesList() const { return series_; }
    // Nothing when series is already listed.
    void AddSeries(TChartSeries* series);
    void DetachSeries(TChartSeries* series);
    // Nothing for a negative index.
    void RemoveSeriesAt(int index);
    // index below NumSeries: the caller's to keep.
    TChartSeries* GetSeriesAt(int index) const { return series_.GetSeriesAt(index); }
    int NumSeries() const { return series_.Count(); }
    int IndexOfSeries(const TChartSeries* series) const { return series_.IndexOf(series); }
    int ActiveSeriesTotal() const;
    // The most points of an active series; 0 when none.
    int MaxPointCount() const;
    // A series of cls owned by the chart's owner, added to the chart.
    TChartSeries* NewSeries(const TMetaClass& cls);
    TChartSeries* AdoptSeries(TChartSeries* series);
    // Every series of cls (all with none) leaves and is freed, except detail sub-series.
    void DisposeAllSeries(const TMetaClass* cls);
    // Swaps the list entries (past internal series), the owner positions and, when one group holds
    // both, their places in that group.
    void ExchangeSeries(int index1, int index2);
    void SwapSeries(TChartSeries* a, TChartSeries* b);
    virtual TComponent* GetSeriesOwner() const { return Owner(); }
    // Series events to the listeners (nothing while suppressed or without listeners).
    void BroadcastSeriesEvent(TChartSeries* series, TZebSeriesEventKind kind);
    bool SuppressSeriesEvents() const { return suppressSeriesEvents_; }
    void SetSuppressSeriesEvents(bool value) { suppressSeriesEvents_ = value; }
    TChartSeries* LegendSeries(int position, bool activeOnly) const;
    String LegendSeriesTitle(int position, bool activeOnly) const;
    virtual String LegendTextOfPoint(TChartSeries* series, int index) { (void)series, (void)index; return String(); }
    // What a legend asks its chart; the chart answers with its legend events. The item text of
    // index (in/out); where item index draws: text left, item top, symbol left (in/out); the
    // legend's bounds (in/out).
    virtual void GetLegendText(TCustomChartLegend& legend, int index, String& text)
    {
        (void)legend, (void)index, (void)text;
    }
    virtual void GetLegendPos(TCustomChartLegend& legend, int index, int& x, int& y, int& xColor)
    {
        (void)legend, (void)index, (void)x, (void)y, (void)xColor;
    }
    virtual void GetLegendRect(TCustomChartLegend& legend, TRect& rect) { (void)legend, (void)rect; }
    // A series' legend symbol box in rect: picture or a box of the canvas brush colour. A panel
    // without legend paints none.
    virtual void PaintLegendSymbolBox(const TRect& rect, TGraphic* picture) { (void)rect, (void)picture; }
    // What the drawing legend records for the series' symbols: its colour (at layout) and the pen
    // that frames colour boxes (none: the series' own pen).
    TColor LegendColor() const { return legendColor_; }
    void RecordLegendColor(TColor color) { legendColor_ = color; }
    TZebPen* LegendSymbolPen() const { return legendSymbolPen_; }
    void SetLegendSymbolPen(TZebPen* pen) { legendSymbolPen_ = pen; }

    // ---- series groups ----
    TSeriesGroups* SeriesGroups() const { return seriesGroups_; }
    void SetSeriesGroups(TSeriesGroups* value);
    bool IsSeriesGroupsStored() const;

    // ---- pages and hover (PanelPages.cpp) ----
    TChartPage* Pages() const { return pages_.get(); }
    void SetPages(TChartPage* value);
    virtual int GetPageCount() const;
    int GetMaxPointsPerPage() const;
    int CurrentPage() const;
    // Pages from .. to on the program's printer (to 0: the last page, from 0: the first); the page
    // shown before comes back, also when printing fails, which aborts the job.
    void PrintPageRange(int from, int to);
    void PrintPageRange(int from, int to, IPagePrinter& printer);
    // The custom label under (x, y) of every shown axis whose labels hover becomes its hover index
    // (-1 without a hit); true when some axis had a hit. Nothing while the chart's Hover is hidden.
    bool HoverAxisLabels(int x, int y);
    // Asks the active series from the last to the first; true when any claimed the point.
    bool HoverSeries(int x, int y);
    // Every hover index back to -1, then the tools hear cdsMouseLeave.
    void ClearHover();
    const TNotifyEvent& OnPageChange() const { return onPageChange_; }
    void SetOnPageChange(TNotifyEvent value) { onPageChange_ = std::move(value); }

    // ---- the frame (DrawPipeline.cpp) ----
    void DrawChart(const TRect& rect) override;
    // Slot sizes, total depth and height of the 3-D view from Chart3DPercent; the depth.
    int Compute3DSize();
    // The chart fits the plot to the 3-D view after the series prepared (here: the sizes only).
    virtual void FitPlotTo3D() { Compute3DSize(); }
    // Titles and legend: before the axes and series (shrinking the chart rectangle) or after.
    virtual void DrawSurroundings(bool beforeSeries) { (void)beforeSeries; }
    virtual void PaintWalls() {}
    // The plane at depth faces the viewer (never on a canvas that renders real 3-D).
    virtual bool IsPlaneFacing(int depth) const;
    void DrawWallsAxesSeries();
    void DrawAxes();
    void DrawAllSeries();
    // Every active tool, then every active animation, hears the stage.
    void ToolsDrawStage(TChartDrawStage stage);
    // The axis (or sub-axis) was shown in the last layout.
    bool IsAxisShownInFrame(const TChartAxis* axis) const;
    // The marks of series: clipped to the chart box when they ask, inside the element "Marks".
    void DrawSeriesMarks(TChartSeries& series);
    // Hooks tools install. Room beside a hidden axis (size 0 asked); extra pixels at an axis'
    // maximum end.
    std::function<int(const TChartAxis& axis, int size)> AxesSpaceHook;
    std::function<int(const TChartAxis& axis)> AxisExtraSpaceHook;

    // ---- 3-D slots ----
    // The next Z slot of a frame (the draw pipeline resets the counter).
    int TakeZSlot() { return ++SeriesZSlotMax; }
    int MaxZSlot() const { return SeriesZSlotMax; }
    void ResetZSlots() { SeriesZSlotMax = -1; }
    // Depth of one series slot in pixels (set when the frame lays out 3-D).
    int SeriesDepth3D() const { return SeriesWidth3D; }
    void SetSeriesDepth3D(int value) { SeriesWidth3D = value; }

    // ---- colours ----
    const std::vector<TColor>& ColorPalette() const { return colorPalette_; }
    void SetColorPalette(std::vector<TColor> value) { colorPalette_ = std::move(value); }
    TColor PaletteColor(int index) const;
    TColor PickFreeColor(bool checkBackground, const TChartSeries* ignoreSeries) const;
    void ReassignAutoColors();
    // No other series has colour as its SeriesColor (the chart adds its background tests).
    virtual bool IsColorFree(TColor color, bool checkBackground, const TChartSeries* ignoreSeries) const;

    // ---- data sources ----
    virtual bool IsAcceptableSource(TChartSeries* series, TComponent* source);
    // ChartException when component already depends on series.
    void CheckSourceLoop(TComponent* component, TChartSeries* series) const;
    virtual void DetachSourceComponent(TChartSeries* series, TComponent* source);
    virtual void RefreshSeriesData(TChartSeries* series);

    // ---- tools ----
    TChartTools& Tools() { return *tools_; }
    TChartAnimations& Animations() { return *animations_; }
    // The template chart new series and tools copy their look from while a theme is applied.
    TCustomAxisPanel* TemplateChart() const { return templateChart_; }
    void SetTemplateChart(TCustomAxisPanel* value) { templateChart_ = value; }
    void StyleFromTemplate(TChartSeries* series);
    void ToolFromTemplate(TZebCustomTool* tool);
    // A new custom axis takes the template's first visible axis of its orientation (a new custom
    // axis of the template when none).
    void AxisFromTemplate(TChartAxis* axis);

    // ---- events ----
    const TSeriesNotifyEvent& OnAddSeries() const { return onAddSeries_; }
    void SetOnAddSeries(TSeriesNotifyEvent value) { onAddSeries_ = std::move(value); }
    const TSeriesNotifyEvent& OnRemoveSeries() const { return onRemoveSeries_; }
    void SetOnRemoveSeries(TSeriesNotifyEvent value) { onRemoveSeries_ = std::move(value); }
    const TValidDataSourceEvent& OnValidDataSource() const { return onValidDataSource_; }
    void SetOnValidDataSource(TValidDataSourceEvent value) { onValidDataSource_ = std::move(value); }
    const TNotifyEvent& OnBeforeDrawChart() const { return onBeforeDrawChart_; }
    void SetOnBeforeDrawChart(TNotifyEvent value) { onBeforeDrawChart_ = std::move(value); }
    const TNotifyEvent& OnBeforeDrawAxes() const { return onBeforeDrawAxes_; }
    void SetOnBeforeDrawAxes(TNotifyEvent value) { onBeforeDrawAxes_ = std::move(value); }
    const TNotifyEvent& OnBeforeDrawSeries() const { return onBeforeDrawSeries_; }
    void SetOnBeforeDrawSeries(TNotifyEvent value) { onBeforeDrawSeries_ = std::move(value); }
    const TNotifyEvent& OnAfterDraw() const { return onAfterDraw_; }
    void SetOnAfterDraw(TNotifyEvent value) { onAfterDraw_ = std::move(value); }
    virtual void FireBeforeDrawChart();
    virtual void FireBeforeDrawAxes();
    virtual void FireBeforeDrawSeries();
    virtual void FireAfterDraw();

    // ---- what the axes ask ----
    const TAxisOnGetLabel& OnGetAxisLabel() const { return onGetAxisLabel_; }
    void SetOnGetAxisLabel(TAxisOnGetLabel value) { onGetAxisLabel_ = std::move(value); }
    bool HasGetAxisLabel() const { return onGetAxisLabel_.Assigned(); }
    const TAxisOnGetNextLabel& OnGetNextAxisLabel() const { return onGetNextAxisLabel_; }
    void SetOnGetNextAxisLabel(TAxisOnGetNextLabel value) { onGetNextAxisLabel_ = std::move(value); }
    bool HasGetNextAxisLabel() const { return onGetNextAxisLabel_.Assigned(); }
    // Widest point label of all series, in pixels of the current canvas font.
    int WidestSeriesLabel() const;
    // Widest mark text of the active series.
    virtual int WidestMarkWidth() const;
    // Title of the series in Z slot (its name when untitled); empty when no series sits there.
    String SeriesTitleText(int slot, bool activeOnly) const;
    // Thickness of the wall beside axis; the chart supplies it (0 without walls).
    virtual int WallSizeAt(const TChartAxis* axis) const;

    // 3-D sizes of the frame: the last depth slot taken (0 in 2-D, -1 before any), one slot's depth
    // and vertical shift, and the total vertical shift.
    int SeriesZSlotMax = 0;
    int SeriesWidth3D = 0;
    int SeriesHeight3D = 0;
    int Height3D = 0;
    // The 3-D view looks from the other side: series draw their points and stacks backwards.
    bool PointOrderMirrored = false;
    // A tool's drawing of one series point in place of the series' own.
    std::function<void(TChartSeries& series, int index)> DrawPointHook;

protected:
    void CMMouseLeave(TMessage& message) override;
    // Reads the pages' former stored properties "MaxPointsPerPage", "Page" and "ScaleLastPage".
    void DefineProperties(TFiler& filer) override;

private:
    void teardown();
    void assignZSlots();
    void layoutAxes();
    void drawSeries(TChartSeries& series);
    void drawInterleaved(TChartSeries& series);

    TChartSeriesList series_;
    std::unique_ptr<TChartAxes> axes_;
    TAxisOnGetLabel onGetAxisLabel_;
    TAxisOnGetNextLabel onGetNextAxisLabel_;
    TChartCustomAxes* customAxes_ = nullptr;  // owned
    std::unique_ptr<TChartTools> tools_;
    std::unique_ptr<TChartAnimations> animations_;
    std::unique_ptr<TZebHover> hover_;
    std::unique_ptr<TChartPage> pages_;
    TSeriesGroups* seriesGroups_ = nullptr;  // owned
    std::vector<const TChartAxis*> shownAxes_;
    std::vector<TColor> colorPalette_;
    TColor legendColor_ = clWhite;
    TZebPen* legendSymbolPen_ = nullptr;
    TCustomAxisPanel* templateChart_ = nullptr;
    int chart3DPercent_ = 15;
    bool axisBehind_ = true;
    bool axisVisible_ = true;
    bool clipPoints_ = true;
    bool view3DWalls_ = true;
    bool suppressSeriesEvents_ = false;
    bool tornDown_ = false;
    TSeriesNotifyEvent onAddSeries_, onRemoveSeries_;
    TValidDataSourceEvent onValidDataSource_;
    TNotifyEvent onBeforeDrawChart_, onBeforeDrawAxes_, onBeforeDrawSeries_, onAfterDraw_, onPageChange_;
};
