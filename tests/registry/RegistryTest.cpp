// The classes the program registers (the platform, the serial component, the widgets and every
// unit of the chart engine the program starts), as stored descriptions and chart files meet them:
// created by name, written, read back, assigned.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/ChartUnits.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/core/FormTextToXml.h"
#include "chart/io/ZebExport.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "serial/VaComm.h"
#include "tests/chart/support/XmlFormText.h"
#include "tests/support/RegistryCheck.h"
#include "widgets/meters/Register.h"
#include "widgets/sevenseg/SevenSegmentDisplay.h"
#include "widgets/styled/QMPanel.h"

// Faults the check must find, one per class.
class TDefaultAgain : public TComponent {  // its extra data repeats a published property
    TV_CLASS(TDefaultAgain, TComponent)
public:
    explicit TDefaultAgain(TComponent* owner) : TComponent(owner) {}
    int Count() const { return count_; }
    void SetCount(int value) { count_ = value; }

protected:
    void DefineProperties(TFiler& filer) override
    {
        TComponent::DefineProperties(filer);
        filer.DefineProperty(
            "Count", [this](TReader& r) { count_ = r.ReadInteger(); }, [this](TWriter& w) { w.WriteInteger(count_); },
            true);
    }

private:
    int count_ = 0;
};

class TLossy : public TComponent {  // the setter drops what a stream gives it
    TV_CLASS(TLossy, TComponent)
public:
    explicit TLossy(TComponent* owner) : TComponent(owner) {}
    int Level() const { return level_; }
    void SetLevel(int value)
    {
        if (!IsLoading()) level_ = value;
    }

private:
    int level_ = 0;
};

class TPart : public TComponent {  // never registered
    TV_CLASS(TPart, TComponent)
public:
    explicit TPart(TComponent* owner) : TComponent(owner) {}
};

class TWithPart : public TComponent {  // writes an owned part whose class is not registered
    TV_CLASS(TWithPart, TComponent)
public:
    explicit TWithPart(TComponent* owner) : TComponent(owner)
    {
        if (!IsLoading()) (new TPart(this))->SetName("Part");
    }
    void GetChildren(const TGetChildProc& proc, TComponent* root) override
    {
        if (root == this)
            for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
    }
    TComponent* GetChildOwner() override { return this; }
};

class TNewIsNotDefault : public TComponent {  // starts away from its published default
    TV_CLASS(TNewIsNotDefault, TComponent)
public:
    explicit TNewIsNotDefault(TComponent* owner) : TComponent(owner) {}
    int Count() const { return count_; }
    void SetCount(int value) { count_ = value; }

private:
    int count_ = 1;
};

class TNewHasText : public TComponent {  // starts with a text, which the writer does not know
    TV_CLASS(TNewHasText, TComponent)
public:
    explicit TNewHasText(TComponent* owner) : TComponent(owner) {}
    String Label() const { return label_; }
    void SetLabel(const String& value) { label_ = value; }

private:
    String label_ = "start";
};

class THalfAssign : public TPersistent {  // its Assign forgets a property
    TV_CLASS(THalfAssign, TPersistent)
public:
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }
    void Assign(TPersistent* source) override
    {
        if (auto* other = dynamic_cast<THalfAssign*>(source))
            width_ = other->width_;
        else
            TPersistent::Assign(source);
    }

private:
    int width_ = 0, height_ = 0;
};

TV_PUBLISHED(TDefaultAgain) { Prop("Count", &TDefaultAgain::Count, &TDefaultAgain::SetCount, 0); }
TV_PUBLISHED(TNewIsNotDefault) { Prop("Count", &TNewIsNotDefault::Count, &TNewIsNotDefault::SetCount, 0); }
TV_PUBLISHED(TNewHasText) { Prop("Label", &TNewHasText::Label, &TNewHasText::SetLabel); }
TV_PUBLISHED(THalfAssign)
{
    Prop("Width", &THalfAssign::Width, &THalfAssign::SetWidth, 0);
    Prop("Height", &THalfAssign::Height, &THalfAssign::SetHeight, 0);
}
TV_PUBLISHED(TLossy) { Prop("Level", &TLossy::Level, &TLossy::SetLevel, 0); }
TV_PUBLISHED(TPart) {}
TV_PUBLISHED(TWithPart) {}

namespace {

bool mentions(const std::vector<String>& faults, const String& text)
{
    for (const String& f : faults)
        if (f.find(text) != String::npos) return true;
    return false;
}

}  // namespace

TEST(RegistryCheck, FindsAPropertyThatDoesNotRoundTrip)
{
    const auto faults = testsupport::CheckStreamedClass(TLossy::StaticClass());
    EXPECT_TRUE(mentions(faults, "Level = 1")) << ::testing::PrintToString(faults);
}

TEST(RegistryCheck, FindsAChildClassThatIsNotRegistered)
{
    const auto faults = testsupport::CheckStreamedClass(TWithPart::StaticClass());
    EXPECT_TRUE(mentions(faults, "TPart")) << ::testing::PrintToString(faults);
}

TEST(RegistryCheck, FindsAWrittenDefault)
{
    const auto faults = testsupport::CheckStreamedClass(TDefaultAgain::StaticClass());
    EXPECT_TRUE(mentions(faults, "writes Count = 0, its published default")) << ::testing::PrintToString(faults);
}

TEST(RegistryCheck, FindsANewValueThatIsNotThePublishedDefault)
{
    const auto faults = testsupport::CheckStreamedClass(TNewIsNotDefault::StaticClass());
    EXPECT_TRUE(mentions(faults, "Count = 1, not its published default 0, which therefore comes back as 1"))
        << ::testing::PrintToString(faults);
}

TEST(RegistryCheck, FindsAnEmptyTextThatComesBackAsTheNewOne)
{
    const auto faults = testsupport::CheckStreamedClass(TNewHasText::StaticClass());
    EXPECT_TRUE(mentions(faults, "Label = 'start'; set to '' it comes back as 'start'")) << ::testing::PrintToString(faults);
}

TEST(RegistryCheck, FindsAPropertyAssignLeavesOutUnlessListed)
{
    auto faults = testsupport::CheckStreamedClass(THalfAssign::StaticClass());
    EXPECT_TRUE(mentions(faults, "Assign leaves out")) << ::testing::PrintToString(faults);
    testsupport::StreamCheckOptions options;
    options.NotAssigned = {"THalfAssign.Height"};
    faults = testsupport::CheckStreamedClass(THalfAssign::StaticClass(), options);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

TEST(RegistryCheck, PassesASoundClass) { EXPECT_TRUE(testsupport::CheckStreamedClass(TPart::StaticClass()).empty()); }

// Every class a stream, a chart file or the chart's lists can create: the class registry, and the
// canvas and picture export classes the chart engine lists apart.
std::vector<const TMetaClass*> classesToCheck()
{
    std::vector<const TMetaClass*> classes;
    for (TClass cls : RegisteredClasses()) classes.push_back(cls);
    const auto add = [&](const TMetaClass* cls) {
        if (std::find(classes.begin(), classes.end(), cls) == classes.end()) classes.push_back(cls);
    };
    if (CanvasClassList())
        for (const TMetaClass* cls : *CanvasClassList()) add(cls);
    if (TZebExportFormats* formats = ExportFormatClasses())
        for (int i = 0; i < formats->Count(); ++i) add(formats->GetFormatClass(i));
    return classes;
}

String textOf(const String& binary)
{
    TStringStream in(binary), out;
    ObjectBinaryToText(in, out);
    return out.DataString();
}

String binaryOf(const String& text)
{
    TStringStream in(text), out;
    ObjectTextToBinary(in, out);
    return out.DataString();
}

// The first line where two texts part.
String firstDifference(const String& a, const String& b)
{
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    const size_t start = a.rfind('\n', at) == String::npos ? 0 : a.rfind('\n', at) + 1;
    const auto line = [start](const String& text) { return text.substr(start, text.find('\n', start) - start); };
    return "\n      written:   " + line(a) + "\n      read back: " + line(b);
}

// The text and XML forms (the chart files' other two) keep what the binary form holds.
std::vector<String> storedFormFaults(const String& stream)
{
    std::vector<String> faults;
    const auto check = [&](const char* form, const auto& roundTrip) {
        try {
            const String text = textOf(stream), again = textOf(binaryOf(roundTrip(text)));
            if (again != text)
                faults.push_back(String("the ") + form + " form reads back otherwise:" + firstDifference(text, again));
        } catch (const std::exception& e) {
            faults.push_back(String("the ") + form + " form does not read back: " + e.what());
        }
    };
    check("text", [](const String& text) { return text; });
    check("XML", [](const String& text) {
        TStringStream xml(text);
        ConvertFormTextToXml(xml, true);
        return String(XmlFormToText(xml.DataString()));
    });
    return faults;
}

TEST(Registry, EveryRegisteredClassRoundTrips)
{
    RegisterStandardClasses();
    RegisterSerialClasses();
    RegisterMeterControls();
    RegisterSevenSegmentClasses();
    RegisterStyledControls();
    StartChartUnits();
    ASSERT_GT(RegisteredClasses().size(), 30u);

    // Controls sit on a form, as they do in a stored description: a control that takes its
    // parent's font or colour then has one to take.
    TOwnedPtr<TForm> form(new TForm(nullptr));
    testsupport::StreamCheckOptions options = testsupport::DesignStreamCheckOptions();
    options.Place = [&](TComponent* component) {
        auto* control = dynamic_cast<TControl*>(component);
        if (control && !control->Is<TCustomForm>()) control->SetParent(form.get());
    };
    // Picture filters are collection items made by class name inside their own stream form.
    options.CollectionItems = true;
    options.StoredForms = storedFormFaults;
    for (const TMetaClass* cls : classesToCheck()) {
        const std::vector<String> faults = testsupport::CheckStreamedClass(*cls, options);
        String list;
        for (const String& f : faults) list += "\n  " + f;
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ":" << list;
    }
    StopChartUnits();
}
