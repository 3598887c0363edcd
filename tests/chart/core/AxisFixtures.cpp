#include "AxisFixtures.h"

#include "platform/classes/Published.h"

TV_PUBLISHED(TTestAxisPanel) {}
TV_PUBLISHED(TTestSeries) {}
