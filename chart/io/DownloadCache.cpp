#include "chart/io/DownloadCache.h"

#include <memory>
#include <mutex>
#include <vector>

#include "chart/canvas/HtmlText.h"
#include "chart/core/DownloadHook.h"
#include "chart/io/FileSource.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "platform/system/Download.h"
#include "chart/core/UnitStarts.h"

namespace {

struct TCachedStream {
    String Name;  // upper case
    TMemoryStream Stream;
};

// Guarded by its lock only while searching and adding, never while a name loads: two first
// requests for one name may both load it, and later lookups take the first entry.
class TCachedStreamList {
public:
    // Copies the entry's bytes into the destination; false when there is none.
    bool CopyEntry(const String& name, TStream& destination)
    {
        std::lock_guard lock(mutex_);
        for (const auto& entry : entries_)
            if (entry->Name == name) {
                destination.WriteBuffer(entry->Stream.Memory(), entry->Stream.Size());
                return true;
            }
        return false;
    }
    void Add(std::unique_ptr<TCachedStream> entry)
    {
        std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry));
    }
    void Clear()
    {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<TCachedStream>> entries_;
};

TCachedStreamList& CachedStreamList()
{
    static TCachedStreamList list;
    return list;
}

TUnitStarts starts;

}  // namespace

int LoadCachedStream(const String& name, TStream& destination)
{
    const String upper = UpperCase(name);
    if (CachedStreamList().CopyEntry(upper, destination)) return 0;
    auto entry = std::make_unique<TCachedStream>();
    entry->Name = upper;
    if (IsURL(name)) {
        const int code = DownloadURL(Trim(name), entry->Stream, false);
        if (code != 0) return code;
    } else {
        entry->Stream.LoadFromFile(name);
    }
    destination.WriteBuffer(entry->Stream.Memory(), entry->Stream.Size());
    CachedStreamList().Add(std::move(entry));
    return 0;
}

void StartURLUnit()
{
    if (!starts.First()) return;
    // The renderer fetches images while painting and takes a failure as a code: a missing file
    // gives the image's placeholder, not an exception out of the paint.
    SetLoadStreamHook([](const String& name, TStream& stream) {
        try {
            return LoadCachedStream(name, stream);
        } catch (const Exception&) {
            return -1;
        }
    });
    DownloadURLHook = [](const String& url, TStream& stream, bool allowCache, const TDownloadProgress& progress) {
        return DownloadURL(url, stream, allowCache, progress);
    };
}

void StopURLUnit()
{
    if (!starts.Last()) return;
    DownloadURLHook = nullptr;
    CachedStreamList().Clear();
}
