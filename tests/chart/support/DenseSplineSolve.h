#pragma once
// The interpolating B-spline's system solved as a whole matrix, eliminated in row order without
// pivoting: the answer (and the cost) the spline's three-diagonal solve is compared with.
#include <vector>

#include "chart/core/ZebSpline.h"

// vertices: positions 1 .. v hold the points (0 unused); the result holds the solved vertices alike.
std::vector<T2DPoint> DenseSplineSolve(const std::vector<T2DPoint>& vertices, int v);
