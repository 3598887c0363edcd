#pragma once
// TiSevenSegmentCharacter: one seven-segment character. Its DrawCharacter also draws every digit
// cell of the multi-digit displays.
#include <functional>

#include "platform/classes/Assign.h"
#include "widgets/sevenseg/SevenSegmentGlyphs.h"
#include "widgets/sevenseg/VCLComponent.h"

class TiSevenSegmentCharacter : public TiCustomComponent {
    TV_CLASS(TiSevenSegmentCharacter, TiCustomComponent)
public:
    explicit TiSevenSegmentCharacter(TComponent* owner);

    TSevenSegmentCharacter Value() const { return value_; }
    void SetValue(TSevenSegmentCharacter value);
    char Character() const { return SegmentValueToCharacter(value_); }
    void SetCharacter(char c) { SetValue(CharacterToSegmentValue(c)); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) override;
    TColor SegmentColor() const { return segmentColor_; }
    void SetSegmentColor(TColor value)
    {
        if (AssignIfChanged(segmentColor_, value)) InvalidateChange();
    }
    TColor SegmentOffColor() const { return segmentOffColor_; }
    void SetSegmentOffColor(TColor value)
    {
        if (AssignIfChanged(segmentOffColor_, value)) InvalidateChange();
    }
    bool AutoSegmentOffColor() const { return autoSegmentOffColor_; }
    void SetAutoSegmentOffColor(bool value)
    {
        if (AssignIfChanged(autoSegmentOffColor_, value)) InvalidateChange();
    }
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
    int SegmentMargin() const { return segmentMargin_; }
    void SetSegmentMargin(int value);
    int SegmentSeperation() const { return segmentSeperation_; }
    void SetSegmentSeperation(int value)
    {
        if (AssignIfChanged(segmentSeperation_, std::max(value, 0))) InvalidateChange();
    }
    int SegmentSize() const { return segmentSize_; }
    void SetSegmentSize(int value);
    bool UseSegmentBits() const { return useSegmentBits_; }
    void SetUseSegmentBits(bool value)
    {
        if (AssignIfChanged(useSegmentBits_, value)) InvalidateChange();
    }
    bool SegOn(int index) const { return (segmentBits_ >> index) & 1; }
    void SetSegOn(int index, bool on);
    Byte SegmentBits() const { return segmentBits_; }
    void SetSegmentBits(Byte bits);

    // Published accessors of the seven flags.
    bool SegAOn() const { return SegOn(0); }
    void SetSegAOn(bool v) { SetSegOn(0, v); }
    bool SegBOn() const { return SegOn(1); }
    void SetSegBOn(bool v) { SetSegOn(1, v); }
    bool SegCOn() const { return SegOn(2); }
    void SetSegCOn(bool v) { SetSegOn(2, v); }
    bool SegDOn() const { return SegOn(3); }
    void SetSegDOn(bool v) { SetSegOn(3, v); }
    bool SegEOn() const { return SegOn(4); }
    void SetSegEOn(bool v) { SetSegOn(4, v); }
    bool SegFOn() const { return SegOn(5); }
    void SetSegFOn(bool v) { SetSegOn(5, v); }
    bool SegGOn() const { return SegOn(6); }
    void SetSegGOn(bool v) { SetSegOn(6, v); }

    // Colours of one drawing: unlit segments, and lit ones (the off colour while powered off).
    TColor OffColor() const;
    TColor OnColor() const;
    // One cell at (x0, y0), w by h, with the current settings; no background.
    void DrawCharacter(TCanvas& canvas, int x0, int y0, int w, int h, TSevenSegmentCharacter value);

    int NaturalWidth() const;
    int NaturalHeight() const;
    void ApplyAutoSize();
    // Called after an automatic resize; assignable from code only.
    void SetAutoSizeHook(std::function<void(TObject* sender)> hook) { autoSizeHook_ = std::move(hook); }

    void PaintTo(TCanvas& canvas) override;

private:
    TSevenSegmentCharacter value_ = ssc0;
    bool autoSize_ = true;
    TColor segmentColor_ = 0x00FF00;
    TColor segmentOffColor_ = 0x008000;
    bool autoSegmentOffColor_ = true;
    bool showOffSegments_ = true;
    bool powerOff_ = false;
    int segmentMargin_ = 2;
    int segmentSeperation_ = 1;
    int segmentSize_ = 1;
    bool useSegmentBits_ = false;
    Byte segmentBits_ = 0;
    std::function<void(TObject* sender)> autoSizeHook_;
};
