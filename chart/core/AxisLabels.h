#pragma once
// Label steps and texts of axes that need no axis.
#include "platform/rtl/Types.h"

// The next value of 1, 2, 5, 10, 20, 50 ... strictly above x; 1 for an infinite x (and, never
// looping, for one that is not positive).
double NiceStep(double x);
// v as degrees, minutes and seconds with its hemisphere: " E"/" W" on a horizontal axis, " N"/" S"
// on a vertical one.
String GeographicLabelText(double v, bool horizontal);
