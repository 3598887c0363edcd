#pragma once
// Start and end of the chart unit, counted: the first start seeds the pseudo-random generator from
// the clock and registers the chart classes stored descriptions name; the last end unregisters
// them and frees the named palette list.
void StartChartUnit();
void StopChartUnit();
