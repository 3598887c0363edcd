#pragma once
// The controlling side of a pseudo-terminal pair: the sensor simulator and the
// tests play the far end of a serial line through it.
#include <cstdint>

#include "platform/rtl/Types.h"

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Opens a pair and holds the device side open too (without locking it),
    // so the line does not hang up between two users. Raw mode, 8 data bits.
    bool Open();
    // Closing the controlling side hangs the line up for its user.
    void Close();
    bool IsOpen() const { return master_ >= 0; }
    const String& DevicePath() const { return path_; }

    // Non-blocking: bytes moved, 0 when none could be, -1 on failure (errno kept).
    int Read(void* buffer, int count);
    int Write(const void* buffer, int count);
    // Writes everything, waiting for room; false on failure.
    bool WriteAll(const void* buffer, int count);
    // True when readable (or writable) within the time; false on time-out.
    bool WaitReadable(int milliseconds);
    bool WaitWritable(int milliseconds);
    // Reads what arrives until the text holds count bytes or the time runs out.
    String ReadFor(int milliseconds, std::size_t count = 0);

private:
    int master_ = -1;
    int slave_ = -1;
    String path_;
};
