#pragma once
// The engine's URL downloader, installed by the unit that can fetch addresses (none until then).
#include <functional>

#include "platform/rtl/Types.h"
#include "platform/system/Download.h"

class TStream;

// Fetches url into stream from its start (the position is 0 before and after); with allowCache
// off, caches on the way are asked not to answer. The progress handler may cancel (result -1).
// 0 on success, else an error code.
using TDownloadURLHook =
    std::function<int(const String& url, TStream& stream, bool allowCache, const TDownloadProgress& progress)>;
extern TDownloadURLHook DownloadURLHook;
