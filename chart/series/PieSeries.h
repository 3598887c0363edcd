#pragma once
// TPieSeries: one value per point as a slice of a circle (a ring sector with a hole: the donut).
// Each frame renumbers the points, groups small slices into one "other" point, lays several pies
// out in one chart (grid or concentric rings) and computes the slice angles on first use.
#include <iterator>
#include <memory>
#include <vector>

#include "chart/series/CircledSeries.h"
#include "chart/series/PieSettings.h"

class TZebGradient;

enum TMultiPie { mpAutomatic, mpDisabled, mpConcentric };
inline constexpr const char* TMultiPieNames[] = {"mpAutomatic", "mpDisabled", "mpConcentric"};
static_assert(std::size(TMultiPieNames) == mpConcentric + 1);

enum TEdgeStyle { edFlat, edCurved, edNone };
inline constexpr const char* TEdgeStyleNames[] = {"edFlat", "edCurved", "edNone"};
static_assert(std::size(TEdgeStyleNames) == edNone + 1);

// Start, middle and end of a slice in radians, counter-clockwise, without the rotation.
struct TPieAngle {
    double StartAngle = 0, MidAngle = 0, EndAngle = 0;
};

class TPieSeries : public TCircledSeries {
    TV_CLASS(TPieSeries, TCircledSeries)
public:
    // X of the added other point.
    static constexpr int OtherPointX = 2147483647;

    explicit TPieSeries(TComponent* owner);
    ~TPieSeries() override;

    void SetParentChart(TCustomAxisPanel* value) override;
    void CopyAppearance(TChartSeries* other) override;

    // ---- settings ----
    int AngleSize() const { return angleSize_; }
    void SetAngleSize(int value) { ChangeInteger(angleSize_, value); }
    bool AutoMarkPosition();
    void SetAutoMarkPosition(bool value);
    TPieBevel* Bevel() const { return bevel_.get(); }
    void SetBevel(TPieBevel* value) { bevel_->Assign(value); }
    int BevelPercent() const { return bevel_->Percent(); }
    void SetBevelPercent(int value) { bevel_->SetPercent(value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { ChangeBoolean(dark3D_, value); }
    int DarkPen() const { return darkPen_; }
    void SetDarkPen(int value) { ChangeInteger(darkPen_, value); }
    // The hole's radius in percent of the radius; 0 in a plain pie (published by the donut).
    int DonutPercent() const { return donutPercent_; }
    void SetDonutPercent(int value) { ChangeInteger(donutPercent_, value); }
    TEdgeStyle EdgeStyle() const { return edgeStyle_; }
    void SetEdgeStyle(TEdgeStyle value);
    int ExplodeBiggest() const { return explodeBiggest_; }
    void SetExplodeBiggest(int value);
    TZebGradient* Gradient() const { return CircleGradient(); }
    void SetGradient(TZebGradient* value) { SetCircleGradient(value); }
    int GradientBright() const { return gradientBright_; }
    void SetGradientBright(int value);
    TMultiPie MultiPie() const { return multiPie_; }
    void SetMultiPie(TMultiPie value);
    TPieOtherSlice* OtherSlice() const { return otherSlice_.get(); }
    void SetOtherSlice(TPieOtherSlice* value) { otherSlice_->Assign(value); }
    TPieMarks* PieMarks() const { return pieMarks_.get(); }
    void SetPieMarks(TPieMarks* value) { pieMarks_->Assign(value); }
    TZebPen* PiePen() const { return Pen(); }
    void SetPiePen(TZebPen* value) { SetPen(value); }
    TChartValueList* PieValues() const { return YValues(); }
    void SetPieValues(TChartValueList* value) { SetYValues(value); }
    bool UsePatterns() const { return usePatterns_; }
    void SetUsePatterns(bool value) { ChangeBoolean(usePatterns_, value); }
    // How far a slice is moved out, in percent of the radius.
    TSliceValueList& ExplodedSlice() { return explodeDistances_; }
    // 3-D height of a slice in percent of the series depth.
    TSliceValueList& SliceHeight() { return sliceDepths_; }

    // ---- run-time, valid from PrepareDraw to the end of the frame ----
    std::vector<TPieAngle> SliceAngles;
    bool SideWalls = false;
    bool ConcentricRing = false;
    bool IsOtherPoint(int index) const;
    bool IsGroupedPoint(int index) const;
    // Computes the slice angles of the visible points (when not done in this frame).
    void ComputeSliceAngles();
    bool HasSliceAngles() const { return !SliceAngles.empty(); }
    // The radii of the slice moved out by its explode distance.
    void ExplodedRadii(int index, int& radiusX, int& radiusY) const;
    // Where the slice is drawn from the centre (SideWalls with an explode list only).
    TPoint SliceOffset(int index) const;
    void ExplodeBiggestSlice();
    int SliceTopZ(int index) const;
    // The slice under (x, y), moved with its explode offset when explode is set; -1 when none.
    int SliceAtPoint(int x, int y, bool explode);

    // ---- frame stages ----
    void PrepareDraw() override;
    void ReserveZSlot() override;
    bool SharesZSlot() const override { return false; }
    void FindVisibleRange() override;
    void BeforeDrawPoints() override;
    void AfterDrawPoints() override;
    void DrawVisiblePoints() override;
    void DrawPoint(int index) override;
    void DrawPointMarks() override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
    void GetPointXY(int index, int& x, int& y) const override;
    int PointScreenX(int index) const override;
    int HitTest(int x, int y) override;
    double HighestX() override;
    double HighestY() override;
    double LowestX() override;
    double LowestY() override;

    // ---- points ----
    int GetPointCount() const override;
    int PointOfLegendItem(int index) const override;
    int LegendItemSource(int index) const override { return PointOfLegendItem(index); }
    void RemoveAllPoints() override;
    void ResetPointLists() override;
    void RemovePoint(int index) override;
    void SwapPoints(int a, int b) override;
    void WriteDataBinary(TStream& stream) override;
    void ApplyValueOrder() override;
    int DefaultSampleCount() const override { return 8; }
    void AddRandomPoints(int count, bool valuesOnly) override;

    // ---- legend and gallery ----
    void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void SetupGalleryPreview() override;

    // A hatch for patterned or monochrome pies, else solid.
    TBrushStyle SlicePattern(int index) const;
    virtual void PaintSlice(int index);

protected:
    void ApplyCircledView3D() override;
    void AdoptMarkedSeriesRect() override {}
    void PreparePiePen(int index);
    void PaintPieShadow();
    // Visible indices in the order 3-D slices cover each other.
    std::vector<int> DepthOrder() const;
    void layoutMultiPie();

private:
    void renumberPoints();
    void groupOtherSlices();
    int drawnOtherLegend() const;

    int angleSize_ = 360;
    bool dark3D_ = true;
    int darkPen_ = 0;
    int donutPercent_ = 0;
    TEdgeStyle edgeStyle_ = edNone;
    int explodeBiggest_ = 0;
    int gradientBright_ = 0;
    TMultiPie multiPie_ = mpAutomatic;
    bool usePatterns_ = false;
    std::unique_ptr<TPieBevel> bevel_;
    std::unique_ptr<TPieOtherSlice> otherSlice_;
    std::unique_ptr<TPieMarks> pieMarks_;
    TSliceValueList explodeDistances_;
    TSliceValueList sliceDepths_;
    // Saved by BeforeDrawPoints, given back by AfterDrawPoints.
    TRect savedChartRect_;
    int savedDonutPercent_ = 0;
    bool drawingOtherLegend_ = false;
    bool perSliceTail_ = false;
};

// A pie with a round hole, DonutPercent 50 by default.
class TDonutSeries : public TPieSeries {
    TV_CLASS(TDonutSeries, TPieSeries)
public:
    explicit TDonutSeries(TComponent* owner);
    void CopyAppearance(TChartSeries* other) override;
};
