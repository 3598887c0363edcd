// Binary component streams: round trips, references, events, error handling and hostile input.
#include <gtest/gtest.h>

#include <random>

#include "SampleClasses.h"
#include "StreamFixtures.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"

namespace {

TSampleShape* shapeOf(TComponent* form, const char* name)
{
    return dynamic_cast<TSampleShape*>(form->FindComponent(name));
}

TOwnedPtr<TSampleForm> readForm(const String& bytes, TReader::TReaderError onError = {})
{
    TStringStream s(bytes);
    TOwnedPtr<TSampleForm> form(new TSampleForm(nullptr));
    ReadComponentFromStream(s, form.get(), onError);
    return form;
}

// Bytes of a hand-made stream: "TPF0" + a TSampleForm root holding what `body` writes.
String handMade(const std::function<void(TWriter&)>& props, const std::function<void(TWriter&)>& children = {})
{
    TStringStream s;
    TWriter w(s);
    w.WriteSignature();
    w.WriteStr("TSampleForm");
    w.WriteStr("Form1");
    w.WriteListEnd();
    if (children) children(w);
    w.WriteListEnd();
    (void)props;
    return s.DataString();
}

// One TSampleShape child "S" whose properties `props` writes.
String shapeStream(const std::function<void(TWriter&)>& props)
{
    return handMade({}, [&](TWriter& w) {
        w.WriteStr("TSampleShape");
        w.WriteStr("S");
        props(w);
        w.WriteListEnd();
        w.WriteListEnd();
    });
}

// A number that starts at 100 and is stored when it differs from there: declared without a
// default, so that 0 is written too.
class TSampleGauge : public TPersistent {
    TV_CLASS(TSampleGauge, TPersistent)
public:
    double Limit() const { return limit_; }
    void SetLimit(double value) { limit_ = value; }
    bool IsLimitStored() const { return limit_ != 100; }

private:
    double limit_ = 100;
};

}  // namespace

TV_PUBLISHED(TSampleGauge)
{
    Prop("Limit", &TSampleGauge::Limit, &TSampleGauge::SetLimit).NoDefault().Stored(&TSampleGauge::IsLimitStored);
}

TEST(BinaryStream, StartsWithSignatureAndRootHeader)
{
    auto form = MakeSampleTree();
    const String bytes = StreamOf(form.get());
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes.substr(0, 4), "TPF0");
    EXPECT_EQ(bytes[4], '\x0B');
    EXPECT_EQ(bytes.substr(5, 11), "TSampleForm");
    EXPECT_EQ(bytes[16], '\x05');
    EXPECT_EQ(bytes.substr(17, 5), "Form1");
}

TEST(BinaryStream, RoundTripRestoresEveryKindAndWritesTheSameBytes)
{
    auto original = MakeSampleTree();
    const String bytes = StreamOf(original.get());
    auto form = readForm(bytes);
    ASSERT_EQ(form->ComponentCount(), 2);
    TSampleShape* s = shapeOf(form.get(), "Shape1");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Count(), -300);
    EXPECT_EQ(s->Big(), Int64{1} << 40);
    EXPECT_EQ(s->Tag(), 70000);
    EXPECT_EQ(s->Style(), ssDot);
    EXPECT_EQ(s->Options(), (TSampleFontStyles{sfItalic, sfStrikeOut}));
    EXPECT_FALSE(s->Visible());
    EXPECT_EQ(s->Letter(), '\r');
    EXPECT_EQ(s->Ratio(), 0.25f);
    EXPECT_EQ(s->Scale(), -1.5e-7);
    EXPECT_EQ(s->Precise(), 3.14159265358979323846L) << "extended keeps all 64 mantissa bits";
    EXPECT_EQ(s->When(), 45000.5);
    EXPECT_EQ(s->Caption(), "It's a \"test\"\r\nline two \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(s->Color(), clSampleRed);
    EXPECT_EQ(s->Cursor(), -3);
    EXPECT_EQ(s->Font()->Size(), 12);
    EXPECT_EQ(s->Font()->Name(), "Courier New");
    EXPECT_EQ(s->Font()->Style(), (TSampleFontStyles{sfBold, sfUnderline}));
    EXPECT_EQ(s->Title(), "Chart title");
    ASSERT_EQ(s->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TSampleItem*>(s->Items()->Items(0))->Value(), 100000);
    EXPECT_EQ(static_cast<TSampleItem*>(s->Items()->Items(0))->Weight(), 0.5);
    EXPECT_EQ(static_cast<TSampleItem*>(s->Items()->Items(1))->Caption(), String(300, 'x'));
    ASSERT_EQ(s->Lines()->Count(), 3);
    EXPECT_EQ(s->Lines()->Get(1), "it's");
    EXPECT_EQ(s->Lines()->Get(2), "");
    EXPECT_EQ(s->Palette, (std::vector<int>{clSampleRed, 0x123456, clSampleBlack}));
    EXPECT_EQ(s->Data, (std::vector<Byte>{0, 1, 2, 0xFE, 0xFF}));
    ASSERT_NE(s->Detail, nullptr);
    EXPECT_EQ(s->Detail->Name(), "Inner");
    EXPECT_EQ(s->Detail->Caption(), "nested");
    EXPECT_EQ(s->Partner(), shapeOf(form.get(), "Shape2"));
    EXPECT_EQ(shapeOf(form.get(), "Shape2")->Partner(), s) << "a forward reference is resolved too";
    ASSERT_TRUE(s->OnClick());
    s->OnClick()(s);
    ASSERT_EQ(form->clicks.size(), 1u);
    EXPECT_EQ(form->clicks[0], s);
    EXPECT_EQ(StreamOf(form.get()), bytes);
}

TEST(BinaryStream, DefaultsAndUnstoredPropertiesAreNotWritten)
{
    RegisterSampleClasses();
    TOwnedPtr<TSampleForm> form(new TSampleForm(nullptr));
    (new TSampleShape(form.get()))->SetName("S");
    const String bytes = StreamOf(form.get());
    // Only the headers: class and (empty) name of the root, class and name of the child, four list ends.
    EXPECT_EQ(bytes.size(), 4u + 12 + 1 + 13 + 2 + 4);
    for (const char* name : {"Count", "Visible", "Style", "Title", "Version", "Name", "Options", "Color"})
        EXPECT_EQ(bytes.find(name), String::npos) << name;
}

TEST(BinaryStream, IntegersUseTheSmallestValueType)
{
    const struct {
        Int64 value;
        TValueType type;
        size_t size;
    } cases[] = {{0, vaInt8, 2},         {-128, vaInt8, 2},       {127, vaInt8, 2},
                 {128, vaInt16, 3},      {-129, vaInt16, 3},      {32767, vaInt16, 3},
                 {-32769, vaInt32, 5},   {INT32_MAX, vaInt32, 5}, {Int64{INT32_MAX} + 1, vaInt64, 9},
                 {INT64_MIN, vaInt64, 9}};
    for (const auto& c : cases) {
        TStringStream s;
        TWriter w(s);
        w.WriteInteger(c.value);
        ASSERT_EQ(s.DataString().size(), c.size) << c.value;
        EXPECT_EQ(static_cast<TValueType>(s.DataString()[0]), c.type) << c.value;
        s.SetPosition(0);
        TReader r(s);
        EXPECT_EQ(r.ReadInt64(), c.value);
    }
}

TEST(BinaryStream, StringKindsAndLengths)
{
    const struct {
        String text;
        TValueType type;
    } cases[] = {{"", vaString},
                 {String(255, 'a'), vaString},
                 {String(256, 'a'), vaLString},
                 {"caf\xC3\xA9", vaUTF8String}};
    for (const auto& c : cases) {
        TStringStream s;
        TWriter w(s);
        w.WriteString(c.text);
        EXPECT_EQ(static_cast<TValueType>(s.DataString()[0]), c.type);
        s.SetPosition(0);
        TReader r(s);
        EXPECT_EQ(r.ReadString(), c.text);
    }
    // Wide strings and Latin-1 bytes of older streams come back as UTF-8.
    TStringStream s;
    TWriter w(s);
    w.WriteWideString("\xE2\x82\xAC and \xF0\x9F\x98\x80");
    w.WriteValue(vaString);
    w.WriteStr("caf\xE9");
    s.SetPosition(0);
    TReader r(s);
    EXPECT_EQ(r.ReadString(), "\xE2\x82\xAC and \xF0\x9F\x98\x80");
    EXPECT_EQ(r.ReadString(), "caf\xC3\xA9");
}

TEST(BinaryStream, LoadedRunsOncePerComponentAfterReferencesAreFixed)
{
    auto original = MakeSampleTree();
    auto form = readForm(StreamOf(original.get()));
    TSampleShape* s1 = shapeOf(form.get(), "Shape1");
    TSampleShape* s2 = shapeOf(form.get(), "Shape2");
    EXPECT_EQ(s1->LoadedCount, 1);
    EXPECT_EQ(s2->LoadedCount, 1);
    EXPECT_EQ(s1->PartnerNameAtLoaded, "Shape2");
    EXPECT_EQ(s2->PartnerNameAtLoaded, "Shape1") << "Shape1 was read before Shape2 but resolved first";
    EXPECT_FALSE(s1->IsLoading());
    EXPECT_FALSE(s1->ComponentState().Contains(csReading));
}

TEST(BinaryStream, ReadingCreatesTheRootByClassName)
{
    auto original = MakeSampleTree();
    TStringStream s(StreamOf(original.get()));
    TOwnedPtr<TComponent> root(ReadComponentFromStream(s, nullptr));
    EXPECT_EQ(root->ClassName(), "TSampleForm");
    EXPECT_EQ(root->Name(), "Form1");
    EXPECT_EQ(root->ComponentCount(), 2);
}

TEST(BinaryStream, MissingMethodIsAnErrorUnlessTheFindMethodHookSkipsIt)
{
    const String bytes = shapeStream([](TWriter& w) {
        w.WriteStr("OnClick");
        w.WriteIdent("ButtonGoneClick");
        w.WriteStr("Count");
        w.WriteInteger(7);
    });
    try {
        readForm(bytes);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading S.OnClick: Invalid property value");
    }
    TStringStream s(bytes);
    TOwnedPtr<TSampleForm> form(new TSampleForm(nullptr));
    TReader reader(s);
    String asked;
    reader.SetOnFindMethod([&](TReader&, const String& name, bool& error) {
        asked = name;
        error = false;
    });
    reader.ReadRootComponent(form.get());
    EXPECT_EQ(asked, "ButtonGoneClick");
    TSampleShape* shape = shapeOf(form.get(), "S");
    EXPECT_FALSE(shape->OnClick());
    EXPECT_EQ(shape->Count(), 7) << "reading went on after the skipped handler";
}

TEST(BinaryStream, RecoverableErrorsGoToOnErrorAndTheValueIsSkipped)
{
    // Each case: one bad property followed by Count = 7, which must still be read when skipped.
    // (The obsolete "Multiplier" is read by a defined property; a bad value there is skipped too.)
    const struct {
        const char* what;
        std::function<void(TWriter&)> write;
        const char* message;
        const char* place;  // named by the refusal without a handler; "" when read after the properties
    } cases[] = {
        {"unknown property",
         [](TWriter& w) {
             w.WriteStr("Divisor");
             w.WriteFloat(2.5);
         },
         "Property Divisor does not exist", "S.Divisor"},
        {"bad value in a defined property",
         [](TWriter& w) {
             w.WriteStr("Multiplier");
             w.WriteString("x");
         },
         "Invalid property value", "S.Multiplier"},
        {"bad item in a defined list",
         [](TWriter& w) {
             w.WriteStr("Palette");
             w.WriteListBegin();
             w.WriteIdent("clNoSuch");
             w.WriteListEnd();
         },
         "Invalid property value", "S.Palette"},
        {"unknown nested property",
         [](TWriter& w) {
             w.WriteStr("Font.Weight");
             w.WriteInteger(700);
         },
         "Property Font.Weight does not exist", "S.Font.Weight"},
        {"path through a non-object",
         [](TWriter& w) {
             w.WriteStr("Count.Size");
             w.WriteInteger(1);
         },
         "Property Count.Size does not exist", "S.Count.Size"},
        {"wrong value type",
         [](TWriter& w) {
             w.WriteStr("Count");
             w.WriteString("seven");
         },
         "Invalid property value", "S.Count"},
        {"unknown enum name",
         [](TWriter& w) {
             w.WriteStr("Style");
             w.WriteIdent("ssWavy");
         },
         "Invalid property value", "S.Style"},
        {"unknown set element",
         [](TWriter& w) {
             w.WriteStr("Options");
             w.WriteValue(vaSet);
             w.WriteStr("sfBold");
             w.WriteStr("sfShadow");
             w.WriteStr("");
         },
         "Invalid property value", "S.Options"},
        {"unknown colour ident",
         [](TWriter& w) {
             w.WriteStr("Font.Color");
             w.WriteIdent("clNoSuch");
         },
         "Invalid property value", "S.Font.Color"},
        {"read-only property",
         [](TWriter& w) {
             w.WriteStr("Version");
             w.WriteInteger(4);
         },
         "Property Version is read-only", "S.Version"},
        {"list for an integer",
         [](TWriter& w) {
             w.WriteStr("Count");
             w.WriteListBegin();
             w.WriteInteger(1);
             w.WriteListEnd();
         },
         "Invalid property value", "S.Count"},
        {"bad value in a collection item",
         [](TWriter& w) {
             w.WriteStr("Items");
             w.WriteValue(vaCollection);
             w.WriteListBegin();
             w.WriteStr("Value");
             w.WriteString("ten");
             w.WriteListEnd();
             w.WriteListEnd();
         },
         "Invalid property value", "S.Items.Value"},
        {"unresolved reference",
         [](TWriter& w) {
             w.WriteStr("Partner");
             w.WriteIdent("Nobody");
         },
         "Unresolved component reference Nobody in Partner", ""},
    };
    for (const auto& c : cases) {
        const String bytes = shapeStream([&](TWriter& w) {
            c.write(w);
            w.WriteStr("Count");
            w.WriteInteger(7);
        });
        std::vector<String> errors;
        auto form = readForm(bytes, [&](TReader&, const String& message, bool& handled) {
            errors.push_back(message);
            handled = true;
        });
        ASSERT_EQ(errors.size(), 1u) << c.what;
        EXPECT_EQ(errors[0], c.message) << c.what;
        TSampleShape* shape = shapeOf(form.get(), "S");
        ASSERT_NE(shape, nullptr) << c.what;
        EXPECT_EQ(shape->Count(), 7) << c.what;
        // A handler that declines is asked once, and the refusal names where the value sits.
        const String refusal = *c.place ? "Error reading " + String(c.place) + ": " + c.message : String(c.message);
        errors.clear();
        try {
            readForm(bytes, [&](TReader&, const String& message, bool&) { errors.push_back(message); });
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), refusal) << c.what;
        }
        EXPECT_EQ(errors, std::vector<String>{c.message}) << c.what;
        // Without a handler the same stream is refused with that message.
        try {
            readForm(bytes);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), refusal) << c.what;
        }
    }
}

TEST(BinaryStream, UnknownClassIsRefusedAndTheHalfReadTreeIsFreed)
{
    const String bytes = handMade({}, [](TWriter& w) {
        w.WriteStr("TSampleShape");
        w.WriteStr("Good");
        w.WriteListEnd();
        w.WriteListEnd();
        w.WriteStr("TUnknownSeries");
        w.WriteStr("Bad");
        w.WriteListEnd();
        w.WriteListEnd();
    });
    TStringStream s(bytes);
    try {
        TOwnedPtr<TComponent> root(ReadComponentFromStream(s, nullptr));
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TUnknownSeries not found");
    }
}

TEST(BinaryStream, CorruptStreamsFailWithAReadError)
{
    auto form = MakeSampleTree();
    const String good = StreamOf(form.get());
    const struct {
        const char* what;
        String bytes;
    } cases[] = {
        {"empty", ""},
        {"bad signature", "TPF1" + good.substr(4)},
        {"value type out of range", shapeStream([](TWriter& w) {
             w.WriteStr("Count");
             w.WriteValue(static_cast<TValueType>(99));
         })},
        {"binary length beyond the end", shapeStream([](TWriter& w) {
             w.WriteStr("Data");
             w.WriteValue(vaBinary);
             const Byte len[4] = {0xFF, 0xFF, 0xFF, 0x7F};
             w.Stream().WriteBuffer(len, 4);
         })},
        {"long string length beyond the end", shapeStream([](TWriter& w) {
             w.WriteStr("Caption");
             w.WriteValue(vaLString);
             const Byte len[4] = {0xFF, 0xFF, 0xFF, 0xFF};
             w.Stream().WriteBuffer(len, 4);
         })},
        {"wide string length beyond the end", shapeStream([](TWriter& w) {
             w.WriteStr("Caption");
             w.WriteValue(vaWString);
             const Byte len[4] = {0x00, 0x00, 0x00, 0x40};
             w.Stream().WriteBuffer(len, 4);
         })},
    };
    for (const auto& c : cases) {
        TStringStream s(c.bytes);
        TOwnedPtr<TSampleForm> target(new TSampleForm(nullptr));
        EXPECT_THROW(ReadComponentFromStream(s, target.get()), EReadError) << c.what;
    }
    // Every truncation of a good stream fails cleanly, even with a forgiving handler.
    for (size_t n = 0; n < good.size(); ++n) {
        TStringStream s(good.substr(0, n));
        TOwnedPtr<TSampleForm> target(new TSampleForm(nullptr));
        EXPECT_THROW(ReadComponentFromStream(s, target.get(), [](TReader&, const String&, bool& h) { h = true; }),
                     EReadError)
            << "truncated at " << n;
    }
}

TEST(BinaryStream, DeepNestingIsRefusedNotRecursedForever)
{
    String bytes = shapeStream([](TWriter& w) {
        w.WriteStr("Multiplier");
        for (int i = 0; i < 100000; ++i) w.WriteListBegin();
    });
    auto skipAll = [](TReader&, const String&, bool& h) { h = true; };
    EXPECT_THROW(readForm(bytes, skipAll), EReadError);
}

TEST(BinaryStream, MutatedStreamsNeverCrash)
{
    // Deterministic mutation smoke test (the fuzz target explores further).
    auto form = MakeSampleTree();
    const String good = StreamOf(form.get());
    std::mt19937 rng(1234);
    auto skipAll = [](TReader&, const String&, bool& h) { h = true; };
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        String bytes = good;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % bytes.size();
            switch (rng() % 3) {
            case 0: bytes[at] = static_cast<char>(rng()); break;
            case 1: bytes.erase(at, 1 + rng() % 8); break;
            default: bytes.insert(at, 1, static_cast<char>(rng())); break;
            }
            if (bytes.empty()) bytes = "T";
        }
        TStringStream s(bytes);
        TOwnedPtr<TSampleForm> target(new TSampleForm(nullptr));
        try {
            ReadComponentFromStream(s, target.get(),
                                    round % 2 ? TReader::TReaderError(skipAll) : TReader::TReaderError());
            ++accepted;
        } catch (const EStreamError&) {
        } catch (const Exception& e) {
            ADD_FAILURE() << "round " << round << ": not a stream error: " << e.Message();
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST(BinaryStream, ObsoleteDefinedPropertyIsReadButNotWritten)
{
    const String bytes = shapeStream([](TWriter& w) {
        w.WriteStr("Multiplier");
        w.WriteFloat(2.5);
    });
    auto form = readForm(bytes);
    TSampleShape* shape = shapeOf(form.get(), "S");
    EXPECT_EQ(shape->Scale(), 2.5);
    const String again = StreamOf(form.get());
    EXPECT_EQ(again.find("Multiplier"), String::npos);
    EXPECT_NE(again.find("Scale"), String::npos);
}

TEST(BinaryStream, InheritedChildrenAreUpdatedInPlace)
{
    RegisterSampleClasses();
    TOwnedPtr<TSampleForm> form(new TSampleForm(nullptr));
    auto* existing = new TSampleShape(form.get());
    existing->SetName("Shape1");
    const String text =
        "inherited Form1: TSampleForm\r\n"
        "  inherited Shape1: TSampleShape\r\n"
        "    Count = 5\r\n"
        "  end\r\n"
        "  object Shape2: TSampleShape\r\n"
        "  end\r\n"
        "end\r\n";
    TextToComponent(text, form.get());
    ASSERT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->Components(0), existing);
    EXPECT_EQ(existing->Count(), 5);
    EXPECT_EQ(existing->LoadedCount, 1);
}

TEST(BinaryStream, NamesTooLongForTheFormatAreRefusedNotCut)
{
    RegisterSampleClasses();
    TOwnedPtr<TSampleForm> form(new TSampleForm(nullptr));
    (new TSampleShape(form.get()))->SetName(String(300, 'N'));
    TStringStream s;
    EXPECT_THROW(WriteComponentToStream(s, form.get()), EWriteError);
}

TEST(BinaryStream, DescendentWritesOnlyWhatDiffersFromTheAncestor)
{
    RegisterSampleClasses();
    TOwnedPtr<TSampleShape> ancestor(new TSampleShape(nullptr));
    ancestor->SetCount(3);
    ancestor->Font()->SetSize(20);
    TOwnedPtr<TSampleShape> shape(new TSampleShape(nullptr));
    shape->SetCount(3);          // same as the ancestor: not written
    shape->Font()->SetSize(20);  // same: not written
    shape->Font()->SetName("Arial Black");
    shape->SetCaption("own");
    TStringStream s;
    TWriter writer(s);
    writer.WriteDescendent(shape.get(), ancestor.get());
    const String bytes = s.DataString();
    EXPECT_EQ(bytes.find("Count"), String::npos);
    EXPECT_EQ(bytes.find("Font.Size"), String::npos);
    EXPECT_NE(bytes.find("Font.Name"), String::npos);
    EXPECT_NE(bytes.find("Caption"), String::npos);
}

TEST(BinaryStream, ReadComponentsAttachesEachToTheOwnerAndLoadsThem)
{
    RegisterSampleClasses();
    TOwnedPtr<TSampleForm> source(new TSampleForm(nullptr));
    for (const char* name : {"A", "B"}) {
        auto* s = new TSampleShape(source.get());
        s->SetName(name);
        s->SetCount(name[0]);
    }
    TStringStream s;
    {
        TWriter w(s);
        w.SetRoot(source.get());
        for (int i = 0; i < source->ComponentCount(); ++i) {
            w.WriteSignature();
            w.WriteComponent(source->Components(i));
        }
        w.WriteListEnd();
    }
    s.SetPosition(0);
    TOwnedPtr<TSampleForm> target(new TSampleForm(nullptr));
    std::vector<String> seen;
    TReader r(s);
    r.ReadComponents(target.get(), nullptr, [&](TComponent* c) { seen.push_back(c->Name()); });
    EXPECT_EQ(seen, (std::vector<String>{"A", "B"}));
    ASSERT_EQ(target->ComponentCount(), 2);
    auto* b = static_cast<TSampleShape*>(target->FindComponent("B"));
    EXPECT_EQ(b->Count(), 'B');
    EXPECT_EQ(b->LoadedCount, 1);
}

TEST(BinaryStream, PropertiesOfAPlainPersistentRoundTrip)
{
    TSampleFont font;
    font.SetSize(14);
    font.SetStyle({sfItalic});
    TStringStream s;
    {
        TWriter w(s);
        w.WriteProperties(&font);
        w.WriteListEnd();
    }
    s.SetPosition(0);
    TSampleFont copy;
    TReader r(s);
    r.ReadProperties(&copy);
    EXPECT_EQ(copy.Size(), 14);
    EXPECT_EQ(copy.Style(), TSampleFontStyles{sfItalic});
    EXPECT_EQ(s.Position(), s.Size());
}

TEST(BinaryStream, ANumberWithoutADefaultIsWrittenWheneverStoredZeroToo)
{
    for (const double limit : {0.0, 100.0, 42.5}) {
        TSampleGauge gauge;
        gauge.SetLimit(limit);
        TStringStream s;
        {
            TWriter w(s);
            w.WriteProperties(&gauge);
            w.WriteListEnd();
        }
        EXPECT_EQ(s.DataString().find("Limit") != String::npos, limit != 100) << limit;
        s.SetPosition(0);
        TSampleGauge copy;
        TReader r(s);
        r.ReadProperties(&copy);
        EXPECT_EQ(copy.Limit(), limit);
    }
}
