#include "app/UserSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/rtl/Exceptions.h"

namespace {

class UserSetFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() /
               ("userset-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    String path() const { return UserSetPath(dir_.string()); }
    std::filesystem::path dir_;
};

TEST(UserSet, DefaultRecordBytes)
{
    const TUserSet record = TUserSet::Defaults();
    for (int i = 0; i < TUserSet::RecordSize; ++i) {
        const char* expected =
            "\x06"
            "115200";
        const Byte want = (i >= 7 && i < 14) ? static_cast<Byte>(expected[i - 7]) : 0;
        ASSERT_EQ(record.Bytes()[i], want) << "byte " << i;
    }
}

TEST(UserSet, FieldsAtTheirOffsetsAndCut)
{
    TUserSet record = TUserSet::Defaults();
    record.Set(TUserSet::fPortNo, "COM4");
    record.Set(TUserSet::fBaudrate, "9600");
    record.Set(TUserSet::fSend1, "#INFO");
    const auto& b = record.Bytes();
    EXPECT_EQ(String(reinterpret_cast<const char*>(&b[0]), 5),
              "\x04"
              "COM4");
    EXPECT_EQ(String(reinterpret_cast<const char*>(&b[7]), 5),
              "\x04"
              "9600");
    EXPECT_EQ(b[12], '0');  // behind the length: left from "115200"
    EXPECT_EQ(String(reinterpret_cast<const char*>(&b[15]), 6), "\x05#INFO");

    record.Set(TUserSet::fPortNo, "COM1234567");
    EXPECT_EQ(record.Get(TUserSet::fPortNo), "COM123");
    record.Set(TUserSet::fSend5, String(60, 'x'));
    EXPECT_EQ(record.Get(TUserSet::fSend5), String(50, 'x'));
    EXPECT_EQ(record.Bytes()[219], 50);
}

TEST(UserSet, CutKeepsWholeCharacters)
{
    const String euro = "\xE2\x82\xAC";      // 3 bytes
    const String clef = "\xF0\x9D\x84\x9E";  // 4 bytes
    const struct {
        String value;
        String stored;
    } cases[] = {
        {"COM" + euro, "COM" + euro},      // exactly 6 bytes
        {"COMx" + euro, "COMx"},           // the character would end one byte beyond
        {"CO" + clef + "x", "CO" + clef},  // a 4-byte character fits
        {"COM" + clef, "COM"},
        {euro + euro + "x", euro + euro},
        {String(7, '\x80'), String(6, '\x80')},  // not UTF-8: cut where it is
    };
    for (const auto& c : cases) {
        TUserSet record;
        record.Set(TUserSet::fPortNo, c.value);
        EXPECT_EQ(record.Get(TUserSet::fPortNo), c.stored) << c.value;
    }
}

TEST(UserSet, OversizedLengthByteReadsAsCapacity)
{
    TUserSet record;
    record.Bytes()[0] = 200;
    EXPECT_EQ(record.Get(TUserSet::fPortNo).size(), 6u);
}

TEST_F(UserSetFile, RoundTrip)
{
    TUserSet record = TUserSet::Defaults();
    record.Set(TUserSet::fSend3, "#STOP");
    WriteUserSet(path(), record);
    EXPECT_EQ(std::filesystem::file_size(path()), 270u);
    EXPECT_EQ(ReadUserSet(path()).Bytes(), record.Bytes());
}

// A short file is still an I/O error, but each field it holds whole is read; bytes behind the
// record are not.
TEST_F(UserSetFile, ShortAndLongFilesGiveTheFieldsTheyHold)
{
    TUserSet written = TUserSet::Defaults();
    written.Set(TUserSet::fPortNo, "COM4");
    written.Set(TUserSet::fSend2, "#INFO");
    written.Set(TUserSet::fSend5, String(50, 'z'));
    const String bytes(reinterpret_cast<const char*>(written.Bytes().data()), TUserSet::RecordSize);
    // The last field one character short; a cut through the fourth field; the second field
    // whole (length 5 at 66, its text up to 71) or one character short.
    const struct {
        int size;
        String send2, send3, send5;  // what the record holds after reading
    } cases[] = {{269, "#INFO", "", "kept"},
                 {230, "#INFO", "", "kept"},
                 {72, "#INFO", "kept too", "kept"},
                 {71, "kept", "kept too", "kept"},
                 {0, "kept", "kept too", "kept"}};
    for (const auto& c : cases) {
        std::ofstream(path(), std::ios::binary | std::ios::trunc) << bytes.substr(0, static_cast<size_t>(c.size));
        TUserSet record;
        record.Set(TUserSet::fSend2, "kept");
        record.Set(TUserSet::fSend3, "kept too");
        record.Set(TUserSet::fSend5, "kept");
        try {
            ReadUserSet(path(), record);
            ADD_FAILURE() << c.size << " bytes: no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message(), "Read beyond end of file");
        }
        EXPECT_EQ(record.Get(TUserSet::fPortNo), c.size >= 5 ? "COM4" : "") << c.size;
        EXPECT_EQ(record.Get(TUserSet::fSend2), c.send2) << c.size;
        EXPECT_EQ(record.Get(TUserSet::fSend3), c.send3) << c.size;
        EXPECT_EQ(record.Get(TUserSet::fSend5), c.send5) << c.size;
    }
    std::ofstream(path(), std::ios::binary | std::ios::trunc) << bytes << "tail";
    EXPECT_EQ(ReadUserSet(path()).Bytes(), written.Bytes());
}

TEST_F(UserSetFile, MissingAndUnwritable)
{
    EXPECT_THROW(ReadUserSet(path()), EInOutError);
    // A folder in the file's place cannot be written, not even by root.
    std::filesystem::create_directory(path());
    EXPECT_THROW(WriteUserSet(path(), TUserSet::Defaults()), EInOutError);
    EXPECT_THROW(ReadUserSet(path()), EInOutError);
}

}  // namespace
