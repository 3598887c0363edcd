#pragma once
// Layer-private: the picture a metafile holds, as the painter calls that drew it. The recorder
// (MetafileRecorder_p.h) fills it, the EMF and WMF readers build it from a file, the writers turn
// it into records; playing it repeats the calls on any painter. Coordinates are the picture's
// pixels with the painter's transform already applied.
#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <cstdint>
#include <unordered_map>
#include <vector>

struct TMetafileRecord {
    enum Kind : std::uint8_t {
        Polyline,  // points, pen
        Polygon,   // points, pen and brush, fill rule
        Rect,      // rect, pen and brush
        Ellipse,   // rect, pen and brush
        Path,      // path (with its fill rule), pen and brush
        Text,      // text at points[0] (the baseline's left end), font, colour, angle
        Image,     // images[image] part source drawn into rect
        Clip       // clip: region, path, or none (drawing is then clipped to the frame only)
    };
    enum ClipKind : std::uint8_t { NoClip, RegionClip, PathClip };

    Kind kind = Polyline;
    ClipKind clip = NoClip;
    bool antialiased = false;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    std::uint32_t pen = 0;    // index into pens; 0 is no pen
    std::uint32_t brush = 0;  // index into brushes; 0 is no brush
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPolygonF points;
    QRectF rect;
    QPainterPath path;
    QRegion region;
    QString text;
    std::uint32_t font = 0;  // index into fonts
    QColor color;
    qreal angle = 0;  // degrees, counter-clockwise
    std::uint32_t image = 0;
    QRectF source;
};

class TMetafileImage {
public:
    QSize size;  // the frame in pixels
    std::vector<TMetafileRecord> records;
    std::vector<QPen> pens{QPen(Qt::NoPen)};
    std::vector<QBrush> brushes{QBrush(Qt::NoBrush)};
    std::vector<QFont> fonts;
    std::vector<QImage> images;

    // Indexes of equal objects are shared.
    std::uint32_t AddPen(const QPen& pen);
    std::uint32_t AddBrush(const QBrush& brush);
    std::uint32_t AddFont(const QFont& font);
    std::uint32_t AddImage(const QImage& image);

    // Repeats the calls with the frame (0, 0) - frame (the picture's pixels) mapped onto target
    // (painter coordinates; a negative width or height mirrors), clipped to target and to the
    // painter's own clip. The painter's state is kept.
    void Play(QPainter& painter, const QRectF& target, QSize frame) const;

    // The area the records cover in the frame's pixels (pen widths included), unclipped.
    QRectF InkBounds() const;

private:
    std::unordered_multimap<std::size_t, std::uint32_t> penIndex_, brushIndex_, fontIndex_;
    std::unordered_map<qint64, std::uint32_t> imageIndex_;
};

// The area one drawing record covers (pen width included); empty for clip records.
QRectF RecordBounds(const TMetafileImage& image, const TMetafileRecord& record);
// Draws one record (not a clip record) with the painter's current transform and clip.
void PlayRecord(QPainter& painter, const TMetafileImage& image, const TMetafileRecord& record);
