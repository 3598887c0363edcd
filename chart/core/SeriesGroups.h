#pragma once
// Named groups of a chart's series. A group shows or hides its members together; its stored
// "Series" are the members' positions in the chart's series list, turned back into series once
// the chart has loaded.
#include <iterator>
#include <memory>
#include <vector>

#include "chart/core/SeriesLists.h"
#include "platform/classes/Collection.h"

class TCustomAxisPanel;
class TReader;
class TSeriesGroups;
class TWriter;

enum TSeriesGroupActive { gaYes, gaNo, gaSome };
inline constexpr const char* TSeriesGroupActiveNames[] = {"gaYes", "gaNo", "gaSome"};
static_assert(std::size(TSeriesGroupActiveNames) == gaSome + 1);

class TSeriesGroup : public TCollectionItem {
    TV_CLASS(TSeriesGroup, TCollectionItem)
public:
    // Named "Group" and the collection's count.
    explicit TSeriesGroup(TCollection* collection);
    void Assign(TPersistent* source) override;

    const String& Name() const { return name_; }
    void SetName(const String& value) { name_ = value; }
    String DisplayName() const override { return name_; }
    // gaYes when every member is active (also without members), gaNo when none is.
    TSeriesGroupActive Active() const;
    // gaYes activates, gaNo deactivates every member; gaSome changes nothing.
    void SetActive(TSeriesGroupActive value);
    void Hide() { SetActive(gaNo); }
    TCustomSeriesList& Series() { return series_; }
    const TCustomSeriesList& Series() const { return series_; }
    void AppendSeries(TChartSeries* series) { series_.AppendSeries(series); }

    // Positions read from a stream, waiting for the chart's series (null when none were read).
    std::unique_ptr<std::vector<String>>& StoredPositions() { return storedPositions_; }
    // Members from the stored positions: a position outside the chart's series is skipped; a text
    // that is no number raises the conversion error. The stored texts go either way.
    void RebuildFromStored(const TCustomAxisPanel& chart);

protected:
    void DefineProperties(TFiler& filer) override;

private:
    void readSeries(TReader& reader);
    void writeSeries(TWriter& writer);
    TCustomAxisPanel* chart() const;

    String name_;
    TCustomSeriesList series_;
    std::unique_ptr<std::vector<String>> storedPositions_;
};

class TSeriesGroups : public TCollection {
    TV_CLASS(TSeriesGroups, TCollection)
public:
    explicit TSeriesGroups(TCustomAxisPanel* chart);
    ~TSeriesGroups() override;

    TCustomAxisPanel* Chart() const { return chart_; }
    TSeriesGroup* GetGroup(int index) const { return static_cast<TSeriesGroup*>(Items(index)); }
    TSeriesGroup* AddGroup() { return static_cast<TSeriesGroup*>(Add()); }
    // The first group holding series; -1 when none does.
    int IndexOfSeries(const TChartSeries* series) const;

protected:
    TPersistent* GetOwner() const override;

private:
    TCustomAxisPanel* chart_;
};
