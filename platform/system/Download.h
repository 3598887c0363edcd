#pragma once
// Downloads of http, https and ftp addresses into a stream.
#include <cstdint>
#include <functional>

#include "platform/rtl/Types.h"

class TStream;

// Asked before each read with the bytes received so far; setting cancel ends the download.
using TDownloadProgress = std::function<void(std::int64_t received, bool& cancel)>;

// Bytes arrive in reads of at most DownloadChunkSize; the progress handler is asked once before
// the transfer starts and before every read, including the last one that finds the end.
constexpr std::int64_t DownloadChunkSize = 0x20000;

// Fills the stream from position 0 with the bytes of the address and leaves it at 0. With
// allowCache off, the request asks caches on the way not to answer from or keep a copy. Returns 0,
// -1 when cancelled, or a libcurl error code (a status of 400 or more is an error, its page is not
// taken as data). Waits are bounded: connecting, and a transfer that stops sending, end in an error.
int DownloadURL(const String& address, TStream& stream, bool allowCache, const TDownloadProgress& progress = {});

// The message of a code DownloadURL returned, without trailing blanks and full stops; empty for -1.
String DownloadErrorText(int code);

// How long a download may take to connect and may go without data (seconds; defaults 30 and 60).
void SetDownloadWaitLimits(int connectSeconds, int idleSeconds);
