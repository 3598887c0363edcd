#pragma once
// The filters built on the 3 x 3 convolution.
#include "chart/canvas/Filters.h"

// Averages each pixel with its eight neighbours, the pixel itself weighing Amount, Steps times.
class TBlurFilter : public TConvolveFilter {
    TV_CLASS(TBlurFilter, TConvolveFilter)
public:
    explicit TBlurFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;

    int Amount() const { return amount_; }
    void SetAmount(int value);
    int Steps() const { return steps_; }
    void SetSteps(int value) { steps_ = value; }

private:
    int amount_ = 1;
    int steps_ = 1;
};

class TSharpenFilter : public TConvolveFilter {
    TV_CLASS(TSharpenFilter, TConvolveFilter)
public:
    explicit TSharpenFilter(TCollection* collection);
    String GetDescription() const override;
};

class TEmbossFilter : public TConvolveFilter {
    TV_CLASS(TEmbossFilter, TConvolveFilter)
public:
    explicit TEmbossFilter(TCollection* collection);
    String GetDescription() const override;
};

// The average of the pixel and its right, lower and lower-right neighbours.
class TSoftenFilter : public TConvolveFilter {
    TV_CLASS(TSoftenFilter, TConvolveFilter)
public:
    explicit TSoftenFilter(TCollection* collection);
    String GetDescription() const override;
};

// Edges: the strength of the grey level's horizontal and vertical Sobel gradients.
class TSobelFilter : public TZebFilter {
    TV_CLASS(TSobelFilter, TZebFilter)
public:
    explicit TSobelFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
};
