#include <gtest/gtest.h>

#include <vector>

#include "chart/core/ColorPalette.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/TextRoutines.h"
#include "chart/core/ZebProcs.h"
#include "platform/classes/Component.h"
#include "platform/forms/Forms.h"

TEST(EngineRoutines, StartUpAndShutDown)
{
    StartChartEngine();
    EXPECT_EQ(DefaultCanvasClassName, "TGDIPlusCanvas");
    EXPECT_EQ(LineBreakChar, '\r');
    EXPECT_EQ(FieldSeparator, ";");
    EXPECT_EQ(DefaultColorPalette.size(), 20u);
    EXPECT_NE(Screen->Cursors(crZebHand), Screen->Cursors(crDefault));

    StopChartEngine();
    EXPECT_TRUE(DefaultCanvasClassName.empty());
    EXPECT_EQ(LineBreakChar, '\0');
    EXPECT_TRUE(FieldSeparator.empty());
    EXPECT_TRUE(DefaultColorPalette.empty());
    EXPECT_EQ(Screen->Cursors(crZebHand), Screen->Cursors(crDefault));  // removed: the default answers
}

TEST(EngineRoutines, Palette)
{
    SetDefaultPalette({});
    struct Case {
        int index;
        TColor color;
    };
    const Case cases[] = {
        {0, 0x0000FF}, {1, 0x008000}, {13, 0xC0C0C0}, {15, 0x000000}, {19, 0xA4A0A0}, {20, 0x0000FF}, {41, 0x008000},
    };
    for (const Case& c : cases) EXPECT_EQ(DefaultPaletteColor(c.index), c.color) << c.index;

    const std::vector<TColor> two{clRed, clBlue};
    SetDefaultPalette(two);
    EXPECT_EQ(DefaultPaletteColor(0), clRed);
    EXPECT_EQ(DefaultPaletteColor(3), clBlue);
    SetDefaultPalette({});  // back to the 20 colours
    EXPECT_EQ(DefaultColorPalette.size(), 20u);
    EXPECT_EQ(DefaultPaletteColor(2), 0x00FFFF);

    DefaultColorPalette.clear();
    EXPECT_EQ(DefaultPaletteColor(3), clNone);  // an empty palette divides by nothing
    SetDefaultPalette({});
}

TEST(EngineRoutines, UniqueComponentNameTakesTheFirstGap)
{
    TOwnedPtr<TComponent> form(new TComponent(nullptr));
    (new TComponent(form.get()))->SetName("Series1");
    (new TComponent(form.get()))->SetName("Series3");
    EXPECT_EQ(UniqueComponentName(form.get(), "Series"), "Series2");
    EXPECT_EQ(UniqueComponentName(nullptr, "Series"), "Series1");
}
