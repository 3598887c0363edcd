#pragma once
// TSeriesPointer: the symbol a series draws at a point. Sixteen styles, half sizes in pixels or
// in units of the series' vertical axis, flat and solid forms, darkened sides and outline, a
// gradient, shadow, emboss, transparency and a picture; it tells the series how much room it
// needs at the axis ends and whether a screen point lies on a symbol.
#include <iterator>
#include <memory>
#include <optional>

#include "chart/core/ChartShapes.h"

class TChartSeries;
class TZebGradient;
class TZebPicture;
class TZebSelected;

enum TSeriesPointerStyle {
    psRectangle,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond,
    psSmallDot,
    psNothing,
    psLeftTriangle,
    psRightTriangle,
    psHexagon,
    psVisual,
    psDonut,
    psArrow
};
inline constexpr const char* TSeriesPointerStyleNames[] = {
    "psRectangle", "psCircle",  "psTriangle",     "psDownTriangle",  "psCross",   "psDiagCross", "psStar",  "psDiamond",
    "psSmallDot",  "psNothing", "psLeftTriangle", "psRightTriangle", "psHexagon", "psVisual",    "psDonut", "psArrow"};
static_assert(std::size(TSeriesPointerStyleNames) == psArrow + 1);

enum TPointerSizeUnits { suPixels, suAxis };
inline constexpr const char* TPointerSizeUnitsNames[] = {"suPixels", "suAxis"};
static_assert(std::size(TPointerSizeUnitsNames) == suAxis + 1);

// The depth a series gives its symbols: front, middle and back of its slot.
struct TSeriesDepth {
    int Start = 0;
    int Middle = 0;
    int End = 0;
};

class TSeriesPointer : public TZebCustomShapeBrushPen {
    TV_CLASS(TSeriesPointer, TZebCustomShapeBrushPen)
public:
    // The series' chart is the panel drawn on; without a series, SetParentPanel names it.
    explicit TSeriesPointer(TChartSeries* series = nullptr);
    ~TSeriesPointer() override;
    void Assign(TPersistent* source) override;
    void InvalidateChart() override;

    TChartSeries* Series() const { return series_; }
    // The series' chart when it has one, else the parent panel.
    TCustomZebPanel* Chart() const;

    // ---- published ----
    TSeriesPointerStyle Style() const { return style_; }
    void SetStyle(TSeriesPointerStyle value);
    // Sets the style and records it as the stored default (series whose symbol starts elsewhere).
    void InitStyle(TSeriesPointerStyle value);
    bool IsStyleStored() const { return style_ != defaultStyle_; }
    int HorizSize() const { return horizSize_; }
    void SetHorizSize(int value);  // below 1 stores 1
    int VertSize() const { return vertSize_; }
    void SetVertSize(int value);
    void SetSymbolSize(int value);  // both
    TPointerSizeUnits SizeUnits() const { return sizeUnits_; }
    void SetSizeUnits(TPointerSizeUnits value) { sizeUnits_ = value; }
    bool Draw3D() const { return draw3D_; }
    void SetDraw3D(bool value);
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value);
    // Half the depth of solid forms about the series' middle; 0: the series' whole slot.
    int Depth() const { return depth_; }
    void SetDepth(int value);
    // Positive darkens the outline from the point colour by that much per channel, negative lightens.
    int DarkPen() const { return darkPen_; }
    void SetDarkPen(int value);
    bool InflateMargins() const { return inflateMargins_; }
    void SetInflateMargins(bool value);
    // Off: the gradient ends in the point colour.
    bool FullGradient() const { return fullGradient_; }
    void SetFullGradient(bool value);
    bool IsFullGradientStored() const { return fullGradient_ != defaultFullGradient_; }
    TZebTransparency Transparency() const { return transparency_; }
    void SetTransparency(TZebTransparency value);
    // The brush's gradient.
    TZebGradient* Gradient();
    void SetGradient(TZebGradient* value);
    // Created on first read (shadow and emboss hidden with size 3); null frees them.
    TZebShadow* Shadow();
    void SetShadow(TZebShadow* value);
    bool HasShadow() const { return shadow_ != nullptr; }
    TZebEmboss* Emboss();
    void SetEmboss(TZebEmboss* value);
    bool HasEmboss() const { return emboss_ != nullptr; }
    TZebPicture* Picture();
    void SetPicture(TZebPicture* value);
    bool HasPicture() const { return picture_ != nullptr; }
    // The pointer's own highlight (its hover pen); created on first read, null frees it.
    TZebSelected* Selected();
    void SetSelected(TZebSelected* value);
    bool HasSelected() const { return selected_ != nullptr; }
    const TZebSelected* SelectedOrNull() const { return selected_.get(); }

    // ---- not published ----
    // On: the box runs from X - HorizSize; off: from X + 1 - HorizSize (likewise for Y).
    bool ExactCentre() const { return exactCentre_; }
    void SetExactCentre(bool value);
    // Not 0: replaces both half sizes.
    float FractionalSize() const { return fractionalSize_; }
    void SetFractionalSize(float value) { fractionalSize_ = value; }
    // The depth without a series.
    int OwnZ() const { return ownZ_; }
    void SetOwnZ(int value) { ownZ_ = value; }
    // Series that size symbols per point (bubbles) switch it off.
    bool MayChangeSize() const { return mayChangeSize_; }
    void SetMayChangeSize(bool value) { mayChangeSize_ = value; }
    // Sizes without a repaint.
    void StoreHorizSize(int value) { horizSize_ = value; }
    void StoreVertSize(int value) { vertSize_ = value; }

    // ---- sizes and depth ----
    // The fractional size (rounded, or its span on the vertical axis with suAxis), else the two
    // integer half sizes as they are.
    void GetEffectiveSize(int& width, int& height) const;
    int GetLargestSize() const;
    int GetStartZ() const;
    int GetMiddleZ() const;
    int GetEndZ() const;

    // ---- drawing ----
    // Pen and brush of a symbol in the point colour.
    void SetupCanvas(TCanvas3D& canvas, TColor color);
    // SetupCanvas on the chart's canvas with the brush colour.
    void PrepareCanvas();
    // The style at (x, y) sized for drawing (axis units converted), on the chart's canvas.
    void DrawStyled(int x, int y, TSeriesPointerStyle style, TColor color);
    void DrawAt(int x, int y);
    void DrawAtPoint(TPoint point) { DrawAt(point.X, point.Y); }
    // The routine that draws a symbol: centre (x, y), half sizes, solid forms when in3D.
    void DrawSymbol(TCanvas3D& canvas, bool in3D, TSeriesPointerStyle style, TColor color, int halfHeight,
                    int halfWidth, int y, int x);

    // ---- margins and hits ----
    // Raise the series' requests for room at the axis ends so a symbol fits.
    void WidenHorizMargins(int& left, int& right) const;
    void WidenVertMargins(int& top, int& bottom) const;
    // Whether point lies on the symbol of style centred at (x, y), at the integer half sizes.
    bool IsPointInSymbol(TSeriesPointerStyle style, TPoint point, int y, int x);

protected:
    // The series' depth slot. The series base keeps none yet, so the base answers none and the
    // pointer stands at its own Z; a series with a slot answers through a derived pointer.
    virtual std::optional<TSeriesDepth> SeriesDepth() const { return std::nullopt; }
    // Called on a hit of IsPointInSymbol: the series records the pointer as its hovered part (2).
    // The series base keeps no hover state yet; derived pointers pass it on.
    virtual void SymbolHit() {}
    // Recorded defaults of derived pointers.
    void PresetFullGradient(bool value) { fullGradient_ = defaultFullGradient_ = value; }

private:
    int axisPixels(double units) const;
    TNotifyEvent changeHandler();
    void drawEffects(TCanvas3D& canvas, bool in3D, TSeriesPointerStyle style, const TRect& box, int x, int y,
                     int halfWidth, int halfHeight, int z0);
    void drawShape(TCanvas3D& canvas, bool in3D, TSeriesPointerStyle style, const TRect& box, int x, int y,
                   int halfWidth, int halfHeight);
    void drawPicture(TCanvas3D& canvas, bool in3D, TSeriesPointerStyle style, const TRect& box);

    TChartSeries* series_;
    TSeriesPointerStyle style_ = psRectangle;
    TSeriesPointerStyle defaultStyle_ = psRectangle;
    int horizSize_ = 4;
    int vertSize_ = 4;
    TPointerSizeUnits sizeUnits_ = suPixels;
    bool draw3D_ = true;
    bool dark3D_ = true;
    int depth_ = 0;
    int darkPen_ = 0;
    bool inflateMargins_ = true;
    bool fullGradient_ = false;
    bool defaultFullGradient_ = false;
    TZebTransparency transparency_ = 0;
    TZebShadow* shadow_ = nullptr;    // owned
    TZebEmboss* emboss_ = nullptr;    // owned
    TZebPicture* picture_ = nullptr;  // owned
    std::unique_ptr<TZebSelected> selected_;
    bool exactCentre_ = false;
    float fractionalSize_ = 0;
    int ownZ_ = 0;
    bool mayChangeSize_ = true;
};
