#include "platform/forms/Clipboard.h"

#include <algorithm>
#include <memory>

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include "platform/forms/Forms_p.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

namespace {

const char* const bmpType = "image/bmp";
const char* const pngType = "image/png";
const char* const emfType = "image/x-emf";
const char* const wmfType = "image/x-wmf";

QClipboard& Board()
{
    tvforms::EnsureApp();
    return *QGuiApplication::clipboard();
}

QByteArray Bytes(TMemoryStream& stream)
{
    return {reinterpret_cast<const char*>(stream.Memory()), static_cast<qsizetype>(stream.Size())};
}

QByteArray PngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Reads bytes into a graphic through its own loader; false when the loader refuses them.
template <class G>
bool LoadBytes(G& graphic, const QByteArray& bytes)
{
    TMemoryStream stream;
    stream.Write(bytes.constData(), bytes.size());
    stream.SetPosition(0);
    G loaded;
    try {
        loaded.LoadFromStream(stream);
    } catch (const Exception&) {
        return false;
    }
    graphic.Assign(&loaded);
    return true;
}

}  // namespace

String TClipboard::AsText() const { return Board().text().toStdString(); }

void TClipboard::SetAsText(const String& text) { Board().setText(QString::fromStdString(text)); }

bool TClipboard::HasText() const
{
    const QMimeData* data = Board().mimeData();
    return data && data->hasText();
}

void TClipboard::Clear() { Board().clear(); }

void TClipboard::SetBitmap(TBitmap& bitmap)
{
    TMemoryStream bmp;
    bitmap.SaveToStream(bmp);
    auto data = std::make_unique<QMimeData>();
    data->setData(bmpType, Bytes(bmp));
    data->setData(pngType, PngBytes(BitmapImage(bitmap)));
    Board().setMimeData(data.release());
}

bool TClipboard::HasBitmap() const
{
    const QMimeData* data = Board().mimeData();
    return data && (data->hasFormat(bmpType) || data->hasFormat(pngType) || data->hasImage());
}

bool TClipboard::GetBitmap(TBitmap& bitmap) const
{
    const QMimeData* data = Board().mimeData();
    if (!data) return false;
    if (data->hasFormat(bmpType) && LoadBytes(bitmap, data->data(bmpType))) return true;
    QImage image;
    if (data->hasFormat(pngType)) image = QImage::fromData(data->data(pngType), "PNG");
    if (image.isNull() && data->hasImage()) image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull()) return false;
    SetBitmapImage(bitmap, image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                         : QImage::Format_RGB32));
    return true;
}

void TClipboard::SetMetafile(TMetafile& metafile)
{
    TMemoryStream file;
    metafile.SaveToStream(file);
    // The rendition on white, as the metafile would show on a page.
    TBitmap rendition(std::max(1, metafile.Width()), std::max(1, metafile.Height()), pf24bit);
    metafile.Draw(*rendition.Canvas(), {0, 0, rendition.Width(), rendition.Height()});
    auto data = std::make_unique<QMimeData>();
    data->setData(metafile.Enhanced() ? emfType : wmfType, Bytes(file));
    data->setData(pngType, PngBytes(BitmapImage(rendition)));
    Board().setMimeData(data.release());
}

bool TClipboard::HasMetafile() const
{
    const QMimeData* data = Board().mimeData();
    return data && (data->hasFormat(emfType) || data->hasFormat(wmfType));
}

bool TClipboard::GetMetafile(TMetafile& metafile) const
{
    const QMimeData* data = Board().mimeData();
    if (!data) return false;
    for (const char* type : {emfType, wmfType})
        if (data->hasFormat(type)) return LoadBytes(metafile, data->data(type));
    return false;
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
