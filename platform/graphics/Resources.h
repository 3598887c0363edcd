#pragma once
// Files embedded into the program at build time (cmake/Resources.cmake), found by name.
#include <cstddef>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

struct ResourceBlob {
    const char* Name;
    const unsigned char* Data;
    std::size_t Size;
};

// Registers a generated table (the generated TvRegisterResources_<set>() calls this).
// A later registration of the same name replaces the earlier one.
void RegisterResources(const ResourceBlob* blobs, std::size_t count);
// Case-insensitive; nullptr when there is no such resource.
const ResourceBlob* FindResource(const String& name);
std::vector<String> ResourceNames();

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// A read-only stream over an embedded resource; EResNotFound "Resource %s not found".
class TResourceStream : public TStream {
public:
    explicit TResourceStream(const String& name);
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(blob_->Size); }

private:
    const ResourceBlob* blob_;
    std::int64_t position_ = 0;
};
