#pragma once
// Calendar series: one month over the plot, a month title and weekday row above six rows of day
// cells with trailing days of the neighbouring months; "<" and ">" page the months, the title
// opens a month menu and a click on a cell picks its day.
#include <memory>

#include "chart/core/ChartEvents.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartShapes.h"
#include "platform/rtl/DateTime.h"

class TCalendarSeries;
class TPopupMenu;
class TSpeedButton;

class TCalendarCell : public TZebShape {
    TV_CLASS(TCalendarCell, TZebShape)
public:
    // Cells repaint their chart (their parent panel) on every change.
    explicit TCalendarCell(TCustomZebPanel* panel = nullptr) : TZebShape(panel) {}
};

class TCalendarCellUpper : public TCalendarCell {
    TV_CLASS(TCalendarCellUpper, TCalendarCell)
public:
    explicit TCalendarCellUpper(TCustomZebPanel* panel = nullptr, const String& format = String());
    void Assign(TPersistent* source) override;
    const String& Format() const { return format_; }
    void SetFormat(const String& value) { format_ = value; }
    bool UpperCase() const { return upperCase_; }
    void SetUpperCase(bool value) { upperCase_ = value; }
    bool IsFormatStored() const { return format_ != defaultFormat_; }
    String TextOf(TDateTime date) const;

private:
    String format_, defaultFormat_;
    bool upperCase_ = false;
};

using TCalendarChangeEvent = TMethodEvent<void(TObject* Sender, TDateTime NewDate)>;
using TCalendarDrawCellEvent = TMethodEvent<void(TObject* Sender, int Column, int Row, String& Text, bool& Draw)>;

class TCalendarSeries : public TChartSeries, public IChartEventListener {
    TV_CLASS(TCalendarSeries, TChartSeries)
public:
    explicit TCalendarSeries(TComponent* owner);
    ~TCalendarSeries() override;
    void Assign(TPersistent* source) override;

    TDateTime Date() const { return date_; }
    // Raises OnChange before a different date is stored; equal dates do nothing.
    void SetDate(TDateTime value);
    void NextMonth() { SetDate(IncMonth(date_, 1)); }
    void PreviousMonth() { SetDate(IncMonth(date_, -1)); }

    TCalendarCell* Days() const { return days_.get(); }
    void SetDays(TCalendarCell* value) { days_->Assign(value); }
    TCalendarCell* Today() const { return today_.get(); }
    void SetToday(TCalendarCell* value) { today_->Assign(value); }
    TCalendarCell* Sunday() const { return sunday_.get(); }
    void SetSunday(TCalendarCell* value) { sunday_->Assign(value); }
    TCalendarCell* Trailing() const { return trailing_.get(); }
    void SetTrailing(TCalendarCell* value) { trailing_->Assign(value); }
    TCalendarCellUpper* WeekDays() const { return weekDays_.get(); }
    void SetWeekDays(TCalendarCellUpper* value) { weekDays_->Assign(value); }
    TCalendarCellUpper* Months() const { return months_.get(); }
    void SetMonths(TCalendarCellUpper* value) { months_->Assign(value); }
    bool NextButtonVisible() const { return nextVisible_; }
    void SetNextButtonVisible(bool value);
    bool PreviousButtonVisible() const { return previousVisible_; }
    void SetPreviousButtonVisible(bool value);
    const TCalendarChangeEvent& OnChange() const { return onChange_; }
    void SetOnChange(TCalendarChangeEvent value) { onChange_ = std::move(value); }
    const TCalendarDrawCellEvent& OnDrawCell() const { return onDrawCell_; }
    void SetOnDrawCell(TCalendarDrawCellEvent value) { onDrawCell_ = std::move(value); }

    // 0 = Monday; read from the locale's settings at creation.
    int FirstDayOfWeek() const { return firstDayOfWeek_; }
    void SetFirstDayOfWeek(int value) { firstDayOfWeek_ = value; }
    TSpeedButton* NextButton();
    TSpeedButton* PreviousButton();
    TPopupMenu* MonthMenu();
    // The date of the cell under a chart point; false when none.
    bool DateAtPoint(int x, int y, TDateTime& date) const;
    int RowCount() const;
    int FirstDayRow() const;

    void SetActive(bool value) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void DrawVisiblePoints() override;
    int HitTest(int x, int y) override;
    bool DependsOnAxes() const override { return false; }
    int DefaultSampleCount() const override { return 1; }
    // The series draws while it has its one null point; samples put it back.
    void AddRandomPoints(int, bool) override;
    void SetupGalleryPreview() override;
    void HandleChartEvent(TZebEvent& event) override;

private:
    int columnEdge(int k) const;
    int rowEdge(int k) const;
    TRect cellRect(int column, int row) const;
    void drawCell(TCalendarCell& cell, int column, int row, const String& text, bool shape = true);
    void placeButtons();
    void monthPicked(TObject* sender);
    void nextClicked(TObject*) { NextMonth(); }
    void previousClicked(TObject*) { PreviousMonth(); }

    TDateTime date_;
    std::unique_ptr<TCalendarCell> days_, today_, sunday_, trailing_;
    std::unique_ptr<TCalendarCellUpper> weekDays_, months_;
    bool nextVisible_ = true, previousVisible_ = true;
    TCalendarChangeEvent onChange_;
    TCalendarDrawCellEvent onDrawCell_;
    int firstDayOfWeek_ = 0;
    int firstColumn_ = 1, firstRow_ = 3;
    TOwnedPtr<TSpeedButton> next_, previous_;
    TOwnedPtr<TPopupMenu> menu_;
    TCustomAxisPanel* listening_ = nullptr;
};
