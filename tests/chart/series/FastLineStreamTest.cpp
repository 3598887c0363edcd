// A fast line with AutoRepaint off on a real buffered canvas: each new point's segment goes into
// the panel's buffer, only its rectangle is invalidated, and the window shows it after the next
// paint, which copies the buffer without drawing the chart again.
#include <gtest/gtest.h>

#include <vector>

#include "chart/canvas/ZebCanvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/EngineStartup.h"
#include "chart/series/FastLineSeries.h"
#include "platform/classes/Published.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"

namespace {
// Records what is invalidated and counts the chart's drawings.
class TStreamPanel : public TCustomAxisPanel {
    TV_CLASS(TStreamPanel, TCustomAxisPanel)
public:
    using TCustomAxisPanel::TCustomAxisPanel;
    std::vector<TRect> Rects;
    int Wholes = 0;
    int Draws = 0;
    void InvalidateRect(const TRect& r) override
    {
        Rects.push_back(r);
        TCustomAxisPanel::InvalidateRect(r);
    }
    void Invalidate() override
    {
        ++Wholes;
        TCustomAxisPanel::Invalidate();
    }
    void DrawChart(const TRect& rect) override
    {
        ++Draws;
        TCustomAxisPanel::DrawChart(rect);
    }
};
}  // namespace

TV_PUBLISHED(TStreamPanel) {}

TEST(FastLineStream, ANewPointDrawsItsSegmentIntoTheBufferAndInvalidatesOnlyItsRectangle)
{
    StartChartEngine();
    for (const char* canvasClass : {"TZebCanvas3D", "TGDIPlusCanvas"}) {
        SCOPED_TRACE(canvasClass);
        TOwnedPtr<TStreamPanel> chart(new TStreamPanel(nullptr));
        chart->SetBounds(0, 0, 400, 300);
        chart->SetView3D(false);
        chart->SetCanvasClassName(canvasClass);
        auto* s = new TFastLineSeries(chart.get());
        s->SetParentChart(chart.get());
        s->SetSeriesColor(clRed);
        s->LinePen()->SetWidth(2);
        for (TChartAxis* axis : {chart->LeftAxis(), chart->BottomAxis()}) {
            axis->SetAutomatic(false);
            axis->SetMinimum(0);
            axis->SetMaximum(10);
        }
        s->AppendValue(2);
        s->AppendValue(3);
        s->SetAutoRepaint(false);
        TBitmap shot;
        testkit::RenderToBitmap(*chart, shot);
        ASSERT_EQ(chart->Draws, 1);
        auto& canvas = dynamic_cast<TZebCanvas3D&>(*chart->Canvas3D());
        ASSERT_TRUE(canvas.GetBuffered());

        chart->Rects.clear();
        chart->Wholes = 0;
        s->AppendValue(8);
        const TChartAxis& h = *chart->BottomAxis();
        const TChartAxis& v = *chart->LeftAxis();
        const int x1 = h.HorizontalValueToPixel(1), y1 = v.VerticalValueToPixel(3), x2 = h.HorizontalValueToPixel(2), y2 = v.VerticalValueToPixel(8);
        const int w = s->LinePen()->Width() + 1;
        EXPECT_EQ(chart->Wholes, 0);
        ASSERT_EQ(chart->Rects.size(), 1u);
        EXPECT_EQ(chart->Rects[0], (TRect{x1 - w, y2 - w, x2 + w, y1 + w}));
        EXPECT_EQ(chart->Draws, 1) << "nothing drawn outside a paint";
        EXPECT_FALSE(canvas.BufferStale());

        testkit::RenderToBitmap(*chart, shot);
        EXPECT_EQ(chart->Draws, 1) << "the paint copies the buffer";
        const TColor middle = testkit::PixelAt(*chart, (x1 + x2) / 2, (y1 + y2) / 2);
        EXPECT_TRUE(GetRValue(middle) > 200 && GetGValue(middle) < 80 && GetBValue(middle) < 80) << std::hex << middle;
    }
    StopChartEngine();
}
