#pragma once
// Small-image helpers for the drawing tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GdiConsts.h"

// A white bitmap of the given size and its device context.
struct Surface {
    explicit Surface(int w, int h, TPixelFormat f = pf32bit) : bmp(std::make_unique<TBitmap>(w, h, f))
    {
        dc = bmp->Canvas()->Handle();
        Clear(clWhite);
    }
    void Clear(TColor c) { dc->FillRect({0, 0, bmp->Width(), bmp->Height()}, c); }
    // The surface pixel at device (x, y), whatever clip and mapping are selected.
    TColorRef At(int x, int y) const
    {
        dc->SaveDC();
        dc->SelectClipRgn(nullptr);
        dc->SetMapMode(MM_TEXT);
        dc->SetViewportOrg({0, 0});
        dc->SetWindowOrg({0, 0});
        TColorRef c = dc->GetPixel(x, y);
        dc->RestoreDC(-1);
        return c;
    }
    bool Is(int x, int y, TColor c) const { return At(x, y) == ColorToRGB(c); }
    // Rows of '#' (not white) and '.' (white), for readable failure messages.
    std::string Dump() const
    {
        std::string s;
        for (int y = 0; y < bmp->Height(); ++y) {
            for (int x = 0; x < bmp->Width(); ++x) s += At(x, y) == 0xFFFFFF ? '.' : '#';
            s += '\n';
        }
        return s;
    }
    int Count(TColor c) const
    {
        int n = 0;
        for (int y = 0; y < bmp->Height(); ++y)
            for (int x = 0; x < bmp->Width(); ++x) n += At(x, y) == ColorToRGB(c);
        return n;
    }
    // Bounding box of the pixels that are not white (empty when none).
    TRect Ink() const
    {
        TRect r{bmp->Width(), bmp->Height(), 0, 0};
        for (int y = 0; y < bmp->Height(); ++y)
            for (int x = 0; x < bmp->Width(); ++x)
                if (At(x, y) != 0xFFFFFF) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return r.IsEmpty() ? TRect{} : r;
    }
    std::unique_ptr<TBitmap> bmp;
    HDC dc;
};

inline TLogPen SolidPen(TColor c, int w = 1) { return TLogPen{PS_SOLID, w, c, {}}; }
inline TLogBrush SolidBrush(TColor c) { return TLogBrush{BS_SOLID, c, 0, nullptr}; }
inline TLogBrush NullBrush() { return TLogBrush{BS_NULL, clWhite, 0, nullptr}; }
