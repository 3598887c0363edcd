#pragma once
// Start and end of the chart unit: the chart classes stored descriptions name are registered on
// the first start; the last end unregisters them and frees the named palette list and the type
// registries.
void StartChartUnit();
void StopChartUnit();
