#include <gtest/gtest.h>

#include "../support/RecordingCanvas.h"
#include "chart/canvas/HtmlText.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "platform/graphics/Canvas.h"

namespace {
// Texts drawn by the renderer, one per TextOut line.
std::vector<std::string> texts(const TRecordingCanvas& c) { return c.Calls("TextOut"); }
bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

struct HtmlFixture : ::testing::Test {
    HtmlFixture()
    {
        TZebFont font;
        font.SetSize(10);
        canvas.UseFont(font);
    }
    ~HtmlFixture() override
    {
        SetGraphicForExtensionHook(nullptr);
        SetLoadStreamHook(nullptr);
    }
    TRecordingCanvas canvas{300, 200};
};
}  // namespace

TEST_F(HtmlFixture, BoldRunOnOneLine)
{
    const int h = canvas.TextHeight("W");
    const TSize size = MeasureHtmlText(canvas, "a<B>b</B>c");
    EXPECT_EQ(size.cy, h);
    const int wa = canvas.TextWidth("a"), wc = canvas.TextWidth("c");
    HtmlTextOut(canvas, 10, 20, "a<B>b</B>c");
    const std::vector<std::string> expected = {
        "TextOut(10,20,\"a\") font=000000/10/", "TextOut(" + std::to_string(10 + wa) + ",20,\"b\") font=000000/10/B",
        "TextOut(" + std::to_string(10 + size.cx - wc) + ",20,\"c\") font=000000/10/"};
    EXPECT_EQ(texts(canvas), expected);
    EXPECT_TRUE(canvas.Font()->Style().Empty()) << "the canvas font is given back";
}

TEST_F(HtmlFixture, TagsCompareInUpperCase)
{
    HtmlTextOut(canvas, 0, 0, "a<b>b</b>c<B >d");
    const auto t = texts(canvas);
    ASSERT_EQ(t.size(), 5u);
    EXPECT_NE(t[1].find("/B"), std::string::npos);
    EXPECT_NE(t[3].find(",0,\"<B >\") font=000000/10/"), std::string::npos) << t[3];
}

TEST_F(HtmlFixture, EntitiesDecodeInOnePass)
{
    struct Case {
        const char* html;
        const char* shown;
    };
    const Case cases[] = {{"&lt;x&gt; &amp; &quot;q&quot;", "\"<x> & \\\"q\\\"\""},  // as the log quotes it
                          {"&amp;lt;", "\"&lt;\""},
                          {"&amp;quot;", "\"&quot;\""},
                          {"&nbsp;", "\"&nbsp;\""}};
    for (const Case& c : cases) {
        canvas.ClearLog();
        HtmlTextOut(canvas, 0, 0, c.html);
        ASSERT_EQ(texts(canvas).size(), 1u) << c.html;
        const std::string line = texts(canvas)[0];
        const std::string shown = line.substr(line.find('"'), line.rfind('"') - line.find('"') + 1);
        std::string expected = c.shown;
        // The log writes the text between quotes without escaping.
        std::string unescaped;
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (!(expected[i] == '\\' && i + 1 < expected.size() && expected[i + 1] == '"')) unescaped += expected[i];
        EXPECT_EQ(shown, unescaped) << c.html;
    }
}

TEST_F(HtmlFixture, FontTags)
{
    struct Case {
        const char* html;
        const char* font;
    };
    const Case cases[] = {{"<FONT COLOR=#FF0000>r</FONT>", "font=0000FF/10/"},
                          {"<FONT COLOR=\"LIME\">g</FONT>", "font=00FF00/10/"},
                          {"<FONT COLOR=clNavy>n</FONT>", "font=800000/10/"},
                          {"<font size=+2>s</font>", "font=000000/12/"},
                          {"<FONT SIZE=12>s</FONT>", "font=000000/12/"},
                          {"<FONT SIZE='-3'>s</FONT>", "font=000000/7/"},
                          {"<FONT WEIGHT=BOLD, ITALIC>w</FONT>", "font=000000/10/BI"},
                          {"<FONT NAME=Courier New SIZE=9>c</FONT>", "font=000000/9/"},
                          // Unknown attributes, weights and sizes are left out: the text still draws.
                          {"<FONT FACE=Arial>f</FONT>", "font=000000/10/"},
                          {"<FONT WEIGHT=HEAVY, BOLD>h</FONT>", "font=000000/10/B"},
                          {"<FONT SIZE=big>b</FONT>", "font=000000/10/"}};
    for (const Case& c : cases) {
        canvas.ClearLog();
        HtmlTextOut(canvas, 0, 0, c.html);
        ASSERT_EQ(texts(canvas).size(), 1u) << c.html;
        const std::string line = texts(canvas)[0];
        EXPECT_EQ(line.substr(line.find(" font=") + 1), c.font) << c.html;
    }
}

TEST_F(HtmlFixture, BigInsideBoldItalicRestoresBoth)
{
    HtmlTextOut(canvas, 0, 0, "<B><I>x<BIG>y</BIG>z</I></B>");
    const auto t = texts(canvas);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_NE(t[1].find("font=000000/12/BI"), std::string::npos);
    EXPECT_NE(t[2].find("font=000000/10/BI"), std::string::npos);
}

TEST_F(HtmlFixture, LinesAndRules)
{
    const int h = canvas.TextHeight("W");
    const TSize size = MeasureHtmlText(canvas, "a<BR>b");
    EXPECT_EQ(size.cy, 2 * h + 2);

    canvas.ClearLog();
    const TSize rule = MeasureHtmlText(canvas, "<HR>");
    EXPECT_TRUE(canvas.Log().empty()) << "measuring draws nothing";
    EXPECT_EQ(rule.cx, 0);

    HtmlTextOut(canvas, 5, 5, "<HR>x");
    EXPECT_EQ(canvas.Calls("MoveTo"), std::vector<std::string>{"MoveTo(5,5)"});
    EXPECT_EQ(canvas.Calls("LineTo"), std::vector<std::string>{"LineTo(105,5)"});
    EXPECT_TRUE(startsWith(texts(canvas)[0], "TextOut(5," + std::to_string(5 + h) + ",")) << texts(canvas)[0];
}

TEST_F(HtmlFixture, AlignedTextsStartWhereTheyEnd)
{
    const int w = MeasureHtmlText(canvas, "<B>wide</B> text").cx;
    canvas.SetTextAlignment(TA_CENTER);
    HtmlTextOut(canvas, 100, 0, "<B>wide</B> text");
    EXPECT_TRUE(startsWith(texts(canvas)[0], "TextOut(" + std::to_string(100 - w / 2) + ",0,")) << texts(canvas)[0];
    EXPECT_EQ(canvas.GetTextAlignment(), TA_CENTER);

    canvas.ClearLog();
    canvas.SetTextAlignment(TA_RIGHT);
    HtmlTextOut(canvas, 100, 0, "<B>wide</B> text");
    EXPECT_TRUE(startsWith(texts(canvas)[0], "TextOut(" + std::to_string(100 - w) + ",0,")) << texts(canvas)[0];
}

TEST_F(HtmlFixture, LoneCloseTag)
{
    HtmlTextOut(canvas, 0, 0, "</>");
    ASSERT_EQ(texts(canvas).size(), 1u);
    EXPECT_TRUE(startsWith(texts(canvas)[0], "TextOut(0,0,\"</\")")) << texts(canvas)[0];

    canvas.ClearLog();
    HtmlTextOut(canvas, 0, 0, "<U>u</>v");  // ends the underline
    EXPECT_NE(texts(canvas)[1].find("font=000000/10/"), std::string::npos);
    EXPECT_EQ(texts(canvas)[1].back(), '/');
}

TEST_F(HtmlFixture, UnclosedTagsEndWithTheirText)
{
    HtmlTextOut(canvas, 0, 0, "<B>bold <FONT SIZE=20>big");
    canvas.ClearLog();
    HtmlTextOut(canvas, 0, 0, "</FONT>plain</>x");
    const auto t = texts(canvas);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_NE(t[0].find("\"plain\") font=000000/10/"), std::string::npos);
    EXPECT_NE(t[1].find(",0,\"</\")"), std::string::npos) << t[1];
}

TEST_F(HtmlFixture, MissingPicturesShowAPlaceholder)
{
    HtmlTextOut(canvas, 10, 10, "<IMG SRC=\"chart.xyz\">");
    EXPECT_EQ(canvas.Calls("Rectangle"), std::vector<std::string>{"Rectangle(10,10,50,50) brush=FFFFFF"});
    EXPECT_EQ(canvas.Calls("LineTo"), (std::vector<std::string>{"LineTo(49,49)", "LineTo(49,10)"}));
    EXPECT_EQ(canvas.Pen()->Color(), clRed);

    canvas.ClearLog();
    SetGraphicForExtensionHook([](const String&) -> TGraphic* { return nullptr; });
    SetLoadStreamHook([](const String&, TStream&) { return 0; });
    HtmlTextOut(canvas, 0, 0, "<IMG SRC=pic.png WIDTH=20>");
    EXPECT_EQ(canvas.Calls("Rectangle"), std::vector<std::string>{"Rectangle(0,0,20,40) brush=FFFFFF"});

    canvas.ClearLog();
    HtmlTextOut(canvas, 0, 0, "<IMG WIDTH=20>");  // no source: nothing
    EXPECT_TRUE(canvas.Log().empty());
}

TEST_F(HtmlFixture, PicturesComeThroughTheHooks)
{
    String asked;
    SetGraphicForExtensionHook([&](const String& ext) -> TGraphic* {
        asked = ext;
        return new TBitmap();
    });
    SetLoadStreamHook([](const String& source, TStream& stream) {
        if (source != "logo.bmp") return 2;
        TBitmap picture(3, 2, pf24bit);
        picture.SaveToStream(stream);
        return 0;
    });
    const TSize size = MeasureHtmlText(canvas, "<IMG SRC=\"logo.bmp\">");
    EXPECT_EQ(asked, ".BMP");
    EXPECT_EQ(size.cx, 3);
    HtmlTextOut(canvas, 4, 5, "<IMG SRC=\"logo.bmp\">");
    EXPECT_EQ(canvas.Calls("DrawGraphic"), std::vector<std::string>{"DrawGraphic(4,5,3,2)"});
    canvas.ClearLog();
    HtmlTextOut(canvas, 4, 5, "<IMG SRC=\"logo.bmp\" WIDTH=6 HEIGHT=4>");
    EXPECT_EQ(canvas.Calls("StretchGraphic"), std::vector<std::string>{"StretchGraphic(4,5,10,9)"});
    canvas.ClearLog();
    HtmlTextOut(canvas, 4, 5, "<IMG SRC=\"other.bmp\">");  // the hook fails: placeholder
    EXPECT_EQ(canvas.Calls("Rectangle").size(), 1u);
}

TEST_F(HtmlFixture, RaisedAndLoweredPartsEndWhereTheyBegan)
{
    auto yOf = [](const std::string& line) {
        const std::size_t a = line.find(','), b = line.find(',', a + 1);
        return std::stoi(line.substr(a + 1, b - a - 1));
    };
    for (const char* html : {"x<SUP>2</SUP>y", "x<SUB>2</SUB>y", "x<BIG>2</BIG>y", "x<SMALL>2</SMALL>y"}) {
        canvas.ClearLog();
        HtmlTextOut(canvas, 0, 30, html);
        const auto t = texts(canvas);
        ASSERT_EQ(t.size(), 3u) << html;
        EXPECT_EQ(yOf(t[0]), 30) << html;
        EXPECT_EQ(yOf(t[2]), 30) << html << ": the text after the part is back on the line";
    }
    canvas.ClearLog();
    HtmlTextOut(canvas, 0, 30, "x<SMALL>2</SMALL>");
    EXPECT_GT(yOf(texts(canvas)[1]), 30) << "smaller text sits lower";
}
