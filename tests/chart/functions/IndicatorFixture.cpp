#include "IndicatorFixture.h"

#include "platform/classes/Published.h"

TV_PUBLISHED(TIndicatorRoot) {}
