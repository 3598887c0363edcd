#pragma once
// Start and end of the animation units: the first start registers the player, the animation
// classes, the animation tool types and the point, Gantt and pie tools; the last end unregisters
// the tools and frees the timer.
void StartAnimationUnits();
void StopAnimationUnits();
