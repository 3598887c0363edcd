#pragma once
// The numeric codes of the GDI-style device context, named and valued as Win32 has them so that
// ported drawing code reads the same: object styles, mixes and raster operations, text and edge
// flags, region and fill modes, device capabilities.
#include <cstdint>

// ---- pens (the style word carries cap, join and type flags as in ExtCreatePen) ----
enum : int {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
    PS_INSIDEFRAME = 6,
    PS_USERSTYLE = 7,
    PS_ALTERNATE = 8,
    PS_STYLE_MASK = 0x0F,
    PS_ENDCAP_ROUND = 0x000,
    PS_ENDCAP_SQUARE = 0x100,
    PS_ENDCAP_FLAT = 0x200,
    PS_ENDCAP_MASK = 0xF00,
    PS_JOIN_ROUND = 0x0000,
    PS_JOIN_BEVEL = 0x1000,
    PS_JOIN_MITER = 0x2000,
    PS_JOIN_MASK = 0xF000,
    PS_COSMETIC = 0x00000,
    PS_GEOMETRIC = 0x10000,
    PS_TYPE_MASK = 0xF0000
};

// ---- brushes and hatches ----
enum : int { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1, BS_HATCHED = 2, BS_PATTERN = 3 };
enum : int { HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4, HS_DIAGCROSS = 5 };

// ---- fonts ----
enum : int {
    FW_DONTCARE = 0,
    FW_THIN = 100,
    FW_LIGHT = 300,
    FW_NORMAL = 400,
    FW_MEDIUM = 500,
    FW_SEMIBOLD = 600,
    FW_BOLD = 700,
    FW_HEAVY = 900
};
enum : int {
    ANSI_CHARSET = 0,
    DEFAULT_CHARSET = 1,
    SYMBOL_CHARSET = 2,
    MAC_CHARSET = 77,
    SHIFTJIS_CHARSET = 128,
    HANGEUL_CHARSET = 129,
    JOHAB_CHARSET = 130,
    GB2312_CHARSET = 134,
    CHINESEBIG5_CHARSET = 136,
    GREEK_CHARSET = 161,
    TURKISH_CHARSET = 162,
    VIETNAMESE_CHARSET = 163,
    HEBREW_CHARSET = 177,
    ARABIC_CHARSET = 178,
    BALTIC_CHARSET = 186,
    RUSSIAN_CHARSET = 204,
    THAI_CHARSET = 222,
    EASTEUROPE_CHARSET = 238,
    OEM_CHARSET = 255
};
enum : int { DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2 };
enum : int {
    DEFAULT_QUALITY = 0,
    DRAFT_QUALITY = 1,
    PROOF_QUALITY = 2,
    NONANTIALIASED_QUALITY = 3,
    ANTIALIASED_QUALITY = 4,
    CLEARTYPE_QUALITY = 5
};

// ---- mixes and raster operations ----
enum : int {
    R2_BLACK = 1,
    R2_NOTMERGEPEN,
    R2_MASKNOTPEN,
    R2_NOTCOPYPEN,
    R2_MASKPENNOT,
    R2_NOT,
    R2_XORPEN,
    R2_NOTMASKPEN,
    R2_MASKPEN,
    R2_NOTXORPEN,
    R2_NOP,
    R2_MERGENOTPEN,
    R2_COPYPEN,
    R2_MERGEPENNOT,
    R2_MERGEPEN,
    R2_WHITE
};
using TRop = std::uint32_t;
constexpr TRop SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
               SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6, MERGECOPY = 0x00C000CA,
               MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049,
               DSTINVERT = 0x00550009, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;

// ---- background modes and arc directions ----
enum TBkMode : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int { AD_COUNTERCLOCKWISE = 1, AD_CLOCKWISE = 2 };

// ---- text ----
// Text alignment flags: one horizontal and one vertical choice, combined with |.
enum TTextAlign : unsigned {
    TA_NOUPDATECP = 0,
    TA_UPDATECP = 1,
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24
};
constexpr TTextAlign operator|(TTextAlign a, TTextAlign b)
{
    return static_cast<TTextAlign>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr TTextAlign operator&(TTextAlign a, TTextAlign b)
{
    return static_cast<TTextAlign>(static_cast<unsigned>(a) & static_cast<unsigned>(b));
}
enum : unsigned { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };
enum : unsigned {
    DT_TOP = 0,
    DT_LEFT = 0,
    DT_CENTER = 1,
    DT_RIGHT = 2,
    DT_VCENTER = 4,
    DT_BOTTOM = 8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_TABSTOP = 0x80,
    DT_NOCLIP = 0x100,
    DT_EXTERNALLEADING = 0x200,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_INTERNAL = 0x1000,
    DT_EDITCONTROL = 0x2000,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
    DT_MODIFYSTRING = 0x10000,
    DT_RTLREADING = 0x20000,
    DT_WORD_ELLIPSIS = 0x40000,
    DT_HIDEPREFIX = 0x100000
};

// ---- edges and frame controls ----
enum : unsigned {
    BDR_RAISEDOUTER = 1,
    BDR_SUNKENOUTER = 2,
    BDR_RAISEDINNER = 4,
    BDR_SUNKENINNER = 8,
    BDR_OUTER = 3,
    BDR_INNER = 12,
    EDGE_RAISED = 5,
    EDGE_SUNKEN = 10,
    EDGE_ETCHED = 6,
    EDGE_BUMP = 9
};
enum : unsigned {
    BF_LEFT = 1,
    BF_TOP = 2,
    BF_RIGHT = 4,
    BF_BOTTOM = 8,
    BF_TOPLEFT = 3,
    BF_BOTTOMRIGHT = 12,
    BF_RECT = 15,
    BF_DIAGONAL = 0x10,
    BF_MIDDLE = 0x800,
    BF_SOFT = 0x1000,
    BF_ADJUST = 0x2000,
    BF_FLAT = 0x4000,
    BF_MONO = 0x8000
};
enum : unsigned { DFC_BUTTON = 4 };
enum : unsigned {
    DFCS_BUTTONCHECK = 0,
    DFCS_BUTTONRADIO = 4,
    DFCS_BUTTONPUSH = 0x10,
    DFCS_INACTIVE = 0x100,
    DFCS_PUSHED = 0x200,
    DFCS_CHECKED = 0x400,
    DFCS_FLAT = 0x4000
};

// ---- gradients and alpha blending ----
enum : unsigned { GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1 };
enum : std::uint8_t { AC_SRC_OVER = 0, AC_SRC_ALPHA = 1 };

// ---- regions ----
// Region kinds returned by the region and clip calls.
enum : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
// CombineRgn and ExtSelectClipRgn modes.
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
// Polygon fill modes.
enum : int { ALTERNATE = 1, WINDING = 2 };

// ---- the device ----
constexpr std::uint32_t CLR_INVALID = 0xFFFFFFFF;  // a colour reference no pixel has
// Mapping modes. The context offers text (logical units are device pixels) and anisotropic; metafiles
// read the others.
enum : int {
    MM_TEXT = 1,
    MM_LOMETRIC,
    MM_HIMETRIC,
    MM_LOENGLISH,
    MM_HIENGLISH,
    MM_TWIPS,
    MM_ISOTROPIC,
    MM_ANISOTROPIC
};
enum : int {
    HORZSIZE = 4,
    VERTSIZE = 6,
    HORZRES = 8,
    VERTRES = 10,
    BITSPIXEL = 12,
    PLANES = 14,
    NUMCOLORS = 24,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90
};
// The device's kind and the answers: a display (or bitmap), a metafile.
enum : int { TECHNOLOGY = 2, DT_RASDISPLAY = 1, DT_METAFILE = 5 };
