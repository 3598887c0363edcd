#include "chart/canvas/Corners.h"

#include <algorithm>
#include <cstdlib>

#include "chart/canvas/Path.h"
#include "chart/canvas/ZebCanvas.h"

TZebBasePath* TZebCorners::BuildCornerPath(TZebCanvas& canvas, const TRect& rect, int cornerWidth,
                                           int cornerHeight) const
{
    TZebBasePath* path = canvas.CreatePathObject();
    auto even = [](int v) { return std::max(1, (v / 2) * 2); };
    const int w = std::min(even(cornerWidth), std::abs(rect.Right - rect.Left));
    const int h = std::min(even(cornerHeight), std::abs(rect.Bottom - rect.Top));
    const int hw = w / 2, hh = h / 2;
    const float L = static_cast<float>(rect.Left), T = static_cast<float>(rect.Top);
    const float R = static_cast<float>(rect.Right), B = static_cast<float>(rect.Bottom);
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    const TZebCornerStyle tl = leftTop_->Style(), tr = rightTop_->Style();
    const TZebCornerStyle br = rightBottom_->Style(), bl = leftBottom_->Style();

    // Clockwise from the top right; y grows downwards, arcs sweep clockwise.
    if (tr == cosBevel) {
        path->MoveToXY(R - hw, T);
        path->AddLineTo(R, T + hh);
    } else if (tr == cosNone) {
        path->MoveToXY(R, T);
    } else {
        if (tl == cosNone) {
            path->MoveToXY(L, T);
            path->AddLineTo(R - fw, T);
        }
        path->AddArc(R - fw, T, fw, fh, 270, 90);
    }

    if (br != cosRound) {
        if (tr == cosRound) path->MoveToXY(R, T + fh);
        if (br == cosBevel) {
            path->AddLineTo(R, B - hh);
            path->AddLineTo(R - hw, B);
        } else {
            path->AddLineTo(R, B);
        }
    } else {
        if (tr != cosRound) path->AddLineTo(R, B - fh);
        path->AddArc(R - fw, B - fh, fw, fh, 0, 90);
    }

    if (bl != cosRound) {
        if (br == cosRound) path->MoveToXY(R - fw, B);
        if (bl == cosBevel) {
            path->AddLineTo(L + hw, B);
            path->AddLineTo(L, B - hh);
        } else {
            path->AddLineTo(L, B);
        }
    } else {
        if (br != cosRound) path->AddLineTo(L + fw, B);
        path->AddArc(L, B - fh, fw, fh, 90, 90);
    }

    if (tl != cosRound) {
        if (bl == cosRound) path->MoveToXY(L, B - fh);
        if (tl == cosBevel) {
            path->AddLineTo(L, T + hh);
            path->AddLineTo(L + hw, T);
        } else if (tr != cosRound) {
            path->AddLineTo(L, T);
        }
    } else {
        if (bl != cosRound) path->AddLineTo(L, T + fh);
        path->AddArc(L, T, fw, fh, 180, 90);
    }
    path->CloseFigure();
    return path;
}
