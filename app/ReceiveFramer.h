#pragma once
// Frames the sensor's byte stream into lines. A line ends with CR; STX and LF are dropped; a
// checked block "STX text ETB c1 c2 $" ends a line when its check passes.
//
// Block check: c1 c2 are two uppercase hex digits of the 8-bit sum of the bytes between STX and
// ETB. The check sees only the bytes of one receive event: a block whose STX came in an earlier
// event fails, and a failed '$' leaves the buffer as it is.
#include <functional>

#include "platform/rtl/Types.h"

namespace sensor {
constexpr char CR = 0x0D;
constexpr char LF = 0x0A;
constexpr char STX = 0x02;
constexpr char ETB = 0x17;
constexpr char BlockEnd = '$';

// The two check characters of a block's text.
String BlockCheck(const String& text);

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
