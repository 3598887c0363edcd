// Byte counts as text, embedding a form in another, and where editor dialogs are placed.
#include <gtest/gtest.h>

#include "chart/editor/EditorRoutines.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"

TEST(FormatByteSize, SwitchesUnitAtOneMegabyteAndOneGigabyte)
{
    const struct {
        std::uint32_t bytes;
        const char* text;
    } cases[] = {{0, "0 bytes"},          {1048575, "1048575 bytes"}, {1048576, "1024 KB"}, {1073741823, "1048575 KB"},
                 {1073741824, "1024 MB"}, {4294967295u, "4095 MB"}};
    for (const auto& c : cases) EXPECT_EQ(FormatByteSize(c.bytes), c.text) << c.bytes;
}

struct Embedding : ::testing::Test {
    TOwnedPtr<TForm> host{new TForm(nullptr)};
    TPanel* panel = new TPanel(host.get());
    TForm* inner = new TForm(host.get());
    void SetUp() override
    {
        host->SetBounds(0, 0, 500, 400);
        panel->SetParent(host.get());
        panel->SetBounds(0, 0, 300, 100);
        panel->SetBevelOuter(bvNone);
        inner->SetBorderStyle(bsNone);
        inner->SetBounds(50, 60, 200, 300);
        inner->SetTag(7);
        host->Show();
    }
};

TEST_F(Embedding, AFormTallerThanItsParentSitsAtTopFourAndBecomesABorderlessChild)
{
    panel->Hide();
    inner->SetBorderStyle(bsSizeable);
    EmbedForm(*inner, *panel);
    EXPECT_EQ(inner->Parent(), panel);
    EXPECT_EQ(inner->Left(), 4);
    EXPECT_EQ(inner->Top(), 4);
    EXPECT_EQ(inner->BorderStyle(), bsNone);
    EXPECT_TRUE(inner->BorderIcons().Empty());
    EXPECT_EQ(inner->Tag(), 7);
    EXPECT_TRUE(inner->Visible());
    EXPECT_FALSE(panel->Visible());  // the parent's visibility comes back
    EXPECT_EQ(FindParentForm(*inner), host.get());
}

TEST_F(Embedding, ANearlyEqualFormSitsHalfTheDifferenceDownAndTakesTheTag)
{
    inner->SetBounds(0, 0, 200, 102);
    EmbedEditorForm(*inner, *panel, 42);
    EXPECT_EQ(inner->Top(), 1);
    EXPECT_EQ(inner->Tag(), 42);
    inner->SetParent(nullptr);
    inner->SetAlign(alClient);
    EmbedEditorForm(*inner, *panel, 0);  // an aligned form is placed by its alignment
    EXPECT_EQ(inner->BoundsRect(), panel->ClientRect());
}

TEST(CenterEditorForm, OnTheOwnerFormWhenOwnedElseOnTheScreen)
{
    TOwnedPtr<TForm> owner(new TForm(nullptr));
    auto* owned = new TForm(owner.get());
    CenterEditorForm(*owned);
    EXPECT_EQ(owned->Position(), poOwnerFormCenter);
    CenterEditorForm(*owner);
    EXPECT_EQ(owner->Position(), poScreenCenter);
    EXPECT_EQ(FindParentForm(*owner), nullptr);
}
