#pragma once
// Start-up and shut-down of the chart engine's units, in the order their uses demand: the two
// tables of message texts first, then the shared routines, then the canvas unit, which takes its
// default font from the texts, then the picture filters, which take their descriptions from them.
// The program's start calls StartChartEngine and its exit StopChartEngine. Starts are counted, so
// a part that needs the engine may start it again: only the first start starts the units, only
// the last stop ends them (a stop without a start does nothing).
void StartChartEngine();
void StopChartEngine();
