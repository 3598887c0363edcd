#pragma once
// Start and end of the standard series units. The program calls StartStandardSeriesUnits once after
// StartChartEngine and StopStandardSeriesUnits before StopChartEngine; each unit counts its starts,
// so a second start (a gallery or layout module that needs the types too) adds nothing.
//
// AddStandardSeriesToGallery lists the nine standard types on the "Standard" page; the registry
// skips a class and description it already holds, so running it again lists each once.
void AddStandardSeriesToGallery();
// Registers the standard types on its first start; its stop keeps only the count (the chart unit
// empties the registry at the end).
void StartStandardSeriesUnit();
void StopStandardSeriesUnit();
// The donut on the "Extended" page; its last stop unregisters it.
void StartDonutUnit();
void StopDonutUnit();

void StartStandardSeriesUnits();
void StopStandardSeriesUnits();
