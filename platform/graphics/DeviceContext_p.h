#pragma once
// Layer-private: the Qt side of the device context. Include only from platform/**/*.cpp.
#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <functional>
#include <memory>
#include <vector>

#include "platform/graphics/DeviceContext.h"

class TBitmap;
class TFont;

// Pixel storage of a bitmap; always in a format QPainter can draw on.
class TPixelImage {
public:
    TPixelImage() = default;
    explicit TPixelImage(QImage img) : image(std::move(img)) {}
    QImage image;
    // Run before the pixels are used (a palette bitmap brings its drawing surface up to date).
    std::function<void()> prepare;
};

struct TRegion::Impl {
    QRegion rgn;
};

// Creates a QGuiApplication when no application object exists yet (fonts need one). The forms
// layer makes its own application before any drawing, so this only matters without windows.
void EnsureGuiApplication();

// A device context over a painter someone else owns and keeps active (a widget's paint event).
// size: the drawable area in device pixels (the widget's size).
std::unique_ptr<TDeviceContext> CreatePainterDC(QPainter& painter, QSize size);
// A device context over a bitmap's storage; it opens its own painter while it lives and shares
// the storage (drawing shows in the bitmap at once).
std::unique_ptr<TDeviceContext> CreateImageDC(std::shared_ptr<TPixelImage> image);

// A context that only answers questions about a device (size, resolution) and draws nothing: a
// printer's before its document starts.
std::unique_ptr<TDeviceContext> CreateInfoDC(QSize size, int dpiX, int dpiY);
// The resolution a context reports (LOGPIXELSX/Y, and the millimetre sizes): a printer's page.
void SetDeviceResolution(TDeviceContext& dc, int dpiX, int dpiY);

// Ends the painter of a bitmap's context before its storage is replaced; the next call opens it
// again on the new storage (the context and its state stay valid).
void SuspendDC(TDeviceContext& dc);

// The image behind a bitmap (synchronised with its scan lines).
QImage& BitmapImage(TBitmap& bitmap);
const QImage& BitmapImage(const TBitmap& bitmap);
// Replaces a bitmap's pixels (format follows the image).
void SetBitmapImage(TBitmap& bitmap, const QImage& image);

// Colours and fonts as Qt sees them. System colours resolve through the desktop palette.
// The painter's raster operation for a GDI binary raster operation (R2_*); others draw over.
QPainter::CompositionMode Rop2CompositionMode(int rop2);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& c);
QFont ToQFont(const TLogFont& font);
QFont ToQFont(const TFont& font);

// The glyphs of one line of plain text (no decorations, no control characters) laid out in a font
// for a device (null: the font's own resolution), positioned from the start of the baseline: kept
// by the device context and the antialiased layer, which draw the same short texts every frame.
// Empty when the text must go through the painter's own text drawing.
QList<QGlyphRun> ShapeLine(const QString& text, const QFont& font, const QPaintDevice* device);

// A rectangle of pixels of one coverage (0..255), relative to some origin.
struct TCoverRect {
    int x, y, width, height;
    int cover;
};
// Blends an opaque colour over rectangles placed at a device origin straight into the rows of the
// context's own bitmap, each pixel as the painter blends an antialiased pixel of that coverage,
// inside the context's clip and the given device rectangle. The antialiased layer draws its axis
// lines so: the painter's set-up and stroker cost far more than the pixels. DCRowShift is false
// when the surface does not allow it (not the context's own unshared 32- or 24-bit bitmap, or a
// mapping other than a shift); otherwise shift is the mapping from the context's logical units to
// device pixels.
bool DCRowShift(TDeviceContext& dc, QPoint& shift);
void DCBlendRects(TDeviceContext& dc, QPoint origin, const std::vector<TCoverRect>& rects, QRgb color,
                  const QRect& clip);

// The painter of a device context, for drawing the context's own calls do not offer (images with
// alpha, the antialiased layer on the same surface). A bitmap's context ends its painter when the
// pixels are replaced (resize, reload); the scope opens it again, so the painter is active, in the
// context's mapping (logical units) and clip, composing source-over. Whatever the caller changes is undone
// when the scope ends. Empty when the context has no surface (an empty bitmap). Take a new scope
// after the bitmap's pixels change: the painter of one held across the change was ended.
class DCPainterScope {
public:
    explicit DCPainterScope(TDeviceContext& dc);
    ~DCPainterScope();
    DCPainterScope(const DCPainterScope&) = delete;
    DCPainterScope& operator=(const DCPainterScope&) = delete;

    explicit operator bool() const { return painter_ != nullptr; }
    QPainter& operator*() const { return *painter_; }
    QPainter* operator->() const { return painter_; }

private:
    TDeviceContext::Impl& dc_;
    QPainter* painter_ = nullptr;
    unsigned opening_ = 0;  // which opening of the painter the saved state belongs to
};
