#include "chart/core/DownloadHook.h"

TDownloadURLHook DownloadURLHook;
