#include "chart/canvas/ZebPersistent.h"

#include "platform/classes/Published.h"

TV_PUBLISHED(TZebPersistent) {}
