#pragma once
// Frames the sensor's byte stream into lines. A line ends with CR; STX, LF and ETB are dropped; a
// '$' ends a checked block when the block check passes, and the block's last two bytes (its check
// bytes) are cut off the line.
//
// Block check, over the bytes of one receive event only: x is a running XOR of every byte up to
// and including the event's first ETB, and after that of each further ETB alone (a byte enters x
// only when it lies at or before the last ETB seen when it is handled). A '$' passes when an ETB
// came before it in the same event and x equals that ETB byte (0x17); a '$' with no ETB before it
// in the event fails. So the first block of an event passes when STX, its text and its two check
// bytes XOR to 0 together with anything received before them in that event; a failed '$' leaves
// the buffer as it is.
#include <functional>

#include "platform/rtl/Types.h"

namespace sensor {
constexpr char CR = 0x0D;
constexpr char LF = 0x0A;
constexpr char STX = 0x02;
constexpr char ETB = 0x17;
constexpr char BlockEnd = '$';

// Line bytes as text to show: one byte is one character (Latin-1), whatever the bytes are.
String BytesToText(const String& bytes);
}  // namespace sensor

class TReceiveFramer {
public:
    using TLineHandler = std::function<void(const String& line)>;

    // Walks the bytes of one receive event in order and hands every completed line to onLine.
    // The buffer is emptied before the line is handled, so a line whose handling raises is gone
    // and the bytes after it start a new line; the exception ends this event.
    void Feed(const String& data, const TLineHandler& onLine);

    const String& Buffer() const { return buffer_; }
    void Clear() { buffer_.clear(); }

private:
    String buffer_;
};
