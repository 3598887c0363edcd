#pragma once
// Round needle meters: bevels, names, a circular scale, three coloured sectors, a unit text, minimum
// and maximum markers and a needle. A full paint draws everything and keeps the pixels under the
// needle; a value change afterwards repaints only the needle's rectangle from that cache. While the
// value is out of range or beyond a limit the needle blinks at 2 Hz through the flash timer.
#include <iterator>

#include "widgets/meters/AnalogControl.h"
#include "widgets/meters/NeedleShape.h"
#include "widgets/meters/ScaleSettings.h"

class TBitmap;
class TFont;

enum TRMeterOption { opBevelInner, opBevelOuter, opName1, opName2, opOverflow, opLimit, opSector, opUnit };
inline constexpr const char* TRMeterOptionNames[] = {"opBevelInner", "opBevelOuter", "opName1",  "opName2",
                                                     "opOverflow",   "opLimit",      "opSector", "opUnit"};
static_assert(std::size(TRMeterOptionNames) == opUnit + 1);
using TRMeterOptions = TSet<TRMeterOption>;
constexpr TRMeterOptions AllRMeterOptions{opBevelInner, opBevelOuter, opName1,  opName2,
                                          opOverflow,   opLimit,      opSector, opUnit};

class TVnRMeter : public TVnAnalogGControl {
    TV_CLASS(TVnRMeter, TVnAnalogGControl)
public:
    explicit TVnRMeter(TComponent* owner);
    ~TVnRMeter() override;
    void Loaded() override;

    TArrowSettings* ArrowSettings() const { return arrow_.get(); }
    void SetArrowSettings(TArrowSettings* v) { arrow_->Assign(v); }
    TFont* FontUnit() const { return fontUnit_.get(); }
    void SetFontUnit(TFont* v);
    TVnSBevel* BevelInner() const { return bevelInner_.get(); }
    void SetBevelInner(TVnSBevel* v) { bevelInner_->Assign(v); }
    TVnSBevel* BevelOuter() const { return bevelOuter_.get(); }
    void SetBevelOuter(TVnSBevel* v) { bevelOuter_->Assign(v); }
    TRMeterOptions Options() const { return options_; }
    void SetOptions(TRMeterOptions v);
    TScaleSettings* ScaleSettings() const { return scale_.get(); }
    void SetScaleSettings(TScaleSettings* v) { scale_->Assign(v); }
    bool MeterAutoSize() const { return autoSize_; }
    void SetAutoSize(bool v) override;

    // State of the last paint and of the blinking.
    bool TooSmall() const { return tooSmall_; }
    bool Blinking() const { return blinking_; }
    TColor BlinkColour() const { return blinkColour_; }
    const TRect& NeedleRect() const { return needleRect_; }
    const TNeedleShape& Needle() const { return needle_; }
    const TNeedleShape& DrawnNeedle() const { return drawn_; }
    int StartAngle() const { return startAngle_; }
    int Sweep() const { return sweep_; }

    // Draws the needle area (cached face, markers, needle, hubs) onto a canvas of this control.
    void RedrawNeedle(TCanvas& canvas);
    // Repaints the whole face on the next paint (settings, size and visibility changes do this).
    void Invalidate() override;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void BoundsChanged() override;
    void SettingsChanged() override;
    void ValueChanged() override;
    void OverflowChanged(int ppt) override;
    void LimitChanged() override;
    void LogScaleChanged() override;

    // Geometry of the subclasses: start angle and span of the scale, width-to-height ratio, kind.
    void SetGeometry(int startAngle, int sweep, float scaleFactor, int kind);
    int Kind() const { return kind_; }

private:
    void invalidateUnlessLocked();
    void measure(TCanvas& canvas);
    void paintFace(TCanvas& canvas);
    void drawSectors(TCanvas& canvas, const TRect& sr);
    void updateBlinking();
    void requestNeedle();

    TOwnedPtr<TArrowSettings> arrow_;
    TOwnedPtr<TFont> fontUnit_;
    TOwnedPtr<TVnSBevel> bevelInner_;
    TOwnedPtr<TVnSBevel> bevelOuter_;
    TRMeterOptions options_ = AllRMeterOptions;
    TOwnedPtr<TScaleSettings> scale_;
    bool autoSize_ = true;

    bool tooSmall_ = false;
    TOwnedPtr<TBitmap> background_;
    TOwnedPtr<TBitmap> face_;  // the whole control as the last full paint left it, without the needle
    bool faceDirty_ = true;    // the next paint redraws the face
    bool blinking_ = false;
    TColor blinkColour_ = TColor(0x0000FF);
    bool inValueUpdate_ = false;
    bool needleRequested_ = false;  // a needle repaint is asked for and has not run yet
    // What decides the needle's pixels: its position, the min and max markers and the blinking.
    struct TNeedleState {
        int ppt = 0, minPpt = 0, maxPpt = 0;
        bool blinking = false;
        TColor blinkColour = clNone;
        bool operator==(const TNeedleState&) const = default;
    };
    TNeedleState needleState() const;
    TNeedleState drawnState_;
    bool needleDrawn_ = false;  // drawnState_ is what the control shows
    TNeedleShape needle_;
    TNeedleShape drawn_;
    TPoint markerBase_[6] = {};
    TPoint minMarker_[3] = {};
    TPoint maxMarker_[3] = {};
    TSize name1Size_, name2Size_, unitSize_;
    int measuredWidth_ = 0, measuredHeight_ = 0;
    TRect needleRect_;
    float scaleFactor_ = 2;
    int startAngle_ = 270;
    int sweep_ = 180;
    int kind_ = 0;
    bool loadedOnce_ = false;
    TCanvas* paintCanvas_ = nullptr;  // the canvas of the paint in progress
};

// 180-degree meter: scale from 9 o'clock over 12 to 3 o'clock.
class TVn180Meter : public TVnRMeter {
    TV_CLASS(TVn180Meter, TVnRMeter)
public:
    explicit TVn180Meter(TComponent* owner);
};

// 120-degree meter: scale from 300 to 60 degrees.
class TVn120Meter : public TVnRMeter {
    TV_CLASS(TVn120Meter, TVnRMeter)
public:
    explicit TVn120Meter(TComponent* owner);
};
