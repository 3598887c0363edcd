#include "chart/core/EngineCoreUnit.h"

#include <vector>

#include "chart/core/AxisShapes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartShapes.h"
#include "chart/core/PictureComponent.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/SeriesSource.h"
#include "chart/core/ZebFunction.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Control.h"
#include "chart/core/UnitStarts.h"

namespace {

TUnitStarts starts;

// The classes stored charts name.
std::vector<const TMetaClass*> storedClasses()
{
    return {&TChartAxisTitle::StaticClass(), &TChartAxis::StaticClass(),    &TChartDepthAxis::StaticClass(),
            &TSeriesMarks::StaticClass(),    &TThemedSeries::StaticClass(), &TZebPictureComponent::StaticClass()};
}

}  // namespace

void StartEngineCoreUnit()
{
    if (!starts.First()) return;
    StartClassGroup(TControl::StaticClass());
    ActivateClassGroup(TControl::StaticClass());
    for (const TMetaClass* cls :
         {&TCustomChartElement::StaticClass(), &TZebFunction::StaticClass(), &TZebSeriesSource::StaticClass(),
          &TZebCustomShapeBrushPen::StaticClass(), &TChartAxis::StaticClass()})
        GroupDescendentsWith(*cls, TControl::StaticClass());
    for (const TMetaClass* cls : storedClasses()) RegisterClass(*cls);
}

void StopEngineCoreUnit()
{
    if (!starts.Last()) return;
    SeriesSourceClassList().clear();
    for (const TMetaClass* cls : storedClasses()) UnRegisterClass(*cls);
}

int EngineCoreUnitStarts() { return starts.count; }
