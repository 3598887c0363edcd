#include "chart/core/ChartThemes.h"

#include "chart/core/Chart.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TChartTheme) {}

TChartTheme::TChartTheme(TComponent* chart) : chart_(dynamic_cast<TCustomChart*>(chart)) {}

String TChartTheme::GetDescription() const { return TxtDefault; }
