#pragma once
// Values of the antialiased object layer: statuses, ARGB colours, float geometry and the codes its
// calls take, numbered and spelled as the platform's GDI+ interface has them.
#include <cstdint>

#include "platform/graphics/GraphicsTypes.h"

// ---- statuses: every call of the layer answers one; 0 is success ----
enum TGPStatus : int {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20
};

// ---- colours: 0xAARRGGBB (alpha on top, then red, green, blue) ----
using TGPColor = std::uint32_t;
constexpr TGPColor MakeColor(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return (TGPColor(a) << 24) | (TGPColor(r) << 16) | (TGPColor(g) << 8) | TGPColor(b);
}
constexpr std::uint8_t GetAlpha(TGPColor c) { return std::uint8_t(c >> 24); }
constexpr std::uint8_t GetRed(TGPColor c) { return std::uint8_t(c >> 16); }
constexpr std::uint8_t GetGreen(TGPColor c) { return std::uint8_t(c >> 8); }
constexpr std::uint8_t GetBlue(TGPColor c) { return std::uint8_t(c); }

// ---- geometry (integer points are TPoint) ----
struct TGPPointF {
    float X = 0;
    float Y = 0;
    constexpr bool operator==(const TGPPointF&) const = default;
};
struct TGPRectF {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;
    constexpr bool operator==(const TGPRectF&) const = default;
};
struct TGPRect {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    constexpr bool operator==(const TGPRect&) const = default;
};
constexpr TGPPointF MakePoint(float x, float y) { return {x, y}; }
constexpr TGPRectF MakeRect(float x, float y, float width, float height) { return {x, y, width, height}; }
constexpr TGPRect MakeRectI(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    return {x, y, width, height};
}
// An edge rectangle (left, top, right, bottom) in origin-and-size form.
constexpr TGPRect MakeRectFromEdges(const TRect& r) { return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top}; }

// ---- graphics settings ----
enum TGPSmoothingMode : int {
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4
};
enum TGPPixelOffsetMode : int {
    PixelOffsetModeDefault = 0,
    PixelOffsetModeHighSpeed = 1,
    PixelOffsetModeHighQuality = 2,
    PixelOffsetModeNone = 3,
    PixelOffsetModeHalf = 4
};
enum TGPTextRenderingHint : int {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5
};
enum TGPInterpolationMode : int {
    InterpolationModeDefault = 0,
    InterpolationModeLowQuality = 1,
    InterpolationModeHighQuality = 2,
    InterpolationModeBilinear = 3,
    InterpolationModeBicubic = 4,
    InterpolationModeNearestNeighbor = 5,
    InterpolationModeHighQualityBilinear = 6,
    InterpolationModeHighQualityBicubic = 7
};
enum TGPUnit : int {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6
};
enum TGPMatrixOrder : int { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };
enum TGPFillMode : int { FillModeAlternate = 0, FillModeWinding = 1 };
enum TGPCombineMode : int {
    CombineModeReplace = 0,
    CombineModeIntersect = 1,
    CombineModeUnion = 2,
    CombineModeXor = 3,
    CombineModeExclude = 4,
    CombineModeComplement = 5
};

// ---- pens ----
enum TGPLineCap : int {
    LineCapFlat = 0,
    LineCapSquare = 1,
    LineCapRound = 2,
    LineCapTriangle = 3,
    LineCapNoAnchor = 0x10,
    LineCapSquareAnchor = 0x11,
    LineCapRoundAnchor = 0x12,
    LineCapDiamondAnchor = 0x13,
    LineCapArrowAnchor = 0x14
};
enum TGPDashCap : int { DashCapFlat = 0, DashCapRound = 2, DashCapTriangle = 3 };
enum TGPLineJoin : int { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2, LineJoinMiterClipped = 3 };
enum TGPDashStyle : int {
    DashStyleSolid = 0,
    DashStyleDash = 1,
    DashStyleDot = 2,
    DashStyleDashDot = 3,
    DashStyleDashDotDot = 4,
    DashStyleCustom = 5
};

// ---- brushes ----
enum TGPBrushType : int {
    BrushTypeSolidColor = 0,
    BrushTypeHatchFill = 1,
    BrushTypeTextureFill = 2,
    BrushTypePathGradient = 3,
    BrushTypeLinearGradient = 4
};
enum TGPWrapMode : int {
    WrapModeTile = 0,
    WrapModeTileFlipX = 1,
    WrapModeTileFlipY = 2,
    WrapModeTileFlipXY = 3,
    WrapModeClamp = 4
};
enum TGPLinearGradientMode : int {
    LinearGradientModeHorizontal = 0,
    LinearGradientModeVertical = 1,
    LinearGradientModeForwardDiagonal = 2,
    LinearGradientModeBackwardDiagonal = 3
};
// 8 x 8 patterns in a fore and a back colour.
enum TGPHatchStyle : int {
    HatchStyleHorizontal,
    HatchStyleVertical,
    HatchStyleForwardDiagonal,
    HatchStyleBackwardDiagonal,
    HatchStyleCross,
    HatchStyleDiagonalCross,
    HatchStyle05Percent,
    HatchStyle10Percent,
    HatchStyle20Percent,
    HatchStyle25Percent,
    HatchStyle30Percent,
    HatchStyle40Percent,
    HatchStyle50Percent,
    HatchStyle60Percent,
    HatchStyle70Percent,
    HatchStyle75Percent,
    HatchStyle80Percent,
    HatchStyle90Percent,
    HatchStyleLightDownwardDiagonal,
    HatchStyleLightUpwardDiagonal,
    HatchStyleDarkDownwardDiagonal,
    HatchStyleDarkUpwardDiagonal,
    HatchStyleWideDownwardDiagonal,
    HatchStyleWideUpwardDiagonal,
    HatchStyleLightVertical,
    HatchStyleLightHorizontal,
    HatchStyleNarrowVertical,
    HatchStyleNarrowHorizontal,
    HatchStyleDarkVertical,
    HatchStyleDarkHorizontal,
    HatchStyleDashedDownwardDiagonal,
    HatchStyleDashedUpwardDiagonal,
    HatchStyleDashedHorizontal,
    HatchStyleDashedVertical,
    HatchStyleSmallConfetti,
    HatchStyleLargeConfetti,
    HatchStyleZigZag,
    HatchStyleWave,
    HatchStyleDiagonalBrick,
    HatchStyleHorizontalBrick,
    HatchStyleWeave,
    HatchStylePlaid,
    HatchStyleDivot,
    HatchStyleDottedGrid,
    HatchStyleDottedDiamond,
    HatchStyleShingle,
    HatchStyleTrellis,
    HatchStyleSphere,
    HatchStyleSmallGrid,
    HatchStyleSmallCheckerBoard,
    HatchStyleLargeCheckerBoard,
    HatchStyleOutlinedDiamond,
    HatchStyleSolidDiamond
};
constexpr int HatchStyleCount = HatchStyleSolidDiamond + 1;

// ---- paths: one type byte per point ----
enum : std::uint8_t {
    PathPointTypeStart = 0,
    PathPointTypeLine = 1,
    PathPointTypeBezier = 3,
    PathPointTypePathTypeMask = 0x07,
    PathPointTypeDashMode = 0x10,
    PathPointTypePathMarker = 0x20,
    PathPointTypeCloseSubpath = 0x80
};

// ---- text ----
enum : int {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8
};
enum : int {
    StringFormatFlagsDirectionRightToLeft = 0x0001,
    StringFormatFlagsDirectionVertical = 0x0002,
    StringFormatFlagsNoFitBlackBox = 0x0004,
    StringFormatFlagsDisplayFormatControl = 0x0020,
    StringFormatFlagsNoFontFallback = 0x0400,
    StringFormatFlagsMeasureTrailingSpaces = 0x0800,
    StringFormatFlagsNoWrap = 0x1000,
    StringFormatFlagsLineLimit = 0x2000,
    StringFormatFlagsNoClip = 0x4000
};

// ---- images ----
using TGPPixelFormat = int;
constexpr TGPPixelFormat PixelFormat24bppRGB = 0x00021808;
constexpr TGPPixelFormat PixelFormat32bppRGB = 0x00022009;
constexpr TGPPixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr TGPPixelFormat PixelFormat32bppPARGB = 0x000E200B;
enum TGPImageType : int { ImageTypeUnknown = 0, ImageTypeBitmap = 1, ImageTypeMetafile = 2 };
enum TGPColorAdjustType : int {
    ColorAdjustTypeDefault = 0,
    ColorAdjustTypeBitmap = 1,
    ColorAdjustTypeBrush = 2,
    ColorAdjustTypePen = 3,
    ColorAdjustTypeText = 4
};
enum TGPColorMatrixFlags : int {
    ColorMatrixFlagsDefault = 0,
    ColorMatrixFlagsSkipGrays = 1,
    ColorMatrixFlagsAltGray = 2
};
// Row vectors (r, g, b, a, 1) times the matrix; [3][3] scales alpha.
struct TGPColorMatrix {
    float M[5][5] = {{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}};
};
