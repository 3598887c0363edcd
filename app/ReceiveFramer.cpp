#include "app/ReceiveFramer.h"

#include <cstddef>

#include "platform/rtl/Unicode.h"

namespace sensor {

String BlockCheck(const String& text)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    unsigned sum = 0;
    for (char c : text) sum += static_cast<Byte>(c);
    sum &= 0xFF;
    return {digits[sum >> 4], digits[sum & 0x0F]};
}

String BytesToText(const String& bytes) { return Latin1ToUtf8(bytes); }

}  // namespace sensor

namespace {

// The block ending at data[dollar]: STX text ETB c1 c2, all inside this event's data.
bool blockValid(const String& data, std::size_t dollar, std::size_t stx, std::size_t etb)
{
    if (stx == String::npos || etb == String::npos || stx > etb || etb + 3 != dollar) return false;
    const String text = data.substr(stx + 1, etb - stx - 1);
    return data.compare(etb + 1, 2, sensor::BlockCheck(text)) == 0;
}

}  // namespace

void TReceiveFramer::Feed(const String& data, const TLineHandler& onLine)
{
    std::size_t stx = String::npos;
    std::size_t etb = String::npos;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        switch (c) {
        case sensor::CR: {
            String line;
            line.swap(buffer_);
            onLine(line);
            break;
        }
        case sensor::STX: stx = i; break;
        case sensor::ETB: etb = i; break;
        case sensor::LF: break;
        case sensor::BlockEnd:
            if (blockValid(data, i, stx, etb) && buffer_.size() >= 2) {
                buffer_.resize(buffer_.size() - 2);
                String line;
                line.swap(buffer_);
                onLine(line);
            }
            break;
        default: buffer_ += c;
        }
    }
}
