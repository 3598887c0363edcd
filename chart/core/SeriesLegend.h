#pragma once
// The legend settings of one series: a text shape whose visibility lists the series in the legend
// and whose text stands there in place of the series' title.
#include "chart/core/TextShapes.h"

class TSeriesLegend : public TCustomTextShape {
    TV_CLASS(TSeriesLegend, TCustomTextShape)
public:
    using TCustomTextShape::TCustomTextShape;
};
