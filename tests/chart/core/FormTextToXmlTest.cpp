#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "chart/core/FormTextToXml.h"
#include "platform/rtl/Streams.h"
#include "tests/support/Commands.h"

namespace {

// The XML of a component text given as lines.
String convert(const std::vector<String>& lines, bool header = false)
{
    String text;
    for (const String& line : lines) text += line + "\r\n";
    TStringStream stream(text);
    ConvertFormTextToXml(stream, header);
    return stream.DataString();
}

String joined(const std::vector<String>& lines)
{
    String text;
    for (const String& line : lines) text += line + "\r\n";
    return text;
}

// xmllint's verdict on the document: "" when well-formed, else its complaint.
std::string xmllintComplaint(const String& xml)
{
    const auto file = std::filesystem::temp_directory_path() / ("tv-xml-" + std::to_string(::getpid()) + ".xml");
    std::ofstream(file, std::ios::binary) << xml;
    TCommandResult result = RunCommandStatus("xmllint --noout '" + file.string() + "'");
    std::filesystem::remove(file);
    if (result.Code != 0 && result.Output.empty()) result.Output = "xmllint failed";
    return result.Output;
}

// The locale's language for one test (LC_ALL).
class Language {
public:
    explicit Language(const char* locale)
    {
        const char* saved = std::getenv("LC_ALL");
        hadSaved_ = saved != nullptr;
        if (saved) saved_ = saved;
        ::setenv("LC_ALL", locale, 1);
    }
    ~Language()
    {
        if (hadSaved_)
            ::setenv("LC_ALL", saved_.c_str(), 1);
        else
            ::unsetenv("LC_ALL");
    }
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

private:
    std::string saved_;
    bool hadSaved_ = false;
};

}  // namespace

TEST(FormTextToXml, ElementsByCase)
{
    struct Case {
        const char* what;
        std::vector<String> text;
        std::vector<String> xml;
    };
    const Case cases[] = {
        {"an object with a property",
         {"object Chart1: TChart", "  Left = 0", "end"},
         {"<TChart Name=\"Chart1\">", "  <Left value=\"0\"/>", "</TChart>"}},
        {"an object closed at once",
         {"object Chart1: TChart", "  object Series1: TLineSeries", "  end", "end"},
         {"<TChart Name=\"Chart1\">", "  <TLineSeries Name=\"Series1\"/>", "</TChart>"}},
        {"three list items",
         {"object Memo1: TMemo", "  Lines.Strings = (", "    'one'", "    'two'", "    'three')", "end"},
         {"<TMemo Name=\"Memo1\">", "  <Lines>", "    <Lines.Strings>", "      <String value=\"&apos;one&apos;\"/>",
          "      <String value=\"&apos;two&apos;\"/>", "      <String value=\"&apos;three&apos;\"/>",
          "    </Lines.Strings>", "  </Lines>", "</TMemo>"}},
        {"blank lines",
         {"", "object Chart1: TChart", "", "   ", "  Left = 0", "", "end", ""},
         {"<TChart Name=\"Chart1\">", "  <Left value=\"0\"/>", "</TChart>"}},
        {"an object line in another case, without a name",
         {"OBJECT TChart", "  Top = 5", "END"},
         {"<TChart>", "  <Top value=\"5\"/>", "</TChart>"}},
        {"dotted paths share their elements",
         {"object C: TChart", "  Title.Font.Color = clRed", "  Title.Font.Name = 'Arial'", "  Title.Visible = False",
          "  Left = 0", "end"},
         {"<TChart Name=\"C\">", "  <Title>", "    <Font>", "      <Title.Font.Color value=\"clRed\"/>",
          "      <Title.Font.Name value=\"&apos;Arial&apos;\"/>", "    </Font>", "    <Title.Visible value=\"False\"/>",
          "  </Title>", "  <Left value=\"0\"/>", "</TChart>"}},
        {"a collection",
         {"object S: TStatusBar", "  Panels = <", "    item", "      Width = 50", "    end", "    item",
          "      Text = 'b'", "    end>", "end"},
         {"<TStatusBar Name=\"S\">", "  <Panels>", "    <item>", "      <Width value=\"50\"/>", "    </item>",
          "    <item>", "      <Text value=\"&apos;b&apos;\"/>", "    </item>", "  </Panels>", "</TStatusBar>"}},
        {"an empty collection",
         {"object S: TStatusBar", "  Panels = <>", "end"},
         {"<TStatusBar Name=\"S\">", "  <Panels value=\"\"/>", "</TStatusBar>"}},
        {"binary data, joined",
         {"object I: TImage", "  Picture.Data = {", "    0A0B", "    0C0D}", "end"},
         {"<TImage Name=\"I\">", "  <Picture>", "    <Picture.Data value=\"{0A0B0C0D}\"/>", "  </Picture>",
          "</TImage>"}},
        {"a string continued on the next line",
         {"object L: TLabel", "  Caption = 'first half ' +", "    'second half'", "end"},
         {"<TLabel Name=\"L\">", "  <Caption value=\"&apos;first half &apos; + &apos;second half&apos;\"/>",
          "</TLabel>"}},
        {"a string longer than a line, begun on the next one (a dot in it is no property)",
         {"object L: TLabel", "  Caption = ", "    'first. half ' +", "    'second half'", "  Left = 1", "end"},
         {"<TLabel Name=\"L\">", "  <Caption value=\"&apos;first. half &apos; + &apos;second half&apos;\"/>",
          "  <Left value=\"1\"/>", "</TLabel>"}},
        {"a list item continued, in a collection item",
         {"object S: TStatusBar", "  Panels = <", "    item [2]", "      Lines.Strings = (", "        'a' +",
          "        'b'", "        'c')", "      Text = ", "        'd' +", "        'e'", "    end>", "end"},
         {"<TStatusBar Name=\"S\">", "  <Panels>", "    <item>", "      <Lines.Strings>",
          "        <String value=\"&apos;a&apos; + &apos;b&apos;\"/>", "        <String value=\"&apos;c&apos;\"/>",
          "      </Lines.Strings>", "      <Text value=\"&apos;d&apos; + &apos;e&apos;\"/>", "    </item>",
          "  </Panels>", "</TStatusBar>"}},
        {"a set over two lines",
         {"object F: TForm", "  BorderIcons = [biSystemMenu,", "    biMinimize]", "end"},
         {"<TForm Name=\"F\">", "  <BorderIcons value=\"[biSystemMenu, biMinimize]\"/>", "</TForm>"}},
        {"lines that are no property or object stay text",
         {"object F: TForm", "  'loose'.x = 1", "  object 1x", "  end", "end"},
         {"<TForm Name=\"F\">", "  <String value=\"&apos;loose&apos;.x = 1\"/>", "  <String value=\"object 1x\"/>",
          "</TForm>"}},
        {"a child object after a dotted property",
         {"object C: TChart", "  Title.Text.Strings = (", "    'x')", "  object S: TLineSeries",
          "    Marks.Visible = False", "  end", "end"},
         {"<TChart Name=\"C\">", "  <Title>", "    <Text>", "      <Title.Text.Strings>",
          "        <String value=\"&apos;x&apos;\"/>", "      </Title.Text.Strings>", "    </Text>", "  </Title>",
          "  <TLineSeries Name=\"S\">", "    <Marks>", "      <Marks.Visible value=\"False\"/>", "    </Marks>",
          "  </TLineSeries>", "</TChart>"}},
    };
    for (const Case& c : cases) {
        const String xml = convert(c.text);
        EXPECT_EQ(xml, joined(c.xml)) << c.what;
        EXPECT_EQ(xmllintComplaint(xml), "") << c.what << "\n" << xml;
    }
}

TEST(FormTextToXml, HeaderAndEncoding)
{
    EXPECT_EQ(XmlHeader("ISO-8859-1"), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
    EXPECT_EQ(XmlHeader(""), "<?xml version=\"1.0\"?>");
    Language english("en_GB.UTF-8");
    EXPECT_EQ(XmlEncodingName(), "ISO-8859-1");

    // Markup characters in values, a quote, Latin-1 and characters beyond it.
    const String xml = convert({"object Chart1: TChart", "  Title.Text.Strings = (",
                                "    'Sales & Costs <2024> \"Zürich\"')", "  ValueFormat = '#,##0.### \"€\"'", "end"},
                               true);
    const std::vector<String> expected = {
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",
        "<TChart Name=\"Chart1\">",
        "  <Title>",
        "    <Text>",
        "      <Title.Text.Strings>",
        "        <String value=\"&apos;Sales &amp; Costs &lt;2024&gt; &quot;Z\xFCrich&quot;&apos;\"/>",
        "      </Title.Text.Strings>",
        "    </Text>",
        "  </Title>",
        "  <ValueFormat value=\"&apos;#,##0.### &quot;&#8364;&quot;&apos;\"/>",
        "</TChart>",
    };
    EXPECT_EQ(xml, joined(expected));
    EXPECT_EQ(xmllintComplaint(xml), "");
}

// Bytes that are no UTF-8 character stand for themselves: an overlong '<' or '&' must not become
// markup, nor a surrogate, a value beyond U+10FFFF or U+FFFF a reference XML refuses.
TEST(FormTextToXml, BytesThatAreNoCharacterStayText)
{
    Language english("en_GB.UTF-8");
    struct Case {
        const char* bytes;
        const char* value;
    };
    const Case cases[] = {
        {"\xC0\xBC", "\xC0\xBC"},                  // '<' overlong
        {"\xE0\x80\xA6;", "\xE0\x80\xA6;"},        // '&' overlong in three bytes
        {"\xC0\x80", "\xC0\x80"},                  // NUL overlong
        {"\xED\xA0\x80", "\xED\xA0\x80"},          // a surrogate
        {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},  // beyond U+10FFFF
        {"\xEF\xBF\xBF", "&#65533;"},              // U+FFFF
        {"\xF0\x9F\x98\x80", "&#128512;"},         // a valid one beyond the code page
    };
    for (const Case& c : cases) {
        const String xml = convert({"object L: TLabel", String("  Caption = '") + c.bytes + "'", "end"}, true);
        EXPECT_EQ(xml, joined({"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", "<TLabel Name=\"L\">",
                               String("  <Caption value=\"&apos;") + c.value + "&apos;\"/>", "</TLabel>"}))
            << c.bytes;
        EXPECT_EQ(xmllintComplaint(xml), "") << c.bytes;
    }
}

TEST(FormTextToXml, JapaneseLocaleWritesShiftJis)
{
    Language japanese("ja_JP.UTF-8");
    EXPECT_EQ(XmlEncodingName(), "shift_jis");
    // Only ASCII is sure to mean the same in Shift_JIS: the rest as character references.
    const String xml = convert({"object L: TLabel", "  Caption = '\xE6\x97\xA5 \xC3\xBC'", "end"}, true);
    EXPECT_EQ(xml, joined({"<?xml version=\"1.0\" encoding=\"shift_jis\"?>", "<TLabel Name=\"L\">",
                           "  <Caption value=\"&apos;&#26085; &#252;&apos;\"/>", "</TLabel>"}));
    EXPECT_EQ(xmllintComplaint(xml), "");
}

TEST(FormTextToXml, WritesOverTheStreamFromItsStart)
{
    // A text longer than its XML leaves nothing of itself behind.
    String text = "object A: TChart\r\n  Left = 0\r\n" + String(200, ' ') + "\r\nend\r\n";
    TStringStream stream(text);
    stream.Seek(0, soEnd);
    ConvertFormTextToXml(stream, false);
    EXPECT_EQ(stream.DataString(), "<TChart Name=\"A\">\r\n  <Left value=\"0\"/>\r\n</TChart>\r\n");

    // A text cut short still closes what it opened.
    TStringStream cut("object A: TChart\r\n  object B: TPanel\r\n    Font.Color = clRed\r\n");
    ConvertFormTextToXml(cut, false);
    EXPECT_EQ(xmllintComplaint(cut.DataString()), "");
}

TEST(FormTextToXml, StringsStack)
{
    TStringsStack stack;
    EXPECT_EQ(stack.Pop(), "");
    stack.Push("a");
    stack.Push("b");
    EXPECT_EQ(stack.Pop(), "b");
    EXPECT_EQ(stack.Pop(), "a");
    EXPECT_EQ(stack.Count(), 0);
}
