#pragma once
#include "platform/rtl/Types.h"

// Start and end of the two financial units on the "Financial" gallery page: the OHLC unit
// (on-balance volume, SAR, point and figure) and the candle unit (candle, volume and Darvas series,
// ADX, ATR, RSI and compression), which also names the sample and volume series classes of the
// financial functions. Each registers on its first start and unregisters on its last end.
void StartOHLChartUnit();
void StopOHLChartUnit();
void StartCandleUnit();
void StopCandleUnit();

// Both, in that order; the end in reverse.
void StartFinancialUnits();
void StopFinancialUnits();

// The gallery description of the SAR function, filled while the OHLC unit runs.
extern String TxtSARFunction;
