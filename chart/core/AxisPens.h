#pragma once
// The pens an axis draws with: its line (with a line mode for the 3-D look), the ticks and the grid
// (every n-th label, centred between labels, at a depth of its own).
#include <iterator>

#include "chart/canvas/ZebPen.h"

enum TPenLineMode { lmLine, lmCylinder, lmRectangle };
inline constexpr const char* TPenLineModeNames[] = {"lmLine", "lmCylinder", "lmRectangle"};
static_assert(std::size(TPenLineModeNames) == lmRectangle + 1);

// The axis line: 2 pixels wide unless set.
class TChartAxisPen : public TZebPen {
    TV_CLASS(TChartAxisPen, TZebPen)
public:
    explicit TChartAxisPen(TNotifyEvent onChange = {});
    void Assign(TPersistent* source) override;

    TPenLineMode LineMode() const { return lineMode_; }
    void SetLineMode(TPenLineMode value);

private:
    TPenLineMode lineMode_ = lmLine;
};

// Tick marks: a dark-gray pen.
class TTicks : public TDarkGrayPen {
    TV_CLASS(TTicks, TDarkGrayPen)
public:
    explicit TTicks(TNotifyEvent onChange = {}) : TDarkGrayPen(std::move(onChange)) {}
};

// The automatic colour of a grid pen: drawn gray.
inline constexpr TColor GridAutomaticColor = static_cast<TColor>(0x20000000);

class TAxisGridPen : public TZebPen {
    TV_CLASS(TAxisGridPen, TZebPen)
public:
    explicit TAxisGridPen(TNotifyEvent onChange = {});
    void Assign(TPersistent* source) override;

    bool Centered() const { return centered_; }
    void SetCentered(bool value);
    bool DrawAlways() const { return drawAlways_; }
    void SetDrawAlways(bool value);
    int DrawEvery() const { return drawEvery_; }
    void SetDrawEvery(int value);
    double ZPosition() const { return zPosition_; }
    void SetZPosition(double value);
    // The axis' default depth (100 for the top and right axes); the position with it.
    void InitZPosition(double value) { zPosition_ = defaultZPosition_ = value; }
    double DefaultZPosition() const { return defaultZPosition_; }
    bool IsZPositionStored() const { return zPosition_ != defaultZPosition_; }

protected:
    // "ZZero": a zero depth against a non-zero default would not survive the default rule.
    void DefineProperties(TFiler& filer) override;

private:
    bool centered_ = false;
    bool drawAlways_ = false;
    int drawEvery_ = 1;
    double zPosition_ = 0;
    double defaultZPosition_ = 0;
};
