#include "widgets/meters/ScaleSettings.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Exceptions.h"  // before Published.h, which uses it
#include "platform/classes/Published.h"
#include "platform/graphics/Canvas.h"
#include "widgets/meters/GaugeDraw.h"
#include "widgets/meters/GaugeMath.h"

TV_PUBLISHED(TScaleSettings)
{
    PropColor("Color", &TScaleSettings::Color, &TScaleSettings::SetColor, clBlack);
    PropColor("PointerColor", &TScaleSettings::PointerColor, &TScaleSettings::SetPointerColor, 0x00FF00);
    Prop("Font", &TScaleSettings::Font, &TScaleSettings::SetFont);
    Prop("Steps", &TScaleSettings::Steps, &TScaleSettings::SetSteps).NoDefault();
    Prop("SubSteps", &TScaleSettings::SubSteps, &TScaleSettings::SetSubSteps).NoDefault();
    Prop("DrawLine", &TScaleSettings::DrawLine, &TScaleSettings::SetDrawLine).NoDefault();
    Prop("ValueFormat", &TScaleSettings::ValueFormat, &TScaleSettings::SetValueFormat).NoDefault();
    Prop("ValueFormatLog", &TScaleSettings::ValueFormatLog, &TScaleSettings::SetValueFormatLog).NoDefault();
    Prop("PosLeftTop", &TScaleSettings::PosLeftTop, &TScaleSettings::SetPosLeftTop).NoDefault();
}

TScaleSettings::TScaleSettings() : font_(new TFont)
{
    font_->SetName("Arial");
    font_->SetSize(14);
    font_->SetOnChange(TNotifyEvent(this, &TScaleSettings::fontChanged));
}

TScaleSettings::~TScaleSettings() = default;

void TScaleSettings::SetFont(TFont* v)
{
    font_->Assign(v);
    Changed();
}

void TScaleSettings::SetSteps(int v)
{
    if (v < 1 || v > 20) return;
    steps_ = v;
    Changed();
}

void TScaleSettings::SetSubSteps(int v)
{
    if (v < 1 || v > 10) return;
    subSteps_ = v;
    Changed();
}

void TScaleSettings::SetDrawLine(bool v)
{
    drawLine_ = v;
    Changed();
}

int TScaleSettings::LogStepCount(int steps, int decades)
{
    if (decades == 0) return 1;
    for (int c = std::max(steps, 1); c >= 2; --c)
        if (decades % c == 0) return c;
    return 1;
}

void TScaleSettings::Prepare(TCanvas& canvas, float valueFrom, float valueTo)
{
    canvas.SetFont(font_.get());
    canvas.Pen()->SetColor(color_);
    if (logScale_) {
        // A non-positive bound has no decade: it counts as 10^0, as the range setters snap it.
        auto exponent = [](float v) { return v > 0 ? std::clamp(RoundSaturated(DecadeLog(v)), -300, 300) : 0; };
        logFromExp_ = exponent(valueFrom);
        logToExp_ = exponent(valueTo);
        logSteps_ = LogStepCount(steps_, logToExp_ - logFromExp_);
        labels_ = LogScaleLabels(logFromExp_, logToExp_, logSteps_, valueFormatLog_, false);
    } else {
        labels_ = LinearScaleLabels(steps_, valueFormat_, valueTo, valueFrom);
    }
    WidestListItem(canvas, labels_, maxLabelWidth_, labelHeight_);
    penWidth_ = RoundSaturated(labelHeight_ / 14.0);
    labelMargin_ = (maxLabelWidth_ < labelHeight_ ? labelHeight_ / 2 : maxLabelWidth_ / 2) + 1;
}

TScaleSettings::Layout TScaleSettings::Measure(TRect& r, int sweep)
{
    Layout l;
    const int n = intervals();
    const int w = r.Right - r.Left;
    const int radius = (w - 2 * labelMargin_) / 2 - maxLabelWidth_ / 2 + labelMargin_;
    mainTick_ = radius / 8;
    subTick_ = penWidth_ == 1 ? mainTick_ / 2 : RoundSaturated(mainTick_ / 1.4);
    centre_ = Point(RectCentre(r).X, r.Top + radius + labelHeight_ / 2);
    const int t = maxLabelWidth_ / 2;
    const int p = penWidth_ / 2;
    r = Rect(centre_.X - radius + t + p, centre_.Y - radius + t + p, centre_.X + radius - t + p - 1,
             centre_.Y + radius - t + p - 1);
    l.Centre = centre_;
    l.Radius = radius;

    const float perSub = static_cast<float>(sweep) / (subSteps_ * n);
    const float perStep = subSteps_ * perSub;
    for (int i = 0; i < n; ++i) {
        const float a = i * perStep;
        l.LabelAngles.push_back(a);
        l.Ticks.push_back({a, true});
        for (int k = 1; k < subSteps_; ++k) {
            const double b = logScale_ ? DecadeLog(k * 10.0 / subSteps_) * perStep + double(perStep) * i
                                       : double(i * perStep) + double(k * perSub);
            l.Ticks.push_back({static_cast<float>(RoundSaturated(b)), false});
        }
    }
    if (sweep != 360) l.LabelAngles.push_back(static_cast<float>(sweep));
    l.Ticks.push_back({static_cast<float>(sweep), true});
    return l;
}

void TScaleSettings::DrawScale(TCanvas& canvas, TRect& r, int startAngle, int sweep)
{
    canvas.SetFont(font_.get());
    canvas.Pen()->SetColor(color_);
    canvas.Brush()->SetStyle(bsClear);
    const Layout l = Measure(r, sweep);
    const TPoint c = l.Centre;
    const int top = c.Y - l.Radius;
    auto start = [&](int y) { return RotatePoint(Point(c.X, y), c, true, static_cast<float>(startAngle)); };
    const TPoint outer = start(top + labelMargin_);
    const TPoint tickEnd = start(top + labelMargin_ + mainTick_);
    const TPoint subEnd = start(top + labelMargin_ + mainTick_ - subTick_);
    const TPoint anchor = start(top);
    auto line = [&](TPoint from, TPoint to, float angle) {
        const TPoint a = RotatePoint(from, c, true, angle);
        const TPoint b = RotatePoint(to, c, true, angle);
        canvas.MoveTo(a.X, a.Y);
        canvas.LineTo(b.X, b.Y);
    };

    String labels = labels_;
    std::size_t label = 0;
    for (const Tick& t : l.Ticks) {
        if (t.Main) {
            if (label < l.LabelAngles.size() && l.LabelAngles[label] == t.Angle) {
                const TPoint at = RotatePoint(anchor, c, true, t.Angle);
                TextAtAnchor(canvas, at.X, at.Y, 4, CutFirstItem(labels, ';'));
                ++label;
            }
            canvas.Pen()->SetWidth(penWidth_);
            line(outer, tickEnd, t.Angle);
            canvas.Pen()->SetWidth(1);
        } else {
            line(tickEnd, subEnd, t.Angle);
        }
    }

    arcRect_ = Rect(r.Left + mainTick_, r.Top + mainTick_, r.Right - mainTick_, r.Bottom - mainTick_ + 1);
    arcStart_ = RotatePoint(tickEnd, c, true, static_cast<float>(sweep));
    arcEnd_ = outer;
    if (penWidth_ == 1) {
        r.Left += 1;
        r.Top += 1;
    }
}

void TScaleSettings::AssignTo(TPersistent* dest)
{
    auto* d = dynamic_cast<TScaleSettings*>(dest);
    if (!d) return inherited::AssignTo(dest);
    d->SetColor(color_);
    d->SetDrawLine(drawLine_);
    d->SetFont(font_.get());
    d->SetPointerColor(pointerColor_);
    d->SetPosLeftTop(posLeftTop_);
    d->SetSteps(steps_);
    d->SetSubSteps(subSteps_);
    d->SetValueFormat(valueFormat_);
    d->SetValueFormatLog(valueFormatLog_);
}
