#include "app/ReceiveFramer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tools/SensorModel.h"

namespace {

struct FramingCase {
    const char* name;
    std::vector<String> events;
    std::vector<String> lines;
    String rest;
};

class Framing : public ::testing::TestWithParam<FramingCase> {};

TEST_P(Framing, LinesAndRest)
{
    const FramingCase& c = GetParam();
    TReceiveFramer framer;
    std::vector<String> lines;
    for (const String& e : c.events) framer.Feed(e, [&](const String& l) { lines.push_back(l); });
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(framer.Buffer(), c.rest);
}

// "OK" framed: STX ^ 'O' ^ 'K' is 0x06, balanced by '0' ^ '6'.
const String okBlock = "\x02OK06\x17$";

INSTANTIATE_TEST_SUITE_P(
    Receive, Framing,
    ::testing::Values(
        FramingCase{"pair", {"12.34 -5.67\r"}, {"12.34 -5.67"}, ""},
        FramingCase{"crlf", {"1 2\r\n3 4\r\n"}, {"1 2", "3 4"}, ""},
        FramingCase{"empty_lines", {"\r\n\r"}, {"", ""}, ""},
        FramingCase{"split", {"12.3", "4 5.6\r"}, {"12.34 5.6"}, ""},
        FramingCase{"partial_kept", {"1 2\r3"}, {"1 2"}, "3"}, FramingCase{"valid_block", {okBlock}, {"OK"}, ""},
        FramingCase{"simulator_block", {FrameBlock("12.34 -5.67")}, {"12.34 -5.67"}, ""},
        // Only this event's bytes count: a partial line from an earlier event is not checked.
        FramingCase{"block_after_earlier_partial", {"12.3", okBlock}, {"12.3OK"}, ""},
        // Bytes before the first ETB of the event all enter the check.
        FramingCase{"block_after_partial_same_event", {"12.3" + okBlock}, {}, "12.3OK06"},
        FramingCase{"line_then_block_same_event", {"1 2\r" + okBlock}, {"1 2"}, "OK06"},
        FramingCase{"bad_check", {"\x02OK07\x17$"}, {}, "OK07"},
        // After the ETB nothing is checked; the two bytes before '$' are cut whatever they are.
        FramingCase{"bytes_after_etb", {"\x02OK06\x17zz$"}, {"OK06"}, ""},
        FramingCase{"dollar_without_etb", {"a$b\r"}, {"ab"}, ""},
        FramingCase{"dollar_in_next_event", {"\x02OK06\x17", "$"}, {}, "OK06"},
        FramingCase{"block_across_events", {"\x02OK", "06\x17$"}, {}, "OK06"},
        FramingCase{"empty_block", {"\x02\x02\x17$"}, {""}, ""},
        FramingCase{"one_byte_block", {"\x08\x02\n\x17$"}, {""}, ""},
        // Each later ETB flips the XOR by 0x17: the second block of an event always fails, a
        // third passes unchecked and takes the second one's bytes with it.
        FramingCase{
            "second_block_same_event", {FrameBlock("1 2") + FrameBlock("3 4")}, {"1 2"}, "3 4" + BlockCheck("3 4")},
        FramingCase{"third_block_same_event",
                    {FrameBlock("1 2") + FrameBlock("3 4") + FrameBlock("5 6")},
                    {"1 2", "3 4" + BlockCheck("3 4") + "5 6"},
                    ""},
        FramingCase{"blocks_in_own_events", {FrameBlock("1 2"), FrameBlock("3 4")}, {"1 2", "3 4"}, ""}),
    [](const auto& info) { return String(info.param.name); });

TEST(Framing, BytesShowAsOneCharacterEach)
{
    EXPECT_EQ(sensor::BytesToText("12.5 -3"), "12.5 -3");
    EXPECT_EQ(sensor::BytesToText("\xBC\x05"), "\xC2\xBC\x05");
    EXPECT_EQ(sensor::BytesToText("\xFF\x80"), "\xC3\xBF\xC2\x80");
}

TEST(Framing, FailingLineLeavesNoBytesBehind)
{
    TReceiveFramer framer;
    std::vector<String> lines;
    auto handler = [&](const String& l) {
        if (l == "bad") throw std::runtime_error("boom");
        lines.push_back(l);
    };
    EXPECT_THROW(framer.Feed("bad\r1 2\r", handler), std::runtime_error);
    EXPECT_EQ(framer.Buffer(), "");
    framer.Feed("3 4\r", handler);
    EXPECT_EQ(lines, std::vector<String>{"3 4"});
}

}  // namespace
