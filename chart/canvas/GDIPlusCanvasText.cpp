// Text, fonts, clipping, paths and pictures of the antialiased canvas.
#include <algorithm>
#include <cmath>

#include "chart/canvas/Blend.h"
#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/GDIPlusPath.h"
#include "chart/canvas/HtmlText.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Fonts.h"
#include "platform/graphics/GdiPlus.h"
#include "platform/graphics/Images.h"
#include "platform/graphics/Resources.h"

namespace {

unsigned layerStyle(const TFontStyles& style)
{
    unsigned bits = 0;
    if (style.Contains(fsBold)) bits |= 1;
    if (style.Contains(fsItalic)) bits |= 2;
    if (style.Contains(fsUnderline)) bits |= 4;
    if (style.Contains(fsStrikeOut)) bits |= 8;
    return bits;
}

bool effectVisible(TZebShadow* shadow) { return shadow && shadow->Visible(); }

// A picture as a layer bitmap; a transparent bitmap becomes an alpha image in which its
// transparent colour (the bottom-left pixel unless fixed) is left out.
std::unique_ptr<TGPBitmap> alphaBitmap(const TBitmap& source)
{
    if (!source.Transparent()) return std::make_unique<TGPBitmap>(source);
    const auto key = static_cast<TColor>(static_cast<std::uint32_t>(source.TransparentColor()) & ~0x02000000u);
    return std::make_unique<TGPBitmap>(source, key);
}

// Any graphic as a bitmap of the given size. A transparent graphic (an icon) is drawn over a key
// colour that the bitmap then leaves out.
std::unique_ptr<TBitmap> drawnBitmap(TGraphic& graphic, int width, int height)
{
    constexpr TColor key = static_cast<TColor>(0x00FE01FE);
    auto bitmap = std::make_unique<TBitmap>(std::max(width, 1), std::max(height, 1), pf32bit);
    if (graphic.Transparent()) {
        bitmap->Canvas()->Brush()->SetColor(key);
        bitmap->Canvas()->FillRect({0, 0, bitmap->Width(), bitmap->Height()});
    }
    bitmap->Canvas()->StretchDraw({0, 0, bitmap->Width(), bitmap->Height()}, &graphic);
    if (graphic.Transparent()) {
        bitmap->SetTransparentMode(tmFixed);
        bitmap->SetTransparentColor(key);
        bitmap->SetTransparent(true);
    }
    return bitmap;
}

}  // namespace

// ---- fonts ----

// The program's digit fonts, taken from the program's own resources so that they draw wherever
// the program runs.
TGPPrivateFontCollection& TGDIPlusCanvas::privateFonts()
{
    if (!privateFonts_) {
        privateFonts_ = std::make_unique<TGPPrivateFontCollection>();
        RegisterProgramFonts();
        for (const char* name : {"fonts/DSEG7Classic-Regular.ttf", "fonts/DSEG7Classic-Bold.ttf",
                                 "fonts/DSEG7Modern-Regular.ttf", "fonts/DSEG7Modern-Bold.ttf"})
            if (const ResourceBlob* blob = FindResource(name))
                privateFonts_->AddMemoryFont(blob->Data, static_cast<int>(blob->Size));
    }
    return *privateFonts_;
}

void TGDIPlusCanvas::ApplyFont()
{
    TZebFont* font = Font();
    if (!font) return;
    float size = std::max(font->SizeFloat(), 0.1f);
    if (Metafiling() && TargetCanvas()) {
        const int ppi = TargetCanvas()->Font()->PixelsPerInch();
        if (ppi > 0) size = size * static_cast<float>(font->PixelsPerInch()) / static_cast<float>(ppi);
    }
    const int style = static_cast<int>(layerStyle(font->Style()));
    if (!gpFont_ || font->Name() != fontName_ || size != fontSize_ || static_cast<unsigned>(style) != fontStyle_) {
        std::unique_ptr<TGPFont> made;
        if (font->Name() == "DS-Digital" || font->Name() == "Elektra") {
            const TGPFontFamily family(ResolveFontFamily(font->Name()), &privateFonts());
            if (family.IsAvailable()) made = std::make_unique<TGPFont>(family, size, style, UnitPoint);
        }
        if (!made) made = std::make_unique<TGPFont>(font->Name(), size, style, UnitPoint);
        gpFont_ = std::move(made);
        measured_.clear();
        fontName_ = font->Name();
        fontSize_ = size;
        fontStyle_ = static_cast<unsigned>(style);
    }
    sendTextHint(font->Quality() == TZebFontQuality::fqDefault ? TextQuality() : font->Quality(), size);
}

// ---- measuring ----

TSizeFloat TGDIPlusCanvas::measure(const String& text) const
{
    if (!graphics_ || !gpFont_) return {};
    if (const auto known = measured_.find(text); known != measured_.end()) return known->second;
    TGPRectF box;
    graphics_->MeasureString(text, *gpFont_, {}, nullptr, box);
    const TSizeFloat size{box.Width, box.Height};
    // Bounded: ever new texts (a clock's labels) must not grow it without end.
    if (measured_.size() >= 1024) measured_.clear();
    measured_.emplace(text, size);
    return size;
}

TSizeFloat TGDIPlusCanvas::TextSizeFloat(const String& text)
{
    GetGraphics();
    TSizeFloat s = measure(text);
    TZebFont& f = *Font();
    for (TZebShadow* e : {f.HasShadow() ? static_cast<TZebShadow*>(f.Shadow()) : nullptr,
                          f.HasEmboss() ? static_cast<TZebShadow*>(f.Emboss()) : nullptr}) {
        if (!effectVisible(e)) continue;
        s.Width += static_cast<float>(std::abs(e->HorizSize()));
        s.Height += static_cast<float>(std::abs(e->VertSize()));
    }
    return s;
}

namespace {
int effectsOf(TZebFont& f, bool horizontal)
{
    int sum = 0;
    if (f.HasShadow() && f.Shadow()->Visible())
        sum += std::abs(horizontal ? f.Shadow()->HorizSize() : f.Shadow()->VertSize());
    if (f.HasEmboss() && f.Emboss()->Visible())
        sum += std::abs(horizontal ? f.Emboss()->HorizSize() : f.Emboss()->VertSize());
    return sum;
}
}  // namespace

int TGDIPlusCanvas::TextWidth(const String& text)
{
    GetGraphics();
    return PixelRound(measure(text).Width) + effectsOf(*Font(), true);
}

// Rounded up: a text whose box is 14.2 high needs 15 rows.
int TGDIPlusCanvas::TextHeight(const String& text)
{
    GetGraphics();
    return PixelRound(measure(text).Height + 0.5) + effectsOf(*Font(), false);
}

// ---- text output ----

// Texts in one colour need no brush of the canvas: a solid brush of their colour draws them.
void TGDIPlusCanvas::drawTextPlain(float x, float y, const String& text, TColor textColor, bool solid)
{
    if (solid) {
        const TGPSolidBrush b(color(textColor));
        graphics_->DrawString(text, *gpFont_, MakeRect(x, y, 0, 0), nullptr, b);
        return;
    }
    TZebBrush& brush = *Brush();
    {
        TChangeEventDetach quiet(brush);
        brush.SetColor(textColor);
        brush.SetStyle(bsSolid);
    }
    TGPBrush* b = nullptr;
    if (HasBrushGradient()) {
        const TSizeFloat size = measure(text);
        b = BrushForRect({x, y, x + size.Width, y + size.Height});
    } else {
        b = PlainBrush();
    }
    if (b) graphics_->DrawString(text, *gpFont_, MakeRect(x, y, 0, 0), nullptr, *b);
}

// A smooth shadow: the text drawn alone on white, blurred and multiplied into the buffer, so that
// only the shadow is softened and not what lies under it.
bool TGDIPlusCanvas::blurText(TZebShadow& shadow, float x, float y, const String& text)
{
    TBitmap* buffer = BufferBitmap();
    if (!buffer || !shadow.Smooth() || shadow.SmoothBlur() <= 0) return false;
    TGPMatrix world;
    graphics_->GetWorldTransform(world);
    if (!world.IsIdentity()) return false;
    const int margin = shadow.BlurRadius() + 1;
    const TSizeFloat size = measure(text);
    const int w = PixelRound(size.Width) + 2 * margin, h = PixelRound(size.Height) + 2 * margin;
    if (w <= 0 || h <= 0) return false;
    TBitmap picture(w, h, pf24bit);
    picture.Canvas()->Brush()->SetColor(clWhite);
    picture.Canvas()->FillRect({0, 0, w, h});
    {
        TGPGraphics g(picture.Canvas()->Handle());
        g.SetTextRenderingHint(TextRenderingHintAntiAlias);
        const TGPSolidBrush brush(GPColor(shadow.Color(), GPAlphaOf(shadow.Transparency(), alpha_)));
        g.DrawString(text, *gpFont_, MakeRect(static_cast<float>(margin), static_cast<float>(margin), 0, 0), nullptr,
                     brush);
    }
    BlurShadowInto(picture, buffer, {PixelRound(x) - margin, PixelRound(y) - margin}, shadow.BlurRadius(),
                   shadow.SmoothBlur());
    return true;
}

void TGDIPlusCanvas::drawText(float x, float y, const String& text, TColor textColor, bool solid)
{
    TZebFont& font = *Font();
    for (int pass = 0; pass < 2; ++pass) {
        TZebShadow* e = pass == 0 ? (font.HasShadow() ? static_cast<TZebShadow*>(font.Shadow()) : nullptr)
                                  : (font.HasEmboss() ? static_cast<TZebShadow*>(font.Emboss()) : nullptr);
        if (!effectVisible(e) || e->LargestSize() == 0) continue;
        const float sx = x + static_cast<float>(e->HorizSize()), sy = y + static_cast<float>(e->VertSize());
        if (!blurText(*e, sx, sy, text)) drawTextPlain(sx, sy, text, e->Color(), true);
    }
    if (solid) {
        drawTextPlain(x, y, text, textColor, true);
        return;
    }
    {
        TChangeEventDetach quiet(*Brush());
        Brush()->Assign(font.Brush());
    }
    TZebHiddenPen* outline = font.HasOutLine() && font.OutLine()->Visible() ? font.OutLine() : nullptr;
    if (!outline) {
        drawTextPlain(x, y, text, textColor, false);
        return;
    }
    TGPGraphicsPath path;
    TGPFontFamily family;
    gpFont_->GetFamily(family);
    path.AddString(text, &family, gpFont_->GetStyle(), graphics_->GetDpiY() * fontSize_ / 72, MakeRect(x, y, 0, 0),
                   nullptr);
    TGPRectF box;
    path.GetWorldBounds(box);
    const TFloatRect bounds{box.X, box.Y, box.X + box.Width, box.Y + box.Height};
    // The outline pen strokes the letters; the caller's pen comes back afterwards.
    TZebPen savedPen;
    savedPen.Assign(Pen());
    UsePen(*outline);
    if (PreparePen()) {
        PenFillForRect(bounds);
        graphics_->DrawPath(*gpPen_, path);
    }
    {
        TChangeEventDetach quiet(*Pen());
        Pen()->Assign(&savedPen);
    }
    ApplyPen();
    {
        TChangeEventDetach quiet(*Brush());
        Brush()->SetColor(textColor);
        Brush()->SetStyle(bsSolid);
    }
    if (TGPBrush* b = HasBrushGradient() ? BrushForRect(bounds) : PlainBrush()) graphics_->FillPath(*b, path);
}

void TGDIPlusCanvas::TextOut(int x, int y, const String& text)
{
    if (!GetGraphics() || !gpFont_) return;
    float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float anchorX = fx;
    const unsigned align = textAlign_;
    if (align == TA_RIGHT || align == TA_CENTER || align == (TA_CENTER | TA_BOTTOM)) {
        TGPRectF box;
        graphics_->MeasureString(text, *gpFont_, {}, GenericTypographicFormat(), box);
        const auto w = static_cast<float>(PixelRound(box.Width));
        fx -= align == TA_RIGHT ? w : w / 2;
        if (align == (TA_CENTER | TA_BOTTOM)) fy -= TextSizeFloat(text).Height;
    }

    std::unique_ptr<TGPMatrix> before;
    if (textAngle_ != 0 && textAngle_ != 360 && std::isfinite(textAngle_)) {
        TPointFloat centre{fx, fy};
        if (HasRotationPivot())
            centre = {static_cast<float>(RotationPivot().X + 1), static_cast<float>(RotationPivot().Y)};
        else if (align == TA_CENTER)
            centre = {anchorX, static_cast<float>(y)};
        before = std::make_unique<TGPMatrix>();
        graphics_->GetWorldTransform(*before);
        TGPMatrix turn;
        turn.RotateAt(static_cast<float>(textAngle_), MakePoint(centre.X, centre.Y), MatrixOrderPrepend);
        graphics_->MultiplyWorldTransform(turn, MatrixOrderPrepend);
    }

    // A font brush with a gradient or a picture, or an outline, paints through the canvas brush;
    // the caller's brush comes back afterwards.
    TZebBrush& fontBrush = *Font()->Brush();
    const bool solid = !fontBrush.HasVisibleGradient() && !fontBrush.HasImage() &&
                       !(Font()->HasOutLine() && Font()->OutLine()->Visible());
    std::unique_ptr<TZebBrush> saved;
    if (!solid) {
        saved = std::make_unique<TZebBrush>();
        saved->Assign(Brush());
    }
    const TBkMode savedMode = backMode_;
    const auto finish = [&] {
        if (saved) {
            TChangeEventDetach quiet(*Brush());
            Brush()->Assign(saved.get());
        }
        backMode_ = savedMode;
        if (before) graphics_->SetWorldTransform(*before);
    };
    try {
        if (backMode_ != TRANSPARENT) {
            const TSizeFloat s = TextSizeFloat(text);
            FillRectangle({PixelRound(fx), PixelRound(fy), PixelRound(fx + s.Width), PixelRound(fy + s.Height)});
        }
        drawText(fx, fy, text, Font()->Color(), solid);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TGDIPlusCanvas::RotatedTextOut(int x, int y, const String& text, double angle, bool html)
{
    textAngle_ = std::isfinite(angle) ? 360 - angle : 0;
    try {
        TextOutOrHtml(*this, x, y, text, html);
    } catch (...) {
        textAngle_ = 0;
        throw;
    }
    textAngle_ = 0;
}

void TGDIPlusCanvas::TextOutXYZ(int x, int y, int z, const String& text, bool html)
{
    const TPoint p = ProjectXYZ(x, y, z);
    TextOutOrHtml(*this, p.X, p.Y, text, html);
}

// ---- clipping ----

// The clip is kept as a region of its own, so that removing a clip brings the one before back
// with its real shape (an ellipse stays an ellipse).
void TGDIPlusCanvas::narrowClip(const TGPRegion& shape, bool exclude)
{
    clips_.push_back(clip_ ? clip_->Clone() : nullptr);
    if (!clip_) clip_ = std::make_unique<TGPRegion>();
    clip_->Combine(shape, exclude ? CombineModeExclude : CombineModeIntersect);
    graphics_->SetClipRegion(*clip_, CombineModeReplace);
}

// One pixel taller on both sides than the rectangle, as texts and axes expect of this canvas.
void TGDIPlusCanvas::ClipToRect(const TRect& rect)
{
    if (!GetGraphics()) return;
    const TGPRect r = MakeRectI(rect.Left, rect.Top - 1, rect.Right - rect.Left, rect.Bottom - rect.Top + 2);
    narrowClip(TGPRegion(MakeRect(static_cast<float>(r.X), static_cast<float>(r.Y), static_cast<float>(r.Width),
                                  static_cast<float>(r.Height))),
               false);
}

void TGDIPlusCanvas::ClipToRoundRect(const TRect& rect, int cornerWidth, int cornerHeight)
{
    if (cornerWidth <= 0 && cornerHeight <= 0) {
        ClipToRect(rect);
        return;
    }
    if (!GetGraphics()) return;
    TGPGraphicsPath path;
    addRoundRect(path, rect, cornerWidth, cornerHeight);
    narrowClip(TGPRegion(path), false);
}

void TGDIPlusCanvas::ClipToEllipse(const TRect& rect, bool exclusive)
{
    if (!GetGraphics()) return;
    TGPGraphicsPath path;
    path.AddEllipseI(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    narrowClip(TGPRegion(path), exclusive);
}

void TGDIPlusCanvas::ClipToPolygon(std::span<const TPoint> points, bool exclude)
{
    if (!GetGraphics()) return;
    std::vector<TGPPointF> pts;
    pts.reserve(points.size());
    for (const TPoint& p : points) pts.push_back({static_cast<float>(p.X), static_cast<float>(p.Y)});
    TGPGraphicsPath path(FillModeAlternate);
    if (!pts.empty()) path.AddPolygon(pts.data(), static_cast<int>(pts.size()));
    narrowClip(TGPRegion(path), exclude);
}

void TGDIPlusCanvas::RemoveClip()
{
    flushRun();
    if (!graphics_) return;
    if (clips_.empty()) {
        clip_.reset();
        graphics_->ResetClip();
        return;
    }
    clip_ = std::move(clips_.back());
    clips_.pop_back();
    if (clip_)
        graphics_->SetClipRegion(*clip_, CombineModeReplace);
    else
        graphics_->ResetClip();
}

// ---- paths ----

TZebBasePath* TGDIPlusCanvas::CreatePathObject() { return new TZebGDIPlusPath(*this); }

TZebBasePath* TGDIPlusCanvas::CreatePathFromData(std::span<const TPointFloat> points, std::span<const Byte> types)
{
    auto* path = new TZebGDIPlusPath(*this);
    if (!points.empty()) path->Replace(points, types);
    return path;
}

// ---- pictures ----

void TGDIPlusCanvas::DrawGraphic(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty() || !GetGraphics()) return;
    std::unique_ptr<TBitmap> drawn;
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    if (!bitmap) {
        drawn = drawnBitmap(*graphic, graphic->Width(), graphic->Height());
        bitmap = drawn.get();
    }
    const auto image = alphaBitmap(*bitmap);
    const int w = graphic->Width(), h = graphic->Height();
    if (alpha_ == 255) {
        graphics_->DrawImageRectI(*image, x, y, w, h);
        return;
    }
    const auto attributes = AlphaImageAttributes(alpha_);
    graphics_->DrawImageRectRectI(*image, x, y, w, h, 0, 0, static_cast<int>(image->GetWidth()),
                                  static_cast<int>(image->GetHeight()), UnitPixel, attributes.get());
}

void TGDIPlusCanvas::StretchGraphic(const TRect& rect, TGraphic* graphic)
{
    if (!graphic || graphic->Empty() || !GetGraphics()) return;
    std::unique_ptr<TBitmap> drawn;
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    if (!bitmap) {
        const bool icon = dynamic_cast<TIcon*>(graphic) != nullptr;
        drawn = icon ? drawnBitmap(*graphic, graphic->Width(), graphic->Height())
                     : drawnBitmap(*graphic, std::abs(rect.Right - rect.Left), std::abs(rect.Bottom - rect.Top));
        bitmap = drawn.get();
    }
    const auto image = alphaBitmap(*bitmap);
    graphics_->SetInterpolationMode(StretchQuality() == sqLow ? InterpolationModeNearestNeighbor
                                                              : InterpolationModeHighQuality);
    const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    if (alpha_ == 255) {
        graphics_->DrawImageRectI(*image, rect.Left, rect.Top, w, h);
        return;
    }
    const auto attributes = AlphaImageAttributes(alpha_);
    graphics_->DrawImageRectRectI(*image, rect.Left, rect.Top, w, h, 0, 0, static_cast<int>(image->GetWidth()),
                                  static_cast<int>(image->GetHeight()), UnitPixel, attributes.get());
}

void TGDIPlusCanvas::StretchBitmapSmooth(const TBitmap& source, TBitmap& destination)
{
    if (source.Empty() || destination.Empty()) return;
    TGPGraphics graphics(destination.Canvas()->Handle());
    graphics.SetInterpolationMode(InterpolationModeHighQuality);
    const TGPBitmap image(source);
    graphics.DrawImageRectI(image, 0, 0, destination.Width(), destination.Height());
}
