// The printer into PDF files, checked with poppler's pdfinfo and pdftoppm.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "platform/forms/Printers.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/rtl/Files.h"
#include "tests/support/Commands.h"

namespace {

String Run(const String& command) { return RunCommand(command); }

bool HavePoppler() { return HaveProgram("pdfinfo") && HaveProgram("pdftoppm"); }

// The value of one "Name: value" line of pdfinfo.
String Info(const String& pdf, const String& field)
{
    std::istringstream in(Run("pdfinfo '" + pdf + "' 2>/dev/null"));
    for (String line; std::getline(in, line);)
        if (line.rfind(field + ":", 0) == 0) {
            const auto v = line.find_first_not_of(' ', field.size() + 1);
            return v == String::npos ? "" : line.substr(v);
        }
    return "<none>";
}

// One page rendered at a low resolution, as rows of RGB bytes.
struct Page {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    // 'k' dark, 'w' light, 'r' red, 'b' blue, '?' anything else.
    char At(double fx, double fy) const
    {
        const size_t i = 3 * (static_cast<size_t>(fy * height) * width + static_cast<size_t>(fx * width));
        const int r = rgb[i], g = rgb[i + 1], b = rgb[i + 2];
        if (r < 60 && g < 60 && b < 60) return 'k';
        if (r > 200 && g > 200 && b > 200) return 'w';
        if (r > 200 && g < 60 && b < 60) return 'r';
        if (r < 60 && g < 60 && b > 200) return 'b';
        return '?';
    }
};

Page Render(const String& pdf, int page)
{
    const String base = ChangeFileExt(pdf, "") + "-page";
    Run("pdftoppm -r 20 -singlefile -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + pdf + "' '" +
        base + "'");
    Page p;
    std::ifstream in(base + ".ppm", std::ios::binary);
    String magic;
    int maxValue = 0;
    in >> magic >> p.width >> p.height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255) return {};
    p.rgb.resize(static_cast<size_t>(p.width) * p.height * 3);
    in.read(reinterpret_cast<char*>(p.rgb.data()), static_cast<std::streamsize>(p.rgb.size()));
    return p;
}

struct PdfPrinter : ::testing::Test {
    void SetUp() override
    {
        if (!HavePoppler()) GTEST_SKIP() << "poppler-utils (pdfinfo, pdftoppm) are not installed";
        file = IncludeTrailingPathDelimiter(::testing::TempDir()) + "printer-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf";
        DeleteFile(file);
        printer.SetOutputFileName(file);
    }
    String file;
    TPrinter printer;
};

TEST_F(PdfPrinter, PagesTitleAndDrawingReachTheFile)
{
    printer.SetTitle("Tilt chart");
    printer.BeginDoc();
    EXPECT_TRUE(printer.Printing());
    EXPECT_EQ(printer.PageNumber(), 1);
    const int w = printer.PageWidth(), h = printer.PageHeight();
    TCanvas* canvas = printer.Canvas();
    canvas->Brush()->SetColor(clRed);
    canvas->Pen()->SetStyle(psClear);
    canvas->Rectangle(0, 0, w / 2, h / 2);  // the top left quarter
    printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), 2);
    canvas->Brush()->SetColor(clBlue);
    canvas->Rectangle(w / 2, h / 2, w, h);  // the bottom right quarter
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_FALSE(printer.Aborted());

    EXPECT_EQ(Info(file, "Pages"), "2");
    EXPECT_EQ(Info(file, "Title"), "Tilt chart");
    const Page one = Render(file, 1), two = Render(file, 2);
    ASSERT_GT(one.width, 0);
    EXPECT_EQ(one.At(0.2, 0.2), 'r');
    EXPECT_EQ(one.At(0.7, 0.7), 'w');
    EXPECT_EQ(two.At(0.2, 0.2), 'w');
    EXPECT_EQ(two.At(0.7, 0.7), 'b');
}

TEST_F(PdfPrinter, PageSizeResolutionAndOrientation)
{
    const int w = printer.PageWidth(), h = printer.PageHeight();
    EXPECT_EQ(printer.XDpi(), 600);
    EXPECT_EQ(printer.YDpi(), 600);
    EXPECT_GT(h, w);
    HDC info = printer.Handle();
    EXPECT_EQ(GetDeviceCaps(info, HORZRES), w);
    EXPECT_EQ(GetDeviceCaps(info, LOGPIXELSY), 600);
    EXPECT_NEAR(GetDeviceCaps(info, HORZSIZE), w * 25.4 / 600, 1);

    // The printable area lies within the paper pdfinfo reports (points of 1/72 inch).
    printer.BeginDoc();
    EXPECT_EQ(GetDeviceCaps(printer.Canvas()->Handle(), HORZRES), w);
    EXPECT_EQ(GetDeviceCaps(printer.Canvas()->Handle(), LOGPIXELSX), 600);
    printer.EndDoc();
    double paperW = 0, paperH = 0;
    ASSERT_EQ(std::sscanf(Info(file, "Page size").c_str(), "%lf x %lf", &paperW, &paperH), 2);
    EXPECT_LE(w, paperW / 72 * 600 + 1);
    EXPECT_GT(w, paperW / 72 * 600 * 0.8);
    EXPECT_LE(h, paperH / 72 * 600 + 1);

    printer.SetOrientation(poLandscape);
    EXPECT_EQ(printer.PageWidth(), h);
    EXPECT_EQ(printer.PageHeight(), w);
}

TEST_F(PdfPrinter, AnisotropicMappingScalesALogicalPanelOntoThePage)
{
    printer.BeginDoc();
    HDC dc = printer.Canvas()->Handle();
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 400, 250, nullptr);
    SetViewportExtEx(dc, printer.PageWidth(), printer.PageHeight(), nullptr);
    printer.Canvas()->Brush()->SetColor(clBlack);
    printer.Canvas()->FillRect(Rect(0, 0, 200, 250));  // the left half, whatever the page's pixels
    printer.EndDoc();
    const Page p = Render(file, 1);
    ASSERT_GT(p.width, 0);
    EXPECT_EQ(p.At(0.1, 0.5), 'k');
    EXPECT_EQ(p.At(0.45, 0.9), 'k');
    EXPECT_EQ(p.At(0.55, 0.5), 'w');
}

TEST_F(PdfPrinter, CallsOutOfOrderRaise)
{
    EXPECT_THROW(printer.NewPage(), EPrinter);
    EXPECT_THROW(printer.EndDoc(), EPrinter);
    EXPECT_THROW(printer.Canvas()->Rectangle(0, 0, 10, 10), EPrinter);
    printer.Abort();  // nothing to abort
    EXPECT_FALSE(printer.Aborted());
    printer.BeginDoc();
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    EXPECT_THROW(printer.SetOutputFileName("other.pdf"), EPrinter);
    EXPECT_THROW(printer.SetOrientation(poLandscape), EPrinter);
    printer.EndDoc();
    EXPECT_EQ(Info(file, "Pages"), "1");
}

TEST_F(PdfPrinter, AbortLeavesNoDocument)
{
    printer.BeginDoc();
    printer.Canvas()->Rectangle(0, 0, 100, 100);
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(printer.Printing());
    EXPECT_FALSE(FileExists(file));
    printer.BeginDoc();  // the next job starts afresh
    EXPECT_FALSE(printer.Aborted());
    printer.EndDoc();
    EXPECT_TRUE(FileExists(file));
}

TEST(Printer, WithoutPrinterOrFileEveryUseRaises)
{
    TPrinter printer;
    try {
        printer.PageWidth();
    } catch (const EPrinter& e) {
        EXPECT_NE(String(e.what()).find("no printer"), String::npos) << e.what();
        EXPECT_THROW(printer.BeginDoc(), EPrinter);
        EXPECT_FALSE(printer.Printing());
        EXPECT_THROW(printer.Handle(), EPrinter);
        return;
    }
    GTEST_SKIP() << "this machine has a printer";
}

TEST(Printer, TheProgramsPrinterCanBeReplaced)
{
    TPrinter* first = Printer();
    EXPECT_EQ(Printer(), first);
    auto* mine = new TPrinter;
    EXPECT_EQ(SetPrinter(mine), mine);
    EXPECT_EQ(Printer(), mine);
}

}  // namespace
