#include "chart/core/EngineStartup.h"

#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/FilterStartup.h"
#include "chart/core/ChartUnit.h"
#include "chart/core/EngineCoreUnit.h"
#include "chart/core/GdiPlusSettings.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/core/ZebProcs.h"
#include "chart/core/ZebSpline.h"
#include "platform/rtl/Convert.h"
#include "chart/core/UnitStarts.h"

namespace {
TFilterTexts filterTexts()
{
    TFilterTexts t;
    t.Invert = &TxtInvert;
    t.GrayScale = &TxtGrayScale;
    t.Mosaic = &TxtMosaic;
    t.Flip = &TxtFlip;
    t.Reverse = &TxtReverse;
    t.Brightness = &TxtBrightness;
    t.Contrast = &TxtContrast;
    t.Color = &TxtColor;
    t.ColorReplacer = &TxtColorReplacer;
    t.HueLumSat = &TxtHueLumSat;
    t.Blur = &TxtBlur;
    t.Sharpen = &TxtSharpen;
    t.GammaCorrection = &TxtGammaCorrection;
    t.Emboss = &TxtEmboss;
    t.Antialias = &TxtAntialias;
    t.Crop = &TxtCrop;
    t.Resize = &TxtResize;
    t.Rotate = &TxtRotate;
    t.Mirror = &TxtMirror;
    t.Tile = &TxtTile;
    t.Bevel = &TxtBevel;
    t.Equalize = &TxtEqualize;
    t.Zoom = &TxtZoom;
    t.Sobel = &TxtSobel;
    t.Sepia = &TxtSepia;
    return t;
}

TUnitStarts engineStarts;
}  // namespace

void StartChartEngine()
{
    if (!engineStarts.First()) return;
    StartMessageTexts();
    StartExtendedTexts();
    StartEngineRoutines();
    StartEngineCoreUnit();
    StartChartUnit();
    StartCanvasUnit(TxtArial, StrToIntDef(Txt8, 8));
    StartFilterUnit(filterTexts());
    StartGdiPlusUnit();
    StartSplineUnit();
}

void StopChartEngine()
{
    if (!engineStarts.Last()) return;
    StopSplineUnit();
    StopGdiPlusUnit();
    StopFilterUnit();
    StopCanvasUnit();
    StopChartUnit();
    StopEngineCoreUnit();
    StopEngineRoutines();
    StopExtendedTexts();
    StopMessageTexts();
}
