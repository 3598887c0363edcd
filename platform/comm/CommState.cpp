#include "platform/comm/CommState.h"

#include <asm/termbits.h>
#include <cerrno>

namespace {

std::uint32_t StandardSpeedCode(std::uint32_t rate)
{
    switch (rate) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return 0;
    }
}

}  // namespace

TCommTermios CommStateToTermios(const TCommState& state)
{
    TCommTermios t;
    if (state.BaudRate == 0 || state.ByteSize < 5 || state.ByteSize > 8 || state.Parity > SPACEPARITY ||
        state.StopBits > TWOSTOPBITS) {
        t.error = EINVAL;
        return t;
    }

    // Raw byte line: no echo, no line editing, no signals, no output processing.
    t.cflag = CREAD | CLOCAL;
    switch (state.ByteSize) {
    case 5: t.cflag |= CS5; break;
    case 6: t.cflag |= CS6; break;
    case 7: t.cflag |= CS7; break;
    default: t.cflag |= CS8; break;
    }
    switch (state.Parity) {
    case ODDPARITY: t.cflag |= PARENB | PARODD; break;
    case EVENPARITY: t.cflag |= PARENB; break;
    case MARKPARITY: t.cflag |= PARENB | CMSPAR | PARODD; break;
    case SPACEPARITY: t.cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    // The driver gives 1.5 stop bits for CSTOPB with 5 data bits, else 2.
    if (state.StopBits != ONESTOPBIT) t.cflag |= CSTOPB;

    const std::uint32_t rts = state.Flags & dcbRtsControlMask;
    if ((state.Flags & dcbOutxCtsFlow) || rts == dcbRtsControlHandshake) t.cflag |= CRTSCTS;

    if (state.Flags & dcbParity)
        t.iflag |= INPCK;
    else
        t.iflag |= IGNPAR;
    if (state.Flags & dcbOutX) t.iflag |= IXON;
    if (state.Flags & dcbInX) t.iflag |= IXOFF;
    t.vstart = static_cast<std::uint8_t>(state.XonChar);
    t.vstop = static_cast<std::uint8_t>(state.XoffChar);

    if (const std::uint32_t code = StandardSpeedCode(state.BaudRate)) {
        t.cflag |= code;
    } else {
        t.cflag |= BOTHER;
        t.customSpeed = true;
    }
    t.speed = state.BaudRate;

    t.raiseDtr = (state.Flags & dcbDtrControlMask) != 0;  // enabled, or handshake: the driver keeps it up
    t.raiseRts = rts != 0;
    return t;
}
