#include <gtest/gtest.h>

#include "IsolatedRegistry.h"
#include "chart/core/EditorRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/system/Registry.h"

namespace {

void writeRaw(const String& key, const String& name, const String& value)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\" + key, true));
    registry.WriteString(name, value);
}

}  // namespace

TEST(EditorRegistry, ValuesAndTheirDefaults)
{
    IsolatedRegistry registry;
    // Nothing stored yet: every read answers its default.
    EXPECT_EQ(ReadEditorString("DefaultCanvas", "TGDIPlusCanvas"), "TGDIPlusCanvas");
    EXPECT_EQ(ReadEditorInteger("GalleryColumns", 4), 4);
    EXPECT_TRUE(ReadEditorBool("TreeMode", true));

    WriteEditorString("DefaultCanvas", "TZebCanvas3D");
    WriteEditorInteger("GalleryColumns", 6);
    WriteEditorBool("TreeMode", false);
    EXPECT_EQ(ReadEditorString("DefaultCanvas", "TGDIPlusCanvas"), "TZebCanvas3D");
    EXPECT_EQ(ReadEditorInteger("GalleryColumns", 4), 6);
    EXPECT_FALSE(ReadEditorBool("TreeMode", true));
    EXPECT_EQ(ReadEditorInteger("GalleryMode", 0), 0);  // the key exists, the value does not

    // Under the editors' key, where other programs of the engine look.
    TRegistry raw;
    ASSERT_TRUE(raw.OpenKeyReadOnly("\\SOFTWARE\\Norvik Software\\Zebgraph Pro\\Editor"));
    EXPECT_EQ(raw.ReadInteger("GalleryColumns"), 6);

    // A value of the wrong kind reads as the default instead of failing.
    writeRaw(EditorRegistryKey, "GalleryRender", "many");
    EXPECT_EQ(ReadEditorInteger("GalleryRender", 1), 1);
    EXPECT_TRUE(ReadEditorBool("GalleryRender", true));
}

TEST(EditorRegistry, FormPlacement)
{
    IsolatedRegistry registry;
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(30, 40, 300, 200);
    SaveFormPlacement(*form, PrintPreviewRegistryKey, true, true);

    TOwnedPtr<TForm> other(new TForm(nullptr));
    other->SetPosition(poScreenCenter);
    other->SetBounds(0, 0, 120, 120);
    LoadFormPlacement(*other, PrintPreviewRegistryKey, true, true);
    EXPECT_EQ(other->Position(), poDesigned);
    EXPECT_EQ(other->Left(), 30);
    EXPECT_EQ(other->Top(), 40);
    EXPECT_EQ(other->Width(), 300);
    EXPECT_EQ(other->Height(), 200);
    EXPECT_EQ(other->WindowState(), wsNormal);

    // Out-of-range values are clamped: position at least 0, size at least 100.
    writeRaw(PrintPreviewRegistryKey, "Left", "-50");
    writeRaw(PrintPreviewRegistryKey, "Width", "20");
    LoadFormPlacement(*other, PrintPreviewRegistryKey, true, true);
    EXPECT_EQ(other->Left(), 0);
    EXPECT_EQ(other->Width(), 100);

    // Beyond the screen: moved back so that its far edge meets the screen's.
    writeRaw(PrintPreviewRegistryKey, "Left", std::to_string(Screen->Width() + 10));
    LoadFormPlacement(*other, PrintPreviewRegistryKey, true, false);
    EXPECT_EQ(other->Left(), Screen->Width() - other->Width());

    // Without the position flag the position stays as it is.
    other->SetPosition(poScreenCenter);
    other->SetLeft(7);
    LoadFormPlacement(*other, PrintPreviewRegistryKey, false, true);
    EXPECT_EQ(other->Position(), poScreenCenter);
    EXPECT_EQ(other->Left(), 7);

    // A maximized form keeps its last normal size and position in the registry.
    form->SetWindowState(wsMaximized);
    form->SetBounds(0, 0, 900, 700);
    SaveFormPlacement(*form, PrintPreviewRegistryKey, true, true);
    TRegistry raw;
    ASSERT_TRUE(raw.OpenKeyReadOnly("\\" + String(PrintPreviewRegistryKey)));
    EXPECT_TRUE(raw.ReadBool("Maximized"));
    EXPECT_EQ(raw.ReadInteger("Width"), 20);  // still the value stored above, not 900
    LoadFormPlacement(*other, PrintPreviewRegistryKey, false, true);
    EXPECT_EQ(other->WindowState(), wsMaximized);
}

TEST(EditorRegistry, MoveRegistryKey)
{
    struct Case {
        const char* what;
        bool oldExists, newExists;
        const char* newValue;  // "Left" of the new key afterwards
    };
    const Case cases[] = {
        {"moved to a new key, subkeys included", true, false, "old"},
        {"the old one dropped when the new one exists", true, true, "new"},
        {"nothing to move", false, true, "new"},
        {"nothing at all", false, false, ""},
    };
    const String oldKey = "SOFTWARE\\Norvik Software\\Zebgraph\\Editor";
    for (const Case& c : cases) {
        IsolatedRegistry registry;
        if (c.oldExists) {
            writeRaw(oldKey, "Left", "old");
            writeRaw(oldKey + "\\Sub", "Top", "inside");
        }
        if (c.newExists) writeRaw(EditorRegistryKey, "Left", "new");
        MoveRegistryKey(oldKey, EditorRegistryKey);

        TRegistry raw;
        EXPECT_FALSE(raw.KeyExists("\\" + oldKey)) << c.what;
        const bool opened = raw.OpenKeyReadOnly("\\" + String(EditorRegistryKey));
        EXPECT_EQ(opened ? raw.ReadString("Left") : String(), c.newValue) << c.what;
        EXPECT_EQ(raw.KeyExists("\\" + String(EditorRegistryKey) + "\\Sub"), c.oldExists && !c.newExists) << c.what;
    }
}
