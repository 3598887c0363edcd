#pragma once
// The text shapes of an axis: its title, the format shared by its labels, and the back shape of
// its label band.
#include <iterator>

#include "chart/core/TextShapes.h"

enum TAxisTitlePosition { tpStart, tpCenter, tpEnd };
inline constexpr const char* TAxisTitlePositionNames[] = {"tpStart", "tpCenter", "tpEnd"};
static_assert(std::size(TAxisTitlePositionNames) == tpEnd + 1);

// Centred and transparent. A vertical axis turns its title when creating it; that angle is then
// the stored default.
class TChartAxisTitle : public TCustomTextShape {
    TV_CLASS(TChartAxisTitle, TCustomTextShape)
public:
    explicit TChartAxisTitle(TCustomZebPanel* panel = nullptr);
    void Assign(TPersistent* source) override;

    TAxisTitlePosition Position() const { return position_; }
    void SetPosition(TAxisTitlePosition value);
    // The first line of the text; setting it sets the whole text.
    String Caption() const;
    void SetCaption(const String& value) { SetText(value); }
    void InitAngle(int value)
    {
        StoreAngle(value);
        defaultAngle_ = value;
    }
    bool IsAngleStored() const { return Angle() != defaultAngle_; }
    // Visible, with a caption, and point inside the last drawn bounds.
    bool Clicked(TPoint point) const;

private:
    TAxisTitlePosition position_ = tpCenter;
    int defaultAngle_ = 0;
};

// The look of an axis' labels (and of custom labels without a format of their own).
class TAxisLabelsFormat : public TCustomTextShape {
    TV_CLASS(TAxisLabelsFormat, TCustomTextShape)
public:
    explicit TAxisLabelsFormat(TCustomZebPanel* panel = nullptr);
};

// The band behind an axis' labels: hidden, without shadow.
class TAxisBackShape : public TZebCustomShape {
    TV_CLASS(TAxisBackShape, TZebCustomShape)
public:
    explicit TAxisBackShape(TCustomZebPanel* panel = nullptr);
};
