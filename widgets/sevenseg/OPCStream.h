#pragma once
// Decoder of the OPC Data Access 1.0 data stream and the time-stamp conversion shared with the
// 2.0 callback.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/rtl/Types.h"
#include "widgets/sevenseg/OPCVariant.h"

struct TFileTime {
    std::uint32_t LowDateTime = 0;
    std::uint32_t HighDateTime = 0;
};

// How UTC becomes local time, and what "now" is; replaceable so tests do not depend on the zone.
struct TOPCTimeSource {
    std::function<TDateTime(TDateTime utc)> UtcToLocal;
    std::function<TDateTime()> Now;
    static const TOPCTimeSource& System();
};

// 0.0 for an all-zero FILETIME; the current local date-time when the result lies past year 9999.
TDateTime OPCFileTimeToDateTime(const TFileTime& ft, const TOPCTimeSource& time = TOPCTimeSource::System());

struct TOPCStreamItem {
    TOPCVariant Value;
    Word Quality = 0;
    TDateTime TimeStamp = 0.0;
};

constexpr std::size_t OPCGroupHeaderSize = 20;
constexpr std::size_t OPCItemHeaderSize = 12;      // "OPCSTMFORMATDATA"
constexpr std::size_t OPCItemHeaderTimeSize = 20;  // "OPCSTMFORMATDATATIME"
constexpr std::size_t OPCVariantSize = 16;

// Decodes one stream and hands every item to onItem, in order. A stream with a failure status or
// a header area past the end of the block is ignored as a whole; an item whose value lies outside
// the block, or whose value is an array or a reference, is skipped. Returns the number of items
// delivered.
int DecodeOPCDataStream(const Byte* data, std::size_t size, bool timeForm,
                        const std::function<void(const TOPCStreamItem&)>& onItem,
                        const TOPCTimeSource& time = TOPCTimeSource::System());
