// Series data exporters: one table of charts and settings written in all five formats and compared
// with the committed files (data/exports/<case>.<ext>; TV_UPDATE_GOLDEN=1 writes them anew), every
// file checked by the outside parsers of its format; then the encodings, the spreadsheet's limits
// and number cells, JSON numbers, and big exports written in pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <map>

#include "IoFixtures.h"
#include "chart/core/ChartException.h"
#include "chart/core/ValueList.h"
#include "chart/io/SeriesDataExport.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/system/Workbook.h"

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/io/data/exports/";

struct TFormat {
    const char* Extension;
    std::function<std::unique_ptr<TSeriesData>(TCustomChart*, TChartSeries*)> Make;
};

const std::vector<TFormat>& Formats()
{
    static const std::vector<TFormat> formats = {
        {"txt", [](TCustomChart* c, TChartSeries* s) { return std::make_unique<TSeriesDataText>(c, s); }},
        {"xml", [](TCustomChart* c, TChartSeries* s) { return std::make_unique<TSeriesDataXML>(c, s); }},
        {"htm", [](TCustomChart* c, TChartSeries* s) { return std::make_unique<TSeriesDataHTML>(c, s); }},
        {"xls", [](TCustomChart* c, TChartSeries* s) { return std::make_unique<TSeriesDataXLS>(c, s); }},
        {"json", [](TCustomChart* c, TChartSeries* s) { return std::make_unique<TSeriesDataJSON>(c, s); }},
    };
    return formats;
}

// The table's chart: "Pitch" with three labelled points (the second red), "Roll" with five.
struct TExportScene {
    TOwnedPtr<TChart> Chart{new TChart(nullptr)};
    TLineSeries* Pitch = nullptr;
    TLineSeries* Roll = nullptr;

    TExportScene()
    {
        Pitch = &AddLine(*Chart, "Pitch");
        Pitch->InsertXY(0, 1.5, "first");
        Pitch->InsertXY(1, -2.25, "", clRed);
        Pitch->InsertXY(2, 3, "third");
        Roll = &AddLine(*Chart, "Roll");
        for (int i = 0; i < 5; ++i) Roll->InsertXY(i, 10.0 * (i + 1));
    }
};

struct TCase {
    const char* Name;
    // Changes the scene and the exporter; answers the main series (null: all).
    std::function<TChartSeries*(TExportScene&)> Scene;
    std::function<void(TSeriesData&)> Settings;
    // Text only: delimiter and quotes.
    char Delimiter = '\t';
    const char* Quotes = "";
};

TChartSeries* mainSeries(TExportScene& s) { return s.Pitch; }
TChartSeries* allSeries(TExportScene&) { return nullptr; }
void defaults(TSeriesData&) {}

const std::vector<TCase>& Cases()
{
    static const std::vector<TCase> cases = {
        {"main", mainSeries, defaults},
        {"all_3_5", allSeries, defaults},
        {"null_point",
         [](TExportScene& s) {
             s.Pitch->SetPointNull(1, true);
             return s.Pitch;
         },
         defaults},
        {"x_value_10",
         [](TExportScene& s) {
             s.Pitch->SetPointX(2, 10);
             return s.Pitch;
         },
         defaults},
        {"labels_off", mainSeries, [](TSeriesData& e) { e.SetIncludeLabels(false); }},
        {"colors_on", allSeries, [](TSeriesData& e) { e.SetIncludeColors(true); }},
        {"header_off", mainSeries, [](TSeriesData& e) { e.SetIncludeHeader(false); }},
        {"index_on", allSeries, [](TSeriesData& e) { e.SetIncludeIndex(true); }},
        {"semicolon_quotes", allSeries, defaults, ';', "\""},
        {"no_series",
         [](TExportScene& s) {
             s.Pitch->Free();
             s.Roll->Free();
             return nullptr;
         },
         defaults},
        // Markup, quotes, delimiters, line breaks and backslashes in labels and titles.
        {"escaping",
         [](TExportScene& s) {
             s.Pitch->SetTitle("A & <B> \"C\"");
             s.Pitch->SetLabelAt(0, "a;b \"q\" <i>&amp;</i>");
             s.Pitch->SetLabelAt(1, "line\r\nbreak\tand c:\\path");
             s.Pitch->SetLabelAt(2, "caf\xC3\xA9 \xE2\x82\xAC");
             return s.Pitch;
         },
         defaults, ';', ""},
        {"date_time",
         [](TExportScene& s) {
             s.Pitch->XValues()->SetDateTime(true);
             s.Pitch->SetPointX(0, 25569.5);
             s.Pitch->SetPointX(1, 45000);
             s.Pitch->SetPointX(2, 45000.25);
             return s.Pitch;
         },
         [](TSeriesData& e) {
             if (auto* json = dynamic_cast<TSeriesDataJSON*>(&e)) json->SetDateStyle(TSeriesDataJSON::dsMilliseconds);
         }},
        {"long_label",
         [](TExportScene& s) {
             s.Pitch->SetLabelAt(0, String(300, 'L'));
             return s.Pitch;
         },
         defaults},
        {"value_format",
         [](TExportScene& s) {
             s.Pitch->SetPointY(0, 1234.5678);
             return s.Pitch;
         },
         [](TSeriesData& e) { e.SetValueFormat("#,##0.###"); }},
    };
    return cases;
}

String exportedBytes(const TCase& k, const TFormat& format)
{
    TExportScene scene;
    TChartSeries* series = k.Scene(scene);
    std::unique_ptr<TSeriesData> exporter = format.Make(scene.Chart.get(), series);
    exporter->SetIncludeHeader(true);
    k.Settings(*exporter);
    if (auto* text = dynamic_cast<TSeriesDataText*>(exporter.get())) {
        text->SetTextDelimiter(k.Delimiter);
        text->SetTextQuotes(k.Quotes);
    }
    TStringStream stream;
    exporter->WriteToStream(stream);
    if (format.Extension != String("xls") && format.Extension != String("xml")) {
        EXPECT_EQ(stream.DataString(), exporter->AsText()) << "the stream gets the bytes of AsText";
    }
    return stream.DataString();
}

String quotedPaths(const std::vector<String>& files)
{
    String list;
    for (const String& f : files) list += " '" + f + "'";
    return list;
}

class SeriesDataExport : public ::testing::Test {
protected:
    TFixedFormats formats_;
};

}  // namespace

TEST_F(SeriesDataExport, EveryFormatOfEveryCaseMatchesItsFileAndParses)
{
    const bool update = std::getenv("TV_UPDATE_GOLDEN") != nullptr;
    std::map<String, std::vector<String>> byFormat;
    for (const TCase& k : Cases())
        for (const TFormat& format : Formats()) {
            SCOPED_TRACE(String(k.Name) + "." + format.Extension);
            const String bytes = exportedBytes(k, format);
            const String golden = GoldenDir + k.Name + "." + format.Extension;
            if (update) {
                std::filesystem::create_directories(GoldenDir.c_str());
                WriteWholeFile(golden, bytes);
            } else if (!std::filesystem::exists(golden.c_str())) {
                ADD_FAILURE() << "no file " << golden << " (TV_UPDATE_GOLDEN=1 writes it)";
            } else {
                EXPECT_EQ(bytes, ReadWholeFile(golden));
            }
            byFormat[format.Extension].push_back(golden);
        }

    if (!HaveProgram("python3") || !HaveProgram("xmllint")) GTEST_SKIP() << "python3 or xmllint is not installed";
    const TCommandResult json = RunCommandStatus(
        "python3 -c \"import json,sys\nfor f in sys.argv[1:]: json.load(open(f, encoding='utf-8'))\"" +
        quotedPaths(byFormat["json"]));
    EXPECT_EQ(json.Code, 0) << json.Output;
    const TCommandResult xml = RunCommandStatus("xmllint --noout" + quotedPaths(byFormat["xml"]));
    EXPECT_EQ(xml.Code, 0) << xml.Output;
    // Tags balanced and every row of a table as wide as the others.
    const TCommandResult html = RunCommandStatus(
        "python3 -c \"import sys\nfrom html.parser import HTMLParser\n"
        "class P(HTMLParser):\n"
        "  def __init__(s): super().__init__(); s.open=[]; s.widths=set(); s.cells=0\n"
        "  def handle_starttag(s,t,a):\n"
        "    if t=='meta': return\n"
        "    s.open.append(t)\n"
        "    if t=='tr': s.cells=0\n"
        "    if t in ('td','th'): s.cells+=1\n"
        "  def handle_endtag(s,t):\n"
        "    assert s.open and s.open.pop()==t, (t, s.open)\n"
        "    if t=='tr': s.widths.add(s.cells)\n"
        "for f in sys.argv[1:]:\n"
        "  p=P(); p.feed(open(f,encoding='utf-8').read()); p.close()\n"
        "  assert not p.open and len(p.widths)<=1, (f, p.open, p.widths)\n\"" +
        quotedPaths(byFormat["htm"]));
    EXPECT_EQ(html.Code, 0) << html.Output;
    // Every line of a text file as wide as the header.
    std::vector<String> tabbed, semicolons;
    for (const TCase& k : Cases())
        (k.Delimiter == ';' ? semicolons : tabbed).push_back(GoldenDir + k.Name + ".txt");
    for (const auto& [delimiter, files] : {std::pair{String("\\t"), tabbed}, std::pair{String(";"), semicolons}}) {
        const TCommandResult csv = RunCommandStatus(
            "python3 -c \"import csv,sys\n"
            "for f in sys.argv[1:]:\n"
            "  rows=[r for r in csv.reader(open(f,encoding='utf-8',newline=''),delimiter='" +
            delimiter +
            "') if r]\n"
            "  assert len(set(map(len,rows)))<=1, (f, rows)\n\"" +
            quotedPaths(files));
        EXPECT_EQ(csv.Code, 0) << csv.Output;
    }
}

TEST_F(SeriesDataExport, SpreadsheetFilesOpenInLibreOffice)
{
    if (std::getenv("TV_UPDATE_GOLDEN")) GTEST_SKIP() << "the files are being written";
    if (!HaveProgram("soffice")) GTEST_SKIP() << "soffice is not installed";
    TTempFile dir("tv_xls_csv", "");
    std::filesystem::create_directories(dir.Path());
    std::vector<String> files;
    for (const TCase& k : Cases()) files.push_back(GoldenDir + k.Name + ".xls");
    const TCommandResult result =
        RunCommandStatus("cd '" + dir.Name() + "' && HOME='" + dir.Name() + "' soffice --headless --convert-to csv --outdir '" +
                   dir.Name() + "'" + quotedPaths(files));
    ASSERT_EQ(result.Code, 0) << result.Output;
    const auto sheet = [&](const char* name) { return ReadWholeFile(dir.Name() + "/" + name + ".csv"); };
    EXPECT_EQ(sheet("all_3_5"), "Text,Y,Text,Y\nfirst,1.5,,10\n,-2.25,,20\nthird,3,,30\n,,,40\n,,,50\n");
    EXPECT_EQ(sheet("null_point"), "Text,Y\nfirst,1.5\n,\nthird,3\n");
    EXPECT_EQ(sheet("long_label").substr(0, 12), "Text,Y\n" + String(5, 'L'));
    EXPECT_EQ(sheet("long_label").find(String(256, 'L')), String::npos);
    EXPECT_NE(sheet("long_label").find(String(255, 'L')), String::npos);
    std::filesystem::remove_all(dir.Path());
}

// The HTML table says its texts are UTF-8, and a carriage return in a label stays one (a
// reference to it would be an illegal character reference).
TEST_F(SeriesDataExport, HtmlDeclaresUtf8AndKeepsCarriageReturns)
{
    TExportScene scene;
    scene.Pitch->SetLabelAt(0,
                            "Gr\xC3\xB6\xC3\x9F"
                            "e\r\nzwei");
    TSeriesDataHTML exporter(scene.Chart.get(), scene.Pitch);
    const String text = exporter.AsText();
    EXPECT_EQ(text.substr(0, 24), "<meta charset=\"utf-8\">\r\n");
    EXPECT_NE(text.find("<td>Gr\xC3\xB6\xC3\x9F"
                        "e\r\nzwei</td>"),
              String::npos)
        << text;
    EXPECT_EQ(text.find("&#13;"), String::npos);
}

// The workbook reader reads the BIFF2 files back, as the data source would.
TEST_F(SeriesDataExport, SpreadsheetFilesReadBackThroughTheWorkbookReader)
{
    auto book = TWorkbookReader::Open(GoldenDir + "all_3_5.xls");
    EXPECT_EQ(book->SheetNames(), std::vector<String>{"Sheet1"});
    const std::vector<std::vector<String>> expected = {{"Text", "Y", "Text", "Y"},
                                                       {"first", "1.5", "", "10"},
                                                       {"", "-2.25", "", "20"},
                                                       {"third", "3", "", "30"},
                                                       {"", "", "", "40"}};
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 4; ++column) {
            const TWorkbookCell cell = book->Cell(0, row + 1, column + 1);
            const String text = cell.Kind == TWorkbookCell::TKind::Number ? FloatToStr(cell.Number) : cell.Text;
            EXPECT_EQ(text, expected[static_cast<size_t>(row)][static_cast<size_t>(column)]) << row << " " << column;
        }
}

TEST_F(SeriesDataExport, XmlBytesAreInTheDeclaredEncoding)
{
    struct Case {
        const char* encoding;
        String expectedLabel;  // the bytes of the label attribute
    };
    // e acute, euro sign, a CJK character.
    const String label = "\xC3\xA9\xE2\x82\xAC\xE6\x97\xA5";
    for (const Case& k : {Case{"UTF-8", label}, Case{"ISO-8859-1", "\xE9&#8364;&#26085;"},
                          Case{"windows-1252", "\xE9\x80&#26085;"}, Case{"shift_jis", "&#233;&#8364;&#26085;"}}) {
        SCOPED_TRACE(k.encoding);
        TExportScene scene;
        scene.Pitch->SetLabelAt(0, label);
        TSeriesDataXML exporter(scene.Chart.get(), scene.Pitch);
        exporter.SetEncoding(k.encoding);
        TStringStream stream;
        exporter.WriteToStream(stream);
        EXPECT_EQ(stream.DataString().substr(0, 35 + std::strlen(k.encoding)),
                  String("<?xml version=\"1.0\" encoding=\"") + k.encoding + "\"?>\r\n");
        EXPECT_NE(stream.DataString().find("text=\"" + k.expectedLabel + "\""), String::npos) << stream.DataString();
    }
    TExportScene scene;
    scene.Pitch->SetLabelAt(0, label);
    TSeriesDataXML exporter(scene.Chart.get(), scene.Pitch);
    exporter.SetEncoding("UTF-16");
    TTempFile file("tv_export_utf16", ".xml");
    exporter.WriteToFile(file.Name());
    const String bytes = ReadWholeFile(file.Name());
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), String("\xFF\xFE<\0", 4));
    if (!HaveProgram("xmllint")) GTEST_SKIP() << "xmllint is not installed";
    const TCommandResult result = RunCommandStatus("xmllint --noout '" + file.Name() + "'");
    EXPECT_EQ(result.Code, 0) << result.Output;
}

// A point line is "<point " and its attributes; all but the index bring their own blank.
TEST_F(SeriesDataExport, XmlPointLinesOpenWithOneBlankBeforeTheAttributes)
{
    struct Case {
        bool index, labels, null;
        const char* line;
    };
    for (const Case& k : {Case{false, true, false, "<point  text=\"first\" Y=\"1.5\"/>\r\n"},
                          Case{true, true, false, "<point index=\"0\" text=\"first\" Y=\"1.5\"/>\r\n"},
                          Case{true, false, true, "<point index=\"0\"/>\r\n"},
                          Case{false, false, true, "<point />\r\n"}}) {
        SCOPED_TRACE(k.line);
        TExportScene scene;
        scene.Pitch->SetPointNull(0, k.null);
        TSeriesDataXML exporter(scene.Chart.get(), scene.Pitch);
        exporter.SetIncludeIndex(k.index);
        exporter.SetIncludeLabels(k.labels);
        const String text = exporter.AsText();
        const std::size_t first = text.find("<point ");
        ASSERT_NE(first, String::npos) << text;
        EXPECT_EQ(text.substr(first, std::strlen(k.line)), k.line) << text;
    }
}

TEST_F(SeriesDataExport, JsonNumbersIgnoreTheLocaleAndWriteNullForNonFinite)
{
    FormatSettings.DecimalSeparator = ',';
    FormatSettings.ThousandSeparator = '.';
    TExportScene scene;
    scene.Pitch->SetPointY(1, std::numeric_limits<double>::quiet_NaN());
    scene.Pitch->SetPointY(2, std::numeric_limits<double>::infinity());
    TSeriesDataJSON exporter(scene.Chart.get(), scene.Pitch);
    const String text = exporter.AsText();
    EXPECT_NE(text.find("{ \"value\":1.5, \"name\":\"first\" },"), String::npos) << text;
    EXPECT_NE(text.find("{ \"value\":null, \"name\":\"\" },"), String::npos) << text;
    EXPECT_NE(text.find("{ \"value\":null, \"name\":\"third\" }\r\n"), String::npos) << text;

    TSeriesDataText delimited(scene.Chart.get(), scene.Pitch);
    delimited.SetTextDelimiter(',');
    EXPECT_EQ(delimited.AsText().substr(0, 13), "first,\"1,5\"\r\n")
        << "a decimal comma in a comma-delimited field is quoted";
}

TEST_F(SeriesDataExport, SpreadsheetNumbersShowTheFormatOrStayRaw)
{
    struct Case {
        const char* format;
        double expected;
    };
    for (const Case& k : {Case{"", 1234.5678}, Case{"0.##", 1234.57}, Case{"#,##0.###", 1234.5678}}) {
        SCOPED_TRACE(k.format);
        TExportScene scene;
        scene.Pitch->SetPointY(0, 1234.5678);
        TSeriesDataXLS exporter(scene.Chart.get(), scene.Pitch);
        exporter.SetIncludeLabels(false);
        exporter.SetValueFormat(k.format);
        TStringStream stream;
        exporter.WriteToStream(stream);
        // BOF, then the first NUMBER record: row 0, column 0.
        const String& bytes = stream.DataString();
        ASSERT_GE(bytes.size(), 8u + 19u);
        EXPECT_EQ(bytes.substr(8, 4), String("\x03\x00\x0F\x00", 4));
        double value = 0;
        std::memcpy(&value, bytes.data() + 8 + 4 + 7, sizeof value);
        EXPECT_DOUBLE_EQ(value, k.expected);
    }
}

TEST_F(SeriesDataExport, SpreadsheetsBeyondTheRowOrColumnWordsAreRefusedBeforeAnyByte)
{
    {
        TOwnedPtr<TChart> chart(new TChart(nullptr));
        TLineSeries& s = AddLine(*chart);
        std::vector<double> values(65536, 1.0);
        s.AppendValues(values);
        TSeriesDataXLS exporter(chart.get(), &s);
        TStringStream stream;
        exporter.SetIncludeHeader(false);
        EXPECT_NO_THROW(exporter.WriteToStream(stream)) << "65536 rows fill the sheet";
        exporter.SetIncludeHeader(true);
        TStringStream refused;
        EXPECT_THROW(exporter.WriteToStream(refused), ChartException);
        EXPECT_EQ(refused.Size(), 0);
    }
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    for (int i = 0; i < 257; ++i) AddLine(*chart).AppendValue(i);
    TSeriesDataXLS exporter(chart.get(), nullptr);
    TStringStream refused;
    EXPECT_THROW(exporter.WriteToStream(refused), ChartException);
    EXPECT_EQ(refused.Size(), 0);
}

namespace {

// Counts the bytes and remembers the largest single write.
class TCountingStream : public TStream {
public:
    std::int64_t Total = 0;
    std::int64_t Largest = 0;
    std::int64_t Read(void*, std::int64_t) override { return 0; }
    std::int64_t Write(const void*, std::int64_t count) override
    {
        Total += count;
        Largest = std::max(Largest, count);
        return count;
    }
    std::int64_t Seek(std::int64_t, TSeekOrigin) override { return Total; }
};

}  // namespace

TEST_F(SeriesDataExport, BigExportsReachTheStreamInPieces)
{
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    for (int k = 0; k < 2; ++k) {
        std::vector<double> values(60000);
        for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<double>(i) * 0.001 + k;
        AddLine(*chart, k ? "B" : "A").AppendValues(values);
    }
    for (const TFormat& format : Formats()) {
        SCOPED_TRACE(format.Extension);
        std::unique_ptr<TSeriesData> exporter = format.Make(chart.get(), nullptr);
        TCountingStream stream;
        exporter->WriteToStream(stream);
        EXPECT_GT(stream.Total, 500'000);
        EXPECT_LE(stream.Largest, 128 * 1024) << "written piece by piece, never as one text";
    }
}

TEST_F(SeriesDataExport, AFailedFileExportKeepsTheOldFile)
{
    TTempFile file("tv_export_kept", ".xls");
    WriteWholeFile(file.Name(), "old contents");
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    for (int i = 0; i < 300; ++i) AddLine(*chart).AppendValue(i);
    TSeriesDataXLS exporter(chart.get(), nullptr);
    EXPECT_THROW(exporter.WriteToFile(file.Name()), ChartException);
    EXPECT_EQ(ReadWholeFile(file.Name()), "old contents");
    TSeriesDataText text(chart.get(), nullptr);
    text.WriteToFile(file.Name());
    EXPECT_EQ(ReadWholeFile(file.Name()), text.AsText());
}
