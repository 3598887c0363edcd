#pragma once
// Picture formats beside BMP: JPEG (libjpeg, read and write), PNG (read and write), GIF and ICO
// (read; saving writes the loaded file back unchanged).
#include <memory>
#include <vector>

#include "platform/graphics/Bitmap.h"

// Holds decoded pixels as a bitmap plus the file's own bytes.
class TRasterImage : public TGraphic {
    TV_CLASS(TRasterImage, TGraphic)
public:
    TRasterImage();
    ~TRasterImage() override;
    void Assign(TPersistent* source) override;

    bool Empty() const override { return bitmap_->Empty(); }
    int Width() const override { return bitmap_->Width(); }
    int Height() const override { return bitmap_->Height(); }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void LoadFromStream(TStream& stream) override;  // reads to the end of the stream
    void SaveToStream(TStream& stream) override;
    void Draw(TCanvas& canvas, const TRect& rect) override;

    // The decoded picture.
    TBitmap* Bitmap() const { return bitmap_.get(); }

protected:
    // Decodes data_ into bitmap_; EInvalidGraphic with the format's message on bad data.
    virtual void decode() = 0;
    // Encodes bitmap_ into data_ (when the data is missing or stale).
    virtual void encode() = 0;
    void assignBitmap(TBitmap* b);

    std::unique_ptr<TBitmap> bitmap_;
    std::vector<Byte> data_;
};

enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGPixelFormat { jf24Bit, jf8Bit };

class TJPEGImage : public TRasterImage {
    TV_CLASS(TJPEGImage, TRasterImage)
public:
    TJPEGImage() = default;

    int CompressionQuality() const { return quality_; }  // 1..100
    void SetCompressionQuality(int q);
    bool Grayscale() const { return grayscale_; }
    void SetGrayscale(bool g);
    TJPEGScale Scale() const { return scale_; }
    void SetScale(TJPEGScale s);
    TJPEGPerformance Performance() const { return performance_; }
    void SetPerformance(TJPEGPerformance p);
    bool ProgressiveEncoding() const { return progressive_; }
    void SetProgressiveEncoding(bool p) { progressive_ = p; }
    TJPEGPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TJPEGPixelFormat f) { pixelFormat_ = f; }
    bool Smoothing() const { return smoothing_; }
    void SetSmoothing(bool s) { smoothing_ = s; }

    // The size of the picture as stored (before Scale).
    int StoredWidth() const { return storedWidth_; }
    int StoredHeight() const { return storedHeight_; }

    void Compress();     // encode the bitmap now with the current settings
    void DIBNeeded() {}  // pixels are decoded on load

protected:
    void decode() override;
    void encode() override;

private:
    int quality_ = 90;
    bool grayscale_ = false;
    TJPEGScale scale_ = jsFullSize;
    TJPEGPerformance performance_ = jpBestQuality;
    bool progressive_ = false;
    TJPEGPixelFormat pixelFormat_ = jf24Bit;
    bool smoothing_ = true;
    int storedWidth_ = 0, storedHeight_ = 0;
};

class TPngImage : public TRasterImage {
    TV_CLASS(TPngImage, TRasterImage)
protected:
    void decode() override;
    void encode() override;
};

class TGIFImage : public TRasterImage {
    TV_CLASS(TGIFImage, TRasterImage)
protected:
    void decode() override;
    void encode() override;
};

class TIcon : public TRasterImage {
    TV_CLASS(TIcon, TRasterImage)
public:
    TIcon() { transparent_ = true; }

protected:
    void decode() override;
    void encode() override;
};
