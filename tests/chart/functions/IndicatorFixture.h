#pragma once
// Fixtures of the indicator tests: OHLC sources built from price rows, a function run on such a
// source, and a chart with its functions stored in a form-like root and read back.
#include <array>
#include <initializer_list>
#include <vector>

#include "FunctionFixture.h"
#include "chart/series/OHLCSeries.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/support/FormRoot.h"
#include "tests/support/StreamText.h"

class IndicatorTest : public FunctionTest {
protected:
    // (open, high, low, close) per day from X 0.
    TOHLCSeries& ohlc(std::initializer_list<std::array<double, 4>> prices)
    {
        auto* s = new TOHLCSeries(&owner);
        double x = 0;
        for (const auto& [o, h, l, c] : prices) s->AppendOHLC(String(), clAutomatic, x++, o, h, l, c);
        return *s;
    }
    template <class F>
    F* runOn(TChartSeries& src, F* f)
    {
        output->AttachFunction(f);
        output->SetDataSource(&src);
        return f;
    }

    // A stored chart: "Chart1" in root, outputs named by the caller with their functions named
    // after them ("Macd" and "MacdFunction").
    static void addStoredOutput(TFormRoot& root, TChartSeries& prices, const char* name, TZebFunction* f)
    {
        auto* out = new TTestSeries(&root);
        out->SetName(name);
        out->SetParentChart(prices.ParentChart());
        f->SetName(String(name) + "Function");
        out->AttachFunction(f);
        out->SetDataSource(&prices);
    }
    // root through the component stream and back; the outputs named are refilled. text: the
    // stream as text.
    static TOwnedPtr<TFormRoot> storeAndRead(TFormRoot& root, std::initializer_list<const char*> outputs,
                                                  String& text)
    {
        TStringStream stored;
        WriteComponentToStream(stored, &root);
        text = testsupport::toText(stored.DataString());
        TOwnedPtr<TFormRoot> back(new TFormRoot(nullptr));
        TStringStream in(stored.DataString());
        ReadComponentFromStream(in, back.get());
        for (const char* name : outputs)
            if (auto* out = dynamic_cast<TChartSeries*>(back->FindComponent(name))) out->RefreshData();
        return back;
    }
};
