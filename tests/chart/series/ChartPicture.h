#pragma once
// A 480 x 300 chart titled with the picture's name, filled by setup, drawn on the named canvas
// class and compared with its golden image in goldenFolder (suffix "_gdiplus" on the antialiased
// canvas).
#include <functional>
#include <string>

#include "chart/canvas/View3DOptions.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/Golden.h"

using TChartSetup = std::function<void(TChart&, TComponent&)>;

inline void ExpectChartPicture(const char* name, bool view3D, const char* canvasClass, const TChartSetup& setup,
                               const char* goldenFolder = TV_SOURCE_DIR "/tests/chart/series/golden")
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* chart = new TChart(root.get());
    chart->SetCanvasClassName(canvasClass);
    chart->SetBounds(0, 0, 480, 300);
    chart->SetColorPaletteIndex(0);
    chart->SetView3D(view3D);
    if (view3D) {
        chart->View3DOptions()->SetOrthogonal(false);
        chart->View3DOptions()->SetRotation(345);
        chart->View3DOptions()->SetElevation(345);
        chart->View3DOptions()->SetPerspective(0);
    }
    chart->Title()->Lines()->Clear();
    chart->Title()->Lines()->Add(name);
    setup(*chart, *root);
    TBitmap picture;
    testkit::RenderToBitmap(*chart, picture);
    const bool gdiPlus = std::string(canvasClass) == "TGDIPlusCanvas";
    testsupport::ExpectMatchesGolden(picture, goldenFolder, String(name) + (gdiPlus ? "_gdiplus" : ""));
}

// The test name suffix of the canvas class.
inline std::string CanvasSuffix(const char* canvasClass)
{
    return std::string(canvasClass) == "TGDIPlusCanvas" ? "_gdiplus" : "";
}
