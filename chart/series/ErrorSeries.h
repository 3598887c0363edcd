#pragma once
// Error series: a bar series whose points carry an error value, drawn as error lines with end
// caps to the left and/or right or up and/or down. TErrorSeries hides the bars; TErrorBarSeries
// draws them under the error lines.
#include <iterator>
#include <memory>

#include "chart/series/BarSeries.h"

enum TErrorSeriesStyle { essLeft, essRight, essLeftRight, essTop, essBottom, essTopBottom };
inline constexpr const char* TErrorSeriesStyleNames[] = {"essLeft", "essRight",  "essLeftRight",
                                                         "essTop",  "essBottom", "essTopBottom"};
static_assert(std::size(TErrorSeriesStyleNames) == essTopBottom + 1);

enum TErrorWidthUnits { ewuPercent, ewuPixels };
inline constexpr const char* TErrorWidthUnitsNames[] = {"ewuPercent", "ewuPixels"};
static_assert(std::size(TErrorWidthUnitsNames) == ewuPixels + 1);

class TCustomErrorSeries : public TBarSeries {
    TV_CLASS(TCustomErrorSeries, TBarSeries)
public:
    explicit TCustomErrorSeries(TComponent* owner);
    ~TCustomErrorSeries() override;

    bool DrawBars() const { return drawBars_; }
    TZebPen* ErrorPen() const { return errorPen_.get(); }
    // Also the series colour while the bars are hidden.
    void SetErrorPen(TZebPen* value);
    TChartValueList* ErrorValues() const { return errorValues_; }
    void SetErrorValues(TChartValueList* value) { errorValues_->Assign(value); }
    TErrorSeriesStyle ErrorStyle() const { return errorStyle_; }
    void SetErrorStyle(TErrorSeriesStyle value);
    int ErrorWidth() const { return errorWidth_; }
    void SetErrorWidth(int value) { ChangeInteger(errorWidth_, value); }
    TErrorWidthUnits ErrorWidthUnits() const { return errorWidthUnits_; }
    void SetErrorWidthUnits(TErrorWidthUnits value);

    // The error is stored as its absolute value.
    int AppendXYError(double x, double y, double error, const String& label = String(), TColor color = clAutomatic);
    // ErrorPen as it is (index -1, or bars drawn), else in the point's colour; transparent background.
    void UseErrorPen(int index) const;
    void DrawErrorLines(int x, int y, bool is3D, int lowSpan, int highSpan, int capWidth) const;
    // The caps' width over a bar of barWidth pixels.
    int CapWidth(int barWidth) const;

    void SetSeriesColor(TColor value) override;
    void MeasureHorizMargins(int& left, int& right) const override;
    void MeasureVertMargins(int& top, int& bottom) const override;
    void CopyAppearance(TChartSeries* other) override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const override;
    double HighestY() override;
    double LowestY() override;
    int HitTest(int x, int y) override;
    bool OffersStackStyles() const override { return false; }
    void PaintBarShape(int index, int first, int second) override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    void SetupGalleryPreview() override;

protected:
    void SetDrawBars(bool value) { drawBars_ = value; }

private:
    bool isHorizontalStyle() const { return errorStyle_ <= essLeftRight; }
    // Pixel lengths of value - e .. value and value .. value + e on the style's axis.
    void errorSpans(int index, int& lowSpan, int& highSpan) const;
    void penChanged(TObject* sender);
    // HighestY and LowestY: the values with the error ends the style draws.
    double errorExtreme(bool highest);

    bool drawBars_ = false;
    std::unique_ptr<TZebPen> errorPen_;
    TChartValueList* errorValues_;
    TErrorSeriesStyle errorStyle_ = essTopBottom;
    int errorWidth_ = 100;
    TErrorWidthUnits errorWidthUnits_ = ewuPercent;
};

class TErrorSeries : public TCustomErrorSeries {
    TV_CLASS(TErrorSeries, TCustomErrorSeries)
public:
    using TCustomErrorSeries::TCustomErrorSeries;
};

class TErrorBarSeries : public TCustomErrorSeries {
    TV_CLASS(TErrorBarSeries, TCustomErrorSeries)
public:
    explicit TErrorBarSeries(TComponent* owner);
    void SetupGalleryPreview() override;
};
