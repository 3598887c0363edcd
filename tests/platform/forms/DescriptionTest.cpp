// Forms read from a stored description: components by class name, properties, events by name.
#include <gtest/gtest.h>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/GraphicsObjects.h"
#include "tests/support/FormSupport.h"

class TStoredForm : public TForm {
    TV_CLASS(TStoredForm, TForm)
public:
    explicit TStoredForm(TComponent* owner) : TForm(owner) {}
    std::vector<String> log;
    void FormCreate(TObject*) { log.push_back("create"); }
    void FormShow(TObject*) { log.push_back("show"); }
    void Button1Click(TObject*) { log.push_back("click " + FindComponent("Edit1")->Name()); }
    void Edit1Change(TObject* sender) { log.push_back("change " + static_cast<TEdit*>(sender)->Text()); }
    void Loaded() override
    {
        TForm::Loaded();
        log.push_back("loaded");
    }
};

TV_PUBLISHED(TStoredForm)
{
    Method("FormCreate", &TStoredForm::FormCreate);
    Method("FormShow", &TStoredForm::FormShow);
    Method("Button1Click", &TStoredForm::Button1Click);
    Method("Edit1Change", &TStoredForm::Edit1Change);
}

namespace {

const char* const smallForm = R"(object StoredForm: TStoredForm
  Left = 10
  Top = 20
  Width = 316
  Height = 159
  Caption = 'Stored form'
  Color = clBtnFace
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 8
    Top = 12
    Width = 50
    Height = 13
    Caption = 'Port No'
    Font.Color = clNavy
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit1: TEdit
    Left = 8
    Top = 36
    Width = 121
    Height = 21
    TabOrder = 0
    Text = '#INFO'
    OnChange = Edit1Change
  end
  object Button1: TButton
    Left = 140
    Top = 34
    Width = 75
    Height = 25
    Caption = 'Send'
    TabOrder = 1
    OnClick = Button1Click
  end
end
)";

struct Registered : ::testing::Test {
    static void SetUpTestSuite() { RegisterClass(TStoredForm::StaticClass()); }
};

using testsupport::Find;
using testsupport::LoadForm;

TEST_F(Registered, FormFromTextHasItsComponentsPropertiesAndHandlers)
{
    auto form = LoadForm<TStoredForm>(smallForm);
    EXPECT_EQ(form->log, (std::vector<String>{"loaded", "create"}));  // no OnChange while reading
    EXPECT_EQ(form->Name(), "StoredForm");
    EXPECT_EQ(form->Caption(), "Stored form");
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 120);
    ASSERT_EQ(form->ControlCount(), 3);

    auto& label = Find<TLabel>(*form, "Label1");
    EXPECT_EQ(label.Caption(), "Port No");
    EXPECT_TRUE(label.Font()->Style().Contains(fsBold));
    EXPECT_EQ(label.Font()->Color(), clNavy);
    EXPECT_FALSE(label.ParentFont());
    EXPECT_EQ(label.Parent(), form.get());
    EXPECT_EQ(label.Owner(), form.get());

    auto& edit = Find<TEdit>(*form, "Edit1");
    EXPECT_EQ(edit.Text(), "#INFO");
    EXPECT_EQ(edit.TabOrder(), 0);
    EXPECT_TRUE(edit.ParentFont());
    EXPECT_EQ(edit.Font()->Name(), "MS Sans Serif");

    auto& button = Find<TButton>(*form, "Button1");
    EXPECT_EQ(button.OnClick().Method().Name, "Button1Click");
    EXPECT_EQ(button.BoundsRect(), Bounds(140, 34, 75, 25));

    form->Show();
    testkit::TypeText(edit, "2");
    testkit::Click(button);
    EXPECT_EQ(form->log, (std::vector<String>{"loaded", "create", "show", "change #INFO2", "click Edit1"}));

    ASSERT_TRUE(testkit::RenderToPng(*form, testing::TempDir() + "/stored_form.png"));
    // The label sits on the form's face colour; some of its pixels are text.
    EXPECT_EQ(testkit::PixelAt(*form, 2, 2), static_cast<TColor>(ColorToRGB(clBtnFace)));
    bool ink = false;
    for (int x = 8; x < 58 && !ink; ++x)
        for (int y = 12; y < 25 && !ink; ++y)
            ink = testkit::PixelAt(*form, x, y) != static_cast<TColor>(ColorToRGB(clBtnFace));
    EXPECT_TRUE(ink);
}

TEST_F(Registered, BadDescriptionsRaiseAndLeaveNoComponents)
{
    struct Case {
        const char* what;
        String text;
    };
    const Case cases[] = {
        {"unknown class", "object StoredForm: TStoredForm\n  object X: TNoSuchControl\n  end\nend\n"},
        {"unknown property", "object StoredForm: TStoredForm\n  NoSuchProperty = 1\nend\n"},
        {"unknown handler", "object StoredForm: TStoredForm\n  OnCreate = NoSuchHandler\nend\n"},
        {"bad value", "object StoredForm: TStoredForm\n  Left = 'text'\nend\n"},
        {"cut short", "object StoredForm: TStoredForm\n  object Edit1: TEdit\n"},
    };
    for (const auto& c : cases) {
        TOwnedPtr<TStoredForm> form(new TStoredForm(nullptr));
        EXPECT_ANY_THROW(form->InitFromText(c.text)) << c.what;
        EXPECT_TRUE(form->log.empty() || form->log.back() != "create") << c.what;
    }
}

// A form that reads its description in its constructor: a description that fails after some of
// its controls were made leaves a half-made form, which must come apart without touching what is
// already gone.
class TSelfLoadingForm : public TForm {
    TV_CLASS(TSelfLoadingForm, TForm)
public:
    TSelfLoadingForm(TComponent* owner, const String& text) : TForm(owner) { InitFromText(text); }
};

TV_PUBLISHED(TSelfLoadingForm) {}

TEST_F(Registered, AFormWhoseDescriptionFailsInItsConstructorComesApartCleanly)
{
    RegisterClass(TSelfLoadingForm::StaticClass());
    const String text = "object SelfLoadingForm: TSelfLoadingForm\n"
                        "  object Panel1: TPanel\n"
                        "    object Edit1: TEdit\n"
                        "    end\n"
                        "  end\n"
                        "  object Button1: TButton\n"
                        "    NoSuchProperty = 1\n"
                        "  end\n"
                        "end\n";
    TOwnedPtr<TForm> owner(new TForm(nullptr));
    EXPECT_ANY_THROW(TOwnedPtr<TSelfLoadingForm>(new TSelfLoadingForm(owner.get(), text)));
    EXPECT_ANY_THROW(TOwnedPtr<TSelfLoadingForm>(new TSelfLoadingForm(nullptr, text)));
    EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST_F(Registered, AVisibleFormIsShownAfterOnCreate)
{
    TOwnedPtr<TStoredForm> form(new TStoredForm(nullptr));
    String text = smallForm;
    text.insert(text.find("  OnCreate"), "  Visible = True\n");
    form->InitFromText(text);
    EXPECT_EQ(form->log, (std::vector<String>{"loaded", "create", "show"}));
    EXPECT_TRUE(form->Showing());
}

TEST_F(Registered, EveryStandardControlIsKnownByItsClassName)
{
    RegisterStandardClasses();
    for (const char* name : {"TForm", "TLabel", "TButton", "TEdit", "TMemo", "TComboBox", "TCheckBox", "TRadioButton",
                             "TGroupBox", "TPanel", "TShape", "TImage", "TStatusBar", "TUpDown", "TScrollBar",
                             "TTrackBar", "TBevel", "TTimer", "TXPManifest"})
        EXPECT_NE(GetClass(name), nullptr) << name;
}

TEST_F(Registered, FormWritesBackToTheSameText)
{
    auto form = LoadForm<TStoredForm>(smallForm);
    String text = ComponentToText(form.get());
    auto again = LoadForm<TStoredForm>(text);
    EXPECT_EQ(ComponentToText(again.get()), text);
    EXPECT_EQ(testkit::FindControl(*again, "Edit1").Text(), "#INFO");
    EXPECT_EQ(Find<TButton>(*again, "Button1").OnClick().Method().Name, "Button1Click");
}

}  // namespace
