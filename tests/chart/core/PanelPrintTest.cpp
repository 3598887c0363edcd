// Pictures and printing of the panel: bitmaps, metafiles, page rectangles.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "PanelFixture.h"
#include "tests/support/Commands.h"
#include "chart/canvas/Gradient.h"
#include "platform/classes/ObjectText.h"
#include "platform/forms/Printers.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Metafile.h"
#include "tests/support/FormSupport.h"
#include "tests/support/TempName.h"

namespace {

class PanelPrintTest : public PanelSuite {};

int DifferingPixels(TBitmap& a, TBitmap& b)
{
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const auto p = static_cast<std::uint32_t>(a.Canvas()->Pixels(x, y));
            const auto q = static_cast<std::uint32_t>(b.Canvas()->Pixels(x, y));
            for (int shift : {0, 8, 16})
                if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)) > 24) {
                    ++differing;
                    break;
                }
        }
    return differing;
}

void Gradient(TTestPanel& panel)
{
    TZebGradient& g = *panel.Gradient();
    g.SetDirection(gdBottomTop);
    g.SetStartColor(clBlack);
    g.SetMidColor(clNavy);
    g.SetEndColor(clBlack);
    g.SetVisible(true);
}

TEST_F(PanelPrintTest, ABitmapFromAValidBufferDrawsNothing)
{
    TTestPanel panel(nullptr);
    Gradient(panel);
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    ASSERT_EQ(panel.Draws, 1);
    TOwnedPtr<TBitmap> copy(panel.MakeBitmap(panel.Color(), panel.GetPanelRect()));
    EXPECT_EQ(panel.Draws, 1);
    EXPECT_EQ(copy->Width(), 400);
    EXPECT_EQ(copy->Canvas()->Pixels(200, 125), window.Canvas()->Pixels(200, 125));

    TOwnedPtr<TBitmap> other(panel.MakeBitmap(clRed, panel.GetPanelRect()));  // another colour: drawn
    EXPECT_EQ(panel.Draws, 2);
    EXPECT_EQ(other->Canvas()->Pixels(200, 125), window.Canvas()->Pixels(200, 125));
}

TEST_F(PanelPrintTest, ABitmapWithoutColourIsTransparent)
{
    TTestPanel panel(nullptr);
    TOwnedPtr<TBitmap> bitmap(panel.MakeBitmap(clNone, {0, 0, 100, 60}));
    EXPECT_TRUE(bitmap->Transparent());
    EXPECT_EQ(bitmap->TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap->TransparentColor(), clNone);
    TOwnedPtr<TBitmap> plain(panel.MakeBitmap(clWhite, {0, 0, 100, 60}));
    EXPECT_FALSE(plain->Transparent());
}

TEST_F(PanelPrintTest, TheResolutionIsWrittenIntoTheBitmap)
{
    TTestPanel panel(nullptr);
    TOwnedPtr<TBitmap> bitmap(panel.MakeBitmap(clWhite, {0, 0, 80, 50}, pf24bit, 96));
    const auto file = testsupport::UniqueTempPath("tv_panel_resolution", ".bmp");
    bitmap->SaveToFile(file.string());
    const std::string out = RunCommand("identify -units PixelsPerInch -format '%x %y' " + file.string() + " 2>&1");
    std::filesystem::remove(file);
    double x = 0, y = 0;
    ASSERT_EQ(std::sscanf(out.c_str(), "%lf %lf", &x, &y), 2) << out;
    EXPECT_NEAR(x, 96, 0.05);
    EXPECT_NEAR(y, 96, 0.05);
}

TEST_F(PanelPrintTest, AnEmptyMetafileIsOnePixelAndAPanelsMetafileLooksLikeItsBitmap)
{
    TTestPanel panel(nullptr);
    TOwnedPtr<TMetafile> empty(panel.RenderToMetafile(true, {}));
    EXPECT_EQ(empty->Width(), 1);
    EXPECT_EQ(empty->Height(), 1);

    panel.SetColor(clSilver);
    Gradient(panel);
    TOwnedPtr<TMetafile> metafile(panel.RenderToMetafile(true, panel.GetPanelRect()));
    EXPECT_TRUE(metafile->Enhanced());
    EXPECT_EQ(metafile->Width(), 400);
    TBitmap played(400, 250, pf24bit);
    metafile->Draw(*played.Canvas(), {0, 0, 400, 250});
    TOwnedPtr<TBitmap> drawn(panel.MakeBitmap(clWhite, panel.GetPanelRect(), pf24bit));
    EXPECT_LT(DifferingPixels(played, *drawn), 400 * 250 / 100);
}

TEST_F(PanelPrintTest, MarginsThatKeepThePanelsAspectOnThePage)
{
    TTestPanel panel(nullptr);
    EXPECT_EQ(panel.AspectKeepingMarginsFor(4800, 6600, 1), (TRect{15, 34, 15, 34}));
    panel.SetBounds(0, 0, 250, 400);  // taller than wide: left and right follow
    EXPECT_EQ(panel.AspectKeepingMarginsFor(6600, 4800, 1), (TRect{34, 15, 34, 15}));
    // A panel without an extent keeps the stored margins.
    panel.SetPrintMargins({15, 21, 15, 21});
    panel.SetBounds(0, 0, 0, 250);
    EXPECT_EQ(panel.AspectKeepingMarginsFor(4800, 6600, 1), (TRect{15, 21, 15, 21}));
    EXPECT_EQ(panel.MarginsToPageRect(4800, 6600), (TRect{720, 1386, 4080, 5214}));
}

struct ResolutionCase {
    const char* name;
    int resolution;
    TRect print;
    int logicalWidth, logicalHeight;
    TRect converted;
};

TEST_F(PanelPrintTest, PrintResolutionScalesTheLogicalPage)
{
    const ResolutionCase cases[] = {
        {"as on screen", 0, {0, 0, 800, 500}, 400, 250, {0, 0, 400, 250}},
        {"fewer logical pixels", 50, {100, 100, 900, 600}, 200, 125, {25, 25, 225, 150}},
        {"more logical pixels", -100, {0, 0, 800, 500}, 800, 500, {0, 0, 800, 500}},
        {"100 keeps one pixel", 100, {0, 0, 800, 500}, 1, 1, {0, 0, 1, 1}},
        {"beyond 100 keeps one pixel", 150, {0, 0, 800, 500}, 1, 1, {0, 0, 1, 1}},
        {"an empty print rectangle", 0, {10, 10, 10, 10}, 400, 250, {4000, 2500, 4000, 2500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTestPanel panel(nullptr);
        panel.SetPrintResolution(c.resolution);
        TRect print = c.print;
        int lw = 0, lh = 0, dw = 0, dh = 0;
        panel.ApplyPrintResolution(print, panel.GetPanelRect(), lw, lh, dw, dh);
        EXPECT_EQ(lw, c.logicalWidth);
        EXPECT_EQ(lh, c.logicalHeight);
        EXPECT_EQ(dw, c.print.Width());
        EXPECT_EQ(print, c.converted);
    }
}

TEST_F(PanelPrintTest, PrintMarginsAreStoredOnlyWhenTheyDifferFromFifteen)
{
    RegisterClass(TTestPanel::StaticClass());
    TTestPanel panel(nullptr);
    panel.SetName("Chart1");
    EXPECT_EQ(ComponentToText(&panel).find("PrintMargins"), String::npos);
    panel.SetPrintMargins({15, 21, 15, 21});
    const String text = ComponentToText(&panel);
    EXPECT_NE(text.find("PrintMargins = (\r\n    15\r\n    21\r\n    15\r\n    21)"), String::npos) << text;
    auto form = testsupport::LoadForm<TForm>("object Form1: TForm\r\n" + text + "end\r\n");
    EXPECT_EQ(testsupport::Find<TTestPanel>(*form, "Chart1").PrintMargins(), (TRect{15, 21, 15, 21}));
}

}  // namespace

namespace {

TEST_F(PanelPrintTest, APanelPrintedIntoAPdfFillsItsPageRectangle)
{
    const auto pdf = testsupport::UniqueTempPath("tv_panel_print", ".pdf");
    TPrinter* printer = SetPrinter(new TPrinter);
    printer->SetOutputFileName(pdf.string());
    printer->SetTitle("Chart");
    TTestPanel panel(nullptr);
    panel.SetBounds(0, 0, 697, 377);
    panel.SetColor(clSilver);
    Gradient(panel);
    const TRect page = panel.PrintPageRect();
    EXPECT_EQ(panel.PrintMargins().Left, 15);
    EXPECT_EQ(page, panel.MarginsToPageRect(printer->PageWidth(), printer->PageHeight()));
    printer->BeginDoc();
    panel.PrintToCanvas(printer->Canvas(), page);
    printer->EndDoc();
    EXPECT_FALSE(panel.Printing());
    EXPECT_EQ(panel.PrintRect(), page);

    const std::string info = RunCommand("pdfinfo " + pdf.string() + " 2>&1");
    int pages = 0;
    const auto at = info.find("Pages:");
    ASSERT_NE(at, std::string::npos) << info;
    std::sscanf(info.c_str() + at, "Pages: %d", &pages);
    EXPECT_EQ(pages, 1);
    const auto png = testsupport::UniqueTempPath("tv_panel_print");
    RunCommand("pdftoppm -png -r 30 -singlefile " + pdf.string() + " " + png.string());
    TPicture picture;
    picture.LoadFromFile(png.string() + ".png");
    TBitmap shot;
    shot.Assign(picture.Graphic());
    ASSERT_GT(shot.Width(), 100);
    if (const char* look = std::getenv("TV_LOOK_DIR"))
        std::filesystem::copy_file(png.string() + ".png", std::string(look) + "/panel_printed_page.png",
                                   std::filesystem::copy_options::overwrite_existing);
    // White paper around the panel, which is centred on the page: its middle shows the navy.
    auto rgb = [&shot](int x, int y) { return static_cast<std::uint32_t>(shot.Canvas()->Pixels(x, y)) & 0xFFFFFFu; };
    EXPECT_EQ(rgb(2, 2), 0xFFFFFFu);
    const std::uint32_t middle = rgb(shot.Width() / 2, shot.Height() / 2);
    EXPECT_GT(middle >> 16 & 0xFF, 0x60u) << std::hex << middle;
    EXPECT_LT(middle & 0xFFFF, 0x3030u) << std::hex << middle;
    std::filesystem::remove(pdf);
    std::filesystem::remove(png.string() + ".png");
    SetPrinter(new TPrinter);
}

// A handler that aborts the job frees the page's device context while the panel draws on it: the
// panel must not restore the device's mapping afterwards, yet its own printing state comes back.
TEST_F(PanelPrintTest, AJobAbortedWhileAPageIsDrawnLeavesThePanelUsable)
{
    const auto pdf = testsupport::UniqueTempPath("tv_panel_abort", ".pdf");
    TPrinter* printer = SetPrinter(new TPrinter);
    printer->SetOutputFileName(pdf.string());
    TTestPanel panel(nullptr);
    panel.SetBounds(0, 0, 300, 200);
    struct Case {
        const char* name;
        bool clipping;
        bool drawAfter;  // the handler draws again after the abort
    };
    const Case cases[] = {{"clipped", true, false}, {"unclipped", false, false}, {"drawing on", true, true}};
    for (const Case& c : cases) {
        PrintClipping = c.clipping;
        panel.Content = [&](TTestPanel& p, const TRect& rect) {
            Printer()->Abort();
            if (c.drawAfter) p.PaintPanelBackground(rect);
        };
        printer->BeginDoc();
        const TRect page = panel.PrintPageRect();
        try {
            panel.PrintToCanvas(printer->Canvas(), page);
        } catch (const Exception& e) {
            EXPECT_TRUE(c.drawAfter) << c.name << ": " << e.Message();
        }
        EXPECT_FALSE(printer->Printing()) << c.name;
        EXPECT_TRUE(printer->Aborted()) << c.name;
        EXPECT_FALSE(panel.Printing()) << c.name;
        EXPECT_FALSE(std::filesystem::exists(pdf)) << c.name;
    }
    PrintClipping = true;
    // The panel still draws on screen and the printer starts a new job.
    panel.Content = nullptr;
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    printer->BeginDoc();
    panel.PrintToCanvas(printer->Canvas(), panel.PrintPageRect());
    printer->EndDoc();
    EXPECT_TRUE(std::filesystem::exists(pdf));
    std::filesystem::remove(pdf);
    SetPrinter(new TPrinter);
}

TEST_F(PanelPrintTest, TheRoundedBorderShapesTheWindowAndFollowsItsSize)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 500, 400);
    TTestPanel& panel = *new TTestPanel(form.get());
    panel.SetParent(form.get());
    panel.SetBounds(10, 10, 200, 100);
    panel.SetBorderRound(30);
    TRegion region;
    ASSERT_TRUE(panel.GetWindowRgn(region));
    EXPECT_TRUE(region.Contains({100, 50}));
    EXPECT_FALSE(region.Contains({1, 1}));
    EXPECT_FALSE(region.Contains({198, 98}));
    panel.SetBounds(10, 10, 300, 200);
    ASSERT_TRUE(panel.GetWindowRgn(region));
    EXPECT_TRUE(region.Contains({280, 100}));
    EXPECT_FALSE(region.Contains({298, 198}));
    panel.SetBorderRound(0);
    EXPECT_FALSE(panel.GetWindowRgn(region));
}

}  // namespace
