#include "SeriesFixtures.h"

#include "platform/classes/Published.h"

TV_PUBLISHED_AS(TTestAverage, TZebFunctionClass) {}
TV_PUBLISHED_AS(TTestMovingAverage, TZebFunctionClass) {}
TV_PUBLISHED(TTestSeriesTool) {}
TV_PUBLISHED(TTestAxisTool) {}
TV_PUBLISHED_AS(TTestSource, TZebSeriesSourceClass) {}
