#pragma once
// Registers the meter and button classes for component streams (stored descriptions name them).
// Linking any of the controls registers them too; calling this again is harmless.
void RegisterMeterControls();
