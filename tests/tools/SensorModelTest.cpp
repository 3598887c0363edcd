#include <gtest/gtest.h>

#include <cstdlib>

#include "tools/SensorModel.h"

namespace {

// XOR of the bytes of a block from its STX up to its ETB (exclusive): 0 for a good block.
unsigned char XorToEtb(const String& block)
{
    unsigned char x = 0;
    for (std::size_t i = 0; i < block.size() && block[i] != '\x17'; ++i) x ^= static_cast<unsigned char>(block[i]);
    return x;
}

bool ControlByte(char c) { return c == '\r' || c == '\n' || c == '\x02' || c == '\x17' || c == '$'; }

TEST(SensorBlockCheck, CheckBytesBalanceTheBlockToZero)
{
    const struct {
        String text;
        bool printable;
    } cases[] = {
        {"", true},          {"OK", true},    {"12.34 -5.67", true},
        {"\x12", true},  // sum 0x10: '0' would pair with a blank
        {"\xFF\x01", false}, {"\x80", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const String check = BlockCheck(c.text);
        ASSERT_EQ(check.size(), 2u);
        EXPECT_EQ(XorToEtb(FrameBlock(c.text)), 0);
        for (char b : check) {
            EXPECT_FALSE(ControlByte(b));
            EXPECT_TRUE(!c.printable || (b > ' ' && b < 0x7F)) << int(b);
        }
    }
    EXPECT_EQ(FrameBlock("OK"), "\x02OK06\x17$");
}

TEST(SensorModel, Commands)
{
    struct Step {
        const char* sent;
        const char* reply;
    };
    // One sensor, driven through a session; each reply depends on what came before.
    const Step steps[] = {
        {"#SAVE\r\n", "OK\r"},  {"#ID5\r\n", "ERR\r"},                          // not without the access code
        {"#QKV5302\r\n", ""},   {"#QKV5302\r\n", ""},  {"#ID80\r\n", "ERR\r"},  // IDs end at 79
        {"#ID5\r\n", "OK\r"},   {"#ID6\r\n", "ERR\r"},                          // the access code is used up
        {"#WHAT\r\n", "ERR\r"}, {"\r\n\r\n", ""},      {"#SA", ""},             // a command in pieces
        {"VE\r\n", "OK\r"},     {"\xB1\x05", ""},                               // poll for ID 1: not ours any more
    };
    SensorModel sensor(SensorOptions{});
    for (const Step& s : steps) EXPECT_EQ(sensor.Receive(s.sent), s.reply) << s.sent;
    EXPECT_EQ(sensor.Id(), 5);
    EXPECT_EQ(sensor.Receive("#INFO\r\n").back(), '\r');
}

TEST(SensorModel, PollAnswersOneDataLine)
{
    SensorOptions o;
    o.id = 12;
    SensorModel sensor(o);
    const String reply = sensor.Receive("\xBC\x05");
    ASSERT_FALSE(reply.empty());
    EXPECT_EQ(reply.back(), '\r');
    EXPECT_EQ(reply.find('\r'), reply.size() - 1);
    EXPECT_EQ(sensor.LinesSent(), 1u);
    EXPECT_FALSE(sensor.Streaming());
}

TEST(SensorModel, StreamStartsAndStops)
{
    SensorModel sensor(SensorOptions{});
    EXPECT_EQ(sensor.Receive("#READ\r\n"), "");
    EXPECT_TRUE(sensor.Streaming());
    EXPECT_EQ(sensor.Receive("#STOP\r\n"), "");
    EXPECT_FALSE(sensor.Streaming());
}

TEST(SensorModel, DataLinesAreTwoDecimalsAndMoveSmoothly)
{
    SensorModel sensor(SensorOptions{});
    double lastX = 0, lastY = 0;
    for (int i = 0; i < 400; ++i) {
        const String line = sensor.NextDataLine();
        ASSERT_EQ(line.back(), '\r');
        const String text = line.substr(0, line.size() - 1);
        const std::size_t blank = text.find(' ');
        ASSERT_NE(blank, String::npos) << text;
        const String xs = text.substr(0, blank), ys = text.substr(blank + 1);
        for (const String& v : {xs, ys}) {
            ASSERT_EQ(v.size() - v.find('.'), 3u) << text;  // two decimals
            EXPECT_NE(v, "-0.00");
        }
        const double x = std::atof(xs.c_str()), y = std::atof(ys.c_str());
        EXPECT_LE(std::abs(x), 26);
        EXPECT_LE(std::abs(y), 16);
        if (i > 0) {
            EXPECT_LT(std::abs(x - lastX), 1.5) << i;
            EXPECT_LT(std::abs(y - lastY), 1.5) << i;
        }
        lastX = x;
        lastY = y;
    }
}

TEST(SensorModel, FramingAndGarbage)
{
    SensorOptions o;
    o.frame = true;
    o.garbage = true;
    SensorModel sensor(o);
    EXPECT_EQ(sensor.Receive("#SAVE\r\n"), FrameBlock("OK"));
    int withGarbage = 0;
    for (int i = 0; i < 30; ++i) {
        const String line = sensor.NextDataLine();
        const std::size_t stx = line.find('\x02');
        ASSERT_NE(stx, String::npos);
        if (stx > 0) ++withGarbage;
        const String block = line.substr(stx);
        const std::size_t etb = block.find('\x17');
        ASSERT_EQ(block.size(), etb + 2);
        EXPECT_EQ(block.substr(etb - 2, 2), BlockCheck(block.substr(1, etb - 3)));
        EXPECT_EQ(XorToEtb(block), 0);
        EXPECT_EQ(block.back(), '$');
        for (char c : line.substr(0, stx)) EXPECT_TRUE(c != '\r' && c != '\n' && c != '$' && c != '\x17');
    }
    EXPECT_EQ(withGarbage, 3);  // every tenth line
}

}  // namespace
