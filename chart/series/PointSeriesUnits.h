#pragma once
// Start and end of the units of the point-based series: the first start registers the unit's
// series type, the matching last end unregisters it.
void StartBubbleUnit();
void StopBubbleUnit();
void StartArrowUnit();
void StopArrowUnit();
void StartShapeUnit();
void StopShapeUnit();
void StartGanttUnit();
void StopGanttUnit();
