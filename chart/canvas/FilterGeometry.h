#pragma once
// Filters that move pixels: blocks, flips, sizes, rotation, mirrors, tiles and zoom.
#include <iterator>

#include "chart/canvas/FilterAmount.h"
#include "chart/canvas/Filters.h"
#include "platform/graphics/Colors.h"

enum TMirrorDirection { mdDown, mdUp, mdRight, mdLeft };
inline constexpr const char* TMirrorDirectionNames[] = {"mdDown", "mdUp", "mdRight", "mdLeft"};
static_assert(std::size(TMirrorDirectionNames) == mdLeft + 1);

// Fills square blocks of Amount pixels (or that percent of the shorter side) with their average.
class TMosaicFilter : public TAmountFilter {
    TV_CLASS(TMosaicFilter, TAmountFilter)
public:
    explicit TMosaicFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
};

// Upside down.
class TFlipFilter : public TZebFilter {
    TV_CLASS(TFlipFilter, TZebFilter)
public:
    explicit TFlipFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
};

// Left to right.
class TReverseFilter : public TZebFilter {
    TV_CLASS(TReverseFilter, TZebFilter)
public:
    explicit TReverseFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
};

// The whole picture resampled to Width x Height; the bitmap takes that size.
class TResizeFilter : public TZebFilter {
    TV_CLASS(TResizeFilter, TZebFilter)
public:
    explicit TResizeFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;
    void PrepareGallerySample() override;

    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }

private:
    int width_ = 0, height_ = 0;
};

// The Width x Height pixels at Left, Top stretched over the whole bitmap, which keeps its size.
class TCropFilter : public TResizeFilter {
    TV_CLASS(TCropFilter, TResizeFilter)
public:
    explicit TCropFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;
    void PrepareGallerySample() override {}

    int Left() const { return left_; }
    void SetLeft(int value) { left_ = value; }
    int Top() const { return top_; }
    void SetTop(int value) { top_ = value; }
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value) { smooth_ = value; }

private:
    int left_ = 0, top_ = 0;
    bool smooth_ = false;
};

// Turns the whole bitmap by Angle degrees clockwise; with AutoSize the bitmap grows to
// hold the turned picture, the uncovered corners painted BackColor (clNone: transparent).
class TRotateFilter : public TZebFilter {
    TV_CLASS(TRotateFilter, TZebFilter)
public:
    explicit TRotateFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;
    void PrepareGallerySample() override;

    double Angle() const { return angle_; }
    void SetAngle(double value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value) { backColor_ = value; }

private:
    double angle_ = 0;
    bool autoSize_ = true;
    TColor backColor_ = clWhite;
};

// Doubles the bitmap with a mirrored copy beside the picture; works on the whole bitmap.
class TMirrorFilter : public TZebFilter {
    TV_CLASS(TMirrorFilter, TZebFilter)
public:
    explicit TMirrorFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;

    TMirrorDirection Direction() const { return direction_; }
    void SetDirection(TMirrorDirection value) { direction_ = value; }

private:
    TMirrorDirection direction_ = mdDown;
};

// NumCols x NumRows small copies of the picture.
class TTileFilter : public TZebFilter {
    TV_CLASS(TTileFilter, TZebFilter)
public:
    explicit TTileFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;

    int NumCols() const { return numCols_; }
    void SetNumCols(int value) { numCols_ = value; }
    int NumRows() const { return numRows_; }
    void SetNumRows(int value) { numRows_ = value; }

private:
    int numCols_ = 3, numRows_ = 3;
};

// Crops Percent / 2 of the rectangle from each side and stretches the rest over it.
class TZoomFilter : public TZebFilter {
    TV_CLASS(TZoomFilter, TZebFilter)
public:
    explicit TZoomFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;
    void PrepareGallerySample() override;

    double Percent() const { return percent_; }
    void SetPercent(double value) { percent_ = value; }
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value) { smooth_ = value; }

private:
    double percent_ = 10;
    bool smooth_ = false;
};
