#pragma once
// A source and an output series owned by the test, the function attached to the output and fed
// by the source.
#include <initializer_list>
#include <vector>

#include "SeriesFixtures.h"

class FunctionTest : public ChartCoreSuite {
protected:
    TComponent owner{nullptr};
    TTestSeries* source = new TTestSeries(&owner);
    TTestSeries* output = new TTestSeries(&owner);

    // Y values at X = 0, 1, 2, ...
    void fillY(std::initializer_list<double> ys)
    {
        for (const double y : ys) source->AppendValue(y);
    }
    template <class F>
    F* run(F* f)
    {
        output->AttachFunction(f);
        output->SetDataSource(source);
        return f;
    }
    std::vector<double> ys() const { return valuesOf(output->YValues()); }
    std::vector<double> xs() const { return valuesOf(output->XValues()); }
};

// Equal within what the computation in doubles loses.
inline void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected, double tolerance = 1e-9)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "at " << i;
}
