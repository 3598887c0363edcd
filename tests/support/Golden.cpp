#include "Golden.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/graphics/Bitmap.h"

namespace testsupport {
namespace {

QImage ToImage(const TBitmap& bitmap)
{
    const int bytes = bitmap.PixelFormat() == pf32bit ? 4 : 3;
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Byte* row = bitmap.ScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.Width(); ++x) {
            const Byte* p = row + x * bytes;
            out[x] = qRgb(p[2], p[1], p[0]);
        }
    }
    return image;
}

void WriteLook(const QImage& image, const String& name)
{
    const char* dir = std::getenv("TV_LOOK_DIR");
    if (dir && *dir) {
        QDir().mkpath(dir);
        image.save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
    }
}

}  // namespace

void ExpectMatchesGolden(const TBitmap& bitmap, const String& goldenDir, const String& name,
                         const GoldenTolerance& tolerance)
{
    ASSERT_TRUE(bitmap.PixelFormat() == pf24bit || bitmap.PixelFormat() == pf32bit)
        << name << ": golden images compare 24- and 32-bit bitmaps";
    const QImage actual = ToImage(bitmap);
    WriteLook(actual, name);
    const QString path = QString::fromStdString(goldenDir + "/" + name + ".png");
    const char* update = std::getenv("TV_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        QDir().mkpath(QString::fromStdString(goldenDir));
        ASSERT_TRUE(actual.save(path)) << "cannot write " << path.toStdString();
        return;
    }
    QImage golden(path);
    ASSERT_FALSE(golden.isNull()) << "no golden image " << path.toStdString()
                                  << " (TV_UPDATE_GOLDEN=1 writes it)";
    golden = golden.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(golden.size(), actual.size()) << name;
    long differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* g = reinterpret_cast<const QRgb*>(golden.constScanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            const int delta = std::max({std::abs(qRed(a[x]) - qRed(g[x])), std::abs(qGreen(a[x]) - qGreen(g[x])),
                                        std::abs(qBlue(a[x]) - qBlue(g[x]))});
            if (delta > tolerance.ChannelDelta)
                ++differing;
        }
    }
    const double share = double(differing) / std::max(1, actual.width() * actual.height());
    EXPECT_LE(share, tolerance.DifferingShare)
        << name << ": " << differing << " pixels differ from " << path.toStdString()
        << " (set TV_LOOK_DIR to see the picture drawn)";
}

}  // namespace testsupport
