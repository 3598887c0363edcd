#pragma once
// Start-up and shut-down of the chart engine's units, in the order their uses demand: the two
// tables of message texts first, then the shared routines, then the canvas unit, which takes its
// default font from the texts, then the picture filters, which take their descriptions from them.
void StartChartEngine();
void StopChartEngine();
