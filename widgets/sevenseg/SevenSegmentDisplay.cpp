#include "widgets/sevenseg/SevenSegmentDisplay.h"

#include <algorithm>
#include <cmath>

#include "platform/classes/Assign.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/rtl/FormatSettings.h"
#include "widgets/sevenseg/ReadoutLayout.h"

namespace {
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
    if (AssignIfChanged(autoSize_, value)) {
        ApplyAutoSize();
        InvalidateChange();
    }
}

void TiSevenSegmentDisplay::SetDigitSpacing(int value)
{
    if (AssignIfChanged(digitSpacing_, value)) {
        InvalidateChange();
        ApplyAutoSize();
    }
}

void TiSevenSegmentDisplay::SetSegmentMargin(int value)
{
    if (AssignIfChanged(segmentMargin_, std::max(value, 0))) {
        InvalidateChange();
        ApplyAutoSize();
    }
}

void TiSevenSegmentDisplay::SetSegmentColor(TColor value)
{
    if (AssignIfChanged(segmentColor_, value)) {
        InvalidateChange();
        cell_->SetSegmentColor(value);
    }
}

void TiSevenSegmentDisplay::SetSegmentOffColor(TColor value)
{
    if (AssignIfChanged(segmentOffColor_, value)) {
        InvalidateChange();
        cell_->SetSegmentOffColor(value);
    }
}

void TiSevenSegmentDisplay::SetAutoSegmentOffColor(bool value)
{
    if (AssignIfChanged(autoSegmentOffColor_, value)) {
        InvalidateChange();
        cell_->SetAutoSegmentOffColor(value);
    }
}

void TiSevenSegmentDisplay::SetSegmentSeperation(int value)
{
    if (AssignIfChanged(segmentSeperation_, std::max(value, 0))) {
        InvalidateChange();
        cell_->SetSegmentSeperation(segmentSeperation_);
    }
}

void TiSevenSegmentDisplay::SetSegmentSize(int value)
{
    if (AssignIfChanged(segmentSize_, std::clamp(value, 1, 100))) {
        InvalidateChange();
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
    if (IsLoading() || !autoSize_) return;
    int w = 0, h = 0;
    GetNaturalSize(w, h);
    SetBounds(Left(), Top(), w, h);
    if (autoSizeHook_) autoSizeHook_(this);
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
    if (value > kMaxValue) value = kMaxValue;
    // NaN never equals itself; a second NaN is no change either.
    if (value == value_ || (std::isnan(value) && std::isnan(value_))) return;
    if (!AllowChange("Value")) return;
    const std::vector<ReadoutCell> shown = Layout();
    value_ = value;
    if (Layout() != shown) InvalidateChange();  // a value that shows as the same cells paints nothing
    AfterChange("Value");
    if (OnValueChange()) OnValueChange()(this);
}

void TiSevenSegmentAnalog::SetShowSign(bool value)
{
    if (AssignIfChanged(showSign_, value)) {
        InvalidateChange();
        ApplyAutoSize();
    }
}

void TiSevenSegmentAnalog::SetPrecision(int value)
{
    if (AssignIfChanged(precision_, std::clamp(value, 0, 13))) {
        InvalidateChange();
        ApplyAutoSize();
    }
}

void TiSevenSegmentAnalog::SetDigitCount(int value)
{
    if (AssignIfChanged(digitCount_, std::clamp(value, 1, 32))) {
        InvalidateChange();
        ApplyAutoSize();
    }
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
    for (const ReadoutCell& c : Layout()) cell_->DrawCharacter(canvas, c.X, c.Y, c.Width, c.Height, c.Value);
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
