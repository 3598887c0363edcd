#pragma once
// Layer-private: what the EMF and WMF files share: the painter's pens, brushes and fonts as GDI
// objects and back, and the pieces of a picture that the files can only carry as pixels.
#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Colors.h"
#include "platform/graphics/MetafileImage_p.h"
#include "platform/rtl/Types.h"

struct TMfPen {
    int style = 0;  // PS_ style with the type, cap and join bits
    int width = 0;  // 0: one pixel, whatever the scale
    TColorRef color = 0;
    std::vector<std::uint32_t> dashes;  // PS_USERSTYLE: dash, gap, ... in pixels
};

struct TMfBrush {
    int style = 0;  // BS_SOLID, BS_HATCHED
    TColorRef color = 0;
    int hatch = 0;
    bool opaque = false;  // a hatch whose gaps are painted in paper
    TColorRef paper = 0xFFFFFF;
};

struct TMfFont {
    int height = 0;      // < 0: em height in pixels
    int escapement = 0;  // tenths of a degree
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    int quality = 0;
    std::u16string face;
};

inline TColorRef ToColorRef(const QColor& c)
{
    return static_cast<TColorRef>(c.red()) | (static_cast<TColorRef>(c.green()) << 8) |
           (static_cast<TColorRef>(c.blue()) << 16);
}
inline QColor FromColorRef(TColorRef c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// Null when the pen cannot be a GDI pen (translucent, or painted with a pattern or gradient).
std::optional<TMfPen> GdiPen(const QPen& pen);
// Null when the brush cannot be a GDI brush (translucent, gradient, a texture that is no hatch).
std::optional<TMfBrush> GdiBrush(const QBrush& brush);
TMfFont GdiFont(const QFont& font, qreal angle);

// The painter's objects a file's objects stand for. Hatches become the same 8 x 8 patterns the
// device context paints.
QPen QtPen(const TMfPen& pen);
QBrush QtBrush(const TMfBrush& brush);
QFont QtFont(const TMfFont& font);

// A record that the files cannot carry as shapes, drawn into premultiplied pixels over its bounds
// (within the frame). where: the pixels' place in the picture; empty when nothing shows.
QImage RasterPiece(const TMetafileImage& image, const TMetafileRecord& record, QSize frame, QRect& where);
// True when the record's pen or brush asks for a raster piece.
bool NeedsRaster(const TMetafileImage& image, const TMetafileRecord& record);

// Rounded to the integer logical units of the files, saturated to the range of int32.
int ToUnit(qreal v);
// Advances of the text's UTF-16 units in pixels, as the font lays them out.
std::vector<std::uint32_t> TextAdvances(const QFont& font, const QString& text);

// A device-independent bitmap of the image: a BITMAPINFOHEADER (40 bytes, no colour table) and
// bottom-up rows. alpha: 32-bit premultiplied B, G, R, A; otherwise 24-bit over white.
struct TMfDib {
    std::vector<Byte> header;
    std::vector<Byte> bits;
};
TMfDib MakeDib(const QImage& image, bool alpha);
// Reads a DIB (header, optional colour table, bits) of 1, 4, 8, 16, 24 or 32 bits, uncompressed or
// with bit fields; null on anything else or on sizes beyond the data. alpha: 32-bit pixels carry
// premultiplied alpha.
QImage ReadDib(const Byte* info, std::size_t infoSize, const Byte* bits, std::size_t bitsSize, bool alpha);
