#pragma once
// Chart elements and the series base. An element switches on and off, carries a pen and a brush
// and repaints its chart when a setting changes. A series keeps its points as parallel columns
// (value lists, colours, labels, pictures, detail sub-series, visuals), tells its chart and the
// series fed by it of every change, follows its data sources and calculation function, binds to
// axes and tracks the mouse over its points.
#include <functional>
#include <iterator>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "chart/core/ChartAxis.h"
#include "chart/core/LegendTextStyle.h"
#include "chart/core/SeriesColumns.h"
#include "chart/core/SeriesLists.h"
#include "chart/core/ValueList.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/classes/Sets.h"
#include "platform/forms/Control.h"
#include "platform/graphics/Colors.h"

class TChartAxis;
class TCustomAxisPanel;
class TChartSeries;
class TSeriesLegend;
class TStream;
class TStrings;
class TZebBrush;
class TZebFunction;
class TZebPen;
class TCustomTextShape;
class TSeriesMarkPosition;
class TSeriesMarks;
class TSeriesMarksLink;
class TZebSelected;
struct TZebTransform;

// Point colours with a meaning: take the series or palette colour; a null point.
inline constexpr TColor clAutomatic = static_cast<TColor>(0x20000000);
inline constexpr TColor clNullPoint = static_cast<TColor>(0x1FFFFFFF);

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
inline constexpr const char* THorizAxisNames[] = {"aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis"};
static_assert(std::size(THorizAxisNames) == aCustomHorizAxis + 1);

enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
inline constexpr const char* TVertAxisNames[] = {"aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis"};
static_assert(std::size(TVertAxisNames) == aCustomVertAxis + 1);

enum TTreatNullsStyle { tnDontPaint, tnSkip, tnIgnore };
inline constexpr const char* TTreatNullsStyleNames[] = {"tnDontPaint", "tnSkip", "tnIgnore"};
static_assert(std::size(TTreatNullsStyleNames) == tnIgnore + 1);

enum THoverElement { hePrevious, heCurrent, heNext, heJoin };
inline constexpr const char* THoverElementNames[] = {"hePrevious", "heCurrent", "heNext", "heJoin"};
static_assert(std::size(THoverElementNames) == heJoin + 1);
using THoverElements = TSet<THoverElement>;

// How a series reacts when a source series tells of a change.
enum TSeriesReaction { sraDelete, sraModify, sraAdd, sraClear };
using TSeriesReactions = TSet<TSeriesReaction>;
inline constexpr TSeriesReactions AllSeriesReactions{sraDelete, sraModify, sraAdd, sraClear};

// What a series tells the series fed by it (NotifyDependents), with the index each kind carries.
enum TDependantNotice {
    dnCleared,     // 0
    dnAdded,       // the new point
    dnDeleted,     // the point, or -1 for a run
    dnBulkChange,  // 0: an update block ended or the values were reloaded
    dnModified     // the point, or -1: values changed in place
};

// The stages around a series' points at which the chart's tools hear of it (SeriesDrawStage).
enum TSeriesDrawStage { sdsBeforePoints = 1, sdsAfterPoints = 4 };

// The six stored style flags of a series (bits 0 to 5); the editor gives them their meaning.
using TChartSeriesStyles = TSet<int>;

using TSeriesOnAfterAdd = TMethodEvent<void(TChartSeries* Sender, int ValueIndex)>;
using TSeriesOnBeforeAdd = TMethodEvent<bool(TChartSeries* Sender)>;
using TSeriesOnClear = TMethodEvent<void(TChartSeries* Sender)>;
using TSeriesOnGetMarkText = TMethodEvent<void(TChartSeries* Sender, int ValueIndex, String& MarkText)>;
using TSeriesClick =
    TMethodEvent<void(TChartSeries* Sender, int ValueIndex, TMouseButton Button, TShiftState Shift, int X, int Y)>;

// Class-level questions of elements, asked without an instance.
class TChartElementClass : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual String EditorFormClassName() const { return String(); }
    virtual String GalleryName() const { return String(); }
    virtual String GalleryHint() const { return String(); }
};
// The nearest element metaclass of cls or its ancestors; none outside the element classes.
const TChartElementClass* ChartElementClassOf(const TMetaClass& cls);
String EditorFormClassNameOf(const TMetaClass& cls);

class TCustomChartElement : public TComponent {
    TV_CLASS(TCustomChartElement, TComponent)
public:
    explicit TCustomChartElement(TComponent* owner);
    ~TCustomChartElement() override;
    // Leaves the chart, which forgets the element.
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;

    bool Active() const { return active_; }
    virtual void SetActive(bool value);
    TCustomAxisPanel* ParentChart() const { return parentChart_; }
    virtual void SetParentChart(TCustomAxisPanel* value);
    TZebBrush* Brush() const { return brush_.get(); }
    void SetBrush(TZebBrush* value);
    TZebPen* Pen() const { return pen_.get(); }
    virtual void SetPen(TZebPen* value);
    bool ShowInEditor() const { return showInEditor_; }
    void SetShowInEditor(bool value) { showInEditor_ = value; }
    // Owned by another element (a function's extra lines): out of legend, editors and storage.
    bool Internal() const { return internal_; }
    void SetInternal(bool value) { internal_ = value; }

    // Store value and repaint the chart only when it differs; the typed forms are its usual names.
    template <class T, class V>
    void Change(T& field, V&& value)
    {
        if (AssignIfChanged(field, std::forward<V>(value))) InvalidateChart();
    }
    void ChangeBoolean(bool& field, bool value) { Change(field, value); }
    void ChangeColor(TColor& field, TColor value) { Change(field, value); }
    void ChangeInteger(int& field, int value) { Change(field, value); }
    void ChangeDouble(double& field, double value) { Change(field, value); }
    void ChangeString(String& field, const String& value) { Change(field, value); }
    // Asks the chart to repaint; nothing without one.
    void InvalidateChart();
    virtual void StyleChanged(TObject* sender);
    std::unique_ptr<TZebPen> CreatePen();

    // The parent component is the chart.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;

protected:
    void ReadState(TReader& reader) override;
    // For the chart only: sets the field without adding or detaching.
    void storeParentChart(TCustomAxisPanel* value) { parentChart_ = value; }
    friend class TCustomAxisPanel;

private:
    bool active_ = true;
    bool showInEditor_ = true;
    bool internal_ = false;
    TCustomAxisPanel* parentChart_ = nullptr;
    std::unique_ptr<TZebBrush> brush_;
    std::unique_ptr<TZebPen> pen_;
};

// A series' value lists in order: 0 the X values, 1 the Y values, then the extra kinds. The lists
// are the series': it frees them with this list.
class TChartValueLists {
public:
    TChartValueLists() = default;
    ~TChartValueLists();
    TChartValueLists(const TChartValueLists&) = delete;
    TChartValueLists& operator=(const TChartValueLists&) = delete;

    void Add(TChartValueList* list) { lists_.push_back(list); }
    int Count() const { return static_cast<int>(lists_.size()); }
    TChartValueList* ValueListAt(int index) const { return lists_[static_cast<size_t>(index)]; }

private:
    std::vector<TChartValueList*> lists_;
};

class TCustomChartSeries : public TCustomChartElement {
    TV_CLASS(TCustomChartSeries, TCustomChartElement)
public:
    using TCustomChartElement::TCustomChartElement;
    ~TCustomChartSeries() override;
    void Assign(TPersistent* source) override;

    const String& Title() const { return title_; }
    virtual void SetTitle(const String& value);
    const String& Identifier() const { return identifier_; }
    void SetIdentifier(const String& value) { identifier_ = value; }
    TChartSeriesStyles Style() const { return style_; }
    void SetStyle(TChartSeriesStyles value) { style_ = value; }
    // The legend settings, made on first use with the chart as their panel; assigning none frees
    // them.
    TSeriesLegend* Legend();
    const TSeriesLegend* LegendOrNull() const { return legend_.get(); }
    void SetLegend(TSeriesLegend* value);
    bool HasLegend() const { return legend_ != nullptr; }
    // Listed in the legend: true while no legend settings exist.
    bool ShowInLegend() const;
    void SetShowInLegend(bool value);
    // The legend's text for the series; empty while no legend settings exist.
    String LegendTitle() const;
    void SetLegendTitle(const String& value);

    // Position in the chart's series list; -1 without a chart.
    int IndexInChart() const;
    // The component name, or "Series" and the position plus one in a chart.
    String GetFallbackName() const;
    // The title when not blank (cleaned for the legend when asked), else the fallback name.
    String GetTitleOrName(bool clean) const;
    // Either class derives from the other.
    bool IsSameKind(const TCustomChartSeries* other) const;

    virtual void MeasureHorizMargins(int& left, int& right) const { left = right = 0; }
    virtual void MeasureVertMargins(int& top, int& bottom) const { top = bottom = 0; }
    // Pixels the series reaches beyond axis' ends (left, top, right, bottom), added to margins.
    virtual void MeasureAxisOverhang(const TChartAxis& axis, TRect& margins) const { (void)axis, (void)margins; }
    virtual void PrepareDraw() {}
    // The legend settings take the chart as their panel.
    virtual void AddedToChart();
    virtual void RemovedFromChart();

protected:
    void DefineProperties(TFiler& filer) override;

private:
    String title_;
    String identifier_;
    TChartSeriesStyles style_;
    std::unique_ptr<TSeriesLegend> legend_;
};

class TChartSeries : public TCustomChartSeries {
    TV_CLASS(TChartSeries, TCustomChartSeries)
public:
    explicit TChartSeries(TComponent* owner);
    ~TChartSeries() override;
    // The teardown that needs the derived parts alive: function, sources, dependants, points.
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;

    void SetActive(bool value) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void SetTitle(const String& value) override;

    // ---- value lists ----
    TChartValueLists& ValueLists() { return valueLists_; }
    const TChartValueLists& ValueLists() const { return valueLists_; }
    TChartValueList* XValues() const { return xValues_; }
    TChartValueList* YValues() const { return yValues_; }
    // Take the settings of value; the values stay.
    void SetXValues(TChartValueList* value);
    void SetYValues(TChartValueList* value);
    // The list of the main values: Y, or X for series ordered along Y.
    TChartValueList* MandatoryValueList() const { return yMandatory_ ? yValues_ : xValues_; }
    // The list whose order places the points: X, or Y for series ordered along Y.
    TChartValueList* OrderValueList() const { return yMandatory_ ? xValues_ : yValues_; }
    TChartValueList* IndependentValueList() const { return OrderValueList(); }
    // The points are ordered by X and the main values are Y (the usual case).
    bool YMandatory() const { return yMandatory_; }
    // X becomes the main values and Y places the points.
    void MakeHorizontal();
    int Count() const { return xValues_->Count(); }
    int PointCount() const { return Count(); }
    virtual int GetPointCount() const { return Count(); }
    // An extra list (position 2 and up) by name, any case; the main list when none matches.
    virtual TChartValueList* FindValueList(const String& name) const;
    // A value list says it changed (kind 4 at index, -1 for all).
    void ValuesModified(int index);

    // ---- adding points; each gives the new index, or -1 when OnBeforeAdd refused ----
    virtual int InsertXY(double x, double y, const String& label = String(), TColor color = clAutomatic);
    virtual int AppendMainValue(double value, const String& label = String(), TColor color = clAutomatic);
    // X = the point count whatever the orientation: the live chart's append.
    int AppendValue(double value, const String& label = String(), TColor color = clAutomatic);
    virtual int AppendNull(const String& label = String());
    int AppendNullValue(double value);
    virtual int AppendNullXY(double x, double y, const String& label = String());
    // In one update block; the count added.
    int AppendValues(std::span<const double> values);
    int AppendXYValues(std::span<const double> x, std::span<const double> y);
    virtual int CopyPointValues(TChartSeries* source, int index);
    virtual int CopyPoint(TChartSeries* source, int index);
    double NullValue() const { return nullValue_; }
    void SetNullValue(double value) { nullValue_ = value; }

    // ---- reading and changing points; indexes below Count are the caller's to keep ----
    virtual double GetPointX(int index) const { return xValues_->ValueAt(index); }
    virtual double GetPointY(int index) const { return yValues_->ValueAt(index); }
    virtual double GetMainValue(int index) const { return MandatoryValueList()->ValueAt(index); }
    virtual double GetStackValue(int index) const { return GetMainValue(index); }
    void SetPointX(int index, double value);
    void SetPointY(int index, double value);
    virtual String GetPointLabel(int index) const;
    String GetLabelAt(int index) const { return labels_.GetLabel(index); }
    void SetLabelAt(int index, const String& text) { labels_.SetLabel(index, text); }
    TLabelsList& Labels() { return labels_; }
    const TLabelsList& Labels() const { return labels_; }
    // Made on first use.
    TZebPictureList& Pictures();
    const TZebPictureList* PicturesOrNull() const { return pictures_.get(); }
    TSeriesDetail& Detail();
    const TSeriesDetail* DetailOrNull() const { return detail_.get(); }
    TVisualsList& Visuals();
    const TVisualsList* VisualsOrNull() const { return visuals_.get(); }

    // ---- colours ----
    // The series colour; while automatic, the colour picked from the palette.
    TColor SeriesColor() const { return seriesColor_ == clAutomatic ? pickedColor_ : seriesColor_; }
    virtual void SetSeriesColor(TColor value);
    bool IsSeriesColorStored() const { return seriesColor_ != clAutomatic; }
    // Back to automatic: the chart picks the automatic colours of all its series again.
    void ResetSeriesColor();
    TColor PickedColor() const { return pickedColor_; }
    // False for series whose points each take their own colour (pie): editors show no series
    // colour for them.
    bool HasSeriesColor() const { return hasSeriesColor_; }
    // The automatic colour taken from the palette; series event 3.
    void SetPickedColor(TColor value);
    bool ColorEachPoint() const { return colorEachPoint_; }
    virtual void SetColorEachPoint(bool value);
    bool HasPointColors() const { return hasColors_; }
    TColor GetStoredColor(int index) const;
    virtual TColor GetPointColor(int index) const;
    // Grows the series with null points up to index; a negative index changes nothing.
    void SetPointColor(int index, TColor color);
    void SetPointNull(int index, bool value) { SetPointColor(index, value ? clNullPoint : clAutomatic); }
    bool IsNullPoint(int index) const { return GetPointColor(index) == clNullPoint; }
    bool IsPointUsable(int index) const { return treatNulls_ == tnIgnore || !IsNullPoint(index); }
    // Points stored as null, kept as colours are set, so a repaint need not look for them.
    int NullPointCount() const { return nullCount_; }
    virtual void PointColorChanged(int index);

    // ---- removing, clearing, reordering ----
    // ChartException when index is not a point.
    virtual void RemovePoint(int index);
    // Nothing for a negative index or quantity, or an index past the end.
    virtual void RemovePoints(int index, int quantity, bool resequence = false);
    virtual void ResetPointLists();
    virtual void RemoveAllPoints();
    // Every column, pictures and detail sub-series included.
    virtual void SwapPoints(int a, int b);
    void SortPointsByLabel(TChartListOrder order);
    // Sorts the points by list in order, equal values keeping their order, in one update block.
    void SortByValueList(TChartValueList* list, TChartListOrder order);
    virtual void ApplyValueOrder();

    // ---- sample data ----
    virtual int DefaultSampleCount() const { return 25; }
    // The count FillWithSamples(0) takes before DefaultSampleCount; 0 none.
    int SampleCount() const { return sampleCount_; }
    void SetSampleCount(int value) { sampleCount_ = value; }
    // count 0: the remembered count, else DefaultSampleCount.
    virtual void FillWithSamples(int count = 0);
    virtual void AddRandomPoints(int count, bool valuesOnly);
    static int RandomInt(int limit);
    struct TSampleRanges {
        double startX, stepX, minY, spanY, firstY;
    };
    TSampleRanges ComputeSampleRanges(int count) const;

    // ---- statistics ----
    virtual double LowestX() { return xValues_->Lowest(); }
    virtual double HighestX() { return xValues_->Highest(); }
    virtual double LowestY() { return yValues_->Lowest(); }
    virtual double HighestY() { return yValues_->Highest(); }
    virtual double LowestZ() { return zSlot_; }
    virtual double HighestZ() { return zSlot_; }

    // ---- notifications and update blocks ----
    virtual void PointAdded(int index);
    // Dependants react to the notice at index (cleared and bulk notices name no point: 0).
    virtual void NotifyDependents(TDependantNotice kind, int index = 0);
    void BeginPointUpdate() { ++updateCount_; }
    void EndPointUpdate();
    int UpdateCount() const { return updateCount_; }
    void NotifyBulkChange();
    // Fetches the points again from the sources, the function or samples.
    void RefreshData();
    // What the chart's refresh runs (also without a chart).
    void RefreshFromSources();
    virtual void ReloadFromSource(TChartSeries* source);
    void CopyValuesFrom(TChartSeries* source) { ReloadFromSource(source); }
    virtual void SourcePointDeleted(TChartSeries* source, int index);

    // ---- sources and functions ----
    TComponent* DataSource() const;
    void SetDataSource(TComponent* value);
    // Stored as DataSource with exactly one source, as "DataSources" with more.
    bool IsDataSourceStored() const;
    bool HasDataSources() const { return dataSources_ && dataSources_->Count() > 0; }
    TDataSourcesList& DataSources();
    const TDataSourcesList* DataSourcesOrNull() const { return dataSources_.get(); }
    int AddSourceChecked(TComponent* component, bool replace);
    void RemoveDataSource(TComponent* component);
    virtual bool AcceptsSourceSeries(const TChartSeries* series) const { return series != this; }
    virtual bool FunctionAcceptsSource(TChartSeries* series) const;
    // ChartException when candidate already depends on this series, through any of its sources.
    void CheckNoCircularSource(TChartSeries* candidate) const;
    // True when this series is fed by series, directly or through other series.
    bool DependsOn(const TChartSeries* series) const;
    // Leaves the linked lists of every source series.
    void UnlinkFromSources();
    const TCustomSeriesList* LinkedSeries() const { return linked_.get(); }
    TSeriesReactions SourceReactions() const { return reactions_; }
    void SetSourceReactions(TSeriesReactions value) { reactions_ = value; }
    TZebFunction* FunctionObject() const { return function_; }
    virtual void AttachFunction(TZebFunction* function);
    // The function leaves this series without being freed; the points are fetched again.
    void ForgetFunction();
    // The points were entered by hand or loaded, so they are stored.
    bool ManualData() const { return manualData_; }
    void SetManualData(bool value) { manualData_ = value; }
    bool StoreXValues() const { return storeXValues_; }
    void SetStoreXValues(bool value) { storeXValues_ = value; }
    bool SinglePointResult() const { return singlePointResult_; }
    // ---- stored points ("Data" and "Detail") ----
    // Set for the duration of a copy or a chart-file write: force stores and copies the points
    // whatever the series holds, skip never.
    enum TDataMark { dmNone, dmForceData, dmSkipData };
    TDataMark DataMark() const { return dataMark_; }
    void SetDataMark(TDataMark value) { dataMark_ = value; }
    bool IsDataStored() const;
    virtual void WriteDataBinary(TStream& stream);
    // EReadError on corrupt data; the points read so far stay.
    void ReadDataBinary(TStream& stream);
    void SetSinglePointResult(bool value) { singlePointResult_ = value; }

    // ---- axes ----
    THorizAxis HorizAxis() const { return horizAxis_; }
    virtual void SetHorizAxis(THorizAxis value);
    TVertAxis VertAxis() const { return vertAxis_; }
    virtual void SetVertAxis(TVertAxis value);
    // The axes the series is drawn against; none without a chart.
    TChartAxis* GetHorizAxis() const { return horizAxisObject_; }
    TChartAxis* GetVertAxis() const { return vertAxisObject_; }
    TChartAxis* CustomHorizAxis() const { return customHorizAxis_; }
    TChartAxis* CustomVertAxis() const { return customVertAxis_; }
    // The choice becomes the custom one.
    void SetCustomHorizAxis(TChartAxis* axis);
    void SetCustomVertAxis(TChartAxis* axis);
    void ResolveAxes();
    virtual bool IsBoundToAxis(const TChartAxis* axis) const;
    // X for a horizontal axis, Y for a vertical one; none when the series is not bound to axis.
    virtual TChartValueList* GetAxisValueList(const TChartAxis* axis) const;
    // The axis of the main values.
    TChartAxis* GetValueAxis() const { return yMandatory_ ? vertAxisObject_ : horizAxisObject_; }
    // An axis' Minimum or Maximum changed.
    virtual void AxisRangeChanged(TChartAxis*) {}
    virtual bool DependsOnAxes() const { return true; }
    virtual bool AllowsZoomScroll() const { return DependsOnAxes(); }
    virtual bool PlacesByPointIndex() const { return false; }
    // The label style the series suggests for axis.
    virtual TAxisLabelStyle PreferredLabelStyle(const TChartAxis* axis) const;

    // ---- gallery ----
    // Names the sub-styles the gallery offers; the base offers "Normal".
    virtual void ListGalleryStyles(const std::function<void(const String&)>& add) const;
    virtual void ApplyGalleryStyle(int index) { (void)index; }
    // A small sample for a gallery cell: four points in palette colours.
    virtual void SetupGalleryPreview();

    // ---- 3-D placement ----
    int Depth() const { return depth_; }
    void SetDepth(int value) { ChangeInteger(depth_, value); }
    int GetZSlot() const { return zSlot_; }
    void SetZSlot(int value) { zSlot_ = value; }
    virtual void ReserveZSlot();
    struct TDepthRange {
        int start, middle, end;
    };
    virtual TDepthRange ComputeDepthRange() const;
    // The depth range of the current frame (set by the chart's pipeline); the marks take its middle.
    const TDepthRange& DepthRange() const { return depthRange_; }
    void SetDepthRange(const TDepthRange& value);
    // A 3-D grid series (X, Y and Z per point): it keeps its own depth and value label style.
    virtual bool IsXYZSeries() const { return false; }
    // In a 3-D chart another active series, not a 3-D grid, sits in the same Z slot.
    virtual bool SharesZSlot() const;
    // No active series before this one in the chart's list has its Z slot.
    bool IsFirstInZSlot() const;

    // ---- first and last point in view, set by the drawing loop; -1 when empty ----
    int FirstVisibleIndex() const { return firstVisible_; }
    int LastVisibleIndex() const { return lastVisible_; }
    void SetVisibleRange(int first, int last)
    {
        firstVisible_ = first;
        lastVisible_ = last;
    }
    bool ScanVisibleRange() const { return scanVisibleRange_; }
    void SetScanVisibleRange(bool value) { scanVisibleRange_ = value; }
    // The first point at or beyond the axis maximum stays in the range, so a line reaches the edge.
    bool DrawBeyondLastVisible() const { return drawBeyondLastVisible_; }
    void SetDrawBeyondLastVisible(bool value) { drawBeyondLastVisible_ = value; }

    // ---- drawing loop ----
    // Both ends by bisection over the ordered independent list; the frame then costs what is in
    // view. A last index below the first draws nothing.
    virtual void FindVisibleRange();
    virtual void DrawVisiblePoints();
    virtual void DrawPoint(int index) { (void)index; }
    virtual void PrecalcPoints() {}
    virtual bool CanPrecalcInParallel() const { return false; }
    // Tools' series stage 1 (4), then BeforeDrawValues (AfterDrawValues).
    virtual void BeforeDrawPoints();
    virtual void AfterDrawPoints();
    // One series in a frame: range, clip, element, points, marks and the hooks around them.
    // Nothing, not even the hooks, when no point is visible.
    void DrawInChart();
    // An empty order means index order.
    virtual void GetPointDrawOrder(int first, int last, std::vector<int>& order, bool singleSeries);
    virtual void GetStackDrawOrder(int position, int count, std::vector<int>& order, int index);
    virtual bool IsPointOrderForward() const;
    virtual bool IsStackOrderForward(int index) const;
    virtual bool IsSeriesOrderForward() const;
    int FirstDrawnIndex() const { return IsPointOrderForward() ? firstVisible_ : lastVisible_; }
    int LastDrawnIndex() const { return IsPointOrderForward() ? lastVisible_ : firstVisible_; }
    // The point indexes of the chart's current page; every point without paging or chart; -1, -1
    // without points.
    void GetPageRange(int& first, int& last) const;
    // Element named by GetFallbackName, carrying ElementTransform; nothing without a chart.
    void BeginCanvasElement();
    void NotifyTools(TSeriesDrawStage stage);
    // Set by animations that move, scale or turn the whole series; not owned.
    TZebTransform* ElementTransform = nullptr;
    // A mouse zoom converts its rectangle through this series' ValueAtScreenX/Y (polar series).
    bool ConvertsZoomRectangle = false;

    // ---- screen positions ----
    virtual int ValueScreenX(double value) const;
    virtual int ValueScreenY(double value) const;
    virtual double ValueAtScreenX(int pixel) const;
    virtual double ValueAtScreenY(int pixel) const;
    virtual int PointScreenX(int index) const { return ValueScreenX(xValues_->ValueAt(index)); }
    virtual int PointScreenY(int index) const { return ValueScreenY(yValues_->ValueAt(index)); }
    virtual void GetPointXY(int index, int& x, int& y) const;
    int MainValueToScreen(double value) const { return yMandatory_ ? ValueScreenY(value) : ValueScreenX(value); }
    int XPixelSpan(double span) const;
    int YPixelSpan(double span) const;
    // Edges of the chart rectangle included.
    virtual bool IsPointInPlot(int index) const;

    // ---- the stages of the chart's frame that the series types fill ----
    virtual void AdjustChartLayout() {}
    // The marks exist, are visible and the series has points; whether they clip to the chart box.
    bool HasVisibleMarks() const;
    bool ClipsMarks() const;
    // The marks of the visible points, every effective DrawEvery-th index counted from 0; none for
    // a null point, an empty text or an invisible mark shape.
    virtual void DrawPointMarks();
    // One mark at its prepared position, unless automatic placement finds it overlapping.
    virtual void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position);
    // Sizes shape for text (room for the marks symbol) and centres position above (x, y).
    void PrepareMarkShape(TCustomTextShape& shape, const String& text, TSeriesMarkPosition& position, int y, int x);
    // The widest mark text over the points whose mark is shown; 0 without marks.
    int WidestMarkWidth() const;

    // ---- formats and settings ----
    const String& ValueFormat() const { return valueFormat_; }
    virtual void SetValueFormat(const String& value) { ChangeString(valueFormat_, value); }
    const String& PercentFormat() const { return percentFormat_; }
    void SetPercentFormat(const String& value) { ChangeString(percentFormat_, value); }
    bool IsValueFormatStored() const;
    bool IsPercentFormatStored() const;
    const String& ColorSource() const { return colorSource_; }
    void SetColorSource(const String& value);
    const String& XLabelsSource() const { return xLabelsSource_; }
    void SetXLabelsSource(const String& value);
    int Transparency() const { return transparency_; }
    virtual void SetTransparency(int value) { ChangeInteger(transparency_, value); }
    TTreatNullsStyle TreatNulls() const { return treatNulls_; }
    void SetTreatNulls(TTreatNullsStyle value);
    // Appearance of other: legend, pen, brush, colours, formats, axes, cursor, depth, hover.
    virtual void CopyAppearance(TChartSeries* other);
    // List settings (crossed between orientations), sources of labels and colours, appearance,
    // reactions.
    void CopySettings(TChartSeries* other);

    // ---- legend ----
    // Label, value, X and percent of the point behind legend item index, in columns.
    virtual String FormatLegendText(int index, TLegendTextStyle style) const;
    // Legend items and points are one to one in the base.
    virtual int LegendItemSource(int index) const { return index; }
    virtual int PointOfLegendItem(int index) const { return index; }
    virtual int LegendItemOfPoint(int index) const { return index; }
    virtual TColor GetLegendColor(int index) const { return GetPointColor(index); }
    // May change the back colour and brush style a legend symbol is filled with.
    virtual void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const
    {
        (void)index, (void)backColor, (void)style;
    }
    // The legend lists the values last to first.
    virtual bool InvertsLegend() const { return false; }
    // The symbol of legend item index (-1: the whole series) in rect, in the series' pen and brush
    // on the colour the legend recorded (SeriesLegendSymbol.cpp).
    virtual void DrawLegendSymbol(int index, const TRect& rect);
    // The symbol's fill: the series' legend picture, the point's picture or a colour box.
    virtual void FillLegendSymbol(int index, const TRect& rect);
    // How far mark box a moves off box b: along the value axis, to the nearer side.
    virtual TPoint GetMarkOverlapShift(const TRect& a, const TRect& b) const;

    // ---- marks ----
    // Made on first use, with the series as their owner.
    TSeriesMarks& Marks();
    TSeriesMarks* MarksOrNull() const;
    bool HasMarks() const { return marks_ != nullptr; }
    // The stored property "Marks": made on first read; the setter assigns.
    TSeriesMarks* GetMarks() { return &Marks(); }
    void SetMarks(TSeriesMarks* value);
    // The item's own text (less one trailing CR LF), else the text of the marks' Style; then
    // OnGetMarkText.
    String ComposeMarkText(int index) const;
    // Not for a null point; with SoftClip only inside the plot.
    virtual bool IsMarkShown(int index) const;
    const TSeriesOnGetMarkText& OnGetMarkText() const { return onGetMarkText_; }
    void SetOnGetMarkText(TSeriesOnGetMarkText value) { onGetMarkText_ = std::move(value); }

    // ---- what the axes read of the points ----
    // Some point has a label.
    bool HasPointLabels() const { return labels_.NonEmptyCount() > 0; }
    // The title the axes and legend show: the title, else the fallback name.
    String TitleOrName() const { return GetTitleOrName(false); }

    // ---- hover, selection, clicks ----
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    THoverElements HoverElement() const { return hoverElement_; }
    void SetHoverElement(THoverElements value) { hoverElement_ = value; }
    // Made on first use; assigning none frees it.
    TZebSelected* Selected();
    void SetSelected(TZebSelected* value);
    const TZebSelected* SelectedOrNull() const { return selected_.get(); }
    bool HasSelected() const { return selected_ != nullptr; }
    virtual bool IsHoverEnabled() const;
    // Whether the series claims the mouse at (x, y); records the hovered index.
    virtual bool TrackHover(int x, int y);
    // The point under (x, y); -1 in the base.
    virtual int HitTest(int x, int y) { (void)x, (void)y; return -1; }
    virtual bool IsOverPointer(int x, int y) { (void)x, (void)y; return false; }
    int HoverPartHitTest(int x, int y);
    bool PointerHitTest(int x, int y);
    // 0 none, 1 point, 2 pointer symbol, 3 mark.
    int HoverPart() const { return hoverPart_; }
    void SetHoverPart(int value) { hoverPart_ = value; }
    int HoveredPointIndex() const;
    int HoveredMarkIndex() const;
    virtual bool IsPointHovered(int index) const;
    // Selects the hover pen on the chart's canvas when index is the hovered point.
    virtual bool ApplyHoverPen(int index);
    virtual void FirePointClick(int index, TMouseButton button, TShiftState shift, int x, int y);
    virtual bool HasClickHandlers() const { return bool(onClick_) || bool(onDblClick_); }

    // ---- events ----
    const TSeriesOnAfterAdd& OnAfterAdd() const { return onAfterAdd_; }
    void SetOnAfterAdd(TSeriesOnAfterAdd value) { onAfterAdd_ = std::move(value); }
    const TSeriesOnBeforeAdd& OnBeforeAdd() const { return onBeforeAdd_; }
    void SetOnBeforeAdd(TSeriesOnBeforeAdd value) { onBeforeAdd_ = std::move(value); }
    const TSeriesOnClear& OnClearValues() const { return onClearValues_; }
    void SetOnClearValues(TSeriesOnClear value) { onClearValues_ = std::move(value); }
    const TSeriesClick& OnClick() const { return onClick_; }
    void SetOnClick(TSeriesClick value) { onClick_ = std::move(value); }
    const TSeriesClick& OnDblClick() const { return onDblClick_; }
    void SetOnDblClick(TSeriesClick value) { onDblClick_ = std::move(value); }
    const TNotifyEvent& OnMouseEnter() const { return onMouseEnter_; }
    void SetOnMouseEnter(TNotifyEvent value) { onMouseEnter_ = std::move(value); }
    const TNotifyEvent& OnMouseLeave() const { return onMouseLeave_; }
    void SetOnMouseLeave(TNotifyEvent value) { onMouseLeave_ = std::move(value); }
    const TNotifyEvent& BeforeDrawValues() const { return beforeDrawValues_; }
    void SetBeforeDrawValues(TNotifyEvent value) { beforeDrawValues_ = std::move(value); }
    const TNotifyEvent& AfterDrawValues() const { return afterDrawValues_; }
    void SetAfterDrawValues(TNotifyEvent value) { afterDrawValues_ = std::move(value); }

    void AddedToChart() override;
    void RemovedFromChart() override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void Loaded() override;

protected:
    bool hasSeriesColor_ = true;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler& filer) override;

    bool yMandatory_ = true;
    bool scanVisibleRange_ = true;
    bool drawBeyondLastVisible_ = false;

private:
    friend class TDataSourcesList;
    void teardown();
    void sendHeldModify(TSeriesReaction direct);
    void insertColor(int index, TColor color);
    void linkSource(TComponent* component);
    void sortPoints(const std::function<bool(int, int)>& less);
    void readDataSources(TReader& reader);
    void writeDataSources(TWriter& writer);
    void readCustomAxis(TReader& reader, bool horizontal);
    void defineDataProperties(TFiler& filer);

    TChartValueLists valueLists_;
    TChartValueList* xValues_ = nullptr;
    TChartValueList* yValues_ = nullptr;
    TLabelsList labels_{this};
    std::vector<TColor> colors_;
    bool hasColors_ = false;
    int nullCount_ = 0;
    std::unique_ptr<TZebPictureList> pictures_;
    std::unique_ptr<TSeriesDetail> detail_;
    std::unique_ptr<TVisualsList> visuals_;
    std::unique_ptr<TZebSelected> selected_;
    struct TMarksLinkDeleter {
        void operator()(TSeriesMarksLink* link) const;
    };
    std::unique_ptr<TSeriesMarksLink, TMarksLinkDeleter> marks_;
    std::unique_ptr<TDataSourcesList> dataSources_;
    std::unique_ptr<TCustomSeriesList> linked_;
    std::unique_ptr<std::vector<String>> storedSourceNames_;
    TZebFunction* function_ = nullptr;

    double nullValue_ = 0;
    int updateCount_ = 0;
    // Adding or removing a point holds the value lists' notices until every column agrees.
    bool holdModify_ = false;
    bool heldModify_ = false;
    // The held notice skips dependants that get the point by this reaction.
    bool hasDirectReaction_ = false;
    TSeriesReaction directReaction_ = sraAdd;
    bool tornDown_ = false;
    bool storeXValues_ = true;
    TSeriesReactions reactions_ = AllSeriesReactions;
    bool manualData_ = false;
    TDataMark dataMark_ = dmNone;
    bool singlePointResult_ = true;
    bool colorEachPoint_ = false;
    TColor seriesColor_ = clAutomatic;
    TColor pickedColor_ = clAutomatic;
    String valueFormat_;
    String percentFormat_;
    String colorSource_;
    String xLabelsSource_;
    int transparency_ = 0;
    TTreatNullsStyle treatNulls_ = tnDontPaint;
    int depth_ = -1;
    int zSlot_ = 0;
    TCursor cursor_ = crDefault;
    THoverElements hoverElement_;
    int hoverPart_ = 0;
    bool mouseInside_ = false;
    int sortDirection_ = 0;
    int sampleCount_ = 0;

    THorizAxis horizAxis_ = aBottomAxis;
    TVertAxis vertAxis_ = aLeftAxis;
    TChartAxis* customHorizAxis_ = nullptr;
    TChartAxis* customVertAxis_ = nullptr;
    TChartAxis* horizAxisObject_ = nullptr;
    TChartAxis* vertAxisObject_ = nullptr;
    int firstVisible_ = -1;
    int lastVisible_ = -1;
    TDepthRange depthRange_{0, 0, 0};

    TSeriesOnAfterAdd onAfterAdd_;
    TSeriesOnBeforeAdd onBeforeAdd_;
    TSeriesOnClear onClearValues_;
    TSeriesOnGetMarkText onGetMarkText_;
    TSeriesClick onClick_, onDblClick_;
    TNotifyEvent onMouseEnter_, onMouseLeave_, beforeDrawValues_, afterDrawValues_;
};

// A series class that only publishes the common settings.
class TThemedSeries : public TChartSeries {
    TV_CLASS(TThemedSeries, TChartSeries)
public:
    using TChartSeries::TChartSeries;
};

// Holds a series' point notices for its lifetime; the outermost end tells dependants and listeners.
class TPointUpdateBlock {
public:
    explicit TPointUpdateBlock(TChartSeries& series) : series_(series) { series_.BeginPointUpdate(); }
    ~TPointUpdateBlock() { series_.EndPointUpdate(); }
    TPointUpdateBlock(const TPointUpdateBlock&) = delete;
    TPointUpdateBlock& operator=(const TPointUpdateBlock&) = delete;

private:
    TChartSeries& series_;
};

// Stored-data tests of the writer of a series' points: every point is read.
bool XValuesNeedStoring(const TChartSeries& series);
bool HasOwnColors(const TChartSeries& series);
bool HasAnyLabel(const TChartSeries& series);
// A series without a source is filled with samples on refresh, not only at design time.
extern bool AlwaysSampleData;
