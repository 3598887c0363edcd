#pragma once
// Layer-private: the Qt side of the antialiased object layer. Include only from
// platform/graphics/GP*.cpp.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiPlus.h"

namespace tvgdiplus {

// False while the library is switched missing and the layer is not running: objects are then not
// made and answer GdiplusNotInitialized.
bool LayerUsable();

inline bool Finite(const QTransform& m)
{
    return std::isfinite(m.m11()) && std::isfinite(m.m12()) && std::isfinite(m.m21()) && std::isfinite(m.m22()) &&
           std::isfinite(m.dx()) && std::isfinite(m.dy());
}
inline QColor ToQColor(TGPColor c) { return QColor::fromRgba(c); }
inline QPointF ToQt(TGPPointF p) { return {p.X, p.Y}; }
inline QRectF ToQt(const TGPRectF& r) { return {r.X, r.Y, r.Width, r.Height}; }
inline TGPRectF FromQt(const QRectF& r) { return {float(r.x()), float(r.y()), float(r.width()), float(r.height())}; }

// A gradient's colours at positions 0..1 (ascending).
struct Blend {
    std::vector<TGPColor> colors;
    std::vector<float> positions;
    bool empty() const { return colors.empty(); }
};
TGPStatus SetBlend(Blend& blend, const TGPColor* colors, const float* positions, int count);
TGPStatus GetBlend(const Blend& blend, TGPColor* colors, float* positions, int count);
// Stops for a Qt gradient; flip runs them from 1 - position (path gradients, whose position 0 is
// the outline). The end colours continue to 0 and 1.
QGradientStops BlendStops(const Blend& blend, bool flip);

// The 8 x 8 hatch patterns: row bytes, the leftmost pixel in the high bit, set bits in the fore
// colour.
const std::uint8_t* HatchBits(int style);

// An arc of the ellipse in (x, y, w, h) from startAngle over sweepAngle (degrees clockwise; the
// angles are directions from the centre) as a start point and 3 points per Bezier segment.
std::vector<QPointF> ArcPoints(double x, double y, double w, double h, double startAngle, double sweepAngle);
// Cardinal spline through the points as cubic Bezier control points (3 per segment, after the
// first point); closed adds the segment back to the first point.
std::vector<QPointF> CardinalBeziers(const QPointF* points, int count, float tension, bool closed);

}  // namespace tvgdiplus

struct TGPMatrix::Impl {
    QTransform m;
};

struct TGPPen::Impl {
    TGPColor color = 0xFF000000;
    float width = 1;
    TGPUnit unit = UnitWorld;
    TGPLineCap startCap = LineCapFlat;
    TGPLineCap endCap = LineCapFlat;
    TGPDashCap dashCap = DashCapFlat;
    TGPLineJoin join = LineJoinMiter;
    float miterLimit = 10;
    TGPDashStyle dashStyle = DashStyleSolid;
    std::vector<float> pattern;                   // DashStyleCustom
    std::shared_ptr<const TGPBrush::Impl> brush;  // a pen filled by a brush
};

struct TGPBrush::Impl {
    TGPBrushType type = BrushTypeSolidColor;
    // solid
    TGPColor color = 0xFF000000;
    // hatch
    TGPHatchStyle hatch = HatchStyleHorizontal;
    TGPColor fore = 0, back = 0;
    // texture
    QImage texture;
    TGPWrapMode wrap = WrapModeTile;
    // linear gradient
    QRectF rect;
    TGPColor color1 = 0, color2 = 0;
    float angle = 0;
    bool scalable = false;  // the angle is set in the unit square and grows with the rectangle
    tvgdiplus::Blend blend;
    // path gradient (world units)
    std::vector<QPolygonF> outline;
    bool ellipse = false;  // outline is the ellipse of rect
    QPointF center;
    TGPColor centerColor = 0xFFFFFFFF, surroundColor = 0xFFFFFFFF;

    // The Qt brush for the kinds Qt draws itself; fullTransform maps world units to the device
    // (hatches stay on the device grid). Null when the brush must be rasterised (Fill does it).
    bool qtBrush(QBrush& out, const QTransform& fullTransform) const;
    // Fills the path (world units) on a painter set up for world units.
    void Fill(QPainter& p, const QPainterPath& path) const;
    QPainterPath clampArea() const;  // where a clamped texture draws
};

struct TGPImage::Impl {
    TGPImageType type = ImageTypeBitmap;
    TGPPixelFormat format = PixelFormat32bppARGB;
    std::shared_ptr<TPixelImage> pixels;  // bitmaps: ARGB32 premultiplied or RGB32
    const TMetafile* metafile = nullptr;
};

struct TGPImageAttributes::Impl {
    bool hasDefault = false, hasBitmap = false;
    TGPColorMatrix defaultMatrix, bitmapMatrix;
};

struct TGPGraphicsPath::Impl {
    std::vector<TGPPointF> points;
    std::vector<std::uint8_t> types;
    TGPFillMode fillMode = FillModeAlternate;
    bool figureOpen = false;  // the next line, arc or curve joins the last point
    // A path of one figure added as an ellipse (radial gradients use it).
    bool isEllipse = false;
    QRectF ellipseRect;

    QPainterPath ToQt() const;
    // Appends the points of a Qt path (its subpaths closed figures when closeAll).
    void Append(const QPainterPath& path, bool closeAll);
    // Adds an open-figure piece: its first point joins the figure (a line), the rest follow with
    // the given type.
    void AddJoined(const QPointF* pts, int count, std::uint8_t type);
    void AddClosed(const QPointF* pts, int count, std::uint8_t type);
    void Changed() { isEllipse = false; }
};

struct TGPRegion::Impl {
    bool infinite = true;
    QPainterPath path;  // world units, when not infinite
};

struct TGPFontFamily::Impl {
    QString family;  // as Qt knows it
};

struct TGPFont::Impl {
    QString family;
    float size = 0;
    int style = 0;
    TGPUnit unit = UnitPoint;
    // The font for a device of this resolution, sized so that its em is emPixels logical units.
    QFont Make(double emPixels, double deviceDpi, bool antialias) const;
    double EmPixels(double dpi) const;  // the em in pixels at a resolution
};

struct TGPFontCollection::Impl {
    bool installed = true;
    std::vector<QString> families;
    std::vector<int> fontIds;  // fonts added to a private collection
    std::vector<QString> Families() const;
};

struct TGPStringFormat::Impl {
    int flags = 0;
    int language = 0;
    bool typographic = false;
};

struct TGPGraphics::Impl {
    HDC dc = nullptr;
    std::unique_ptr<TDeviceContext> ownDC;  // over a bitmap's pixels
    std::shared_ptr<TPixelImage> pixels;    // kept alive with ownDC
    bool alphaTarget = false;               // Clear keeps alpha only on an image with alpha

    TGPSmoothingMode smoothing = SmoothingModeDefault;
    TGPPixelOffsetMode pixelOffset = PixelOffsetModeDefault;
    TGPTextRenderingHint textHint = TextRenderingHintSystemDefault;
    TGPInterpolationMode interpolation = InterpolationModeBilinear;
    TGPUnit pageUnit = UnitDisplay;
    QTransform world;

    bool hasClip = false;
    QPainterPath clip;  // device-context logical units
    bool clipIsRect = false;
    QRectF clipRect;

    double PageScale() const;  // world units after the transform -> pixels
    QTransform ToDC() const;   // world -> device-context logical units
    bool Antialias() const { return smoothing == SmoothingModeHighQuality || smoothing == SmoothingModeAntiAlias; }
    // Pixel centres on whole coordinates (what is drawn at x lands on pixel x's centre).
    bool HalfPixel() const { return pixelOffset != PixelOffsetModeHighQuality && pixelOffset != PixelOffsetModeHalf; }
    QRectF SurfaceBounds() const;  // visible part of the device, logical units
    void CombineClip(const QPainterPath& dcPath, TGPCombineMode mode, const QRectF* rect = nullptr);
};

namespace tvgdiplus {

// Off: lines of round pens are stroked by the painter, not filled as their outlines (tests
// compare the two).
void SetRoundLineOutlines(bool on);

// The painter of a graphics for one call: the device's painter in the device's origin and clip,
// with the graphics' clip, transform and quality on top; everything is undone at the end.
class GraphicsPaint {
public:
    explicit GraphicsPaint(TGPGraphics::Impl& g);
    explicit operator bool() const { return p_ != nullptr; }
    QPainter& operator*() const { return *p_; }
    QPainter* operator->() const { return p_; }
    const QTransform& Full() const { return full_; }  // world -> device pixels
    const QTransform& Base() const { return base_; }  // device-context logical -> device pixels

private:
    std::optional<DCPainterScope> scope_;
    QPainter* p_ = nullptr;
    QTransform full_, base_;
};

// Fills the path with a path gradient Qt cannot draw: every pixel's colour is found along the ray
// from the centre point through it to the outline.
void RasterisePathGradient(const TGPBrush::Impl& brush, QPainter& p, const QPainterPath& path);

// A 96 dots-per-inch device for measuring text.
const QImage& ReferenceDevice();

// The QImage of an image for drawing (metafiles rendered at their size); null when empty.
QImage ImageForDrawing(const TGPImage::Impl& image);
// Plays a metafile's source part (its pixels) into the destination as vectors; false when the
// image is no metafile with a picture.
bool PlayMetafile(const TGPImage::Impl& image, QPainter& p, const QRectF& dst, const QRectF& src);
// The image's colours through the attributes' bitmap matrix.
QImage ApplyColorMatrix(const QImage& image, const TGPColorMatrix& m);
bool AlphaOnly(const TGPColorMatrix& m, float& alphaScale);
const TGPColorMatrix* BitmapMatrix(const TGPImageAttributes* attributes);

}  // namespace tvgdiplus
