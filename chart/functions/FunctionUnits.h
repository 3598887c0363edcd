#pragma once
// Start and end of the function units: each registers its function types in the galleries on its
// first start and unregisters what it owns on its last end. StartFunctionUnits runs them in the
// units' order; StopFunctionUnits in reverse.
void StartStandardFunctionsUnit();
void StopStandardFunctionsUnit();
void StartStatisticsUnit();
void StopStatisticsUnit();
void StartCurveFittingUnit();
void StopCurveFittingUnit();
void StartCountUnit();
void StopCountUnit();
void StartCumulativeUnit();
void StopCumulativeUnit();
void StartDownSamplingUnit();
void StopDownSamplingUnit();
void StartHistogramFunctionUnit();
void StopHistogramFunctionUnit();

void StartFunctionUnits();
void StopFunctionUnits();
