#include "app/UserSet.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"

namespace {

struct FieldLayout {
    int offset;
    int capacity;
};

constexpr FieldLayout layout[] = {{0, 6}, {7, 7}, {15, 50}, {66, 50}, {117, 50}, {168, 50}, {219, 50}};

// Bytes of value's head that fit in capacity bytes, moved back before a UTF-8 character the cut
// would split; bytes that are not UTF-8 are cut where they are.
std::size_t cutLength(const String& value, std::size_t capacity)
{
    if (value.size() <= capacity) return value.size();
    auto continuation = [&](std::size_t i) { return (static_cast<Byte>(value[i]) & 0xC0) == 0x80; };
    for (std::size_t back = 0; back < 4 && back <= capacity; ++back)
        if (!continuation(capacity - back)) return capacity - back;
    return capacity;
}

// The runtime library's texts for the common I/O error numbers.
EInOutError ioError(int error)
{
    switch (error) {
    case ENOENT: return EInOutError("File not found");
    case ENOTDIR: return EInOutError("Path not found");
    case EACCES:
    case EISDIR:
    case EPERM:
    case EROFS: return EInOutError("Access denied");
    case ENOSPC: return EInOutError("Disk full");
    default: return EInOutError(Format("I/O error %d", {error}));
    }
}

}  // namespace

TUserSet TUserSet::Defaults()
{
    TUserSet record;
    record.Set(fBaudrate, "115200");
    return record;
}

int TUserSet::Capacity(TField field) { return layout[field].capacity; }

String TUserSet::Get(TField field) const
{
    const FieldLayout& f = layout[field];
    const int length = std::min<int>(bytes_[f.offset], f.capacity);
    return String(reinterpret_cast<const char*>(&bytes_[f.offset + 1]), static_cast<std::size_t>(length));
}

void TUserSet::Set(TField field, const String& value)
{
    const FieldLayout& f = layout[field];
    const std::size_t length = cutLength(value, static_cast<std::size_t>(f.capacity));
    bytes_[f.offset] = static_cast<Byte>(length);
    std::memcpy(&bytes_[f.offset + 1], value.data(), length);
}

String UserSetPath(const String& folder) { return IncludeTrailingPathDelimiter(folder) + "UserSet.dat"; }

void ReadUserSet(const String& path, TUserSet& record)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ioError(errno);
    std::array<Byte, TUserSet::RecordSize> bytes{};
    in.read(reinterpret_cast<char*>(bytes.data()), TUserSet::RecordSize);
    const auto read = static_cast<int>(in.gcount());
    if (read == TUserSet::RecordSize) {
        record.Bytes() = bytes;
        return;
    }
    if (in.bad()) throw ioError(errno);
    for (const FieldLayout& f : layout) {
        const int length = f.offset < read ? std::min<int>(bytes[f.offset], f.capacity) : 0;
        if (f.offset + 1 + length > read) continue;  // not whole
        std::copy(bytes.begin() + f.offset, bytes.begin() + f.offset + 1 + f.capacity,
                  record.Bytes().begin() + f.offset);
    }
    throw EInOutError("Read beyond end of file");
}

TUserSet ReadUserSet(const String& path)
{
    TUserSet record;
    ReadUserSet(path, record);
    return record;
}

void WriteUserSet(const String& path, const TUserSet& record)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw ioError(errno);
    out.write(reinterpret_cast<const char*>(record.Bytes().data()), TUserSet::RecordSize);
    out.flush();
    if (!out) throw ioError(errno);
}
