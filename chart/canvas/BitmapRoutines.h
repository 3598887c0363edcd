#pragma once
// Bitmap routines of the chart canvas: sizing, resolution, scan-line tables and smooth resampling.
#include <vector>

#include "platform/graphics/DeviceContext.h"
#include "platform/rtl/Types.h"

class TBitmap;

// Sets width and height only when either differs.
void EnsureBitmapSize(TBitmap& bitmap, int width, int height);
// The resolution stored with the bitmap's BMP form: round(dpi * 39.370079) pixels per metre.
void SetBitmapResolution(TBitmap& bitmap, int dotsPerInch);

int QueryDeviceCaps(HDC dc, int index);
int DeviceBitsPerPixel(HDC dc);  // bits per pixel times planes

// The bitmap made 24-bit (B, G, R) or 32-bit (B, G, R, A) and one row address per line, top row
// first. The addresses stay valid until the bitmap is drawn on, resized or converted.
std::vector<Byte*> BitmapScanLines24(TBitmap& bitmap);
std::vector<Byte*> BitmapScanLines32(TBitmap& bitmap);

// Separable smooth resize of the whole source into the whole destination (both made 24-bit):
// Lanczos-3 for best quality, the triangle filter for low quality. Nothing happens when a side of
// either bitmap is 1 or less.
void ResampleBitmapQuality(TBitmap& source, TBitmap& destination, bool lowQuality);
inline void ResampleBitmap(TBitmap& source, TBitmap& destination) { ResampleBitmapQuality(source, destination, false); }
