#pragma once
// The settings a pie owns: its other slice, its marks, its bevel, and the per-slice integer lists
// (explode distances, 3-D heights). Each asks its pie to repaint when a value changes.
#include <iterator>
#include <memory>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/graphics/GraphicsObjects.h"

class TChartLegend;
class TChartSeries;

enum TPieOtherStyle { poNone, poBelowPercent, poBelowValue };
inline constexpr const char* TPieOtherStyleNames[] = {"poNone", "poBelowPercent", "poBelowValue"};
static_assert(std::size(TPieOtherStyleNames) == poBelowValue + 1);

enum TRotateStyle { rsRadial, rsTangencial };
inline constexpr const char* TRotateStyleNames[] = {"rsRadial", "rsTangencial"};
static_assert(std::size(TRotateStyleNames) == rsTangencial + 1);

// Small slices grouped into one "other" slice.
class TPieOtherSlice : public TPersistent {
    TV_CLASS(TPieOtherSlice, TPersistent)
public:
    explicit TPieOtherSlice(TChartSeries* pie = nullptr);
    ~TPieOtherSlice() override;
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // A separate hidden legend of the pie's chart listing the grouped slices; made on first read.
    TChartLegend* Legend();
    void SetLegend(TChartLegend* value);
    bool HasLegend() const { return legend_ != nullptr; }
    TPieOtherStyle Style() const { return style_; }
    void SetStyle(TPieOtherStyle value);
    // Empty reads as the "Other" text.
    String Text() const;
    void SetText(const String& value);
    bool IsTextStored() const { return !text_.empty(); }
    double Value() const { return value_; }
    void SetValue(double value);

private:
    TChartSeries* pie_;
    TColor color_ = static_cast<TColor>(0x20000000);  // automatic
    std::unique_ptr<TChartLegend> legend_;
    TPieOtherStyle style_ = poNone;
    String text_;
    double value_ = 0;
};

class TPieMarks : public TPersistent {
    TV_CLASS(TPieMarks, TPersistent)
public:
    explicit TPieMarks(TChartSeries* pie = nullptr) : pie_(pie) {}
    void Assign(TPersistent* source) override;

    bool EmptySlice() const { return emptySlice_; }
    void SetEmptySlice(bool value) { change(emptySlice_, value); }
    bool InsideSlice() const { return insideSlice_; }
    void SetInsideSlice(bool value) { change(insideSlice_, value); }
    int LegSize() const { return legSize_; }
    void SetLegSize(int value) { change(legSize_, value); }
    bool Rotated() const { return rotated_; }
    void SetRotated(bool value) { change(rotated_, value); }
    TRotateStyle RotateStyle() const { return rotateStyle_; }
    void SetRotateStyle(TRotateStyle value) { change(rotateStyle_, value); }
    bool VertCenter() const { return vertCenter_; }
    void SetVertCenter(bool value) { change(vertCenter_, value); }

private:
    template <class T>
    void change(T& field, T value);

    TChartSeries* pie_;
    bool emptySlice_ = false;
    bool insideSlice_ = false;
    int legSize_ = 0;
    bool rotated_ = false;
    TRotateStyle rotateStyle_ = rsRadial;
    bool vertCenter_ = false;
};

class TPieBevel : public TPersistent {
    TV_CLASS(TPieBevel, TPersistent)
public:
    explicit TPieBevel(TChartSeries* pie = nullptr) : pie_(pie) {}
    void Assign(TPersistent* source) override;

    // Lightens (positive) or darkens (negative) the bevel ring.
    int Bright() const { return bright_; }
    void SetBright(int value);
    // Width of the bevel ring in percent of the radius; 0: no bevel.
    int Percent() const { return percent_; }
    void SetPercent(int value);
    bool UseBorder() const { return useBorder_; }
    void SetUseBorder(bool value);

private:
    void changed();

    TChartSeries* pie_;
    int bright_ = 32;
    int percent_ = 0;
    bool useBorder_ = true;
};

// One integer per slice; 0 beyond the end.
class TSliceValueList {
public:
    explicit TSliceValueList(TChartSeries* pie = nullptr) : pie_(pie) {}
    int GetSliceValue(int index) const;
    // Pads with zeros up to index; repaints the pie when the value changes.
    void SetSliceValue(int index, int value);
    int Count() const { return static_cast<int>(values_.size()); }
    bool IsEmpty() const { return values_.empty(); }
    void Clear() { values_.clear(); }
    void Delete(int index);
    void Exchange(int a, int b, int count);
    std::vector<int>& Values() { return values_; }
    const std::vector<int>& Values() const { return values_; }

private:
    TChartSeries* pie_;
    std::vector<int> values_;
};
