#include <asm/termbits.h>
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/comm/CommState.h"

namespace {

TCommState Record(std::uint32_t rate, std::uint8_t bits = 8, std::uint8_t parity = NOPARITY,
                  std::uint8_t stop = ONESTOPBIT, std::uint32_t flags = dcbBinary)
{
    TCommState s;
    s.BaudRate = rate;
    s.ByteSize = bits;
    s.Parity = parity;
    s.StopBits = stop;
    s.Flags = flags;
    s.XonChar = 0x11;
    s.XoffChar = 0x13;
    return s;
}

TEST(CommStateToTermios, RefusesWhatNoLineCanDo)
{
    const TCommState refused[] = {
        Record(0),        // rate 0 would hang the line up
        Record(9600, 4),  // 4 data bits
        Record(9600, 9),
        Record(9600, 8, 5),            // no such parity
        Record(9600, 8, NOPARITY, 3),  // no such stop bits
    };
    for (const TCommState& s : refused)
        EXPECT_EQ(CommStateToTermios(s).error, EINVAL) << s.BaudRate << " " << int(s.ByteSize);
}

TEST(CommStateToTermios, RatesStandardAndCustom)
{
    struct Case {
        std::uint32_t rate;
        std::uint32_t code;
        bool custom;
    };
    const Case cases[] = {
        {110, B110, false},     {300, B300, false},     {1200, B1200, false},     {9600, B9600, false},
        {19200, B19200, false}, {57600, B57600, false}, {115200, B115200, false}, {14400, BOTHER, true},
        {56000, BOTHER, true},  {128000, BOTHER, true}, {256000, BOTHER, true},   {12345, BOTHER, true},
    };
    for (const Case& c : cases) {
        const TCommTermios t = CommStateToTermios(Record(c.rate));
        EXPECT_EQ(t.error, 0) << c.rate;
        EXPECT_EQ(t.cflag & CBAUD, c.code) << c.rate;
        EXPECT_EQ(t.customSpeed, c.custom) << c.rate;
        EXPECT_EQ(t.speed, c.rate);
    }
}

TEST(CommStateToTermios, Framing)
{
    struct Case {
        std::uint8_t bits, parity, stop;
        std::uint32_t cflag;  // of CSIZE | PARENB | PARODD | CMSPAR | CSTOPB
    };
    const Case cases[] = {
        {8, NOPARITY, ONESTOPBIT, CS8},
        {7, EVENPARITY, ONESTOPBIT, CS7 | PARENB},
        {7, ODDPARITY, TWOSTOPBITS, CS7 | PARENB | PARODD | CSTOPB},
        {6, MARKPARITY, ONESTOPBIT, CS6 | PARENB | PARODD | CMSPAR},
        {5, SPACEPARITY, ONE5STOPBITS, CS5 | PARENB | CMSPAR | CSTOPB},
    };
    const std::uint32_t watched = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
    for (const Case& c : cases) {
        const TCommTermios t = CommStateToTermios(Record(9600, c.bits, c.parity, c.stop));
        EXPECT_EQ(t.cflag & watched, c.cflag) << int(c.bits) << int(c.parity) << int(c.stop);
        EXPECT_EQ(t.cflag & (CREAD | CLOCAL), CREAD | CLOCAL);
        EXPECT_EQ(t.lflag, 0u);  // raw: no echo, no line editing, no signals
        EXPECT_EQ(t.oflag, 0u);
    }
}

TEST(CommStateToTermios, FlowControlAndLines)
{
    struct Case {
        const char* name;
        std::uint32_t flags;
        bool crtscts, ixon, ixoff, inpck, dtr, rts;
    };
    const Case cases[] = {
        {"none", dcbBinary, false, false, false, false, false, false},
        {"cts out", dcbBinary | dcbOutxCtsFlow, true, false, false, false, false, false},
        {"rts handshake", dcbBinary | dcbRtsControlHandshake, true, false, false, false, false, true},
        {"rts enabled", dcbBinary | dcbRtsControlEnable, false, false, false, false, false, true},
        {"rts toggle", dcbBinary | dcbRtsControlToggle, false, false, false, false, false, true},
        {"dtr enabled", dcbBinary | dcbDtrControlEnable, false, false, false, false, true, false},
        {"dtr handshake", dcbBinary | dcbDtrControlHandshake, false, false, false, false, true, false},
        {"xon out", dcbBinary | dcbOutX, false, true, false, false, false, false},
        {"xon in", dcbBinary | dcbInX, false, false, true, false, false, false},
        {"parity check", dcbBinary | dcbParity, false, false, false, true, false, false},
        // no Linux equivalent: stored, no effect on the line
        {"dsr flow etc", dcbBinary | dcbOutxDsrFlow | dcbDsrSensitivity | dcbTXContinueOnXoff | dcbErrorChar, false,
         false, false, false, false, false},
    };
    for (const Case& c : cases) {
        TCommState s = Record(9600, 8, NOPARITY, ONESTOPBIT, c.flags);
        s.XonChar = 'Q';
        s.XoffChar = 'S';
        const TCommTermios t = CommStateToTermios(s);
        EXPECT_EQ((t.cflag & CRTSCTS) != 0, c.crtscts) << c.name;
        EXPECT_EQ((t.iflag & IXON) != 0, c.ixon) << c.name;
        EXPECT_EQ((t.iflag & IXOFF) != 0, c.ixoff) << c.name;
        EXPECT_EQ((t.iflag & INPCK) != 0, c.inpck) << c.name;
        EXPECT_EQ((t.iflag & IGNPAR) != 0, !c.inpck) << c.name;
        EXPECT_EQ(t.raiseDtr, c.dtr) << c.name;
        EXPECT_EQ(t.raiseRts, c.rts) << c.name;
        EXPECT_EQ(t.vstart, 'Q');
        EXPECT_EQ(t.vstop, 'S');
        EXPECT_EQ(t.iflag & (ICRNL | INLCR | IGNCR | ISTRIP | BRKINT), 0u) << c.name;
    }
}

}  // namespace
