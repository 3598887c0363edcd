#pragma once
// Start and end of the 3-D grid series unit: the first start registers its series types on the
// gallery page "3D", the matching last end unregisters them.
void StartGrid3DUnits();
void StopGrid3DUnits();
