#pragma once
// TChartPage: a chart's paging settings. With MaxPointsPerPage above 0 the independent axis shows
// one page of points at a time; pages are counted on the axes of the first series' orientation.
#include "chart/core/ChartEvents.h"
#include "platform/classes/Persistent.h"

class TChartAxis;
class TCustomAxisPanel;

// Broadcast to a chart's listeners when the page or the page size changed.
class TChartChangePage : public TZebEvent {};

class TChartPage : public TPersistent {
    TV_CLASS(TChartPage, TPersistent)
public:
    explicit TChartPage(TCustomAxisPanel* chart) : chart_(chart) {}
    // The four values, without repaint or events.
    void Assign(TPersistent* source) override;

    TCustomAxisPanel* Chart() const { return chart_; }
    bool AutoScale() const { return autoScale_; }
    void SetAutoScale(bool value);
    // 1-based; kept within 1 .. page count.
    int Current() const { return current_; }
    void SetCurrent(int value);
    // 0: no paging. ChartException for a negative value.
    int MaxPointsPerPage() const { return maxPointsPerPage_; }
    void SetMaxPointsPerPage(int value);
    bool ScaleLastPage() const { return scaleLastPage_; }
    void SetScaleLastPage(bool value);

    int GetPageCount() const;
    // The most points of an active series bound to axis, in pages; at least 1.
    int PagesOfAxis(const TChartAxis* axis) const;
    void NextPage();
    void PreviousPage();
    int GetFirstPointIndex() const { return (current_ - 1) * maxPointsPerPage_; }
    // The point indexes of the current page among count points: -1, -1 without points, every
    // point without paging; past the last page, the last full page.
    void PageRange(int count, int& first, int& last) const;

protected:
    TPersistent* GetOwner() const override;

private:
    void change(bool& field, bool value);
    void pageChanged();

    TCustomAxisPanel* chart_;
    bool autoScale_ = false;
    int current_ = 1;
    int maxPointsPerPage_ = 0;
    bool scaleLastPage_ = true;
};
