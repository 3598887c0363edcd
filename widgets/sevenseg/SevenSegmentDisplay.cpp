#include "widgets/sevenseg/SevenSegmentDisplay.h"

#include <algorithm>
#include <cmath>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/rtl/FormatSettings.h"
#include "widgets/sevenseg/ReadoutLayout.h"

namespace {
constexpr const char* TiBevelStyleNames[] = {"ibsNone", "ibsRaised", "ibsLowered"};
constexpr const char* TiLeadingStyleNames[] = {"ilsNone", "ilsZeros", "ilsSpaces"};
constexpr double kMaxValue = 1e15;
}  // namespace

TV_PUBLISHED(TiSevenSegmentDisplay)
{
    using C = TiSevenSegmentDisplay;
    Prop("AutoSize", &C::AutoSize, &C::SetAutoSize, true);
    Prop("DigitSpacing", &C::DigitSpacing, &C::SetDigitSpacing, 6);
    Prop("SegmentMargin", &C::SegmentMargin, &C::SetSegmentMargin, 5);
    PropColor("SegmentColor", &C::SegmentColor, &C::SetSegmentColor, 0xFFFFFF);
    PropColor("SegmentOffColor", &C::SegmentOffColor, &C::SetSegmentOffColor, 0x808080);
    Prop("AutoSegmentOffColor", &C::AutoSegmentOffColor, &C::SetAutoSegmentOffColor, true);
    Prop("SegmentSeperation", &C::SegmentSeperation, &C::SetSegmentSeperation, 1);
    Prop("SegmentSize", &C::SegmentSize, &C::SetSegmentSize, 1);
    Prop("ShowOffSegments", &C::ShowOffSegments, &C::SetShowOffSegments, true);
    Prop("PowerOff", &C::PowerOff, &C::SetPowerOff, false);
    Prop("OnValueChange", &C::OnValueChange, &C::SetOnValueChange);
    PropColor("BackGroundColor", &C::BackGroundColor, &C::SetBackGroundColor, clBlack);
    PropEnum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, ibsNone, TiBevelStyleNames);
    Prop("Transparent", &C::Transparent, &C::SetTransparent, false);
}

TV_PUBLISHED(TiSevenSegmentAnalog)
{
    using C = TiSevenSegmentAnalog;
    Prop("DigitCount", &C::DigitCount, &C::SetDigitCount, 4);
    PropEnum("LeadingStyle", &C::LeadingStyle, &C::SetLeadingStyle, ilsSpaces, TiLeadingStyleNames);
    Prop("Precision", &C::Precision, &C::SetPrecision, 2);
    Prop("ShowSign", &C::ShowSign, &C::SetShowSign, true);
    Prop("Value", &C::Value, &C::SetValue, 0.0);
}

TiSevenSegmentDisplay::TiSevenSegmentDisplay(TComponent* owner) : TiCustomComponent(owner)
{
    SetBounds(Left(), Top(), 15, 15);
    SetBackGroundColor(clBlack);
    cell_ = new TiSevenSegmentCharacter(this);
    cell_->BeginUpdate();  // draws only when asked, never repaints by itself
    cell_->SetSegmentMargin(0);
    cell_->SetAutoSize(false);
    CopySettingsToCell();
}

void TiSevenSegmentDisplay::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    ApplyAutoSize();
    InvalidateChange();
}

void TiSevenSegmentDisplay::SetDigitSpacing(int value)
{
    if (SetAndChange(digitSpacing_, value, 0))
        ApplyAutoSize();
}

void TiSevenSegmentDisplay::SetSegmentMargin(int value)
{
    if (SetAndChange(segmentMargin_, std::max(value, 0), 0))
        ApplyAutoSize();
}

void TiSevenSegmentDisplay::SetSegmentColor(TColor value)
{
    if (SetAndChange(segmentColor_, value, 0))
        cell_->SetSegmentColor(value);
}

void TiSevenSegmentDisplay::SetSegmentOffColor(TColor value)
{
    if (SetAndChange(segmentOffColor_, value, 0))
        cell_->SetSegmentOffColor(value);
}

void TiSevenSegmentDisplay::SetAutoSegmentOffColor(bool value)
{
    if (SetAndChange(autoSegmentOffColor_, value, 0))
        cell_->SetAutoSegmentOffColor(value);
}

void TiSevenSegmentDisplay::SetSegmentSeperation(int value)
{
    if (SetAndChange(segmentSeperation_, std::max(value, 0), 0))
        cell_->SetSegmentSeperation(segmentSeperation_);
}

void TiSevenSegmentDisplay::SetSegmentSize(int value)
{
    if (SetAndChange(segmentSize_, std::clamp(value, 1, 100), 0)) {
        cell_->SetSegmentSize(segmentSize_);
        ApplyAutoSize();
    }
}

void TiSevenSegmentDisplay::CopySettingsToCell()
{
    cell_->SetSegmentMargin(0);
    cell_->SetSegmentColor(segmentColor_);
    cell_->SetSegmentOffColor(segmentOffColor_);
    cell_->SetAutoSegmentOffColor(autoSegmentOffColor_);
    cell_->SetSegmentSize(segmentSize_);
    cell_->SetSegmentSeperation(segmentSeperation_);
    cell_->SetShowOffSegments(showOffSegments_);
    cell_->SetPowerOff(powerOff_);
}

void TiSevenSegmentDisplay::ApplyAutoSize()
{
    if (IsLoading() || !autoSize_)
        return;
    int w = 0, h = 0;
    GetNaturalSize(w, h);
    SetBounds(Left(), Top(), w, h);
    if (OnAutoSize)
        OnAutoSize(this);
}

// ---------------------------------------------------------------------------------------------

TiSevenSegmentAnalog::TiSevenSegmentAnalog(TComponent* owner) : TiSevenSegmentDisplay(owner)
{
    showSign_ = true;
    precision_ = 2;
    ApplyAutoSize();
}

void TiSevenSegmentAnalog::SetValue(double value)
{
    if (value > kMaxValue)
        value = kMaxValue;
    // NaN never equals itself; a second NaN is no change either.
    if (value == value_ || (std::isnan(value) && std::isnan(value_)))
        return;
    if (!AllowChange("Value"))
        return;
    value_ = value;
    InvalidateChange();
    AfterChange("Value");
    if (OnValueChange())
        OnValueChange()(this);
}

void TiSevenSegmentAnalog::SetShowSign(bool value)
{
    if (SetAndChange(showSign_, value, 0))
        ApplyAutoSize();
}

void TiSevenSegmentAnalog::SetPrecision(int value)
{
    if (SetAndChange(precision_, std::clamp(value, 0, 13), 0))
        ApplyAutoSize();
}

void TiSevenSegmentAnalog::SetDigitCount(int value)
{
    if (SetAndChange(digitCount_, std::clamp(value, 1, 32), 0))
        ApplyAutoSize();
}

void TiSevenSegmentAnalog::GetNaturalSize(int& width, int& height)
{
    cell_->SetCharacter('0');
    const int n = digitCount_ + (showSign_ ? 1 : 0);
    width = (cell_->NaturalWidth() + DigitSpacing()) * n + 2 * SegmentMargin() - DigitSpacing();
    height = cell_->NaturalHeight() + 2 * SegmentMargin();
}

std::vector<ReadoutCell> TiSevenSegmentAnalog::Layout() const
{
    ReadoutSettings s;
    s.Width = Width();
    s.Height = Height();
    s.SegmentMargin = SegmentMargin();
    s.DigitSpacing = DigitSpacing();
    s.DigitCount = digitCount_;
    s.Precision = precision_;
    s.ShowSign = showSign_;
    s.LeadingStyle = leadingStyle_;
    s.DecimalSeparator = FormatSettings.DecimalSeparator;
    return AnalogReadoutCells(s, value_);
}

void TiSevenSegmentAnalog::PaintTo(TCanvas& canvas)
{
    CopySettingsToCell();
    DrawBackground(canvas, BackGroundColor());
    for (const ReadoutCell& c : Layout())
        cell_->DrawCharacter(canvas, c.X, c.Y, c.Width, c.Height, c.Value);
}

void RegisterSevenSegmentClasses()
{
    RegisterClasses({&TiSevenSegmentCharacter::StaticClass(), &TiSevenSegmentAnalog::StaticClass()});
}

namespace {
// Stored descriptions name the classes; the explicit call above is for programs that link the
// library without referring to these classes in code.
const bool registered = (RegisterSevenSegmentClasses(), true);
}  // namespace
