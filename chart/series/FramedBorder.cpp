// Ring frames: three gradient rings from the outside in, as rectangles or ellipses.
#include "chart/series/FramedBorder.h"

#include <algorithm>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Path.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ZebPanel.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

TV_PUBLISHED(TFrameBrush)
{
    Prop("Size", &TFrameBrush::Size, &TFrameBrush::SetSize).NoDefault().Stored(&TFrameBrush::IsSizeStored);
}

TV_PUBLISHED(TFramedBorder)
{
    Prop("Brush", &TFramedBorder::Brush, &TFramedBorder::SetBrush);
    Prop("Circled", &TFramedBorder::Circled, &TFramedBorder::SetCircled).Stored(&TFramedBorder::IsCircledStored);
    Prop("Emboss", &TFramedBorder::Emboss, &TFramedBorder::SetEmboss);
    Prop("InnerBrush", &TFramedBorder::InnerBrush, &TFramedBorder::SetInnerBrush);
    Prop("MiddleBrush", &TFramedBorder::MiddleBrush, &TFramedBorder::SetMiddleBrush);
    Prop("OuterBrush", &TFramedBorder::OuterBrush, &TFramedBorder::SetOuterBrush);
    Prop("Shadow", &TFramedBorder::Shadow, &TFramedBorder::SetShadow);
    Prop("Visible", &TFramedBorder::Visible, &TFramedBorder::SetVisible).Stored(&TFramedBorder::IsVisibleStored);
    Prop("Width", &TFramedBorder::Width, &TFramedBorder::SetWidth, 10);
}

TV_PUBLISHED(TCircularFrame)
{
    Prop("RotationAngle", &TCircularFrame::RotationAngle, &TCircularFrame::SetRotationAngle, 0);
    Prop("TotalAngle", &TCircularFrame::TotalAngle, &TCircularFrame::SetTotalAngle, 360);
}

namespace {

int RoundInt(double value) { return static_cast<int>(Round(value)); }

TRect Inset(const TRect& r, int d) { return {r.Left + d, r.Top + d, r.Right - d, r.Bottom - d}; }

}  // namespace

// ---- TFrameBrush ----

TFrameBrush::TFrameBrush(TNotifyEvent onChange, float size)
    : TZebBrush(std::move(onChange)), size_(size), defaultSize_(size)
{
}

void TFrameBrush::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TFrameBrush*>(source)) size_ = other->size_;
    TZebBrush::Assign(source);
}

void TFrameBrush::SetSize(float value) { if (AssignIfChanged(size_, value)) Changed(); }

// ---- TFramedBorder ----

TFramedBorder::TFramedBorder()
{
    const TNotifyEvent changed(static_cast<TZebCustomShapeBrushPen*>(this), &TZebCustomShapeBrushPen::StyleChanged);
    emboss_ = std::make_unique<TZebEmboss>(changed);
    shadow_ = std::make_unique<TZebShadow>(changed);
    const auto ring = [&](float size, TColor back) {
        auto brush = std::make_unique<TFrameBrush>(changed, size);
        brush->SetBackColor(back);
        brush->Gradient()->SetEndColor(back);
        return brush;
    };
    inner_ = ring(70, clRed);
    middle_ = ring(10, clYellow);
    outer_ = ring(20, clGreen);
}

TFramedBorder::~TFramedBorder() = default;

void TFramedBorder::DefineProperties(TFiler& filer)
{
    TZebCustomShapeBrushPen::DefineProperties(filer);
    // Old streams name the series the frame belonged to.
    filer.DefineProperty("ParentSeries", [](TReader& reader) { reader.ReadIdent(); }, nullptr, false);
}

void TFramedBorder::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TFramedBorder*>(source)) {
        circled_ = other->circled_;
        inner_->Assign(other->inner_.get());
        middle_->Assign(other->middle_.get());
        outer_->Assign(other->outer_.get());
        emboss_->Assign(other->emboss_.get());
        shadow_->Assign(other->shadow_.get());
        width_ = other->width_;
    }
    TZebCustomShapeBrushPen::Assign(source);
}

void TFramedBorder::SetCircled(bool value) { Change(circled_, value); }

void TFramedBorder::SetEmboss(TZebEmboss* value) { emboss_->Assign(value); }

void TFramedBorder::SetShadow(TZebShadow* value) { shadow_->Assign(value); }

void TFramedBorder::SetWidth(int value) { Change(width_, value); }

double TFramedBorder::PixelWidth(const TRect& rect) const
{
    return std::min(rect.Right - rect.Left, rect.Bottom - rect.Top) * width_ * 0.01;
}

TCanvas3D* TFramedBorder::canvas() const { return ParentPanel() ? ParentPanel()->Canvas3D() : nullptr; }

void TFramedBorder::fillRing(TZebBrush& brush, const TRect& rect)
{
    TCanvas3D& c = *canvas();
    if (brush.Style() == bsClear) return;
    c.SelectBrush(brush, brush.Color(), brush.BackColor());
    if (circled_)
        c.DrawEllipseRect(rect);
    else
        c.FillRectangle(rect);
}

void TFramedBorder::PaintFrame(const TRect& rect)
{
    TCanvas3D* c = canvas();
    if (!c) return;
    TRect r = rect;
    for (TZebShadow* effect : {shadow_.get(), static_cast<TZebShadow*>(emboss_.get())}) {
        if (!effect->IsActive()) continue;
        if (circled_)
            effect->DrawEllipse(*c, r);
        else
            effect->DrawRect(*c, r);
    }
    c->Pen()->SetStyle(psClear);
    double w = PixelWidth(r);
    const auto ring = [&](TFrameBrush& brush) {
        if (const int d = RoundInt(w * brush.Size() * 0.01); d != 0) r = Inset(r, d);
        fillRing(brush, r);
    };
    ring(*outer_);
    w = PixelWidth(r);
    ring(*middle_);
    ring(*inner_);
    fillRing(*Brush(), r);
}

// ---- TCircularFrame ----

TCircularFrame::TCircularFrame()
{
    for (TFrameBrush* brush : {InnerBrush(), MiddleBrush(), OuterBrush()}) {
        TZebGradient& g = *brush->Gradient();
        g.InitVisible(true);
        g.SetMidColor(clWhite);
        g.SetStartColor(g.EndColor());
    }
}

void TCircularFrame::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TCircularFrame*>(source)) {
        rotationAngle_ = other->rotationAngle_;
        totalAngle_ = other->totalAngle_;
    }
    TFramedBorder::Assign(source);
}

void TCircularFrame::SetRotationAngle(int value) { Change(rotationAngle_, value); }

void TCircularFrame::SetTotalAngle(int value) { Change(totalAngle_, value); }

void TCircularFrame::ringShape(TZebBrush& brush, const TRect& rect)
{
    if (brush.Style() == bsClear) return;
    TCanvas3D& c = *canvas();
    c.SelectBrush(brush, brush.Color(), brush.BackColor());
    c.Pen()->SetStyle(psClear);
    if (!Circled()) {
        c.FillRectangle(rect);
        return;
    }
    if (totalAngle_ == 360) {
        c.DrawEllipseRect(rect);
        return;
    }
    const float start = static_cast<float>(rotationAngle_ + 135);
    TOwnedPtr<TZebBasePath> path(c.StartPath());
    const float w = static_cast<float>(rect.Right - rect.Left), h = static_cast<float>(rect.Bottom - rect.Top);
    path->AddArc(static_cast<float>(rect.Left), static_cast<float>(rect.Top), w, h, start,
                 static_cast<float>(totalAngle_));
    // A narrow arc closes towards the centre, a wide one by its chord.
    if (totalAngle_ < 180) path->LineToPoint({(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2});
    path->CloseFigure();
    path->DrawWith(c);
}

void TCircularFrame::PaintFrame(const TRect& rect)
{
    if (!canvas()) return;
    double outer = OuterProportion, middle = MiddleProportion, inner = InnerProportion;
    const double sum = outer + middle + inner;
    // Proportions summing to 0 divide nothing: no rings.
    if (sum == 0) return;
    if (sum != 100) {
        outer *= 100 / sum;
        middle *= 100 / sum;
        inner *= 100 / sum;
    }
    const double w = PixelWidth(rect);
    TRect r = rect;
    for (auto [brush, share] : {std::pair{OuterBrush(), outer}, {MiddleBrush(), middle}, {InnerBrush(), inner}}) {
        ringShape(*brush, r);
        r = Inset(r, RoundInt(share * 0.01 * w));
    }
}
