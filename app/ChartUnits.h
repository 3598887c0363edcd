#pragma once
// The chart units the program starts, in the order their uses demand: the engine, then the
// standard and point series types, then the calculation functions, which register beside them,
// then the network hooks and the workbook source with the spreadsheet exporter.
// Each start is counted, so a second call does nothing; the ends run in reverse.
void StartChartUnits();
void StopChartUnits();
