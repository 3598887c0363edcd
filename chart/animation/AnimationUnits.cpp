#include "chart/animation/AnimationUnits.h"

#include "chart/animation/AnimationTools.h"
#include "chart/animation/ChartAnimations.h"
#include "chart/animation/DragTools.h"
#include "chart/animation/PropertyAnimations.h"
#include "chart/animation/ZebAnimations.h"
#include "chart/animation/ZebAnimate.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Control.h"

namespace {
TUnitStarts starts;
}  // namespace

void StartAnimationUnits()
{
    if (!starts.First()) return;
    GroupDescendentsWith(TCustomZebPanelLink::StaticClass(), TControl::StaticClass());
    GroupDescendentsWith(TZebAnimation::StaticClass(), TControl::StaticClass());
    RegisterClass(TZebAnimate::StaticClass());
    for (const TMetaClass* cls : {&TNumberAnimation::StaticClass(), &TColorsAnimation::StaticClass(),
                                  &TToggleAnimation::StaticClass(), &TSinusAnimation::StaticClass(),
                                  &TPlaySoundAnimation::StaticClass()})
        RegisterAnimationClass(*cls);
    RegisterAnimationTypes({&TExpandAnimation::StaticClass(), &TZebAnimationTool::StaticClass(),
                            &TSeriesAnimationTool::StaticClass()});
    for (const TMetaClass* cls :
         {&TCustomExpandAnimation::StaticClass(), &TTransformAnimation::StaticClass(), &TSeriesAnimation::StaticClass(),
          &TRotate3DAnimation::StaticClass(), &TRandomPointsAnimation::StaticClass(), &TLineAnimation::StaticClass(),
          &TSeriesTransitionAnimation::StaticClass()})
        RegisterAnimationClass(*cls);
    RegisterToolTypes({&TDragPointTool::StaticClass(), &TGanttTool::StaticClass(), &TPieTool::StaticClass()});
}

void StopAnimationUnits()
{
    if (!starts.Last()) return;
    UnregisterToolTypes({&TDragPointTool::StaticClass(), &TGanttTool::StaticClass(), &TPieTool::StaticClass()});
    UnregisterAnimationTypes({&TExpandAnimation::StaticClass(), &TZebAnimationTool::StaticClass(),
                              &TSeriesAnimationTool::StaticClass()});
    FreeAnimationTimer();
    FreeAnimationClassNames();
    MacroFolder().clear();
}
