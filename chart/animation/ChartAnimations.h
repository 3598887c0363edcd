#pragma once
// Lines drawing themselves, bars sliding to new places, one 3-D turn, and a point's pointer
// swelling and shrinking back.
#include <iterator>
#include <memory>
#include <vector>

#include "chart/animation/ZebAnimations.h"
#include "chart/core/ChartInput.h"
#include "platform/graphics/GraphicsTypes.h"

class TSeriesPointer;
class TView3DOptions;

class TLineAnimation : public TCustomAnimationChart {
    TV_CLASS(TLineAnimation, TCustomAnimationChart)
public:
    using TCustomAnimationChart::TCustomAnimationChart;
    String GetDescriptionText() const override { return "Progressive Lines"; }
    void Prepare() override;
    void ApplyFraction(float fraction) override;
    void DoStop() override;
    bool Finish() override;
    // Sets the drawn fraction of the lines acted on; true when any was set.
    bool SetLineFraction(float fraction);

private:
    struct Saved {
        TComponent* series;
        int drawStyle;
    };
    std::vector<Saved> saved_;
};

// Rectangles of every bar of a chart: per series in list order, per point.
using TSeriesTransitionData = std::vector<std::vector<TRect>>;

class TSeriesTransitionAnimation : public TCustomAnimationChart {
    TV_CLASS(TSeriesTransitionAnimation, TCustomAnimationChart)
public:
    using TCustomAnimationChart::TCustomAnimationChart;
    ~TSeriesTransitionAnimation() override;
    String GetDescriptionText() const override { return "Series Transition"; }
    // Called before the data or the layout changes.
    void CaptureStartBars() { captureBars(startBars_); }
    void Prepare() override;
    void ApplyFraction(float fraction) override;
    void DoStop() override;
    float Fraction() const { return fraction_; }

private:
    void captureBars(TSeriesTransitionData& data) const;
    void installHooks(bool on);

    TSeriesTransitionData startBars_, endBars_;
    float fraction_ = 0;
};

class TRotate3DAnimation : public TCustomAnimationChart {
    TV_CLASS(TRotate3DAnimation, TCustomAnimationChart)
public:
    explicit TRotate3DAnimation(TComponent* owner);
    ~TRotate3DAnimation() override;
    String EditorFormClassName() const override { return "TRotate3DAnimEditor"; }
    String GetDescriptionText() const override { return "Rotate Chart"; }
    void Prepare() override;
    void ApplyFraction(float fraction) override;
    bool Finish() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TView3DOptions> saved_;
    TCustomAxisPanel* savedChart_ = nullptr;
    bool savedView3D_ = false;
};

// Names of the clicked chart parts as the animations store them.
inline constexpr const char* ClickedPartStyleNames[] = {
    "cpNone",        "cpLegend",       "cpAxis",           "cpSeries",     "cpTitle",    "cpFoot",
    "cpChartRect",   "cpSeriesMarks",  "cpSeriesPointer",  "cpSubTitle",   "cpSubFoot",  "cpAxisTitle"};
static_assert(std::size(ClickedPartStyleNames) == cpAxisTitle + 1);

enum TAnimationTrigger { atMouseClick, atMouseOver };
inline constexpr const char* TAnimationTriggerNames[] = {"atMouseClick", "atMouseOver"};

class TCustomExpandAnimation : public TZebAnimation {
    TV_CLASS(TCustomExpandAnimation, TZebAnimation)
public:
    explicit TCustomExpandAnimation(TComponent* owner);
    void Assign(TPersistent* source) override;

    int SizeBy() const { return sizeBy_; }
    void SetSizeBy(int value) { sizeBy_ = value; }
    TChartClickedPartStyle Target() const { return target_; }
    void SetTarget(TChartClickedPartStyle value) { target_ = value; }
    TAnimationTrigger Trigger() const { return trigger_; }
    void SetTrigger(TAnimationTrigger value) { trigger_ = value; }

    TChartClickedPart ClickedPart;
    int LastPointIndex = -2;

    String EditorFormClassName() const override { return "TExpandAnimationEdit"; }
    void Prepare() override;
    void ApplyFraction(float fraction) override;
    bool Finish() override;
    // The per-point pointer of the clicked point; none unless a series pointer was hit.
    TSeriesPointer* Pointer() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    int sizeBy_ = 10;
    TChartClickedPartStyle target_ = cpSeriesPointer;
    TAnimationTrigger trigger_ = atMouseOver;
    TSeriesPointer* pointer_ = nullptr;  // the one Prepare saved
    int savedHoriz_ = 0, savedVert_ = 0;
};

struct TZebTransform;
class TChartAxis;

enum TTransformFade { tfNone, tfIn, tfOut };
inline constexpr const char* TTransformFadeNames[] = {"tfNone", "tfIn", "tfOut"};
// Scoped: the platform's tab controls name a tsNone of their own.
enum class TTransformScale { tsNone, tsHorizontal, tsVertical, tsBoth };
inline constexpr const char* TTransformScaleNames[] = {"tsNone", "tsHorizontal", "tsVertical", "tsBoth"};
enum TTransformTranslate {
    ttFromLeft,
    ttFromRight,
    ttFromTop,
    ttFromBottom,
    ttFromTopLeft,
    ttFromTopRight,
    ttFromBottomLeft,
    ttFromBottomRight,
    ttNone
};
inline constexpr const char* TTransformTranslateNames[] = {
    "ttFromLeft",     "ttFromRight",    "ttFromTop",         "ttFromBottom", "ttFromTopLeft",
    "ttFromTopRight", "ttFromBottomLeft", "ttFromBottomRight", "ttNone"};
enum TTransformZoom { tzNone, tzIn, tzOut };
inline constexpr const char* TTransformZoomNames[] = {"tzNone", "tzIn", "tzOut"};

// Slides, zooms, scales, turns and fades one part of a chart through the element transform the
// canvas applies while the part is drawn; only a fade changes a setting, and it goes back at the
// end.
class TTransformAnimation : public TCustomAnimationChart {
    TV_CLASS(TTransformAnimation, TCustomAnimationChart)
public:
    using TCustomAnimationChart::TCustomAnimationChart;
    ~TTransformAnimation() override;
    void Assign(TPersistent* source) override;

    TChartAxis* Axis() const { return axis_; }
    void SetAxis(TChartAxis* value) { axis_ = value; }
    bool Clip() const { return clip_; }
    void SetClip(bool value) { clip_ = value; }
    TTransformFade Fade() const { return fade_; }
    void SetFade(TTransformFade value) { fade_ = value; }
    int MaxZoom() const { return maxZoom_; }
    void SetMaxZoom(int value) { maxZoom_ = value; }
    int RotateMin() const { return rotateMin_; }
    void SetRotateMin(int value) { rotateMin_ = value; }
    int RotateMax() const { return rotateMax_; }
    void SetRotateMax(int value) { rotateMax_ = value; }
    TTransformScale Scale() const { return scale_; }
    void SetScale(TTransformScale value) { scale_ = value; }
    TChartClickedPartStyle Target() const { return target_; }
    void SetTarget(TChartClickedPartStyle value) { target_ = value; }
    TTransformTranslate TranslateStyle() const { return translateStyle_; }
    void SetTranslateStyle(TTransformTranslate value) { translateStyle_ = value; }
    bool UseBounds() const { return useBounds_; }
    void SetUseBounds(bool value) { useBounds_ = value; }
    TTransformZoom ZoomStyle() const { return zoomStyle_; }
    void SetZoomStyle(TTransformZoom value) { zoomStyle_ = value; }

    String EditorFormClassName() const override { return "TTransformEditor"; }
    String GetDescriptionText() const override { return "Transform"; }
    void ComputeTransform(TZebTransform& transform, const TRect& bounds, float fraction);
    int FadeValue(float fraction) const;
    void CopyStyle(const TTransformAnimation& source);
    void ApplyFraction(float fraction) override;
    bool Finish() override;
    void Loaded() override;
    TZebTransform* LastTransform() const { return last_; }

protected:
    void DefineProperties(TFiler& filer) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void shapeStep(class TZebCustomShape* shape, float fraction);
    void seriesStep(TChartSeries* series, float fraction);
    void axisStep(TChartAxis* axis, float fraction);
    void remember(TCustomAxisPanel* chart);

    TChartAxis* axis_ = nullptr;
    bool clip_ = true;
    TTransformFade fade_ = tfNone;
    int maxZoom_ = 300;
    int rotateMin_ = 0, rotateMax_ = 0;
    TTransformScale scale_ = TTransformScale::tsNone;
    TChartClickedPartStyle target_ = cpSeries;
    TTransformTranslate translateStyle_ = ttFromLeft;
    bool useBounds_ = true;
    TTransformZoom zoomStyle_ = tzNone;

    int axisID_ = -1;
    TZebTransform* last_ = nullptr;
    TCustomAxisPanel* remembered_ = nullptr;
    // What the run changed, put back at Finish.
    struct Touched {
        TObject* owner;           // series, marks' series, shape or axis
        TZebTransform* transform;
        bool ownsTransform;       // made here for a series
        int transparency;         // -1: not faded
        int marksClip;            // -1: not saved
    };
    std::vector<Touched> touched_;
    std::vector<std::unique_ptr<TZebTransform>> owned_;
    int savedTransparency_ = -1;
};
