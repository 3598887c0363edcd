#include "widgets/meters/RoundMeter.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"  // before Published.h, which uses it
#include "platform/classes/Published.h"
#include "platform/forms/Messages.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "widgets/meters/FlashTimer.h"
#include "widgets/meters/GaugeDraw.h"
#include "widgets/meters/GaugeMath.h"

namespace {
constexpr Int64 kBlinkCode = FlashCodeOf(ff2Hz);
}  // namespace

TV_PUBLISHED(TVnRMeter)
{
    Prop("ArrowSettings", &TVnRMeter::ArrowSettings, &TVnRMeter::SetArrowSettings);
    Prop("FontUnit", &TVnRMeter::FontUnit, &TVnRMeter::SetFontUnit);
    Prop("BevelInner", &TVnRMeter::BevelInner, &TVnRMeter::SetBevelInner);
    Prop("BevelOuter", &TVnRMeter::BevelOuter, &TVnRMeter::SetBevelOuter);
    PropSet("Options", &TVnRMeter::Options, &TVnRMeter::SetOptions, AllRMeterOptions, TRMeterOptionNames).NoDefault();
    Prop("ScaleSettings", &TVnRMeter::ScaleSettings, &TVnRMeter::SetScaleSettings);
    Prop("LogScale", &TVnRMeter::LogScale, &TVnRMeter::SetLogScale, false);
    Prop("AutoSize", &TVnRMeter::MeterAutoSize, &TVnRMeter::SetAutoSize).NoDefault();
    Prop("Font", &TVnRMeter::Font, &TVnRMeter::SetFont);
    Prop("Visible", &TVnRMeter::Visible, &TVnRMeter::SetVisible, true);
}

TVnRMeter::TVnRMeter(TComponent* owner)
    : TVnAnalogGControl(owner),
      arrow_(new TArrowSettings),
      fontUnit_(new TFont),
      bevelInner_(new TVnSBevel),
      bevelOuter_(new TVnSBevel),
      scale_(new TScaleSettings),
      background_(new TBitmap(1, 1)),
      face_(new TBitmap)
{
    LockSettings();
    fontUnit_->SetColor(clBlack);
    fontUnit_->SetName("System");
    fontUnit_->SetSize(10);
    bevelInner_->SetStyle(bsLowered);
    bevelInner_->SetBevelLine(blInner);
    bevelOuter_->SetStyle(bsRaised);
    bevelOuter_->SetBevelLine(blOuter);
    if (IsDesigning()) Loaded();
}

TVnRMeter::~TVnRMeter() { UnregisterFlashControl(this); }

void TVnRMeter::Loaded()
{
    if (loadedOnce_) return;
    loadedOnce_ = true;
    const TNotifyEvent changed([this](TObject*) { SettingsChangedUnlessLocked(); });
    arrow_->SetOnChange(changed);
    fontUnit_->SetOnChange(changed);
    bevelInner_->SetOnChange(changed);
    bevelOuter_->SetOnChange(changed);
    scale_->SetOnChange(changed);
    inherited::Loaded();
    UnlockSettings();
}

void TVnRMeter::SetGeometry(int startAngle, int sweep, float scaleFactor, int kind)
{
    startAngle_ = startAngle;
    sweep_ = sweep;
    scaleFactor_ = scaleFactor;
    kind_ = kind;
}

void TVnRMeter::Invalidate()
{
    faceDirty_ = true;
    inherited::Invalidate();
}

void TVnRMeter::BoundsChanged()
{
    faceDirty_ = true;
    inherited::BoundsChanged();
}

void TVnRMeter::invalidateUnlessLocked()
{
    if (!SettingsLocked()) Invalidate();
}

void TVnRMeter::SetFontUnit(TFont* v)
{
    fontUnit_->Assign(v);
    invalidateUnlessLocked();
}

void TVnRMeter::SetOptions(TRMeterOptions v)
{
    options_ = v;
    invalidateUnlessLocked();
}

void TVnRMeter::SetAutoSize(bool v)
{
    autoSize_ = v;
    invalidateUnlessLocked();
}

void TVnRMeter::SettingsChanged()
{
    inherited::SettingsChanged();
    invalidateUnlessLocked();
}

void TVnRMeter::LogScaleChanged()
{
    scale_->SetLogScale(LogScale());
    invalidateUnlessLocked();
}

void TVnRMeter::ValueChanged()
{
    inValueUpdate_ = true;
    try {
        inherited::ValueChanged();
        if (!tooSmall_ && background_ && Visible()) requestNeedle();
    } catch (...) {
        inValueUpdate_ = false;
        throw;
    }
    inValueUpdate_ = false;
}

void TVnRMeter::OverflowChanged(int) { updateBlinking(); }
void TVnRMeter::LimitChanged() { updateBlinking(); }

void TVnRMeter::updateBlinking()
{
    const bool out = (options_.Contains(opOverflow) && (Ppt() > 1000 || Ppt() < 0)) ||
                     (options_.Contains(opLimit) && (BelowLower() || AboveUpper()));
    if (out) {
        RegisterFlashControl(this, kBlinkCode);
        blinking_ = true;
    } else {
        blinking_ = false;
        UnregisterFlashControl(this);
    }
}

void TVnRMeter::WndProc(TMessage& message)
{
    if (message.Msg != WM_FLASH) return inherited::WndProc(message);
    if (!Visible() || inValueUpdate_ || tooSmall_) return;
    blinkColour_ = message.LParam != 0 ? BlinkColorOn() : BlinkColorOff();
    requestNeedle();
}

// Inside a paint the needle is drawn at once; otherwise only its rectangle is repainted.
void TVnRMeter::requestNeedle()
{
    if (paintCanvas_) {
        RedrawNeedle(*paintCanvas_);
        return;
    }
    if (needleRequested_) return;  // the paint already asked for draws the newest needle
    if (needleDrawn_ && !faceDirty_ && drawnState_ == needleState()) return;  // same pixels
    TRect r;
    if (background_->Width() > 1 && OverlapRect(needleRect_, ClientRect(), r) && !r.IsEmpty()) {
        InvalidateRect(r);
        needleRequested_ = true;
    }
}

void TVnRMeter::measure(TCanvas& canvas)
{
    canvas.SetFont(Font());
    name1Size_ = canvas.TextExtent(SignalSettings()->Name1());
    name2Size_ = canvas.TextExtent(SignalSettings()->Name2());
    canvas.SetFont(fontUnit_.get());
    unitSize_ = canvas.TextExtent(SignalSettings()->ValueUnit());
    scale_->Prepare(canvas, SignalSettings()->ValueFrom(), SignalSettings()->ValueTo());

    const int labelHeight = scale_->LabelHeight();
    int bevels = 0;
    if (options_.Contains(opBevelOuter)) bevels += 2 * bevelOuter_->TotalWidth();
    if (options_.Contains(opBevelInner)) bevels += 2 * bevelInner_->TotalWidth();
    int w = autoSize_ ? 10 * labelHeight : std::max(Width() - bevels, 7 * labelHeight);
    int h = RoundSaturated((w - scale_->MaxLabelWidth()) / double(scaleFactor_) + labelHeight);
    if (options_.Contains(opBevelOuter)) {
        w += 2 * bevelOuter_->TotalWidth();
        h += 2 * bevelOuter_->TotalWidth();
    }
    if (options_.Contains(opName1)) {
        h += name1Size_.cy;
        w = std::max(w, name1Size_.cx + bevels);
    }
    if (options_.Contains(opName2)) {
        h += name2Size_.cy;
        w = std::max(w, name2Size_.cx + bevels);
    }
    if (options_.Contains(opBevelInner)) {
        w += 2 * bevelInner_->TotalWidth();
        h += 2 * bevelInner_->TotalWidth();
    }
    measuredWidth_ = w;
    measuredHeight_ = h;
    if (autoSize_ && (w != Width() || h != Height())) SetBounds(Left(), Top(), w, h);
}

void TVnRMeter::Paint()
{
    needleRequested_ = false;
    // A meter made in code is never streamed in: it finishes its set-up on its first paint.
    if (!loadedOnce_ && !IsLoading()) Loaded();
    if (SettingsLocked()) return;
    TCanvas& canvas = *Canvas();
    // Unless something asked for a new face, every paint takes it from the cache. The face is
    // captured from the surface beneath, and a repaint the meter did not ask for may come over a
    // surface still holding its last needle: capturing again would freeze that needle into the face.
    const bool needleOnly = !faceDirty_ && !tooSmall_ && background_->Width() > 1 && face_->Width() == Width() &&
                            face_->Height() == Height();
    faceDirty_ = false;
    paintCanvas_ = &canvas;
    try {
        if (needleOnly) {
            canvas.Draw(0, 0, face_.get());
            RedrawNeedle(canvas);
        } else {
            paintFace(canvas);
        }
    } catch (...) {
        paintCanvas_ = nullptr;
        throw;
    }
    paintCanvas_ = nullptr;
}

void TVnRMeter::paintFace(TCanvas& canvas)
{
    measure(canvas);
    TRect r = ClientRect();
    int a = 0;
    if (options_.Contains(opBevelOuter)) {
        bevelOuter_->DrawBevel(canvas, r);
        a = bevelOuter_->Spacing() / 2;
    }
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetFont(Font());
    auto name = [&](const String& text, const TSize& size) {
        const int bottom = r.Bottom;
        r.Bottom -= size.cy;
        canvas.TextOut(r.Left + (r.Width() - size.cx) / 2, bottom - size.cy + a, text);
    };
    if (options_.Contains(opName2)) name(SignalSettings()->Name2(), name2Size_);
    if (options_.Contains(opName1)) name(SignalSettings()->Name1(), name1Size_);
    if (options_.Contains(opBevelInner)) bevelInner_->DrawBevel(canvas, r);

    tooSmall_ = r.Width() < 2 || r.Height() < 2;
    if (tooSmall_) {
        face_->SetSize(0, 0);
        return;
    }

    if (kind_ == 3) {
        r.Left -= r.Width() / 20;
        r.Right += r.Width() / 20;
    }
    const TRect s = r;
    if (kind_ == 2 || kind_ == 3) {
        needleRect_.Bottom = r.Bottom + bevelInner_->Spacing();
        scale_->DrawScale(canvas, r, startAngle_, sweep_);
        needleRect_.Left = r.Left;
        needleRect_.Top = r.Top;
        needleRect_.Right = r.Right;
    } else {
        scale_->DrawScale(canvas, r, startAngle_, sweep_);
        needleRect_ = r;
    }

    if (options_.Contains(opSector)) {
        TRect sr = r;
        ShrinkRect(sr, scale_->MainTick() + SectorSettings()->Offset());
        drawSectors(canvas, sr);
    }
    if (SectorSettings()->Offset() < 0) {
        TRect again = s;
        scale_->DrawScale(canvas, again, startAngle_, sweep_);
    }
    if (options_.Contains(opUnit)) {
        canvas.SetFont(fontUnit_.get());
        canvas.Brush()->SetStyle(bsClear);
        const int y = kind_ == 1 ? RoundSaturated((Width() - scale_->MaxLabelWidth()) / 1.18 - scale_->LabelHeight())
                                 : r.Top + RoundSaturated(r.Width() / 3.0 - scale_->LabelHeight() / 2.0);
        canvas.TextOut(r.Left + (r.Width() - unitSize_.cx) / 2, y, SignalSettings()->ValueUnit());
    }

    needle_ = RotateShape(NeedleShape(arrow_->Shape(), needleRect_), true, static_cast<float>(startAngle_));
    CaptureBackground(canvas, *background_, needleRect_);
    CaptureBackground(canvas, *face_, ClientRect());

    const TPoint centre = needle_.Centre();
    const int e = RoundSaturated(scale_->MainTick() * 0.6);
    const int g = e + scale_->MainTick();
    const int f = centre.X;
    const TPoint base[6] = {{f, g}, {f, 1}, {f - e, 1}, {f, g}, {f, 1}, {f + e, 1}};
    for (int i = 0; i < 6; ++i) markerBase_[i] = RotatePoint(base[i], centre, true, static_cast<float>(startAngle_));

    ValueChanged();
}

void TVnRMeter::drawSectors(TCanvas& canvas, const TRect& sr)
{
    const int b = sr.Width() / 10 + SectorSettings()->WidthOffset();
    HDC dc = canvas.Handle();
    const int saved = dc->SaveDC();
    // Regions are in device units: move the ring by the canvas origin.
    const TPoint origin = dc->LPtoDP(Point(0, 0));
    TRegion outer = TRegion::FromEllipse(Rect(sr.Left, sr.Top, sr.Right, sr.Bottom + 1));
    TRect innerRect = sr;
    ShrinkRect(innerRect, b);
    TRegion inner = TRegion::FromEllipse(innerRect);
    TRegion ring;
    ring.Combine(outer, inner, RGN_DIFF);
    ring.Offset(origin.X, origin.Y);
    dc->ExtSelectClipRgn(&ring, RGN_AND);

    const double k = sweep_ / 1000.0;
    const TSectorSettings& sectors = *SectorSettings();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Pen()->SetWidth(1);
    for (int i = 0; i < 3; ++i) {
        const int from = sectors.SectorFrom(i);
        const int to = sectors.SectorTo(i);
        if (!(to - from > 4 && to > 0 && from < 1000)) continue;
        canvas.Pen()->SetColor(sectors.SectorColor(i));
        canvas.Brush()->SetColor(sectors.SectorColor(i));
        const int start = from < 0 ? startAngle_ : RoundSaturated(from * k) + startAngle_;
        const int length = from < 0 ? std::min(1000, to) : std::min(1000, to) - from;
        PieSector(canvas, sr, static_cast<float>(start), static_cast<float>(RoundSaturated(length * k)));
    }
    dc->RestoreDC(saved);
    canvas.Refresh();

    canvas.Pen()->SetColor(scale_->Color());
    canvas.Pen()->SetWidth(scale_->PenWidth());
    canvas.Brush()->SetStyle(bsClear);
    if (scale_->DrawLine()) {
        if (kind_ == 0) {
            canvas.Ellipse(sr);
        } else {
            const TRect& ar = scale_->ArcRect();
            canvas.Arc(ar.Left, ar.Top, ar.Right, ar.Bottom, scale_->ArcStart().X, scale_->ArcStart().Y,
                       scale_->ArcEnd().X, scale_->ArcEnd().Y);
        }
    }
}

void TVnRMeter::RedrawNeedle(TCanvas& canvas)
{
    if (tooSmall_ || !background_ || background_->Width() <= 1) return;
    canvas.Draw(needleRect_.Left, needleRect_.Top, background_.get());
    // The needle's points are relative to its rectangle, and nothing leaves it.
    HDC dc = canvas.Handle();
    const int saved = dc->SaveDC();
    dc->OffsetViewportOrg(needleRect_.Left, needleRect_.Top);
    dc->IntersectClipRect(0, 0, needleRect_.Width(), needleRect_.Height());
    canvas.Refresh();
    TCanvas& c = canvas;
    c.Pen()->SetWidth(1);
    c.Pen()->SetColor(clBlack);
    const double k = sweep_ / 1000.0;
    const TPoint centre = needle_.Centre();
    for (int i = 0; i < 3; ++i) {
        minMarker_[i] = RotatePoint(markerBase_[i], centre, true, static_cast<float>(k * MinPpt()));
        maxMarker_[i] = RotatePoint(markerBase_[i + 3], centre, true, static_cast<float>(k * MaxPpt()));
    }
    const TMinMax& mm = *MinMax();
    auto marker = [&](const TPoint* pts, int ppt, TColor own) {
        TColor colour = own;
        if (!(mm.UseSectorCol() && SectorSettings()->SectorColorAt(ppt, colour))) colour = own;
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(colour);
        c.Polygon(pts, 3);
    };
    if (mm.MinVisible()) marker(minMarker_, MinPpt(), mm.MinColor());
    if (mm.MaxVisible()) marker(maxMarker_, MaxPpt(), mm.MaxColor());

    if (blinking_) {
        c.Brush()->SetColor(blinkColour_);
        c.Pen()->SetColor(needle_.PenBlinks ? blinkColour_ : arrow_->ColorPen());
    } else {
        c.Pen()->SetColor(arrow_->ColorPen());
        c.Brush()->SetColor(arrow_->ColorBrush());
    }
    c.Brush()->SetStyle(bsSolid);
    drawn_ = DrawRotatedShape(c, needle_, true, static_cast<float>(k * Ppt()));
    auto hub = [&](int radius, TColor brush, TColor pen) {
        if (radius <= 0) return;
        c.Brush()->SetColor(brush);
        c.Pen()->SetColor(pen);
        c.Ellipse(centre.X - radius, centre.Y - radius, centre.X + radius, centre.Y + radius);
    };
    hub(needle_.Hub1, arrow_->ColorCP1Brush(), arrow_->ColorCP1Pen());
    hub(needle_.Hub2, arrow_->ColorCP2Brush(), arrow_->ColorCP2Pen());
    dc->RestoreDC(saved);
    canvas.Refresh();
    drawnState_ = needleState();
    needleDrawn_ = true;
}

TVnRMeter::TNeedleState TVnRMeter::needleState() const
{
    return {Ppt(), MinPpt(), MaxPpt(), blinking_, blinking_ ? blinkColour_ : clNone};
}

// ---- the two fixed geometries ----

TV_PUBLISHED(TVn180Meter) {}

TVn180Meter::TVn180Meter(TComponent* owner) : TVnRMeter(owner)
{
    SetGeometry(270, 180, 2.0f, 2);
    SetBounds(Left(), Top(), 252, 174);
    ScaleSettings()->SetSteps(5);
}

TV_PUBLISHED(TVn120Meter) {}

TVn120Meter::TVn120Meter(TComponent* owner) : TVnRMeter(owner)
{
    SetGeometry(300, 120, 2.5f, 3);
    SetBounds(Left(), Top(), 252, 155);
    ScaleSettings()->SetSteps(5);
}
