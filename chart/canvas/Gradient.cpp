#include "chart/canvas/Gradient.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas.h"
#include "chart/canvas/ZebPen.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

namespace {
TGradientRotationHook rotationHook = nullptr;
}

TGradientRotationHook GradientRotationHook() { return rotationHook; }
void SetGradientRotationHook(TGradientRotationHook hook) { rotationHook = hook; }

// ---- TZebGradientColor ----

TV_PUBLISHED(TZebGradientColor)
{
    PropColor("Color", &TZebGradientColor::Color, &TZebGradientColor::SetColor, clBlack);
    Prop("Offset", &TZebGradientColor::Offset, &TZebGradientColor::SetOffset);
    Prop("Transparency", &TZebGradientColor::Transparency, &TZebGradientColor::SetTransparency, 0);
}

TZebGradientColor::TZebGradientColor(TCollection* collection) : TCollectionItem(collection) {}

void TZebGradientColor::Assign(TPersistent* source)
{
    auto* c = dynamic_cast<TZebGradientColor*>(source);
    if (!c) return inherited::Assign(source);
    color_ = c->color_;
    offset_ = c->offset_;
    transparency_ = c->transparency_;
    Changed(false);
}

void TZebGradientColor::SetColor(TColor value)
{
    if (AssignIfChanged(color_, value)) Changed(false);
}

void TZebGradientColor::SetOffset(double value)
{
    if (AssignIfChanged(offset_, value)) Changed(false);
}

void TZebGradientColor::SetTransparency(TZebTransparency value)
{
    if (AssignIfChanged(transparency_, value)) Changed(false);
}

// ---- TZebGradientColors ----

TV_PUBLISHED(TZebGradientColors) {}

TZebGradientColors::TZebGradientColors(TCustomZebGradient* gradient)
    : TOwnedCollection(gradient, TZebGradientColor::StaticClass()), gradient_(gradient)
{
}

TZebGradientColor* TZebGradientColors::ItemAt(int index)
{
    while (Count() <= index) Add();
    return Items(index);
}

TZebGradientColor* TZebGradientColors::InsertColor(TColor color, TZebTransparency transparency, double offset)
{
    offset = std::clamp(offset, 0.0, 1.0);
    int at = 0;
    while (at < Count() && Items(at)->Offset() <= offset) ++at;
    TZebGradientColor* stop;
    ++quiet_;
    try {
        stop = static_cast<TZebGradientColor*>(Insert(at));
        stop->SetColor(color);
        stop->SetTransparency(transparency);
        stop->SetOffset(offset);
    } catch (...) {
        --quiet_;
        throw;
    }
    --quiet_;
    NotifyOwner();
    return stop;
}

void TZebGradientColors::NotifyOwner()
{
    if (quiet_ == 0 && gradient_) gradient_->Changed();
}

bool TZebGradientColors::HasDefaultShape() const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Transparency() != 0) return false;
    if (Count() == 2) return Items(0)->Offset() == 0 && Items(1)->Offset() == 1;
    if (Count() == 3) return Items(0)->Offset() == 0 && Items(1)->Offset() == 0.5 && Items(2)->Offset() == 1;
    return false;
}

void TZebGradientColors::Update(TCollectionItem* item)
{
    (void)item;
    NotifyOwner();
}

// ---- TCustomZebGradient ----

TV_PUBLISHED(TCustomZebGradient)
{
    Prop("Angle", &TCustomZebGradient::Angle, &TCustomZebGradient::SetAngle, 0);
    Prop("Balance", &TCustomZebGradient::Balance, &TCustomZebGradient::SetBalance, 50);
    Prop("Colors", &TCustomZebGradient::Colors, &TCustomZebGradient::SetColors)
        .Stored(&TCustomZebGradient::IsColorsStored);
    PropEnum("Direction", &TCustomZebGradient::Direction, &TCustomZebGradient::SetDirection, gdTopBottom,
             TGradientDirectionNames)
        .NoDefault()
        .Stored(&TCustomZebGradient::IsDirectionStored);
    PropColor("StartColor", &TCustomZebGradient::StartColor, &TCustomZebGradient::SetStartColor, clWhite)
        .NoDefault()
        .Stored(&TCustomZebGradient::IsStartColorStored);
    PropColor("MidColor", &TCustomZebGradient::MidColor, &TCustomZebGradient::SetMidColor, clNone)
        .NoDefault()
        .Stored(&TCustomZebGradient::IsMidColorStored);
    PropColor("EndColor", &TCustomZebGradient::EndColor, &TCustomZebGradient::SetEndColor, clYellow)
        .NoDefault()
        .Stored(&TCustomZebGradient::IsEndColorStored);
    Prop("RadialX", &TCustomZebGradient::RadialX, &TCustomZebGradient::SetRadialX, 0);
    Prop("RadialY", &TCustomZebGradient::RadialY, &TCustomZebGradient::SetRadialY, 0);
    Prop("Visible", &TCustomZebGradient::Visible, &TCustomZebGradient::SetVisible)
        .NoDefault()
        .Stored(&TCustomZebGradient::IsVisibleStored);
}

TV_PUBLISHED(TZebGradient)
{
    Prop("SubGradient", &TZebGradient::SubGradient, &TZebGradient::SetSubGradient)
        .Stored(&TZebGradient::HasSubGradient);
}

TV_PUBLISHED(TSubGradient) { Prop("Transparency", &TSubGradient::Transparency, &TSubGradient::SetTransparency, 50); }

TCustomZebGradient::TCustomZebGradient(TNotifyEvent onChange) : TZebPersistent(std::move(onChange)) {}

TCustomZebGradient::~TCustomZebGradient()
{
    TObject::Free(colors_);
    TObject::Free(subGradient_);
}

TZebGradientColors* TCustomZebGradient::ensureColors()
{
    if (!colors_) {
        colors_ = new TZebGradientColors(this);
        ++colors_->quiet_;
        colors_->InsertColor(defaultStart_, 0, 0);
        colors_->InsertColor(defaultEnd_, 0, 1);
        --colors_->quiet_;
    }
    return colors_;
}

TZebGradientColors* TCustomZebGradient::Colors() { return ensureColors(); }

void TCustomZebGradient::SetColors(TZebGradientColors* value)
{
    if (!value) {
        TObject::Free(colors_);
        colors_ = nullptr;
        return;
    }
    TZebGradientColors* c = ensureColors();
    ++c->quiet_;
    try {
        c->Clear();
        for (int i = 0; i < value->Count(); ++i) c->Add()->Assign(value->Items(i));
    } catch (...) {
        --c->quiet_;
        throw;
    }
    --c->quiet_;
    Changed();
}

void TCustomZebGradient::Assign(TPersistent* source)
{
    auto* g = dynamic_cast<TCustomZebGradient*>(source);
    if (!g) return inherited::Assign(source);
    if (g == this) return;
    angle_ = g->angle_;
    balance_ = g->balance_;
    direction_ = g->direction_;
    radialX_ = g->radialX_;
    radialY_ = g->radialY_;
    if (g->colors_) {
        TZebGradientColors* c = ensureColors();
        ++c->quiet_;
        c->Clear();
        for (int i = 0; i < g->colors_->Count(); ++i) c->Add()->Assign(g->colors_->Items(i));
        --c->quiet_;
    } else {
        TObject::Free(colors_);
        colors_ = nullptr;
    }
    startFollowsEnd_ = g->startFollowsEnd_;
    if (g->subGradient_) {
        SubGradient()->Assign(g->subGradient_);
    } else {
        TObject::Free(subGradient_);
        subGradient_ = nullptr;
    }
    visible_ = g->visible_;
}

void TCustomZebGradient::SetAngle(int value)
{
    if (AssignIfChanged(angle_, value)) Changed();
}

void TCustomZebGradient::SetBalance(int value)
{
    if (AssignIfChanged(balance_, value)) Changed();
}

void TCustomZebGradient::SetDirection(TGradientDirection value)
{
    if (AssignIfChanged(direction_, value)) Changed();
}

void TCustomZebGradient::SetRadialX(int value)
{
    if (AssignIfChanged(radialX_, value)) Changed();
}

void TCustomZebGradient::SetRadialY(int value)
{
    if (AssignIfChanged(radialY_, value)) Changed();
}

void TCustomZebGradient::SetVisible(bool value)
{
    if (AssignIfChanged(visible_, value)) Changed();
}

TColor TCustomZebGradient::StartColor() const
{
    if (!colors_) return defaultStart_;
    return colors_->Count() ? colors_->Items(0)->Color() : clNone;
}

TColor TCustomZebGradient::EndColor() const
{
    if (!colors_) return defaultEnd_;
    return colors_->Count() ? colors_->Items(colors_->Count() - 1)->Color() : clNone;
}

TColor TCustomZebGradient::MidColor() const
{
    return colors_ && colors_->Count() >= 3 ? colors_->Items(1)->Color() : clNone;
}

void TCustomZebGradient::SetStartColor(TColor value)
{
    if (StartColor() == value && colors_ && colors_->Count()) return;
    TZebGradientColors* c = ensureColors();
    ++c->quiet_;
    c->ItemAt(0)->SetColor(value);
    --c->quiet_;
    Changed();
}

void TCustomZebGradient::SetEndColor(TColor value)
{
    TZebGradientColors* c = ensureColors();
    const bool startToo = startFollowsEnd_ && StartColor() != value;
    if (EndColor() == value && c->Count() && !startToo) return;
    ++c->quiet_;
    if (c->Count() == 0) c->InsertColor(value, 0, 1);
    c->Items(c->Count() - 1)->SetColor(value);
    if (startFollowsEnd_) c->Items(0)->SetColor(value);
    --c->quiet_;
    Changed();
}

void TCustomZebGradient::SetMidColor(TColor value)
{
    // The middle stop changes quietly; the gradient sends the one notice.
    TZebGradientColors* c = ensureColors();
    if (value == clNone) {
        if (c->Count() <= 2) return;
        ++c->quiet_;
        c->Delete(1);
        --c->quiet_;
        Changed();
        return;
    }
    ++c->quiet_;
    if (c->Count() <= 2) {
        TZebGradientColor* stop = static_cast<TZebGradientColor*>(c->Insert(std::min(1, c->Count())));
        stop->SetOffset(0.5);
        stop->SetColor(value);
    } else if (c->Items(1)->Color() == value) {
        --c->quiet_;
        return;
    } else {
        c->Items(1)->SetColor(value);
    }
    --c->quiet_;
    lastMidColor_ = value;
    Changed();
}

void TCustomZebGradient::ResetColors()
{
    TZebGradientColors* c = ensureColors();
    ++c->quiet_;
    c->Clear();
    c->InsertColor(defaultStart_, 0, 0);
    c->InsertColor(defaultEnd_, 0, 1);
    --c->quiet_;
}

void TCustomZebGradient::InitDirection(TGradientDirection value)
{
    SetDirection(value);
    defaultDirection_ = value;
}

void TCustomZebGradient::InitColors(TColor start, TColor end)
{
    defaultStart_ = start;
    defaultEnd_ = end;
    if (!colors_) return;
    SetStartColor(start);
    SetEndColor(end);
}

TSubGradient* TCustomZebGradient::SubGradient()
{
    if (!subGradient_) subGradient_ = new TSubGradient(OnChange());
    return subGradient_;
}

void TCustomZebGradient::SetSubGradient(TSubGradient* value)
{
    if (!value) {
        if (!subGradient_) return;
        TObject::Free(subGradient_);
        subGradient_ = nullptr;
        Changed();
        return;
    }
    SubGradient()->Assign(value);
    Changed();
}

bool TCustomZebGradient::IsColorsStored() const { return colors_ && !colors_->HasDefaultShape(); }

// ---- TSubGradient ----

void TSubGradient::Assign(TPersistent* source)
{
    inherited::Assign(source);
    if (auto* s = dynamic_cast<TSubGradient*>(source)) transparency_ = s->transparency_;
}

void TSubGradient::SetTransparency(TZebTransparency value)
{
    if (AssignIfChanged(transparency_, value)) Changed();
}

// ---- drawing ----

void TCustomZebGradient::Draw(TZebCanvas& canvas, const TRect& rect, int roundSize)
{
    canvas.GetBrushGradient()->Assign(this);
    if (roundSize < 1)
        canvas.FillRectangle(rect);
    else
        canvas.RoundRectCorners(rect, roundSize, roundSize);
    if (subGradient_ && subGradient_->Visible()) DrawSubGradient(canvas, rect, roundSize);
}

void TCustomZebGradient::DrawSubGradient(TZebCanvas& canvas, const TRect& rect, int roundSize)
{
    TSubGradient& sub = *SubGradient();
    TZebBlend* blend = canvas.StartBlend(rect, sub.Transparency());
    try {
        if (sub.Direction() == gdRadial)
            sub.DrawRadialEllipses(canvas, rect);
        else
            sub.Draw(canvas, rect, roundSize);
    } catch (...) {
        canvas.FinishBlend(blend);
        throw;
    }
    canvas.FinishBlend(blend);
}

void TCustomZebGradient::DrawRadialEllipses(TZebCanvas& canvas, const TRect& rect)
{
    const TRect r = NormalizeRect(rect);
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    int steps = std::min(255, std::max(w, h));
    if (steps <= 0) return;
    canvas.ClipToRect(r);
    TZebGradient* own = canvas.GetBrushGradient();
    const bool wasVisible = own->Visible();
    const TPenStyle penStyle = canvas.Pen()->Style();
    const TColor brushColor = canvas.Brush()->Color();
    auto restore = [&] {
        canvas.RemoveClip();
        own->SetVisible(wasVisible);
        canvas.Pen()->SetStyle(penStyle);
        canvas.Brush()->SetColor(brushColor);
    };
    try {
        own->SetVisible(false);
        const double fraction = 1.0 / steps;
        const TColorRef start = ColorToRGB(StartColor()), end = ColorToRGB(EndColor());
        const int s[3] = {GetRValue(start), GetGValue(start), GetBValue(start)};
        const int e[3] = {GetRValue(end), GetGValue(end), GetBValue(end)};
        canvas.Pen()->SetStyle(psClear);
        canvas.Brush()->SetColor(EndColor());
        canvas.FillRectangle(r);
        if (w % 2 != 0 || h % 2 != 0) --steps;
        const double cx = radialX_ + 1 + (r.Left + r.Right) / 2.0;
        const double cy = radialY_ + 1 + (r.Top + r.Bottom) / 2.0;
        auto* canvas3D = dynamic_cast<TCanvas3D*>(&canvas);
        HDC dc = canvas3D && canvas3D->SelectStockDCBrush() ? canvas.GetDeviceContext() : nullptr;
        const double exponent = balance_ / 100.0 + 0.5;
        for (int n = steps; n >= 0; --n) {
            int c[3];
            for (int k = 0; k < 3; ++k) {
                const int diff = e[k] - s[k];
                c[k] = balance_ == 50 ? s[k] + RoundHalfEven(fraction * diff * n)
                                      : s[k] + RoundHalfEven(diff * std::pow((n + 1.0) / (steps + 1.0), exponent));
            }
            const TColor color = static_cast<TColor>(
                RGB(static_cast<Byte>(c[0]), static_cast<Byte>(c[1]), static_cast<Byte>(c[2])));
            if (dc)
                dc->SetDCBrushColor(color);
            else
                canvas.Brush()->SetColor(color);
            const double rx = fraction * w / 2 * n, ry = fraction * h / 2 * n;
            canvas.Ellipse(RoundHalfEven(cx - rx), RoundHalfEven(cy - ry), RoundHalfEven(cx + rx),
                           RoundHalfEven(cy + ry));
        }
        if (dc) canvas.ApplyBrush(*canvas.Brush());
    } catch (...) {
        restore();
        throw;
    }
    restore();
    if (subGradient_ && subGradient_->Visible()) DrawSubGradient(canvas, rect, 0);
}

void TCustomZebGradient::DrawRotated(TZebCanvas& canvas, const TRect& rect)
{
    const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    const double r = (360 - angle_) * 3.14159265358979323846 / 180;
    const double sn = std::sin(r), cs = std::cos(r);
    int bw, bh;
    if (sn * cs > 0) {
        bw = std::abs(RoundHalfEven(w * cs + h * sn)) + 2;
        bh = std::abs(RoundHalfEven(w * sn + h * cs)) + 2;
    } else {
        bw = std::abs(RoundHalfEven(w * cs - h * sn)) + 2;
        bh = std::abs(RoundHalfEven(w * sn - h * cs)) + 2;
    }
    const TCanvasClassList* classes = CanvasClassList();
    TOwnedPtr<TObject> made(classes && !classes->empty() ? classes->front()->CreateInstance() : nullptr);
    auto* temp = dynamic_cast<TCanvas3D*>(made.get());
    if (!temp) {
        // No device canvas to draw into: the gradient as it is.
        const int keep = angle_;
        angle_ = 0;
        try {
            Draw(canvas, rect, 0);
        } catch (...) {
            angle_ = keep;
            throw;
        }
        angle_ = keep;
        return;
    }
    TBitmap bitmap(bw, bh, pf24bit);
    temp->SetBuffered(false);
    temp->BindCanvas(bitmap.Canvas());
    const int keep = angle_;
    angle_ = 0;
    try {
        Draw(*temp, {0, 0, bw, bh}, 0);
    } catch (...) {
        angle_ = keep;
        throw;
    }
    angle_ = keep;
    made.reset();
    if (TGradientRotationHook hook = GradientRotationHook()) hook(*this, bitmap);
    canvas.ClipToRect(rect);
    canvas.DrawGraphic(rect.Left - (bitmap.Width() - w) / 2, rect.Top - (bitmap.Height() - h) / 2, &bitmap);
    canvas.RemoveClip();
}
