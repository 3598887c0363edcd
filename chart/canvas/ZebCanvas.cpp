#include "chart/canvas/ZebCanvas.h"

#include <cmath>
#include <numbers>

#include "chart/canvas/Blend.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/ColorMath.h"
#include "chart/canvas/Corners.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/HtmlText.h"
#include "chart/canvas/Path.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

TV_PUBLISHED(TZebCanvas) {}

TZebCanvas::TZebCanvas()
    : brush_(new TZebBrush(TNotifyEvent(this, &TZebCanvas::brushChanged))),
      font_(new TZebFont(TNotifyEvent(this, &TZebCanvas::fontChanged))),
      pen_(new TZebPen(TNotifyEvent(this, &TZebCanvas::penChanged)))
{
}

TZebCanvas::~TZebCanvas()
{
    TObject::Free(brush_);
    TObject::Free(font_);
    TObject::Free(pen_);
}

void TZebCanvas::brushChanged(TObject*) { ApplyBrush(*brush_); }
void TZebCanvas::penChanged(TObject*) { ApplyPen(); }
void TZebCanvas::fontChanged(TObject*)
{
    if (!fontLock_) ApplyFont();
}

// ---- attributes ----

void TZebCanvas::BindCanvas(TCanvas* target)
{
    target_ = target;
    characterSpacing_ = 0;  // a device starts without extra spacing
}

void TZebCanvas::ApplyBrush(TBrush& brush)
{
    if (!target_) return;
    target_->Brush()->AssignBrush(brush);
    auto* zeb = &brush == brush_ ? brush_ : dynamic_cast<TZebBrush*>(&brush);
    if (patternSelected_ && target_->Brush()->Bitmap()) {
        // A pattern paints its set pixels in the text colour over the back colour.
        target_->Handle()->SetTextColor(patternFill_);
        SetBackgroundMode(OPAQUE);
        SetBackgroundColor(patternBack_);
        return;
    }
    const TColor back = zeb ? zeb->BackColor() : clNone;
    if (back == clNone || brush.Style() == bsClear) {
        SetBackgroundMode(TRANSPARENT);
    } else if (brush.Style() != bsSolid) {
        SetBackgroundMode(OPAQUE);
        SetBackgroundColor(back);
    }
}

void TZebCanvas::ApplyFont()
{
    SetCharacterSpacing(font_->InterCharSize());
    if (target_) target_->Font()->Assign(font_);
}

void TZebCanvas::ApplyPen()
{
    if (!target_) return;
    if (!pen_->Visible()) {
        target_->Pen()->SetStyle(psClear);
        return;
    }
    if (IsTrue3D()) return;
    BuildExtendedPen(*target_, *pen_, pen_->Color());
    ApplyPenMixMode(*pen_);
}

void TZebCanvas::SetCharacterSpacing(int extra)
{
    if (AssignIfChanged(characterSpacing_, extra) && target_) target_->Handle()->SetTextCharacterExtra(extra);
}

void TZebCanvas::ApplyPenMixMode(const TZebPen& pen)
{
    if (target_ && pen.Width() > 1 && pen.EndStyle() != esRound) target_->Handle()->SetROP2(PenModeToROP2(pen.Mode()));
}

TPointFloatArray TZebCanvas::BuildFloatPoints(std::span<const double> x, std::span<const double> y)
{
    (void)x, (void)y;
    return {};
}

TLogPen TZebCanvas::CreateDottedPen(TColor color, int space)
{
    TLogPen p;
    p.Color = color;
    p.Width = 1;
    if (space <= 0) {
        p.Style = PS_COSMETIC | PS_ALTERNATE;
    } else {
        p.Style = PS_GEOMETRIC | PS_USERSTYLE;
        p.Dashes = {0, static_cast<std::uint32_t>(space + 1)};
    }
    return p;
}

void TZebCanvas::BuildExtendedPen(TCanvas& target, const TZebPen& pen, TColor color)
{
    TPen& out = *target.Pen();
    out.AssignPen(pen);
    out.SetColor(color);
    if (pen.SmallDots() && pen.Style() != psClear) {
        target.Handle()->SelectPen(CreateDottedPen(color, pen.SmallSpace()));
        return;
    }
    if (pen.Width() < 2) return;
    static constexpr int caps[] = {PS_ENDCAP_ROUND, PS_ENDCAP_SQUARE, PS_ENDCAP_FLAT};
    static constexpr int joins[] = {PS_JOIN_ROUND, PS_JOIN_BEVEL, PS_JOIN_MITER};
    static constexpr int styles[] = {PS_SOLID, PS_DASH,        PS_DOT,       PS_DASHDOT,  PS_DASHDOTDOT,
                                     PS_NULL,  PS_INSIDEFRAME, PS_USERSTYLE, PS_ALTERNATE};
    TLogPen p;
    p.Style = PS_GEOMETRIC | caps[pen.EndStyle()] | joins[pen.JoinStyle()] | styles[pen.Style()];
    p.Width = pen.Width();
    p.Color = color;
    target.Handle()->SelectPen(p);
}

void TZebCanvas::SelectBrush(TZebBrush& brush, TColor fillColor, TColor backColor)
{
    {
        TChangeEventDetach quiet(*brush_);
        TBitmap* pattern = nullptr;
        if (brush.HasImage()) {
            TZebPicture* picture = brush.Image();
            if (!dynamic_cast<TBitmap*>(picture->Graphic())) {
                TBitmap drawn;
                TZebPicture::CopyGraphicToBitmap(*picture->Graphic(), drawn);
                picture->SetGraphic(&drawn);
            }
            brush_->SetImage(picture);
            pattern = static_cast<TBitmap*>(brush_->Image()->Graphic());
        } else if (brush.Bitmap() && !brush.Bitmap()->Empty()) {
            pattern = brush.Bitmap();
        }
        if (pattern) {
            brush_->SetStyle(bsClear);
            brush_->SetBitmap(pattern);
            patternSelected_ = true;
            patternFill_ = ResolveColor(fillColor);
            patternBack_ = backColor;
        } else {
            patternSelected_ = false;
            brush_->SetBitmap(nullptr);
            if (GetMonochromeMode()) fillColor = clWhite;
            brush_->Assign(&brush);
            if (brush.Style() != bsClear) brush_->SetColor(fillColor);
            brush_->SetBackColor(backColor);
        }
        if (brush.HasGradient())
            brush_->SetGradient(brush.Gradient());
        else if (brush_->HasGradient())
            brush_->Gradient()->SetVisible(false);
    }
    ApplyBrush(*brush_);
}

void TZebCanvas::SelectPen(TZebPen& pen, TColor color)
{
    {
        TChangeEventDetach quiet(*pen_);
        if (pen.Visible()) {
            pen_->AssignZebPen(pen);
            pen_->SetColor(GetMonochromeMode() ? clBlack : color);
        } else if (pen_->Style() != psClear) {
            pen_->SetStyle(psClear);
        }
    }
    ApplyPen();
}

void TZebCanvas::UseBrush(TZebBrush& brush) { SelectBrush(brush, brush.BackColor(), brush.Color()); }

void TZebCanvas::UseBrushColored(TZebBrush& brush, TColor color) { SelectBrush(brush, color, brush.Color()); }

void TZebCanvas::UsePen(TZebPen& pen) { SelectPen(pen, pen.Color()); }

void TZebCanvas::UseFont(TZebFont& font) { UseFontSized(font, font.SizeFloat()); }

void TZebCanvas::UseFontSized(TZebFont& font, float size)
{
    fontLock_ = true;
    try {
        font_->Assign(&font);
        if (fontZoomActive_ && fontZoom_ != 100) size = static_cast<float>(size * fontZoom_ / 100);
        font_->SetSizeFloat(size);
        if (GetMonochromeMode()) font_->SetColor(clBlack);
    } catch (...) {
        fontLock_ = false;
        throw;
    }
    fontLock_ = false;
    ApplyFont();
}

void TZebCanvas::ResetDrawingState()
{
    {
        TChangeEventDetach quiet(*pen_);
        pen_->SetColor(clBlack);
        pen_->SetWidth(1);
        pen_->SetStyle(psSolid);
    }
    ApplyPen();
    {
        TChangeEventDetach quiet(*brush_);
        brush_->SetColor(clWhite);
        brush_->SetStyle(bsSolid);
        brush_->SetImage(nullptr);
        brush_->SetBitmap(nullptr);
        patternSelected_ = false;
        if (brush_->HasGradient()) {
            TZebGradient fresh;
            brush_->Gradient()->Assign(&fresh);
        }
    }
    ApplyBrush(*brush_);
    fontLock_ = true;
    font_->SetColor(clBlack);
    font_->SetStyle({});
    font_->SetCharset(DEFAULT_CHARSET);
    font_->SetName(ZebDefaultFontName());
    font_->SetSize(ZebDefaultFontSize());
    fontLock_ = false;
    ApplyFont();
    SetBackgroundColor(clWhite);
    SetBackgroundMode(TRANSPARENT);
    SetTextAlignment(TA_LEFT);
}

TColor TZebCanvas::ResolveColor(TColor color)
{
    if (color == clNone) return clBlack;
    const auto u = static_cast<std::uint32_t>(color);
    if (u >= 0xFF000000u && u <= 0xFF00001Eu) return static_cast<TColor>(ColorToRGB(color));
    return color;
}

void TZebCanvas::ColorToRGBTriple(TColor color, Byte (&triple)[3])
{
    const auto u = static_cast<std::uint32_t>(color);
    triple[0] = static_cast<Byte>(u >> 16);
    triple[1] = static_cast<Byte>(u >> 8);
    triple[2] = static_cast<Byte>(u);
}

TZebGradient* TZebCanvas::GetBrushGradient() { return brush_->Gradient(); }

bool TZebCanvas::HasBrushGradient() const { return brush_->Style() != bsClear && brush_->HasVisibleGradient(); }

void TZebCanvas::DarkenBrushColor(TColor color, int amount)
{
    const TColor dark = DarkenColor(color, amount);
    if (brush_->Style() == bsSolid)
        brush_->SetColor(dark);
    else
        brush_->SetBackColor(dark);
}

// ---- transparent sections ----

TZebBlend* TZebCanvas::StartBlend(const TRect& rect, TZebTransparency transparency)
{
    transparencyStack_.push_back(transparency_);
    transparency_ = static_cast<TZebTransparency>(
        100 - RoundHalfEven((100.0 - transparency_) * (100.0 - transparency) / 100.0));
    return new TZebBlend(this, rect);
}

void TZebCanvas::FinishBlend(TZebBlend* blend)
{
    if (blend) {
        try {
            blend->BlendBack(transparency_);
        } catch (...) {
            blend->Free();
            if (!transparencyStack_.empty()) {
                transparency_ = transparencyStack_.back();
                transparencyStack_.pop_back();
            }
            throw;
        }
        blend->Free();
    }
    if (transparencyStack_.empty()) {
        transparency_ = 0;
    } else {
        transparency_ = transparencyStack_.back();
        transparencyStack_.pop_back();
    }
}

// ---- shapes built on the primitives ----

void TZebCanvas::ArcByAngles(int left, int top, int right, int bottom, float startAngle, float endAngle)
{
    const int hx = (right - left) / 2, hy = (bottom - top) / 2;
    const int cx = left + hx, cy = top + hy;
    auto at = [&](double a) {
        a = a * std::numbers::pi / 180;
        return TPoint{RoundHalfEven(std::cos(a) * hx) + cx, cy - RoundHalfEven(std::sin(a) * hy)};
    };
    const TPoint p0 = at(std::min(startAngle, endAngle));
    const TPoint p1 = at(std::max(startAngle, endAngle));
    Arc(left, top, right, bottom, p0.X, p0.Y, p1.X, p1.Y);
}

void TZebCanvas::ArcToDirected(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4, bool clockwise)
{
    HDC dc = GetDeviceContext();
    if (!dc) return;
    if (clockwise) dc->SetArcDirection(AD_CLOCKWISE);
    dc->ArcTo(left, top, right, bottom, x3, y3, x4, y4);
    if (clockwise) dc->SetArcDirection(AD_COUNTERCLOCKWISE);
}

void TZebCanvas::DrawBevelFrame(TRect& rect, TColor topLeft, TColor bottomRight, int width)
{
    {
        TChangeEventDetach quiet(*pen_);
        pen_->SetWidth(1);
        pen_->SetStyle(psSolid);
        if (pen_->HasFill() && pen_->Fill()->HasGradient()) pen_->Fill()->Gradient()->SetVisible(false);
    }
    --rect.Right;
    --rect.Bottom;
    for (int i = 0; i < width; ++i) {
        pen_->SetColor(topLeft);
        const TPoint first[] = {{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}};
        Polyline(first);
        pen_->SetColor(bottomRight);
        const TPoint second[] = {{rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}};
        Polyline(second);
        InflateRectBy(rect, -1, -1);
    }
    ++rect.Right;
    ++rect.Bottom;
}

void TZebCanvas::LineToFloat(TPointFloat point) { LineTo(RoundHalfEven(point.X), RoundHalfEven(point.Y)); }

void TZebCanvas::MoveToFloat(TPointFloat point) { MoveTo(RoundHalfEven(point.X), RoundHalfEven(point.Y)); }

void TZebCanvas::HorizontalSegment(int x0, int x1, int y)
{
    MoveTo(x0, y);
    LineTo(x1, y);
}

void TZebCanvas::VerticalSegment(int x, int y0, int y1)
{
    MoveTo(x, y0);
    LineTo(x, y1);
}

void TZebCanvas::DrawLine(int x0, int y0, int x1, int y1)
{
    MoveTo(x0, y0);
    LineTo(x1, y1);
}

void TZebCanvas::DrawCheckBox(int x, int y, bool checked, int unused, bool checkBox)
{
    if (target_) DrawCheckOrRadio(x, y, *target_, checked, unused, checkBox);
}

void TZebCanvas::PolylineOrPolygon(std::span<const TPoint> points, float tension, bool closed, bool unused)
{
    (void)tension, (void)unused;
    if (closed)
        Polygon(points);
    else
        Polyline(points);
}

TZebBasePath* TZebCanvas::CreatePathObject() { return new TZebPath(*this); }

void TZebCanvas::RoundRectCorners(const TRect& rect, int cornerWidth, int cornerHeight, const TZebCorners* corners)
{
    if (!corners) {
        RoundRect(rect.Left, rect.Top, rect.Right, rect.Bottom, cornerWidth, cornerHeight);
        return;
    }
    TOwnedPtr<TZebBasePath> path(corners->BuildCornerPath(*this, rect, cornerWidth, cornerHeight));
    path->DrawWith(*this);
}

void TZebCanvas::ArcPointAngles(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, double& startAngle,
                                double& endAngle)
{
    const double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
    auto angle = [&](int x, int y) {
        double a = std::atan2(cy - y, x - cx) * 180 / std::numbers::pi;
        if (a < 0) a += 360;
        if (a >= 360) a -= 360;
        return a;
    };
    startAngle = angle(x3, y3);
    endAngle = angle(x4, y4);
}

std::vector<TPoint> TZebCanvas::CalcArrowPoints(TPoint from, TPoint to, int headLength, int headWidth,
                                                double bodyPercent)
{
    const double dx = to.X - from.X, dy = to.Y - from.Y;
    const double d = std::hypot(dx, dy);
    if (d == 0) return {};
    const double ux = dx / d, uy = dy / d;  // along the arrow
    const double nx = -uy, ny = ux;         // across it
    const double length = std::min<double>(headLength, RoundHalfEven(d));
    const double bx = to.X - ux * length, by = to.Y - uy * length;  // where the head starts
    const double head = headWidth / 2.0, body = headWidth * bodyPercent / 200.0;
    auto pt = [](double x, double y) { return TPoint{RoundHalfEven(x), RoundHalfEven(y)}; };
    return {pt(from.X + nx * body, from.Y + ny * body), pt(bx + nx * body, by + ny * body),
            pt(bx + nx * head, by + ny * head),         to,
            pt(bx - nx * head, by - ny * head),         pt(bx - nx * body, by - ny * body),
            pt(from.X - nx * body, from.Y - ny * body)};
}

void TZebCanvas::DrawArrow(bool filled, TPoint from, TPoint to, int headLength, int headWidth, double bodyPercent)
{
    const auto pts = CalcArrowPoints(from, to, headLength, headWidth, bodyPercent);
    if (pts.empty()) return;
    if (filled) {
        Polygon(pts);
        return;
    }
    LineBetween(from, to);
    MoveToPoint(pts[4]);
    LineToPoint(pts[3]);
    LineToPoint(pts[2]);
}

// ---- text ----

namespace {
void addEffects(const TZebFont& font, int& w, int& h)
{
    auto* f = const_cast<TZebFont*>(&font);
    if (f->HasShadow() && f->Shadow()->Visible()) {
        w += std::abs(f->Shadow()->HorizSize());
        h += std::abs(f->Shadow()->VertSize());
    }
    if (f->HasEmboss() && f->Emboss()->Visible()) {
        w += std::abs(f->Emboss()->HorizSize());
        h += std::abs(f->Emboss()->VertSize());
    }
}
}  // namespace

int TZebCanvas::TextHeight(const String& text)
{
    int w = 0, h = target_ ? target_->TextExtent(text).cy : 0;
    addEffects(*font_, w, h);
    return h;
}

int TZebCanvas::TextWidth(const String& text)
{
    int w = target_ ? target_->TextExtent(text).cx : 0, h = 0;
    addEffects(*font_, w, h);
    return w;
}

TSizeFloat TZebCanvas::TextSizeFloat(const String& text)
{
    TSize s = target_ ? target_->TextExtent(text) : TSize{};
    int w = s.cx, h = s.cy;
    addEffects(*font_, w, h);
    return {static_cast<float>(w), static_cast<float>(h)};
}

void TextOutOrHtml(TZebCanvas& canvas, int x, int y, const String& text, bool html)
{
    if (html)
        HtmlTextOut(canvas, x, y, text);
    else
        canvas.TextOut(x, y, text);
}

// ---- clips (device units) ----

namespace {
TRect toDevice(HDC dc, const TRect& r)
{
    const TPoint a = dc->LPtoDP(r.TopLeft()), b = dc->LPtoDP(r.BottomRight());
    return {a.X, a.Y, b.X, b.Y};
}
}  // namespace

void TZebCanvas::ClipToRoundRect(const TRect& rect, int cornerWidth, int cornerHeight)
{
    HDC dc = GetDeviceContext();
    if (!dc) return;
    PushClipRegion(dc, TRegion::FromRoundRect(toDevice(dc, rect), cornerWidth, cornerHeight), RGN_AND);
}

void TZebCanvas::ClipToEllipse(const TRect& rect, bool exclusive)
{
    HDC dc = GetDeviceContext();
    if (!dc) return;
    if (exclusive)
        PushClipRegion(dc, TRegion::FromEllipse(rect), RGN_XOR);
    else
        PushClipRegion(dc, TRegion::FromEllipse(toDevice(dc, rect)), RGN_AND);
}

void TZebCanvas::ClipToPolygon(std::span<const TPoint> points, bool exclude)
{
    HDC dc = GetDeviceContext();
    if (!dc || points.empty()) return;
    // Regions are in device units: the points follow the viewport origin.
    std::vector<TPoint> device(points.begin(), points.end());
    for (TPoint& p : device) p = dc->LPtoDP(p);
    PushClipRegion(dc, TRegion::FromPolygon(device.data(), static_cast<int>(device.size()), ALTERNATE),
                   exclude ? RGN_DIFF : RGN_AND);
}
