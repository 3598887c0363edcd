#include <gtest/gtest.h>

#include "../support/RecordingCanvas.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"

namespace {
std::vector<double> offsets(TCustomZebGradient& g)
{
    std::vector<double> out;
    for (int i = 0; i < g.Colors()->Count(); ++i) out.push_back(g.Colors()->Items(i)->Offset());
    return out;
}
}  // namespace

TEST(Gradient, StopsAreMadeOnFirstRead)
{
    TZebGradient g;
    EXPECT_FALSE(g.HasColors());
    EXPECT_EQ(g.StartColor(), clWhite);
    EXPECT_EQ(g.EndColor(), clYellow);
    EXPECT_EQ(g.MidColor(), clNone);
    EXPECT_EQ(offsets(g), (std::vector<double>{0, 1}));
    g.Colors()->Clear();
    EXPECT_EQ(g.StartColor(), clNone);
    g.SetEndColor(clRed);  // an emptied list gets its end stop back
    EXPECT_EQ(g.EndColor(), clRed);
}

TEST(Gradient, InsertColorKeepsTheStopsInOrder)
{
    TZebGradient g;
    TZebGradientColors& c = *g.Colors();
    c.InsertColor(clRed, 0, 1.5);  // clamped to 1, after the stop already at 1
    EXPECT_EQ(c.Items(2)->Offset(), 1);
    EXPECT_EQ(c.Items(2)->Color(), clRed);
    c.InsertColor(clBlue, 0, 0.5);
    EXPECT_EQ(c.Items(1)->Color(), clBlue);
    c.InsertColor(clLime, 10, 0.5);
    EXPECT_EQ(c.Items(2)->Color(), clLime);
    c.InsertColor(clNavy, 0, -3);
    EXPECT_EQ(offsets(g), (std::vector<double>{0, 0, 0.5, 0.5, 1, 1}));
    EXPECT_EQ(c.Items(1)->Color(), clNavy);
}

TEST(Gradient, MiddleColourComesAndGoes)
{
    int changes = 0;
    TZebGradient g([&](TObject*) { ++changes; });
    g.SetMidColor(clRed);
    EXPECT_EQ(offsets(g), (std::vector<double>{0, 0.5, 1}));
    EXPECT_EQ(g.MidColor(), clRed);
    EXPECT_TRUE(g.IsMidColorStored());
    EXPECT_FALSE(g.IsColorsStored()) << "three stops at 0, 0.5, 1 are a default shape";
    EXPECT_EQ(changes, 1);
    g.SetMidColor(clRed);
    EXPECT_EQ(changes, 1);

    g.SetMidColor(clNone);
    EXPECT_EQ(offsets(g), (std::vector<double>{0, 1}));
    EXPECT_FALSE(g.IsMidColorStored());
    g.RestoreMidColor();
    EXPECT_EQ(g.MidColor(), clRed);

    g.Colors()->Items(1)->SetOffset(0.4);
    EXPECT_TRUE(g.IsColorsStored());
}

TEST(Gradient, EndColourCanLeadTheStart)
{
    TZebGradient g;
    g.SetStartFollowsEnd(true);
    g.SetEndColor(clRed);
    EXPECT_EQ(g.StartColor(), clRed);
}

TEST(Gradient, RadialEllipsesStepInward)
{
    TRecordingCanvas canvas;
    TZebGradient g;
    g.SetDirection(gdRadial);
    g.DrawRadialEllipses(canvas, {0, 0, 10, 11});
    const auto ellipses = canvas.Calls("Ellipse");
    // 11 steps make the fraction 1/11; the odd height drops one step: n = 10 .. 0.
    ASSERT_EQ(ellipses.size(), 11u);
    EXPECT_EQ(ellipses.front(), "Ellipse(1,2,11,12) brush=17FFFF");
    EXPECT_EQ(ellipses.back(), "Ellipse(6,6,6,6) brush=FFFFFF");
    EXPECT_EQ(canvas.Calls("FillRectangle"), std::vector<std::string>{"FillRectangle(0,0,10,11) brush=00FFFF"});
    EXPECT_EQ(canvas.Log().front(), "ClipToRect(0,0,10,11)");
    EXPECT_EQ(canvas.Log().back(), "RemoveClip()");
    EXPECT_EQ(canvas.Pen()->Style(), psSolid);
}

TEST(Gradient, BalanceBendsTheRamp)
{
    // Balance 0: step n takes ((n + 1) / (a + 1)) ^ 0.5 of the difference; 50: n / a of it.
    TRecordingCanvas canvas;
    TZebGradient g;
    g.SetBalance(0);
    g.DrawRadialEllipses(canvas, {0, 0, 10, 10});
    auto ellipses = canvas.Calls("Ellipse");
    ASSERT_EQ(ellipses.size(), 11u);
    EXPECT_EQ(ellipses.front().substr(ellipses.front().size() - 6), "00FFFF");  // n = a: the end colour
    EXPECT_EQ(ellipses.back().substr(ellipses.back().size() - 6), "B2FFFF");    // 255 - round(255 * sqrt(1/11))

    TRecordingCanvas linear;
    g.SetBalance(50);
    g.DrawRadialEllipses(linear, {0, 0, 10, 10});
    ellipses = linear.Calls("Ellipse");
    EXPECT_EQ(ellipses.back().substr(ellipses.back().size() - 6), "FFFFFF");
}

TEST(Gradient, DrawFillsThroughTheCanvasBrush)
{
    TRecordingCanvas canvas;
    TZebGradient g;
    g.SetVisible(true);
    g.SetEndColor(clRed);
    g.Draw(canvas, {0, 0, 20, 20});
    EXPECT_EQ(canvas.Calls("FillRectangle").size(), 1u);
    EXPECT_TRUE(canvas.HasBrushGradient());
    EXPECT_EQ(canvas.GetBrushGradient()->EndColor(), clRed);

    canvas.ClearLog();
    g.Draw(canvas, {0, 0, 20, 20}, 4);
    EXPECT_EQ(canvas.Calls("RoundRect").size(), 1u);

    canvas.ClearLog();
    g.SubGradient()->SetVisible(true);
    g.SubGradient()->SetDirection(gdRadial);
    g.Draw(canvas, {0, 0, 20, 20});
    EXPECT_EQ(canvas.Calls("FillRectangle").size(), 2u) << canvas.LogText();
    EXPECT_FALSE(canvas.Calls("Ellipse").empty());
    EXPECT_EQ(canvas.Transparency(), 0) << "the sub-gradient's section is closed";
}

namespace {
int rotations = 0;
void countRotation(const TCustomZebGradient&, TBitmap&) { ++rotations; }
}  // namespace

TEST(Gradient, RotatedGradientsGoThroughABitmap)
{
    TZebGradient g;
    g.SetVisible(true);
    g.SetAngle(90);

    // Without a device canvas class the gradient is drawn as it is.
    TRecordingCanvas direct;
    g.DrawRotated(direct, {0, 0, 20, 10});
    EXPECT_EQ(direct.Calls("FillRectangle").size(), 1u);
    EXPECT_EQ(g.Angle(), 90);

    StartCanvasUnit("Arial", 8);
    RegisterCanvasClass(TRecordingCanvas::StaticClass());
    TRecordingCanvas canvas;
    SetGradientRotationHook(nullptr);
    g.DrawRotated(canvas, {0, 0, 20, 10});  // no hook: unrotated, centred and clipped
    SetGradientRotationHook(countRotation);
    g.DrawRotated(canvas, {0, 0, 20, 10});
    SetGradientRotationHook(nullptr);
    StopCanvasUnit();
    InitDefaultFont("Arial", 8, "en");

    EXPECT_EQ(rotations, 1);
    const std::vector<std::string> expected = {"ClipToRect(0,0,20,10)", "DrawGraphic(4,-6,12,22)", "RemoveClip()"};
    EXPECT_EQ(std::vector<std::string>(canvas.Log().begin(), canvas.Log().begin() + 3), expected);
    EXPECT_EQ(g.Angle(), 90);
}
