#include <gtest/gtest.h>

#include <algorithm>

#include "chart/canvas/FilterStartup.h"
#include "chart/canvas/Filters.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsObjects.h"
#include "tests/support/Golden.h"

namespace {

constexpr int Sample = 48;  // side of the test picture
constexpr int Cell = 64;    // side of a gallery cell
constexpr int Columns = 5;

// Colours, edges, a soft ramp and a thin line: something for every filter to change.
void drawSample(TBitmap& b)
{
    TCanvas& c = *b.Canvas();
    for (int x = 0; x < Sample; ++x) {
        c.Pen()->SetColor(RGB(static_cast<Byte>(x * 5), static_cast<Byte>(200 - x * 3), 90));
        c.MoveTo(x, 0);
        c.LineTo(x, 12);
    }
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(RGB(220, 40, 40));
    c.Ellipse(4, 16, 28, 40);
    c.Brush()->SetColor(RGB(40, 60, 200));
    c.Rectangle(24, 24, 44, 44);
    c.Pen()->SetColor(RGB(0, 120, 0));
    c.MoveTo(0, Sample - 1);
    c.LineTo(Sample, 14);
}

}  // namespace

// Each registered filter's gallery sample applied to the same picture, in registration order,
// left to right and top to bottom; results of another size are fitted into their cell.
TEST(FilterGallery, EveryFilterOnTheSamplePicture)
{
    StopFilterUnit();  // the registered names of this program's other test filters go
    StartFilterUnit({});
    const auto& names = FilterClassNames();
    ASSERT_EQ(names.size(), 25u);
    const int rows = (static_cast<int>(names.size()) + Columns - 1) / Columns;
    TBitmap sheet(Columns * Cell, rows * Cell);
    sheet.Canvas()->Brush()->SetColor(RGB(236, 236, 236));
    sheet.Canvas()->FillRect({0, 0, sheet.Width(), sheet.Height()});
    for (std::size_t i = 0; i < names.size(); ++i) {
        TBitmap picture(Sample, Sample);
        drawSample(picture);
        TFilterItems items(nullptr);
        TZebFilter* filter = items.Add(FindClass(names[i]));
        filter->PrepareGallerySample();
        items.ApplyAll(picture);
        const double scale = std::min(
            {1.0, static_cast<double>(Cell - 8) / picture.Width(), static_cast<double>(Cell - 8) / picture.Height()});
        const int w = static_cast<int>(picture.Width() * scale), h = static_cast<int>(picture.Height() * scale);
        const int left = static_cast<int>(i) % Columns * Cell + (Cell - w) / 2;
        const int top = static_cast<int>(i) / Columns * Cell + (Cell - h) / 2;
        sheet.Canvas()->StretchDraw({left, top, left + w, top + h}, &picture);
    }
    testsupport::ExpectMatchesGolden(sheet, TV_SOURCE_DIR "/tests/chart/canvas/golden", "filter-gallery");
}
