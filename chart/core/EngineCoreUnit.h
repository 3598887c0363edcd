#pragma once
// Start-up and shut-down of the engine core: the classes charts are stored with become known by
// name, and the chart element classes join the controls' class group. Counted: only the first
// start registers and only the matching last stop unregisters.
void StartEngineCoreUnit();
void StopEngineCoreUnit();
// How many starts are not yet matched by a stop.
int EngineCoreUnitStarts();
