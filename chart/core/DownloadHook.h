#pragma once
// The engine's URL downloader, installed by the unit that can fetch addresses (none until then).
#include <cstdint>
#include <functional>

#include "platform/rtl/Types.h"

class TStream;

// Progress of a download: bytes so far and the total (0 when unknown).
using TDownloadProgress = std::function<void(std::int64_t done, std::int64_t total)>;
// Fetches url into stream from its start (the position is 0 before and after); reload skips
// caches. 0 on success, else a platform error code.
using TDownloadURLHook =
    std::function<int(const String& url, TStream& stream, bool reload, const TDownloadProgress& progress)>;
extern TDownloadURLHook DownloadURLHook;
