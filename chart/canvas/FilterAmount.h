#pragma once
// Filters set by one amount, taken as a percent or as a channel value.
#include "chart/canvas/Filters.h"

class TScrollBar;

class TAmountFilter : public TZebFilter {
    TV_CLASS(TAmountFilter, TZebFilter)
public:
    explicit TAmountFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;

    int Amount() const { return amount_; }
    void SetAmount(int value) { amount_ = value; }
    bool Percent() const { return percent_; }
    void SetPercent(bool value) { percent_ = value; }

protected:
    // Kinds whose amount is never negative (block sizes, gamma).
    void SetOnlyPositive(bool value) { onlyPositive_ = value; }

private:
    // The editor's scroll bar takes the range of the new unit.
    void percentClicked(TObject* sender);
    int minimum() const;
    int maximum() const;

    int amount_ = 5;
    bool percent_ = true;
    bool onlyPositive_ = false;
    TScrollBar* scrollBar_ = nullptr;  // the editor's (or null); only its check box's click reads it
};

// Adds the amount (or that percent of 255) to every channel.
class TBrightnessFilter : public TAmountFilter {
    TV_CLASS(TBrightnessFilter, TAmountFilter)
public:
    explicit TBrightnessFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
    void PrepareGallerySample() override;
};

// Moves every channel away from (or towards) the middle value 128.
class TContrastFilter : public TAmountFilter {
    TV_CLASS(TContrastFilter, TAmountFilter)
public:
    explicit TContrastFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
    void PrepareGallerySample() override;
};

class TGammaCorrectionFilter : public TAmountFilter {
    TV_CLASS(TGammaCorrectionFilter, TAmountFilter)
public:
    explicit TGammaCorrectionFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
};
