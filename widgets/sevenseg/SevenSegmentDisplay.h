#pragma once
// Multi-digit seven-segment displays: TiSevenSegmentDisplay holds the segment settings, spacing
// and margins and one hidden character cell that draws every digit; TiSevenSegmentAnalog shows a
// floating-point value with fixed decimals, a sign cell, leading blanks or zeros and an overflow
// pattern.
#include <functional>

#include "platform/classes/Assign.h"
#include "widgets/sevenseg/ReadoutLayout.h"
#include "widgets/sevenseg/SevenSegmentCharacter.h"

class TiSevenSegmentDisplay : public TiCustomComponent {
    TV_CLASS(TiSevenSegmentDisplay, TiCustomComponent)
public:
    explicit TiSevenSegmentDisplay(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) override;
    int DigitSpacing() const { return digitSpacing_; }
    void SetDigitSpacing(int value);
    int SegmentMargin() const { return segmentMargin_; }
    void SetSegmentMargin(int value);
    TColor SegmentColor() const { return segmentColor_; }
    void SetSegmentColor(TColor value);
    TColor SegmentOffColor() const { return segmentOffColor_; }
    void SetSegmentOffColor(TColor value);
    bool AutoSegmentOffColor() const { return autoSegmentOffColor_; }
    void SetAutoSegmentOffColor(bool value);
    int SegmentSeperation() const { return segmentSeperation_; }
    void SetSegmentSeperation(int value);
    int SegmentSize() const { return segmentSize_; }
    void SetSegmentSize(int value);
    bool ShowOffSegments() const { return showOffSegments_; }
    void SetShowOffSegments(bool value)
    {
        if (AssignIfChanged(showOffSegments_, value)) InvalidateChange();
    }
    bool PowerOff() const { return powerOff_; }
    void SetPowerOff(bool value)
    {
        if (AssignIfChanged(powerOff_, value)) InvalidateChange();
    }
    const TNotifyEvent& OnValueChange() const { return onValueChange_; }
    void SetOnValueChange(const TNotifyEvent& e) { onValueChange_ = e; }
    // Called after an automatic resize; assignable from code only.
    void SetAutoSizeHook(std::function<void(TObject* sender)> hook) { autoSizeHook_ = std::move(hook); }

    // Width and height the digits need.
    virtual void GetNaturalSize(int& width, int& height) = 0;
    void ApplyAutoSize();
    void CopySettingsToCell();
    TiSevenSegmentCharacter& Cell() { return *cell_; }

protected:
    TiSevenSegmentCharacter* cell_;  // owned as a component, never shown
    int digitCount_ = 4;
    TiLeadingStyle leadingStyle_ = ilsSpaces;

private:
    bool autoSize_ = true;
    int digitSpacing_ = 6;
    int segmentMargin_ = 5;
    TColor segmentColor_ = 0xFFFFFF;
    int segmentSeperation_ = 1;
    int segmentSize_ = 1;
    bool showOffSegments_ = true;
    bool powerOff_ = false;
    TNotifyEvent onValueChange_;
    std::function<void(TObject* sender)> autoSizeHook_;
    bool autoSegmentOffColor_ = true;
    TColor segmentOffColor_ = 0x808080;
};

class TiSevenSegmentAnalog : public TiSevenSegmentDisplay {
    TV_CLASS(TiSevenSegmentAnalog, TiSevenSegmentDisplay)
public:
    explicit TiSevenSegmentAnalog(TComponent* owner);

    // Values above 1e15 are stored as 1e15. Values that cannot be shown show the overflow pattern.
    double Value() const { return value_; }
    void SetValue(double value);
    bool ShowSign() const { return showSign_; }
    void SetShowSign(bool value);
    int Precision() const { return precision_; }
    void SetPrecision(int value);
    int DigitCount() const { return digitCount_; }
    void SetDigitCount(int value);
    TiLeadingStyle LeadingStyle() const { return leadingStyle_; }
    void SetLeadingStyle(TiLeadingStyle value)
    {
        if (AssignIfChanged(leadingStyle_, value)) InvalidateChange();
    }

    void GetNaturalSize(int& width, int& height) override;
    void PaintTo(TCanvas& canvas) override;
    // Where the cells go and what they show, for the current size and value.
    std::vector<ReadoutCell> Layout() const;

private:
    double value_ = 0.0;
    bool showSign_ = true;
    int precision_ = 2;
};

// Registers the seven-segment classes so stored descriptions can create them by name.
void RegisterSevenSegmentClasses();
