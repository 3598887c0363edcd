#pragma once
// The extra lines a calculation function draws beside its output (an indicator's signal line, its
// lower band). Each is a component of the function, so it goes with the function; marked internal,
// the chart keeps it out of its legend, its editors and its stored children, and a stored chart
// holds each line once: the function makes its lines again when it is read.
#include <cstddef>
#include <vector>

class TChartSeries;
class TComponent;

// Out of the legend and the editors, internal.
void HideOwnedSeries(TChartSeries& series);
// The output's chart, vertical axis (custom one included), date-time flag of X and draw events;
// with horizontalAxes also its horizontal axis.
void FollowOutputSeries(TChartSeries& owned, const TChartSeries& output, bool horizontalAxes = false);

class TOwnedSeriesList {
public:
    // series is a component of the function; it is hidden at once.
    template <class S>
    S* Add(S* series)
    {
        add(series);
        return series;
    }
    int Count() const { return static_cast<int>(items_.size()); }
    TChartSeries* At(int index) const { return items_[static_cast<std::size_t>(index)]; }
    // Before a refill: every line follows the output.
    void FollowOutput(const TChartSeries& output, bool horizontalAxes = false);
    // With the output: every line is emptied.
    void EmptyAll();
    // A line freed by someone else (the chart it was drawn in) is no longer the function's.
    void Forget(const TComponent* component);

private:
    void add(TChartSeries* series);

    std::vector<TChartSeries*> items_;
};
