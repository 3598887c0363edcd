#pragma once
// Base of the gauge set's value-showing controls: maps a Value to a Digit and to a position per mille
// of the digit range (Ppt, 0..1000), linearly or by decades, and raises sector, overflow, limit and
// extreme-value events. Draws nothing itself.
#include <iterator>

#include "platform/classes/Sets.h"
#include "platform/forms/Controls.h"
#include "widgets/meters/GaugeSettings.h"

// A windowless control whose settings notifications are held back while it is built or loaded.
class TVnGraphicControl : public TGraphicControl {
    TV_CLASS(TVnGraphicControl, TGraphicControl)
public:
    explicit TVnGraphicControl(TComponent* owner);

    void LockSettings() { ++lock_; }
    void UnlockSettings();
    bool SettingsLocked() const { return lock_ > 0; }

protected:
    virtual void SettingsChanged() {}
    void SettingsChangedUnlessLocked();

private:
    int lock_ = 0;
};

enum THintOption { hoAutoHint, hoValue, hoMin, hoMax, hoName1, hoName2, hoMinMaxDate, hoMinMaxTime };
inline constexpr const char* THintOptionNames[] = {"hoAutoHint", "hoValue", "hoMin",        "hoMax",
                                                   "hoName1",    "hoName2", "hoMinMaxDate", "hoMinMaxTime"};
static_assert(std::size(THintOptionNames) == hoMinMaxTime + 1);
using THintOptions = TSet<THintOption>;
constexpr THintOptions AllHintOptions{hoAutoHint, hoValue, hoMin, hoMax, hoName1, hoName2, hoMinMaxDate, hoMinMaxTime};

using TOverflowEvent = TMethodEvent<void(TObject* Sender, int PPT)>;
using TSectorChangeEvent = TMethodEvent<void(TObject* Sender, bool Sector1, bool Sector2, bool Sector3, bool Enter)>;
using TLimitEvent = TMethodEvent<void(TObject* Sender, bool Lower, bool Upper)>;

class TVnAnalogGControl : public TVnGraphicControl {
    TV_CLASS(TVnAnalogGControl, TVnGraphicControl)
public:
    explicit TVnAnalogGControl(TComponent* owner);
    ~TVnAnalogGControl() override;
    void Loaded() override;

    float Value() const { return value_; }
    // Ignored when unchanged, NaN, or not positive on a decade scale.
    void SetValue(float v);
    int Digit() const { return digit_; }
    void SetDigit(int d);
    float LimitUpper() const { return limitUpper_; }
    void SetLimitUpper(float x);
    float LimitLower() const { return limitLower_; }
    void SetLimitLower(float x);  // 0 is kept as 0.0001
    THintOptions HintOptions() const { return hintOptions_; }
    // The automatic hint is made from the readings, so it is not stored.
    bool IsHintStored() const { return !hintOptions_.Contains(hoAutoHint); }
    void SetHintOptions(THintOptions v);
    TSectorSettings* SectorSettings() const { return sector_.get(); }
    void SetSectorSettings(TSectorSettings* v) { sector_->Assign(v); }
    TSignalSettings* SignalSettings() const { return signal_.get(); }
    void SetSignalSettings(TSignalSettings* v) { signal_->Assign(v); }
    TMinMax* MinMax() const { return minMax_.get(); }
    void SetMinMax(TMinMax* v) { minMax_->Assign(v); }
    bool LogScale() const { return logScale_; }
    void SetLogScale(bool b);

    // Position of Digit on the 0..1000 scale, kept within it.
    int Ppt() const { return ppt_; }
    int MinPpt() const { return minPpt_; }
    int MaxPpt() const { return maxPpt_; }
    bool Overflow() const { return overflow_; }
    bool Underflow() const { return underflow_; }
    bool AboveUpper() const { return aboveUpper_; }
    bool BelowLower() const { return belowLower_; }
    bool InSector(int k) const { return inSector_[k]; }
    const String& ValueText() const { return valueText_; }
    double LogFactor() const { return logFactor_; }
    TColor BlinkColorOn() const { return blinkColorOn_; }
    TColor BlinkColorOff() const { return blinkColorOff_; }

    const TMethodEvent<void(TObject*)>& OnMinMaxChange() const { return onMinMaxChange_; }
    void SetOnMinMaxChange(const TNotifyEvent& e) { onMinMaxChange_ = e; }
    const TOverflowEvent& OnOverflow() const { return onOverflow_; }
    void SetOnOverflow(const TOverflowEvent& e) { onOverflow_ = e; }
    const TSectorChangeEvent& OnSectorChange() const { return onSectorChange_; }
    void SetOnSectorChange(const TSectorChangeEvent& e) { onSectorChange_ = e; }
    const TNotifyEvent& OnSettingsChange() const { return onSettingsChange_; }
    void SetOnSettingsChange(const TNotifyEvent& e) { onSettingsChange_ = e; }
    const TNotifyEvent& OnValueChange() const { return onValueChange_; }
    void SetOnValueChange(const TNotifyEvent& e) { onValueChange_ = e; }
    const TLimitEvent& OnLimit() const { return onLimit_; }
    void SetOnLimit(const TLimitEvent& e) { onLimit_ = e; }

protected:
    void SettingsChanged() override;
    virtual void ValueChanged();
    virtual void OverflowChanged(int /*ppt*/) {}
    virtual void LimitChanged() {}
    virtual void MinMaxChanged();
    virtual void LogScaleChanged() { SettingsChangedUnlessLocked(); }
    void CheckLimits();
    void UpdateHint();
    void CMFontChanged(TMessage& message) override;
    bool IsLoaded() const { return loaded_; }

private:
    void valueOrDigitChanged();
    void digitFromValue();
    void logFactors();
    void minMaxChanged(TObject*) { MinMaxChanged(); }

    TOwnedPtr<TSectorSettings> sector_;
    TOwnedPtr<TSignalSettings> signal_;
    TOwnedPtr<TMinMax> minMax_;
    float value_ = 50;
    int digit_ = 500;
    float limitUpper_ = 90;
    float limitLower_ = 10;
    THintOptions hintOptions_ = AllHintOptions;
    bool logScale_ = false;
    double logFactor_ = 0;
    double logOffset_ = 0;
    String valueText_;
    bool overflow_ = false, underflow_ = false;
    bool aboveUpper_ = true, belowLower_ = true;
    int ppt_ = 500;
    TColor blinkColorOff_ = TColor(0x00FFFF);
    TColor blinkColorOn_ = TColor(0x0000FF);
    int maxPpt_ = 0, minPpt_ = 0;
    bool inSector_[3] = {};
    bool loaded_ = false;

    // The hint's minimum and maximum texts, kept while their extreme, its time, the value format,
    // the unit and the options stay: a reading that sets no new extreme then formats one number.
    struct THintPiece {
        bool valid = false;
        float value = 0;
        TDateTime when = 0;
        String text;
    };
    THintPiece hintMin_, hintMax_;
    String hintFormat_, hintUnit_;
    THintOptions hintPieceOptions_;

    TNotifyEvent onMinMaxChange_, onSettingsChange_, onValueChange_;
    TOverflowEvent onOverflow_;
    TSectorChangeEvent onSectorChange_;
    TLimitEvent onLimit_;
};
