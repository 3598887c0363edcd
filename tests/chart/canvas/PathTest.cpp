#include <gtest/gtest.h>

#include "../support/RecordingCanvas.h"
#include "chart/canvas/Corners.h"
#include "chart/canvas/Path.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/graphics/Canvas.h"

namespace {
bool ink(TRecordingCanvas& c, int x, int y) { return c.GetPixelColor(x, y) != clWhite; }
}  // namespace

TEST(Path, ClearBrushOnlyStrokes)
{
    TRecordingCanvas canvas(40, 40);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Pen()->SetColor(clBlack);
    TOwnedPtr<TZebBasePath> path(canvas.StartPath());
    const TPoint square[] = {{5, 5}, {30, 5}, {30, 30}, {5, 30}};
    path->AddPoints(square, 0, true);
    path->DrawWith(canvas);
    EXPECT_TRUE(ink(canvas, 5, 15));
    EXPECT_TRUE(ink(canvas, 30, 15));
    EXPECT_FALSE(ink(canvas, 17, 17));
}

TEST(Path, PictureBrushFillsTheBoundingBoxClippedToThePath)
{
    TRecordingCanvas canvas(40, 40);
    TZebBrush brush;
    TBitmap red(4, 4, pf24bit);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect({0, 0, 4, 4});
    brush.Image()->SetGraphic(&red);
    canvas.UseBrush(brush);
    TZebPen hidden;
    hidden.Hide();
    canvas.UsePen(hidden);

    TOwnedPtr<TZebBasePath> path(canvas.StartPath());
    const TPoint triangle[] = {{0, 0}, {30, 0}, {0, 30}};
    path->AddPoints(triangle, 0, true);
    path->DrawWith(canvas);

    const auto stretched = canvas.Calls("StretchGraphic");
    ASSERT_EQ(stretched.size(), 1u);
    EXPECT_EQ(stretched[0], "StretchGraphic(0,0,30,30)");
    EXPECT_EQ(canvas.GetPixelColor(3, 3), clRed);
    EXPECT_EQ(canvas.GetPixelColor(27, 27), clWhite) << "outside the triangle";
    TRegion clip;
    EXPECT_FALSE(canvas.GetDeviceContext()->GetClipRgn(clip)) << "the clip is given back";

    // With a visible pen the outline follows.
    TRecordingCanvas outlined(40, 40);
    outlined.UseBrush(brush);
    TOwnedPtr<TZebBasePath> again(outlined.StartPath());
    again->AddPoints(triangle, 0, true);
    again->DrawWith(outlined);
    EXPECT_EQ(outlined.GetPixelColor(15, 0), clBlack);
    EXPECT_EQ(outlined.GetPixelColor(15, 15), clBlack);
}

TEST(Path, ArcsFollowTheScreenClockwiseAndJoinTheFigure)
{
    TRecordingCanvas canvas(20, 20);
    TZebPath path(canvas);
    path.MoveToXY(0, 0);
    path.AddLineTo(5, 0);
    path.AddArc(0, 0, 10, 10, 270, 90);  // from the top of the box to its right side
    path.CloseFigure();
    EXPECT_EQ(path.FigureCount(), 1);
    canvas.Brush()->SetStyle(bsClear);
    path.DrawWith(canvas);
    EXPECT_TRUE(ink(canvas, 10, 4));  // near the right end of the quarter
    EXPECT_TRUE(ink(canvas, 5, 0));   // its top end
    EXPECT_FALSE(ink(canvas, 1, 9)) << "the lower left quarter is not drawn";
}

TEST(Path, CornerPathIsOneClosedFigure)
{
    struct Case {
        TZebCornerStyle tl, tr, br, bl;
    };
    const Case cases[] = {{cosRound, cosRound, cosRound, cosRound},
                          {cosNone, cosRound, cosNone, cosBevel},
                          {cosBevel, cosBevel, cosRound, cosNone},
                          {cosNone, cosNone, cosNone, cosNone}};
    for (const Case& c : cases) {
        TRecordingCanvas canvas(60, 60);
        TZebCorners corners;
        corners.LeftTop()->SetStyle(c.tl);
        corners.RightTop()->SetStyle(c.tr);
        corners.RightBottom()->SetStyle(c.br);
        corners.LeftBottom()->SetStyle(c.bl);
        TOwnedPtr<TZebBasePath> path(corners.BuildCornerPath(canvas, {10, 10, 50, 40}, 12, 12));
        EXPECT_EQ(static_cast<TZebPath*>(path.get())->FigureCount(), 1);
    }
}

TEST(Path, RoundCornersMatchRoundRectWithinAPixel)
{
    TRecordingCanvas byPath(60, 60), byDevice(60, 60);
    for (TRecordingCanvas* c : {&byPath, &byDevice}) {
        c->Brush()->SetColor(clBlack);
        TZebPen hidden;
        hidden.Hide();
        c->UsePen(hidden);
    }
    TZebCorners corners;
    byPath.RoundRectCorners({10, 10, 50, 40}, 16, 12, &corners);
    byDevice.GetDeviceContext()->RoundRect(10, 10, 50, 40, 16, 12);

    auto at = [](TRecordingCanvas& c, int x, int y) {
        return x >= 0 && y >= 0 && x < 60 && y < 60 && c.GetPixelColor(x, y) != clWhite;
    };
    int differing = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            if (at(byPath, x, y) == at(byDevice, x, y)) continue;
            ++differing;
            // Only edge pixels may differ: some neighbour of the device's shape has the other value.
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) edge |= at(byDevice, x + dx, y + dy) != at(byDevice, x, y);
            EXPECT_TRUE(edge) << "pixel " << x << "," << y;
        }
    EXPECT_LT(differing, 60);
    EXPECT_TRUE(at(byPath, 30, 25));
    EXPECT_FALSE(at(byPath, 10, 10));
}

TEST(Path, SquareCornersGiveTheRectangle)
{
    TRecordingCanvas canvas(60, 60);
    TZebCorners corners;
    for (TZebCorner* c : {corners.LeftTop(), corners.RightTop(), corners.RightBottom(), corners.LeftBottom()})
        c->SetStyle(cosNone);
    canvas.Brush()->SetColor(clBlack);
    canvas.RoundRectCorners({10, 10, 50, 40}, 100, 100, &corners);  // sizes beyond the rectangle are limited
    EXPECT_TRUE(ink(canvas, 11, 11));
    EXPECT_TRUE(ink(canvas, 48, 38));
    EXPECT_FALSE(ink(canvas, 52, 20));
}
