#include "platform/graphics/Resources.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <strings.h>

namespace {
struct CaseLess {
    bool operator()(const String& a, const String& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};
std::mutex tableLock;
std::map<String, const ResourceBlob*, CaseLess>& table()
{
    static std::map<String, const ResourceBlob*, CaseLess> t;
    return t;
}
}  // namespace

void RegisterResources(const ResourceBlob* blobs, std::size_t count)
{
    std::lock_guard<std::mutex> g(tableLock);
    for (std::size_t i = 0; i < count; ++i) table()[blobs[i].Name] = &blobs[i];
}

const ResourceBlob* FindResource(const String& name)
{
    std::lock_guard<std::mutex> g(tableLock);
    auto it = table().find(name);
    return it == table().end() ? nullptr : it->second;
}

std::vector<String> ResourceNames()
{
    std::lock_guard<std::mutex> g(tableLock);
    std::vector<String> names;
    for (const auto& [n, b] : table()) names.push_back(n);
    return names;
}

TResourceStream::TResourceStream(const String& name) : blob_(FindResource(name))
{
    if (!blob_) throw EResNotFound("Resource " + name + " not found");
}

std::int64_t TResourceStream::Read(void* buffer, std::int64_t count)
{
    std::int64_t n = std::clamp<std::int64_t>(Size() - position_, 0, std::max<std::int64_t>(count, 0));
    if (n > 0) std::memcpy(buffer, blob_->Data + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TResourceStream::Write(const void*, std::int64_t)
{
    throw EStreamError("Can't write to a read-only resource stream");
}

std::int64_t TResourceStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
    position_ = std::max<std::int64_t>(0, base + offset);
    return position_;
}
