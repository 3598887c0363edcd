// The text form of component streams and the conversions both ways.
#include <gtest/gtest.h>

#include "SampleClasses.h"
#include "StreamFixtures.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "tests/support/StreamText.h"

namespace {

using testsupport::toBinary;
using testsupport::toText;

String lf(String s)
{
    String out;
    for (char c : s)
        if (c != '\r') out += c;
    return out;
}

}  // namespace

TEST(TextForm, SampleTreeIsWrittenAsTheClassLibraryLaysItOut)
{
    auto form = MakeSampleTree();
    form->FindComponent("Shape1")->SetTag(0);
    auto* shape = static_cast<TSampleShape*>(form->FindComponent("Shape1"));
    shape->SetPrecise(0);
    shape->Detail->Free();
    shape->Detail = nullptr;
    const String text = lf(ComponentToText(form.get()));
    const String expected =
        "object Form1: TSampleForm\n"
        "  object Shape1: TSampleShape\n"
        "    Count = -300\n"
        "    Big = 1099511627776\n"
        "    Style = ssDot\n"
        "    Options = [sfItalic, sfStrikeOut]\n"
        "    Visible = False\n"
        "    Letter = #13\n"
        "    Ratio = 0.25s\n"
        "    Scale = -1.500000000000000E-7\n"
        "    When = 45000.5d\n"
        "    Caption = 'It'#39's a \"test\"'#13#10'line two '#233't'#233\n"
        "    Color = clRed\n"
        "    Cursor = -3\n"
        "    Font.Size = 12\n"
        "    Font.Name = 'Courier New'\n"
        "    Font.Style = [sfBold, sfUnderline]\n"
        "    Partner = Shape2\n"
        "    Items = <\n"
        "      item\n"
        "        Caption = 'first'\n"
        "        Value = 100000\n"
        "        Weight = 0.500000000000000000\n"
        "      end\n"
        "      item\n"
        "        Caption = \n"
        "          'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' +\n"
        "          'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' +\n"
        "          'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' +\n"
        "          'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' +\n"
        "          'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx'\n"
        "      end>\n"
        "    Lines.Strings = (\n"
        "      'alpha'\n"
        "      'it'#39's'\n"
        "      '')\n"
        "    Title = 'Chart title'\n"
        "    OnClick = ShapeClick\n"
        "    Palette = (\n"
        "      clRed\n"
        "      1193046\n"
        "      clBlack)\n"
        "    Data = {\n"
        "      000102FEFF}\n"
        "  end\n"
        "  object Shape2: TSampleShape\n"
        "    Partner = Shape1\n"
        "  end\n"
        "end\n";
    EXPECT_EQ(text, expected);
}

TEST(TextForm, LinesEndWithCrLf)
{
    auto form = MakeSampleTree();
    const String text = ComponentToText(form.get());
    EXPECT_EQ(text.substr(0, 27), "object Form1: TSampleForm\r\n");
    EXPECT_EQ(text.substr(text.size() - 5), "end\r\n");
}

TEST(TextForm, BinaryTextBinaryKeepsTheStream)
{
    auto form = MakeSampleTree();
    // Extended values print with 16 digits: compare from the first text on.
    const String text = toText(StreamOf(form.get()));
    const String binary = toBinary(text);
    EXPECT_EQ(toText(binary), text);
    // And the objects read from the text carry the values.
    TOwnedPtr<TSampleForm> copy(new TSampleForm(nullptr));
    TextToComponent(text, copy.get());
    auto* s = static_cast<TSampleShape*>(copy->FindComponent("Shape1"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Caption(), "It's a \"test\"\r\nline two \xC3\xA9t\xC3\xA9");
    EXPECT_NEAR(static_cast<double>(s->Precise()), 3.14159265358979, 1e-14);
    EXPECT_EQ(s->Scale(), -1.5e-7);
    EXPECT_EQ(s->Data, (std::vector<Byte>{0, 1, 2, 0xFE, 0xFF}));
    ASSERT_NE(s->Detail, nullptr);
    EXPECT_EQ(s->Detail->Caption(), "nested");
    EXPECT_EQ(s->Partner(), copy->FindComponent("Shape2"));
    EXPECT_EQ(s->Items()->Count(), 2);
    EXPECT_EQ(toText(StreamOf(copy.get())), text);
}

TEST(TextForm, ValueSyntaxConvertsToTheExpectedValueTypes)
{
    const struct {
        const char* text;
        std::vector<Byte> bytes;  // the value as written after the property name
    } cases[] = {
        {"1", {vaInt8, 1}},
        {"-129", {vaInt16, 0x7F, 0xFF}},
        {"$FF", {vaInt16, 0xFF, 0x00}},
        {"5000000000", {vaInt64, 0x00, 0xF2, 0x05, 0x2A, 0x01, 0, 0, 0}},
        {"True", {vaTrue}},
        {"false", {vaFalse}},
        {"nil", {vaNil}},
        {"clRed", {vaIdent, 5, 'c', 'l', 'R', 'e', 'd'}},
        {"Form2.Shape1", {vaIdent, 12, 'F', 'o', 'r', 'm', '2', '.', 'S', 'h', 'a', 'p', 'e', '1'}},
        {"''", {vaString, 0}},
        {"'a''b'", {vaString, 3, 'a', '\'', 'b'}},
        {"'a'#39'b'", {vaString, 3, 'a', '\'', 'b'}},
        {"'a' + 'b'", {vaString, 2, 'a', 'b'}},
        {"'a'#13#10'b'", {vaString, 4, 'a', 13, 10, 'b'}},
        {"#$41", {vaString, 1, 'A'}},
        {"#233", {vaUTF8String, 2, 0, 0, 0, 0xC3, 0xA9}},
        {"[]", {vaSet, 0}},
        {"[a, bb]", {vaSet, 1, 'a', 2, 'b', 'b', 0}},
        {"()", {vaList, vaNull}},
        {"(1 'x')", {vaList, vaInt8, 1, vaString, 1, 'x', vaNull}},
        {"{}", {vaBinary, 0, 0, 0, 0}},
        {"{ 0a FF\r\n 10 }", {vaBinary, 3, 0, 0, 0, 0x0A, 0xFF, 0x10}},
        {"<>", {vaCollection, vaNull}},
        {"<item end item [3] X = 1 end>", {vaCollection, vaList, vaNull, vaInt8, 3, vaList, 1, 'X', vaInt8, 1, vaNull, vaNull}},
        {"1.5s", {vaSingle, 0x00, 0x00, 0xC0, 0x3F}},
        {"15000c", {vaCurrency, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}},
        {"2.5", {vaExtended, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0x40}},
    };
    for (const auto& c : cases) {
        const String text = String("object X\n  P = ") + c.text + "\nend\n";
        const String binary = toBinary(text);
        // "TPF0", class "X", empty name, property name "P".
        const String head = String("TPF0\x01X\x00\x01P", 9);
        ASSERT_EQ(binary.substr(0, head.size()), head) << c.text;
        const String value = binary.substr(head.size(), binary.size() - head.size() - 2);
        EXPECT_EQ(value, String(c.bytes.begin(), c.bytes.end())) << c.text;
    }
}

TEST(TextForm, HeadersWithFlagsAndPositions)
{
    const String text =
        "inherited Form1: TSampleForm\n"
        "  inline Frame1: TSampleShape [2]\n"
        "  end\n"
        "  object TSampleShape\n"
        "  end\n"
        "end\n";
    const String binary = toBinary(text);
    EXPECT_EQ(binary[4], '\xF1');
    const String back = lf(toText(binary));
    const String expected =
        "inherited Form1: TSampleForm\n"
        "  inline Frame1: TSampleShape [2]\n"
        "  end\n"
        "  object TSampleShape\n"
        "  end\n"
        "end\n";
    EXPECT_EQ(back, expected);
}

TEST(TextForm, SyntaxErrorsNameTheLine)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "'object' expected on line 1"},
        {"thing X\nend\n", "'object' expected on line 1"},
        {"object X\n  P 1\nend\n", "'=' expected on line 2"},
        {"object X\n  P = 'open\nend\n", "Unterminated string on line 2"},
        {"object X\n  P = {0F1}\nend\n", "Invalid binary value on line 2"},
        {"object X\n  P = {0G}\nend\n", "Invalid binary value on line 2"},
        {"object X\n  P = [a b]\nend\n", "',' expected on line 2"},
        {"object X\n  P = 'a' +\nend\n", "String expected on line 3"},
        {"object X\n  P = <thing end>\nend\n", "'item' expected on line 2"},
        {"object X\n  P = 1\n", "'end' expected on line 3"},
        {"object X\n  P = (1 2\n", "')' expected on line 3"},
        {"object X\n  P = ;\nend\n", "Invalid property value on line 2"},
    };
    for (const auto& c : cases) {
        try {
            toBinary(c.text);
            ADD_FAILURE() << c.text << ": accepted";
        } catch (const EParserError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.text;
        }
    }
}

TEST(TextForm, BadValuesInADescriptionNameTheirProperty)
{
    const struct {
        const char* body;
        const char* message;
    } cases[] = {
        {"  Tag = 'seven'\n", "Error reading Form1.Tag: Invalid property value"},
        {"  object S: TSampleShape\n    Font.Color = clNoSuch\n  end\n",
         "Error reading S.Font.Color: Invalid property value"},
        {"  object S: TSampleShape\n    Items = <\n      item\n        Weight = 'heavy'\n      end>\n  end\n",
         "Error reading S.Items.Weight: Invalid property value"},
        {"  Colour = 3\n", "Error reading Form1.Colour: Property Colour does not exist"},
    };
    RegisterSampleClasses();
    for (const auto& c : cases) {
        const String text = String("object Form1: TSampleForm\n") + c.body + "end\n";
        TOwnedPtr<TSampleForm> form(new TSampleForm(nullptr));
        try {
            TextToComponent(text, form.get());
            ADD_FAILURE() << c.body << ": accepted";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.body;
        }
    }
}

TEST(TextForm, StreamFormatIsRecognised)
{
    const struct {
        String head;
        TStreamOriginalFormat format;
    } cases[] = {
        {"TPF0\x0B", sofBinary},         {"object Form1: TForm1", sofText}, {"Object TChart\r\n", sofText},
        {"inherited F: TF", sofText},     {"inline F: TF", sofText},        {"\xEF\xBB\xBFobject X", sofText},
        {"<?xml version", sofUnknown},    {"\nobject X", sofUnknown},        {"objects", sofUnknown},
        {"", sofUnknown},
    };
    for (const auto& c : cases) {
        TStringStream s(c.head);
        s.SetPosition(0);
        EXPECT_EQ(TestStreamFormat(s), c.format) << c.head;
        EXPECT_EQ(s.Position(), 0);
    }
}

TEST(TextForm, ExtremeFloatsKeepTheirDigits)
{
    for (Extended v : {1e-20L, 6.02214076e23L, -1e300L, 0.001L, 123.25L}) {
        TStringStream s;
        TWriter w(s);
        w.WriteSignature();
        w.WriteStr("X");
        w.WriteStr("");
        w.WriteStr("P");
        w.WriteFloat(v);
        w.WriteListEnd();
        w.WriteListEnd();
        const String back = toBinary(toText(s.DataString()));
        TStringStream in(back);
        TReader r(in);
        r.ReadSignature();
        r.ReadStr();
        r.ReadStr();
        r.ReadStr();
        const Extended got = r.ReadFloat();
        EXPECT_NEAR(static_cast<double>(got / v), 1.0, 1e-15) << static_cast<double>(v);
    }
}
