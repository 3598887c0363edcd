#pragma once
// Start and end of the chart unit, counted: the first start seeds the pseudo-random generator from
// the clock and registers the chart classes stored descriptions name (the type registries are made
// on first use); the last end unregisters them and frees the named palette list and the type
// registries.
void StartChartUnit();
void StopChartUnit();
