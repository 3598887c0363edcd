#include "platform/graphics/Colors.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <mutex>
#include <strings.h>

#include "platform/rtl/Exceptions.h"

namespace {

// The desktop's standard scheme: fixed so that drawing is the same on every machine.
std::array<TColorRef, COLOR_ENDCOLORS + 1>& palette()
{
    static std::array<TColorRef, COLOR_ENDCOLORS + 1> p = {
        RGB(200, 200, 200),  // scroll bar
        RGB(0, 0, 0),        // background
        RGB(153, 180, 209),  // active caption
        RGB(191, 205, 219),  // inactive caption
        RGB(240, 240, 240),  // menu
        RGB(255, 255, 255),  // window
        RGB(100, 100, 100),  // window frame
        RGB(0, 0, 0),        // menu text
        RGB(0, 0, 0),        // window text
        RGB(0, 0, 0),        // caption text
        RGB(180, 180, 180),  // active border
        RGB(244, 247, 252),  // inactive border
        RGB(171, 171, 171),  // app workspace
        RGB(0, 120, 215),    // highlight
        RGB(255, 255, 255),  // highlight text
        RGB(240, 240, 240),  // button face
        RGB(160, 160, 160),  // button shadow
        RGB(109, 109, 109),  // gray text
        RGB(0, 0, 0),        // button text
        RGB(0, 0, 0),        // inactive caption text
        RGB(255, 255, 255),  // button highlight
        RGB(105, 105, 105),  // 3-D dark shadow
        RGB(227, 227, 227),  // 3-D light
        RGB(0, 0, 0),        // info text
        RGB(255, 255, 225),  // info background
        RGB(0, 0, 0),        // (unused slot 25)
        RGB(0, 102, 204),    // hot light
        RGB(185, 209, 234),  // gradient active caption
        RGB(215, 228, 242),  // gradient inactive caption
        RGB(51, 153, 255),   // menu highlight
        RGB(240, 240, 240),  // menu bar
    };
    return p;
}
std::mutex paletteLock;

struct ColorIdent {
    TColor value;
    const char* name;
};
// Order matters: the first name of a value is the one ColorToIdent gives.
constexpr ColorIdent kIdents[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

}  // namespace

TColorRef GetSysColor(int index)
{
    std::lock_guard<std::mutex> g(paletteLock);
    if (index < 0 || index > COLOR_ENDCOLORS) return 0;
    return palette()[static_cast<size_t>(index)];
}

void SetSysColor(int index, TColorRef rgb)
{
    std::lock_guard<std::mutex> g(paletteLock);
    if (index >= 0 && index <= COLOR_ENDCOLORS) palette()[static_cast<size_t>(index)] = rgb & 0xFFFFFF;
}

TColorRef ColorToRGB(TColor color)
{
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<TColorRef>(color) & 0xFFFFFF;
}

bool ColorToIdent(TColor color, String& ident)
{
    for (const auto& e : kIdents)
        if (e.value == color) {
            ident = e.name;
            return true;
        }
    return false;
}

bool IdentToColor(const String& ident, TColor& color)
{
    for (const auto& e : kIdents)
        if (strcasecmp(e.name, ident.c_str()) == 0) {
            color = e.value;
            return true;
        }
    return false;
}

String ColorToString(TColor color)
{
    String s;
    if (ColorToIdent(color, s)) return s;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(color));
    return buf;
}

TColor StringToColor(const String& text)
{
    TColor c;
    if (IdentToColor(text, c)) return c;
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool neg = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) neg = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size()) throw EConvertError("'" + text + "' is not a valid integer value");
    std::uint64_t v = 0;
    for (; i < text.size(); ++i) {
        int d;
        char ch = text[i];
        if (ch >= '0' && ch <= '9')
            d = ch - '0';
        else if (hex && ch >= 'a' && ch <= 'f')
            d = ch - 'a' + 10;
        else if (hex && ch >= 'A' && ch <= 'F')
            d = ch - 'A' + 10;
        else
            throw EConvertError("'" + text + "' is not a valid integer value");
        v = v * (hex ? 16 : 10) + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull) throw EConvertError("'" + text + "' is not a valid integer value");
    }
    if (!hex && !neg && v > 0x7FFFFFFFull) throw EConvertError("'" + text + "' is not a valid integer value");
    auto r = static_cast<std::uint32_t>(v);
    return neg ? static_cast<TColor>(0u - r) : static_cast<TColor>(r);
}

void GetColorValues(const std::function<void(const String&)>& proc)
{
    for (const auto& e : kIdents) proc(e.name);
}
