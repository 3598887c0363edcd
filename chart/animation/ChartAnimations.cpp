#include "chart/animation/ChartAnimations.h"

#include <algorithm>

#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/AxisShapes.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartShapes.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Filer.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesPointer.h"
#include "chart/series/CustomBarSeries.h"
#include "chart/series/CustomSeries.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/MathUtils.h"

TV_PUBLISHED(TLineAnimation) {}
TV_PUBLISHED(TSeriesTransitionAnimation) {}
TV_PUBLISHED(TRotate3DAnimation) {}

TV_PUBLISHED(TCustomExpandAnimation)
{
    Prop("Duration", &TCustomExpandAnimation::Duration, &TCustomExpandAnimation::SetDuration, 200);
    Prop("SizeBy", &TCustomExpandAnimation::SizeBy, &TCustomExpandAnimation::SetSizeBy, 10);
    PropEnum("Target", &TCustomExpandAnimation::Target, &TCustomExpandAnimation::SetTarget, cpSeriesPointer,
             ClickedPartStyleNames);
    PropEnum("Trigger", &TCustomExpandAnimation::Trigger, &TCustomExpandAnimation::SetTrigger, atMouseOver,
             TAnimationTriggerNames);
    Prop("TwoWay", &TCustomExpandAnimation::TwoWay, &TCustomExpandAnimation::SetTwoWay, true);
}

// ---- lines ----

void TLineAnimation::Prepare()
{
    TCustomAnimationChart::Prepare();
    saved_.clear();
    for (TChartSeries* s : ActedOn())
        if (auto* line = dynamic_cast<TCustomSeries*>(s)) saved_.push_back({line, line->DrawStyle()});
}

bool TLineAnimation::SetLineFraction(float fraction)
{
    bool any = false;
    for (TChartSeries* s : ActedOn()) {
        auto* line = dynamic_cast<TCustomSeries*>(s);
        if (!line || !line->Active()) continue;
        line->SetDrawnFraction(fraction);
        // Segments are drawn whole or not at all; a part of the line needs the joined style.
        if (line->DrawStyle() == dsSegments) line->SetDrawStyle(dsAll);
        any = true;
    }
    return any;
}

void TLineAnimation::ApplyFraction(float fraction)
{
    if (!SetLineFraction(fraction)) return;
    if (TCustomAxisPanel* chart = WorkingChart()) chart->Invalidate();
}

void TLineAnimation::DoStop()
{
    TCustomAnimationChart::DoStop();
    SetLineFraction(1.0f);
}

bool TLineAnimation::Finish()
{
    const bool freeIt = TCustomAnimationChart::Finish();
    // The draw style each line had goes back.
    for (const Saved& saved : saved_) {
        const auto s = ActedOn();
        for (TChartSeries* series : s)
            if (series == saved.series)
                static_cast<TCustomSeries*>(series)->SetDrawStyle(static_cast<TCustomSeriesDrawStyle>(saved.drawStyle));
    }
    saved_.clear();
    return freeIt;
}

// ---- bar transition ----

TSeriesTransitionAnimation::~TSeriesTransitionAnimation()
{
    if (Chart() && !Chart()->IsDestroying()) installHooks(false);
}

void TSeriesTransitionAnimation::captureBars(TSeriesTransitionData& data) const
{
    data.clear();
    if (!Chart()) return;
    for (TChartSeries* s : Chart()->SeriesList()) {
        std::vector<TRect> rects;
        if (auto* bar = dynamic_cast<TCustomBarSeries*>(s))
            for (int j = 0; j < bar->Count(); ++j) rects.push_back(bar->ComputeBarRect(j));
        data.push_back(std::move(rects));
    }
}

void TSeriesTransitionAnimation::installHooks(bool on)
{
    if (!Chart()) return;
    const auto& list = Chart()->SeriesList();
    for (int b = 0; b < list.Count(); ++b) {
        auto* bar = dynamic_cast<TCustomBarSeries*>(list.GetSeriesAt(b));
        if (!bar) continue;
        if (!on) {
            bar->BarRectHook = nullptr;
            continue;
        }
        bar->BarRectHook = [this, bar](int j, TRect& r) {
            const int b = Chart() ? Chart()->SeriesList().IndexOf(bar) : -1;
            auto held = [j, b](const TSeriesTransitionData& d) {
                return b >= 0 && b < static_cast<int>(d.size()) && j < static_cast<int>(d[static_cast<size_t>(b)].size());
            };
            if (held(startBars_) && held(endBars_)) {
                const TRect& s = startBars_[static_cast<size_t>(b)][static_cast<size_t>(j)];
                const TRect& e = endBars_[static_cast<size_t>(b)][static_cast<size_t>(j)];
                auto mix = [this](int a, int z) { return a + static_cast<int>(Round((z - a) * static_cast<double>(fraction_))); };
                r = {mix(s.Left, e.Left), mix(s.Top, e.Top), mix(s.Right, e.Right), mix(s.Bottom, e.Bottom)};
                return;
            }
            // No capture for this bar: its own rectangle.
            auto hook = std::move(bar->BarRectHook);
            bar->BarRectHook = nullptr;
            r = bar->ComputeBarRect(j);
            bar->BarRectHook = std::move(hook);
        };
    }
}

void TSeriesTransitionAnimation::Prepare()
{
    TCustomAnimationChart::Prepare();
    if (!Chart()) return;
    installHooks(false);
    { TOwnedPtr<TBitmap> drawn(Chart()->MakePanelBitmap()); }  // every bar takes its new place
    captureBars(endBars_);
    installHooks(true);
    fraction_ = 0;
    TOwnedPtr<TBitmap> drawn(Chart()->MakePanelBitmap());
}

void TSeriesTransitionAnimation::ApplyFraction(float fraction)
{
    fraction_ = fraction;
    if (Chart()) Chart()->Invalidate();
}

void TSeriesTransitionAnimation::DoStop()
{
    TCustomAnimationChart::DoStop();
    installHooks(false);
    startBars_.clear();
    endBars_.clear();
}

// ---- 3-D turn ----

TRotate3DAnimation::TRotate3DAnimation(TComponent* owner)
    : TCustomAnimationChart(owner), saved_(std::make_unique<TView3DOptions>())
{
}

TRotate3DAnimation::~TRotate3DAnimation() = default;

void TRotate3DAnimation::Notification(TComponent* component, TOperation operation)
{
    TCustomAnimationChart::Notification(component, operation);
    if (operation == opRemove && component == savedChart_) savedChart_ = nullptr;
}

void TRotate3DAnimation::Prepare()
{
    TCustomAnimationChart::Prepare();
    // The view of the chart turned is saved also when only a series names it.
    savedChart_ = WorkingChart();
    if (!savedChart_) return;
    savedChart_->FreeNotification(this);
    savedView3D_ = savedChart_->View3D();
    saved_->Assign(savedChart_->View3DOptions());
    savedChart_->SetView3D(true);
    savedChart_->View3DOptions()->SetOrthogonal(false);
}

void TRotate3DAnimation::ApplyFraction(float fraction)
{
    TCustomAxisPanel* chart = WorkingChart();
    if (!chart) return;
    chart->SetView3D(true);
    chart->View3DOptions()->SetOrthogonal(false);
    chart->View3DOptions()->SetRotationFloat(fraction * 360.0 + saved_->RotationFloat());
}

bool TRotate3DAnimation::Finish()
{
    const bool freeIt = TCustomAnimationChart::Finish();
    if (savedChart_ && !savedChart_->IsDestroying()) {
        savedChart_->SetView3D(savedView3D_);
        savedChart_->View3DOptions()->SetOrthogonal(saved_->Orthogonal());
        savedChart_->View3DOptions()->SetRotationFloat(saved_->RotationFloat());
    }
    savedChart_ = nullptr;
    return freeIt;
}

// ---- pointer expand ----

TCustomExpandAnimation::TCustomExpandAnimation(TComponent* owner) : TZebAnimation(owner)
{
    SetDuration(200);
    SetTwoWay(true);
}

void TCustomExpandAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TCustomExpandAnimation*>(source)) {
        sizeBy_ = other->sizeBy_;
        target_ = other->target_;
        trigger_ = other->trigger_;
    }
    TZebAnimation::Assign(source);
}

TSeriesPointer* TCustomExpandAnimation::Pointer() const
{
    if (ClickedPart.Part != cpSeriesPointer || ClickedPart.PointIndex < 0) return nullptr;
    auto* series = dynamic_cast<TCustomSeries*>(ClickedPart.ASeries);
    if (!series || !series->Pointer()) return nullptr;
    return series->Pointer()->EnsureItem(ClickedPart.PointIndex);
}

void TCustomExpandAnimation::Notification(TComponent* component, TOperation operation)
{
    TZebAnimation::Notification(component, operation);
    if (operation == opRemove && component == ClickedPart.ASeries) {
        ClickedPart = {};
        pointer_ = nullptr;
    }
}

void TCustomExpandAnimation::Prepare()
{
    TZebAnimation::Prepare();
    pointer_ = Pointer();
    if (!pointer_) return;
    ClickedPart.ASeries->FreeNotification(this);
    savedHoriz_ = pointer_->HorizSize();
    savedVert_ = pointer_->VertSize();
}

void TCustomExpandAnimation::ApplyFraction(float fraction)
{
    if (!pointer_) return;
    const int a = static_cast<int>(Round(sizeBy_ * static_cast<double>(fraction)));
    pointer_->SetHorizSize(savedHoriz_ + a);
    pointer_->SetVertSize(savedVert_ + a);
}

bool TCustomExpandAnimation::Finish()
{
    const bool freeIt = TZebAnimation::Finish();
    if (pointer_) {
        pointer_->SetHorizSize(savedHoriz_);
        pointer_->SetVertSize(savedVert_);
    }
    pointer_ = nullptr;
    return freeIt;
}

// ---- transform ----

TV_PUBLISHED(TTransformAnimation)
{
    Prop("Clip", &TTransformAnimation::Clip, &TTransformAnimation::SetClip, true);
    PropEnum("Fade", &TTransformAnimation::Fade, &TTransformAnimation::SetFade, tfNone, TTransformFadeNames);
    Prop("MaxZoom", &TTransformAnimation::MaxZoom, &TTransformAnimation::SetMaxZoom, 300);
    Prop("RotateMax", &TTransformAnimation::RotateMax, &TTransformAnimation::SetRotateMax, 0);
    Prop("RotateMin", &TTransformAnimation::RotateMin, &TTransformAnimation::SetRotateMin, 0);
    PropEnum("Scale", &TTransformAnimation::Scale, &TTransformAnimation::SetScale, TTransformScale::tsNone, TTransformScaleNames);
    PropEnum("Target", &TTransformAnimation::Target, &TTransformAnimation::SetTarget, cpSeries, ClickedPartStyleNames);
    PropEnum("TranslateStyle", &TTransformAnimation::TranslateStyle, &TTransformAnimation::SetTranslateStyle,
             ttFromLeft, TTransformTranslateNames);
    Prop("UseBounds", &TTransformAnimation::UseBounds, &TTransformAnimation::SetUseBounds, true);
    PropEnum("ZoomStyle", &TTransformAnimation::ZoomStyle, &TTransformAnimation::SetZoomStyle, tzNone,
             TTransformZoomNames);
}

TTransformAnimation::~TTransformAnimation()
{
    SetSeries(nullptr);
    SetChart(nullptr);
}

void TTransformAnimation::CopyStyle(const TTransformAnimation& source)
{
    fade_ = source.fade_;
    maxZoom_ = source.maxZoom_;
    rotateMin_ = source.rotateMin_;
    rotateMax_ = source.rotateMax_;
    scale_ = source.scale_;
    translateStyle_ = source.translateStyle_;
    zoomStyle_ = source.zoomStyle_;
}

void TTransformAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TTransformAnimation*>(source)) {
        SetChart(other->Chart());
        SetSeries(other->Series());
        axis_ = other->axis_;
        clip_ = other->clip_;
        useBounds_ = other->useBounds_;
        target_ = other->target_;
        CopyStyle(*other);
    }
    TCustomAnimationChart::Assign(source);
}

void TTransformAnimation::ComputeTransform(TZebTransform& t, const TRect& r, float f)
{
    last_ = &t;
    const float w = static_cast<float>(r.Right - r.Left), h = static_cast<float>(r.Bottom - r.Top);
    const float e = 1.0f - f;
    t.Enabled = true;
    t.Bounds = r;
    t.Clip = clip_;
    t.TranslateX = t.TranslateY = 0;
    t.CenterX = static_cast<float>(r.Left + r.Right) / 2;
    t.CenterY = static_cast<float>(r.Top + r.Bottom) / 2;
    t.ScaleX = t.ScaleY = 1;
    switch (translateStyle_) {
        case ttFromLeft: t.TranslateX = -e * w; break;
        case ttFromRight: t.TranslateX = e * w; break;
        case ttFromTop: t.TranslateY = -e * h; break;
        case ttFromBottom: t.TranslateY = e * h; break;
        case ttFromTopLeft: t.TranslateX = -e * w, t.TranslateY = -e * h; break;
        case ttFromTopRight: t.TranslateX = e * w, t.TranslateY = -e * h; break;
        case ttFromBottomLeft: t.TranslateX = -e * w, t.TranslateY = e * h; break;
        case ttFromBottomRight: t.TranslateX = e * w, t.TranslateY = e * h; break;
        case ttNone: break;
    }
    if (scale_ == TTransformScale::tsHorizontal || scale_ == TTransformScale::tsBoth) t.ScaleX = f;
    if (scale_ == TTransformScale::tsVertical || scale_ == TTransformScale::tsBoth) t.ScaleY = f;
    if (zoomStyle_ == tzIn) t.ScaleX = t.ScaleY = f;
    if (zoomStyle_ == tzOut) t.ScaleX = t.ScaleY = (static_cast<float>(maxZoom_) - f * static_cast<float>(maxZoom_ - 100)) * 0.01f;
    if (rotateMin_ != rotateMax_) {
        const float lo = static_cast<float>(std::min(rotateMin_, rotateMax_));
        const float hi = static_cast<float>(std::max(rotateMin_, rotateMax_));
        t.Angle = lo + f * (hi - lo);
    }
}

int TTransformAnimation::FadeValue(float f) const
{
    const float v = fade_ == tfIn ? 1.0f - f : f;
    return std::max(static_cast<int>(Round(v * 100.0)), savedTransparency_);
}

void TTransformAnimation::remember(TCustomAxisPanel* chart)
{
    if (!chart || chart == remembered_) return;
    remembered_ = chart;
    remembered_->FreeNotification(this);
}

namespace {
template <class V>
auto findTouched(V& touched, const TObject* owner)
{
    return std::find_if(touched.begin(), touched.end(), [owner](const auto& t) { return t.owner == owner; });
}
}  // namespace

void TTransformAnimation::shapeStep(TZebCustomShape* shape, float f)
{
    if (!shape || !shape->Visible()) return;
    TCustomAxisPanel* chart = WorkingChart();
    TZebTransform* t = shape->Transform();
    const TRect r = useBounds_ || !chart ? shape->ShapeBounds() : chart->ChartRect();
    ComputeTransform(*t, r, f);
    auto it = findTouched(touched_, shape);
    if (it == touched_.end()) {
        touched_.push_back({shape, t, false, -1, -1});
        it = touched_.end() - 1;
    }
    if (fade_ != tfNone) {
        auto* legend = dynamic_cast<TCustomChartLegend*>(shape);
        const int present = legend ? legend->GlobalTransparency() : shape->Transparency();
        if (it->transparency < 0) it->transparency = present;
        savedTransparency_ = it->transparency;
        if (legend)
            legend->SetGlobalTransparency(FadeValue(f));
        else
            shape->SetTransparency(FadeValue(f));
    }
    remember(chart);
}

void TTransformAnimation::seriesStep(TChartSeries* s, float f)
{
    TZebTransform* t = nullptr;
    auto it = findTouched(touched_, s);
    if (target_ == cpSeries) {
        if (!s->Active()) return;
        if (!s->ElementTransform) {
            owned_.push_back(std::make_unique<TZebTransform>());
            s->ElementTransform = owned_.back().get();
            if (it == touched_.end()) {
                touched_.push_back({s, s->ElementTransform, true, -1, -1});
                it = touched_.end() - 1;
            }
        }
        t = s->ElementTransform;
    } else {
        if (!s->Marks().Visible()) return;
        t = s->Marks().Transform();
    }
    if (it == touched_.end()) {
        touched_.push_back({s, t, false, -1, -1});
        it = touched_.end() - 1;
    }
    TCustomAxisPanel* chart = s->ParentChart();
    TRect r = chart ? chart->ChartRect() : TRect{};
    if (s->DependsOnAxes() && s->GetHorizAxis() && s->GetVertAxis())
        r = {s->GetHorizAxis()->StartPixel(), s->GetVertAxis()->StartPixel(), s->GetHorizAxis()->EndPixel(),
             s->GetVertAxis()->EndPixel()};
    ComputeTransform(*t, r, f);
    if (it->marksClip < 0) {
        it->marksClip = s->Marks().Clip() ? 1 : 0;
        s->Marks().SetClip(s->DependsOnAxes());
    }
    if (fade_ != tfNone) {
        if (it->transparency < 0) it->transparency = target_ == cpSeries ? s->Transparency() : s->Marks().Transparency();
        savedTransparency_ = it->transparency;
        if (target_ == cpSeries) s->SetTransparency(FadeValue(f));
        if (s->Marks().Visible()) s->Marks().SetTransparency(target_ == cpSeries ? s->Transparency() : FadeValue(f));
    }
    remember(chart);
}

void TTransformAnimation::axisStep(TChartAxis* axis, float f)
{
    if (!axis->Visible() || !axis->ParentChart()) return;
    TZebTransform* t = axis->Shape()->Transform();
    ComputeTransform(*t, axis->ParentChart()->ChartRect(), f);
    auto it = findTouched(touched_, axis);
    if (it == touched_.end()) {
        touched_.push_back({axis, t, false, -1, -1});
        it = touched_.end() - 1;
    }
    if (fade_ != tfNone) {
        if (it->transparency < 0) it->transparency = axis->Shape()->Transparency();
        savedTransparency_ = it->transparency;
        axis->Shape()->SetTransparency(FadeValue(f));
    }
    remember(axis->ParentChart());
}

void TTransformAnimation::ApplyFraction(float f)
{
    if ((Chart() && Chart()->IsDestroying()) || (Series() && Series()->IsDestroying())) return;
    auto* chart = dynamic_cast<TChart*>(WorkingChart());
    switch (target_) {
        case cpLegend: if (chart) shapeStep(chart->Legend(), f); break;
        case cpTitle: if (chart) shapeStep(chart->Title(), f); break;
        case cpFoot: if (chart) shapeStep(chart->Foot(), f); break;
        case cpSubTitle: if (chart) shapeStep(chart->SubTitle(), f); break;
        case cpSubFoot: if (chart) shapeStep(chart->SubFoot(), f); break;
        case cpAxisTitle: if (axis_) shapeStep(axis_->Title(), f); break;
        case cpAxis: if (axis_) axisStep(axis_, f); break;
        case cpSeries:
        case cpSeriesMarks:
            for (TChartSeries* s : ActedOn()) seriesStep(s, f);
            break;
        case cpNone:
        case cpChartRect:
        case cpSeriesPointer: break;
    }
    if (remembered_ && !remembered_->IsDestroying()) remembered_->DrawWhole();
}

bool TTransformAnimation::Finish()
{
    const bool freeIt = TCustomAnimationChart::Finish();
    // Transforms off, transparencies and marks clipping back, for every part the run touched.
    for (const Touched& t : touched_) {
        if (auto* s = dynamic_cast<TChartSeries*>(t.owner)) {
            if (t.ownsTransform) s->ElementTransform = nullptr;
            else if (t.transform) t.transform->Enabled = false;
            if (t.marksClip >= 0) s->Marks().SetClip(t.marksClip != 0);
            if (t.transparency >= 0) {
                if (target_ == cpSeries) s->SetTransparency(t.transparency);
                s->Marks().SetTransparency(target_ == cpSeries ? s->Transparency() : t.transparency);
            }
        } else if (auto* axis = dynamic_cast<TChartAxis*>(t.owner)) {
            t.transform->Enabled = false;
            if (t.transparency >= 0) axis->Shape()->SetTransparency(t.transparency);
        } else if (auto* shape = dynamic_cast<TZebCustomShape*>(t.owner)) {
            t.transform->Enabled = false;
            if (t.transparency >= 0) {
                if (auto* legend = dynamic_cast<TCustomChartLegend*>(shape))
                    legend->SetGlobalTransparency(t.transparency);
                else
                    shape->SetTransparency(t.transparency);
            }
        }
    }
    touched_.clear();
    owned_.clear();
    savedTransparency_ = -1;
    last_ = nullptr;
    if (remembered_ && !remembered_->IsDestroying()) remembered_->Invalidate();
    return freeIt;
}

void TTransformAnimation::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove) {
        if (component == remembered_) {
            remembered_ = nullptr;
            touched_.clear();  // the chart's parts go with it
        }
        // A series that goes takes its parts with it; a transform made here is let go.
        std::erase_if(touched_, [component](const Touched& t) { return t.owner == component; });
    }
    TCustomAnimationChart::Notification(component, operation);
}

void TTransformAnimation::DefineProperties(TFiler& filer)
{
    TCustomAnimationChart::DefineProperties(filer);
    auto axisIndex = [this]() -> int {
        if (!axis_ || !axis_->ParentChart()) return -1;
        const TChartAxes& axes = axis_->ParentChart()->Axes();
        for (int i = 0; i < axes.Count(); ++i)
            if (axes.Items(i) == axis_) return i;
        return -1;
    };
    filer.DefineProperty(
        "AxisID", [this](TReader& r) { axisID_ = r.ReadInteger(); },
        [axisIndex](TWriter& w) { w.WriteInteger(axisIndex()); }, axisIndex() >= 0);
}

void TTransformAnimation::Loaded()
{
    TCustomAnimationChart::Loaded();
    if (axisID_ < 0) return;
    TCustomAxisPanel* chart = Chart() ? Chart() : (Series() ? Series()->ParentChart() : nullptr);
    if (chart && axisID_ < chart->Axes().Count()) axis_ = chart->Axes().Items(axisID_);
    axisID_ = -1;
}
