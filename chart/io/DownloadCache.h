#pragma once
// The engine's network services: a cache of files and downloads the HTML text renderer fetches
// its images through (each name is read once per run), and the engine's URL downloader.
#include "platform/rtl/Types.h"

class TStream;

// Writes the bytes of a file or address (IsURL) at the destination's position: 0, or the
// download's error code (nothing is cached then). The name in any letter case is one entry.
// A missing file raises the file stream's error. Safe from any thread.
int LoadCachedStream(const String& name, TStream& destination);

// Installs LoadCachedStream as the canvas layer's stream loader (a file that cannot be read is the
// code -1 there) and the platform's DownloadURL as the engine's download hook; the last stop
// removes the download hook and empties the cache.
void StartURLUnit();
void StopURLUnit();
