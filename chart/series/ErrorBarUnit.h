#pragma once
// Start and end of the error-bar unit (error, error bar and high-low series on the "Stats" page)
// and of the Bezier unit ("Extended"): the first start registers, the matching last end
// unregisters.
void StartErrorBarUnit();
void StopErrorBarUnit();
void StartBezierUnit();
void StopBezierUnit();
