#pragma once
// Start-up and shut-down of the chart engine's units, in the order their uses demand: the two
// tables of message texts first, then the shared routines, then the canvas unit, which takes its
// default font from the texts, then the picture filters, which take their descriptions from them.
// The program's start calls StartChartEngine once and its exit StopChartEngine. The core unit
// counts its starts: only the first registers its stored classes, only the last stop removes them.
void StartChartEngine();
void StopChartEngine();
