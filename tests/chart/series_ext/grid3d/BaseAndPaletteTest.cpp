// The 3-D series base (Z values, pictures, the depth view) and the palette colouring: range
// colours, the six palette styles, the palette legend, palette files and the stored palette.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "chart/core/ChartAxis.h"
#include "chart/series_ext/grid3d/SurfaceSeries.h"
#include "platform/classes/Filer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/series_ext/grid3d/Grid3DFixtures.h"
#include "tests/support/TempName.h"

namespace {

constexpr TColor rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

class Base3D : public Grid3DSuite {};
class Palette3D : public Grid3DSuite {};

TEST_F(Base3D, NewSeriesKeepsInsertionOrderAndNamesItsZList)
{
    TGridChart c;
    auto& s = c.Add<TSurfaceSeries>();
    EXPECT_EQ(s.TimesZOrder(), 3);
    EXPECT_EQ(s.ZValues()->Name(), "Z");
    s.InsertXYZ(5, 1, 2);
    s.InsertXYZ(1, 2, 3);
    EXPECT_DOUBLE_EQ(s.XValues()->ValueAt(0), 5);
    EXPECT_DOUBLE_EQ(s.ZValues()->ValueAt(1), 3);
    EXPECT_EQ(c.chart.DepthAxis()->IsDepthAxis(), true);
    EXPECT_EQ(s.GetAxisValueList(c.chart.DepthAxis()), s.ZValues());
    EXPECT_TRUE(s.IsBoundToAxis(c.chart.DepthAxis()));
}

TEST_F(Base3D, RefusedInsertAddsToNoList)
{
    TGridChart c;
    auto& s = c.Add<TSurfaceSeries>();
    s.SetOnBeforeAdd(TSeriesOnBeforeAdd([](TChartSeries*) { return false; }));
    EXPECT_EQ(s.InsertXYZ(1, 2, 3), -1);
    EXPECT_EQ(s.ZValues()->Count(), 0);
}

TEST_F(Base3D, PictureGivesOnePointPerPixelColumnByColumn)
{
    TGridChart c;
    auto& s = c.Add<TSurfaceSeries>();
    TBitmap picture(2, 3, pf24bit);
    const TColor colors[2][3] = {{clRed, clBlue, clBlack}, {clWhite, rgb(1, 2, 3), clRed}};
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 3; ++y) picture.Canvas()->SetPixels(x, y, colors[x][y]);
    struct Case {
        bool negative;
        double sign;
    };
    for (const Case k : {Case{false, 1}, Case{true, -1}}) {
        SCOPED_TRACE(k.negative);
        LoadSeriesFromPicture(s, picture, k.negative);
        ASSERT_EQ(s.Count(), 6);
        for (int i = 0; i < 6; ++i) {
            const int x = i / 3, z = i % 3;
            EXPECT_DOUBLE_EQ(s.ZValues()->ValueAt(i), z) << i;
            EXPECT_DOUBLE_EQ(s.YValues()->ValueAt(i), k.sign * static_cast<int>(colors[x][z])) << i;
        }
        EXPECT_DOUBLE_EQ(s.YValues()->ValueAt(0), 255 * k.sign);
        EXPECT_DOUBLE_EQ(s.YValues()->ValueAt(1), 16711680 * k.sign);
    }
}

TEST_F(Base3D, DepthViewReversesBetween90And270)
{
    struct Case {
        int rotation;
        bool inverted, reversed;
    };
    for (const Case k : {Case{90, false, false}, Case{91, false, true}, Case{269, false, true}, Case{270, false, false},
                         Case{90, true, true}, Case{91, true, false}, Case{269, true, false}, Case{270, true, true}}) {
        SCOPED_TRACE(testing::Message() << k.rotation << (k.inverted ? " inverted" : ""));
        TGridChart c;
        auto& s = c.Add<TSurfaceSeries>();
        c.Rotate(k.rotation);
        c.chart.DepthAxis()->SetInverted(k.inverted);
        EXPECT_EQ(IsDepthViewReversed(s), k.reversed);
    }
}

// Y 0..10 on one row.
TSurfaceSeries& RangeSeries(TGridChart& c)
{
    auto& s = c.Add<TSurfaceSeries>();
    for (int i = 0; i <= 10; ++i) s.InsertXYZ(i, i, 1);
    s.UpdateRangeScale();
    return s;
}

TEST_F(Palette3D, RangeColoursSpanTheYValuesAndClamp)
{
    TGridChart c;
    auto& s = RangeSeries(c);
    struct Case {
        double value;
        TColor color;
    };
    for (const Case k : {Case{0, clWhite}, Case{5, rgb(127, 127, 191)}, Case{10, rgb(0, 0, 128)}, Case{-1, clWhite},
                         Case{11, rgb(0, 0, 128)}}) {
        SCOPED_TRACE(k.value);
        EXPECT_EQ(s.ColorOfValue(k.value), k.color);
    }
    s.SetMidColor(clRed);
    EXPECT_EQ(s.RangeColorOfFraction(0.5), clRed);
    s.RemoveAllPoints();
    s.UpdateRangeScale();
    EXPECT_EQ(s.ColorOfValue(3), s.EndColor()) << "no points";
}

TEST_F(Palette3D, PaletteValueTakesTheFirstBoundNotBelowIt)
{
    TGridChart c;
    auto& s = RangeSeries(c);
    s.SetUseColorRange(false);
    s.SetUsePalette(true);
    s.ClearPalette();
    s.AddCustomPaletteEntry(clGreen, 30);
    s.AddCustomPaletteEntry(clRed, 10);
    s.AddCustomPaletteEntry(clBlue, 20);
    for (const auto& [value, color] : {std::pair{10.0, clRed}, {10.5, clBlue}, {31.0, clGreen}, {-5.0, clRed}})
        EXPECT_EQ(s.ColorOfValue(value), color) << value;
}

TEST_F(Palette3D, StylesBuildTheirColours)
{
    struct Case {
        TZebPaletteStyle style;
        int steps, entry;
        TColor color;
    };
    for (const Case k : {Case{psGrayScale, 32, 0, clBlack}, Case{psGrayScale, 32, 31, rgb(247, 247, 247)},
                         Case{psInvGray, 32, 0, clWhite}, Case{psPale, 32, 0, rgb(127, 127, 254)},
                         Case{psPale, 32, 1, rgb(133, 139, 253)}, Case{psPale, 32, 31, rgb(253, 139, 0)},
                         Case{psRainbow, 40, 25, RainbowPalette[0]}, Case{psRainbow, 40, 24, rgb(204, 0, 255)}}) {
        SCOPED_TRACE(testing::Message() << TZebPaletteStyleNames[k.style] << " " << k.entry);
        TGridChart c;
        auto& s = RangeSeries(c);
        s.SetPaletteStyle(k.style);
        s.SetPaletteSteps(k.steps);
        ASSERT_EQ(static_cast<int>(s.Palette().size()), k.steps);
        EXPECT_EQ(s.Palette()[static_cast<size_t>(k.entry)].Color, k.color);
    }
}

TEST_F(Palette3D, OneStepSitsAtTheMinimumAndCustomColoursRepeat)
{
    TGridChart c;
    auto& s = RangeSeries(c);
    s.SetPaletteSteps(1);
    ASSERT_EQ(s.Palette().size(), 1u);
    EXPECT_DOUBLE_EQ(s.Palette()[0].UpToValue, 0);
    s.SetPaletteStyle(psCustom);
    s.ClearPalette();
    for (const TColor color : {clRed, clGreen, clBlue}) s.AddCustomPaletteEntry(color, 0);
    s.SetPaletteSteps(5);
    ASSERT_EQ(s.Palette().size(), 5u);
    EXPECT_EQ(s.Palette()[3].Color, clRed);
    EXPECT_EQ(s.Palette()[4].Color, clGreen);
    EXPECT_DOUBLE_EQ(s.Palette()[4].UpToValue, 10);
}

TEST_F(Palette3D, LegendShowsEveryNthEntryFromTheTop)
{
    struct Case {
        int steps, every, items, first, last;
    };
    for (const Case k : {Case{32, 2, 16, 31, 1}, Case{31, 2, 16, 30, 0}, Case{32, 1, 32, 31, 0}}) {
        SCOPED_TRACE(testing::Message() << k.steps << " every " << k.every);
        TGridChart c;
        auto& s = RangeSeries(c);
        s.SetUseColorRange(false);
        s.SetUsePalette(true);
        s.SetPaletteStyle(psGrayScale);
        s.SetPaletteSteps(k.steps);
        s.SetLegendEvery(k.every);
        ASSERT_EQ(s.GetPointCount(), k.items);
        EXPECT_EQ(s.FormatLegendText(0, ltsXValue), std::to_string(k.first));
        EXPECT_EQ(s.FormatLegendText(k.items - 1, ltsXValue), std::to_string(k.last));
        EXPECT_EQ(s.GetLegendColor(0), s.Palette()[static_cast<size_t>(k.first)].Color);
        EXPECT_EQ(s.FormatLegendText(k.items, ltsXValue), "");
    }
}

TEST_F(Palette3D, PaletteFileRoundTripsInEitherLocaleAndABadLineKeepsThePalette)
{
    for (const char separator : {'.', ','}) {
        SCOPED_TRACE(separator);
        const TFormatSettings saved = FormatSettings;
        FormatSettings.DecimalSeparator = separator;
        TGridChart c;
        auto& s = RangeSeries(c);
        s.SetPaletteStyle(psCustom);
        s.ClearPalette();
        s.AddCustomPaletteEntry(clRed, 1.5);
        s.AddCustomPaletteEntry(clBlue, 7.25);
        const String file = testsupport::UniqueTempPath("tv_palette", ".txt").string();
        SavePaletteFile(s, file);
        auto& t = c.Add<TSurfaceSeries>();
        t.LoadPaletteFile(file);
        ASSERT_EQ(t.Palette().size(), 2u);
        EXPECT_DOUBLE_EQ(t.Palette()[1].UpToValue, 7.25);
        EXPECT_EQ(t.Palette()[1].Color, clBlue);
        EXPECT_TRUE(t.PaletteByHand());
        {
            std::ofstream bad(file);
            bad << "// Color Up to Value\n255 1.5\n" << static_cast<int>(clBlue) << " x7\n";
        }
        try {
            t.LoadPaletteFile(file);
            ADD_FAILURE() << "a bad line loads";
        } catch (const EConvertError& e) {
            EXPECT_NE(String(e.Message()).find("line 3"), String::npos) << e.Message();
        }
        EXPECT_EQ(t.Palette().size(), 2u) << "the old palette stays";
        {
            std::ofstream dot(file);
            dot << "255 2.5\n";
        }
        t.LoadPaletteFile(file);
        EXPECT_DOUBLE_EQ(t.Palette()[0].UpToValue, 2.5) << "a point loads in any locale";
        std::remove(file.c_str());
        FormatSettings = saved;
    }
}

TEST_F(Palette3D, CustomPaletteIsStoredAsCountThenValueAndColour)
{
    TGridChart c;
    auto& s = RangeSeries(c);
    s.SetPaletteStyle(psCustom);
    s.ClearPalette();
    s.AddCustomPaletteEntry(clRed, 1.5);
    s.AddCustomPaletteEntry(clBlue, -2);
    TMemoryStream stream;
    WriteComponentToStream(stream, &s);
    const auto* bytes = static_cast<const unsigned char*>(stream.Memory());
    const std::string all(reinterpret_cast<const char*>(bytes), static_cast<size_t>(stream.Size()));
    const size_t at = all.find("CustomPalette");
    ASSERT_NE(at, std::string::npos);
    // Name, the binary value tag and its 32-bit length, then the palette.
    std::int32_t length = 0, count = 0, color0 = 0, color1 = 0;
    double value0 = 0, value1 = 0;
    const char* p = all.data() + at + 13 + 1;
    std::memcpy(&length, p, 4);
    std::memcpy(&count, p + 4, 4);
    std::memcpy(&value0, p + 8, 8);
    std::memcpy(&color0, p + 16, 4);
    std::memcpy(&value1, p + 20, 8);
    std::memcpy(&color1, p + 28, 4);
    EXPECT_EQ(length, 4 + 2 * 12);
    EXPECT_EQ(count, 2);
    EXPECT_DOUBLE_EQ(value0, -2);
    EXPECT_EQ(color0, static_cast<std::int32_t>(clBlue));
    EXPECT_DOUBLE_EQ(value1, 1.5);
    EXPECT_EQ(color1, static_cast<std::int32_t>(clRed));
    stream.SetPosition(0);
    auto& t = c.Add<TSurfaceSeries>();
    ReadComponentFromStream(stream, &t);
    ASSERT_EQ(t.Palette().size(), 2u);
    EXPECT_EQ(t.Palette()[1].Color, clRed);
}

}  // namespace
