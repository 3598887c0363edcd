// File-name helpers and the program's own location.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "platform/rtl/Files.h"

TEST(Files, NameParts)
{
    const struct {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    } cases[] = {
        {"/home/u/data.tar.gz", "/home/u/", "/home/u", "data.tar.gz", ".gz"},
        {"data", "", "", "data", ""},
        {"/file.txt", "/", "/", "file.txt", ".txt"},
        {"dir.d/noext", "dir.d/", "dir.d", "noext", ""},
        {"/a/b/", "/a/b/", "/a/b", "", ""},
        {".hidden", "", "", ".hidden", ".hidden"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
    EXPECT_EQ(ChangeFileExt("/a.b/c.txt", ".ini"), "/a.b/c.ini");
    EXPECT_EQ(ChangeFileExt("/a.b/c", ".ini"), "/a.b/c.ini");
    EXPECT_EQ(ChangeFileExt("c.txt", ""), "c");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/x"), "/x/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/x/"), "/x/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/x/"), "/x");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
}

TEST(Files, ExistenceAndDirectories)
{
    const String base = IncludeTrailingPathDelimiter(::testing::TempDir()) + "rtl_files/";
    const String deep = base + "x/y/z";
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));
    EXPECT_TRUE(ForceDirectories(deep + "/"));  // already there
    EXPECT_FALSE(FileExists(base + "none"));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(Files, ProgramLocation)
{
    const String self = ParamStr(0);
    EXPECT_EQ(self[0], '/');
    EXPECT_TRUE(FileExists(self));
    EXPECT_EQ(ExtractFileName(self), "test_platform_rtl");
    EXPECT_EQ(ProgramFolder(), ExtractFilePath(self));
    EXPECT_GE(ParamCount(), 0);
    EXPECT_EQ(ParamStr(1000), "");
}

TEST(Files, ListFilesByPattern)
{
    const String base = IncludeTrailingPathDelimiter(::testing::TempDir()) + "rtl_list/";
    ASSERT_TRUE(ForceDirectories(base + "sub.tee"));  // a folder that matches is left out
    for (const char* name : {"b.tee", "a.tee", "a.TEE", "readme", "c.tee.bak", "ab.xml"})
        std::ofstream(base + name) << "x";
    using Names = std::vector<String>;
    const struct {
        const char* pattern;
        Names names;
    } cases[] = {
        {"*.tee", {"a.tee", "b.tee"}},  // sorted, with case, no folder
        {"*.*", {"a.TEE", "a.tee", "ab.xml", "b.tee", "c.tee.bak", "readme"}},
        {"*", {"a.TEE", "a.tee", "ab.xml", "b.tee", "c.tee.bak", "readme"}},
        {"?.tee", {"a.tee", "b.tee"}},
        {"a*", {"a.TEE", "a.tee", "ab.xml"}},
        {"*e*e*", {"a.tee", "b.tee", "c.tee.bak", "readme"}},
        {"readme", {"readme"}},
        {"*.png", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ListFiles(base + c.pattern), c.names) << c.pattern;
    EXPECT_EQ(ListFiles(base + "missing/*.*"), Names{});
}
