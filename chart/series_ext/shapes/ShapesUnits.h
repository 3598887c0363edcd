#pragma once
// Start and end of the shape series unit (funnel, pyramid, volume pipe and the series after them):
// the first start registers the series types on their gallery pages, the matching last end
// unregisters them.
void StartShapesUnits();
void StopShapesUnits();
