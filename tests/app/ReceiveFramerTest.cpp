#include "app/ReceiveFramer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

String block(const String& text) { return String(1, sensor::STX) + text + sensor::ETB + sensor::BlockCheck(text) + "$"; }

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

INSTANTIATE_TEST_SUITE_P(
    Receive, Framing,
    ::testing::Values(
        FramingCase{"pair", {"12.34 -5.67\r"}, {"12.34 -5.67"}, ""},
        FramingCase{"crlf", {"1 2\r\n3 4\r\n"}, {"1 2", "3 4"}, ""},
        FramingCase{"empty_lines", {"\r\n\r"}, {"", ""}, ""},
        FramingCase{"split", {"12.3", "4 5.6\r"}, {"12.34 5.6"}, ""},
        FramingCase{"partial_kept", {"1 2\r3"}, {"1 2"}, "3"},
        FramingCase{"valid_block", {block("OK")}, {"OK"}, ""},
        FramingCase{"block_after_partial", {"12.3" + block("OK")}, {"12.3OK"}, ""},
        FramingCase{"bad_check", {"\x02OK\x17" "00$"}, {}, "OK00"},
        FramingCase{"dollar_without_block", {"a$b\r"}, {"ab"}, ""},
        FramingCase{"block_across_events", {"\x02OK", String("\x17") + sensor::BlockCheck("OK") + "$"}, {},
                    "OK" + sensor::BlockCheck("OK")},
        FramingCase{"two_blocks_one_event", {block("1 2") + block("3 4")}, {"1 2", "3 4"}, ""}),
    [](const auto& info) { return String(info.param.name); });

TEST(Framing, BlockCheckIsHexSum)
{
    EXPECT_EQ(sensor::BlockCheck(""), "00");
    EXPECT_EQ(sensor::BlockCheck("OK"), "9A");  // 0x4F + 0x4B
    EXPECT_EQ(sensor::BlockCheck(String(3, '\xFF')), "FD");
}

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
