#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "widgets/sevenseg/OPCCallbacks.h"
#include "widgets/sevenseg/OPCFunctions.h"
#include "widgets/sevenseg/OPCStream.h"

namespace {

// Builds a 1.0 data stream: group header, item headers, then the values (and inline strings).
class StreamBuilder {
public:
    explicit StreamBuilder(bool timeForm) : timeForm_(timeForm) {}

    struct Item {
        std::vector<Byte> variant;  // 16 bytes, plus an inline string for text
        Word quality = 0xC0;
        std::uint64_t fileTime = 0;
    };

    StreamBuilder& Add(Item item)
    {
        items_.push_back(std::move(item));
        return *this;
    }
    StreamBuilder& Status(std::uint32_t status)
    {
        status_ = status;
        return *this;
    }

    std::vector<Byte> Build() const
    {
        const size_t headerSize = timeForm_ ? 20 : 12;
        std::vector<Byte> out(20 + items_.size() * headerSize);
        Put32(out, 4, static_cast<std::uint32_t>(items_.size()));
        Put32(out, 8, 77);
        Put32(out, 16, status_);
        for (size_t i = 0; i < items_.size(); ++i) {
            const size_t h = 20 + i * headerSize;
            Put32(out, h, 0x10 + static_cast<std::uint32_t>(i));  // client item handle
            Put32(out, h + 4, static_cast<std::uint32_t>(out.size()));
            Put16(out, h + 8, items_[i].quality);
            if (timeForm_) {
                Put32(out, h + 12, static_cast<std::uint32_t>(items_[i].fileTime));
                Put32(out, h + 16, static_cast<std::uint32_t>(items_[i].fileTime >> 32));
            }
            out.insert(out.end(), items_[i].variant.begin(), items_[i].variant.end());
        }
        Put32(out, 0, static_cast<std::uint32_t>(out.size()));
        return out;
    }

    static std::vector<Byte> Double(double v)
    {
        std::vector<Byte> b(16);
        Put16(b, 0, varDouble);
        std::memcpy(b.data() + 8, &v, 8);
        return b;
    }
    static std::vector<Byte> Int(TVarType vt, std::int64_t v)
    {
        std::vector<Byte> b(16);
        Put16(b, 0, vt);
        for (int i = 0; i < 8; ++i) b[8 + i] = static_cast<Byte>(static_cast<std::uint64_t>(v) >> (8 * i));
        return b;
    }
    // A text value: byte count (without the terminator), UTF-16 characters, a terminating zero.
    static std::vector<Byte> Text(const std::u16string& s, std::uint32_t byteCount)
    {
        std::vector<Byte> b(20);
        Put16(b, 0, varOleStr);
        Put32(b, 16, byteCount);
        for (char16_t c : s) {
            b.push_back(static_cast<Byte>(c));
            b.push_back(static_cast<Byte>(c >> 8));
        }
        b.push_back(0);
        b.push_back(0);
        return b;
    }

    static void Put16(std::vector<Byte>& b, size_t at, std::uint32_t v)
    {
        b[at] = static_cast<Byte>(v);
        b[at + 1] = static_cast<Byte>(v >> 8);
    }
    static void Put32(std::vector<Byte>& b, size_t at, std::uint32_t v)
    {
        Put16(b, at, v & 0xFFFF);
        Put16(b, at + 2, v >> 16);
    }

private:
    bool timeForm_;
    std::uint32_t status_ = 0;
    std::vector<Item> items_;
};

// Local time is UTC plus one hour here, whatever the machine's zone.
const TOPCTimeSource& FixedZone()
{
    static const TOPCTimeSource zone{[](TDateTime utc) { return utc + 1.0 / 24; }, [] { return 45000.0; }};
    return zone;
}

// 2024-01-01 00:00:00 UTC as a FILETIME, and as a date-time.
constexpr std::uint64_t kNewYear2024 = 133485408000000000ULL;
constexpr double kNewYear2024Days = 45292.0;

std::vector<TOPCStreamItem> Decode(const std::vector<Byte>& stream, bool timeForm)
{
    std::vector<TOPCStreamItem> items;
    DecodeOPCDataStream(
        stream.data(), stream.size(), timeForm, [&](const TOPCStreamItem& i) { items.push_back(i); }, FixedZone());
    return items;
}

TEST(OPCStream, ItemsOfTheTimeFormInOrder)
{
    StreamBuilder b(true);
    b.Add({StreamBuilder::Double(12.5), 0xC0, kNewYear2024})
        .Add({StreamBuilder::Int(varInteger, -7), 0x40, 0})
        .Add({StreamBuilder::Int(varBoolean, 0xFFFF), 0xD8, kNewYear2024 + 36000000000ULL});
    const auto stream = b.Build();
    // Second item header in the time form starts at offset 40.
    EXPECT_EQ(stream[40], 0x11);
    const auto items = Decode(stream, true);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].Value, TOPCVariant(12.5));
    EXPECT_EQ(items[0].Quality, 0xC0);
    EXPECT_DOUBLE_EQ(items[0].TimeStamp, kNewYear2024Days + 1.0 / 24);
    EXPECT_EQ(items[1].Value.ToString(), "-7");
    EXPECT_EQ(items[1].Quality, 0x40);
    EXPECT_EQ(items[1].TimeStamp, 0.0);  // all-zero FILETIME: no time stamp
    EXPECT_EQ(items[2].Value, TOPCVariant(true));
    EXPECT_DOUBLE_EQ(items[2].TimeStamp, kNewYear2024Days + 2.0 / 24);  // one hour later, plus the zone
}

TEST(OPCStream, PlainFormHasShortHeadersAndNoTime)
{
    StreamBuilder b(false);
    b.Add({StreamBuilder::Double(1.0), 0xC0, 0}).Add({StreamBuilder::Double(2.0), 0xC0, 0});
    const auto stream = b.Build();
    EXPECT_EQ(stream[32], 0x11);  // second item header at offset 32
    const auto items = Decode(stream, false);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].Value, TOPCVariant(2.0));
    EXPECT_EQ(items[1].TimeStamp, 0.0);
}

TEST(OPCStream, InlineTextTakesHalfTheByteCount)
{
    struct Case {
        std::u16string text;
        std::uint32_t byteCount;
        std::string expected;
    };
    const Case cases[] = {
        {u"HelloWorld", 10, "Hello"},
        {u"Tilt", 8, "Tilt"},
        {u"Tilt", 9, "Tilt"},
        {u"Tilt", 400, "Tilt"},  // stops at the terminator
        {u"\u00e9t\u00e9", 6, "\xc3\xa9t\xc3\xa9"},
        {u"", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        StreamBuilder b(true);
        b.Add({StreamBuilder::Text(c.text, c.byteCount), 0xC0, 0});
        const auto items = Decode(b.Build(), true);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].Value.VarType(), varOleStr);
        EXPECT_EQ(items[0].Value.ToString(), c.expected);
    }
}

TEST(OPCStream, IgnoredStreams)
{
    StreamBuilder empty(true);
    EXPECT_TRUE(Decode(empty.Build(), true).empty());

    StreamBuilder failed(true);
    failed.Add({StreamBuilder::Double(1.0), 0xC0, 0}).Status(0x80004005);
    EXPECT_TRUE(Decode(failed.Build(), true).empty());

    // A count the block cannot hold is corrupt: nothing is taken from it.
    StreamBuilder one(true);
    one.Add({StreamBuilder::Double(1.0), 0xC0, 0});
    auto lying = one.Build();
    StreamBuilder::Put32(lying, 4, 1000);
    EXPECT_TRUE(Decode(lying, true).empty());

    const std::vector<Byte> truncated(12, 0);
    EXPECT_TRUE(Decode(truncated, true).empty());
}

TEST(OPCStream, ItemsThatCannotBeReadAreSkipped)
{
    StreamBuilder b(true);
    b.Add({StreamBuilder::Double(1.0), 0xC0, 0})
        .Add({StreamBuilder::Int(varArray | varDouble, 0), 0xC0, 0})
        .Add({StreamBuilder::Int(varByRef | varInteger, 0), 0xC0, 0})
        .Add({StreamBuilder::Double(4.0), 0xC0, 0});
    auto stream = b.Build();
    auto items = Decode(stream, true);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].Value, TOPCVariant(4.0));

    // A value offset past the end of the block drops only that item.
    StreamBuilder::Put32(stream, 20 + 4, static_cast<std::uint32_t>(stream.size() - 8));
    items = Decode(stream, true);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Value, TOPCVariant(4.0));

    // A text whose characters run past the block ends at the block.
    StreamBuilder t(true);
    t.Add({StreamBuilder::Text(u"abcdef", 12), 0xC0, 0});
    auto text = t.Build();
    text.resize(text.size() - 6);  // terminator and two characters cut off
    items = Decode(text, true);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Value.ToString(), "abcd");
}

TEST(OPCStream, VariantTypesOfTheStream)
{
    struct Case {
        std::vector<Byte> variant;
        TVarType type;
        std::string text;
    };
    const Case cases[] = {
        {StreamBuilder::Int(varSmallint, 0xFFFE), varSmallint, "-2"},
        {StreamBuilder::Int(varByte, 200), varByte, "200"},
        {StreamBuilder::Int(varShortInt, 0xF0), varShortInt, "-16"},
        {StreamBuilder::Int(varLongWord, 0xFFFFFFFF), varLongWord, "4294967295"},
        {StreamBuilder::Int(varInt64, -5), varInt64, "-5"},
        {StreamBuilder::Int(varCurrency, 12345), varCurrency, "1.2345"},
        {StreamBuilder::Int(varBoolean, 0), varBoolean, "False"},
        {StreamBuilder::Int(varEmpty, 0), varEmpty, ""},
        {StreamBuilder::Double(0.1), varDouble, "0.1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        StreamBuilder b(false);
        b.Add({c.variant, 0xC0, 0});
        const auto items = Decode(b.Build(), false);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].Value.VarType(), c.type);
        EXPECT_EQ(items[0].Value.ToString(), c.text);
    }
}

TEST(OPCStream, FileTimeConversion)
{
    EXPECT_EQ(OPCFileTimeToDateTime({0, 0}, FixedZone()), 0.0);
    const TFileTime newYear{static_cast<std::uint32_t>(kNewYear2024), static_cast<std::uint32_t>(kNewYear2024 >> 32)};
    EXPECT_DOUBLE_EQ(OPCFileTimeToDateTime(newYear, FixedZone()), kNewYear2024Days + 1.0 / 24);
    // Past year 9999 the conversion fails and the current time stands in.
    EXPECT_EQ(OPCFileTimeToDateTime({0xFFFFFFFF, 0x7FFFFFFF}, FixedZone()), 45000.0);
}

// The sink in front of the decoder: format check and the memory lock.
class Block : public IGlobalMemory {
public:
    explicit Block(std::vector<Byte> bytes, bool lockable = true) : bytes_(std::move(bytes)), lockable_(lockable) {}
    const Byte* Lock() override
    {
        if (!lockable_) return nullptr;
        ++locks;
        return bytes_.data();
    }
    void Unlock() override { ++unlocks; }
    std::size_t Size() const override { return bytes_.size(); }
    int locks = 0, unlocks = 0;

private:
    std::vector<Byte> bytes_;
    bool lockable_;
};

TEST(OPCAdviseSink, DeliversEachItemAndUnlocks)
{
    StreamBuilder b(true);
    b.Add({StreamBuilder::Double(1.5), 0xC0, 0}).Add({StreamBuilder::Double(2.5), 0x00, 0});
    Block block(b.Build());
    TiOPCAdviseSink sink(FixedZone());
    std::vector<std::pair<double, Word>> seen;
    sink.SetOnData([&](TiOPCAdviseSink& s) { seen.emplace_back(std::stod(s.Value.ToString()), s.Quality); });
    TFormatEtc format;
    format.ClipFormat = OPCStreamFormatDataTime();
    sink.OnDataChange(format, TStgMedium{TYMED_HGLOBAL, &block});
    EXPECT_EQ(seen, (std::vector<std::pair<double, Word>>{{1.5, 0xC0}, {2.5, 0x00}}));
    EXPECT_EQ(block.locks, 1);
    EXPECT_EQ(block.unlocks, 1);

    // Another clipboard format, or a block that cannot be locked: nothing happens.
    seen.clear();
    format.ClipFormat = OPCStreamFormatWriteComplete();
    sink.OnDataChange(format, TStgMedium{TYMED_HGLOBAL, &block});
    Block locked(b.Build(), false);
    format.ClipFormat = OPCStreamFormatDataTime();
    sink.OnDataChange(format, TStgMedium{TYMED_HGLOBAL, &locked});
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(block.locks, 1);
}

TEST(OPCAdviseSink, PlainFormatUsesShortHeaders)
{
    StreamBuilder b(false);
    b.Add({StreamBuilder::Double(3.0), 0xC0, 0}).Add({StreamBuilder::Double(4.0), 0xC0, 0});
    Block block(b.Build());
    TiOPCAdviseSink sink(FixedZone());
    std::vector<std::string> seen;
    sink.SetOnData([&](TiOPCAdviseSink& s) { seen.push_back(s.Value.ToString()); });
    TFormatEtc format;
    format.ClipFormat = OPCStreamFormatData();
    sink.OnDataChange(format, TStgMedium{TYMED_HGLOBAL, &block});
    EXPECT_EQ(seen, (std::vector<std::string>{"3", "4"}));
}

TEST(OPCDataCallback, TakesOnlyTheFirstEntry)
{
    TiOPCDataCallback cb(FixedZone());
    int calls = 0;
    cb.SetOnData([&](TiOPCDataCallback&) { ++calls; });
    EXPECT_EQ(cb.OnDataChange(1, 2, S_OK, S_OK, {}), S_OK);
    EXPECT_EQ(calls, 0);

    TOPCItemState first{0,
                        TOPCVariant(7.0),
                        0xC0,
                        {static_cast<std::uint32_t>(kNewYear2024), static_cast<std::uint32_t>(kNewYear2024 >> 32)},
                        S_OK};
    TOPCItemState second{0, TOPCVariant(8.0), 0x00, {}, S_OK};
    EXPECT_EQ(cb.OnDataChange(1, 2, S_OK, S_OK, {first, second}), S_OK);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(cb.Value, TOPCVariant(7.0));
    EXPECT_EQ(cb.Quality, 0xC0);
    EXPECT_DOUBLE_EQ(cb.TimeStamp, kNewYear2024Days + 1.0 / 24);

    // Results of a read arrive the same way.
    EXPECT_EQ(cb.OnReadComplete(1, 2, S_OK, S_OK, {second}), S_OK);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(cb.Value, TOPCVariant(8.0));
    EXPECT_EQ(cb.TimeStamp, 0.0);
}

TEST(OPCStreamFormats, RegisteredOnceByName)
{
    const Cardinal data = OPCStreamFormatData(), time = OPCStreamFormatDataTime();
    EXPECT_NE(data, time);
    EXPECT_NE(time, OPCStreamFormatWriteComplete());
    EXPECT_EQ(RegisterClipboardFormat("OPCSTMFORMATDATATIME"), time);
    EXPECT_EQ(RegisterClipboardFormat("opcstmformatdata"), data);
}

}  // namespace
