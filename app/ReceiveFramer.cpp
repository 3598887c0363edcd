#include "app/ReceiveFramer.h"

#include <algorithm>
#include <cstddef>

#include "platform/rtl/Unicode.h"

namespace sensor {

String BytesToText(const String& bytes) { return Latin1ToUtf8(bytes); }

}  // namespace sensor

void TReceiveFramer::Feed(const String& data, const TLineHandler& onLine)
{
    // The block check's state lives for this event only.
    bool etbSeen = false;
    Byte x = 0;
    for (const char c : data) {
        if (c == sensor::ETB) etbSeen = true;
        if (!etbSeen || c == sensor::ETB) x ^= static_cast<Byte>(c);
        switch (c) {
        case sensor::CR: {
            String line;
            line.swap(buffer_);
            onLine(line);
            break;
        }
        case sensor::STX:
        case sensor::ETB:
        case sensor::LF: break;
        case sensor::BlockEnd:
            if (etbSeen && x == static_cast<Byte>(sensor::ETB)) {
                buffer_.resize(buffer_.size() - std::min<std::size_t>(buffer_.size(), 2));
                String line;
                line.swap(buffer_);
                onLine(line);
            }
            break;
        default: buffer_ += c;
        }
    }
}
