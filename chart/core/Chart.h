#pragma once
// TCustomChart: the chart component every window places. It adds to the axis panel the walls of
// the chart box, four titles, the legend, the choice of named colour palette, the chart's own
// stored properties and the operations through which the frame asks it for walls, titles and
// legend (ChartDrawOrder.cpp, ChartWallPaint.cpp). TChart publishes it.
#include <memory>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartInput.h"
#include "chart/core/LegendStyle.h"
#include "chart/core/LegendTextStyle.h"

class TChartBackWall;
class TChartBottomWall;
class TChartLegend;
class TChartFootTitle;
class TChartLeftWall;
class TChartRightWall;
class TChartTitle;
class TChartWall;
class TChartWalls;
class TCustomChart;
class TGraphic;
class TZebPen;

// The range a scroll would give the axis; the handler may change it (panning) or refuse.
using TChartAllowScrollEvent =
    TMethodEvent<void(TChartAxis* Sender, double& AMin, double& AMax, bool& AllowScroll)>;
using TChartClickAxis =
    TMethodEvent<void(TCustomChart* Sender, TChartAxis* Axis, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartClick = TMethodEvent<void(TCustomChart* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartClickSeries = TMethodEvent<void(TCustomChart* Sender, TChartSeries* Series, int ValueIndex,
                                            TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartClickTitle =
    TMethodEvent<void(TCustomChart* Sender, TChartTitle* ATitle, TMouseButton Button, TShiftState Shift, int X, int Y)>;
// Text left, item top and symbol left of legend item Index (in/out).
using TOnGetLegendPos = TMethodEvent<void(TCustomChart* Sender, int Index, int& X, int& Y, int& XColor)>;
// The legend's bounds (in/out).
using TOnGetLegendRect = TMethodEvent<void(TCustomChart* Sender, TRect& Rect)>;
// The text of legend item Index listed by LegendStyle (in/out).
using TOnGetLegendText =
    TMethodEvent<void(TCustomAxisPanel* Sender, TLegendStyle LegendStyle, int Index, String& LegendText)>;

// ColorPaletteIndex values besides the named palettes' positions.
inline constexpr int DefaultPaletteIndex = -1;
inline constexpr int CustomPaletteIndex = -2;

class TCustomChart : public TCustomAxisPanel {
    TV_CLASS(TCustomChart, TCustomAxisPanel)
public:
    // Takes the per-user "DefaultPalette" (13 without one).
    explicit TCustomChart(TComponent* owner);
    ~TCustomChart() override;
    // Palette, titles (a missing one in source frees this chart's), walls, then the axis panel.
    void Assign(TPersistent* source) override;
    // The series, then the tools, then the animations. While a chart file is written, the data
    // sources of the series that are no series come first, and the controls placed on the chart
    // (which belong to its window) are left out.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetWritingChartFile(bool value) { writingChartFile_ = value; }
    // The classes a chart file may hold inside a chart: series with their functions, data
    // sources, tools and animations.
    static bool IsChartFileChild(const TMetaClass& cls);

    // ---- palette ----
    int ColorPaletteIndex() const { return colorPaletteIndex_; }
    void SetColorPaletteIndex(int value);
    // Without applying the palette (the named palettes record what they applied).
    void StoreColorPaletteIndex(int value) { colorPaletteIndex_ = value; }

    // ---- titles: made on first read; null frees ----
    TChartTitle* Title();
    void SetTitle(TChartTitle* value);
    TChartTitle* SubTitle();
    void SetSubTitle(TChartTitle* value);
    TChartFootTitle* Foot();
    void SetFoot(TChartFootTitle* value);
    TChartFootTitle* SubFoot();
    void SetSubFoot(TChartFootTitle* value);
    // The titles that exist, in drawing order Title, SubTitle, Foot, SubFoot (null where none).
    TChartTitle* TitleAt(int index) const;

    // ---- legend ----
    TChartLegend* Legend() const { return legend_.get(); }
    void SetLegend(TChartLegend* value);
    // The legend's item text, as OnGetLegendText leaves it.
    String FormatLegendItem(TCustomChartLegend& legend, int index) const;

    // ---- walls ----
    TChartWalls& Walls() const { return *walls_; }
    TChartBackWall* BackWall() const;
    void SetBackWall(TChartBackWall* value);
    TChartLeftWall* LeftWall() const;
    void SetLeftWall(TChartLeftWall* value);
    TChartBottomWall* BottomWall() const;
    void SetBottomWall(TChartBottomWall* value);
    TChartRightWall* RightWall();
    void SetRightWall(TChartRightWall* value);
    // The back wall's pen.
    TZebPen* Frame() const;
    void SetFrame(TZebPen* value);

    // ---- what the axis panel asks ----
    TColor GetBackgroundColor() const override;
    bool IsColorFree(TColor color, bool checkBackground, const TChartSeries* ignoreSeries) const override;
    // The series' legend text of the point with the legend's text style; line breaks become blanks.
    String LegendTextOfPoint(TChartSeries* series, int index) override;
    // The picture stretched into rect when the legend uses images, else a colour box of the canvas
    // brush colour.
    void PaintLegendSymbolBox(const TRect& rect, TGraphic* picture) override;
    // The legend events.
    void GetLegendText(TCustomChartLegend& legend, int index, String& text) override;
    void GetLegendPos(TCustomChartLegend& legend, int index, int& x, int& y, int& xColor) override;
    void GetLegendRect(TCustomChartLegend& legend, TRect& rect) override;
    // Names of the value lists of the series' source series.
    void ListSourceValueNames(TChartSeries* series, const std::function<void(const String&)>& callback) const;
    virtual bool SpareQuery() const { return false; }
    virtual void SpareHook2() {}

    // ---- drawing order (ChartDrawOrder.cpp) ----
    int WallSizeAt(const TChartAxis* axis) const override;
    void FitPlotTo3D() override;
    void DrawSurroundings(bool beforeSeries) override;
    void PaintWalls() override;
    // No series, or an active one that depends on axes.
    bool NeedsAxes() const;
    bool IsSideFacingAt(int x) const;
    bool IsRightSideVisible() const { return !IsSideFacingAt(ChartRect().Right); }
    bool IsLeftSideVisible() const { return IsSideFacingAt(ChartRect().Left); }
    // The titles whose CustomPosition equals customPosition, inside the element "Titles".
    void DrawTitles(bool customPosition);

    // ---- walls painted (ChartWallPaint.cpp) ----
    void PrepareWallCanvas(TChartWall& wall);
    void PaintBackWall();
    void PaintLeftWall();
    void PaintRightWall();
    void PaintBottomWall();

    // ---- reset ----
    // Before a chart file loads: sources detached, series, tools and animations gone, custom
    // labels cleared, axes automatic, then every other setting as a fresh chart has it.
    void ResetContents();
    // A new ownerless chart of this chart's class on the same parent window copied in; name and
    // place stay.
    void ResetToFreshChart();
    // The new charts kept for resets go (when the chart unit stops).
    static void ReleaseFreshCharts();

    // ---- mouse, wheel and keys (ChartInput.cpp) ----
    TChartClickedPart PartAtPoint(TPoint p) { return FindPartAt(p, false); }
    // First match: a custom-placed legend's item, the active series from the last (with
    // onlyClickable those with click handlers, all when OnClickSeries is set), the axes, the
    // legend, the titles, the chart rectangle while some series is active.
    TChartClickedPart FindPartAt(TPoint p, bool onlyClickable);
    // The axis title's caption, else the axis' place ("Left Axis", "Depth Top", ...).
    String AxisDisplayName(TChartAxis* axis) const;
    // No active series, or an active one that allows zoom and scroll.
    bool CanZoomOrScroll() const;
    // The wheel scrolls the vertical axes (not while designing).
    bool WheelPans() const;
    // The ranges go to the standard axes of the zoom's direction (animated when asked); the
    // scales are saved first.
    void ZoomToValues(const TZoomRanges& ranges);
    // 110 narrows each range by 10 % at each end, 90 widens it; an axis whose range would vanish
    // or turn over (150 and more) keeps it.
    void ZoomPercent(int percent);
    // The zoom rectangle's corners become the standard axes' ranges; a snapshot with History.
    virtual void ZoomToRectangle();
    // One step back in the history, else the saved scales; then the panel's undo.
    void RevertZoom() override;
    // Minimum and maximum of the Left, Top, Right and Bottom axes, then of each custom axis.
    void AddZoomSnapshot();
    // The standard axes take the snapshot before the newest.
    void RestorePreviousZoom();
    // Every vertical axis moves by 3 % of its range (up: towards larger values).
    void ScrollVerticalAxes(bool up);
    // One wheel step (+1 up, -1 down) with the pointer at (client) at: panning, else zooming,
    // else 3-D zoom, then the tools. True when the chart scrolled or zoomed.
    bool HandleWheel(int step, TPoint at = {});
    // The range settings of every non-depth axis, kept until RevertZoom gives them back.
    void SaveAxisScales();
    bool ScalesNotSaved() const { return scalesNotSaved_; }
    const TAllAxisSavedScales& SavedScales() const { return savedScales_; }

    // ---- events ----
    const TChartAllowScrollEvent& OnAllowScroll() const { return onAllowScroll_; }
    void SetOnAllowScroll(TChartAllowScrollEvent value) { onAllowScroll_ = std::move(value); }
    const TChartClickAxis& OnClickAxis() const { return onClickAxis_; }
    void SetOnClickAxis(TChartClickAxis value) { onClickAxis_ = std::move(value); }
    const TChartClick& OnClickBackground() const { return onClickBackground_; }
    void SetOnClickBackground(TChartClick value) { onClickBackground_ = std::move(value); }
    const TChartClick& OnClickLegend() const { return onClickLegend_; }
    void SetOnClickLegend(TChartClick value) { onClickLegend_ = std::move(value); }
    const TChartClickSeries& OnClickSeries() const { return onClickSeries_; }
    void SetOnClickSeries(TChartClickSeries value) { onClickSeries_ = std::move(value); }
    const TChartClickTitle& OnClickTitle() const { return onClickTitle_; }
    void SetOnClickTitle(TChartClickTitle value) { onClickTitle_ = std::move(value); }
    const TOnGetLegendPos& OnGetLegendPos() const { return onGetLegendPos_; }
    void SetOnGetLegendPos(TOnGetLegendPos value) { onGetLegendPos_ = std::move(value); }
    const TOnGetLegendRect& OnGetLegendRect() const { return onGetLegendRect_; }
    void SetOnGetLegendRect(TOnGetLegendRect value) { onGetLegendRect_ = std::move(value); }
    const TOnGetLegendText& OnGetLegendText() const { return onGetLegendText_; }
    void SetOnGetLegendText(TOnGetLegendText value) { onGetLegendText_ = std::move(value); }

protected:
    // "BackColor" (read only), "ColorPaletteIndex", "ColorPalette".
    void DefineProperties(TFiler& filer) override;
    // Each runs the inherited handler first (the component's own events), then offers the event
    // to the tools (ChartInput.cpp).
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;

private:
    void readBackColor(TReader& reader);
    void readColorPalette(TReader& reader);
    void writeColorPalette(TWriter& writer);
    bool isPaletteIndexStored(const TFiler& filer) const;
    void drawWallAxis(TChartAxis* axis, bool grid);
    void paintSideWall(TChartWall& wall, const char* name, int x, int outward, int planeDepth, int boxDepth);

    // ---- input (ChartInput.cpp) ----
    void startZoomOrPanning(TMouseButton button, TShiftState shift, int x, int y);
    // Pans the axes of one orientation by the pixel move from -> to; true when one moved.
    bool scrollAxes(bool horizontal, int from, int to);
    void trackHover(int x, int y);
    void restoreAxisScales();
    // To the active tools, then animations, until one sets MouseHandled; true when one did.
    bool toolsMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y);
    bool toolsWheel(TToolWheelKind kind, int delta, int x, int y);
    void toolsKey(TToolKeyKind kind, Word& key, TShiftState shift, char keyChar);

    // ---- what input asks of the legend (ChartLegendInput.cpp) ----
    bool legendVisible() const;
    bool legendCustomPosition() const;
    // The item under (x, y); -1 when none.
    int legendItemAt(int x, int y);
    // A mouse-down on item index; true when its check box acted.
    bool legendClickItem(int index);
    // The hand cursor while the legend's highlight shows, else the legend's cursor.
    TCursor legendCursor() const;
    // The legend lists the points of one series (the effective style is lsValues).
    bool legendShowsValues() const;
    TChartSeries* legendValuesSeries() const;
    int legendItemOfPoint(int pointIndex) const;
    int legendPointOfItem(int item) const;
    void legendSetHoverItem(int item);

    TAllAxisSavedScales savedScales_;
    bool scalesNotSaved_ = true;
    int colorPaletteIndex_ = DefaultPaletteIndex;
    bool writingChartFile_ = false;
    std::unique_ptr<TChartWalls> walls_;
    std::unique_ptr<TChartLegend> legend_;
    TChartTitle* title_ = nullptr;       // owned
    TChartTitle* subTitle_ = nullptr;    // owned
    TChartFootTitle* foot_ = nullptr;    // owned
    TChartFootTitle* subFoot_ = nullptr; // owned
    TChartAllowScrollEvent onAllowScroll_;
    TChartClickAxis onClickAxis_;
    TChartClick onClickBackground_, onClickLegend_;
    TChartClickSeries onClickSeries_;
    TChartClickTitle onClickTitle_;
    TOnGetLegendPos onGetLegendPos_;
    TOnGetLegendRect onGetLegendRect_;
    TOnGetLegendText onGetLegendText_;
};

class TChart : public TCustomChart {
    TV_CLASS(TChart, TCustomChart)
public:
    explicit TChart(TComponent* owner) : TCustomChart(owner) {}
};
