#pragma once
// The shapes of series marks: the text box with a mark style (the marks themselves and their
// child shapes derive from it) and the symbol box drawn inside a mark in the point colour.
#include <iterator>

#include "chart/core/TextShapes.h"

class TSeriesMarks;

enum TSeriesMarksStyle {
    smsValue,
    smsPercent,
    smsLabel,
    smsLabelPercent,
    smsLabelValue,
    smsLegend,
    smsPercentTotal,
    smsLabelPercentTotal,
    smsXValue,
    smsXY,
    smsSeriesTitle,
    smsPointIndex,
    smsPercentRelative,
    smsLabelPercentValue,
    smsLabelOrValue
};
inline constexpr const char* TSeriesMarksStyleNames[] = {
    "smsValue",      "smsPercent",     "smsLabel",           "smsLabelPercent",      "smsLabelValue",
    "smsLegend",     "smsPercentTotal", "smsLabelPercentTotal", "smsXValue",          "smsXY",
    "smsSeriesTitle", "smsPointIndex", "smsPercentRelative", "smsLabelPercentValue", "smsLabelOrValue"};
static_assert(std::size(TSeriesMarksStyleNames) == smsLabelOrValue + 1);

enum TSeriesMarksImages { miSymbol, miOnly, miNone };
inline constexpr const char* TSeriesMarksImagesNames[] = {"miSymbol", "miOnly", "miNone"};
static_assert(std::size(TSeriesMarksImagesNames) == miNone + 1);

class TSeriesMarkShape : public TCustomTextShape {
    TV_CLASS(TSeriesMarkShape, TCustomTextShape)
public:
    explicit TSeriesMarkShape(TCustomZebPanel* panel = nullptr);
    void Assign(TPersistent* source) override;

    TSeriesMarksStyle Style() const { return style_; }
    void SetStyle(TSeriesMarksStyle value);
    // The marks this shape belongs to (none for child shapes).
    TSeriesMarks* Marks() const { return marks_; }

protected:
    void setMarks(TSeriesMarks* marks) { marks_ = marks; }

private:
    TSeriesMarksStyle style_ = smsLabelOrValue;
    TSeriesMarks* marks_ = nullptr;
};

// Hidden, not transparent, with shadow and emboss of size 1.
class TSeriesMarksSymbol : public TZebCustomShape {
    TV_CLASS(TSeriesMarksSymbol, TZebCustomShape)
public:
    explicit TSeriesMarksSymbol(TCustomZebPanel* panel = nullptr);
    bool ShouldDraw() const { return Visible() && !Transparent(); }

protected:
    void InitShadowDefaults(TZebShadow& shadow) override;
    void InitEmbossDefaults(TZebEmboss& emboss) override;
};
