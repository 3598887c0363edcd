#pragma once
// TBitmap: device-independent pixel storage with a canvas, scan lines in the platform's B,G,R(,A)
// byte order, and BMP file input/output.
#include <memory>

class QImage;

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Graphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };

class TBitmap : public TGraphic {
    TV_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap() override;
    void Assign(TPersistent* source) override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int w) override;
    void SetHeight(int h) override;
    void SetSize(int w, int h);  // keeps the pixels of the common part; new pixels are white
    TPixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(TPixelFormat f);  // converts the pixels
    TAlphaFormat AlphaFormat() const { return alphaFormat_; }
    void SetAlphaFormat(TAlphaFormat f) { alphaFormat_ = f; }
    bool Monochrome() const { return format_ == pf1bit; }
    void SetMonochrome(bool m);

    // Row y, top row first. pf24bit: B,G,R; pf32bit: B,G,R,A; pf8bit: palette indexes; pf1bit: bits,
    // most significant first; pf15bit/pf16bit: 16-bit words. ERangeError-like EInvalidGraphicOperation
    // "Scan line index out of range" for a bad row.
    Byte* ScanLine(int y);
    const Byte* ScanLine(int y) const;
    int BytesPerScanLine() const;

    TCanvas* Canvas();
    bool HandleAllocated() const;
    void FreeImage() {}
    void Dormant() {}

    TColor TransparentColor() const;  // tmAuto: the bottom-left pixel
    void SetTransparentColor(TColor c);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode m);

    // BMP with its resolution fields (pixels per metre).
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    int XPelsPerMeter() const { return xppm_; }
    int YPelsPerMeter() const { return yppm_; }
    void SetPelsPerMeter(int x, int y)
    {
        xppm_ = x;
        yppm_ = y;
    }

    void Draw(TCanvas& canvas, const TRect& rect) override;

    // The pixel storage shared with the device context (layer-internal).
    TPixelImage& Image() const { return *image_; }
    void ImageChanged();  // after the storage was replaced or written directly

protected:
    // "Data" in a stored description (a bitmap property such as a button's glyph): the BMP
    // file's 32-bit size, then the file.
    void DefineProperties(TFiler& filer) override;

private:
    class TBitmapCanvas;
    friend QImage& BitmapImage(TBitmap&);
    friend void SetBitmapImage(TBitmap&, const QImage&);
    void freeCanvasHandle();
    void syncWork();     // palette formats: indexed pixels -> drawing surface
    void syncIndexed();  // palette formats: drawing surface -> indexed pixels

    std::shared_ptr<TPixelImage> image_;
    std::shared_ptr<TPixelImage> indexedStore_;  // palette formats' own pixels
    bool workIsMaster_ = true;
    TPixelFormat format_ = pfDevice;
    TAlphaFormat alphaFormat_ = afIgnored;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
    int xppm_ = 0, yppm_ = 0;
    std::unique_ptr<TBitmapCanvas> canvas_;
};
