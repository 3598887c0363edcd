#include "chart/core/ZebPanelExtended.h"

#include <algorithm>
#include <utility>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/PaintOverBuffer.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

TV_PUBLISHED(TCustomZebPanelExtended)
{
    PropEnum("AllowPanning", &TCustomZebPanelExtended::AllowPanning, &TCustomZebPanelExtended::SetAllowPanning, pmBoth,
             TPanningModeNames);
    Prop("BackImage", &TCustomZebPanelExtended::BackImage, &TCustomZebPanelExtended::SetBackImage)
        .Stored(&TCustomZebPanelExtended::IsBackImageStored);
    // Both are kept by the back image itself.
    Prop("BackImageInside", &TCustomZebPanelExtended::BackImageInside, &TCustomZebPanelExtended::SetBackImageInside,
         false)
        .Stored(false);
    PropEnum("BackImageMode", &TCustomZebPanelExtended::BackImageMode, &TCustomZebPanelExtended::SetBackImageMode,
             pbmStretch, TZebBackImageModeNames)
        .Stored(false);
    Prop("BackImageTransp", &TCustomZebPanelExtended::BackImageTransp, &TCustomZebPanelExtended::SetBackImageTransp,
         false);
    Prop("Gradient", &TCustomZebPanelExtended::Gradient, &TCustomZebPanelExtended::SetGradient)
        .Stored(&TCustomZebPanelExtended::HasGradient);
    PropEnum("ScrollMouseButton", &TCustomZebPanelExtended::ScrollMouseButton,
             &TCustomZebPanelExtended::SetScrollMouseButton, mbRight, TMouseButtonNames);
    Prop("Zoom", &TCustomZebPanelExtended::Zoom, &TCustomZebPanelExtended::SetZoom);
    PropEnum("ZoomWheel", &TCustomZebPanelExtended::ZoomWheel, &TCustomZebPanelExtended::SetZoomWheel, pmwNone,
             TMouseWheelStyleNames);
    Prop("OnAfterDraw", &TCustomZebPanelExtended::OnAfterDraw, &TCustomZebPanelExtended::SetOnAfterDraw);
    Prop("OnScroll", &TCustomZebPanelExtended::OnScroll, &TCustomZebPanelExtended::SetOnScroll);
    Prop("OnUndoZoom", &TCustomZebPanelExtended::OnUndoZoom, &TCustomZebPanelExtended::SetOnUndoZoom);
    Prop("OnZoom", &TCustomZebPanelExtended::OnZoom, &TCustomZebPanelExtended::SetOnZoom);
}

TCustomZebPanelExtended::TCustomZebPanelExtended(TComponent* owner) : TCustomZebPanel(owner)
{
    allowPanning_ = pmBoth;
    scrollMouseButton_ = mbRight;
    zoom_ = new TZebZoom;
    zoomWheel_ = pmwNone;
}

TCustomZebPanelExtended::~TCustomZebPanelExtended()
{
    TObject::Free(zoom_);
    TObject::Free(gradient_);
    TObject::Free(backImage_);
}

void TCustomZebPanelExtended::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCustomZebPanelExtended*>(source)) {
        SetBackImage(s->backImage_);
        SetGradient(s->gradient_);
        allowPanning_ = s->allowPanning_;
        scrollMouseButton_ = s->scrollMouseButton_;
        zoom_->Assign(s->zoom_);
    }
    TCustomZebPanel::Assign(source);
}

// ---- back image and gradient ----

TBackImage* TCustomZebPanelExtended::BackImage()
{
    if (!backImage_) {
        backImage_ = new TBackImage;
        backImage_->SetOnChange(TNotifyEvent(static_cast<TCustomZebPanel*>(this), &TCustomZebPanel::StyleChanged));
    }
    return backImage_;
}

void TCustomZebPanelExtended::SetBackImage(TBackImage* value)
{
    if (!value) {
        TObject::Free(std::exchange(backImage_, nullptr));
        Invalidate();
        return;
    }
    BackImage()->Assign(value);
}

bool TCustomZebPanelExtended::HasBackImage() const { return backImage_ && backImage_->HasGraphic(); }

bool TCustomZebPanelExtended::BackImageInside() const { return HasBackImage() && backImage_->Inside(); }

void TCustomZebPanelExtended::SetBackImageInside(bool value) { BackImage()->SetInside(value); }

TZebBackImageMode TCustomZebPanelExtended::BackImageMode() const
{
    return backImage_ ? backImage_->Mode() : pbmStretch;
}

void TCustomZebPanelExtended::SetBackImageMode(TZebBackImageMode value) { BackImage()->SetMode(value); }

bool TCustomZebPanelExtended::BackImageTransp() const { return HasBackImage() && backImage_->Graphic()->Transparent(); }

void TCustomZebPanelExtended::SetBackImageTransp(bool value)
{
    if (!HasBackImage()) return;
    backImage_->Graphic()->SetTransparent(value);
    Invalidate();
}

TZebGradient* TCustomZebPanelExtended::Gradient()
{
    if (!gradient_)
        gradient_ = new TZebGradient(TNotifyEvent(static_cast<TCustomZebPanel*>(this), &TCustomZebPanel::StyleChanged));
    return gradient_;
}

void TCustomZebPanelExtended::SetGradient(TZebGradient* value)
{
    if (!value) {
        TObject::Free(std::exchange(gradient_, nullptr));
        return;
    }
    Gradient()->Assign(value);
    Invalidate();
}

bool TCustomZebPanelExtended::HasVisibleGradient() const { return gradient_ && gradient_->Visible(); }

TColor TCustomZebPanelExtended::GetBackgroundColor() const
{
    if (HasVisibleGradient()) return gradient_->StartColor();
    return TCustomZebPanel::GetBackgroundColor();
}

namespace {

bool HasTransparentStop(TZebGradient& gradient)
{
    TZebGradientColors* colors = gradient.Colors();
    for (int i = 0; i < colors->Count(); ++i)
        if (colors->Items(i)->Transparency() > 0) return true;
    return false;
}

// Restores the canvas's stretch quality at the end of a scope.
class StretchQualityScope {
public:
    StretchQualityScope(TCanvas3D& canvas, TCanvasStretchQuality quality)
        : canvas_(canvas), saved_(canvas.StretchQuality())
    {
        canvas.SetStretchQuality(quality);
    }
    ~StretchQualityScope() { canvas_.SetStretchQuality(saved_); }
    StretchQualityScope(const StretchQualityScope&) = delete;
    StretchQualityScope& operator=(const StretchQualityScope&) = delete;

private:
    TCanvas3D& canvas_;
    TCanvasStretchQuality saved_;
};

}  // namespace

// ---- background ----

void TCustomZebPanelExtended::PaintPanelBackground(const TRect& rect)
{
    TCanvas3D& c = *Canvas3D();
    c.BeginElement("Panel", this, nullptr);
    c.PushFlatMode();
    try {
        if (!(Printing() && !PrintPanelBackground) && Color() != clNone && !frameCoversAll()) {
            const TColor fill = Parent() ? Parent()->Color() : Color();
            TZebBrush& brush = *c.Brush();
            if (c.HasBrushGradient()) c.GetBrushGradient()->SetVisible(false);
            brush.SetColor(static_cast<TColor>(ColorToRGB(fill)));
            brush.SetStyle(bsSolid);
            c.Pen()->SetVisible(false);
            c.ApplyPen();
            c.FillRectangle(rect);
            paintFrameEffect(*Shadow(), false, rect);
            paintFrameEffect(*Emboss(), true, rect);
        }
        FillPanelFrame(rect);
        if (HasBackImage() && !backImage_->Inside()) {
            DrawBackImage(rect, 0);
            if (HasVisibleGradient() && HasTransparentStop(*gradient_)) FillPanelFrame(rect);
        }
        PaintBevels(rect);
    } catch (...) {
        c.PopFlatMode();
        c.EndElement();
        throw;
    }
    c.PopFlatMode();
    c.EndElement();
}

// The frame fill paints every pixel opaquely: the parent's colour below it would never show.
bool TCustomZebPanelExtended::frameCoversAll() const
{
    const TColor frame = ParentColor() && Parent() ? Parent()->Color() : Color();
    if (frame == clNone || BorderRound() > 0 || Border()->Visible()) return false;
    if (Shadow()->IsActive() || Emboss()->IsActive()) return false;
    return !HasVisibleGradient() || !HasTransparentStop(*gradient_);
}

void TCustomZebPanelExtended::paintFrameEffect(TZebShadow& effect, bool emboss, const TRect& rect)
{
    if (!effect.IsActive()) return;
    TRect r = rect;
    const int h = effect.HorizSize(), v = effect.VertSize();
    if (!emboss) {
        if (h > 0)
            r.Right -= h + 1;
        else
            r.Left -= h + 1;
        if (v > 0)
            r.Bottom -= v + 1;
        else
            r.Top -= v + 1;
    } else {
        if (h > 0)
            r.Left += h + 1;
        else
            r.Right -= h + 1;
        if (v > 0)
            r.Top += v + 1;
        else
            r.Bottom -= v + 1;
    }
    TCanvas3D& c = *Canvas3D();
    c.Pen()->SetVisible(false);
    c.ApplyPen();
    effect.DrawRect(c, r, BorderRound(), 0);
}

void TCustomZebPanelExtended::FillPanelFrame(const TRect& rect)
{
    if (Printing() && !PrintPanelBackground) return;
    TColor color = ParentColor() && Parent() ? Parent()->Color() : Color();
    if (color != clNone) color = static_cast<TColor>(ColorToRGB(color));
    if (!Border()->Visible() && color == clNone) return;
    TCanvas3D& c = *Canvas3D();
    c.PushFlatMode();
    c.UsePen(*Border());
    if (HasVisibleGradient())
        c.GetBrushGradient()->Assign(gradient_);
    else if (c.HasBrushGradient())
        c.GetBrushGradient()->SetVisible(false);
    TZebBrush& brush = *c.Brush();
    if (color == clNone) {
        brush.SetStyle(bsClear);
    } else {
        brush.SetImage(nullptr);
        brush.SetColor(color);
        brush.SetStyle(bsSolid);
    }
    TRect r = rect;
    if (!shrinkInsideBorder(r)) {
        ++r.Right;
        ++r.Bottom;
    }
    if (BorderRound() > 0)
        c.RoundRect(r.Left, r.Top, r.Right, r.Bottom, BorderRound(), BorderRound());
    else
        c.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    c.PopFlatMode();
}

void TCustomZebPanelExtended::stretchImage(TBackImage& image, const TRect& rect, TGraphic* graphic)
{
    TCanvas3D& c = *Canvas3D();
    const int w = rect.Width(), h = rect.Height();
    // A smooth stretch is costly: the picture is resampled once per size and kept.
    if (c.StretchQuality() == sqHigh && !graphic->Transparent() && w > 1 && h > 1 && graphic->Width() > 1 &&
        graphic->Height() > 1 && !c.Metafiling()) {
        if (TGraphic* kept = image.ResampledGraphic(w, h)) {
            c.DrawGraphic(rect.Left, rect.Top, kept);
            return;
        }
    }
    c.StretchGraphic(rect, graphic);
}

void TCustomZebPanelExtended::DrawBackImage(const TRect& rect, int z)
{
    if (HasBackImage()) DrawImage(*backImage_, rect, z);
}

void TCustomZebPanelExtended::DrawImage(TBackImage& image, const TRect& rect, int z)
{
    if (!image.HasGraphic()) return;
    TCanvas3D& c = *Canvas3D();
    TGraphic* graphic = image.GetFilteredGraphic();
    if (!graphic) return;
    StretchQualityScope quality(c, image.DrawQuality());
    const bool ortho = c.IsOrthogonal();
    auto projected = [&](const TRect& r) {
        TRect p = c.ProjectedBoundsAtZ(r, z);
        if (!View3D()) ++p.Top;
        return p;
    };
    if (image.Mode() == pbmStretch) {
        if (z == 0)
            stretchImage(image, rect, graphic);
        else if (ortho)
            c.StretchGraphic(projected(rect), graphic);
        else
            c.PaintImageOnPlane(rect, graphic, z, cpZ);
        return;
    }
    const bool clip = ClippingAllowed();
    if (clip) {
        if (z == 0)
            c.ClipToRect(rect);
        else
            c.ClipToBox(rect, 0, Depth3DWidth());
    }
    try {
        TRect r = z != 0 && ortho ? projected(rect) : rect;
        const int wg = graphic->Width(), hg = graphic->Height();
        if (image.Mode() == pbmTile) {
            if (wg > 0 && hg > 0)
                for (int y = 0; y < r.Height(); y += hg)
                    for (int x = 0; x < r.Width(); x += wg) {
                        if (z > 0 && !ortho)
                            c.PaintImageOnPlane({r.Left + x, r.Top + y, r.Left + x + wg, r.Top + y + hg}, graphic, z,
                                                cpZ);
                        else
                            c.DrawGraphic(r.Left + x, r.Top + y, graphic);
                    }
        } else {
            FillPanelFrame(r);
            if (image.Mode() == pbmCustom) {
                r.Left += image.Left();
                r.Top += image.Top();
                r.Right = r.Left + (image.Right() != 0 ? image.Right() : wg);
                r.Bottom = r.Top + (image.Bottom() != 0 ? image.Bottom() : hg);
            } else {
                InflateRect(r, (wg - r.Width()) / 2, (hg - r.Height()) / 2);
            }
            if (z != 0 && !ortho)
                c.PaintImageOnPlane(r, graphic, z, cpZ);
            else if (image.Right() != 0 || image.Bottom() != 0)
                c.StretchGraphic(r, graphic);
            else
                c.DrawGraphic(r.Left, r.Top, graphic);
        }
    } catch (...) {
        if (clip) c.RemoveClip();
        throw;
    }
    if (clip) c.RemoveClip();
}

// ---- zoom ----

void TCustomZebPanelExtended::RevertZoom()
{
    if (onUndoZoom_) onUndoZoom_(this);
    Invalidate();
    zoomed_ = false;
}

void TCustomZebPanelExtended::RepaintZoomFrame()
{
    if (!zoom_->FullRepaint() && Canvas3D()->CanDrawInverted())
        PaintZoomFrame();
    else
        Invalidate();
}

void TCustomZebPanelExtended::PaintZoomFrame()
{
    const bool full = zoom_->FullRepaint();
    auto paint = [this, full](TCanvas3D& c) {
        if (zoom_->HasBrush()) {
            TZebZoomBrush& brush = *zoom_->Brush();
            TColor back = GetBackgroundColor();
            if (!full)
                back = static_cast<TColor>(static_cast<std::uint32_t>(brush.Color()) ^
                                           (0xFFFFFFu - (static_cast<std::uint32_t>(back) & 0xFFFFFFu)));
            AssignCanvasBrush(brush, brush.Color(), back);
        } else {
            c.Brush()->Clear();
        }
        if (full || !c.CanDrawInverted()) {
            zoom_->Pen()->SetMode(pmCopy);
            c.UsePen(*zoom_->Pen());
        } else {
            ApplyXorPen(*zoom_->Pen());
        }
        c.Rectangle(zoom_->X0(), zoom_->Y0(), zoom_->X1(), zoom_->Y1());
    };
    // The frame with its pen's width on both sides.
    const int margin = zoom_->Pen()->Width() + 1;
    const TRect touched{std::min(zoom_->X0(), zoom_->X1()) - margin, std::min(zoom_->Y0(), zoom_->Y1()) - margin,
                        std::max(zoom_->X0(), zoom_->X1()) + margin, std::max(zoom_->Y0(), zoom_->Y1()) + margin};
    if (!full && PaintOverBuffer(*this, touched, paint)) return;
    TCanvas3D& c = *Canvas3D();
    paint(c);
    if (!full) {
        c.Pen()->SetMode(pmCopy);
        if (TCanvas* target = c.TargetCanvas()) target->Pen()->SetMode(pmCopy);
    }
}

// ---- streams ----

void TCustomZebPanelExtended::DefineProperties(TFiler& filer)
{
    TCustomZebPanel::DefineProperties(filer);
    filer.DefineProperty(
        "AllowZoom", [this](TReader& r) { zoom_->SetAllow(r.ReadBoolean()); }, nullptr, false);
    filer.DefineProperty(
        "AnimatedZoom", [this](TReader& r) { zoom_->SetAnimated(r.ReadBoolean()); }, nullptr, false);
    filer.DefineProperty(
        "AnimatedZoomSteps", [this](TReader& r) { zoom_->SetAnimatedSteps(r.ReadInteger()); }, nullptr, false);
}
