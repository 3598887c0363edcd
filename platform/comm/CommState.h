#pragma once
// The device settings record of a serial line and its translation to the
// terminal settings of a Linux serial device.
#include <cstdint>

// Laid out like the device control block the serial component fills in.
struct TCommState {
    std::uint32_t DCBlength = 0;
    std::uint32_t BaudRate = 0;
    std::uint32_t Flags = 0;
    std::uint16_t wReserved = 0;
    std::uint16_t XonLim = 0;
    std::uint16_t XoffLim = 0;
    std::uint8_t ByteSize = 0;
    std::uint8_t Parity = 0;
    std::uint8_t StopBits = 0;
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    std::uint16_t wReserved1 = 0;
};

// Bits of TCommState::Flags.
constexpr std::uint32_t dcbBinary = 0x0001;
constexpr std::uint32_t dcbParity = 0x0002;
constexpr std::uint32_t dcbOutxCtsFlow = 0x0004;
constexpr std::uint32_t dcbOutxDsrFlow = 0x0008;
constexpr std::uint32_t dcbDtrControlMask = 0x0030;
constexpr std::uint32_t dcbDtrControlEnable = 0x0010;
constexpr std::uint32_t dcbDtrControlHandshake = 0x0020;
constexpr std::uint32_t dcbDsrSensitivity = 0x0040;
constexpr std::uint32_t dcbTXContinueOnXoff = 0x0080;
constexpr std::uint32_t dcbOutX = 0x0100;
constexpr std::uint32_t dcbInX = 0x0200;
constexpr std::uint32_t dcbErrorChar = 0x0400;
constexpr std::uint32_t dcbNull = 0x0800;
constexpr std::uint32_t dcbRtsControlMask = 0x3000;
constexpr std::uint32_t dcbRtsControlEnable = 0x1000;
constexpr std::uint32_t dcbRtsControlHandshake = 0x2000;
constexpr std::uint32_t dcbRtsControlToggle = 0x3000;
constexpr std::uint32_t dcbAbortOnError = 0x4000;

// TCommState::Parity and ::StopBits values.
constexpr std::uint8_t NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2, MARKPARITY = 3, SPACEPARITY = 4;
constexpr std::uint8_t ONESTOPBIT = 0, ONE5STOPBITS = 1, TWOSTOPBITS = 2;

// What a settings record asks of the terminal driver (termios2 fields).
// speedCode is the standard rate constant, or BOTHER with the rate in speed.
struct TCommTermios {
    int error = 0;  // 0, or the error number that refuses the record (EINVAL)
    std::uint32_t iflag = 0;
    std::uint32_t oflag = 0;
    std::uint32_t cflag = 0;
    std::uint32_t lflag = 0;
    std::uint8_t vstart = 0;  // XON character
    std::uint8_t vstop = 0;   // XOFF character
    std::uint32_t speed = 0;
    bool customSpeed = false;
    // Line levels the settings fix at once (not handshake-driven).
    bool raiseDtr = false;
    bool raiseRts = false;
};

// Pure: no device involved. Refuses rate 0 and byte sizes outside 5..8.
TCommTermios CommStateToTermios(const TCommState& state);
