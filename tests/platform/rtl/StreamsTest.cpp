// Streams: exact transfers, seeking, copying, file open modes and their errors.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"

namespace {
std::string TempName(const char* name) { return ::testing::TempDir() + name; }
}  // namespace

TEST(TMemoryStream, ReadWriteSeek)
{
    TMemoryStream s;
    s.WriteBuffer("hello", 5);
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(s.Position(), 5);
    s.Seek(-2, soEnd);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 2);
    EXPECT_STREQ(buf, "lo");
    s.SetPosition(8);  // past the end: a write fills the gap with zeros
    s.WriteBuffer("!", 1);
    EXPECT_EQ(s.Size(), 9);
    EXPECT_EQ(s.Memory()[6], 0);
    EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
    s.SetSize(3);
    EXPECT_EQ(s.Position(), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Memory()), 3), "hel");
}

TEST(TMemoryStream, ShortTransfersRaise)
{
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    s.SetPosition(1);
    char buf[4];
    try {
        s.ReadBuffer(buf, 3);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    s.SetPosition(0);
    s.ReadBuffer(buf, 0);  // nothing to move is never an error
    s.ReadBuffer(buf, 3);
    EXPECT_EQ(std::memcmp(buf, "abc", 3), 0);
}

TEST(TStream, CopyFromWholeAndPart)
{
    TStringStream source("0123456789");
    TMemoryStream dest;
    source.SetPosition(7);
    EXPECT_EQ(dest.CopyFrom(source, 0), 10);  // 0: the whole source from its start
    EXPECT_EQ(dest.Size(), 10);
    source.SetPosition(2);
    TStringStream part;
    EXPECT_EQ(part.CopyFrom(source, 3), 3);
    EXPECT_EQ(part.DataString(), "234");
    EXPECT_THROW(part.CopyFrom(source, 100), EReadError);
}

TEST(TStringStream, ReadAndWriteStrings)
{
    TStringStream s("abcdef");
    s.SetPosition(2);
    EXPECT_EQ(s.ReadString(3), "cde");
    EXPECT_EQ(s.ReadString(10), "f");
    s.SetPosition(1);
    s.WriteString("XY");
    EXPECT_EQ(s.DataString(), "aXYdef");
}

TEST(TFileStream, ModesAndErrors)
{
    const std::string name = TempName("rtl_stream.bin");
    DeleteFile(name);
    try {
        TFileStream missing(name, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot open file \"" + name + "\". ", 0), 0u) << e.Message();
    }
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer("12345", 5);
        EXPECT_EQ(f.Size(), 5);
    }
    {
        TFileStream f(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
        char buf[5];
        f.ReadBuffer(buf, 5);
        EXPECT_THROW(f.ReadBuffer(buf, 1), EReadError);
    }
    {
        TFileStream f(name, fmOpenReadWrite);
        f.Seek(0, soEnd);
        f.WriteBuffer("6", 1);
        f.SetSize(3);
        EXPECT_EQ(f.Size(), 3);
        EXPECT_EQ(f.Position(), 3);
    }
    {
        TFileStream f(name, fmOpenReadWrite | fmShareExclusive);
        EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyWrite), EFOpenError);
    }
    EXPECT_THROW(TFileStream(::testing::TempDir() + "no/such/dir/x", fmCreate), EFCreateError);
    EXPECT_THROW(TFileStream(::testing::TempDir(), fmOpenRead), EFOpenError);
    TMemoryStream m;
    m.LoadFromFile(name);
    EXPECT_EQ(m.Size(), 3);
    DeleteFile(name);
}
