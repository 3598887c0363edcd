#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "chart/core/ControlRoutines.h"
#include "chart/core/SystemRoutines.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Label.h"
#include "platform/rtl/StringList.h"

TEST(ControlRoutines, TranslationHookSeesTheControlAndItsExceptions)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    auto* keep = new TLabel(form.get());
    LocalizeControl(*form);  // no hook: nothing happens

    std::vector<TControl*> seen;
    ControlTranslationHook = [&](TControl& control, std::initializer_list<TControl*> except) {
        seen.push_back(&control);
        seen.insert(seen.end(), except.begin(), except.end());
    };
    LocalizeControl(*form);
    LocalizeControlExcept(*form, {keep});
    ControlTranslationHook = nullptr;
    EXPECT_EQ(seen, (std::vector<TControl*>{form.get(), form.get(), keep}));
}

TEST(ControlRoutines, FreeAndEnableControls)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    auto* sheet = new TPanel(form.get());
    sheet->SetParent(form.get());
    auto* button = new TButton(form.get());
    button->SetParent(sheet);
    auto* label = new TLabel(form.get());
    label->SetParent(sheet);
    auto* outside = new TButton(form.get());
    outside->SetParent(form.get());

    SetControlsEnabled(false, {button, nullptr, label});
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(label->Enabled());
    EXPECT_TRUE(outside->Enabled());

    const int owned = form->ComponentCount();
    FreeSheetControls(*sheet);
    EXPECT_EQ(sheet->ControlCount(), 0);
    EXPECT_EQ(form->ComponentCount(), owned - 2);  // freed, not just taken off the page
    EXPECT_EQ(outside->Parent(), form.get());
}

TEST(ControlRoutines, RegisterInControlGroup)
{
    RegisterInControlGroup(TButton::StaticClass());
    EXPECT_EQ(GetClass("TButton"), &TButton::StaticClass());
    EXPECT_EQ(ClassGroupOf(TButton::StaticClass()), &TControl::StaticClass());
}

TEST(SystemRoutines, MillisecondsAdvance)
{
    const double before = SystemMilliseconds();
    const double after = SystemMilliseconds();
    EXPECT_GE(after, before);
    EXPECT_GT(before, 0);
}

TEST(SystemRoutines, ListFilesMatching)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tv-files-XXXXXX").string();
    const std::filesystem::path folder = mkdtemp(pattern.data());
    for (const char* name : {"b.zeb", "a.zeb", "c.txt", "a.zeb.bak"}) std::ofstream(folder / name) << "x";
    std::filesystem::create_directory(folder / "d.zeb");  // a folder: not listed
    struct Case {
        const char* pattern;
        const char* names;
    };
    const Case cases[] = {
        {"*.zeb", "a.zeb,b.zeb"},
        {"?.*", "a.zeb,a.zeb.bak,b.zeb,c.txt"},
        {"*.png", ""},
        {"missing/*.zeb", ""},
    };
    for (const Case& c : cases) {
        const auto list = ListFilesMatching((folder / c.pattern).string());
        String names;
        for (int i = 0; i < list->Count(); ++i) names += (i ? "," : "") + list->Strings(i);
        EXPECT_EQ(names, c.names) << c.pattern;
    }
    std::filesystem::remove_all(folder);
}
