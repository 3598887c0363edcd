// Bezier series: the refused point count, and how many curve segments each style draws from a
// number of control points.
#include <gtest/gtest.h>

#include <string>

#include "SeriesTestPanel.h"
#include "chart/core/ChartException.h"
#include "chart/core/SeriesPointer.h"
#include "chart/series/BezierSeries.h"

TEST_F(LineFamily, BezierPointsBelowTwoAreRefused)
{
    TBezierSeries* s = Add<TBezierSeries>({});
    try {
        s->SetNumBezierPoints(1);
        FAIL() << "no exception";
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "Number of Bezier points should be > 1");
    }
    EXPECT_EQ(s->NumBezierPoints(), 32);
    s->SetNumBezierPoints(2);
    EXPECT_EQ(s->NumBezierPoints(), 2);
}

TEST_F(LineFamily, BezierSegmentsPerStyle)
{
    struct Case {
        const char* name;
        TBezierStyle style;
        int points;
        std::vector<int> ends;  // control points the segments end at
    };
    const Case cases[] = {
        {"windows, 3 points: one quadratic", bsWindows, 3, {2}},
        {"windows, 4 points: the same curve", bsWindows, 4, {2}},
        {"windows, 6 points: then a cubic", bsWindows, 6, {2, 5}},
        {"bezier3, 5 points", bsBezier3, 5, {2, 4}},
        {"bezier4, 7 points: two cubics", bsBezier4, 7, {3, 6}},
        {"2 points: no curve", bsWindows, 2, {}},
        {"bezier4, 2 points: no curve", bsBezier4, 2, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TBezierSeries* s = Add<TBezierSeries>({});
        for (int i = 0; i < k.points; ++i) s->AppendValue(1 + (i * 7) % 9);
        s->SetBezierStyle(k.style);
        s->SetNumBezierPoints(8);
        s->Pointer()->SetVisible(true);
        canvas->ClearLog();
        s->DrawVisiblePoints();
        const std::vector<std::string> lines = canvas->Calls("LineTo");
        ASSERT_EQ(lines.size(), 8 * k.ends.size());
        for (size_t j = 0; j < k.ends.size(); ++j) {
            const int e = k.ends[j];
            EXPECT_EQ(lines[8 * j + 7], P("LineTo", s->PointScreenX(e), s->PointScreenY(e)));
        }
        EXPECT_FALSE(canvas->Calls("Rectangle").empty()) << "the pointers";
        delete s;
    }
}
