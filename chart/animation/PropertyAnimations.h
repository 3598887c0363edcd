#pragma once
// Animations of a published property found by a dotted path from an instance, and the sound
// animation.
#include <cmath>
#include <functional>
#include <vector>

#include "chart/animation/ZebAnimate.h"
#include "platform/classes/Persistent.h"

struct TPropInfo;
class TNumberAnimation;

// Where a property path ends: the object that holds the last segment, that segment, and the
// property (none when the path does not resolve). Besides published properties the walk knows
// "Item<n>" on lists and collections, "Text" on string lists, and the chart's own lists
// "SeriesList", "Tools" and "Animations" (read only: they are not published properties).
struct TResolvedProperty {
    TObject* Instance = nullptr;
    String Name;
    const TPropInfo* Info = nullptr;
};
TResolvedProperty ResolvePropertyPath(TObject* instance, const String& path);
// The property's value as a number (ordinals, enumerations, floats); 0 when it has none.
double ReadNumberProperty(TObject* instance, const String& name);
void WriteNumberProperty(TObject* instance, const String& name, double value);

class TPropertyAnimation : public TZebAnimation {
    TV_CLASS(TPropertyAnimation, TZebAnimation)
public:
    using TZebAnimation::TZebAnimation;
    ~TPropertyAnimation() override;
    void Assign(TPersistent* source) override;

    TObject* Instance() const { return instance_; }
    void SetInstance(TObject* value);
    // Published form: the instance when it is a component.
    TComponent* InstanceComponent() const;
    void SetInstanceComponent(TComponent* value) { SetInstance(value); }
    const String& PropertyName() const { return propertyName_; }
    void SetPropertyName(const String& value);
    int Special() const { return special_; }
    void SetSpecial(int value) { special_ = value; }

    virtual const TPropInfo* ResolveProperty();
    bool IsResolved() const;
    TObject* ResolvedInstance() const { return resolved_.Instance; }
    const String& ResolvedName() const { return resolved_.Name; }
    void SetBaseFolder(const String& path) override;
    String GetDisplayTitle() const override;
    String EditorFormClassName() const override { return "TAnimationEditors"; }
    bool CanPlay() const override;

    std::function<void(TObject* sender)> OnChangeNotify;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler& filer) override;

private:
    void changed();

    TObject* instance_ = nullptr;
    String propertyName_;
    TResolvedProperty resolved_;
    int special_ = 0;
};

// A path to a value read from another object, for the start or end of a number animation.
class TPropertyLink : public TPersistent {
    TV_CLASS(TPropertyLink, TPersistent)
public:
    explicit TPropertyLink(TNumberAnimation* owner = nullptr) : owner_(owner) {}
    void Assign(TPersistent* source) override;

    TComponent* Instance() const { return instance_; }
    void SetInstance(TComponent* value);
    const String& PropertyName() const { return propertyName_; }
    void SetPropertyName(const String& value);
    const TPropInfo* Resolve();
    // An instance or a path is set.
    bool InUse() const { return instance_ || !propertyName_.empty(); }
    // The value as a number; false when the link does not resolve.
    bool GetValue(double& value);
    // The owner forgets a freed instance through this.
    void InstanceFreed(TComponent* component);

private:
    TNumberAnimation* owner_;
    TComponent* instance_ = nullptr;
    String propertyName_;
    TResolvedProperty resolved_;
};

class TRangePropertyAnimation : public TPropertyAnimation {
    TV_CLASS(TRangePropertyAnimation, TPropertyAnimation)
public:
    using TPropertyAnimation::TPropertyAnimation;
    void Assign(TPersistent* source) override;

    bool KeepEndValue() const { return keepEndValue_; }
    void SetKeepEndValue(bool value) { keepEndValue_ = value; }
    bool UseEndValue() const { return useEndValue_; }
    void SetUseEndValue(bool value) { useEndValue_ = value; }
    bool UseStartValue() const { return useStartValue_; }
    void SetUseStartValue(bool value) { useStartValue_ = value; }

private:
    bool keepEndValue_ = false;
    bool useEndValue_ = true;
    bool useStartValue_ = true;
};

// Points (X, Y) of a shaping curve and samples computed from them. Stored as the binary "Curve":
// a 32-bit count, then the (X, Y) pairs as 64-bit floats, little-endian.
class TAnimationCurve : public TPersistent {
    TV_CLASS(TAnimationCurve, TPersistent)
public:
    TAnimationCurve();
    void Assign(TPersistent* source) override;

    bool Inverted() const { return inverted_; }
    void SetInverted(bool value) { inverted_ = value; }
    std::vector<double> X, Y, Samples;

    void ComputeSamples(int count);
    // The curve at x, linear between points, held at the end points outside them.
    double ValueAt(double x) const;
    bool HasData() const;
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

protected:
    void DefineProperties(TFiler& filer) override;

private:
    bool inverted_ = false;
};

using TAnimationSetValue = TMethodEvent<void(TZebAnimation* Sender, double Value)>;

class TNumberAnimation : public TRangePropertyAnimation {
    TV_CLASS(TNumberAnimation, TRangePropertyAnimation)
public:
    explicit TNumberAnimation(TComponent* owner);
    ~TNumberAnimation() override;
    void Assign(TPersistent* source) override;

    TAnimationCurve* Curve();
    void SetCurve(TAnimationCurve* value);
    bool HasCurve() const { return static_cast<bool>(curve_); }
    TPropertyLink* EndLink();
    void SetEndLink(TPropertyLink* value);
    TPropertyLink* StartLink();
    void SetStartLink(TPropertyLink* value);
    double EndValue() const { return endValue_; }
    void SetEndValue(double value) { endValue_ = value; }
    double StartValue() const { return startValue_; }
    void SetStartValue(double value) { startValue_ = value; }
    bool InitStart() const { return initStart_; }
    void SetInitStart(bool value) { initStart_ = value; }
    TAnimationSetValue OnSetValue;

    double GetStartValue();
    double GetEndValue();
    virtual double GetCurrentValue();
    virtual void SetCurrentValue(double value);
    void DefaultValues() override;
    void SetDuration(int value) override;

    bool CanPlay() const override;
    void Prepare() override;
    void DoStart() override;
    void ApplyFraction(float fraction) override;
    bool Finish() override;

    bool IsCurveStored() const { return curve_ && !curve_->X.empty(); }
    bool IsStartLinkStored() const { return startLink_ && startLink_->InUse(); }
    bool IsEndLinkStored() const { return endLink_ && endLink_->InUse(); }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Reads the resolved property; the held value when nothing resolved.
    double presentValue();

    std::unique_ptr<TAnimationCurve> curve_;
    std::unique_ptr<TPropertyLink> startLink_, endLink_;
    double startValue_ = 0, endValue_ = 0;
    bool initStart_ = false;
    double current_ = 0;
    double before_ = 0;
};

enum TColorAnimationMethod { cmRGB, cmHLS };
inline constexpr const char* TColorAnimationMethodNames[] = {"cmRGB", "cmHLS"};

class TColorsAnimation : public TNumberAnimation {
    TV_CLASS(TColorsAnimation, TNumberAnimation)
public:
    using TNumberAnimation::TNumberAnimation;
    void Assign(TPersistent* source) override;

    TColorAnimationMethod Method() const { return method_; }
    void SetMethod(TColorAnimationMethod value) { method_ = value; }
    int StartColor() { return static_cast<int>(std::lround(GetStartValue())); }
    void SetStartColor(int value) { SetStartValue(value); }
    int EndColor() { return static_cast<int>(std::lround(GetEndValue())); }
    void SetEndColor(int value) { SetEndValue(value); }

    void ApplyFraction(float fraction) override;

private:
    TColorAnimationMethod method_ = cmRGB;
};

class TToggleAnimation : public TPropertyAnimation {
    TV_CLASS(TToggleAnimation, TPropertyAnimation)
public:
    using TPropertyAnimation::TPropertyAnimation;
    void Assign(TPersistent* source) override;

    int Every() const { return every_; }
    void SetEvery(int value) { every_ = value; }
    void ApplyFraction(float fraction) override;

private:
    int every_ = 5;
};

class TSinusAnimation : public TNumberAnimation {
    TV_CLASS(TSinusAnimation, TNumberAnimation)
public:
    using TNumberAnimation::TNumberAnimation;
    void ApplyFraction(float fraction) override;
};

class TPlaySoundAnimation : public TZebAnimation {
    TV_CLASS(TPlaySoundAnimation, TZebAnimation)
public:
    using TZebAnimation::TZebAnimation;
    void Assign(TPersistent* source) override;

    const String& FileName() const { return fileName_; }
    virtual void SetFileName(const String& value) { fileName_ = value; }
    bool Synchronous() const { return synchronous_; }
    void SetSynchronous(bool value) { synchronous_ = value; }

    String ResolveFileName(const String& name) const;
    static void PlaySoundFile(const String& name, bool synchronous);
    bool CanPlay() const override;
    void DoStart() override;

private:
    String fileName_;
    bool synchronous_ = false;
};
