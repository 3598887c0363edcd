#pragma once
// The metaclass of a function type whose option form is not the base's, so that the gallery and the
// function page find the form's name without an instance.
#include "chart/core/ZebFunction.h"

template <const char* FormName>
class TFunctionWithForm : public TZebFunctionClass {
public:
    using TZebFunctionClass::TZebFunctionClass;
    String EditorFormClassName() const override { return FormName; }
};

// Sample charts: the output series on the right vertical axis, beside its source.
inline void OutputOnRightAxis(TZebFunction& function)
{
    if (TChartSeries* output = function.OutputSeries()) output->SetVertAxis(aRightAxis);
}
