#pragma once
// Registration of the interactive tools among the engine's tool types (counting its starts).
void StartToolsUnit();
void StopToolsUnit();
