#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/system/DeviceMap.h"
#include "platform/system/Registry.h"

namespace {

TEST(Registry, UserValuesPersistAcrossInstances)
{
    TempDir tmp;
    {
        TRegistry reg;
        EXPECT_FALSE(reg.OpenKey("SOFTWARE\\Maker\\Editor", false));
        ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Maker\\Editor", true));
        reg.WriteString("Title", "a=b\\c\nline two");
        reg.WriteInteger("Width", -42);
        reg.WriteBool("Grid", true);
        reg.CloseKey();
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\software\\maker\\editor"));  // keys compare without case
    EXPECT_EQ(reg.ReadString("Title"), "a=b\\c\nline two");
    EXPECT_EQ(reg.ReadInteger("Width"), -42);
    EXPECT_TRUE(reg.ReadBool("Grid"));
    EXPECT_TRUE(reg.ValueExists("width"));
    EXPECT_FALSE(reg.ValueExists("Height"));
    EXPECT_EQ(reg.ReadString("Height"), "");
    EXPECT_THROW(reg.ReadInteger("Height"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Title"), ERegistryException);
    EXPECT_THROW(reg.WriteString("Height", "1"), ERegistryException);  // read-only
    TStringList names;
    reg.GetValueNames(names);
    ASSERT_EQ(names.Count(), 3);
    EXPECT_EQ(names[0], "Title");
    reg.CloseKey();

    ASSERT_TRUE(reg.OpenKey("SOFTWARE", false));
    EXPECT_TRUE(reg.KeyExists("Maker"));
    reg.GetKeyNames(names);
    ASSERT_EQ(names.Count(), 1);
    EXPECT_EQ(names[0], "Maker");
    ASSERT_TRUE(reg.OpenKey("Maker\\Editor", false));  // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), "SOFTWARE\\Maker\\Editor");
    EXPECT_TRUE(reg.DeleteValue("Width"));
    EXPECT_FALSE(reg.ValueExists("Width"));
    EXPECT_TRUE(reg.DeleteKey("\\SOFTWARE\\Maker"));
    EXPECT_FALSE(reg.KeyExists("\\SOFTWARE\\Maker\\Editor"));
}

TEST(Registry, SerialCommKeyListsTheDeviceMap)
{
    TempDir tmp;
    ASSERT_TRUE(SetSerialMapEntry(SerialMapFilePath(), "COM97", "/dev/pts/41"));
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.OpenKeyReadOnly("SOFTWARE\\Other"));
    ASSERT_TRUE(reg.OpenKeyReadOnly("hardware\\devicemap\\serialcomm"));
    TStringList names;
    reg.GetValueNames(names);
    const int i = names.IndexOf("/dev/pts/41");
    ASSERT_GE(i, 0);
    EXPECT_EQ(reg.ReadString(names[i]), "COM97");
    EXPECT_TRUE(reg.ValueExists("/dev/pts/41"));
    EXPECT_THROW(reg.WriteString("x", "COM1"), ERegistryException);
}

// Writes one value under an absolute key.
void Put(const String& key, const String& name, const String& value)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, true));
    reg.WriteString(name, value);
}

String Get(const String& key, const String& name)
{
    TRegistry reg;
    return reg.OpenKeyReadOnly(key) ? reg.ReadString(name) : "<no key>";
}

TEST(Registry, MoveKeyCarriesValuesAndSubkeys)
{
    for (bool deleteOld : {true, false}) {
        TempDir tmp;
        Put("\\Software\\Old", "Left", "10");
        Put("\\Software\\Old\\Sub", "Mode", "2");
        Put("\\Software\\Older", "Keep", "yes");  // a sibling sharing the name's start
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software", false));
        EXPECT_TRUE(reg.MoveKey("old", "New", deleteOld));  // relative, names without case
        EXPECT_EQ(Get("\\Software\\New", "Left"), "10");
        EXPECT_EQ(Get("\\Software\\New\\Sub", "Mode"), "2");
        EXPECT_EQ(reg.KeyExists("\\Software\\Old"), !deleteOld);
        EXPECT_EQ(Get("\\Software\\Older", "Keep"), "yes");
        EXPECT_FALSE(reg.KeyExists("\\Software\\Newer"));
    }
}

TEST(Registry, MoveKeyRefusals)
{
    TempDir tmp;
    Put("\\A", "v", "a");
    Put("\\B", "v", "b");
    TRegistry reg;
    EXPECT_FALSE(reg.MoveKey("\\Missing", "\\C", true));
    EXPECT_FALSE(reg.MoveKey("\\A", "\\B", true));      // the new key exists: both stay
    EXPECT_FALSE(reg.MoveKey("\\A", "\\A\\In", true));  // into itself
    EXPECT_FALSE(reg.MoveKey("\\A", "\\a", true));
    EXPECT_EQ(Get("\\A", "v"), "a");
    EXPECT_EQ(Get("\\B", "v"), "b");
    EXPECT_FALSE(reg.KeyExists("\\A\\In"));
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.MoveKey("hardware\\devicemap\\serialcomm", "hardware\\x", false));
}

}  // namespace
