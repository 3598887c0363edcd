// The text editor dialog: OK, Cancel and Escape, read-only use, and copying.
#include <gtest/gtest.h>

#include "chart/editor/StringsEditor.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/rtl/StringList.h"
#include "tests/chart/editor/ModalDialogs.h"

namespace {

TEST(StringsEditor, OkTakesTheEditedLinesUnlessReadOnly)
{
    const struct {
        bool readOnly;
        const char* expected;
    } cases[] = {{false, "one\r\ntwo\r\nthree\r\n"}, {true, "one\r\ntwo\r\n"}};
    for (const auto& c : cases) {
        TStringList lines;
        lines.Add("one");
        lines.Add("two");
        OnNextModal<TStringsEditor> modal([&](TStringsEditor& d) {
            EXPECT_EQ(d.Caption(), "Text Editor");
            EXPECT_EQ(d.Memo1->ReadOnly(), c.readOnly);
            d.Memo1->Lines()->Add("three");
            d.Button1->Click();
            return mrNone;
        });
        EXPECT_TRUE(EditStrings(nullptr, lines, c.readOnly));
        EXPECT_EQ(lines.Text(), c.expected);
    }
}

TEST(StringsEditor, CancelAndEscapeKeepTheText)
{
    const std::function<void(TStringsEditor&)> closers[] = {
        [](TStringsEditor& d) { d.Button2->Click(); },
        [](TStringsEditor& d) { testkit::KeyPress(*d.Memo1, VK_ESCAPE); },
    };
    for (const auto& close : closers) {
        String text = "kept";
        OnNextModal<TStringsEditor> modal([&](TStringsEditor& d) {
            d.Memo1->SetText("changed");
            close(d);
            return mrNone;
        });
        EXPECT_FALSE(EditText(nullptr, text, false));
        EXPECT_EQ(text, "kept");
    }
}

TEST(StringsEditor, CopyTakesTheSelectionOrElseEverything)
{
    String text = "first line\r\nsecond line";
    OnNextModal<TStringsEditor> modal([&](TStringsEditor& d) {
        d.Button3->Click();
        EXPECT_EQ(Clipboard()->AsText(), "first line\r\nsecond line");
        d.Memo1->SetSelStart(6);
        d.Memo1->SetSelLength(4);
        d.Button3->Click();
        EXPECT_EQ(Clipboard()->AsText(), "line");
        return mrCancel;
    });
    EXPECT_FALSE(EditText(nullptr, text, true));
}

}  // namespace
