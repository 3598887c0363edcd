#pragma once
// TAxisLabels: how an axis labels itself: style, rotation, rows, spacing, placement at the tick,
// the exponent form and pictures. The axis publishes these under its own names and forwards them.
#include <iterator>

#include "platform/classes/Persistent.h"

class TChartAxis;
class TAxisLabelsFormat;
class TZebFont;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText, talPointValue };
inline constexpr const char* TAxisLabelStyleNames[] = {"talAuto", "talNone", "talValue",
                                                       "talMark", "talText", "talPointValue"};
static_assert(std::size(TAxisLabelStyleNames) == talPointValue + 1);

enum TAxisLabelAlign { alDefault, alOpposite, alCenter };
inline constexpr const char* TAxisLabelAlignNames[] = {"alDefault", "alOpposite", "alCenter"};
static_assert(std::size(TAxisLabelAlignNames) == alCenter + 1);

enum TAxisLabelsPosition { lpAtTick, lpBeforeTick, lpAfterTick, lpCenter };
inline constexpr const char* TAxisLabelsPositionNames[] = {"lpAtTick", "lpBeforeTick", "lpAfterTick", "lpCenter"};
static_assert(std::size(TAxisLabelsPositionNames) == lpCenter + 1);

class TAxisLabels : public TPersistent {
    TV_CLASS(TAxisLabels, TPersistent)
public:
    explicit TAxisLabels(TChartAxis* axis = nullptr) : axis_(axis) {}
    void Assign(TPersistent* source) override;

    TAxisLabelAlign Align() const { return align_; }
    void SetAlign(TAxisLabelAlign value) { change(align_, value); }
    bool Alternate() const { return alternate_; }
    void SetAlternate(bool value) { change(alternate_, value); }
    // Degrees, kept modulo 360 (a negative angle stays negative).
    int Angle() const { return angle_; }
    void SetAngle(int value) { change(angle_, value % 360); }
    bool Behind() const { return behind_; }
    void SetBehind(bool value) { change(behind_, value); }
    bool GridIgnoresLabelSize() const { return gridIgnoresLabelSize_; }
    void SetGridIgnoresLabelSize(bool value) { change(gridIgnoresLabelSize_, value); }
    // Gap to the axis in percent of the font height.
    int MarginToAxis() const { return marginToAxis_; }
    void SetMarginToAxis(int value) { change(marginToAxis_, value); }
    bool OnAxis() const { return onAxis_; }
    void SetOnAxis(bool value) { change(onAxis_, value); }
    // Extra room between labels in percent of their size; negative raises.
    int Separation() const { return separation_; }
    void SetSeparation(int value);
    // Fixed band thickness; 0 measures.
    int Size() const { return size_; }
    void SetSize(int value) { change(size_, value); }
    TAxisLabelStyle Style() const { return style_; }
    void SetStyle(TAxisLabelStyle value) { change(style_, value); }
    bool Exponent() const { return exponent_; }
    void SetExponent(bool value) { change(exponent_, value); }
    // The field alone, without a repaint (switched for the length of one drawing step).
    void SetExponentQuietly(bool value) { exponent_ = value; }
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value) { change(multiLine_, value); }
    bool RoundFirst() const { return roundFirst_; }
    void SetRoundFirst(bool value) { change(roundFirst_, value); }
    TAxisLabelsPosition Position() const { return position_; }
    void SetPosition(TAxisLabelsPosition value) { change(position_, value); }
    bool UseImages() const { return useImages_; }
    void SetUseImages(bool value) { change(useImages_, value); }
    // A label that does not fit loses characters until it does (off for axes unless set).
    bool Trim() const { return trim_; }
    void SetTrim(bool value) { trim_ = value; }

    // The shared format of the axis' labels, its font and visibility.
    TAxisLabelsFormat* Format() const;
    TZebFont* Font() const;
    bool Visible() const;
    void SetVisible(bool value);

    // Measured at layout: the most lines of a label (0: not measured) and the tallest picture.
    int LineCount = 0;
    int ImageHeight = 0;

private:
    template <class T>
    void change(T& field, T value);

    TChartAxis* axis_;
    TAxisLabelAlign align_ = alDefault;
    bool alternate_ = false;
    int angle_ = 0;
    bool behind_ = false;
    bool gridIgnoresLabelSize_ = false;
    int marginToAxis_ = 10;
    bool onAxis_ = true;
    int separation_ = 10;
    int size_ = 0;
    TAxisLabelStyle style_ = talAuto;
    bool exponent_ = false;
    bool multiLine_ = false;
    bool roundFirst_ = true;
    TAxisLabelsPosition position_ = lpAtTick;
    bool useImages_ = true;
    bool trim_ = false;
};
