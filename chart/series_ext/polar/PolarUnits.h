#pragma once
// Start and end of the polar series unit: the first start registers the polar family on the
// gallery page "Extended", the matching last end unregisters it.
void StartPolarUnits();
void StopPolarUnits();
