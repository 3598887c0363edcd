// The classes of the platform, the serial component and the widgets, as stored descriptions meet
// them: created by name, written, read back.
#include <gtest/gtest.h>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "serial/VaComm.h"
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

TV_PUBLISHED(TDefaultAgain) { Prop("Count", &TDefaultAgain::Count, &TDefaultAgain::SetCount, 0); }
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

TEST(RegistryCheck, PassesASoundClass) { EXPECT_TRUE(testsupport::CheckStreamedClass(TPart::StaticClass()).empty()); }

TEST(Registry, EveryRegisteredClassRoundTrips)
{
    RegisterStandardClasses();
    RegisterSerialClasses();
    RegisterMeterControls();
    RegisterSevenSegmentClasses();
    RegisterStyledControls();
    ASSERT_GT(RegisteredClasses().size(), 30u);

    // Controls sit on a form, as they do in a stored description: a control that takes its
    // parent's font or colour then has one to take.
    TOwnedPtr<TForm> form(new TForm(nullptr));
    testsupport::StreamCheckOptions options;
    options.Place = [&](TComponent* component) {
        auto* control = dynamic_cast<TControl*>(component);
        if (control && !control->Is<TCustomForm>()) control->SetParent(form.get());
    };
    // AutoOpen opens the port when the component is read; there is none here. An aligned
    // control's bounds follow its parent and the order of every other change.
    options.Untouched = {"TVaComm.AutoOpen", "TControl.Align"};
    testsupport::ExpectRegisteredClassesRoundTrip(options);
}
