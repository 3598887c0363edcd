// A line series whose points crowd into pixel columns: each column drawn as one walk over its
// first, lowest, highest and last point gives the same pixels as every segment drawn by itself,
// on both canvases, over monotone runs, spikes, zigzags, noise and nulls, with 1 and 2 pixel pens.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <tuple>

#include "SeriesTestPanel.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/LineSeries.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr int Width = 320, Height = 200;

// Small deterministic noise, the same on every machine.
class TNoise {
public:
    explicit TNoise(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    double Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / static_cast<double>(1u << 24);
    }

private:
    std::uint32_t state_;
};

struct DataCase {
    const char* name;
    int count;
    std::function<double(int i, TNoise& noise)> y;
    // Every n-th point is null (0: none).
    int nullEvery = 0;
    TTreatNullsStyle treatNulls = tnDontPaint;
};

const DataCase DataCases[] = {
    {"monotone runs", 3000, [](int i, TNoise&) { return (i % 97) * 1.0; }},
    {"falling runs", 3000, [](int i, TNoise&) { return 100 - (i % 61) * 1.5; }},
    {"spikes", 4000,
     [](int i, TNoise& n) { return 50 + 5 * n.Next() + (i % 53 == 0 ? 45 : 0) - (i % 71 == 0 ? 45 : 0); }},
    {"zigzag", 2001, [](int i, TNoise&) { return i % 2 ? 80.0 : 20.0; }},
    {"noise", 5000, [](int, TNoise& n) { return 100 * n.Next(); }},
    {"few per column", 700, [](int, TNoise& n) { return 100 * n.Next(); }},
    {"nulls not painted", 3000, [](int, TNoise& n) { return 100 * n.Next(); }, 37, tnDontPaint},
    {"nulls skipped", 3000, [](int, TNoise& n) { return 100 * n.Next(); }, 37, tnSkip},
};

// A drawing switch on meanwhile or off, restored after.
class TSwitchRestore {
public:
    TSwitchRestore(bool& flag, bool on) : flag_(flag), saved_(flag) { flag = on; }
    ~TSwitchRestore() { flag_ = saved_; }
    TSwitchRestore(const TSwitchRestore&) = delete;
    TSwitchRestore& operator=(const TSwitchRestore&) = delete;

private:
    bool& flag_;
    bool saved_;
};

class TColumnsRestore : public TSwitchRestore {
public:
    explicit TColumnsRestore(bool on) : TSwitchRestore(ReducePixelColumns, on) {}
};

void Render(const char* canvasClass, const DataCase& c, std::uint32_t seed, int penWidth, bool columns,
            TBitmap& bitmap, bool joined = true)
{
    TOwnedPtr<TLineTestPanel> chart(new TLineTestPanel(nullptr));
    chart->SetBounds(0, 0, Width, Height);
    chart->SetView3D(false);
    chart->SetCanvasClassName(canvasClass);
    auto* s = new TLineSeries(chart.get());
    s->SetParentChart(chart.get());
    s->SetSeriesColor(static_cast<TColor>(0x8000FF));
    s->LinePen()->SetWidth(penWidth);
    s->SetTreatNulls(c.treatNulls);
    TNoise noise(seed);
    for (int i = 0; i < c.count; ++i) {
        s->AppendValue(c.y(i, noise));
        if (c.nullEvery > 0 && i % c.nullEvery == 5) s->SetPointColor(i, clNullPoint);
    }
    TChartAxis& left = *chart->LeftAxis();
    left.SetAutomatic(false);
    left.ApplyRange(-10, 110);
    const TColumnsRestore restore(columns);
    const TSwitchRestore join(JoinLineSegments, joined);
    chart->RenderTo(bitmap.Canvas(), {0, 0, Width, Height});
}

// How far two pictures part: pixels that differ, and the largest difference of a channel.
struct TPictureGap {
    int pixels = 0, channel = 0;
};
TPictureGap Gap(const TBitmap& a, const TBitmap& b)
{
    TPictureGap gap;
    const int bytes = a.BytesPerScanLine();
    for (int y = 0; y < Height; ++y) {
        const Byte* pa = a.ScanLine(y);
        const Byte* pb = b.ScanLine(y);
        for (int x = 0; x < bytes; x += 3) {
            int most = 0;
            for (int k = 0; k < 3; ++k) most = std::max(most, std::abs(pa[x + k] - pb[x + k]));
            gap.pixels += most > 0;
            gap.channel = std::max(gap.channel, most);
        }
    }
    return gap;
}

}  // namespace

TEST_F(LineFamily, AColumnWalkPaintsTheSamePixelsAsEverySegment)
{
    for (const char* canvasClass : {"TZebCanvas3D", "TGDIPlusCanvas"})
        for (const DataCase& c : DataCases)
            for (int pen : {1, 2})
                for (std::uint32_t seed : {1u, 2u, 3u}) {
                    SCOPED_TRACE(::testing::Message() << canvasClass << ", " << c.name << ", pen " << pen << ", seed "
                                                      << seed);
                    TBitmap plain(Width, Height, pf24bit), walked(Width, Height, pf24bit);
                    Render(canvasClass, c, seed, pen, false, plain);
                    Render(canvasClass, c, seed, pen, true, walked);
                    EXPECT_EQ(Gap(plain, walked).pixels, 0);
                }
}

// The walk is taken: 1000 points over 100 columns of rising and falling runs cost at most three
// lines per column and one into each column.
TEST_F(LineFamily, PointsInOnePixelColumnDrawAFewLines)
{
    chart.SetChartRect({100, 20, 200, 320});
    chart.NormalizeChartRect();
    Range(0, 999, 0, 10);
    auto* s = new TLineSeries(&owner);
    s->SetParentChart(&chart);
    for (int i = 0; i < 1000; ++i) s->AppendValue(i % 7);
    Draw(*s);
    EXPECT_LE(canvas->Calls("LineTo").size(), 4u * 101);
    {
        const TColumnsRestore plain(false);
        Draw(*s);
    }
    EXPECT_EQ(canvas->Calls("LineTo").size(), 999u);
}

// The antialiased canvas strokes a wide line drawn segment by segment as one polyline. The shape is
// the same (round ends and joins); only an antialiased edge pixel that segments overlap is blended
// once instead of once per segment. An edge of coverage c blended twice instead of once moves by
// c (1 - c) <= 1/4 of the way to the line colour, three times by at most 0.385: the bounds below.
// Thin lines keep their segments.
TEST_F(LineFamily, JoinedSegmentsDifferOnlyInTheBlendingOfOverlappingEdges)
{
    const DataCase wave{"slow wave", 300, [](int i, TNoise&) { return 50 + 40 * ((i % 120) / 60.0 - 1); }};
    std::vector<const DataCase*> cases{&wave};
    for (const DataCase& c : DataCases) cases.push_back(&c);
    const struct {
        int pen, channel;
    } bounds[] = {{1, 0}, {2, 64}, {3, 98}};
    for (const DataCase* c : cases)
        for (const auto& b : bounds) {
            SCOPED_TRACE(::testing::Message() << c->name << ", pen " << b.pen);
            TBitmap apart(Width, Height, pf24bit), joined(Width, Height, pf24bit);
            Render("TGDIPlusCanvas", *c, 1, b.pen, false, apart, false);
            Render("TGDIPlusCanvas", *c, 1, b.pen, false, joined, true);
            EXPECT_LE(Gap(apart, joined).channel, b.channel);
        }
}
