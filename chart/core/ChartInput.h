#pragma once
// What the chart's mouse handling works with: the part of the chart under a point, the ranges of
// a zoom, and the axis scales kept so that zooming and scrolling can be undone.
#include <vector>

class TChartAxis;
class TChartSeries;

// The chart's input as its tools hear it (HandleMouse, HandleKey, HandleWheel).
enum TToolMouseKind { tmkDown, tmkMove, tmkUp };
// tkkPress carries the character; its key is 0.
enum TToolKeyKind { tkkDown, tkkUp, tkkPress };
// twkTurn carries the wheel's delta; the steps that follow it carry +1 (up) or -1 (down).
enum TToolWheelKind { twkStepDown, twkTurn, twkStepUp };

enum TChartClickedPartStyle {
    cpNone,
    cpLegend,
    cpAxis,
    cpSeries,
    cpTitle,
    cpFoot,
    cpChartRect,
    cpSeriesMarks,
    cpSeriesPointer,
    cpSubTitle,
    cpSubFoot,
    cpAxisTitle
};

struct TChartClickedPart {
    TChartClickedPartStyle Part = cpNone;
    int PointIndex = -1;
    TChartSeries* ASeries = nullptr;
    TChartAxis* AAxis = nullptr;
};

// One axis' range settings before the first zoom or scroll.
struct TAxisSavedScales {
    TChartAxis* Axis = nullptr;
    bool Automatic = true, AutomaticMinimum = true, AutomaticMaximum = true;
    double Minimum = 0, Maximum = 0;
};
using TAllAxisSavedScales = std::vector<TAxisSavedScales>;

struct TZoomRange {
    double Min = 0, Max = 0;
};
// The ranges a zoom gives the four standard axes.
struct TZoomRanges {
    TZoomRange Left, Right, Top, Bottom;
};
