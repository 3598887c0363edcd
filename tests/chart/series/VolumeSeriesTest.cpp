// Volume series on the recording canvas: where the lines start, the blend a translucent pen opens,
// the hit test along a line and the sample volumes.
#include <cstdio>

#include "BlendCanvas.h"
#include "SeriesTestPanel.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/VolumeSeries.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TBlendCanvas) {}

namespace {

// The vertical lines drawn, as (x, from, to).
std::vector<std::array<int, 3>> Lines(const TRecordingCanvas& canvas)
{
    std::vector<std::array<int, 3>> out;
    const auto& log = canvas.Log();
    for (size_t i = 0; i + 1 < log.size(); ++i) {
        int x0, y0, x1, y1;
        if (std::sscanf(log[i].c_str(), "MoveTo(%d,%d)", &x0, &y0) == 2 &&
            std::sscanf(log[i + 1].c_str(), "LineTo(%d,%d)", &x1, &y1) == 2 && x0 == x1)
            out.push_back({x0, y0, y1});
    }
    return out;
}


TEST_F(LineFamily, VolumeLinesStartAtTheBaseLine)
{
    struct Case {
        const char* name;
        bool useOrigin, inverted;
    };
    for (const Case& k : {Case{"axis end", false, false}, Case{"origin above the value", true, false},
                          Case{"inverted axis", false, true}}) {
        SCOPED_TRACE(k.name);
        auto* s = Add<TVolumeSeries>({2, 4});
        s->SetYOrigin(6);
        s->SetUseYOrigin(k.useOrigin);
        chart.LeftAxis()->SetInverted(k.inverted);
        Range(0, 10, 0, 10);
        Draw(*s);
        const int base = k.useOrigin ? Y(6) : k.inverted ? chart.LeftAxis()->StartPixel() : chart.LeftAxis()->EndPixel();
        const auto lines = Lines(*canvas);
        ASSERT_EQ(lines.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(lines[i][0], X(i));
            EXPECT_EQ(lines[i][1], base);
            EXPECT_EQ(lines[i][2], Y(i == 0 ? 2 : 4));
        }
        // Below the origin the line runs down from it.
        if (k.useOrigin) {
            EXPECT_GT(lines[0][2], lines[0][1]);
        }
        if (k.inverted) {
            EXPECT_EQ(base, 20);
        }
        s->Free();
        chart.LeftAxis()->SetInverted(false);
    }
}

TEST_F(LineFamily, VolumeBlendTakesThePenAlphaOrTheTransparency)
{
    auto* blendCanvas = new TBlendCanvas(500, 400);
    chart.ReplaceCanvas(blendCanvas);
    canvas = blendCanvas;
    struct Case {
        const char* name;
        Byte alpha;
        int transparency;
        const char* blend;
    };
    for (const Case& k : {Case{"opaque", 0, 0, nullptr}, Case{"pen alpha 128", 128, 0, "Blend(50)"},
                          Case{"transparency larger", 128, 70, "Blend(70)"}}) {
        SCOPED_TRACE(k.name);
        auto* s = Add<TVolumeSeries>({2, 4});
        s->Pen()->SetColor(TZebCanvas::ColorWithAlpha(clRed, k.alpha));
        s->SetTransparency(k.transparency);
        Draw(*s);
        const auto blends = canvas->Calls("Blend");
        if (!k.blend) {
            EXPECT_TRUE(blends.empty());
        } else {
            ASSERT_EQ(blends.size(), 1u);
            EXPECT_EQ(blends[0], k.blend);
        }
        s->Free();
    }
}

TEST_F(LineFamily, VolumeHitTestFollowsTheLineWithinThePenWidth)
{
    auto* s = Add<TVolumeSeries>({2, 4, 6});
    s->Pen()->SetWidth(3);
    Draw(*s);
    const int base = chart.LeftAxis()->EndPixel();
    EXPECT_EQ(s->HitTest(X(1), (Y(4) + base) / 2), 1);
    EXPECT_EQ(s->HitTest(X(1) + 2, (Y(4) + base) / 2), 1);
    EXPECT_EQ(s->HitTest(X(1) + 4, (Y(4) + base) / 2), -1);
    EXPECT_EQ(s->HitTest(X(1), Y(4) - 5), -1);
    EXPECT_EQ(s->HitTest(X(2), base), 2);
}

TEST_F(LineFamily, VolumeSamplesStayBelowAFifteenthOfTheSpan)
{
    auto* s = Add<TVolumeSeries>({});
    const double span = s->ComputeSampleRanges(40).spanY;
    s->FillWithSamples();
    ASSERT_EQ(s->Count(), 40);
    for (int i = 0; i < s->Count(); ++i) EXPECT_LT(s->YValues()->ValueAt(i), span / 15);
}

}  // namespace
