// Chart shapes, callouts and text boxes.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "PanelFixture.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartShapes.h"
#include "chart/core/TextShapes.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/support/RecordingCanvas.h"
#include "tests/support/Golden.h"

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/core/golden";

class ShapesTest : public PanelSuite {
protected:
    // A panel that records the drawing of its shapes on a white bitmap.
    void SetUp() override
    {
        panel_.SetBufferedDisplay(false);
        recording_ = new TRecordingCanvas(300, 200);
        panel_.ReplaceCanvas(recording_);
        recording_->BindCanvas(recording_->Bitmap().Canvas());
    }
    TTestPanel panel_{nullptr};
    TRecordingCanvas* recording_ = nullptr;  // the panel's
};

TZebCustomShape& AddChild(TZebCustomShape& parent, int width, int height)
{
    TZebCustomShape& child = *parent.Children()->AddItem()->Shape();
    child.SetAutoSize(false);
    child.SetShapeBounds({0, 0, width, height});
    return child;
}

TEST_F(ShapesTest, ChildrenSideBySideGiveTheSumOfWidthsAndTheLargestHeight)
{
    TZebShape shape(&panel_);
    shape.SetShapeBounds({50, 40, 70, 90});
    shape.SetChildLayout(slLeftRight);
    AddChild(shape, 10, 5);
    AddChild(shape, 20, 15);
    AddChild(shape, 30, 10);
    AddChild(shape, 99, 99).SetVisible(false);
    shape.MeasureBounds(panel_);
    EXPECT_EQ(shape.ShapeBounds(), (TRect{50, 40, 110, 55}));

    shape.SetChildLayout(slTopBottom);
    shape.MeasureBounds(panel_);
    EXPECT_EQ(shape.ShapeBounds(), (TRect{50, 40, 80, 70}));
}

TEST_F(ShapesTest, APositiveRoundSizeMakesTheShapeRounded)
{
    TZebShape shape(&panel_);
    shape.SetRoundSize(0);
    EXPECT_EQ(shape.ShapeStyle(), fosRectangle);
    shape.SetShapeStyle(fosEllipse);
    shape.SetRoundSize(8);
    EXPECT_EQ(shape.ShapeStyle(), fosRoundRectangle);
}

TEST_F(ShapesTest, ARotatedShapeDrawsNoBevel)
{
    auto drawn = [this](int angle, TBevelCut bevel) {
        TZebShape shape(&panel_);
        shape.SetShapeBounds({50, 50, 150, 100});
        shape.SetAngle(angle);
        shape.SetBevel(bevel);
        shape.Shadow()->SetVisible(false);
        recording_->ClearLog();
        shape.DrawAtBounds();
        return recording_->Log();
    };
    EXPECT_NE(drawn(0, bvRaised), drawn(0, bvNone));
    EXPECT_EQ(drawn(30, bvRaised), drawn(30, bvNone));
    EXPECT_EQ(recording_->Calls("Polygon").size(), 1u);  // the rotated box
}

TEST_F(ShapesTest, ATransparentShapeStillDrawsItsChildren)
{
    TZebShape shape(&panel_);
    shape.SetShapeBounds({10, 10, 100, 60});
    shape.SetTransparent(true);
    shape.SetChildLayout(slLeftRight);
    TZebCustomShape& child = AddChild(shape, 40, 20);
    child.SetTransparent(false);
    child.Shadow()->SetVisible(false);
    child.SetColor(clRed);
    recording_->ClearLog();
    shape.DrawAtBounds();
    const auto rectangles = recording_->Calls("Rectangle");
    ASSERT_EQ(rectangles.size(), 1u) << recording_->LogText();
    EXPECT_EQ(rectangles[0].rfind("Rectangle(10,10,50,30)", 0), 0u) << rectangles[0];
}

struct PointerCase {
    const char* name;
    TShapeCalloutSide side;
    int position, width, round;
    TCalloutPointer expected;
};

TEST_F(ShapesTest, TheCalloutPointerIsPlacedFromTheCornerTheTourLeavesTheSideAt)
{
    const TRect box{0, 0, 200, 100};
    const PointerCase cases[] = {
        {"top, 30 % from the right end", csTop, 30, 20, 0, {{120, 0}, {140, -25}, {160, 0}}},
        {"bottom, 30 % from the left end", csBottom, 30, 20, 0, {{80, 100}, {60, 125}, {40, 100}}},
        {"right, 30 % from the bottom", csRight, 30, 20, 0, {{200, 60}, {250, 70}, {200, 80}}},
        {"left, 30 % from the top", csLeft, 30, 20, 0, {{0, 40}, {-50, 30}, {0, 20}}},
        {"a base near the corner moves clear of the rounding", csBottom, 0, 20, 16, {{56, 100}, {36, 125}, {16, 100}}},
        {"a base as long as the side: the far end wins", csTop, 30, 100, 16, {{0, 0}, {100, -25}, {200, 0}}},
        {"a base past the far end of a vertical side", csRight, 0, 40, 0, {{200, 60}, {250, 80}, {200, 100}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TShapeCallout callout;
        callout.SetSide(c.side);
        callout.SetPosition(c.position);
        callout.SetWidth(c.width);
        const TCalloutPointer p = CalloutPointer(box, c.round, callout);
        EXPECT_EQ(p.First, c.expected.First);
        EXPECT_EQ(p.Tip, c.expected.Tip);
        EXPECT_EQ(p.Second, c.expected.Second);
    }
}

TEST_F(ShapesTest, RotatedCornersAndTheirHitTest)
{
    const auto corners = TZebCustomShape::RotatedRectCorners({0, 0, 100, 40}, 90);
    // Turned a quarter counter-clockwise on the screen about (50, 20).
    EXPECT_EQ(corners[0], (TPoint{30, 70}));
    EXPECT_EQ(corners[1], (TPoint{30, -30}));
    TZebShape shape(&panel_);
    EXPECT_TRUE(shape.ContainsPoint({90, 20}, {0, 0, 100, 40}));
    shape.SetAngle(450);  // a whole turn more
    EXPECT_FALSE(shape.ContainsPoint({90, 20}, {0, 0, 100, 40}));
    EXPECT_TRUE(shape.ContainsPoint({50, 60}, {0, 0, 100, 40}));
}

TEST_F(ShapesTest, CalloutsOnAllFourSides)
{
    TTestPanel panel(nullptr);
    panel.SetBounds(0, 0, 360, 260);
    panel.SetColor(clWhite);
    panel.SetBevelOuter(bvNone);
    std::vector<std::unique_ptr<TZebShape, TFreeDeleter>> shapes;
    const struct {
        TShapeCalloutSide side;
        TRect bounds;
        TColor color;
        int round;
    } boxes[] = {{csTop, {40, 50, 160, 100}, clYellow, 0},
                 {csRight, {200, 30, 300, 100}, clAqua, 12},
                 {csBottom, {40, 150, 160, 200}, clLime, 12},
                 {csLeft, {220, 150, 320, 210}, clFuchsia, 0}};
    for (const auto& b : boxes) {
        shapes.emplace_back(new TZebShape(&panel));
        TZebShape& s = *shapes.back();
        s.SetShapeBounds(b.bounds);
        s.SetColor(b.color);
        s.SetRoundSize(b.round);
        if (b.round == 0) s.SetShapeStyle(fosRectangle);
        s.ShapeCallout()->SetSide(b.side);
        s.ShapeCallout()->SetPosition(30);
    }
    panel.Content = [&shapes](TTestPanel&, const TRect&) {
        for (auto& s : shapes) s->DrawAtBounds();
    };
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    testsupport::ExpectMatchesGolden(window, GoldenDir, "shape_callouts");
}

// ---- text shapes ----

// A font size whose text height on the panel's canvas is `height`, or 0.
int FontSizeOfHeight(TCustomZebPanel& panel, TZebFont& font, int height)
{
    for (int pixels = 6; pixels < 40; ++pixels) {
        font.SetHeight(-pixels);
        panel.ApplyFont(font);
        if (panel.Canvas3D()->StandardTextHeight() == height) return pixels;
    }
    return 0;
}

TEST_F(ShapesTest, AnAutoSizedStackedBoxGrowsByItsTextAndMarginsInPercentOfTheFont)
{
    TCustomTextShape box(&panel_);
    box.Pen()->SetVisible(false);
    ASSERT_NE(FontSizeOfHeight(panel_, *box.Font(), 20), 0) << "no font size gives 20 pixels";
    box.SetText("Axis title");
    box.SetShapeBounds({10, 10, 10, 10});
    box.MeasureBounds(panel_);
    const int textWidth = panel_.Canvas3D()->TextWidth("Axis title");
    EXPECT_EQ(box.ShapeBounds().Width(), textWidth + 2 * (2 + 2));
    EXPECT_EQ(box.ShapeBounds().Height(), 20 + 1 + 1);
    EXPECT_EQ(box.LineCount(), 1);

    box.SetTransparent(true);  // no margins at all
    box.MeasureBounds(panel_);
    EXPECT_EQ(box.ShapeBounds().Width(), textWidth);
    EXPECT_EQ(box.ShapeBounds().Height(), 20);
}

TEST_F(ShapesTest, ALineFeedAfterTheBreakIsSkippedAndNeverDrawn)
{
    TCustomTextShape box(&panel_);
    box.SetText("A\r\nB");
    box.SetShapeBounds({10, 10, 10, 10});
    box.MeasureBounds(panel_);
    EXPECT_EQ(box.LineCount(), 2);
    recording_->ClearLog();
    box.DrawAtBounds();
    const auto texts = recording_->Calls("TextOut");
    ASSERT_EQ(texts.size(), 2u) << recording_->LogText();
    EXPECT_NE(texts[0].find("\"A\""), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("\"B\""), std::string::npos) << texts[1];
}

TEST_F(ShapesTest, AnEmptyTextDrawsOnlyTheFrame)
{
    TCustomTextShape box(&panel_);
    box.SetShapeBounds({10, 10, 80, 40});
    box.Shadow()->SetVisible(false);
    box.MeasureBounds(panel_);
    EXPECT_EQ(box.LineCount(), 0);
    recording_->ClearLog();
    box.DrawAtBounds();
    EXPECT_TRUE(recording_->Calls("TextOut").empty());
    EXPECT_EQ(recording_->Calls("Rectangle").size(), 1u);
}

struct ClipCase {
    const char* name;
    bool autoSize;
    int angle;
    int xOffset;
    bool clipped;
};

TEST_F(ShapesTest, TextIsClippedOnlyInAFixedUnrotatedBoxOrWhenShifted)
{
    const ClipCase cases[] = {
        {"fixed size", false, 0, 0, true},
        {"auto-sized", true, 0, 0, false},
        {"rotated and auto-sized", true, 30, 0, false},
        {"fixed size but rotated", false, 30, 0, false},
        {"shifted", true, 0, 5, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TCustomTextShape box(&panel_);
        box.SetText("Rotated title");
        box.SetAutoSize(c.autoSize);
        box.SetAngle(c.angle);
        box.SetTextXOffset(c.xOffset);
        box.SetShapeBounds({40, 40, 90, 60});
        recording_->ClearLog();
        box.DrawAtBounds();
        EXPECT_EQ(!recording_->Calls("ClipToRect").empty(), c.clipped) << recording_->LogText();
    }
}

TEST_F(ShapesTest, SettingTheSameTextDoesNotRepaint)
{
    TTestPanel panel(nullptr);
    TCustomTextShape box(&panel);
    box.SetText("Title");
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    auto& gdi = dynamic_cast<TZebCanvas3D&>(*panel.Canvas3D());
    box.SetText("Title");
    EXPECT_FALSE(gdi.BufferStale());
    box.SetText("Other");
    EXPECT_TRUE(gdi.BufferStale());
}

TEST_F(ShapesTest, ATextAlignmentEqualToTheOwnersDefaultIsNotStored)
{
    RegisterClass(TCustomTextShape::StaticClass());
    for (TAlignment def : {taLeftJustify, taCenter}) {
        TCustomTextShape box;
        box.SetDefaultTextAlignment(def);
        EXPECT_FALSE(box.IsTextAlignmentStored());
        box.SetTextAlignment(taRightJustify);
        EXPECT_TRUE(box.IsTextAlignmentStored());
    }
    TMargins margins;
    margins.SetDefaultHorizontal(4);
    EXPECT_EQ(margins.Left(), 4);
    EXPECT_FALSE(margins.IsLeftStored());
    margins.SetLeft(10);
    EXPECT_TRUE(margins.IsLeftStored());
}

TEST_F(ShapesTest, TextBoxes)
{
    TTestPanel panel(nullptr);
    panel.SetBounds(0, 0, 360, 200);
    panel.SetColor(clWhite);
    panel.SetBevelOuter(bvNone);
    std::vector<std::unique_ptr<TCustomTextShape, TFreeDeleter>> boxes;
    auto add = [&](const String& text, TPoint at, TAlignment align, int angle, TColor color) {
        boxes.emplace_back(new TCustomTextShape(&panel));
        TCustomTextShape& b = *boxes.back();
        b.SetText(text);
        b.SetShapeBounds({at.X, at.Y, at.X, at.Y});
        b.SetTextAlignment(align);
        b.SetAngle(angle);
        b.SetColor(color);
        b.Font()->SetName("Arial");
        b.Font()->SetSize(10);
        return &b;
    };
    add("Left aligned", {20, 20}, taLeftJustify, 0, clYellow);
    add(String("Two lines\rcentred"), {20, 70}, taCenter, 0, clAqua)->SetRoundSize(10);
    TCustomTextShape* right = add(String("Right\rall three\rlines"), {180, 20}, taRightJustify, 0, clSilver);
    right->Pen()->SetWidth(3);
    add("Rotated", {260, 110}, taLeftJustify, 90, clLime);
    TCustomTextShape* fixed = add("Clipped in a fixed box", {20, 140}, taLeftJustify, 0, clFuchsia);
    fixed->SetAutoSize(false);
    fixed->SetShapeBounds({20, 140, 110, 165});
    panel.Content = [&boxes](TTestPanel& p, const TRect&) {
        for (auto& b : boxes) {
            b->MeasureBounds(p);
            b->DrawAtBounds();
        }
    };
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    testsupport::ExpectMatchesGolden(window, GoldenDir, "text_boxes");
}

}  // namespace
