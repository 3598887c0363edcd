#include "platform/graphics/GraphicsObjects.h"

#include <cmath>

#include "platform/classes/Published.h"
#include "platform/classes/TypeInfo.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/rtl/Strings.h"

namespace {
// Colour properties stream as identifiers ("clRed") where one exists.
const bool colorIdentsRegistered = [] {
    RegisterIntegerConsts(
        "TColor",
        [](const String& ident, Int64& value) {
            TColor c;
            if (!IdentToColor(ident, c)) return false;
            value = c;
            return true;
        },
        [](Int64 value, String& ident) { return ColorToIdent(static_cast<TColor>(value), ident); });
    return true;
}();

constexpr struct {
    int value;
    const char* name;
} kCharsetIdents[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

// Font charsets stream as identifiers ("DEFAULT_CHARSET") where one exists.
const bool charsetIdentsRegistered = [] {
    RegisterIntegerConsts(
        "TFontCharset",
        [](const String& ident, Int64& value) {
            for (const auto& e : kCharsetIdents)
                if (SameText(ident, e.name)) {
                    value = e.value;
                    return true;
                }
            return false;
        },
        [](Int64 value, String& ident) {
            for (const auto& e : kCharsetIdents)
                if (e.value == value) {
                    ident = e.name;
                    return true;
                }
            return false;
        });
    return true;
}();
}  // namespace

int PenModeToROP2(TPenMode mode)
{
    static constexpr int map[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                  R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                  R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return map[static_cast<int>(mode)];
}

// ---------- TGraphicsObject ----------
TV_PUBLISHED(TGraphicsObject) {}

TGraphicsObject::TGraphicsObject()
{
    (void)colorIdentsRegistered;
    (void)charsetIdentsRegistered;
}

void TGraphicsObject::Changing()
{
    if (onChanging_) onChanging_(this);
}

void TGraphicsObject::Changed()
{
    if (onChange_) onChange_(this);
}

// ---------- TPen ----------
TV_PUBLISHED(TPen)
{
    PropColor("Color", &TPen::Color, &TPen::SetColor, clBlack);
    PropEnum("Mode", &TPen::Mode, &TPen::SetMode, pmCopy, TPenModeNames);
    PropEnum("Style", &TPen::Style, &TPen::SetStyle, psSolid, TPenStyleNames);
    Prop("Width", &TPen::Width, &TPen::SetWidth, 1);
}

void TPen::Assign(TPersistent* source)
{
    if (auto* p = dynamic_cast<TPen*>(source)) return AssignPen(*p);
    TGraphicsObject::Assign(source);
}

void TPen::AssignPen(const TPen& p)
{
    if (color_ == p.color_ && width_ == p.width_ && style_ == p.style_ && mode_ == p.mode_) return;
    Changing();
    color_ = p.color_;
    width_ = p.width_;
    style_ = p.style_;
    mode_ = p.mode_;
    Changed();
}

#define TV_SETTER(Class, Name, Type, field) \
    void Class::Set##Name(Type v)           \
    {                                       \
        if (field == v) return;             \
        Changing();                         \
        field = v;                          \
        Changed();                          \
    }

TV_SETTER(TPen, Color, TColor, color_)
TV_SETTER(TPen, Style, TPenStyle, style_)
TV_SETTER(TPen, Mode, TPenMode, mode_)

void TPen::SetWidth(int w)
{
    if (w < 0 || w == width_) return;
    Changing();
    width_ = w;
    Changed();
}

TLogPen TPen::LogPen() const
{
    TLogPen p;
    static constexpr int styles[] = {PS_SOLID, PS_DASH,        PS_DOT,       PS_DASHDOT,  PS_DASHDOTDOT,
                                     PS_NULL,  PS_INSIDEFRAME, PS_USERSTYLE, PS_ALTERNATE};
    p.Style = styles[static_cast<int>(style_)];
    p.Width = width_;
    p.Color = color_;
    return p;
}

// ---------- TBrush ----------
TV_PUBLISHED(TBrush)
{
    PropColor("Color", &TBrush::Color, &TBrush::SetColor, clWhite);
    PropEnum("Style", &TBrush::Style, &TBrush::SetStyle, bsSolid, TBrushStyleNames);
}

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::Assign(TPersistent* source)
{
    if (auto* b = dynamic_cast<TBrush*>(source)) return AssignBrush(*b);
    TGraphicsObject::Assign(source);
}

void TBrush::AssignBrush(const TBrush& b)
{
    Changing();
    color_ = b.color_;
    style_ = b.style_;
    bitmap_ = b.bitmap_;
    Changed();
}

void TBrush::SetColor(TColor c)
{
    if (c == color_ && style_ != bsClear) return;
    Changing();
    color_ = c;
    if (style_ == bsClear) style_ = bsSolid;  // a colour makes a cleared brush solid again
    Changed();
}

TV_SETTER(TBrush, Style, TBrushStyle, style_)

void TBrush::SetBitmap(TBitmap* b)
{
    Changing();
    bitmap_ = b;
    Changed();
}

TLogBrush TBrush::LogBrush() const
{
    TLogBrush b;
    b.Color = color_;
    if (bitmap_ && !bitmap_->Empty()) {
        b.Style = BS_PATTERN;
        b.Pattern = std::make_shared<TPixelImage>(BitmapImage(*bitmap_).copy());  // a snapshot, as the device keeps
        return b;
    }
    switch (style_) {
    case bsSolid: b.Style = BS_SOLID; break;
    case bsClear: b.Style = BS_NULL; break;
    default:
        b.Style = BS_HATCHED;
        b.Hatch = static_cast<int>(style_) - static_cast<int>(bsHorizontal) + HS_HORIZONTAL;
        break;
    }
    return b;
}

// ---------- TFont ----------
TV_PUBLISHED(TFont)
{
    PropIdent("Charset", &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET, "TFontCharset");
    // Color, Style and Name have no default: an owner that changes them in its constructor must
    // still store the values a fresh font has (an empty name too).
    PropColor("Color", &TFont::Color, &TFont::SetColor, clWindowText).NoDefault();
    Prop("Height", &TFont::Height, &TFont::SetHeight).NoDefault();
    Prop("Name", &TFont::Name, &TFont::SetName).NoDefault();
    Prop("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0);
    PropEnum("Pitch", &TFont::Pitch, &TFont::SetPitch, fpDefault, TFontPitchNames);
    PropEnum("Quality", &TFont::Quality, &TFont::SetQuality, fqDefault, TFontQualityNames).Stored(false);
    Prop("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    PropSet("Style", &TFont::Style, &TFont::SetStyle, TFontStyles{}, TFontStyleNames).NoDefault();
}

void TFont::Assign(TPersistent* source)
{
    if (auto* f = dynamic_cast<TFont*>(source)) {
        Changing();
        name_ = f->name_;
        // A font from another resolution keeps its point size.
        height_ = f->ppi_ == ppi_ ? f->height_ : -static_cast<int>(std::lround(f->Size() * ppi_ / 72.0));
        style_ = f->style_;
        color_ = f->color_;
        charset_ = f->charset_;
        pitch_ = f->pitch_;
        orientation_ = f->orientation_;
        quality_ = f->quality_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

TV_SETTER(TFont, Name, const TFontName&, name_)
TV_SETTER(TFont, Height, int, height_)
TV_SETTER(TFont, Style, TFontStyles, style_)
TV_SETTER(TFont, Color, TColor, color_)
TV_SETTER(TFont, Charset, TFontCharset, charset_)
TV_SETTER(TFont, Pitch, TFontPitch, pitch_)
TV_SETTER(TFont, Orientation, int, orientation_)
TV_SETTER(TFont, Quality, TFontQuality, quality_)

// Size = -Height * 72 / PPI, rounded as the class library's MulDiv does (half away from zero).
int TFont::Size() const
{
    long long num = -static_cast<long long>(height_) * 72;
    long long q = (std::llabs(num) * 2 + ppi_) / (2LL * ppi_);
    return static_cast<int>(num < 0 ? -q : q);
}

void TFont::SetSize(int s)
{
    long long num = static_cast<long long>(s) * ppi_;
    long long q = (std::llabs(num) * 2 + 72) / 144;
    SetHeight(-static_cast<int>(num < 0 ? -q : q));
}

TLogFont TFont::LogFont() const
{
    TLogFont f;
    f.Height = height_;
    f.Escapement = orientation_;
    f.Orientation = orientation_;
    f.Weight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    f.Italic = style_.Contains(fsItalic);
    f.Underline = style_.Contains(fsUnderline);
    f.StrikeOut = style_.Contains(fsStrikeOut);
    f.CharSet = charset_;
    f.Pitch = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    static constexpr int qualities[] = {DEFAULT_QUALITY,        DRAFT_QUALITY,       PROOF_QUALITY,
                                        NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY, CLEARTYPE_QUALITY,
                                        CLEARTYPE_QUALITY};
    f.Quality = qualities[static_cast<int>(quality_)];
    f.FaceName = name_;
    return f;
}
