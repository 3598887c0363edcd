#include "platform/graphics/Canvas.h"

#include <vector>

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/Graphic.h"
#include "platform/rtl/Exceptions.h"

TV_PUBLISHED(TCanvas) {}

TCanvas::TCanvas()
    : pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()), font_(std::make_unique<TFont>())
{
    TNotifyEvent onObj = [this](TObject* sender) { objectChanged(sender); };
    pen_->SetOnChange(onObj);
    brush_->SetOnChange(onObj);
    font_->SetOnChange(onObj);
}

TCanvas::~TCanvas() = default;

void TCanvas::objectChanged(TObject* sender)
{
    if (sender == pen_.get())
        state_ -= csPenValid;
    else if (sender == brush_.get())
        state_ -= csBrushValid;
    else if (sender == font_.get())
        state_ -= csFontValid;
}

HDC TCanvas::Handle()
{
    // Callers draw on the device directly (DrawText, DrawEdge): they expect the canvas's objects.
    RequiredState({csHandleValid, csPenValid, csBrushValid, csFontValid});
    return dc_;
}

void TCanvas::SetHandle(HDC dc)
{
    if (!AssignIfChanged(dc_, dc)) return;
    state_ = dc ? TCanvasState{csHandleValid} : TCanvasState{};
}

void TCanvas::Refresh() { state_ = dc_ ? TCanvasState{csHandleValid} : TCanvasState{}; }

void TCanvas::RequiredState(TCanvasState needed)
{
    TCanvasState missing = needed - state_;
    if (missing.Empty()) return;
    if (missing.Contains(csHandleValid) || !dc_) {
        CreateHandle();
        if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
        state_ += csHandleValid;
    }
    if (needed.Contains(csPenValid) && !state_.Contains(csPenValid)) {
        dc_->SelectPen(pen_->LogPen());
        dc_->SetROP2(PenModeToROP2(pen_->Mode()));
        state_ += csPenValid;
    }
    if (needed.Contains(csBrushValid) && !state_.Contains(csBrushValid)) {
        dc_->SelectBrush(brush_->LogBrush());
        dc_->SetBkColor(brush_->Color());
        dc_->SetBkMode(brush_->Style() == bsSolid ? OPAQUE : TRANSPARENT);
        state_ += csBrushValid;
    }
    if (needed.Contains(csFontValid) && !state_.Contains(csFontValid)) {
        dc_->SelectFont(font_->LogFont());
        dc_->SetTextColor(font_->Color());
        state_ += csFontValid;
    }
}

void TCanvas::Changing()
{
    if (onChanging_) onChanging_(this);
}

void TCanvas::Changed()
{
    if (onChange_) onChange_(this);
}

TPoint TCanvas::PenPos()
{
    RequiredState({csHandleValid});
    return dc_->GetCurrentPosition();
}

TRect TCanvas::ClipRect()
{
    RequiredState({csHandleValid});
    TRect r;
    dc_->GetClipBox(r);
    return r;
}

TColor TCanvas::Pixels(int x, int y)
{
    RequiredState({csHandleValid});
    TColorRef c = dc_->GetPixel(x, y);
    return c == CLR_INVALID ? static_cast<TColor>(-1) : static_cast<TColor>(c);
}

void TCanvas::SetPixels(int x, int y, TColor c)
{
    Changing();
    RequiredState({csHandleValid, csPenValid});
    dc_->SetPixel(x, y, c);
    Changed();
}

void TCanvas::MoveTo(int x, int y)
{
    RequiredState({csHandleValid});
    dc_->MoveTo(x, y);
}

void TCanvas::LineTo(int x, int y)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    dc_->LineTo(x, y);
    Changed();
}

#define CANVAS_DRAW(call)                                     \
    Changing();                                               \
    RequiredState({csHandleValid, csPenValid, csBrushValid}); \
    call;                                                     \
    Changed()

void TCanvas::Polyline(const TPoint* pts, int count) { CANVAS_DRAW(dc_->Polyline(pts, count)); }
void TCanvas::Polygon(const TPoint* pts, int count) { CANVAS_DRAW(dc_->Polygon(pts, count)); }
void TCanvas::PolyBezier(const TPoint* pts, int count) { CANVAS_DRAW(dc_->PolyBezier(pts, count)); }
void TCanvas::Rectangle(int l, int t, int r, int b) { CANVAS_DRAW(dc_->Rectangle(l, t, r, b)); }
void TCanvas::RoundRect(int l, int t, int r, int b, int cw, int ch) { CANVAS_DRAW(dc_->RoundRect(l, t, r, b, cw, ch)); }
void TCanvas::Ellipse(int l, int t, int r, int b) { CANVAS_DRAW(dc_->Ellipse(l, t, r, b)); }
void TCanvas::Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    CANVAS_DRAW(dc_->Arc(l, t, r, b, x1, y1, x2, y2));
}
void TCanvas::Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    CANVAS_DRAW(dc_->Pie(l, t, r, b, x1, y1, x2, y2));
}
void TCanvas::Chord(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    CANVAS_DRAW(dc_->Chord(l, t, r, b, x1, y1, x2, y2));
}

void TCanvas::FillRect(const TRect& r)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    dc_->FillRect(r, dc_->GetBrush());
    Changed();
}

void TCanvas::FrameRect(const TRect& r)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    dc_->FrameRect(r, dc_->GetBrush());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    dc_->DrawFocusRect(r);
    Changed();
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    // Scan-line fill over the readable surface: fsBorder fills up to pixels of color,
    // fsSurface fills the area that has color.
    int w = dc_->Width(), h = dc_->Height();
    TPoint o = dc_->GetViewportOrg();
    TColorRef target = ColorToRGB(color);
    auto inside = [&](int dx, int dy) {
        TColorRef c = dc_->GetPixel(dx - o.X, dy - o.Y);
        if (c == CLR_INVALID) return false;
        return style == fsBorder ? c != target : c == target;
    };
    std::vector<std::uint8_t> seen(static_cast<size_t>(std::max(0, w * h)), 0);
    std::vector<TPoint> stack{{x + o.X, y + o.Y}};
    TRegion area;
    while (!stack.empty()) {
        TPoint p = stack.back();
        stack.pop_back();
        if (p.X < 0 || p.Y < 0 || p.X >= w || p.Y >= h) continue;
        if (seen[static_cast<size_t>(p.Y * w + p.X)] || !inside(p.X, p.Y)) continue;
        int l = p.X, r = p.X;
        while (l > 0 && !seen[static_cast<size_t>(p.Y * w + l - 1)] && inside(l - 1, p.Y)) --l;
        while (r + 1 < w && !seen[static_cast<size_t>(p.Y * w + r + 1)] && inside(r + 1, p.Y)) ++r;
        for (int i = l; i <= r; ++i) {
            seen[static_cast<size_t>(p.Y * w + i)] = 1;
            stack.push_back({i, p.Y - 1});
            stack.push_back({i, p.Y + 1});
        }
        TRegion run = TRegion::FromRect({l, p.Y, r + 1, p.Y + 1});
        area.Combine(area, run, RGN_OR);
    }
    dc_->FillRgn(area, dc_->GetBrush());
    Changed();
}

void TCanvas::TextOut(int x, int y, const String& text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    dc_->ExtTextOut(x, y, textFlags_, nullptr, text);
    if (!(dc_->GetTextAlign() & TA_UPDATECP)) dc_->MoveTo(x + dc_->GetTextExtent(text).cx, y);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    unsigned options = ETO_CLIPPED | (textFlags_ & ~ETO_OPAQUE);
    if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
    dc_->ExtTextOut(x, y, options, &r, text);
    Changed();
}

TSize TCanvas::TextExtent(const String& text)
{
    RequiredState({csHandleValid, csFontValid});
    return dc_->GetTextExtent(text);
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    Changing();
    RequiredState({csHandleValid});
    graphic->Draw(*this, Bounds(x, y, graphic->Width(), graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    Changing();
    RequiredState({csHandleValid});
    graphic->Draw(*this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src)
{
    if (!source) return;
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    HDC s = source->Handle();
    dc_->StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), *s, src.Left, src.Top, src.Width(), src.Height(),
                    copyMode_);
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor transparent)
{
    if (!bitmap) return;
    Changing();
    RequiredState({csHandleValid});
    dc_->DrawImageTransparent(dest, bitmap->Image(), src, transparent);
    Changed();
}

void TCanvas::Lock()
{
    lock_.lock();
    ++lockCount_;
}

void TCanvas::Unlock()
{
    --lockCount_;
    lock_.unlock();
}

bool TCanvas::TryLock()
{
    if (!lock_.try_lock()) return false;
    ++lockCount_;
    return true;
}
