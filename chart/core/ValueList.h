#pragma once
// TChartValueList: one numeric column of a series (X, Y or an extra value kind). Values keep an
// order rule on insert; lowest, highest, sum and absolute sum are cached. Appends in order update
// the cache in place, so a streaming chart that asks for its range every paint pays O(1) per
// point; any other change marks the cache stale and the next read recomputes it in one pass.
#include <iterator>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/rtl/Types.h"

class TChartSeries;
class TFiler;
class TReader;

enum TChartListOrder { loNone, loAscending, loDescending };
inline constexpr const char* TChartListOrderNames[] = {"loNone", "loAscending", "loDescending"};
static_assert(std::size(TChartListOrderNames) == loDescending + 1);

// Entries by which the reported capacity grows when an insert finds it full. A bulk fill may
// raise it for its duration.
extern int ValueListGrowthStep;

class TChartValueList : public TPersistent {
    TV_CLASS(TChartValueList, TPersistent)
public:
    // A list made with an owner joins the owner's value lists, which free it.
    explicit TChartValueList(TChartSeries* owner = nullptr, const String& name = String());
    ~TChartValueList() override;
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    // Copies Order, DateTime and ValueSource; values, name and owner stay.
    void Assign(TPersistent* source) override;

    // ---- published ----
    bool DateTime() const { return dateTime_; }
    void SetDateTime(bool value);
    const String& Name() const { return name_; }
    void SetName(const String& value) { name_ = value; }
    TChartListOrder Order() const { return order_; }
    void SetOrder(TChartListOrder value) { order_ = value; }
    const String& ValueSource() const { return valueSource_; }
    void SetValueSource(const String& value);
    bool IsDateTimeStored() const { return dateTime_ != defaultDateTime_; }

    TChartSeries* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(values_.size()); }
    // Grows by ValueListGrowthStep whenever an insert finds it full; the storage behind it grows
    // geometrically, so no insert copies the whole column every step.
    int Capacity() const { return capacity_; }
    // Kept out of the editor's data grid.
    bool Hidden() const { return hidden_; }
    void SetHidden(bool value) { hidden_ = value; }
    // The statistics are stale (or changed since last read).
    bool Modified() const { return modified_; }
    // DateTime and the default it is stored against.
    void InitDateTime(bool value);

    // ---- values; indexes are the caller's to keep in range ----
    double ValueAt(int index) const { return values_[static_cast<size_t>(index)]; }
    double operator[](int index) const { return ValueAt(index); }
    double FirstEntry() const { return values_.front(); }
    double LastEntry() const { return values_.back(); }
    const double* Values() const { return values_.data(); }
    void SetValueAt(int index, double value);

    // The value the next ordered insert places; a series sets it on every list before a point.
    double PendingValue() const { return pendingValue_; }
    void SetPendingValue(double value) { pendingValue_ = value; }
    // Ordered insert of value; the index it landed at.
    virtual int AddInOrder(double value);
    int InsertPendingValue();
    virtual void InsertAt(int index, double value);
    virtual void RemoveAt(int index) { RemoveRange(index, 1); }
    void RemoveRange(int start, int count);
    // Empties the list and releases the storage without telling the owner.
    virtual void RemoveAll();
    void SwapValues(int a, int b);
    void FillWithIndexes();
    // The owner's points sorted by this list's Order (equal values keep their order).
    void SortPoints();
    // The first value goes last; the statistics stay as they are.
    virtual void RotateFirstToEnd();
    void SetDirty(bool value);

    // ---- statistics; non-finite values are left out of lowest and highest ----
    double Highest();
    double Lowest();
    double Sum();
    double AbsSum();
    // Replaces the cached absolute total until the values change (a pie's grouped slices count
    // once, in its other slice).
    void OverrideAbsSum(double value);
    double Spread() { return Highest() - Lowest(); }
    void RecomputeAllStats();

    int IndexOfValue(double value) const { return IndexOfValue(value, 0, Count() - 1); }
    // Searches first .. last, both inclusive.
    int IndexOfValue(double value, int first, int last) const;

protected:
    void DefineProperties(TFiler& filer) override;

private:
    void growFor(int count);
    void noteAppended(double value);
    void statsChanged();
    void ensureStats();
    void readMultiplier(TReader& reader);

    TChartSeries* owner_ = nullptr;
    String name_;
    String valueSource_;
    std::vector<double> values_;
    int capacity_ = 0;
    double pendingValue_ = 0;
    double lowest_ = 0, highest_ = 0, total_ = 0, absTotal_ = 0;
    bool anyFinite_ = false;  // lowest_ and highest_ come from a finite value
    TChartListOrder order_ = loNone;
    bool dateTime_ = false;
    bool defaultDateTime_ = false;
    bool modified_ = true;
    bool statsStale_ = true;
    bool hidden_ = false;
};
