#include <gtest/gtest.h>

#include <string>

#include "FunctionFixture.h"
#include "chart/functions/StandardFunctions.h"

namespace {
using Values = std::vector<double>;

class StandardFunctions : public FunctionTest {};

// One period over the whole source: each function's result over the values.
TEST_F(StandardFunctions, ResultOverTheCollectedValues)
{
    struct Case {
        std::string what;
        TZebFunction* (*make)(TComponent*);
        Values values;
        double expected;
    };
    const Case cases[] = {
        {"divide skips zeros", [](TComponent* o) -> TZebFunction* { return new TDivideZebFunction(o); }, {10, 0, 2}, 5},
        {"divide of 0 alone", [](TComponent* o) -> TZebFunction* { return new TDivideZebFunction(o); }, {0}, 0},
        {"subtract", [](TComponent* o) -> TZebFunction* { return new TSubtractZebFunction(o); }, {10, 3, 2}, 5},
        {"multiply", [](TComponent* o) -> TZebFunction* { return new TMultiplyZebFunction(o); }, {2, 3, 4}, 24},
        {"add", [](TComponent* o) -> TZebFunction* { return new TAddZebFunction(o); }, {2, 3, 4}, 9},
        {"median even", [](TComponent* o) -> TZebFunction* { return new TMedianZebFunction(o); }, {1, 3, 7, 9}, 5},
        {"median odd", [](TComponent* o) -> TZebFunction* { return new TMedianZebFunction(o); }, {4, 1, 9}, 4},
        {"mode", [](TComponent* o) -> TZebFunction* { return new TModeZebFunction(o); }, {2, 2, 5, 5, 7}, 2},
        {"mode all distinct", [](TComponent* o) -> TZebFunction* { return new TModeZebFunction(o); }, {3, 1, 2}, 1},
        {"low", [](TComponent* o) -> TZebFunction* { return new TLowZebFunction(o); }, {3, -1, 2}, -1},
        {"average", [](TComponent* o) -> TZebFunction* { return new TAverageZebFunction(o); }, {1, 2, 6}, 3},
    };
    for (const Case& c : cases) {
        TComponent scope(nullptr);
        auto* src = new TTestSeries(&scope);
        auto* out = new TTestSeries(&scope);
        for (const double v : c.values) src->AppendValue(v);
        out->AttachFunction(c.make(&scope));
        out->SetDataSource(src);
        ASSERT_EQ(out->Count(), 1) << c.what;
        EXPECT_EQ(out->GetPointY(0), c.expected) << c.what;
    }
}

TEST_F(StandardFunctions, MedianOfAnEmptyPeriodIsZero)
{
    fillY({4, 8});
    source->SetPointNull(0, true);
    source->SetPointNull(1, true);
    auto* f = run(new TMedianZebFunction(&owner));
    f->SetIncludeNulls(false);
    f->SetPeriod(2);
    EXPECT_EQ(ys(), Values{0});
}

TEST_F(StandardFunctions, ParetoIsTheCumulativePercentOfAbsoluteValues)
{
    fillY({5, -3, 2});
    run(new TParetoZebFunction(&owner));
    ExpectNear(ys(), {50, 80, 100});
    EXPECT_EQ(xs(), (Values{0, 1, 2}));
}

TEST_F(StandardFunctions, SubsetCopiesTheXRange)
{
    for (int x = 1; x <= 5; ++x) source->InsertXY(x, x * 10);
    auto* f = run(new TSubsetZebFunction(&owner));
    EXPECT_FALSE(f->UsesPeriod);
    f->SetStartValue(2);
    f->SetEndValue(4);
    EXPECT_EQ(xs(), (Values{2, 3, 4}));
    EXPECT_EQ(ys(), (Values{20, 30, 40}));
}

TEST_F(StandardFunctions, CustomHandlerGetsThePreviousY)
{
    auto* f = new TCustomZebFunction(&owner);
    EXPECT_TRUE(f->NeedsNoSource);
    f->SetNumPoints(4);
    f->SetStartX(10);
    output->AttachFunction(f);
    EXPECT_EQ(output->Count(), 0) << "without a handler no points";
    std::vector<int> indexes;
    f->SetOnCalculate(TCalculateEvent([&](TCustomZebFunction* sender, double x, double& y) {
        indexes.push_back(sender->CurrentIndex());
        if (x == 11) y = 7;
    }));
    f->SetPeriod(1);
    output->RefreshData();
    EXPECT_EQ(xs(), (Values{10, 11, 12, 13}));
    EXPECT_EQ(ys(), (Values{0, 7, 7, 7}));
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(f->CurrentIndex(), -1);
}

TEST_F(StandardFunctions, WholeSourceHighWithAndWithoutNulls)
{
    fillY({1, 9, 4});
    source->SetPointNull(1, true);
    auto* f = run(new THighZebFunction(&owner));
    EXPECT_EQ(ys(), Values{9}) << "the value stored at a null point counts";
    f->SetIncludeNulls(false);
    EXPECT_EQ(ys(), Values{4});
}

TEST_F(StandardFunctions, TwoSourcesByIndexAndByX)
{
    auto* other = new TTestSeries(&owner);
    for (const double x : {0.0, 1.0, 2.0}) source->InsertXY(x, 10 + x);
    for (const double x : {1.0, 2.0, 3.0}) other->InsertXY(x, 1);
    struct Case {
        bool subtract;
        bool byX;
        Values x, y;
    };
    const Case cases[] = {
        {false, false, {0, 1, 2}, {11, 12, 13}},
        {true, false, {0, 1, 2}, {9, 10, 11}},
        // By X only 1 and 2 are in both; the others are null points holding one source's value.
        {false, true, {0, 1, 2, 3}, {10, 12, 13, 1}},
        {true, true, {0, 1, 2, 3}, {10, 10, 11, 1}},
    };
    for (const Case& c : cases) {
        TComponent scope(nullptr);
        auto* out = new TTestSeries(&scope);
        TZebFunction* f = c.subtract ? static_cast<TZebFunction*>(new TSubtractZebFunction(&scope))
                                     : new TAddZebFunction(&scope);
        f->SetCalcByValue(c.byX);
        out->AttachFunction(f);
        out->DataSources().AddSource(source);
        out->DataSources().AddSource(other);
        out->RefreshData();
        EXPECT_EQ(valuesOf(out->XValues()), c.x) << c.subtract << c.byX;
        EXPECT_EQ(valuesOf(out->YValues()), c.y) << c.subtract << c.byX;
    }
}

TEST_F(StandardFunctions, EditorFormsAndStoredSettings)
{
    EXPECT_EQ(EditorFormClassNameOfFunction(TAverageZebFunction::StaticClass()), "TAverageFuncEditor");
    EXPECT_EQ(EditorFormClassNameOfFunction(TCustomZebFunction::StaticClass()), "TCustomFunctionEditor");
    EXPECT_EQ(EditorFormClassNameOfFunction(TSubsetZebFunction::StaticClass()), "TSubsetFuncEditor");
    EXPECT_EQ(EditorFormClassNameOfFunction(TMedianZebFunction::StaticClass()), "TZebFunctionEditor");
    EXPECT_EQ(TParetoZebFunction(nullptr).Period(), 1);
}
}  // namespace
