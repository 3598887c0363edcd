#include "chart/animation/PropertyAnimations.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>
#include <optional>

#include "chart/canvas/HlsColor.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartTools.h"
#include "chart/core/TextRoutines.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/MathUtils.h"
#include "platform/rtl/Strings.h"
#include "platform/system/Sound.h"

TV_PUBLISHED(TPropertyAnimation)
{
    Prop("Instance", &TPropertyAnimation::InstanceComponent, &TPropertyAnimation::SetInstanceComponent);
}

TV_PUBLISHED(TPropertyLink)
{
    Prop("Instance", &TPropertyLink::Instance, &TPropertyLink::SetInstance);
    Prop("PropertyName", &TPropertyLink::PropertyName, &TPropertyLink::SetPropertyName);
}

TV_PUBLISHED(TRangePropertyAnimation)
{
    Prop("KeepEndValue", &TRangePropertyAnimation::KeepEndValue, &TRangePropertyAnimation::SetKeepEndValue, false);
    Prop("UseEndValue", &TRangePropertyAnimation::UseEndValue, &TRangePropertyAnimation::SetUseEndValue, true);
    Prop("UseStartValue", &TRangePropertyAnimation::UseStartValue, &TRangePropertyAnimation::SetUseStartValue, true);
}

TV_PUBLISHED(TAnimationCurve)
{
    Prop("Inverted", &TAnimationCurve::Inverted, &TAnimationCurve::SetInverted, false);
}

TV_PUBLISHED(TNumberAnimation)
{
    Prop("Curve", &TNumberAnimation::Curve, &TNumberAnimation::SetCurve).Stored(&TNumberAnimation::IsCurveStored);
    Prop("EndLink", &TNumberAnimation::EndLink, &TNumberAnimation::SetEndLink)
        .Stored(&TNumberAnimation::IsEndLinkStored);
    Prop("EndValue", &TNumberAnimation::EndValue, &TNumberAnimation::SetEndValue);
    Prop("InitStart", &TNumberAnimation::InitStart, &TNumberAnimation::SetInitStart, false);
    Prop("PropertyName", &TNumberAnimation::PropertyName, &TNumberAnimation::SetPropertyName);
    Prop("StartLink", &TNumberAnimation::StartLink, &TNumberAnimation::SetStartLink)
        .Stored(&TNumberAnimation::IsStartLinkStored);
    Prop("StartValue", &TNumberAnimation::StartValue, &TNumberAnimation::SetStartValue);
    Prop("OnSetValue", &TNumberAnimation::OnSetValue, &TNumberAnimation::OnSetValue);
}

TV_PUBLISHED(TColorsAnimation)
{
    PropEnum("Method", &TColorsAnimation::Method, &TColorsAnimation::SetMethod, cmRGB, TColorAnimationMethodNames);
}

TV_PUBLISHED(TToggleAnimation)
{
    Prop("Every", &TToggleAnimation::Every, &TToggleAnimation::SetEvery, 5);
    Prop("PropertyName", &TToggleAnimation::PropertyName, &TToggleAnimation::SetPropertyName);
}

TV_PUBLISHED(TSinusAnimation) {}

TV_PUBLISHED(TPlaySoundAnimation)
{
    Prop("FileName", &TPlaySoundAnimation::FileName, &TPlaySoundAnimation::SetFileName);
    Prop("Synchronous", &TPlaySoundAnimation::Synchronous, &TPlaySoundAnimation::SetSynchronous, false);
}

// ---- path walk ----

namespace {
// A step of the walk: an object, or one of a chart's lists (not published, so named here).
struct WalkList {
    int count = 0;
    std::function<TObject*(int)> at;
};

std::optional<WalkList> chartList(TObject* object, const String& name)
{
    auto* chart = dynamic_cast<TCustomAxisPanel*>(object);
    if (!chart) return std::nullopt;
    const String n = UpperCase(name);
    if (n == "SERIESLIST") {
        const auto& list = chart->SeriesList();
        return WalkList{list.Count(), [&list](int i) -> TObject* { return list.GetSeriesAt(i); }};
    }
    if (n == "TOOLS" || n == "ANIMATIONS") {
        TChartTools& list = n == "TOOLS" ? chart->Tools() : static_cast<TChartTools&>(chart->Animations());
        return WalkList{list.Count(), [&list](int i) -> TObject* { return list.GetTool(i); }};
    }
    return std::nullopt;
}

std::optional<WalkList> collectionList(TObject* object)
{
    auto* collection = dynamic_cast<TCollection*>(object);
    if (!collection) return std::nullopt;
    return WalkList{collection->Count(), [collection](int i) -> TObject* { return collection->Items(i); }};
}

const TPropInfo* ownProp(TObject* object, const String& name)
{
    return object ? object->ClassType().FindProperty(name) : nullptr;
}

// -1 when head is not "Item<n>".
int itemIndex(const String& head)
{
    if (head.size() < 4 || UpperCase(head.substr(0, 4)) != "ITEM") return -1;
    const String digits = head.substr(4);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return static_cast<int>(std::min<long long>(std::stoll(digits), 0x7FFFFFFF));
}
}  // namespace

TResolvedProperty ResolvePropertyPath(TObject* instance, const String& path)
{
    TResolvedProperty r{instance, path, nullptr};
    if (!instance) return r;
    TObject* current = instance;
    std::optional<WalkList> list;  // set while the walk stands on a list
    bool onStrings = false;        // the last step reached a string list (held by `current`)
    const TPropInfo* result = nullptr;
    String rest = path;
    for (auto dot = rest.find('.'); dot != String::npos; dot = rest.find('.')) {
        const String head = rest.substr(0, dot);
        rest.erase(0, dot + 1);
        onStrings = false;
        if (!list) {
            if (const TPropInfo* info = ownProp(current, head)) {
                result = info;
                if (info->Kind == pkStrings) {
                    onStrings = true;  // the holder stays current
                    continue;
                }
                current = info->Access ? info->Access->GetObj(current) : nullptr;
                list = collectionList(current);
                continue;
            }
            list = chartList(current, head);
            if (list) continue;
            r.Instance = current;
            r.Name = rest;
            r.Info = nullptr;
            return r;
        }
        const int index = itemIndex(head);
        if (index < 0) continue;  // the walk stays on the list
        if (index >= list->count) {
            r.Instance = nullptr;
            r.Name = rest;
            return r;
        }
        current = list->at(index);
        list = collectionList(current);
    }
    r.Name = rest;
    r.Instance = current;
    if (onStrings && UpperCase(rest) == "TEXT")
        r.Info = result;
    else
        r.Info = list && !current ? nullptr : ownProp(current, rest);
    return r;
}

double ReadNumberProperty(TObject* instance, const String& name)
{
    const TPropInfo* info = ownProp(instance, name);
    if (!info || !info->Access) return 0;
    switch (info->Kind) {
        case pkSingle:
        case pkDouble:
        case pkExtended:
        case pkDate:
        case pkCurrency: return static_cast<double>(info->Access->GetFloat(instance));
        case pkInteger:
        case pkInt64:
        case pkEnum:
        case pkBoolean:
        case pkChar:
        case pkSet: return static_cast<double>(info->Access->GetOrd(instance));
        default: return 0;
    }
}

void WriteNumberProperty(TObject* instance, const String& name, double value)
{
    const TPropInfo* info = ownProp(instance, name);
    if (!info || !info->IsWritable()) return;
    switch (info->Kind) {
        case pkSingle:
        case pkDouble:
        case pkExtended:
        case pkDate:
        case pkCurrency: info->Access->SetFloat(instance, value); break;
        case pkInteger:
        case pkInt64:
        case pkEnum:
        case pkBoolean:
        case pkChar:
        case pkSet: info->Access->SetOrd(instance, Round(value)); break;
        default: break;
    }
}

// ---- property animation ----

TPropertyAnimation::~TPropertyAnimation()
{
    if (auto* c = dynamic_cast<TComponent*>(instance_)) c->RemoveFreeNotification(this);
}

void TPropertyAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TPropertyAnimation*>(source)) {
        SetInstance(other->instance_);
        SetPropertyName(other->propertyName_);
        special_ = other->special_;
    }
    TZebAnimation::Assign(source);
}

TComponent* TPropertyAnimation::InstanceComponent() const { return dynamic_cast<TComponent*>(instance_); }

void TPropertyAnimation::SetInstance(TObject* value)
{
    if (instance_ == value) return;
    // The old instance's subscription stays: a link may share it.
    instance_ = value;
    if (auto* c = dynamic_cast<TComponent*>(instance_)) c->FreeNotification(this);
    changed();
}

void TPropertyAnimation::SetPropertyName(const String& value)
{
    const String trimmed = Trim(value);
    if (propertyName_ == trimmed) return;
    propertyName_ = trimmed;
    changed();
}

void TPropertyAnimation::changed()
{
    ResolveProperty();
    if (OnChangeNotify) OnChangeNotify(this);
}

const TPropInfo* TPropertyAnimation::ResolveProperty()
{
    resolved_ = ResolvePropertyPath(instance_, propertyName_);
    return resolved_.Info;
}

bool TPropertyAnimation::IsResolved() const
{
    auto* c = dynamic_cast<TComponent*>(instance_);
    return resolved_.Instance && !propertyName_.empty() && !(c && c->IsDestroying());
}

void TPropertyAnimation::SetBaseFolder(const String& path)
{
    TZebAnimation::SetBaseFolder(path);
    if (!IsResolved()) ResolveProperty();
}

String TPropertyAnimation::GetDisplayTitle() const
{
    if (!IsResolved()) return TZebAnimation::GetDisplayTitle();
    TObject* target = resolved_.Instance;
    String label;
    if (auto* c = dynamic_cast<TComponent*>(target))
        label = c->Name();
    else if (auto* p = dynamic_cast<TPersistent*>(target))
        label = p->GetNamePath();
    else
        label = target->ClassName();
    String title = Title().empty() ? label : Title() + " " + label;
    if (title.empty()) title = target->ClassName();
    return title + " " + propertyName_;
}

bool TPropertyAnimation::CanPlay() const { return TZebAnimation::CanPlay() && IsResolved(); }

void TPropertyAnimation::Notification(TComponent* component, TOperation operation)
{
    TZebAnimation::Notification(component, operation);
    if (operation == opRemove && component == instance_) SetInstance(nullptr);
}

void TPropertyAnimation::DefineProperties(TFiler& filer)
{
    TZebAnimation::DefineProperties(filer);
    filer.DefineProperty(
        "Special", [this](TReader& r) { special_ = r.ReadInteger(); },
        [this](TWriter& w) { w.WriteInteger(special_); }, special_ != 0);
}

// ---- link ----

void TPropertyLink::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TPropertyLink*>(source)) {
        SetInstance(other->instance_);
        SetPropertyName(other->propertyName_);
        return;
    }
    TPersistent::Assign(source);
}

void TPropertyLink::SetInstance(TComponent* value)
{
    if (instance_ == value) return;
    instance_ = value;
    if (instance_ && owner_) instance_->FreeNotification(owner_);
    Resolve();
}

void TPropertyLink::SetPropertyName(const String& value)
{
    propertyName_ = Trim(value);
    Resolve();
}

void TPropertyLink::InstanceFreed(TComponent* component)
{
    if (component != instance_) return;
    instance_ = nullptr;
    resolved_ = {};
}

const TPropInfo* TPropertyLink::Resolve()
{
    resolved_ = ResolvePropertyPath(instance_, propertyName_);
    return resolved_.Info;
}

bool TPropertyLink::GetValue(double& value)
{
    if (!resolved_.Instance || !ownProp(resolved_.Instance, resolved_.Name)) return false;
    value = ReadNumberProperty(resolved_.Instance, resolved_.Name);
    return true;
}

// ---- range ----

void TRangePropertyAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TRangePropertyAnimation*>(source)) {
        keepEndValue_ = other->keepEndValue_;
        useEndValue_ = other->useEndValue_;
        useStartValue_ = other->useStartValue_;
    }
    TPropertyAnimation::Assign(source);
}

// ---- curve ----

TAnimationCurve::TAnimationCurve() : X{0, 1}, Y{0, 0} {}

void TAnimationCurve::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TAnimationCurve*>(source)) {
        inverted_ = other->inverted_;
        X = other->X;
        Y = other->Y;
        Samples = other->Samples;
        return;
    }
    TPersistent::Assign(source);
}

bool TAnimationCurve::HasData() const
{
    if (X.empty()) return false;
    return !(X.size() == 2 && Y.size() == 2 && Y[0] == 0 && Y[1] == 0);
}

double TAnimationCurve::ValueAt(double x) const
{
    const size_t n = std::min(X.size(), Y.size());
    if (n == 0) return 0;
    if (x <= X[0]) return Y[0];
    for (size_t i = 1; i < n; ++i)
        if (X[i] > x) {
            const double dx = X[i] - X[i - 1];
            return dx == 0 ? 0 : Y[i - 1] + (Y[i] - Y[i - 1]) * (x - X[i - 1]) / dx;
        }
    return Y[n - 1];
}

void TAnimationCurve::ComputeSamples(int count)
{
    Samples.clear();
    if (X.empty() || count <= 0) return;
    Samples.assign(static_cast<size_t>(count), 0.0);
    if (count == 1) return;
    const double d = 1.0 / (count - 1);
    const double s = inverted_ ? -1 : 1;
    for (int i = 1; i < count; ++i) {
        const double y = ValueAt(static_cast<double>(i) / count);
        Samples[static_cast<size_t>(i)] = Samples[static_cast<size_t>(i - 1)] + d + y * d * s;
    }
    const double last = Samples.back();
    if (last != 1 && last != 0)
        for (size_t i = 1; i < Samples.size(); ++i) Samples[i] /= last;
}

namespace {
template <class T>
void writeLE(TStream& stream, T value)
{
    auto bits = std::bit_cast<std::array<unsigned char, sizeof(T)>>(value);
    if constexpr (std::endian::native == std::endian::big) std::reverse(bits.begin(), bits.end());
    stream.WriteBuffer(bits.data(), sizeof(T));
}
template <class T>
T readLE(TStream& stream)
{
    std::array<unsigned char, sizeof(T)> bits{};
    stream.ReadBuffer(bits.data(), sizeof(T));
    if constexpr (std::endian::native == std::endian::big) std::reverse(bits.begin(), bits.end());
    return std::bit_cast<T>(bits);
}
}  // namespace

void TAnimationCurve::ReadData(TStream& stream)
{
    const auto count = readLE<std::int32_t>(stream);
    // A count the data cannot hold is refused before anything is sized.
    if (count < 0 || static_cast<std::int64_t>(count) * 16 > stream.Remaining())
        throw EReadError("Invalid curve data");
    X.assign(static_cast<size_t>(count), 0.0);
    Y.assign(static_cast<size_t>(count), 0.0);
    for (size_t i = 0; i < X.size(); ++i) {
        X[i] = readLE<double>(stream);
        Y[i] = readLE<double>(stream);
    }
}

void TAnimationCurve::WriteData(TStream& stream) const
{
    const size_t n = std::min(X.size(), Y.size());
    writeLE<std::int32_t>(stream, static_cast<std::int32_t>(n));
    for (size_t i = 0; i < n; ++i) {
        writeLE<double>(stream, X[i]);
        writeLE<double>(stream, Y[i]);
    }
}

void TAnimationCurve::DefineProperties(TFiler& filer)
{
    TPersistent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Curve", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, HasData());
}

// ---- number ----

TNumberAnimation::TNumberAnimation(TComponent* owner) : TRangePropertyAnimation(owner) {}

TNumberAnimation::~TNumberAnimation()
{
    for (auto* link : {startLink_.get(), endLink_.get()})
        if (link && link->Instance()) link->Instance()->RemoveFreeNotification(this);
}

void TNumberAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TNumberAnimation*>(source)) {
        SetEndLink(other->endLink_.get());
        endValue_ = other->endValue_;
        initStart_ = other->initStart_;
        SetStartLink(other->startLink_.get());
        startValue_ = other->startValue_;
        SetCurve(other->curve_.get());
    }
    TRangePropertyAnimation::Assign(source);
}

TAnimationCurve* TNumberAnimation::Curve()
{
    if (!curve_) curve_ = std::make_unique<TAnimationCurve>();
    return curve_.get();
}

void TNumberAnimation::SetCurve(TAnimationCurve* value)
{
    if (!value) {
        curve_.reset();
        return;
    }
    Curve()->Assign(value);
    curve_->ComputeSamples(Duration());
}

TPropertyLink* TNumberAnimation::EndLink()
{
    if (!endLink_) endLink_ = std::make_unique<TPropertyLink>(this);
    return endLink_.get();
}

void TNumberAnimation::SetEndLink(TPropertyLink* value)
{
    if (value)
        EndLink()->Assign(value);
    else if (endLink_) {
        endLink_->SetInstance(nullptr);
        endLink_.reset();
    }
}

TPropertyLink* TNumberAnimation::StartLink()
{
    if (!startLink_) startLink_ = std::make_unique<TPropertyLink>(this);
    return startLink_.get();
}

void TNumberAnimation::SetStartLink(TPropertyLink* value)
{
    if (value)
        StartLink()->Assign(value);
    else if (startLink_) {
        startLink_->SetInstance(nullptr);
        startLink_.reset();
    }
}

void TNumberAnimation::Notification(TComponent* component, TOperation operation)
{
    TRangePropertyAnimation::Notification(component, operation);
    if (operation != opRemove) return;
    if (startLink_) startLink_->InstanceFreed(component);
    if (endLink_) endLink_->InstanceFreed(component);
}

void TNumberAnimation::SetDuration(int value)
{
    TRangePropertyAnimation::SetDuration(value);
    if (curve_) curve_->ComputeSamples(Duration());
}

double TNumberAnimation::presentValue()
{
    if (!IsResolved()) return current_;
    return ReadNumberProperty(ResolvedInstance(), ResolvedName());
}

double TNumberAnimation::GetCurrentValue() { return presentValue(); }

void TNumberAnimation::SetCurrentValue(double value)
{
    if (IsResolved()) {
        WriteNumberProperty(ResolvedInstance(), ResolvedName(), value);
        return;
    }
    current_ = value;
    if (OnSetValue) OnSetValue(this, value);
}

double TNumberAnimation::GetStartValue()
{
    double v = startValue_;
    if (startLink_ && startLink_->InUse() && !startLink_->GetValue(v)) v = 0;
    return v;
}

double TNumberAnimation::GetEndValue()
{
    double v = endValue_;
    if (endLink_ && endLink_->InUse() && !endLink_->GetValue(v)) v = 0;
    return v;
}

bool TNumberAnimation::CanPlay() const
{
    if (OnSetValue) return TZebAnimation::CanPlay();
    return TRangePropertyAnimation::CanPlay();
}

void TNumberAnimation::Prepare()
{
    TRangePropertyAnimation::Prepare();
    before_ = GetCurrentValue();
    if (UseStartValue() && initStart_) SetCurrentValue(GetStartValue());
}

void TNumberAnimation::DoStart()
{
    // The present value is read only from a resolved property, never from the held one.
    if (IsResolved()) {
        if (!UseStartValue()) startValue_ = presentValue();
        if (!UseEndValue()) endValue_ = presentValue();
    }
    TRangePropertyAnimation::DoStart();
}

void TNumberAnimation::ApplyFraction(float fraction)
{
    const double s = GetStartValue(), e = GetEndValue();
    SetCurrentValue(s + (e - s) * fraction);
}

bool TNumberAnimation::Finish()
{
    if (!IsDestroying()) SetCurrentValue(KeepEndValue() ? GetEndValue() : before_);
    return TRangePropertyAnimation::Finish();
}

void TNumberAnimation::DefaultValues()
{
    TZebAnimate* player = Animate();
    if (!player || player->IsLoading() || !Instance() || PropertyName().empty()) return;
    if (startValue_ == 0) startValue_ = GetCurrentValue();
    if (endValue_ == 0) endValue_ = GetCurrentValue();
}

// ---- colours ----

void TColorsAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TColorsAnimation*>(source)) method_ = other->method_;
    TNumberAnimation::Assign(source);
}

void TColorsAnimation::ApplyFraction(float fraction)
{
    const auto start = static_cast<TColorRef>(StartColor());
    const auto end = static_cast<TColorRef>(EndColor());
    auto mix = [fraction](int a, int b) { return a + static_cast<int>(Round(fraction * static_cast<double>(b - a))); };
    if (method_ == cmRGB) {
        const auto r = static_cast<Byte>(mix(GetRValue(start), GetRValue(end)) & 0xFF);
        const auto g = static_cast<Byte>(mix(GetGValue(start), GetGValue(end)) & 0xFF);
        const auto b = static_cast<Byte>(mix(GetBValue(start), GetBValue(end)) & 0xFF);
        SetCurrentValue(static_cast<double>(RGB(r, g, b)));
        return;
    }
    Word h0, l0, s0, h1, l1, s1;
    ColorToHLS(static_cast<TColor>(start), h0, l0, s0);
    ColorToHLS(static_cast<TColor>(end), h1, l1, s1);
    SetCurrentValue(static_cast<double>(HLSToColor(mix(h0, h1), mix(l0, l1), mix(s0, s1))));
}

// ---- toggle ----

void TToggleAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TToggleAnimation*>(source)) every_ = other->every_;
    TPropertyAnimation::Assign(source);
}

void TToggleAnimation::ApplyFraction(float fraction)
{
    (void)fraction;
    // Frames are counted at 60 per second from the start, whatever the player's speed.
    const int frame = Animate() ? Animate()->FrameIndex() : 0;
    if (every_ != 0 && (frame - static_cast<int>(Round(StartTime() * 0.06))) % every_ != 0) return;
    if (!IsResolved()) return;
    const bool present = ReadNumberProperty(ResolvedInstance(), ResolvedName()) != 0;
    WriteNumberProperty(ResolvedInstance(), ResolvedName(), present ? 0 : 1);
}

// ---- sine ----

void TSinusAnimation::ApplyFraction(float fraction)
{
    const double s = GetStartValue(), e = GetEndValue();
    SetCurrentValue(s + (e - s) * std::sin(2 * std::numbers::pi * fraction));
}

// ---- sound ----

void TPlaySoundAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TPlaySoundAnimation*>(source)) {
        SetFileName(other->fileName_);
        synchronous_ = other->synchronous_;
    }
    TZebAnimation::Assign(source);
}

String TPlaySoundAnimation::ResolveFileName(const String& name) const
{
    String s = Trim(name);
    // The macro stands for the program's folder while none is set; either separator follows it.
    if (s.size() >= 12 && UpperCase(s.substr(0, 11)) == "$(ZEBFORGE)" && (s[11] == '\\' || s[11] == '/')) {
        String folder = MacroFolder().empty() ? ProgramFolder() : MacroFolder();
        if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
        s = folder + s.substr(12);
    }
    if (!HasUrlPrefix(s) && !BaseFolder().empty() && !FileExists(s)) {
        String candidate = BaseFolder();
        if (candidate.back() != '/' && candidate.back() != '\\') candidate += '/';
        candidate += s;
        if (FileExists(candidate)) s = candidate;
    }
    return s;
}

void TPlaySoundAnimation::PlaySoundFile(const String& name, bool synchronous)
{
    if (!name.empty()) ::PlaySoundFile(name, synchronous);
}

bool TPlaySoundAnimation::CanPlay() const { return TZebAnimation::CanPlay() && !fileName_.empty(); }

void TPlaySoundAnimation::DoStart()
{
    if (!fileName_.empty()) PlaySoundFile(ResolveFileName(fileName_), synchronous_);
    TZebAnimation::DoStart();
}
