#pragma once
// High-low series: each point carries a high (the Y list) and a low value. THighLowSeries fills
// the band between the high line and the low line, HighBrush where the high lies above the low
// and LowBrush where the lines have crossed, and joins high and low at each point.
#include <memory>
#include <vector>

#include "chart/core/ChartSeries.h"

class TBaseHighLowSeries : public TChartSeries {
    TV_CLASS(TBaseHighLowSeries, TChartSeries)
public:
    explicit TBaseHighLowSeries(TComponent* owner);

    TChartValueList* HighValues() const { return YValues(); }
    void SetHighValues(TChartValueList* value) { YValues()->Assign(value); }
    TChartValueList* LowValues() const { return lowValues_; }
    void SetLowValues(TChartValueList* value) { lowValues_->Assign(value); }

    int AppendHighLow(double x, double high, double low, const String& label = String(),
                      TColor color = clAutomatic);

    double HighestY() override;
    double LowestY() override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    bool AcceptsSourceSeries(const TChartSeries* series) const override;

private:
    TChartValueList* lowValues_;
};

// One fill polygon of the last drawing: the upper chain of pixels followed by the lower chain
// in reverse.
struct THighLowPolygon {
    int Index = 0;
    std::vector<TPoint> Points;
    bool HighAbove = false;
};

class TZebHighLowPolygon {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const THighLowPolygon& Item(int index) const { return items_[static_cast<size_t>(index)]; }
    void Clear() { items_.clear(); }
    void Add(THighLowPolygon polygon) { items_.push_back(std::move(polygon)); }

private:
    std::vector<THighLowPolygon> items_;
};

class THighLowSeries : public TBaseHighLowSeries {
    TV_CLASS(THighLowSeries, TBaseHighLowSeries)
public:
    explicit THighLowSeries(TComponent* owner);
    ~THighLowSeries() override;

    TZebBrush* HighBrush() const { return Brush(); }
    void SetHighBrush(TZebBrush* value) { SetBrush(value); }
    TZebBrush* LowBrush() const { return lowBrush_.get(); }
    void SetLowBrush(TZebBrush* value);
    TZebPen* HighPen() const { return highPen_.get(); }
    void SetHighPen(TZebPen* value);
    TZebPen* LowPen() const { return lowPen_.get(); }
    void SetLowPen(TZebPen* value);
    const TZebHighLowPolygon& Polygons() const { return polygons_; }

    // The high (or low) line's value at x, linear between the neighbouring points; needs at
    // least two points. Ascending X values are searched by bisection, others one by one.
    double InterpolateAt(bool high, double x) const;

    void CopyAppearance(TChartSeries* other) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void BeforeDrawPoints() override;
    void DrawPoint(int index) override;
    void AfterDrawPoints() override;
    int HitTest(int x, int y) override;

    // The search InterpolateAt uses, chosen by the caller (tests compare the two).
    double InterpolateBy(bool high, double x, bool bisection) const;
    bool XAscending() const;

private:
    void fillBand();
    // A band polygon (band) or the quadrilateral between two points, blended by Transparency.
    void fillPolygon(const std::vector<TPoint>& points, TZebBrush& brush, TColor color, bool band);
    void drawConnector(int x, int high, int low, TColor color);
    void drawLine(TZebPen& pen, std::vector<TPoint>& run, int y0, int y1, int x);
    void flushRun(TZebPen& pen, std::vector<TPoint>& run);
    void flushConnectors();
    void styleChanged(TObject* sender) { StyleChanged(sender); }

    std::unique_ptr<TZebBrush> lowBrush_;
    std::unique_ptr<TZebPen> highPen_;
    std::unique_ptr<TZebPen> lowPen_;
    TZebHighLowPolygon polygons_;
    // Drawing state of one frame: the previous point's pixels, and the colour non-solid fills take.
    bool firstDrawn_ = true;
    int previousX_ = 0, previousHigh_ = 0, previousLow_ = 0;
    TColor lastSolidColor_ = static_cast<TColor>(0xFFFFFF);
    // Thousands of points share a pixel column: in 2-D without per-point fills the lines are
    // gathered into one polyline per unbroken run, and the connectors of one column and colour
    // into the pixel ranges they cover, drawn after the points in the same order (lines, then
    // connectors on top).
    bool gather_ = false;
    std::vector<TPoint> highRun_, lowRun_;
    struct TConnector {
        int x, top, bottom;  // pixel rows top .. bottom, both drawn
        TColor color;
    };
    std::vector<TConnector> connectors_;
};
