#pragma once
// Images of the antialiased layer: bitmaps with alpha, metafiles (vector pictures replayed when
// drawn), and image attributes (a colour matrix applied when an image is drawn).
#include <memory>

#include "platform/graphics/Colors.h"
#include "platform/graphics/GPBase.h"

class TBitmap;
class TMetafile;

class TGPImage : public TGdiplusBase {
public:
    ~TGPImage() override;
    TGPImageType GetType() const;
    unsigned GetWidth() const;
    unsigned GetHeight() const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

protected:
    explicit TGPImage(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class TGPBitmap : public TGPImage {
public:
    // A copy of the bitmap's pixels, opaque (the bitmap's alpha bytes are not read).
    explicit TGPBitmap(const TBitmap& bitmap);
    // A copy in which every pixel of the transparent colour is fully transparent (0x00FFFFFF) and
    // every other pixel opaque.
    TGPBitmap(const TBitmap& bitmap, TColor transparentColor);
    // A new bitmap, every pixel 0 (transparent black). Formats: PixelFormat24bppRGB,
    // PixelFormat32bppRGB, PixelFormat32bppARGB, PixelFormat32bppPARGB; others InvalidParameter.
    TGPBitmap(int width, int height, TGPPixelFormat format = PixelFormat32bppARGB);
    TGPPixelFormat GetPixelFormat() const;
    TGPStatus GetPixel(int x, int y, TGPColor& color) const;
    TGPStatus SetPixel(int x, int y, TGPColor color);
};

// Plays a metafile; the metafile is shared with its owner, not copied.
class TGPMetafile : public TGPImage {
public:
    explicit TGPMetafile(const TMetafile& metafile);
};

class TGPImageAttributes : public TGdiplusBase {
public:
    TGPImageAttributes();
    ~TGPImageAttributes() override;
    std::unique_ptr<TGPImageAttributes> Clone() const;
    TGPStatus SetColorMatrix(const TGPColorMatrix& matrix, TGPColorMatrixFlags flags = ColorMatrixFlagsDefault,
                             TGPColorAdjustType type = ColorAdjustTypeDefault);
    TGPStatus ClearColorMatrix(TGPColorAdjustType type = ColorAdjustTypeDefault);
    // The matrix that applies to images drawn with these attributes; false when none is set.
    bool GetColorMatrix(TGPColorMatrix& matrix) const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

private:
    std::unique_ptr<Impl> impl_;
};

// Attributes that scale an image's alpha by alpha / 255 (the identity matrix with [3][3] set).
std::unique_ptr<TGPImageAttributes> AlphaImageAttributes(int alpha);
