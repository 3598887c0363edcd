#pragma once
// Start and end of the animation units: the first start registers the player, the animation
// classes and the animation tool types; the last end unregisters the tools and frees the timer.
void StartAnimationUnits();
void StopAnimationUnits();
