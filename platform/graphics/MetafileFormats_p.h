#pragma once
// Layer-private: metafile pictures to and from their files. EMF keeps the picture's pixels as its
// logical units on a 96 dpi reference device, with the frame in 0.01 mm; WMF keeps them as its
// logical units behind a placeable header of 96 units per inch.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/MetafileImage_p.h"
#include "platform/rtl/Types.h"

struct TMetafileFile {
    std::shared_ptr<TMetafileImage> image;
    int width = 0, height = 0;      // pixels at 96 dpi
    int mmWidth = 0, mmHeight = 0;  // 0.01 mm
};

inline constexpr int kMetafileDpi = 96;
inline int PixelsToHundredthsMM(int px) { return static_cast<int>((px * 2540LL + kMetafileDpi / 2) / kMetafileDpi); }
inline int HundredthsMMToPixels(int mm) { return static_cast<int>((mm * 96LL + 1270) / 2540); }

// frame: the picture's frame in pixels; mm: the same in 0.01 mm.
std::vector<Byte> WriteEmf(const TMetafileImage& image, QSize frame, QSize mm);
std::vector<Byte> WriteWmf(const TMetafileImage& image, QSize frame);

// Both raise EInvalidGraphic for a file that is cut short or corrupt.
bool LooksLikeEmf(const Byte* data, std::size_t size);
bool LooksLikeWmf(const Byte* data, std::size_t size);
TMetafileFile ReadEmf(const Byte* data, std::size_t size);
TMetafileFile ReadWmf(const Byte* data, std::size_t size);
