// Series marks: settings, positions, overlap, drawing, hit test and the stored "Items".
#include <cstdint>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "PanelFixture.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AutomaticText.h"
#include "chart/core/Callout.h"
#include "chart/core/MarksOwner.h"
#include "chart/core/MarksTail.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Filer.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/support/RecordingCanvas.h"
#include "tests/support/Golden.h"

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/core/golden";
constexpr TColor MarksColor = static_cast<TColor>(0xE1FFFF);

// The series side of the marks: fixed texts, a shift it proposes, and what the marks told it.
class TestOwner : public IMarksOwner {
public:
    TPoint Shift{0, 0};
    int Hits = 0;
    int Hovered = -1;
    TZebFont Hover;
    bool Flags[4] = {false, false, false, false};

    String ComposeMarkText(int index) override { return "Mark " + std::to_string(index); }
    void GetMarkOverlapShift(const TRect&, TPoint& shift, const TRect&) override { shift = Shift; }
    bool IsPointHovered(int index) override { return index == Hovered; }
    TZebFont* HoverFont() override { return &Hover; }
    TGraphic* PointPicture(int) override { return nullptr; }
    void MarkHit() override { ++Hits; }
    bool XValuesNeedStoring() override { return Flags[0]; }
    bool HasOwnColors() override { return Flags[1]; }
    bool HasAnyLabel() override { return Flags[2]; }
    bool HasPointPictures() override { return Flags[3]; }
};

// A position of a w x h box above the point (x, y).
TSeriesMarkPosition Above(int x, int y, int w = 40, int h = 16)
{
    TSeriesMarkPosition p;
    p.Width = w;
    p.Height = h;
    TSeriesMarksPositions::CenterAbove(p, x, y, nullptr);
    return p;
}

std::string Bytes(TMemoryStream& stream)
{
    return {reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size())};
}

class MarksTest : public PanelSuite {
protected:
    void SetUp() override
    {
        panel_.SetView3D(false);
        recording_ = new TRecordingCanvas(200, 120);
        panel_.ReplaceCanvas(recording_);
        marks_.SetParentPanel(&panel_);
        marks_.SetOwner(&owner_);
        marks_.SetVisible(true);
    }
    TTestPanel panel_{nullptr};
    TRecordingCanvas* recording_ = nullptr;  // the panel's
    TestOwner owner_;
    TSeriesMarks marks_;
};

TEST_F(MarksTest, Defaults)
{
    TSeriesMarks marks;
    EXPECT_FALSE(marks.Visible());
    EXPECT_EQ(marks.Color(), MarksColor);
    EXPECT_EQ(marks.RoundSize(), 4);
    EXPECT_EQ(marks.ShapeStyle(), fosRoundRectangle);
    EXPECT_EQ(marks.Style(), smsLabelOrValue);
    EXPECT_EQ(marks.DrawEvery(), 1);
    EXPECT_EQ(marks.TextAlignment(), taCenter);
    EXPECT_EQ(marks.Margins()->Left(), 20);
    EXPECT_TRUE(marks.AutoPosition());
    EXPECT_TRUE(marks.UseSeriesTransparency());
    EXPECT_EQ(marks.UseImages(), miSymbol);
    EXPECT_EQ(marks.Shadow()->Color(), static_cast<TColor>(0x808080));
    EXPECT_EQ(marks.Shadow()->HorizSize(), 3);
    EXPECT_EQ(marks.Emboss()->VertSize(), 3);
    EXPECT_EQ(marks.Gradient()->Direction(), gdRightLeft);
    EXPECT_EQ(marks.Gradient()->StartColor(), static_cast<TColor>(0xC0C0C0));
    EXPECT_EQ(marks.Gradient()->EndColor(), clWhite);
    EXPECT_FALSE(marks.HasCallout());
    EXPECT_FALSE(marks.HasSymbol());
    EXPECT_FALSE(marks.HasTail());
    // Parts made on first read.
    EXPECT_EQ(marks.Callout()->Length(), 8);
    EXPECT_FALSE(marks.Callout()->Visible());
    TSeriesMarksSymbol& symbol = *marks.Symbol();
    EXPECT_FALSE(symbol.Visible());
    EXPECT_FALSE(symbol.Transparent());
    EXPECT_EQ(symbol.Shadow()->HorizSize(), 1);
    EXPECT_EQ(symbol.Emboss()->HorizSize(), 1);
    EXPECT_FALSE(marks.Tail()->Visible());
    EXPECT_EQ(marks.Tail()->Width(), 8);
    EXPECT_EQ(marks.Tail()->Align(), ttaCenter);
}

TEST_F(MarksTest, ADraggedMarkKeepsItsBox)
{
    const struct {
        bool arrowFix;
        TPoint arrowFrom;
    } cases[] = {{true, {100, 90}}, {false, {50, 60}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arrowFix);
        TSeriesMarks marks;
        marks.SetParentPanel(&panel_);
        TSeriesMarkPosition dragged = Above(50, 60);
        dragged.Offset({30, -20});
        dragged.ArrowFix = c.arrowFix;
        marks.Positions().StoreAt(3, dragged);
        EXPECT_TRUE(marks.Positions().HasCustom());

        // The point moved to (100, 90): the box stays where it was dragged.
        TSeriesMarkPosition now = Above(100, 90);
        marks.DrawMark(3, clRed, now, "x");
        EXPECT_EQ(now.LeftTop, dragged.LeftTop);
        EXPECT_EQ(now.ArrowTo, dragged.ArrowTo);
        EXPECT_EQ(now.ArrowFrom, c.arrowFrom);
        EXPECT_FALSE(now.Custom);
        EXPECT_TRUE(marks.Positions().PositionAt(3)->Custom);

        marks.ForgetCustomPositions();
        EXPECT_FALSE(marks.Positions().HasCustom());
        now = Above(100, 90);
        marks.DrawMark(3, clRed, now, "x");
        EXPECT_EQ(now.LeftTop, Above(100, 90).LeftTop);
    }
}

TEST_F(MarksTest, AnOverlappingMarkIsNotDrawnUnlessTheShiftClearsIt)
{
    const struct {
        TPoint shift;
        bool drawn;
        TPoint leftTop;
    } cases[] = {
        {{0, 0}, false, {30, 35}},
        {{0, 5}, false, {30, 40}},   // still overlapping
        {{0, -30}, true, {30, 5}},   // clear above
    };
    for (const auto& c : cases) {
        TSeriesMarks marks;
        marks.SetParentPanel(&panel_);
        marks.SetOwner(&owner_);
        marks.Shadow()->SetVisible(false);
        owner_.Shift = c.shift;
        marks.Positions().Ensure(0) = Above(50, 60);
        TSeriesMarkPosition next = Above(50, 50);
        EXPECT_TRUE(marks.AutoMoveTest(1, 1, next)) << "the first index is never tested";
        EXPECT_EQ(marks.AutoMoveTest(0, 1, next), c.drawn);
        EXPECT_EQ(next.LeftTop, c.leftTop);
        EXPECT_EQ(next.ArrowFrom, (TPoint{50, 50}));
    }
    // Marks side by side do not touch.
    TSeriesMarkPosition apart = Above(150, 60);
    EXPECT_TRUE(marks_.AutoMoveTest(0, 1, apart));
}

TEST_F(MarksTest, TheOccupiedRectangleTakesPenShadowAndEmboss)
{
    const TSeriesMarkPosition p = Above(50, 60);  // 30, 45 .. 70, 61
    marks_.Pen()->SetWidth(2);
    EXPECT_EQ(marks_.OccupiedRect(0, p), TRect(30, 45, 75, 66));  // the shadow of 3
    marks_.Shadow()->SetVisible(false);
    EXPECT_EQ(marks_.OccupiedRect(0, p), TRect(30, 45, 72, 63));
    marks_.Shadow()->SetVisible(true);
    marks_.Shadow()->SetHorizSize(-4);
    marks_.Shadow()->SetVertSize(-4);
    marks_.Emboss()->SetVisible(true);
    marks_.Emboss()->SetSize(2);
    EXPECT_EQ(marks_.OccupiedRect(0, p), TRect(28, 43, 72, 63));
    marks_.SetTransparent(true);
    EXPECT_EQ(marks_.OccupiedRect(0, p), TRect(32, 47, 70, 61));
}

TEST_F(MarksTest, TailPolygon)
{
    using Points = std::array<TPoint, 7>;
    const TRect box{0, 0, 100, 20};
    struct Case {
        const char* name;
        bool autoAlign;
        TTailEdge edge;
        TTailAlign align;
        TPoint from, to;
        bool yMandatory;
        Points outline;
    };
    const Case cases[] = {
        {"bottom", true, teTop, ttaNear, {50, 60}, {50, 30}, true,
         {{{0, 0}, {0, 20}, {46, 20}, {50, 28}, {54, 20}, {100, 20}, {100, 0}}}},
        {"top: the point above the box", true, teBottom, ttaFar, {50, -30}, {50, 0}, true,
         {{{0, 0}, {0, 20}, {100, 20}, {100, 0}, {54, 0}, {50, -8}, {46, 0}}}},
        {"left of a horizontal series", true, teBottom, ttaNear, {-30, 10}, {0, 10}, false,
         {{{0, 0}, {0, 6}, {-8, 10}, {0, 14}, {0, 20}, {100, 20}, {100, 0}}}},
        {"right of a horizontal series", true, teBottom, ttaNear, {130, 10}, {100, 10}, false,
         {{{0, 0}, {0, 20}, {100, 20}, {100, 14}, {108, 10}, {100, 6}, {100, 0}}}},
        {"bottom near", false, teBottom, ttaNear, {0, 0}, {0, 0}, true,
         {{{0, 0}, {0, 20}, {0, 20}, {4, 28}, {8, 20}, {100, 20}, {100, 0}}}},
        {"top far", false, teTop, ttaFar, {0, 0}, {0, 0}, true,
         {{{0, 0}, {0, 20}, {100, 20}, {100, 0}, {100, 0}, {96, -8}, {92, 0}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMarksTail tail;
        tail.SetAutoAlign(c.autoAlign);
        tail.SetEdge(c.edge);
        tail.SetAlign(c.align);
        EXPECT_EQ(tail.Polygon(box, c.from, c.to, c.yMandatory), c.outline);
    }
    TMarksTail custom;
    custom.SetUseTipPoint(true);
    custom.SetTipPoint({70, 40});
    EXPECT_EQ(custom.Polygon(box, {}, {}, true)[3], (TPoint{70, 40}));
}

TEST_F(MarksTest, TheCalloutLiftsTheMark)
{
    TSeriesMarkPosition p = Above(50, 60);
    const TSeriesMarkPosition before = p;
    marks_.ApplyCalloutOffset(p);  // no callout yet: nothing moves
    EXPECT_EQ(p.LeftTop, before.LeftTop);
    marks_.Callout()->SetLength(8);
    marks_.Callout()->SetDistance(2);
    marks_.ApplyCalloutOffset(p);
    EXPECT_EQ(p.LeftTop, (TPoint{before.LeftTop.X, before.LeftTop.Y - 10}));
    EXPECT_EQ(p.ArrowTo, (TPoint{50, 50}));
    EXPECT_EQ(p.ArrowFrom, (TPoint{50, 58}));
}

TEST_F(MarksTest, DrawingAMarkWithCalloutTailAndSymbol)
{
    marks_.Shadow()->SetVisible(false);
    marks_.Callout()->SetVisible(true);
    marks_.Callout()->SetLength(10);
    marks_.Symbol()->SetVisible(true);
    TSeriesMarkPosition p = Above(100, 100, 60, 20);
    marks_.ApplyCalloutOffset(p);
    marks_.DrawMark(0, clRed, p, "Mark");
    const std::string log = recording_->LogText();
    // The connector from the point up to the box, the symbol at the point in the point colour.
    EXPECT_EQ(recording_->Calls("MoveTo").front(), "MoveTo(100,100)") << log;
    EXPECT_EQ(recording_->Calls("LineTo").front(), "LineTo(100,90)") << log;
    EXPECT_EQ(recording_->Calls("RoundRect").size(), 1u) << log;
    ASSERT_EQ(recording_->Calls("TextOut").size(), 1u) << log;
    EXPECT_NE(recording_->Calls("TextOut")[0].find("Mark"), std::string::npos);
    // The symbol box inside the mark, in the point colour; its stored colour stays.
    const std::vector<std::string> rects = recording_->Calls("Rectangle");
    ASSERT_EQ(rects.size(), 2u) << log;
    EXPECT_NE(rects[1].find("brush=0000FF"), std::string::npos) << rects[1];
    EXPECT_EQ(marks_.Symbol()->Color(), clWhite);

    recording_->ClearLog();
    marks_.Tail()->SetVisible(true);
    marks_.DrawMark(0, clRed, p, "Mark");
    EXPECT_TRUE(recording_->Calls("RoundRect").empty());
    EXPECT_EQ(recording_->Calls("Polygon").size(), 1u) << recording_->LogText();
}

TEST_F(MarksTest, AHoveredMarkTakesTheHoverFontForThatMarkOnly)
{
    owner_.Hover.SetColor(clBlue);
    owner_.Hovered = 2;
    marks_.Font()->SetColor(clBlack);
    for (const int index : {1, 2}) {
        recording_->ClearLog();
        TSeriesMarkPosition p = Above(100, 100);
        marks_.DrawMark(index, clRed, p, "m");
        const std::string text = recording_->Calls("TextOut").at(0);
        EXPECT_NE(text.find(index == 2 ? "font=FF0000" : "font=000000"), std::string::npos) << text;
    }
    EXPECT_EQ(marks_.Font()->Color(), clBlack);
}

TEST_F(MarksTest, HitTest)
{
    for (int i = 0; i < 4; ++i) {
        TSeriesMarkPosition p = Above(30 + 45 * i, 60);
        marks_.DrawMark(i, clRed, p, "m");
    }
    const struct {
        TPoint point;
        int drawEvery, index;
    } cases[] = {
        {{30, 50}, 1, 0}, {{165, 50}, 1, 3}, {{75, 50}, 1, 1}, {{75, 50}, 2, -1}, {{120, 50}, 2, 2}, {{30, 80}, 1, -1},
    };
    for (const auto& c : cases) {
        marks_.SetDrawEvery(c.drawEvery);
        const int hits = owner_.Hits;
        EXPECT_EQ(marks_.MarkIndexAt(c.point), c.index) << c.point.X << "," << c.point.Y;
        EXPECT_EQ(owner_.Hits - hits, c.index >= 0 ? 1 : 0);
    }
    // An invisible item hides its mark from the pointer; the empty slots stay empty.
    marks_.SetDrawEvery(1);
    marks_.Items().EnsureItem(1).SetVisible(false);
    EXPECT_EQ(marks_.MarkIndexAt({75, 50}), -1);
    EXPECT_EQ(marks_.Items().Count(), 2);
    EXPECT_EQ(marks_.Items().ItemAt(0), nullptr);
}

TEST_F(MarksTest, StoredItemsRoundTripWithoutChangingTheModel)
{
    marks_.Items().EnsureItem(0).SetColor(clRed);
    marks_.Items().EnsureItem(2).TextLines()->SetText("Own\r\ntext");
    ASSERT_EQ(marks_.Items().Count(), 3);
    ASSERT_EQ(marks_.Items().ItemAt(1), nullptr);

    TMemoryStream stream;
    marks_.Items().WriteItems(stream);
    EXPECT_EQ(*reinterpret_cast<const std::int32_t*>(stream.Memory()), 3);
    EXPECT_EQ(marks_.Items().ItemAt(1), nullptr) << "saving created an item";
    TMemoryStream again;
    marks_.Items().WriteItems(again);
    EXPECT_EQ(Bytes(again), Bytes(stream));

    TSeriesMarks copy;
    stream.SetPosition(0);
    copy.Items().ReadItems(stream);
    ASSERT_EQ(copy.Items().Count(), 3);
    EXPECT_TRUE(copy.Items().Loaded());
    EXPECT_EQ(copy.Items().ItemAt(0)->Color(), clRed);
    EXPECT_EQ(copy.Items().ItemAt(1)->Color(), MarksColor);
    EXPECT_FALSE(copy.Items().ItemAt(1)->TextSet());
    EXPECT_TRUE(copy.Items().ItemAt(2)->TextSet());
    EXPECT_EQ(copy.Items().ItemAt(2)->Text(), "Own\r\ntext\r\n");
    TMemoryStream reloaded;
    copy.Items().WriteItems(reloaded);
    EXPECT_EQ(Bytes(reloaded), Bytes(stream));
}

TEST_F(MarksTest, TheItemsPropertyIsWrittenOnlyWithItems)
{
    auto write = [](TSeriesMarks& marks) {
        TMemoryStream stream;
        {
            TWriter writer(stream);
            writer.WriteProperties(&marks);
            writer.WriteListEnd();
        }
        return Bytes(stream);
    };
    EXPECT_EQ(write(marks_).find("Items"), std::string::npos);
    marks_.Items().EnsureItem(1).SetColor(clLime);
    const std::string data = write(marks_);
    EXPECT_NE(data.find("Items"), std::string::npos);

    TSeriesMarks copy;
    TMemoryStream stream;
    stream.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    stream.SetPosition(0);
    TReader reader(stream);
    reader.ReadProperties(&copy);
    ASSERT_EQ(copy.Items().Count(), 2);
    EXPECT_NE(copy.Items().ItemAt(0), nullptr) << "every slot has an item after loading";
    EXPECT_EQ(copy.Items().ItemAt(1)->Color(), clLime);
    EXPECT_TRUE(copy.Visible());
}

TEST_F(MarksTest, ACorruptOrOversizedItemsCountIsAReadError)
{
    marks_.Items().EnsureItem(0).SetColor(clRed);
    marks_.Items().EnsureItem(1).SetColor(clBlue);
    TMemoryStream stream;
    marks_.Items().WriteItems(stream);
    const auto size = stream.Size();

    TSeriesMarks copy;
    copy.Items().EnsureItem(0).SetColor(clGreen);
    for (const std::int64_t cut : {std::int64_t{2}, std::int64_t{6}, size / 2, size - 1}) {
        TMemoryStream truncated;
        truncated.WriteBuffer(stream.Memory(), cut);
        truncated.SetPosition(0);
        EXPECT_THROW(copy.Items().ReadItems(truncated), EReadError) << cut;
        ASSERT_EQ(copy.Items().Count(), 1);
        EXPECT_EQ(copy.Items().ItemAt(0)->Color(), clGreen);
    }
    for (const std::int32_t count : {3, 1000, 0x7FFFFFFF}) {
        TMemoryStream oversized;
        oversized.WriteBuffer(&count, sizeof count);
        oversized.WriteBuffer(stream.Memory() + 4, size - 4);
        oversized.SetPosition(0);
        EXPECT_THROW(copy.Items().ReadItems(oversized), EReadError) << count;
        EXPECT_EQ(copy.Items().Count(), 1);
        EXPECT_FALSE(copy.Items().Loaded());
    }
}

TEST_F(MarksTest, PointRemovalAndClearing)
{
    for (int i = 0; i < 4; ++i) {
        marks_.Positions().Ensure(i) = Above(10 * i, 50);
        marks_.Items().EnsureItem(i).SetBevelWidth(i + 1);
    }
    marks_.RemoveMarkAt(1);
    ASSERT_EQ(marks_.Positions().Count(), 3);
    EXPECT_EQ(marks_.Positions().PositionAt(1)->ArrowFrom.X, 20);
    EXPECT_EQ(marks_.Items().ItemAt(1)->BevelWidth(), 3);
    EXPECT_EQ(marks_.Items().ItemAt(2)->BevelWidth(), 4);

    marks_.SwapMarkData(0, 2);
    EXPECT_EQ(marks_.Positions().PositionAt(0)->ArrowFrom.X, 30);
    EXPECT_EQ(marks_.Items().ItemAt(0)->BevelWidth(), 4);

    // Items made in code go with the points; loaded ones stay.
    marks_.ClearMarkData();
    EXPECT_EQ(marks_.Positions().Count(), 0);
    EXPECT_EQ(marks_.Items().Count(), 0);

    TSeriesMarks source;
    source.Items().EnsureItem(0);
    TMemoryStream stream;
    source.Items().WriteItems(stream);
    stream.SetPosition(0);
    marks_.Items().ReadItems(stream);
    marks_.Positions().Ensure(0);
    marks_.ClearMarkData();
    EXPECT_EQ(marks_.Positions().Count(), 0);
    EXPECT_EQ(marks_.Items().Count(), 1);
}

TEST_F(MarksTest, AssignCopiesItemsWithoutFillingTheSourceSlots)
{
    TSeriesMarks source;
    source.SetDrawEvery(3);
    source.SetStyle(smsValue);
    source.Tail()->SetVisible(true);
    source.Items().EnsureItem(2).SetColor(clRed);
    marks_.Assign(&source);
    EXPECT_EQ(marks_.DrawEvery(), 3);
    EXPECT_EQ(marks_.Style(), smsValue);
    EXPECT_TRUE(marks_.Tail()->Visible());
    ASSERT_EQ(marks_.Items().Count(), 3);
    EXPECT_NE(marks_.Items().ItemAt(0), nullptr);
    EXPECT_EQ(marks_.Items().ItemAt(2)->Color(), clRed);
    EXPECT_EQ(source.Items().ItemAt(0), nullptr);
}

TEST_F(MarksTest, ItemText)
{
    TMarksItem item;
    EXPECT_FALSE(item.TextSet());
    item.TextLines()->Add("one");
    item.TextLines()->Add("two");
    EXPECT_TRUE(item.TextSet());
    EXPECT_EQ(item.Text(), "one\r\ntwo\r\n");
    item.SetTextLines(nullptr);
    EXPECT_FALSE(item.TextSet());
    EXPECT_EQ(item.Text(), "");
    item.ShowText("composed");
    EXPECT_FALSE(item.TextSet());
    item.SetText("own");
    EXPECT_TRUE(item.TextSet());
    item.ShowText("composed");
    EXPECT_EQ(item.Text(), "own");
}

TEST_F(MarksTest, StoredDataFlags)
{
    const struct {
        bool flags[4];
        bool custom;
        std::uint8_t expected;
    } cases[] = {
        {{false, false, false, false}, false, 0},  {{true, false, false, false}, false, 1},
        {{false, true, false, false}, false, 2},   {{false, false, true, false}, false, 4},
        {{false, false, false, false}, true, 8},   {{false, false, false, true}, false, 16},
        {{true, true, true, true}, true, 31},
    };
    for (const auto& c : cases) {
        TSeriesMarks marks;
        std::copy(std::begin(c.flags), std::end(c.flags), std::begin(owner_.Flags));
        if (c.custom) marks.Positions().StoreAt(5, Above(0, 0));
        EXPECT_EQ(StoredDataFlags(owner_, marks), c.expected);
    }
}

// ---- with a series ----

// A series whose points may be ordered along Y (main values on X).
class OrientedSeries : public TTestSeries {
public:
    OrientedSeries() : TTestSeries(nullptr) {}
    void SetYMandatoryForTest(bool value) { yMandatory_ = value; }
};

class MarksSeriesTest : public ChartCoreSuite {
protected:
    void SetUp() override
    {
        chart.SetBounds(0, 0, 400, 300);
        series.SetParentChart(&chart);
    }
    TTestAxisPanel chart{nullptr};
    OrientedSeries series;
};

TEST_F(MarksSeriesTest, EffectiveDrawEveryThinsDenseSeries)
{
    const struct {
        int drawEvery, first, last;
        bool yMandatory;
        int expected;
    } cases[] = {
        {1, 0, 999, true, 5},     // 1000 points on half of 400 pixels
        {7, 0, 999, true, 7},     // DrawEvery is larger
        {1, 0, 199, true, 1},     // fewer points than pixels
        {1, 0, 999, false, 7},    // a horizontal value axis: half of 300, round(6.67)
        {0, 0, 99, true, 1},      // never 0
        {-3, -1, -1, true, 1},    // nothing visible
    };
    chart.SetChartRect({0, 0, 400, 300});
    chart.NormalizeChartRect();
    for (const auto& c : cases) {
        TSeriesMarks marks(&series);
        marks.SetDrawEvery(c.drawEvery);
        series.SetVisibleRange(c.first, c.last);
        series.SetYMandatoryForTest(c.yMandatory);
        EXPECT_EQ(marks.EffectiveDrawEvery(), c.expected) << c.drawEvery << " " << c.last;
    }
}

// ---- picture ----

void DrawMarksSheet(TCustomZebPanel& panel)
{
    TestOwner owner;
    TSeriesMarks marks;
    marks.SetParentPanel(&panel);
    marks.SetOwner(&owner);
    marks.SetVisible(true);
    marks.Font()->SetSize(9);
    const TColor colors[] = {clRed, clGreen, clBlue, clPurple};
    const char* texts[] = {"Plain", "Callout", "Tail", "Symbol"};
    for (int i = 0; i < 4; ++i) {
        const int x = 60 + 100 * i, y = 80;
        if (i == 1) {
            marks.Callout()->SetVisible(true);
            marks.Callout()->SetLength(20);
            marks.Callout()->SetDistance(3);
            marks.Arrow()->SetColor(clBlack);
        }
        if (i == 2) {
            marks.SetCallout(nullptr);
            marks.Tail()->SetVisible(true);
            marks.Tail()->SetHeight(14);
            marks.Tail()->SetWidth(12);
        }
        if (i == 3) {
            marks.SetTail(nullptr);
            marks.Symbol()->SetVisible(true);
            // The series leaves the symbol room beside the text.
            marks.SetTextAlignment(taRightJustify);
        }
        marks.SetText(texts[i]);
        marks.MeasureBounds(panel);
        TSeriesMarkPosition p;
        p.Width = marks.BoundsWidth();
        p.Height = marks.BoundsHeight();
        if (i == 3) p.Width += p.Height - 4;
        TSeriesMarksPositions::CenterAbove(p, x, y, nullptr);
        marks.ApplyCalloutOffset(p);
        if (i == 2) p.Offset({0, -16});
        panel.Canvas3D()->Pen()->SetColor(colors[i]);
        panel.Canvas3D()->Brush()->SetColor(colors[i]);
        panel.Canvas3D()->EllipseAtZ(x - 3, y - 3, x + 4, y + 4, 0);
        marks.DrawMark(i, colors[i], p, texts[i]);
    }
}

TEST_F(MarksTest, PictureOfMarks)
{
    const struct {
        const char* canvas;
        const char* golden;
    } cases[] = {{"TZebCanvas3D", "marks"}, {"TGDIPlusCanvas", "marks_gdiplus"}};
    for (const auto& c : cases) {
        TTestPanel panel(nullptr);
        panel.SetCanvasClassName(c.canvas);
        panel.SetBounds(0, 0, 420, 100);
        panel.SetColor(clWhite);
        panel.SetBevelOuter(bvNone);
        panel.SetView3D(false);
        panel.Content = [](TTestPanel& p, const TRect&) { DrawMarksSheet(p); };
        TBitmap window;
        testkit::RenderToBitmap(panel, window);
        testsupport::ExpectMatchesGolden(window, GoldenDir, c.golden);
    }
}

}  // namespace
