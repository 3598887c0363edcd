#pragma once
// TCustomBarSeries: the base of bar-like series. The bar series of one chart share the category
// axis: how many slots stand side by side at a category, which slot each series takes, how wide a
// bar is and where it starts (its origin or the top of the bars stacked below it). The layout
// fields are computed by PrepareDraw and hold until the end of that frame. The concrete classes
// give the geometry along their orientation; the formulas here speak of the category axis (X of
// vertical bars) and the value axis (Y of vertical bars).
#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>

#include "chart/core/ChartSeries.h"

class TSelfStack;
class TZebEmboss;
class TZebGradient;
class TZebHiddenPen;
class TZebShadow;

enum TMultiBar { mbNone, mbSide, mbStacked, mbStacked100, mbSideAll, mbSelfStack };
inline constexpr const char* TMultiBarNames[] = {"mbNone", "mbSide", "mbStacked", "mbStacked100", "mbSideAll",
                                                 "mbSelfStack"};
static_assert(std::size(TMultiBarNames) == mbSelfStack + 1);

enum TBarStyle {
    bsRectangle,
    bsPyramid,
    bsInvPyramid,
    bsCilinder,
    bsEllipse,
    bsArrow,
    bsRectGradient,
    bsCone,
    bsBevel,
    bsSlantCube,
    bsDiamond,
    bsInvArrow,
    bsInvCone,
    bsCustom,
    bsRoundRectangle
};
inline constexpr const char* TBarStyleNames[] = {
    "bsRectangle", "bsPyramid", "bsInvPyramid", "bsCilinder", "bsEllipse", "bsArrow",  "bsRectGradient",  "bsCone",
    "bsBevel",     "bsSlantCube", "bsDiamond", "bsInvArrow", "bsInvCone", "bsCustom", "bsRoundRectangle"};
static_assert(std::size(TBarStyleNames) == bsRoundRectangle + 1);

enum TBarRound { brNone, brAtValue, brBothEnds };
inline constexpr const char* TBarRoundNames[] = {"brNone", "brAtValue", "brBothEnds"};
static_assert(std::size(TBarRoundNames) == brBothEnds + 1);

enum TMarksLocation { mlStart, mlCenter, mlEnd };
inline constexpr const char* TMarksLocationNames[] = {"mlStart", "mlCenter", "mlEnd"};
static_assert(std::size(TMarksLocationNames) == mlEnd + 1);

class TCustomBarSeries;
using TGetBarStyleEvent = TMethodEvent<void(TCustomBarSeries* Sender, int ValueIndex, TBarStyle& TheBarStyle)>;

class TCustomBarSeries : public TChartSeries {
    TV_CLASS(TCustomBarSeries, TChartSeries)
public:
    explicit TCustomBarSeries(TComponent* owner);
    ~TCustomBarSeries() override;
    void Assign(TPersistent* source) override;
    void CopyAppearance(TChartSeries* other) override;
    void SetParentChart(TCustomAxisPanel* value) override;

    // ---- settings ----
    bool AutoBarSize() const { return autoBarSize_; }
    void SetAutoBarSize(bool value) { ChangeBoolean(autoBarSize_, value); }
    bool AutoMarkPosition();
    void SetAutoMarkPosition(bool value);
    TZebBrush* BarBrush() const { return Brush(); }
    void SetBarBrush(TZebBrush* value) { SetBrush(value); }
    TZebPen* BarPen() const { return Pen(); }
    void SetBarPen(TZebPen* value) { SetPen(value); }
    TBarRound BarRound() const { return barRound_; }
    void SetBarRound(TBarRound value);
    TBarStyle BarStyle() const { return barStyle_; }
    void SetBarStyle(TBarStyle value);
    int BarWidthPercent() const { return barWidthPercent_; }
    void SetBarWidthPercent(int value) { ChangeInteger(barWidthPercent_, value); }
    int BevelSize() const { return bevelSize_; }
    void SetBevelSize(int value) { ChangeInteger(bevelSize_, value); }
    int ConePercent() const { return conePercent_; }
    void SetConePercent(int value) { ChangeInteger(conePercent_, value); }
    // A fixed bar width (height of horizontal bars) in pixels; 0: computed.
    int CustomBarWidth() const { return customBarWidth_; }
    void SetCustomBarWidth(int value) { ChangeInteger(customBarWidth_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { ChangeBoolean(dark3D_, value); }
    int DarkPen() const { return darkPen_; }
    void SetDarkPen(int value) { ChangeInteger(darkPen_, value); }
    int DepthPercent() const { return depthPercent_; }
    void SetDepthPercent(int value) { ChangeInteger(depthPercent_, value); }
    TZebEmboss* Emboss() const { return emboss_.get(); }
    void SetEmboss(TZebEmboss* value);
    TZebGradient* Gradient() const;
    void SetGradient(TZebGradient* value);
    bool GradientRelative() const { return gradientRelative_; }
    void SetGradientRelative(bool value) { ChangeBoolean(gradientRelative_, value); }
    TMarksLocation MarksLocation() const { return marksLocation_; }
    void SetMarksLocation(TMarksLocation value);
    bool MarksOnBar() const { return marksOnBar_; }
    void SetMarksOnBar(bool value) { ChangeBoolean(marksOnBar_, value); }
    TMultiBar MultiBar() const { return multiBar_; }
    // Shared with every bar series of the chart whose class derives from this one's.
    void SetMultiBar(TMultiBar value);
    int OffsetPercent() const { return offsetPercent_; }
    void SetOffsetPercent(int value) { ChangeInteger(offsetPercent_, value); }
    int RoundSize() const { return roundSize_; }
    void SetRoundSize(int value) { ChangeInteger(roundSize_, value); }
    TSelfStack* SelfStack() const { return selfStack_.get(); }
    void SetSelfStack(TSelfStack* value);
    TZebShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TZebShadow* value);
    bool SideMargins() const { return sideMargins_; }
    // Shared like MultiBar.
    void SetSideMargins(bool value);
    int Sides() const { return sides_; }
    void SetSides(int value) { ChangeInteger(sides_, value); }
    int StackGroup() const { return stackGroup_; }
    void SetStackGroup(int value) { ChangeInteger(stackGroup_, value); }
    // Made on first read; assigning none frees it.
    TZebHiddenPen* TickLines();
    void SetTickLines(TZebHiddenPen* value);
    bool HasTickLines() const { return tickLines_ != nullptr; }
    bool UseYOrigin() const { return useYOrigin_; }
    void SetUseYOrigin(bool value) { ChangeBoolean(useYOrigin_, value); }
    double YOrigin() const { return yOrigin_; }
    void SetYOrigin(double value) { ChangeDouble(yOrigin_, value); }
    const TGetBarStyleEvent& OnGetBarStyle() const { return onGetBarStyle_; }
    void SetOnGetBarStyle(TGetBarStyleEvent value) { onGetBarStyle_ = std::move(value); }

    // BarStyle, or what OnGetBarStyle makes of it for the point.
    TBarStyle BarStyleOf(int index);

    // ---- run-time layout, valid from PrepareDraw to the end of the frame ----
    int BarSlotCount = 1;
    int BarSlotOrder = 1;
    int MaxBarPoints = -1;
    int PointsBeforeSeries = 0;
    int BarSize = 0;  // 0: not computed in this frame
    TRect BarBounds;
    TColor BarColor = clBlack;
    // Replaces the computed rectangle of bar n when set (the series transition animation).
    std::function<void(int index, TRect& rect)> BarRectHook;

    // ---- layout ----
    void PrepareDraw() override;
    void ComputeBarSize();
    // Room at both ends of the category axis for the bars at its first and last category.
    int BarGroupMargin() const;
    // The sum the bar of index starts from: the bars stacked below it, the own values before it
    // (self-stacked), or YOrigin. With all, the 100 % total of the category (absolute values).
    double BarBaseValue(int index, bool all) const;
    // The first pixel of the bar's slot along the category axis.
    int BarSlotPixel(int index) const;
    // Value end and base of the bar along the value axis.
    int BarValuePixel(int index) const;
    int BarOriginPixel(int index) const;
    // The value axis' range as the bars need it.
    double BarHighestValue();
    double BarLowestValue();
    // Category of a self-stacked series: Position, or the index in the chart.
    double SelfStackPosition() const;

    // ---- frame stages ----
    void BeforeDrawPoints() override;
    void ReserveZSlot() override;
    bool SharesZSlot() const override;
    TDepthRange ComputeDepthRange() const override;
    void FindVisibleRange() override;
    bool IsPointInPlot(int index) const override;
    void GetPointDrawOrder(int first, int last, std::vector<int>& order, bool singleSeries) override;
    void GetStackDrawOrder(int position, int count, std::vector<int>& order, int index) override;
    bool IsPointOrderForward() const override;
    bool IsSeriesOrderForward() const override;
    int HitTest(int x, int y) override;
    void DrawPoint(int index) override;
    void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const override;
    // A picture in the bar brush fills the symbol.
    void FillLegendSymbol(int index, const TRect& rect) override;

    // ---- geometry of the concrete orientation ----
    virtual int MarkExtent(int index) { (void)index; return 0; }
    virtual bool BarContainsPoint(int index, TPoint point);
    virtual bool OffersStackStyles() const { return true; }
    virtual TRect ComputeBarRect(int index) const = 0;
    // Paints the bar of index in BarBounds; first <= second are its ends along the value axis.
    virtual void PaintBarShape(int index, int first, int second);
    virtual void PaintTickLine(int pixel, TBarStyle style);
    // The screen point across the bar (its category slot) and along it (its value axis): the
    // drawing and the hit test of both orientations are one body with these coordinates.
    TPoint BarPoint(int across, int along) const
    {
        return YMandatory() ? TPoint{across, along} : TPoint{along, across};
    }
    // Room the marks need beyond the bar ends; index -1: the widest mark.
    int MarksMargin(int index);
    // How far inside its bar a mark on the bar sits from the bar's end (marks turned by angle).
    int MarksOnBarInset(const TSeriesMarkPosition& position, bool horizontal);
    // The base's mark drawing; marks on the bar have no arrow and do not move aside meanwhile.
    void DrawBarMark(int index, const String& text, TSeriesMarkPosition& position);

    // ---- hit-test pieces both orientations use ----
    // In the polygon, projected at z in 3-D.
    bool PointInPolygonAt(TPoint point, std::vector<TPoint> polygon, int z);
    // In the box's outline in 3-D; in 2-D in the inscribed ellipse (bsEllipse) or, along the value
    // axis, between the ends (the caller tested the category extent).
    bool PointInBarBox(TPoint point, const TRect& box);
    // The front half of a cylinder's cross-section at pixel along the value axis, projected.
    std::vector<TPoint> CylinderTickPoints(int pixel);

    // ---- gallery and samples ----
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void SetupGalleryPreview() override;
    int DefaultSampleCount() const override;
    void AddRandomPoints(int count, bool valuesOnly) override;

protected:
    // The category axis (X of vertical bars) and the value axis.
    TChartAxis* CategoryAxis() const { return YMandatory() ? GetHorizAxis() : GetVertAxis(); }
    TChartAxis* ValueAxisOfBars() const { return GetValueAxis(); }
    double CategoryOf(int index) const { return OrderValueList()->ValueAt(index); }
    double ValueOf(int index) const { return MandatoryValueList()->ValueAt(index); }
    int CategoryPixel(double value) const { return YMandatory() ? ValueScreenX(value) : ValueScreenY(value); }
    int ValuePixel(double value) const { return MainValueToScreen(value); }
    // The series' grouped with this one for the layout (active, same kind, same value axis).
    bool IsGroupedWith(const TChartSeries* other) const;
    // Whether the inherited category range applies (not for mbSideAll and mbSelfStack).
    bool OwnsCategoryRange() const { return multiBar_ == mbSideAll || multiBar_ == mbSelfStack; }
    double CategoryHighest();
    double CategoryLowest();

    // ---- the per-bar drawing sequence both orientations share ----
    void PaintBar(int index);
    void PaintBarEffect(int index, TZebShadow& effect);
    // End colour from the point colour (scaled by the value when relative); true when the start
    // and end colours were exchanged for a bar below the origin.
    bool ApplyRelativeGradient(int index);
    void PrepareBarBrush(int index);
    // A plain or rounded rectangle of BarBounds in 2-D, with the thin-bar rules of a solid brush.
    void PaintBarRect(bool rounded, bool valueAtTop);
    void PaintBevel();
    void PaintTickLines(int first, int second, TBarStyle style);
    // Steps 1 to 6 of a bar's shape around shape(style): style, gradient, pen and brush, the pen's
    // inset, the side counts of 3-D solids (restored after); then bevel and tick lines.
    void PaintBarSteps(int index, int first, int second, const std::function<void(TBarStyle)>& shape);
    // 3-D canvases draw cylinders and cones with this many sides while a shape paints.
    int ShapeSides(TBarStyle style) const { return style == bsSlantCube ? 4 : std::max(2, sides_); }

private:
    void shareMultiBar(bool give);
    void effectsChanged(TObject* sender);

    bool autoBarSize_ = false;
    TBarRound barRound_ = brAtValue;
    TBarStyle barStyle_ = bsRectangle;
    int barWidthPercent_ = 70;
    int bevelSize_ = 1;
    int conePercent_ = 0;
    int customBarWidth_ = 0;
    bool dark3D_ = true;
    int darkPen_ = 0;
    int depthPercent_ = 100;
    std::unique_ptr<TZebEmboss> emboss_;
    bool gradientRelative_ = false;
    TMarksLocation marksLocation_ = mlEnd;
    bool marksOnBar_ = false;
    TMultiBar multiBar_ = mbSide;
    int offsetPercent_ = 0;
    int roundSize_ = 16;
    std::unique_ptr<TSelfStack> selfStack_;
    std::unique_ptr<TZebShadow> shadow_;
    bool sideMargins_ = true;
    int sides_ = 32;
    int stackGroup_ = 0;
    std::unique_ptr<TZebHiddenPen> tickLines_;
    bool useYOrigin_ = true;
    double yOrigin_ = 0;
    TGetBarStyleEvent onGetBarStyle_;
};
