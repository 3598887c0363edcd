// Arrow series on the recording canvas: arrows without length, axis ranges over both ends, outline
// and fill, head sizes kept by the pointer, and clicks by the shaft and the head edges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/ChartAxis.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/series/ArrowSeries.h"
#include "chart/series/PointSeriesUnits.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/series/PointSeriesFixtures.h"
#include "tests/support/StreamText.h"

namespace {

class ArrowSuite : public BarSuite {};

}  // namespace

TEST_F(ArrowSuite, CoincidingEndsAreNeitherDrawnNorClicked)
{
    TBarChart c;
    TArrowSeries& s = AddPointSeries<TArrowSeries>(c);
    s.AddArrow(3, 3, 3, 3);
    s.AddArrow(5, 5, 8, 8);
    FixAxes(c, 10, 10);
    c.Frame();
    EXPECT_EQ(c.Shapes({"DrawArrowAtZ"}).size(), 1u);
    EXPECT_EQ(s.HitTest(s.PointScreenX(0), s.PointScreenY(0)), -1);
    EXPECT_EQ(s.HitTest(s.PointScreenX(1), s.PointScreenY(1)), 1);
}

TEST_F(ArrowSuite, AxisRangesTakeBothEnds)
{
    struct Case {
        const char* name;
        double x0, y0, x1, y1;
        double lowX, highX, lowY, highY;
    };
    for (const Case& k : {Case{"up right", 1, 2, 5, 9, 1, 5, 2, 9}, Case{"down left", 5, 9, 1, 2, 1, 5, 2, 9},
                          Case{"ends beyond starts", 3, 3, -4, 12, -4, 3, 3, 12}}) {
        SCOPED_TRACE(k.name);
        TBarChart c;
        TArrowSeries& s = AddPointSeries<TArrowSeries>(c);
        s.AddArrow(k.x0, k.y0, k.x1, k.y1);
        s.AddArrow(2, 4, 3, 5);
        EXPECT_DOUBLE_EQ(s.LowestX(), std::min(k.lowX, 2.0));
        EXPECT_DOUBLE_EQ(s.HighestX(), std::max(k.highX, 3.0));
        EXPECT_DOUBLE_EQ(s.LowestY(), std::min(k.lowY, 4.0));
        EXPECT_DOUBLE_EQ(s.HighestY(), std::max(k.highY, 5.0));
    }
}

TEST_F(ArrowSuite, OutlineIn2DFilledWithFill2DOrIn3D)
{
    struct Case {
        bool view3D, fill2D, filled;
    };
    for (const Case& k : {Case{false, false, false}, Case{false, true, true}, Case{true, false, true}}) {
        SCOPED_TRACE(std::to_string(k.view3D) + std::to_string(k.fill2D));
        TBarChart c(k.view3D);
        TArrowSeries& s = AddPointSeries<TArrowSeries>(c);
        s.SetFill2D(k.fill2D);
        s.AddArrow(2, 2, 8, 6, String(), clRed);
        FixAxes(c, 10, 10);
        c.Frame();
        const std::vector<std::string> arrows = c.Shapes({"DrawArrowAtZ"});
        ASSERT_EQ(arrows.size(), 1u);
        EXPECT_TRUE(arrows[0].starts_with(k.filled ? "DrawArrowAtZ(true," : "DrawArrowAtZ(false,")) << arrows[0];
    }
}

TEST_F(ArrowSuite, HeadSizesComeBackThroughThePointer)
{
    RegisterClasses({&TArrowSeries::StaticClass()});
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* s = new TArrowSeries(root.get());
    s->SetName("Arrows");
    s->SetArrowWidth(9);
    s->SetArrowHeight(14);
    s->SetArrowPercent(30);
    TStringStream out;
    WriteComponentToStream(out, s);
    const String text = testsupport::toText(out.DataString());
    EXPECT_EQ(text.find("ArrowWidth"), String::npos) << text;
    EXPECT_EQ(text.find("ArrowHeight"), String::npos) << text;

    auto* back = new TArrowSeries(root.get());
    TStringStream in(out.DataString());
    ReadComponentFromStream(in, back);
    EXPECT_EQ(back->ArrowWidth(), 9);
    EXPECT_EQ(back->ArrowHeight(), 14);
    EXPECT_EQ(back->ArrowPercent(), 30);
    UnRegisterClasses({&TArrowSeries::StaticClass()});
}

TEST_F(ArrowSuite, ClicksByTheShaftAndTheHeadEdgesOnly)
{
    TBarChart c;
    TArrowSeries& s = AddPointSeries<TArrowSeries>(c);
    s.AddArrow(1, 5, 9, 5);  // to the right
    s.SetArrowWidth(40);
    s.SetArrowHeight(40);
    FixAxes(c, 10, 10);
    c.Frame();
    TPoint start, end;
    s.ArrowEndPoints(0, start, end);
    const int midX = (start.X + end.X) / 2;
    struct Case {
        const char* name;
        int x, y, expected;
    };
    for (const Case& k : {Case{"on the shaft", midX, end.Y, 0}, Case{"3 px beside the shaft", midX, end.Y - 3, 0},
                          Case{"8 px beside the shaft", midX, end.Y - 8, -1},
                          // Half the head width is 20 at 40 px back: the edge is at 10 across at 20 back.
                          Case{"by a head edge", end.X - 20, end.Y - 11, 0},
                          Case{"inside the head", end.X - 24, end.Y - 6, -1}}) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(s.HitTest(k.x, k.y), k.expected);
    }
}

TEST_F(ArrowSuite, DefaultsAndRegistration)
{
    TBarChart c;
    TArrowSeries& s = AddPointSeries<TArrowSeries>(c);
    EXPECT_EQ(s.ArrowPercent(), 50);
    EXPECT_FALSE(s.Fill2D());
    EXPECT_FALSE(s.ColorEachPoint());
    EXPECT_TRUE(s.XValues()->DateTime());
    EXPECT_TRUE(s.EndXValues()->DateTime());
    EXPECT_FALSE(s.EndYValues()->DateTime());
    EXPECT_EQ(s.EndXValues()->Name(), "EndX");
    EXPECT_EQ(s.EndYValues()->Name(), "EndY");
    EXPECT_FALSE(s.Pointer()->InflateMargins());
    EXPECT_EQ(EditorFormClassNameOf(TArrowSeries::StaticClass()), "TArrowSeriesEditor");
    std::vector<String> styles;
    s.ListGalleryStyles([&](const String& name) { styles.push_back(name); });
    EXPECT_EQ(styles, (std::vector<String>{"Normal", "Colors", "Marks", "Hollow", "No Border", "Gradient"}));

    StartArrowUnit();
    const TZebSeriesType* type = RegisteredSeriesTypes().FindSeriesType(TArrowSeries::StaticClass());
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->GalleryPageText(), TxtExtended);
    EXPECT_EQ(type->NumGallerySeries, 2);
    StopArrowUnit();
    EXPECT_EQ(RegisteredSeriesTypes().FindSeriesType(TArrowSeries::StaticClass()), nullptr);
}
