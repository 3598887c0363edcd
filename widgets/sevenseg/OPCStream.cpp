#include "widgets/sevenseg/OPCStream.h"

#include "platform/rtl/Unicode.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr double kFileTimeTicksPerDay = 864000000000.0;  // 100 ns intervals
constexpr double kDaysFrom1601To1899 = 109205.0;         // 1601-01-01 .. 1899-12-30
constexpr double kFirstDayAfter9999 = 2958466.0;         // 10000-01-01 as a date-time

std::uint16_t U16(const Byte* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const Byte* p)
{
    return static_cast<std::uint32_t>(U16(p)) | (static_cast<std::uint32_t>(U16(p + 2)) << 16);
}
std::uint64_t U64(const Byte* p)
{
    return static_cast<std::uint64_t>(U32(p)) | (static_cast<std::uint64_t>(U32(p + 4)) << 32);
}

double F64(const Byte* p)
{
    const std::uint64_t bits = U64(p);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

float F32(const Byte* p)
{
    const std::uint32_t bits = U32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

TDateTime SystemNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm local = *std::localtime(&t);  // main thread only
    const double offset = static_cast<double>(local.tm_gmtoff);
    return 25569.0 + (static_cast<double>(t) + offset) / 86400.0;
}

TDateTime SystemUtcToLocal(TDateTime utc)
{
    const double seconds = std::floor((utc - 25569.0) * 86400.0);
    const std::time_t t = static_cast<std::time_t>(seconds);
    const std::tm* local = std::localtime(&t);
    return local ? utc + static_cast<double>(local->tm_gmtoff) / 86400.0 : utc;
}

// Reads a VARIANT at p (16 bytes known to be inside the block); false for types not carried.
bool ReadVariant(const Byte* p, const Byte* end, TOPCVariant& out)
{
    const TVarType vt = U16(p);
    const Byte* d = p + 8;
    switch (vt) {
    case varEmpty: out = TOPCVariant(); return true;
    case varNull: out = TOPCVariant::Null(); return true;
    case varSmallint: out = TOPCVariant::Integer(vt, static_cast<std::int16_t>(U16(d))); return true;
    case varInteger:
    case varInt:
    case varError: out = TOPCVariant::Integer(vt, static_cast<std::int32_t>(U32(d))); return true;
    case varShortInt: out = TOPCVariant::Integer(vt, static_cast<std::int8_t>(d[0])); return true;
    case varByte: out = TOPCVariant::UInteger(vt, d[0]); return true;
    case varWord: out = TOPCVariant::UInteger(vt, U16(d)); return true;
    case varLongWord:
    case varUInt: out = TOPCVariant::UInteger(vt, U32(d)); return true;
    case varInt64: out = TOPCVariant::Integer(vt, static_cast<std::int64_t>(U64(d))); return true;
    case varUInt64: out = TOPCVariant::UInteger(vt, U64(d)); return true;
    case varCurrency: out = TOPCVariant::Integer(vt, static_cast<std::int64_t>(U64(d))); return true;
    case varSingle: out = TOPCVariant::Real(vt, F32(d)); return true;
    case varDouble:
    case varDate: out = TOPCVariant::Real(vt, F64(d)); return true;
    case varBoolean: out = TOPCVariant(U16(d) != 0); return true;
    case varOleStr: {
        const Byte* countAt = p + OPCVariantSize;
        if (end - countAt < 4) return false;
        const std::uint32_t byteCount = U32(countAt);
        const Byte* chars = countAt + 4;
        // Up to the terminating zero, at most byteCount / 2 characters, never past the block.
        const std::size_t room = static_cast<std::size_t>(end - chars) / 2;
        const std::size_t limit = std::min<std::size_t>(byteCount / 2, room);
        std::vector<std::uint16_t> text;
        for (std::size_t i = 0; i < limit; ++i) {
            const std::uint16_t ch = U16(chars + 2 * i);
            if (ch == 0) break;
            text.push_back(ch);
        }
        out = TOPCVariant(Utf16ToUtf8(text.data(), text.size()));
        return true;
    }
    default: return false;  // arrays, references and types a server does not send
    }
}

}  // namespace

const TOPCTimeSource& TOPCTimeSource::System()
{
    static const TOPCTimeSource source{SystemUtcToLocal, SystemNow};
    return source;
}

TDateTime OPCFileTimeToDateTime(const TFileTime& ft, const TOPCTimeSource& time)
{
    if (ft.LowDateTime == 0 && ft.HighDateTime == 0) return 0.0;
    const std::uint64_t ticks = (static_cast<std::uint64_t>(ft.HighDateTime) << 32) | ft.LowDateTime;
    const TDateTime local = time.UtcToLocal(static_cast<double>(ticks) / kFileTimeTicksPerDay - kDaysFrom1601To1899);
    if (!(local < kFirstDayAfter9999)) return time.Now();
    return local;
}


int DecodeOPCDataStream(const Byte* data, std::size_t size, bool timeForm,
                        const std::function<void(const TOPCStreamItem&)>& onItem, const TOPCTimeSource& time)
{
    if (!data || size < OPCGroupHeaderSize) return 0;
    if (static_cast<std::int32_t>(U32(data + 16)) < 0) return 0;
    const std::uint64_t count = U32(data + 4);
    const std::size_t headerSize = timeForm ? OPCItemHeaderTimeSize : OPCItemHeaderSize;
    if (count > (size - OPCGroupHeaderSize) / headerSize)
        return 0;  // a count the block cannot hold: corrupt, take nothing from it

    const Byte* end = data + size;
    int delivered = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Byte* header = data + OPCGroupHeaderSize + i * headerSize;
        const std::uint32_t valueOffset = U32(header + 4);
        if (valueOffset > size || size - valueOffset < OPCVariantSize) continue;
        TOPCStreamItem item;
        if (!ReadVariant(data + valueOffset, end, item.Value)) continue;
        item.Quality = U16(header + 8);
        if (timeForm) item.TimeStamp = OPCFileTimeToDateTime({U32(header + 12), U32(header + 16)}, time);
        if (onItem) onItem(item);
        ++delivered;
    }
    return delivered;
}
