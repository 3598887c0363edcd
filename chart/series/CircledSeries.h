#pragma once
// TCircledSeries: the base of series drawn inside a circle instead of against axes. It owns the
// circle (rectangle, centre and radii recomputed by every BeforeDrawPoints and valid to the end of
// that frame), keeps it round on screen, leaves room for the marks, and gives the chart a fixed
// 3-D view while it is active.
#include <memory>

#include "chart/core/ChartSeries.h"

class TFramedBorder;
class TView3DOptions;
class TZebEmboss;
class TZebGradient;
class TZebShadow;

class TCircledSeries : public TChartSeries {
    TV_CLASS(TCircledSeries, TChartSeries)
public:
    explicit TCircledSeries(TComponent* owner);
    ~TCircledSeries() override;
    // Gives the chart its view back while the derived parts still exist.
    void BeforeDestruction() override;

    void SetActive(bool value) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void CopyAppearance(TChartSeries* other) override;

    // ---- settings ----
    // Shared with every series of the chart whose class is this one's or an ancestor's.
    bool Circled() const { return circled_; }
    void SetCircled(bool value);
    int CustomXRadius() const { return customXRadius_; }
    void SetCustomXRadius(int value);
    int CustomYRadius() const { return customYRadius_; }
    void SetCustomYRadius(int value);
    bool UniqueCustomRadius() const { return uniqueCustomRadius_; }
    void SetUniqueCustomRadius(bool value);
    TZebEmboss* Emboss() const { return emboss_.get(); }
    void SetEmboss(TZebEmboss* value);
    TZebShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TZebShadow* value);
    // Made on first read; assigning none frees it.
    TFramedBorder* Frame();
    void SetFrame(TFramedBorder* value);
    bool HasFrame() const { return frame_ != nullptr; }
    // Degrees counter-clockwise, kept as value mod 360 (the sign of value).
    int RotationAngle() const { return rotationAngle_; }
    void SetRotationAngle(int value);
    TColor CircleBackColor() const;
    void SetCircleBackColor(TColor value);
    TZebBrush* CircleBrush() const { return circleBrush_.get(); }
    void SetCircleBrush(TZebBrush* value);
    TZebGradient* CircleGradient() const;
    void SetCircleGradient(TZebGradient* value);
    // CircleBackColor, else white while printing, the back wall's colour, the chart's background.
    TColor ResolveCircleBackColor() const;

    // ---- circle of the current frame ----
    TRect CircleBounds;
    int CircleSizeX = 0, CircleSizeY = 0;
    int CenterX = 0, CenterY = 0;
    int RadiusX = 0, RadiusY = 0;
    double RotationRad = 0;
    bool MarksShrinkCircle = true;
    // The chart's view saved while the circled view is applied; none otherwise.
    const TView3DOptions* SavedView3D() const { return savedView3D_.get(); }

    void SetCircleBounds(const TRect& rect);
    void NormalizeCircleBounds();
    virtual void FitRadii();
    // Shrinks rect so that radii rx, ry look round on a screen whose pixels are ratio times wider
    // than high (1: square pixels).
    static void KeepRectRound(int radiusX, int radiusY, double ratio, TRect& rect);
    // The pixel aspect of the screen from its size and physical size; 1 when printing or unknown.
    static double ScreenPixelRatio(bool printing);

    // ---- polar coordinates (radians counter-clockwise, rotation added) ----
    TPoint PolarToPixel(double angle, double radiusX, double radiusY) const;
    double AngleOfPixel(int x, int y) const;
    double RadiusOfPixel(int x, int y) const;

    // ---- frame stages ----
    void BeforeDrawPoints() override;
    bool IsPointInPlot(int) const override { return true; }
    bool DependsOnAxes() const override { return false; }
    void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const override;
    void PaintCircleShadow();
    // In 2-D a visible frame paints itself around the circle, which shrinks inside it.
    void ShrinkToFrame();

protected:
    // The view the chart shows while this series is active; nothing here.
    virtual void ApplyCircledView3D() {}
    // A series without room for its marks takes the circle of the first marked series like it.
    virtual void AdoptMarkedSeriesRect();
    // restore: give the chart its saved view back; else save it and apply the circled one.
    void SwapChartView3D(bool restore);
    void ReserveMarksSpace();

private:
    // Series of the chart whose class is this one's or an ancestor's.
    template <class F>
    void forRelated(F&& apply);
    void shareRadius();
    bool keepsChartView() const;
    void effectsChanged(TObject*);

    bool circled_ = true;
    int customXRadius_ = 0;
    int customYRadius_ = 0;
    bool uniqueCustomRadius_ = true;
    int rotationAngle_ = 0;
    std::unique_ptr<TZebBrush> circleBrush_;
    std::unique_ptr<TZebEmboss> emboss_;
    std::unique_ptr<TZebShadow> shadow_;
    std::unique_ptr<TFramedBorder> frame_;
    std::unique_ptr<TView3DOptions> savedView3D_;
};
