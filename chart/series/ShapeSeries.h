#pragma once
// Shape series: one geometric shape with optional text between two corners held by its two points,
// given in axis values, in pixels, or as an axis-placed origin with a pixel size.
#include <iterator>
#include <memory>

#include "chart/core/ChartSeries.h"
#include "platform/forms/Control.h"

class TStringList;
class TZebFont;
class TZebGradient;

enum TChartShapeStyle {
    chasRectangle, chasCircle, chasVertLine, chasHorizLine, chasTriangle, chasInvertTriangle, chasLine,
    chasDiamond, chasCube, chasCross, chasDiagCross, chasStar, chasPyramid, chasInvertPyramid
};
inline constexpr const char* TChartShapeStyleNames[] = {
    "chasRectangle", "chasCircle", "chasVertLine", "chasHorizLine", "chasTriangle", "chasInvertTriangle", "chasLine",
    "chasDiamond", "chasCube", "chasCross", "chasDiagCross", "chasStar", "chasPyramid", "chasInvertPyramid"};
static_assert(std::size(TChartShapeStyleNames) == chasInvertPyramid + 1);

enum TChartShapeXYStyle { xysPixels, xysAxis, xysAxisOrigin };
inline constexpr const char* TChartShapeXYStyleNames[] = {"xysPixels", "xysAxis", "xysAxisOrigin"};
static_assert(std::size(TChartShapeXYStyleNames) == xysAxisOrigin + 1);

enum TZebVertAlign { vaTop, vaCenter, vaBottom };
inline constexpr const char* TZebVertAlignNames[] = {"vaTop", "vaCenter", "vaBottom"};
static_assert(std::size(TZebVertAlignNames) == vaBottom + 1);

class TChartShape : public TChartSeries {
    TV_CLASS(TChartShape, TChartSeries)
public:
    explicit TChartShape(TComponent* owner);
    ~TChartShape() override;
    void Assign(TPersistent* source) override;

    TChartShapeStyle Style() const { return style_; }
    void SetStyle(TChartShapeStyle value);
    TChartShapeXYStyle XYStyle() const { return xyStyle_; }
    void SetXYStyle(TChartShapeXYStyle value);
    // Reading a corner first adds the empty points it needs.
    double X0();
    void SetX0(double value);
    double Y0();
    void SetY0(double value);
    double X1();
    void SetX1(double value);
    double Y1();
    void SetY1(double value);
    TStringList* Text() const { return text_.get(); }
    virtual void SetText(TStringList* value);
    TZebFont* Font() const { return font_.get(); }
    void SetFont(TZebFont* value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TZebVertAlign VertAlign() const { return vertAlign_; }
    void SetVertAlign(TZebVertAlign value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { ChangeBoolean(transparent_, value); }
    bool RoundRectangle() const { return roundRectangle_; }
    void SetRoundRectangle(bool value) { ChangeBoolean(roundRectangle_, value); }
    TZebGradient* Gradient() const;
    void SetGradient(TZebGradient* value);

    void CopyAppearance(TChartSeries* other) override;
    void ReserveZSlot() override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    void DrawPoint(int index) override;
    bool SharesZSlot() const override { return false; }
    void SetSeriesColor(TColor value) override;
    void ApplyGalleryStyle(int index) override;
    int HitTest(int x, int y) override;
    bool DependsOnAxes() const override { return xyStyle_ != xysPixels; }
    bool AcceptsSourceSeries(const TChartSeries* series) const override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    void SetupGalleryPreview() override;

    // The corners in pixels as given (not normalised): left-top is the first corner.
    virtual TRect ComputeShapeRect() const;

private:
    void fontChanged(TObject* sender) { StyleChanged(sender); }
    void ensurePoints(int count);
    void setCorner(TChartValueList* list, int index, double value);
    void drawShape(TCanvas3D& canvas, const TRect& given, const TRect& r, bool in3D);
    void drawText(TCanvas3D& canvas, const TRect& r, bool in3D);

    TChartShapeStyle style_ = chasCircle;
    TChartShapeXYStyle xyStyle_ = xysAxis;
    std::unique_ptr<TStringList> text_;
    std::unique_ptr<TZebFont> font_;
    TAlignment alignment_ = taCenter;
    TZebVertAlign vertAlign_ = vaCenter;
    bool transparent_ = false;
    bool roundRectangle_ = false;
};
