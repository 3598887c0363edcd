#pragma once
// The base of the series drawn round a centre by angle and radius. TCustomCircledSeries joins its
// points by lines, fills the sectors they enclose and marks them with a pointer; TCustomPolarSeries
// adds the polar frame (rings, spokes, ticks, radius scales and angle labels), which the first
// active series of a class in the chart draws for every series of that class. Angles are degrees,
// 0 to the right, counter-clockwise, plus RotationAngle.
#include <memory>

#include "chart/core/ChartShapes.h"
#include "chart/core/SeriesPointer.h"
#include "chart/series/CircledSeries.h"
#include "chart/series/CustomSeries.h"

class TCustomPolarSeries;

// Moving a point by the mouse (the drag-point tool asks a series for it).
class IDragPointSeries {
public:
    virtual ~IDragPointSeries() = default;
    virtual void MovePoint(int x, int y, int index, bool changeAngle, bool changeRadius) = 0;
};

class TCustomCircledSeries : public TCircledSeries {
    TV_CLASS(TCustomCircledSeries, TCircledSeries)
public:
    explicit TCustomCircledSeries(TComponent* owner);
    ~TCustomCircledSeries() override;
    void CopyAppearance(TChartSeries* other) override;
    void SetParentChart(TCustomAxisPanel* value) override;

    TZebPen* CirclePen() const { return circlePen_.get(); }
    void SetCirclePen(TZebPen* value);
    bool ColorEachLine() const { return colorEachLine_; }
    void SetColorEachLine(bool value) { ChangeBoolean(colorEachLine_, value); }
    TCustomSeriesDrawStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(TCustomSeriesDrawStyle value) { Change(drawStyle_, value); }
    TSeriesPointer* Pointer() const { return pointer_.get(); }
    void SetPointer(TSeriesPointer* value);
    bool PointerBehind() const { return pointerBehind_; }
    void SetPointerBehind(bool value) { ChangeBoolean(pointerBehind_, value); }
    const TOnGetPointerStyle& OnGetPointerStyle() const { return onGetPointerStyle_; }
    void SetOnGetPointerStyle(TOnGetPointerStyle value) { onGetPointerStyle_ = std::move(value); }

    void SetSeriesColor(TColor value) override;
    void MeasureHorizMargins(int& left, int& right) const override;
    void MeasureVertMargins(int& top, int& bottom) const override;
    void FitRadii() override;
    virtual bool IsOutlineClosed() const { return false; }
    // The colour of a point's fill and pointer: a null point kept by tnIgnore takes the palette
    // colour (with ColorEachPoint) or the series colour.
    TColor ResolvedPointColor(int index) const;
    TColor GetLegendColor(int index) const override { return ResolvedPointColor(index); }
    bool IsPointOrderForward() const override { return true; }

    // Pixel radii the values reach: the circle's less half the circle pen and the pointer.
    int InnerXRadius = 0, InnerYRadius = 0;

protected:
    void drawPointers(bool behind);
    // The canvas pen of the segment ending at index (-1: the series colour).
    void ApplyLinePen(int index);
    TSeriesPointerStyle pointerStyleOf(int index) const;

private:
    std::unique_ptr<TZebPen> circlePen_;
    bool colorEachLine_ = true;
    TCustomSeriesDrawStyle drawStyle_ = dsSegments;
    std::unique_ptr<TSeriesPointer> pointer_;
    bool pointerBehind_ = false;
    TOnGetPointerStyle onGetPointerStyle_;
};

// The angle labels round the circle.
class TPolarLabels : public TZebShape {
    TV_CLASS(TPolarLabels, TZebShape)
public:
    explicit TPolarLabels(TCustomPolarSeries* series = nullptr);
    void Assign(TPersistent* source) override;

    bool AntiOverlap() const { return antiOverlap_; }
    void SetAntiOverlap(bool value) { change(antiOverlap_, value); }
    // Switching it rewrites every stored angle a to 360 - a, except while loading, so that the
    // order of a file's properties cannot flip its angles.
    bool ClockWise() const { return clockWise_; }
    void SetClockWise(bool value);
    bool Curved() const { return curved_; }
    void SetCurved(bool value) { change(curved_, value); }
    bool Inside() const { return inside_; }
    void SetInside(bool value) { change(inside_, value); }
    // Percent of the radius between circle and labels.
    int Margin() const { return margin_; }
    void SetMargin(int value) { change(margin_, value); }
    bool Rotated() const { return rotated_; }
    void SetRotated(bool value) { change(rotated_, value); }

private:
    template <class T>
    void change(T& field, T value);

    bool antiOverlap_ = true;
    bool clockWise_ = false;
    bool curved_ = false;
    bool inside_ = false;
    int margin_ = 3;
    bool rotated_ = false;
    TCustomPolarSeries* series_;
};

using TOnGetPolarLabel =
    TMethodEvent<void(TCustomPolarSeries* Sender, const double Angle, int Index, String& Text)>;

class TCustomPolarSeries : public TCustomCircledSeries, public IDragPointSeries {
    TV_CLASS(TCustomPolarSeries, TCustomCircledSeries)
public:
    explicit TCustomPolarSeries(TComponent* owner);
    ~TCustomPolarSeries() override;
    void Assign(TPersistent* source) override;
    void CopyAppearance(TChartSeries* other) override;
    void SetParentChart(TCustomAxisPanel* value) override;

    // ---- settings ----
    // The bottom axis' increment; 10 without a chart or while it is 0.
    double AngleIncrement() const;
    void SetAngleIncrement(double value);
    bool IsAngleIncrementStored() const;
    // The left axis' increment; 0 without a chart.
    double RadiusIncrement() const;
    void SetRadiusIncrement(double value);
    TPolarLabels* AngleLabels() const { return angleLabels_.get(); }
    void SetAngleLabels(TPolarLabels* value) { angleLabels_->Assign(value); }
    bool CircleLabels() const { return angleLabels_->Visible(); }
    void SetCircleLabels(bool value) { angleLabels_->SetVisible(value); }
    TZebFont* CircleLabelsFont() const { return angleLabels_->Font(); }
    void SetCircleLabelsFont(TZebFont* value) { angleLabels_->SetFont(value); }
    bool CircleLabelsInside() const { return angleLabels_->Inside(); }
    void SetCircleLabelsInside(bool value) { angleLabels_->SetInside(value); }
    bool CircleLabelsRotated() const { return angleLabels_->Rotated(); }
    void SetCircleLabelsRotated(bool value) { angleLabels_->SetRotated(value); }
    bool ClockWiseLabels() const { return angleLabels_->ClockWise(); }
    void SetClockWiseLabels(bool value) { angleLabels_->SetClockWise(value); }
    int LabelsMargin() const { return angleLabels_->Margin(); }
    void SetLabelsMargin(int value) { angleLabels_->SetMargin(value); }
    bool CloseCircle() const { return closeCircle_; }
    void SetCloseCircle(bool value) { ChangeBoolean(closeCircle_, value); }
    // 0: rings are ellipses; N: N-sided polygons with one radius scale (radar).
    int SideCount = 0;
    const TOnGetPolarLabel& OnGetCircleLabel() const { return onGetCircleLabel_; }
    void SetOnGetCircleLabel(TOnGetPolarLabel value) { onGetCircleLabel_ = std::move(value); }
    TChartValueList* RadiusValues() const { return YValues(); }
    void SetRadiusValues(TChartValueList* value) { SetYValues(value); }
    bool IsRadiusValuesStored() const;

    // ---- angles ----
    virtual TChartValueList* GetAngleValues() const { return XValues(); }
    virtual void SetAngleValues(TChartValueList* value) { SetXValues(value); }
    virtual double GetPointAngle(int index) const { return XValues()->ValueAt(index); }
    virtual void SetPointAngle(int index, double angle);
    virtual String GetAngleLabel(int index, double angle) const;
    bool IsOutlineClosed() const override { return closeCircle_; }

    // ---- geometry ----
    // The point at value on axis (its range, inversion and log scale) and angle (degrees) at
    // pixel radius r; the centre below the minimum or on an empty range.
    TPoint CalcXYPos(double r, const TChartAxis& axis, double value, double angle) const;
    // Ring radii of value on the vertical axis, linear even on a log axis.
    TPoint ValueToRadii(double value) const;
    int PointScreenX(int index) const override;
    int PointScreenY(int index) const override;
    void MovePoint(int x, int y, int index, bool changeAngle, bool changeRadius) override;

    // ---- frame ----
    void BeforeDrawPoints() override;
    void DrawVisiblePoints() override;
    void AfterDrawPoints() override;
    void DrawPoint(int index) override;
    int HitTest(int x, int y) override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    // Whether this series draws the shared frame: the first active series of its class.
    bool IsFirstOfClass() const;
    bool ShowAngleLabels = true;
    TPoint LastPoint{};
    // Labels drawn when i mod the stride is 0: 1 unless AntiOverlap finds them too crowded.
    int AngleLabelStride(double step, int textHeight) const;

    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void SetupGalleryPreview() override;
    void AddRandomPoints(int count, bool valuesOnly) override;

protected:
    virtual void DrawGridRing(int rx, int ry, int z);
    virtual void DrawPolarPoint(int index, int x, int y);
    void FillSector(int index, TPoint from, TPoint to);
    void DrawOutlineAll();
    void DrawPolarAxes();
    bool AxesBehind() const;

private:
    bool reserveAngleLabelSpace();
    void drawCircleBackground();
    void drawAngleGrid(int rx, int ry);
    void drawAngleTicks(TZebPen& pen, int count, int length, double spacing, double step, int rx, int ry);
    void drawRadiusGrid();
    void drawRadiusScales();
    void drawAngleLabel(int index, double angle);
    void drawCurvedLabel(const String& text, double b);
    bool lastOfClass() const;
    bool inSector(TPoint p, TPoint q, int x, int y) const;

    std::unique_ptr<TPolarLabels> angleLabels_;
    bool closeCircle_ = true;
    TOnGetPolarLabel onGetCircleLabel_;
};
