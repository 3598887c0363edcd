#pragma once
// Lists of series (a chart's series, a series' linked and detail series) and of a series' data
// sources. None of them owns its entries except the detail list, which frees its sub-series.
#include <vector>

#include "platform/rtl/Types.h"

class TChartSeries;
class TComponent;
class TStrings;
class TCustomAxisPanel;

class TCustomSeriesList {
public:
    TCustomSeriesList() = default;
    virtual ~TCustomSeriesList() = default;
    TCustomSeriesList(const TCustomSeriesList&) = delete;
    TCustomSeriesList& operator=(const TCustomSeriesList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // index in range: the caller's to keep.
    TChartSeries* GetSeriesAt(int index) const { return items_[static_cast<size_t>(index)]; }
    void SetSeriesAt(int index, TChartSeries* series) { items_[static_cast<size_t>(index)] = series; }
    void AppendSeries(TChartSeries* series) { items_.push_back(series); }
    int IndexOf(const TChartSeries* series) const;
    bool Contains(const TChartSeries* series) const { return IndexOf(series) >= 0; }
    void Insert(int index, TChartSeries* series) { items_.insert(items_.begin() + index, series); }
    // Grows with empty entries up to index first.
    void InsertAt(int index, TChartSeries* series);
    void Delete(int index) { items_.erase(items_.begin() + index); }
    // Removes series when listed; its former index or -1.
    int Remove(const TChartSeries* series);
    void Exchange(int a, int b);
    void Clear() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<TChartSeries*> items_;
};

// A chart's series in drawing and legend order.
class TChartSeriesList : public TCustomSeriesList {
public:
    TChartSeries* GetLastSeries() const { return Count() ? GetSeriesAt(Count() - 1) : nullptr; }
    // The last active series with a point at (x, y): drawn on top. None and -1 otherwise.
    TChartSeries* SeriesAtPoint(int x, int y, int& index) const;
    bool IsEverySeriesActive() const;
    void SetEverySeriesActive(bool value) const;
    void ClearAllPoints() const;
    void FillAllWithSamples(int count) const;
};

// One sub-series per point of a master series; aggregated into the master's main values.
enum TSeriesDetailAggregate { daSum, daCount, daAverage, daMin, daMax };

class TSeriesDetail : public TCustomSeriesList {
public:
    explicit TSeriesDetail(TChartSeries* owner) : owner_(owner) {}
    // Frees the sub-series.
    ~TSeriesDetail() override;
    TChartSeries* Owner() const { return owner_; }
    TSeriesDetailAggregate Aggregate() const { return aggregate_; }
    // Rebuilds the owner's points from its sub-series.
    void SetAggregate(TSeriesDetailAggregate value);
    void Rebuild();
    // Frees the sub-series of the entries that exist in start .. start+count-1.
    void DeleteRange(int start, int count);
    void Swap(int a, int b);

private:
    TChartSeries* owner_;
    TSeriesDetailAggregate aggregate_ = daSum;
};

// The components that feed one series, the first being its DataSource.
class TDataSourcesList {
public:
    explicit TDataSourcesList(TChartSeries* owner) : owner_(owner) {}

    int Count() const { return static_cast<int>(items_.size()); }
    TComponent* Items(int index) const { return items_[static_cast<size_t>(index)]; }
    int IndexOf(const TComponent* component) const;
    // Validated and linked beside the present ones; its position, -1 when it was listed already.
    int AddSource(TComponent* component);
    // The series leaves its source series' linked lists, and loses its points unless they were
    // entered by hand.
    void Clear();

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    friend class TChartSeries;
    TChartSeries* owner_;
    std::vector<TComponent*> items_;
};

// Adds, inside one update of strings, every series of list that editors show (ShowInEditor, not
// internal) with the series as object: its cleaned title or name with useTitles, else its Name.
void FillSeriesNames(TStrings& strings, const TCustomSeriesList& list, bool useTitles);
