// Picture export formats: the registry, sizes, options, files the outside tools read, the clipboard.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "PictureFixtures.h"
#include "chart/canvas/FilterColor.h"
#include "chart/canvas/Filters.h"
#include "chart/canvas/HtmlText.h"
#include "chart/canvas/ImageFiltered.h"
#include "chart/io/ZebBmpOptions.h"
#include "chart/io/ZebEmfOptions.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"

namespace {

namespace fs = std::filesystem;

class PictureExport : public PictureChart {};

// The save dialog's filter list as the export dialog builds it: every format's entries in
// registration order, each format taking its indexes.
String FilterList(std::vector<TOwnedPtr<TZebExportFormat>>& formats)
{
    String list;
    int counter = 0;
    for (int i = 0; i < ExportFormatClasses()->Count(); ++i) {
        formats.emplace_back(dynamic_cast<TZebExportFormat*>(ExportFormatClasses()->GetFormatClass(i)->CreateInstance()));
        formats.back()->TakeFilterIndex(counter);
        if (!list.empty()) list += "|";
        list += formats.back()->GetFilterText();
    }
    return list;
}

TEST_F(PictureExport, TheRegistryListsTheMetafileThenTheBitmapFormatWithTheirFilterIndexes)
{
    ASSERT_NE(ExportFormatClasses(), nullptr);
    std::vector<TOwnedPtr<TZebExportFormat>> formats;
    EXPECT_EQ(FilterList(formats), "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|Bitmaps (*.bmp)|*.bmp");
    ASSERT_EQ(formats.size(), 2u);
    TZebExportFormat& emf = *formats[0];
    TZebExportFormat& bmp = *formats[1];
    EXPECT_EQ(emf.GetDescriptionText(), "as &Metafile");
    EXPECT_EQ(bmp.GetDescriptionText(), "as &Bitmap");
    EXPECT_EQ(emf.GetFilterIndex(), 1);
    EXPECT_EQ(bmp.GetFilterIndex(), 3);
    EXPECT_FALSE(bmp.OwnsFilterIndex(2));
    EXPECT_TRUE(bmp.OwnsFilterIndex(3));
    EXPECT_EQ(emf.GetDefaultExtension(), "emf");
    EXPECT_EQ(emf.GetOptionsForm(false), nullptr);  // asking made no form
    EXPECT_TRUE(emf.OwnsFilterIndex(1));
    EXPECT_EQ(emf.GetDefaultExtension(), "emf");
    EXPECT_FALSE(emf.OwnsFilterIndex(3));
    EXPECT_TRUE(emf.OwnsFilterIndex(2));
    EXPECT_EQ(emf.GetDefaultExtension(), "wmf");
    EXPECT_EQ(emf.GetFilterIndex(), 2);
    // The first entry is the enhanced kind again.
    EXPECT_TRUE(emf.OwnsFilterIndex(1));
    EXPECT_EQ(emf.GetDefaultExtension(), "emf");
    EXPECT_EQ(emf.GetFilterIndex(), 1);
    EXPECT_EQ(bmp.GetDefaultExtension(), "bmp");
}

TEST_F(PictureExport, AClassRegisteredTwiceIsListedOnceAndRemovedOnce)
{
    const int count = ExportFormatClasses()->Count();
    AddExportFormatClass(TBMPExportFormat::StaticClass());
    EXPECT_EQ(ExportFormatClasses()->Count(), count);
    RemoveExportFormatClass(TBMPExportFormat::StaticClass());
    EXPECT_EQ(ExportFormatClasses()->IndexOf(TBMPExportFormat::StaticClass()), -1);
    AddExportFormatClass(TBMPExportFormat::StaticClass());
    EXPECT_EQ(ExportFormatClasses()->IndexOf(TBMPExportFormat::StaticClass()), count - 1);
}

TEST_F(PictureExport, TheCanvasLayerFindsPictureClassesByExtension)
{
    ASSERT_TRUE(GraphicForExtensionHook());
    struct Case {
        const char* extension;
        const TMetaClass* graphic;
    };
    for (const Case& c : {Case{".EMF", &TMetafile::StaticClass()}, Case{".BMP", &TBitmap::StaticClass()},
                          Case{".WMF", nullptr}, Case{".emf", nullptr}, Case{"EMF", nullptr}, Case{".PNG", nullptr}}) {
        TOwnedPtr<TGraphic> graphic(GraphicForExtensionHook()(c.extension));
        EXPECT_EQ(graphic ? &graphic->ClassType() : nullptr, c.graphic) << c.extension;
    }
}

TEST_F(PictureExport, WithoutAPanelNothingIsWritten)
{
    const fs::path path = TempFile("tv_export_nopanel", ".bmp");
    TBMPExportFormat bmp;
    TEMFExportFormat emf;
    for (TZebExportFormat* format : {static_cast<TZebExportFormat*>(&bmp), static_cast<TZebExportFormat*>(&emf)}) {
        try {
            format->WritePictureFile(path.string());
            ADD_FAILURE() << "no error";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), "Panel property is not set in Export format");
        }
        EXPECT_THROW(format->CopyPictureToClipboard(), Exception);
        EXPECT_FALSE(fs::exists(path));
        EXPECT_EQ(format->GetOptionsForm(false), nullptr);
    }
}

TEST_F(PictureExport, SizesComeFromThePanelWhereWidthOrHeightIsZero)
{
    TBMPExportFormat format;
    format.SetPanel(chart);
    std::unique_ptr<TBitmap> full(format.MakeBitmap());
    EXPECT_EQ(full->Width(), 480);
    EXPECT_EQ(full->Height(), 300);
    TBMPExportFormat narrow;
    narrow.SetPanel(chart);
    narrow.SetWidth(300);
    std::unique_ptr<TBitmap> bitmap(narrow.MakeBitmap());
    EXPECT_EQ(bitmap->Width(), 300);
    EXPECT_EQ(bitmap->Height(), 300);
    TEMFExportFormat metafileFormat;
    metafileFormat.SetPanel(chart);
    metafileFormat.SetWidth(300);
    TOwnedPtr<TMetafile> metafile(metafileFormat.MakeMetafile());
    EXPECT_EQ(metafile->Width(), 300);
    EXPECT_EQ(metafile->Height(), 300);
}

TEST_F(PictureExport, EveryScaleGivesABitmapOfWidthByHeight)
{
    for (float scale : {1.0f, 0.0f, -1.0f, 0.5f, 2.0f}) {
        TBMPExportFormat format;
        format.SetPanel(chart);
        format.SetScale(scale);
        format.SetWidth(240);
        format.SetHeight(150);
        const TRect bounds = format.GetScaledBounds();
        EXPECT_EQ(bounds.Right, scale > 0 ? std::lround(240 * scale) : 240) << scale;
        std::unique_ptr<TBitmap> bitmap(format.MakeBitmap());
        EXPECT_EQ(bitmap->Width(), 240) << scale;
        EXPECT_EQ(bitmap->Height(), 150) << scale;
    }
}

TEST_F(PictureExport, TheScaledBoundsRoundHalvesToEven)
{
    TBMPExportFormat format;
    format.SetWidth(5);
    format.SetHeight(3);
    format.SetScale(0.5f);
    const TRect bounds = format.GetScaledBounds();
    EXPECT_EQ(bounds.Right, 2);   // 2.5
    EXPECT_EQ(bounds.Bottom, 2);  // 1.5
}

TEST_F(PictureExport, TheOptionsFormsComeFromTheirStoredDescriptions)
{
    TBMPExportFormat bmp;
    auto* options = dynamic_cast<TBMPOptions*>(bmp.GetOptionsForm(true));
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->ExportFormat(), &bmp);
    const char* colours[] = {"Default",        "2 (1 bit)",     "16 (4 bit)",   "256 (8 bit)",
                             "32768 (15 bit)", "65536 (16 bit)", "16M (24 bit)", "16M (32 bit)"};
    ASSERT_EQ(options->CBColors->Items()->Count(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(options->CBColors->Items()->Strings(i), colours[i]);
    EXPECT_EQ(options->CBColors->ItemIndex(), 0);
    EXPECT_EQ(options->CBMono->Caption(), "&Monochrome");
    EXPECT_EQ(options->EDpi->Text(), "0");
    EXPECT_EQ(options->UDDpi->Max(), 3000);
    EXPECT_EQ(options->Dpi(), 0);
    EXPECT_EQ(options->FindComponent("BFilters"), nullptr);
    options->CBMono->SetChecked(true);  // the click handler runs
    EXPECT_FALSE(options->CBColors->Enabled());
    options->CBMono->SetChecked(false);
    EXPECT_TRUE(options->CBColors->Enabled());

    TEMFExportFormat emf;
    auto* emfOptions = dynamic_cast<TEMFOptions*>(emf.GetOptionsForm(true));
    ASSERT_NE(emfOptions, nullptr);
    EXPECT_EQ(emfOptions->CBEnhanced->Caption(), "&Enhanced");
    EXPECT_TRUE(emf.IsEnhanced());
    emf.SetEnhanced(false);
    EXPECT_FALSE(emfOptions->CBEnhanced->Checked());
    EXPECT_EQ(emf.GetDefaultExtension(), "wmf");
}

TEST_F(PictureExport, ThePreviewsShowTheChart)
{
    TBMPExportFormat bmp;
    bmp.SetPanel(chart);
    auto* options = bmp.EnsureOptionsForm();
    options->FormShow(options);
    ASSERT_NE(options->ImageFiltered1->Picture()->Graphic(), nullptr);
    EXPECT_EQ(options->ImageFiltered1->Picture()->Graphic()->Width(), 480);

    TEMFExportFormat emf;
    emf.SetPanel(chart);
    auto* emfOptions = dynamic_cast<TEMFOptions*>(emf.GetOptionsForm(true));
    emfOptions->FormShow(emfOptions);
    auto* shown = dynamic_cast<TMetafile*>(emfOptions->ImagePreview->Picture()->Graphic());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->Enhanced());
    emf.SetEnhanced(false);  // the click refreshes the preview
    shown = dynamic_cast<TMetafile*>(emfOptions->ImagePreview->Picture()->Graphic());
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->Enhanced());
}

TEST_F(PictureExport, TheFormatsFiltersApplyToTheExportedBitmap)
{
    TBMPExportFormat plain, inverted;
    for (auto* format : {&plain, &inverted}) format->SetPanel(chart);
    inverted.Filters()->Add(TInvertFilter::StaticClass());
    std::unique_ptr<TBitmap> a(plain.MakeFilteredBitmap()), b(inverted.MakeFilteredBitmap());
    ASSERT_EQ(a->Width(), b->Width());
    for (auto [x, y] : {std::pair{5, 5}, std::pair{240, 150}}) {
        const auto p = static_cast<std::uint32_t>(a->Canvas()->Pixels(x, y));
        const auto q = static_cast<std::uint32_t>(b->Canvas()->Pixels(x, y));
        EXPECT_EQ(p ^ 0xFFFFFFu, q) << x << "," << y;
    }
}

TEST_F(PictureExport, AGivenOptionsFormServesOneCall)
{
    TBMPExportFormat format, other;
    format.SetPanel(chart);
    TBMPOptions* own = format.EnsureOptionsForm();
    TBMPOptions* given = other.EnsureOptionsForm();
    given->CBColors->SetItemIndex(3);
    std::unique_ptr<TBitmap> bitmap(format.MakeFilteredBitmap(given));
    EXPECT_EQ(bitmap->PixelFormat(), pf8bit);
    EXPECT_EQ(format.GetOptionsForm(false), own);
    std::unique_ptr<TBitmap> again(format.MakeFilteredBitmap());
    EXPECT_NE(again->PixelFormat(), pf8bit);
}

// PIL reads every colour choice with its size and a resolution of 300 dpi; "Default" is the
// screen's 32 bits; a monochrome picture is 1 bit whatever the colour choice.
TEST_F(PictureExport, BitmapsOfEveryColourChoiceOpenInPil)
{
    if (RunTool(Python() + " -c 'import PIL'") != "") GTEST_SKIP() << "no PIL";
    struct Case {
        int colours;
        bool mono;
        const char* mode;
        int bits;
    };
    const Case cases[] = {{0, false, "RGB", 32}, {1, false, "1", 1},   {2, false, "P", 4},   {3, false, "P", 8},
                          {4, false, "RGB", 16}, {5, false, "RGB", 16}, {6, false, "RGB", 24}, {7, false, "RGB", 32},
                          {6, true, "1", 1}};
    for (const Case& c : cases) {
        const fs::path path = TempFile("tv_export_colours_" + std::to_string(c.colours), ".bmp");
        TBMPExportFormat format;
        format.SetPanel(chart);
        TBMPOptions* options = format.EnsureOptionsForm();
        options->CBColors->SetItemIndex(c.colours);
        options->CBMono->SetChecked(c.mono);
        options->UDDpi->SetPosition(300);
        format.WritePictureFile(path.string());
        const std::string bytes = FileBytes(path);
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(static_cast<unsigned char>(bytes[28]), c.bits) << c.colours;
        const std::string out = RunTool(Python() +
                                        " -c 'import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
                                        "im.load(); print(im.mode, im.size[0], im.size[1], "
                                        "round(im.info[\"dpi\"][0]), round(im.info[\"dpi\"][1]))' " +
                                        path.string());
        EXPECT_EQ(out, std::string(c.mode) + " 480 300 300 300\n") << c.colours << (c.mono ? " mono" : "");
        // 300 dpi is 11811 pixels per metre in the header.
        EXPECT_EQ(static_cast<unsigned char>(bytes[38]) | static_cast<unsigned char>(bytes[39]) << 8, 11811);
        fs::remove(path);
    }
}

TEST_F(PictureExport, AFailedWriteLeavesTheExistingFile)
{
    const fs::path path = TempFile("tv_export_kept", ".bmp");
    { std::ofstream(path) << "earlier picture"; }
    // A filter that fails halfway through the export.
    class TFailingFilter : public TZebFilter {
    public:
        using TZebFilter::TZebFilter;
        void Apply(TBitmap&, const TRect&) override { throw EInvalidOperation("filter failed"); }
    };
    TBMPExportFormat format;
    format.SetPanel(chart);
    format.Filters()->Add(TInvertFilter::StaticClass());
    new TFailingFilter(format.Filters());  // the collection owns it
    EXPECT_THROW(format.WritePictureFile(path.string()), EInvalidOperation);
    EXPECT_EQ(FileBytes(path), "earlier picture");
    for (const auto& entry : fs::directory_iterator(path.parent_path()))  // no temporary file left
        EXPECT_FALSE(entry.path() != path && entry.path().filename().string().find(path.filename().string()) != String::npos)
            << entry.path();
    format.Filters()->Clear();
    format.WritePictureFile(path.string());
    EXPECT_EQ(FileBytes(path).substr(0, 2), "BM");
    fs::remove(path);
}

TEST_F(PictureExport, AFileInAMissingFolderIsReportedUnderItsName)
{
    TBMPExportFormat format;
    format.SetPanel(chart);
    const String path = (TempFile("tv_export_missing", "") / "chart.bmp").string();
    try {
        format.WritePictureFile(path);
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& error) {
        EXPECT_NE(error.Message().find(path + "\""), String::npos) << error.Message();
        EXPECT_EQ(error.Message().find(".part"), String::npos) << error.Message();
    }
}

}  // namespace

namespace {

class MetafileExport : public PictureChart {
protected:
    fs::path Write(bool enhanced)
    {
        const fs::path path = TempFile(enhanced ? "tv_export_emf" : "tv_export_wmf", enhanced ? ".emf" : ".wmf");
        TEMFExportFormat format;
        format.SetPanel(chart);
        format.SetEnhanced(enhanced);
        format.WritePictureFile(path.string());
        return path;
    }
};

TEST_F(MetafileExport, AnEnhancedMetafileHoldsTheSeriesLinesAndLegendTexts)
{
    const fs::path emf = Write(true);
    EXPECT_NE(RunTool("file -b " + emf.string()).find("Windows Enhanced Metafile"), std::string::npos);
    if (!HaveProgram("emf2svg-conv")) GTEST_SKIP() << "no emf2svg-conv";
    const fs::path svg = TempFile("tv_export_chart_emf", ".svg");
    RunTool("emf2svg-conv -i " + emf.string() + " -o " + svg.string());
    const std::string text = FileBytes(svg);
    for (const char* expected : {"Axis X", "Axis Y", "Tilt"}) EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // The two series' lines in their colours.
    for (const char* stroke : {"stroke=\"#FF0000\"", "stroke=\"#008000\""})
        EXPECT_NE(text.find(stroke), std::string::npos) << stroke;
    if (!HasFailure()) fs::remove(svg), fs::remove(emf);
}

TEST_F(MetafileExport, AGivenOptionsFormChoosesTheKind)
{
    TEMFExportFormat format, other;
    format.SetPanel(chart);
    auto* options = dynamic_cast<TEMFOptions*>(other.GetOptionsForm(true));
    options->CBEnhanced->SetChecked(false);
    const fs::path path = TempFile("tv_export_given", ".wmf");
    format.WritePictureFileWith(path.string(), options);
    TMetafile written;
    TFileStream stream(path.string(), fmOpenRead);
    written.LoadFromStream(stream);
    EXPECT_FALSE(written.Enhanced());
    EXPECT_EQ(written.Width(), 480);
    EXPECT_TRUE(format.IsEnhanced());  // the format's own choice stays
    fs::remove(path);
}

TEST_F(MetafileExport, APlainMetafileOpensInTheWmfTools)
{
    const fs::path wmf = Write(false);
    EXPECT_NE(RunTool("file -b " + wmf.string()).find("Windows metafile"), std::string::npos);
    if (!HaveProgram("wmf2svg")) GTEST_SKIP() << "no wmf2svg";
    // libwmf looks for its own Type 1 fonts; the Liberation fonts stand in for them.
    const fs::path fontmap = TempFile("tv_export_fontmap", "");
    {
        const std::string dir = "/usr/share/fonts/truetype/liberation2/";
        std::ofstream out(fontmap);
        for (auto [name, file] : {std::pair{"Helvetica", "LiberationSans-Regular"},
                                  std::pair{"Helvetica-Bold", "LiberationSans-Bold"},
                                  std::pair{"Times-Roman", "LiberationSerif-Regular"},
                                  std::pair{"Courier", "LiberationMono-Regular"}})
            out << "/" << name << " (" << dir << file << ".ttf) ;\n";
    }
    const std::string svg = RunTool("wmf2svg --wmf-gs-fontmap=" + fontmap.string() + " " + wmf.string());
    fs::remove(fontmap);
    // It writes one text element per character.
    std::string texts;
    for (auto at = svg.find("\t>"); at != std::string::npos; at = svg.find("\t>", at + 2))
        texts += svg.substr(at + 2, svg.find('<', at) - at - 2);
    for (const char* expected : {"Axis X", "Axis Y", "Tilt"}) EXPECT_NE(texts.find(expected), std::string::npos) << expected;
    for (const char* stroke : {"stroke:red", "stroke:green"}) EXPECT_NE(svg.find(stroke), std::string::npos) << stroke;
    if (!HasFailure()) fs::remove(wmf);
}

// LibreOffice Draw renders both metafiles as the chart: the series' red and green lines on the
// panel's light grey.
TEST_F(MetafileExport, LibreOfficeDrawRendersBothMetafiles)
{
    if (!HaveProgram("soffice")) GTEST_SKIP() << "no soffice";
    if (RunTool(Python() + " -c 'import PIL'") != "") GTEST_SKIP() << "no PIL";
    const fs::path emf = Write(true), wmf = Write(false);
    const fs::path out = TempFile("tv_export_office", "");
    const fs::path profile = TempFile("tv_export_office_profile", "");
    RunTool("soffice -env:UserInstallation=file://" + profile.string() + " --headless --convert-to png --outdir " +
            out.string() + " " + emf.string() + " " + wmf.string());
    for (const fs::path& source : {emf, wmf}) {
        const fs::path png = out / source.filename().replace_extension(".png");
        const std::string counts = RunTool(
            Python() +
            " -c 'import sys; from PIL import Image; im = Image.open(sys.argv[1]).convert(\"RGB\"); "
            "px = list(im.getdata()); "
            "print(sum(1 for p in px if p[0] > 200 and p[1] < 60 and p[2] < 60) > 100, "
            "sum(1 for p in px if p[1] > 100 and p[0] < 60 and p[2] < 60) > 100, "
            "sum(1 for p in px if p == (240, 240, 240)) > 10000)' " +
            png.string());
        EXPECT_EQ(counts, "True True True\n") << png;
    }
    std::error_code ignored;
    fs::remove_all(out, ignored);
    fs::remove_all(profile, ignored);
    fs::remove(emf);
    fs::remove(wmf);
}

class ClipboardPictures : public PictureChart {};

TEST_F(ClipboardPictures, ABitmapComesBackWithItsPixelsAndFormat)
{
    TBMPExportFormat format;
    format.SetPanel(chart);
    format.EnsureOptionsForm()->CBColors->SetItemIndex(6);
    format.CopyPictureToClipboard();
    ASSERT_TRUE(Clipboard()->HasBitmap());
    EXPECT_FALSE(Clipboard()->HasMetafile());
    TBitmap pasted;
    ASSERT_TRUE(Clipboard()->GetBitmap(pasted));
    std::unique_ptr<TBitmap> expected(format.MakeFilteredBitmap());
    EXPECT_EQ(pasted.PixelFormat(), pf24bit);
    ASSERT_EQ(pasted.Width(), 480);
    ASSERT_EQ(pasted.Height(), 300);
    for (int y = 0; y < 300; y += 7)
        ASSERT_EQ(std::memcmp(pasted.ScanLine(y), expected->ScanLine(y), 480 * 3), 0) << y;
    TMetafile none;
    EXPECT_FALSE(Clipboard()->GetMetafile(none));
}

TEST_F(ClipboardPictures, AMetafileComesBackInItsKindWithAPictureBeside)
{
    for (bool enhanced : {true, false}) {
        TEMFExportFormat format;
        format.SetPanel(chart);
        format.SetEnhanced(enhanced);
        format.CopyPictureToClipboard();
        ASSERT_TRUE(Clipboard()->HasMetafile());
        TMetafile pasted;
        ASSERT_TRUE(Clipboard()->GetMetafile(pasted));
        EXPECT_EQ(pasted.Enhanced(), enhanced);
        EXPECT_EQ(pasted.Width(), 480);
        EXPECT_EQ(pasted.Height(), 300);
        // Programs that paste no metafiles get the picture.
        TBitmap rendition;
        ASSERT_TRUE(Clipboard()->GetBitmap(rendition));
        EXPECT_EQ(rendition.Width(), 480);
        EXPECT_EQ(rendition.Height(), 300);
        EXPECT_EQ(rendition.Canvas()->Pixels(2, 150), static_cast<TColor>(0xF0F0F0));  // the panel's face
    }
    Clipboard()->SetAsText("text");
    EXPECT_FALSE(Clipboard()->HasMetafile());
    EXPECT_FALSE(Clipboard()->HasBitmap());
}

}  // namespace
