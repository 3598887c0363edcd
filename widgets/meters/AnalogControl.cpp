#include "widgets/meters/AnalogControl.h"

#include <cmath>

#include "platform/classes/Assign.h"
#include "platform/rtl/Exceptions.h"  // before Published.h, which uses it
#include "platform/classes/Published.h"
#include "platform/forms/StandardProps.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "widgets/meters/GaugeMath.h"

// ---- TVnGraphicControl ----

TV_PUBLISHED(TVnGraphicControl) {}

TVnGraphicControl::TVnGraphicControl(TComponent* owner) : TGraphicControl(owner)
{
    if (auto* parent = dynamic_cast<TWinControl*>(owner)) SetParent(parent);
}

void TVnGraphicControl::UnlockSettings()
{
    if (lock_ > 0) --lock_;
    if (lock_ == 0) SettingsChangedUnlessLocked();
}

void TVnGraphicControl::SettingsChangedUnlessLocked()
{
    if (lock_ == 0) SettingsChanged();
}

// ---- TVnAnalogGControl ----

TV_PUBLISHED(TVnAnalogGControl)
{
    Prop("Digit", &TVnAnalogGControl::Digit, &TVnAnalogGControl::SetDigit);
    Prop("LimitUpper", &TVnAnalogGControl::LimitUpper, &TVnAnalogGControl::SetLimitUpper, 90.0f);
    Prop("LimitLower", &TVnAnalogGControl::LimitLower, &TVnAnalogGControl::SetLimitLower);
    PropSet("HintOptions", &TVnAnalogGControl::HintOptions, &TVnAnalogGControl::SetHintOptions, AllHintOptions,
            THintOptionNames);
    Prop("SectorSettings", &TVnAnalogGControl::SectorSettings, &TVnAnalogGControl::SetSectorSettings);
    Prop("SignalSettings", &TVnAnalogGControl::SignalSettings, &TVnAnalogGControl::SetSignalSettings);
    Prop("MinMax", &TVnAnalogGControl::MinMax, &TVnAnalogGControl::SetMinMax);
    Prop("Value", &TVnAnalogGControl::Value, &TVnAnalogGControl::SetValue);
    Prop("OnMinMaxChange", &TVnAnalogGControl::OnMinMaxChange, &TVnAnalogGControl::SetOnMinMaxChange);
    Prop("OnOverflow", &TVnAnalogGControl::OnOverflow, &TVnAnalogGControl::SetOnOverflow);
    Prop("OnSectorChange", &TVnAnalogGControl::OnSectorChange, &TVnAnalogGControl::SetOnSectorChange);
    Prop("OnSettingsChange", &TVnAnalogGControl::OnSettingsChange, &TVnAnalogGControl::SetOnSettingsChange);
    Prop("OnValueChange", &TVnAnalogGControl::OnValueChange, &TVnAnalogGControl::SetOnValueChange);
    Prop("OnLimit", &TVnAnalogGControl::OnLimit, &TVnAnalogGControl::SetOnLimit);
    PublishStandardProps(*this, ShowHintStorage::DefaultFalse);
    Prop("Hint", &TVnAnalogGControl::Hint, &TVnAnalogGControl::SetHint).Stored(&TVnAnalogGControl::IsHintStored);
    Prop("ParentFont", &TVnAnalogGControl::ParentFont, &TVnAnalogGControl::SetParentFont, false);
}

TVnAnalogGControl::TVnAnalogGControl(TComponent* owner)
    : TVnGraphicControl(owner), sector_(new TSectorSettings), signal_(new TSignalSettings), minMax_(new TMinMax)
{
    SetParentFont(false);
    Font()->SetName("Arial");
    Font()->SetSize(8);
    SetControlStyle(ControlStyle() - csOpaque);
    CheckLimits();
}

TVnAnalogGControl::~TVnAnalogGControl() = default;

void TVnAnalogGControl::Loaded()
{
    inherited::Loaded();
    loaded_ = true;
    signal_->SetOnChange(TNotifyEvent([this](TObject*) { SettingsChangedUnlessLocked(); }));
    sector_->SetOnChange(TNotifyEvent([this](TObject*) { SettingsChangedUnlessLocked(); }));
    minMax_->ResetExtremes();
    minMax_->SetOnChange(TNotifyEvent(this, &TVnAnalogGControl::minMaxChanged));
    UpdateHint();
}

void TVnAnalogGControl::CMFontChanged(TMessage& message)
{
    inherited::CMFontChanged(message);
    if (loaded_) SettingsChangedUnlessLocked();
}

void TVnAnalogGControl::logFactors()
{
    const double from = signal_->ValueFrom();
    const double to = signal_->ValueTo();
    const double decades = from > 0 && to > 0 ? DecadeLog(to / from) : 0;
    // Without a positive range of at least some decade width the digits map one to one.
    logFactor_ = decades != 0 && std::isfinite(decades) ? signal_->DigitSpan() / decades : signal_->DigitSpan();
    logOffset_ = from > 0 ? DecadeLog(1 / from) : 0;
}

void TVnAnalogGControl::digitFromValue()
{
    const double from = signal_->ValueFrom();
    const double d = logScale_ ? DecadeLog(value_ / from) * logFactor_ + signal_->DigitalFrom()
                               : (value_ - from) * signal_->DigitsPerValue() + signal_->DigitalFrom();
    RoundToInt32(d, digit_);  // a value with no digit keeps the last one
}

void TVnAnalogGControl::SetValue(float v)
{
    if (std::isnan(v) || (logScale_ && v <= 0) || !AssignIfChanged(value_, v)) return;
    digitFromValue();
    valueOrDigitChanged();
}

void TVnAnalogGControl::SetDigit(int d)
{
    if (!AssignIfChanged(digit_, d)) return;
    const double steps = double(d) - signal_->DigitalFrom();
    if (logScale_) {
        if (logFactor_ != logOffset_ && logFactor_ != 0)
            value_ = static_cast<float>(std::pow(10.0, steps / logFactor_ - logOffset_));
    } else {
        value_ = static_cast<float>(steps * signal_->ValuePerDigit() + signal_->ValueFrom());
    }
    valueOrDigitChanged();
}

void TVnAnalogGControl::valueOrDigitChanged()
{
    if (IsDesigning())
        SettingsChanged();
    else
        ValueChanged();
}

void TVnAnalogGControl::SetLimitUpper(float x)
{
    if (AssignIfChanged(limitUpper_, x)) ValueChanged();
}

void TVnAnalogGControl::SetLimitLower(float x)
{
    if (x == limitLower_) return;
    limitLower_ = x == 0 ? 0.0001f : x;
    ValueChanged();
}

void TVnAnalogGControl::SetHintOptions(THintOptions v)
{
    const bool autoOn = v.Contains(hoAutoHint) && !hintOptions_.Contains(hoAutoHint);
    hintOptions_ = v;
    if (autoOn) ValueChanged();
}

void TVnAnalogGControl::SetLogScale(bool b)
{
    logScale_ = b;
    signal_->SetLogScale(b);
    sector_->SetLogScale(b);
    if (b) {
        if (value_ <= 0) value_ = 0.001f;
        int e;
        const float from = signal_->ValueFrom();
        signal_->SetValueFrom(from > 0 ? static_cast<float>(SnapToDecade(from, e)) : 0.001f);
        signal_->SetValueTo(static_cast<float>(SnapToDecade(signal_->ValueTo(), e)));
        logFactors();
    }
    digitFromValue();
    LogScaleChanged();
}

void TVnAnalogGControl::SettingsChanged()
{
    signal_->Recompute();
    if (logScale_) {
        logFactors();
        if (value_ <= 0) value_ = 1;
    }
    digitFromValue();
    if (onSettingsChange_) onSettingsChange_(this);
}

void TVnAnalogGControl::CheckLimits()
{
    const bool above = value_ > limitUpper_;
    const bool below = !(value_ >= limitLower_);
    if (above == aboveUpper_ && below == belowLower_) return;
    aboveUpper_ = above;
    belowLower_ = below;
    LimitChanged();
    if (onLimit_) onLimit_(this, belowLower_, aboveUpper_);
}

void TVnAnalogGControl::ValueChanged()
{
    valueText_ = FormatFloat(signal_->ValueFormat(), value_);
    // A digit range of no width puts every digit past one end (or at the start for the start digit).
    const double pos = 1000.0 / signal_->DigitSpan() * (double(digit_) - signal_->DigitalFrom());
    ppt_ = RoundSaturated(pos, 0);

    for (int k = 0; k < 3; ++k) {
        const bool in = sector_->InSector(k, ppt_);
        if (in == inSector_[k]) continue;
        inSector_[k] = in;
        if (onSectorChange_) onSectorChange_(this, k == 0, k == 1, k == 2, in);
    }

    CheckLimits();

    if (ppt_ < 0) {
        if (!underflow_) {
            underflow_ = true;
            overflow_ = false;
            OverflowChanged(ppt_);
            if (onOverflow_) onOverflow_(this, ppt_);
        }
        ppt_ = 0;
    } else if (ppt_ > 1000) {
        if (!overflow_) {
            overflow_ = true;
            underflow_ = false;
            OverflowChanged(ppt_);
            if (onOverflow_) onOverflow_(this, ppt_);
        }
        ppt_ = 1000;
    } else if (overflow_ || underflow_) {
        overflow_ = underflow_ = false;
        OverflowChanged(ppt_);
        if (onOverflow_) onOverflow_(this, ppt_);
    }

    if (IsDesigning()) {
        maxPpt_ = minPpt_ = ppt_;
    } else {
        if (minMax_->Min() > value_) {
            const float old = minMax_->Min();
            minMax_->SetMin(value_);
            minPpt_ = ppt_;
            if (old != TMinMax::InitialMin) MinMaxChanged();
        }
        if (minMax_->Max() < value_) {
            const float old = minMax_->Max();
            minMax_->SetMax(value_);
            maxPpt_ = ppt_;
            if (old != TMinMax::InitialMax) MinMaxChanged();
        }
    }

    UpdateHint();
    if (onValueChange_) onValueChange_(this);
}

void TVnAnalogGControl::MinMaxChanged()
{
    if (onMinMaxChange_) onMinMaxChange_(this);
    ValueChanged();
}

void TVnAnalogGControl::UpdateHint()
{
    // While loading the readings are not complete yet: Loaded() makes the hint.
    if (!hintOptions_.Contains(hoAutoHint) || IsDesigning() || IsLoading()) return;
    const String& unit = signal_->ValueUnit();
    const String& format = signal_->ValueFormat();
    if (format != hintFormat_ || unit != hintUnit_ || hintOptions_ != hintPieceOptions_) {
        hintFormat_ = format;
        hintUnit_ = unit;
        hintPieceOptions_ = hintOptions_;
        hintMin_.valid = hintMax_.valid = false;
    }
    String text;
    auto add = [&](const String& piece) {
        if (!text.empty()) text += '\r';
        text += piece;
    };
    auto extreme = [&](THintPiece& piece, const char* label, float v, TDateTime when) {
        if (!piece.valid || piece.value != v || piece.when != when) {
            piece.text = label + FormatFloat(format, v) + " " + unit;
            if (hintOptions_.Contains(hoMinMaxDate)) piece.text += " " + DateToStr(when);
            if (hintOptions_.Contains(hoMinMaxTime)) piece.text += " " + FormatDateTime("t", when);
            piece.valid = true;
            piece.value = v;
            piece.when = when;
        }
        add(piece.text);
    };
    if (hintOptions_.Contains(hoValue)) add("Value= " + valueText_ + " " + unit);
    if (hintOptions_.Contains(hoMin)) extreme(hintMin_, "MIN= ", minMax_->Min(), minMax_->MinDateTime());
    if (hintOptions_.Contains(hoMax)) extreme(hintMax_, "MAX= ", minMax_->Max(), minMax_->MaxDateTime());
    if (hintOptions_.Contains(hoName1)) add(signal_->Name1());
    if (hintOptions_.Contains(hoName2)) add(signal_->Name2());
    SetHint(text);
}
