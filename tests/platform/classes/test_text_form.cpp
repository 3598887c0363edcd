// The text form of component streams and the conversions both ways.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

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
        "    Scale = -1.4999999999999999321E-7\n"
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
        "        Weight = 0.5\n"
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
    const String text = toText(StreamOf(form.get()));
    const String binary = toBinary(text);
    EXPECT_EQ(binary, StreamOf(form.get()));
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
        // A UTF-16 pair is the one character it encodes, also split over two lines; a lone half
        // is a replacement character.
        {"#55357#56832", {vaUTF8String, 4, 0, 0, 0, 0xF0, 0x9F, 0x98, 0x80}},
        {"'a'#55357 +\n #56832", {vaUTF8String, 5, 0, 0, 0, 'a', 0xF0, 0x9F, 0x98, 0x80}},
        {"#55357'x'", {vaUTF8String, 4, 0, 0, 0, 0xEF, 0xBF, 0xBD, 'x'}},
        {"#128512", {vaUTF8String, 4, 0, 0, 0, 0xF0, 0x9F, 0x98, 0x80}},
        {"[]", {vaSet, 0}},
        {"[a, bb]", {vaSet, 1, 'a', 2, 'b', 'b', 0}},
        {"()", {vaList, vaNull}},
        {"(1 'x')", {vaList, vaInt8, 1, vaString, 1, 'x', vaNull}},
        {"{}", {vaBinary, 0, 0, 0, 0}},
        {"{ 0a FF\r\n 10 }", {vaBinary, 3, 0, 0, 0, 0x0A, 0xFF, 0x10}},
        {"<>", {vaCollection, vaNull}},
        {"<item end item [3] X = 1 end>",
         {vaCollection, vaList, vaNull, vaInt8, 3, vaList, 1, 'X', vaInt8, 1, vaNull, vaNull}},
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
        {"TPF0\x0B", sofBinary},        {"object Form1: TForm1", sofText},
        {"Object TChart\r\n", sofText}, {"inherited F: TF", sofText},
        {"inline F: TF", sofText},      {"\xEF\xBB\xBFobject X", sofText},
        {"<?xml version", sofUnknown},  {"\nobject X", sofUnknown},
        {"objects", sofUnknown},        {"", sofUnknown},
    };
    for (const auto& c : cases) {
        TStringStream s(c.head);
        s.SetPosition(0);
        EXPECT_EQ(TestStreamFormat(s), c.format) << c.head;
        EXPECT_EQ(s.Position(), 0);
    }
}

namespace {

// A one-property stream "object X  P = <value>  end" with the value written by `write`.
template <typename Write>
String streamWith(Write write)
{
    TStringStream s;
    TWriter w(s);
    w.WriteSignature();
    w.WriteStr("X");
    w.WriteStr("");
    w.WriteStr("P");
    write(w);
    w.WriteListEnd();
    w.WriteListEnd();
    return s.DataString();
}

String valueText(const String& text)  // the literal after "P = "
{
    const size_t at = text.find("P = ") + 4;
    return text.substr(at, text.find('\r', at) - at);
}

String textWith(const String& literal) { return "object X\r\n  P = " + literal + "\r\nend\r\n"; }

}  // namespace

TEST(TextForm, FloatsAtTheEdgesOfEachTypeSurviveBothConverters)
{
    const struct {
        TValueType type;  // as written; a double comes back as the extended it widens to
        Extended value;   // currency: the raw value (value * 10000)
        const char* text;
    } cases[] = {
        {vaExtended, 0, "0.0"},
        {vaExtended, -0.0L, "-0.0"},
        {vaExtended, 2, "2.0"},
        {vaExtended, 0.5L, "0.5"},
        {vaExtended, 123.25L, "123.25"},
        {vaExtended, 0.1L, "0.1"},
        {vaExtended, 1 / 3.0L, "0.33333333333333333334"},
        {vaExtended, 0.005L, "0.005"},
        {vaExtended, 1e-4L, "0.0001"},
        {vaExtended, std::nextafter(1e-4L, 0.0L), "9.9999999999999999995E-5"},
        {vaExtended, 1e-5L, "1E-5"},
        {vaExtended, 1e15L, "1E+15"},
        {vaExtended, std::nextafter(1e15L, 0.0L), "999999999999999.99994"},
        {vaExtended, 1e-20L, "1E-20"},
        {vaExtended, 6.02214076e23L, "6.02214076E+23"},
        {vaExtended, -1e300L, "-1E+300"},
        {vaExtended, LDBL_MAX, "1.189731495357231765E+4932"},
        {vaExtended, -LDBL_MAX, "-1.189731495357231765E+4932"},
        {vaExtended, LDBL_MIN, "3.3621031431120935063E-4932"},
        {vaExtended, LDBL_TRUE_MIN, "4E-4951"},
        {vaExtended, 1 + LDBL_EPSILON, "1.0000000000000000001"},
        {vaExtended, 0x1p64L, "1.8446744073709551616E+19"},
        {vaExtended, DBL_MAX, "1.7976931348623157081E+308"},
        {vaDouble, DBL_MAX, "1.7976931348623157081E+308"},
        {vaDouble, -0.0, "-0.0"},
        {vaDouble, 0.1, "0.10000000000000000555"},
        {vaDouble, 0.0012345678901234567, "0.001234567890123456713"},
        {vaDouble, DBL_MIN, "2.2250738585072013831E-308"},
        {vaDouble, DBL_TRUE_MIN, "4.940656458412465442E-324"},
        {vaSingle, 0.25f, "0.25s"},
        {vaSingle, 0.1f, "0.1s"},
        {vaSingle, -0.0f, "-0.0s"},
        {vaSingle, 100, "100.0s"},
        {vaSingle, FLT_MAX, "3.4028235E+38s"},
        {vaSingle, -FLT_MAX, "-3.4028235E+38s"},
        {vaSingle, FLT_MIN, "1.1754944E-38s"},
        {vaSingle, FLT_TRUE_MIN, "1E-45s"},
        {vaSingle, 16777215, "16777215.0s"},
        {vaDate, 45000.5, "45000.5d"},
        {vaDate, -0.0, "-0.0d"},
        {vaDate, -693593.25, "-693593.25d"},
        {vaDate, 2958465.9999999884, "2958465.9999999884d"},
        {vaDate, DBL_MAX, "1.7976931348623157E+308d"},
        {vaDate, DBL_TRUE_MIN, "5E-324d"},
        {vaCurrency, 0, "0c"},
        {vaCurrency, 15000, "15000c"},
        {vaCurrency, -1, "-1c"},
        {vaCurrency, static_cast<Extended>(INT64_MAX), "9223372036854775807c"},
        {vaCurrency, static_cast<Extended>(INT64_MIN), "-9223372036854775808c"},
    };
    auto write = [](TWriter& w, TValueType type, Extended v) {
        switch (type) {
        case vaDouble: w.WriteDouble(static_cast<double>(v)); break;
        case vaSingle: w.WriteSingle(static_cast<float>(v)); break;
        case vaDate: w.WriteDate(static_cast<double>(v)); break;
        case vaCurrency: w.WriteCurrency(static_cast<Int64>(v)); break;
        default: w.WriteFloat(v); break;
        }
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        // binary -> text -> binary: the same bits (the sign of zero included).
        const String binary = streamWith([&](TWriter& w) { write(w, c.type, c.value); });
        const String text = toText(binary);
        EXPECT_EQ(valueText(text), c.text);
        const TValueType back = c.type == vaDouble ? vaExtended : c.type;
        EXPECT_EQ(toBinary(text), streamWith([&](TWriter& w) { write(w, back, c.value); }));
        // text -> binary -> text: the same text.
        EXPECT_EQ(toText(toBinary(textWith(c.text))), textWith(c.text));
    }
}

TEST(TextForm, FloatLiteralsAsTypedReadAsTheNearestValue)
{
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {
        {"1.50", "1.5"},
        {"1e3", "1000.0"},
        {"1E+3", "1000.0"},
        {"-0.0", "-0.0"},
        {"0.000099999", "9.9999E-5"},
        {"99999999999999999999", "1E+20"},  // beyond 64 bits: a float
        {"1.5S", "1.5s"},
        {"100s", "100.0s"},
        {"1e-50s", "0.0s"},  // below the smallest single: the nearest value, zero
        {"1e-400d", "0.0d"},
        {"3.4028235677973366e38s", "3.4028235E+38s"},  // rounds down to the largest single
        {"1.5c", "2c"},                                // the raw value, rounded half away from zero
        {"-2.5c", "-3c"},
    };
    for (const auto& c : cases) EXPECT_EQ(valueText(toText(toBinary(textWith(c.typed)))), c.written) << c.typed;
}

TEST(TextForm, OverflowingLiteralsAreErrorsNamingTheProperty)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"object X\n  P = 1e99999\nend\n", "Value 1e99999 of X.P is out of range on line 2"},
        {"object X\n  P = -1e99999\nend\n", "Value -1e99999 of X.P is out of range on line 2"},
        {"object X\n  P = 1e39s\nend\n", "Value 1e39s of X.P is out of range on line 2"},
        {"object X\n  P = 1e400d\nend\n", "Value 1e400d of X.P is out of range on line 2"},
        {"object X\n  P = 1e30c\nend\n", "Value 1e30c of X.P is out of range on line 2"},
        {"object X\n  P = 9223372036854775808c\nend\n", "Value 9223372036854775808c of X.P is out of range on line 2"},
        {"object X\n  P = -9223372036854775809c\nend\n",
         "Value -9223372036854775809c of X.P is out of range on line 2"},
        {"object F: TF\n  object S: TS\n    L = (\n      1\n      1e400d)\n  end\nend\n",
         "Value 1e400d of S.L is out of range on line 5"},
        {"object X\n  Items = <\n    item\n      W = 1e99999\n    end>\nend\n",
         "Value 1e99999 of X.Items.W is out of range on line 4"},
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

// Neither has a literal another reader takes as a number: refused when the text is written.
TEST(TextForm, InfinitiesAndNaNAreRefusedWhenWritten)
{
    constexpr Extended inf = std::numeric_limits<Extended>::infinity();
    const struct {
        const char* what;
        String binary;
        const char* message;
    } cases[] = {
        {"extended inf", streamWith([&](TWriter& w) { w.WriteFloat(inf); }),
         "Error writing X.P: an infinite value has no text form"},
        {"extended -inf", streamWith([&](TWriter& w) { w.WriteFloat(-inf); }),
         "Error writing X.P: an infinite value has no text form"},
        {"extended NaN", streamWith([&](TWriter& w) { w.WriteFloat(std::numeric_limits<Extended>::quiet_NaN()); }),
         "Error writing X.P: NaN has no text form"},
        {"double inf", streamWith([&](TWriter& w) { w.WriteDouble(HUGE_VAL); }),
         "Error writing X.P: an infinite value has no text form"},
        {"single inf", streamWith([&](TWriter& w) { w.WriteSingle(HUGE_VALF); }),
         "Error writing X.P: an infinite value has no text form"},
        {"date NaN", streamWith([&](TWriter& w) { w.WriteDate(std::nan("")); }),
         "Error writing X.P: NaN has no text form"},
        {"in a list", streamWith([&](TWriter& w) {
             w.WriteListBegin();
             w.WriteFloat(1);
             w.WriteSingle(-HUGE_VALF);
             w.WriteListEnd();
         }),
         "Error writing X.P: an infinite value has no text form"},
    };
    for (const auto& c : cases) {
        try {
            toText(c.binary);
            ADD_FAILURE() << c.what << ": written";
        } catch (const EWriteError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.what;
        }
    }
    // Through a component, the message names the object and the nested property.
    auto form = MakeSampleTree();
    auto* shape = static_cast<TSampleShape*>(form->FindComponent("Shape1"));
    shape->SetScale(HUGE_VAL);
    try {
        ComponentToText(form.get());
        ADD_FAILURE() << "an infinite Scale was written";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Error writing Shape1.Scale: an infinite value has no text form");
    }
    shape->SetScale(1);
    static_cast<TSampleItem*>(shape->Items()->Items(0))->SetWeight(std::nan(""));
    try {
        ComponentToText(form.get());
        ADD_FAILURE() << "a NaN Weight was written";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Error writing Shape1.Items.Weight: NaN has no text form");
    }
}
