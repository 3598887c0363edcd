// Pictures of the 3-D grid series on both canvases, in 2-D and at two 3-D rotations (the second
// with a side wall in front), compared with golden images that someone has looked at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/canvas/View3DOptions.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/series_ext/grid3d/ColorGridSeries.h"
#include "chart/series_ext/grid3d/ContourSeries.h"
#include "chart/series_ext/grid3d/IsoSurfaceSeries.h"
#include "chart/series_ext/grid3d/SurfaceSeries.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/series_ext/grid3d/Grid3DFixtures.h"
#include "tests/support/Golden.h"

namespace {

class Grid3DPictures : public Grid3DSuite {};

struct View {
    const char* name;
    bool view3D;
    int rotation, elevation;
};

constexpr View Views[] = {{"2d", false, 0, 0}, {"345", true, 345, 340}, {"200", true, 200, 340}};

// One series of the class with its gallery sample (a 10 x 10 grid) and a sub-style, on the
// antialiased canvas (the default) at rotation 345; the plain style on the GDI canvas too and in
// 2-D and at rotation 200 (a side wall in front).
template <class S>
void ExpectGridPicture(const char* name, int style)
{
    for (const char* canvasClass : {"TZebCanvas3D", "TGDIPlusCanvas"})
        for (const View& view : Views) {
            if (style != 0 && (std::string(canvasClass) != "TGDIPlusCanvas" || view.rotation != 345)) continue;
            const std::string picture = std::string(name) + "_" + std::to_string(style) + "_" + view.name +
                                        (std::string(canvasClass) == "TGDIPlusCanvas" ? "_gdiplus" : "");
            SCOPED_TRACE(picture);
            TOwnedPtr<TComponent> root(new TComponent(nullptr));
            auto* chart = new TChart(root.get());
            chart->SetCanvasClassName(canvasClass);
            chart->SetBounds(0, 0, 480, 300);
            chart->SetColorPaletteIndex(0);
            chart->SetView3D(view.view3D);
            chart->View3DOptions()->SetOrthogonal(false);
            chart->View3DOptions()->SetRotation(view.rotation);
            chart->View3DOptions()->SetElevation(view.elevation);
            chart->View3DOptions()->SetPerspective(0);
            chart->Title()->Lines()->Clear();
            chart->Title()->Lines()->Add(picture);
            auto* s = new S(root.get());
            s->SetParentChart(chart);
            s->SampleMode = true;
            s->BuildGrid(10, 10);
            s->ApplyGalleryStyle(style);
            TBitmap bitmap;
            testkit::RenderToBitmap(*chart, bitmap);
            testsupport::ExpectMatchesGolden(bitmap, TV_SOURCE_DIR "/tests/chart/series_ext/grid3d/golden", picture);
        }
}

TEST_F(Grid3DPictures, Surface)
{
    for (const int style : {0, 1, 2, 3, 4, 5}) ExpectGridPicture<TSurfaceSeries>("surface", style);
}

TEST_F(Grid3DPictures, WaterFall)
{
    for (const int style : {0, 1, 2, 6}) ExpectGridPicture<TWaterFallSeries>("waterfall", style);
}

TEST_F(Grid3DPictures, ColorGrid)
{
    for (const int style : {0, 1, 2, 3, 4}) ExpectGridPicture<TColorGridSeries>("colorgrid", style);
}

TEST_F(Grid3DPictures, Contour)
{
    for (const int style : {0, 1, 3, 4, 5}) ExpectGridPicture<TContourSeries>("contour", style);
}

TEST_F(Grid3DPictures, IsoSurface)
{
    for (const int style : {0, 1, 4}) ExpectGridPicture<TIsoSurfaceSeries>("isosurface", style);
}

}  // namespace

// The fast brush colours cells through the device context's brush on the GDI canvas (and is only
// kept on the antialiased one): the picture is the same as through the canvas brush.
TEST_F(Grid3DPictures, FastBrushDrawsTheSamePicture)
{
    for (const char* canvasClass : {"TZebCanvas3D", "TGDIPlusCanvas"}) {
        SCOPED_TRACE(canvasClass);
        std::vector<std::vector<Byte>> pictures;
        for (const bool fast : {false, true}) {
            TOwnedPtr<TComponent> root(new TComponent(nullptr));
            auto* chart = new TChart(root.get());
            chart->SetCanvasClassName(canvasClass);
            chart->SetBounds(0, 0, 240, 160);
            chart->View3DOptions()->SetOrthogonal(false);
            chart->View3DOptions()->SetRotation(345);
            chart->View3DOptions()->SetElevation(340);
            auto* s = new TSurfaceSeries(root.get());
            s->SetParentChart(chart);
            s->SampleMode = true;
            s->BuildGrid(10, 10);
            s->SetFastBrush(fast);
            TBitmap bitmap;
            testkit::RenderToBitmap(*chart, bitmap);
            bitmap.SetPixelFormat(pf32bit);
            std::vector<Byte> pixels;
            for (int y = 0; y < bitmap.Height(); ++y)
                pixels.insert(pixels.end(), bitmap.ScanLine(y), bitmap.ScanLine(y) + 4 * bitmap.Width());
            pictures.push_back(std::move(pixels));
        }
        EXPECT_TRUE(pictures[0] == pictures[1]);
    }
}
