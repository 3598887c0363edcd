#pragma once
// Start and end of the units of the shape, Gantt, arrow and bubble series: the first start
// registers the unit's series type, the matching last end unregisters it.
void StartShapeUnit();
void StopShapeUnit();
void StartGanttUnit();
void StopGanttUnit();
void StartArrowUnit();
void StopArrowUnit();
void StartBubbleUnit();
void StopBubbleUnit();
