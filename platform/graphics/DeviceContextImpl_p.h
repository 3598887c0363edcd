#pragma once
// The parts of the device context shared by its source files (DeviceContext*.cpp) and by nothing
// else: the rest of the layer reaches the painter through DCPainterScope (DeviceContext_p.h).
#include <QPainterPath>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiConsts.h"

inline QColor rgbColor(TColorRef c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

struct TDeviceContext::Impl {
    // What SaveDC keeps and RestoreDC brings back.
    struct State {
        TLogPen pen;
        TLogBrush brush;
        TLogFont font;
        TColorRef textColor = 0;
        TColorRef bkColor = 0xFFFFFF;
        int bkMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        int fillMode = ALTERNATE;
        int arcDir = AD_COUNTERCLOCKWISE;
        unsigned textAlign = TA_LEFT | TA_TOP;
        int charExtra = 0;
        TPoint brushOrg;
        TPoint vpOrg;
        // The mapping mode: device = (logical - winOrg) * vpExt / winExt + vpOrg (extents 1 x 1
        // outside MM_ANISOTROPIC).
        int mapMode = MM_TEXT;
        TPoint winOrg;
        TSize winExt{1, 1};
        TSize vpExt{1, 1};
        TPoint pos;
        bool hasClip = false;
        QRegion clip;  // device units
    };

    QPainter* painter = nullptr;
    std::unique_ptr<QPainter> ownPainter;
    std::shared_ptr<TPixelImage> image;  // image DCs
    QSize size;
    int dpiX = 96, dpiY = 96;  // the device's resolution (a printer's page)
    QTransform base;           // the painter's transform when the DC was made
    bool metafile = false;     // a recording device: lines stay lines rather than pixel runs

    State s;
    std::vector<State> saved;

    bool inPath = false;
    bool pathReady = false;
    QPainterPath path;  // device units
    // SaveDC keeps the path too (an open bracket with its figures, or a finished path).
    struct PathState {
        bool inPath = false;
        bool pathReady = false;
        QPainterPath path;
    };
    std::vector<PathState> savedPaths;

    bool fontValid = false;
    QFont qfont;
    // The last fonts made: texts often switch between two or three (a rotated label and the
    // plain one), and making a font costs more than drawing a short text.
    // Text extents measured in one made font: axis labels and legends measure the same short
    // texts many times a frame, and shaping a text costs as much as drawing it.
    // Drawing keeps the shaped glyphs too (positions on the baseline at 0), for the same reason.
    struct Extents {
        int height = -1, ascent = -1;
        std::unordered_map<std::string, int> widths;
        std::unordered_map<std::string, QList<QGlyphRun>> glyphs;
    };
    struct MadeFont {
        TLogFont font;
        int charExtra = 0;
        QFont qfont;
        std::shared_ptr<Extents> extents = std::make_shared<Extents>();
    };
    std::vector<MadeFont> madeFonts;
    std::shared_ptr<Extents> extents;  // of the current font, valid with fontValid

    // A bitmap's surface can be replaced (resized, reloaded): the painter is ended then and opened
    // again on the next call, so the context itself stays valid for its holders.
    QSize sz() const { return image ? image->image.size() : size; }
    // Painter scopes save the painter's state; ending the painter drops the saved states of the
    // scopes still open, and those scopes must not restore on the next opening.
    unsigned openings = 0;  // begin() calls of the own painter
    int scopeSaves = 0;     // states saved by the scopes open on this opening
    bool ensure();
    void suspend();

    // ---------- painter state ----------
    void applyTransform();
    // The clip stays where it is in device units; only the transform follows a new mapping.
    void mappingChanged()
    {
        if (painter && painter->isActive()) applyTransform();
    }
    void applyClip();
    void applyAll();
    QRegion surface() const { return QRegion(0, 0, sz().width(), sz().height()); }
    QRegion effectiveClip() const { return s.hasClip ? s.clip : surface(); }
    // ---------- mapping: where logical coordinates enter ----------
    bool scaled() const { return !(s.winExt == s.vpExt); }
    QTransform mapping() const;  // logical to device (the painter adds base)
    QPoint toDevice(int x, int y) const;
    QPointF toDeviceF(qreal x, qreal y) const { return mapping().map(QPointF(x, y)); }
    QRectF toDeviceF(const QRectF& r) const { return mapping().mapRect(r); }
    QPainterPath toDevice(const QPainterPath& p) const { return mapping().map(p); }
    // A logical rectangle (x, y, w, h) as the device rectangle it covers, normalised.
    QRect toDeviceRect(int x, int y, int w, int h) const;
    QPoint toLogical(QPoint device) const;
    // The device region a logical rectangle (right and bottom excluded) covers.
    TRegion toDeviceRegion(int l, int t, int r, int b) const
    {
        const QPoint a = toDevice(l, t), c = toDevice(r, b);
        return TRegion::FromRect(
            {std::min(a.x(), c.x()), std::min(a.y(), c.y()), std::max(a.x(), c.x()), std::max(a.y(), c.y())});
    }
    // Draws in device units for its scope (regions); the brush origin follows.
    struct DeviceUnits {
        explicit DeviceUnits(Impl& impl) : I(impl)
        {
            I.painter->setWorldTransform(I.base);
            I.setBrushOrigin();
        }
        ~DeviceUnits() { I.applyTransform(); }
        DeviceUnits(const DeviceUnits&) = delete;
        DeviceUnits& operator=(const DeviceUnits&) = delete;
        Impl& I;
    };

    // ---------- pens and brushes ----------
    bool penVisible() const { return (s.pen.Style & PS_STYLE_MASK) != PS_NULL && s.rop2 != R2_NOP; }
    bool brushVisible() const { return s.brush.Style != BS_NULL && s.rop2 != R2_NOP; }
    int penWidth() const { return std::max(1, s.pen.Width); }
    // Pixel runs for one-pixel lines; a scaled mapping strokes them (a width-1 pen scales with it).
    bool thinSolidPen() const
    {
        int st = s.pen.Style & PS_STYLE_MASK;
        return penWidth() == 1 && (st == PS_SOLID || st == PS_INSIDEFRAME) && !scaled() && !metafile;
    }
    QColor penColor() const { return rgbColor(ColorToRGB(s.pen.Color)); }

    QPen makePen(bool forBackground = false) const;
    qreal dashOffset = 0;  // where the dash pattern of the next stroke starts, in pen widths
    bool penDashed() const
    {
        int st = s.pen.Style & PS_STYLE_MASK;
        return st != PS_SOLID && st != PS_INSIDEFRAME && st != PS_NULL;
    }

    // opaque: the gaps of a hatch take the background colour.
    QBrush makeBrush(const TLogBrush& b, bool opaque = false) const;
    // The brush origin is in device units: brought into whatever transform the painter has now.
    void setBrushOrigin()
    {
        painter->setBrushOrigin((base * painter->worldTransform().inverted()).map(QPointF(s.brushOrg.X, s.brushOrg.Y)));
    }
    void begin(int rop2);

    // Fills whatever draw() paints with the given brush (hatches get the background colour first
    // in opaque mode).
    template <class F>
    void fillWith(const TLogBrush& b, F draw)
    {
        if (b.Style == BS_NULL || s.rop2 == R2_NOP) return;
        begin(s.rop2);
        painter->setPen(Qt::NoPen);
        setBrushOrigin();
        painter->setBrush(makeBrush(b, s.bkMode == OPAQUE));
        draw();
    }
    template <class F>
    void fill(F draw)
    {
        fillWith(s.brush, draw);
    }

    // Strokes with the current pen (dashes get the background colour first in opaque mode).
    template <class F>
    void stroke(F draw)
    {
        if (!penVisible()) return;
        begin(s.rop2);
        painter->setBrush(Qt::NoBrush);
        if (penDashed() && s.bkMode == OPAQUE && (s.pen.Style & PS_STYLE_MASK) != PS_ALTERNATE) {
            painter->setPen(makePen(true));
            draw();
        }
        painter->setPen(makePen());
        draw();
    }

    // Curved shapes drawn by the painter with a one-pixel or inside-frame pen are held to their
    // box (the painter's rounding can spill a pixel, and tiny boxes leave no room for the pen).
    struct BoxClip {
        BoxClip(Impl& impl, const QRect& box, bool active) : painter(active ? impl.painter : nullptr)
        {
            if (!painter) return;
            painter->save();
            painter->setClipRect(box, Qt::IntersectClip);
        }
        ~BoxClip()
        {
            if (painter) painter->restore();
        }
        BoxClip(const BoxClip&) = delete;
        BoxClip& operator=(const BoxClip&) = delete;
        QPainter* painter;
    };
    bool penInsideBox() const { return penWidth() == 1 || (s.pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME; }

    // ---------- one-pixel solid lines ----------
    std::vector<QRect> runs;
    void addLine(int x0, int y0, int x1, int y1);  // end pixel excluded
    void flushRuns(QColor color);
    // Draws a polyline (closed when asked) with the current pen, end pixel of every segment
    // excluded.
    void polyline(const QPoint* pts, int n, bool closed);
    // One line of a solid wide pen with round caps, as the pixel runs of its capsule: every pixel
    // whose centre lies within half the pen width of the segment (odd widths centred on the
    // pixel, even ones on its corner, as GDI's pens cover x - w/2 .. x - w/2 + w - 1).
    void capsule(int x0, int y0, int x1, int y1);
    std::unordered_map<std::uint64_t, std::vector<QRect>> capsules;  // runs of a step by pen width and step
    // Wide pens: long lines are stroked in runs, since the painter's cost for one long path grows
    // much faster than its length. False when the line must go as one path.
    bool strokeInRuns(const QPoint* pts, int n, bool closed);

    // ---------- text ----------
    const QFont& font();
    // The shaped glyphs of a single-line text in the current font, kept per made font; null when
    // the text must go through the painter's own text drawing (decorations, tabs, line breaks,
    // engines other than the raster one).
    const QList<QGlyphRun>* glyphRuns(const std::string& text);

    // ---------- pixel access ----------
    // The image under the surface and where the DC's device (0,0) lies in it; null when the
    // surface cannot be read (a non-raster paint device).
    QImage* backing(QPoint& offset) const;
    // A solid fill of a device rectangle written straight into the rows of the context's own
    // bitmap, inside the clip: gradients fill hundreds of one-pixel bands, and the painter's set-up
    // per call costs more than such a band. False when the surface does not allow it.
    bool fillSolid(const QRect& dev, TColorRef color);
    // Whether pixels may be written straight into the rows of the context's own bitmap.
    bool rowsWritable() const;
    // The pending one-pixel line runs written the same way (a copying pen only): axes draw dozens
    // of ticks and grid lines a frame, and the painter's set-up per call costs more than a tick.
    // False, with the runs kept, when the surface does not allow it.
    bool fillRuns(QColor color);
    // Device rectangle of the surface as a 32-bit copy (white where unreadable).
    QImage readDevice(const QRect& r) const;
    // Writes a 32-bit image at a device position through the painter (clip applies).
    void writeDevice(const QPoint& at, const QImage& img,
                     QPainter::CompositionMode mode = QPainter::CompositionMode_Source);
    // A source copy straight into this bitmap's rows; false when only the painter can do it.
    bool copyRows(const QRect& dstDev, const Impl& src, const QRect& srcDev);
    QImage patternImage(const QRect& devRect) const;
    // dst (device) = rop(P, S, D); S is given in dst's size (or null).
    void ropBlt(const QRect& dstDev, const QImage* src, TRop rop);
    // Source pixels of a DC (device rectangle) as a 32-bit image.
    QImage sourceImage(const QRect& r) const { return readDevice(r); }

    // ---------- paths ----------
    bool recording() const { return inPath; }
    // Continues the figure from the current position (a new figure starts there unless the path
    // ends at it).
    void pathFrom(int x0, int y0);
    void pathLine(int x0, int y0, int x1, int y1);
    // An arc that continues the figure: a line from the current position to its start, then the
    // arc (box in logical units, angles in degrees counter-clockwise); end becomes the current
    // position.
    void pathArc(const QRectF& box, double start, double span, TPoint end);
};

// Drawing calls on a bitmap's context first open its painter (a no-op while it is open).
#define DC_ACTIVE(ret) \
    if (!impl_->ensure()) return ret
