#include "chart/series_ext/shapes/CalendarSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "platform/classes/Published.h"
#include "platform/forms/Menus.h"
#include "platform/forms/SpeedButton.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Strings.h"

namespace {

class TCalendarSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TCalendarSeriesEditor"; }
};

constexpr int Columns = 7;

}  // namespace

TV_PUBLISHED(TCalendarCell) {}

TV_PUBLISHED(TCalendarCellUpper)
{
    Prop("Format", &TCalendarCellUpper::Format, &TCalendarCellUpper::SetFormat).NoDefault().Stored(&TCalendarCellUpper::IsFormatStored);
    Prop("UpperCase", &TCalendarCellUpper::UpperCase, &TCalendarCellUpper::SetUpperCase, false);
}

TV_PUBLISHED_AS(TCalendarSeries, TCalendarSeriesClass)
{
    Prop("Date", &TCalendarSeries::Date, &TCalendarSeries::SetDate).NoDefault();
    Prop("Days", &TCalendarSeries::Days, &TCalendarSeries::SetDays);
    Prop("Months", &TCalendarSeries::Months, &TCalendarSeries::SetMonths);
    Prop("NextButtonVisible", &TCalendarSeries::NextButtonVisible, &TCalendarSeries::SetNextButtonVisible, true);
    Prop("PreviousButtonVisible", &TCalendarSeries::PreviousButtonVisible, &TCalendarSeries::SetPreviousButtonVisible, true);
    Prop("Sunday", &TCalendarSeries::Sunday, &TCalendarSeries::SetSunday);
    Prop("Today", &TCalendarSeries::Today, &TCalendarSeries::SetToday);
    Prop("Trailing", &TCalendarSeries::Trailing, &TCalendarSeries::SetTrailing);
    Prop("WeekDays", &TCalendarSeries::WeekDays, &TCalendarSeries::SetWeekDays);
    Prop("OnChange", &TCalendarSeries::OnChange, &TCalendarSeries::SetOnChange);
    Prop("OnDrawCell", &TCalendarSeries::OnDrawCell, &TCalendarSeries::SetOnDrawCell);
}

// ---- cells ----

TCalendarCellUpper::TCalendarCellUpper(TCustomZebPanel* panel, const String& format)
    : TCalendarCell(panel), format_(format), defaultFormat_(format)
{
}

void TCalendarCellUpper::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCalendarCellUpper*>(source)) {
        format_ = s->format_;
        upperCase_ = s->upperCase_;
    }
    TCalendarCell::Assign(source);
}

String TCalendarCellUpper::TextOf(TDateTime date) const
{
    const String text = FormatDateTime(format_, date);
    return upperCase_ ? ::UpperCase(text) : text;
}

// ---- series ----

TCalendarSeries::TCalendarSeries(TComponent* owner)
    : TChartSeries(owner),
      date_(::Date()),
      days_(std::make_unique<TCalendarCell>()),
      today_(std::make_unique<TCalendarCell>()),
      sunday_(std::make_unique<TCalendarCell>()),
      trailing_(std::make_unique<TCalendarCell>()),
      weekDays_(std::make_unique<TCalendarCellUpper>(nullptr, "ddd")),
      months_(std::make_unique<TCalendarCellUpper>(nullptr, "mmmm, yyyy")),
      firstDayOfWeek_(FormatSettings.FirstDayOfWeek)
{
    days_->PresetTransparent(true);
    for (TCalendarCell* cell : {today_.get(), sunday_.get()}) {
        cell->Shadow()->InitDefaults(cell->Shadow()->Visible(), cell->Shadow()->Color(), 0);
        cell->Font()->SetColor(clWhite);
        cell->SetColor(clAutomatic);
    }
    trailing_->PresetTransparent(true);
    trailing_->Font()->SetColor(static_cast<TColor>(0x808080));
    weekDays_->Pen()->InitVisible(false);
    months_->PresetTransparent(true);
    SetScanVisibleRange(false);
    SetShowInLegend(false);
    AppendNull();
}

TCalendarSeries::~TCalendarSeries()
{
    if (listening_) listening_->RemoveListener(this);
}

void TCalendarSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCalendarSeries*>(source)) {
        date_ = s->date_;
        days_->Assign(s->days_.get());
        today_->Assign(s->today_.get());
        sunday_->Assign(s->sunday_.get());
        trailing_->Assign(s->trailing_.get());
        weekDays_->Assign(s->weekDays_.get());
        months_->Assign(s->months_.get());
        nextVisible_ = s->nextVisible_;
        previousVisible_ = s->previousVisible_;
    }
    TChartSeries::Assign(source);
}

void TCalendarSeries::SetDate(TDateTime value)
{
    if (value == date_) return;
    // A date outside the encodable calendar leaves the current one.
    Word y = 0, m = 0, d = 0;
    TDateTime check;
    DecodeDate(value, y, m, d);
    if (!TryEncodeDate(y, m, d, check) || std::floor(check) != std::floor(value)) return;
    if (onChange_) onChange_(this, value);
    date_ = value;
    InvalidateChart();
}

void TCalendarSeries::SetNextButtonVisible(bool value)
{
    nextVisible_ = value;
    placeButtons();
}

void TCalendarSeries::SetPreviousButtonVisible(bool value)
{
    previousVisible_ = value;
    placeButtons();
}

TSpeedButton* TCalendarSeries::NextButton()
{
    if (!next_ && ParentChart()) {
        next_.reset(new TSpeedButton(nullptr));
        next_->SetFlat(true);
        next_->SetCaption(">");
        next_->SetBounds(30, 6, 20, 20);
        next_->SetOnClick(TNotifyEvent(this, &TCalendarSeries::nextClicked));
        next_->SetParent(ParentChart());
    }
    return next_.get();
}

TSpeedButton* TCalendarSeries::PreviousButton()
{
    if (!previous_ && ParentChart()) {
        previous_.reset(new TSpeedButton(nullptr));
        previous_->SetFlat(true);
        previous_->SetCaption("<");
        previous_->SetBounds(6, 6, 20, 20);
        previous_->SetOnClick(TNotifyEvent(this, &TCalendarSeries::previousClicked));
        previous_->SetParent(ParentChart());
    }
    return previous_.get();
}

void TCalendarSeries::placeButtons()
{
    if (TSpeedButton* b = NextButton()) b->SetVisible(Active() && nextVisible_);
    if (TSpeedButton* b = PreviousButton()) b->SetVisible(Active() && previousVisible_);
}

TPopupMenu* TCalendarSeries::MonthMenu()
{
    if (!menu_) {
        menu_.reset(new TPopupMenu(nullptr));
        for (int m = 0; m < 12; ++m) {
            auto* item = new TMenuItem(menu_.get());
            item->SetCaption(FormatSettings.LongMonthNames[m]);
            item->SetTag(m + 1);
            item->SetOnClick(TNotifyEvent(this, &TCalendarSeries::monthPicked));
            menu_->Items()->Add(item);
        }
    }
    return menu_.get();
}

void TCalendarSeries::monthPicked(TObject* sender)
{
    const auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    Word y = 0, m = 0, d = 0;
    DecodeDate(date_, y, m, d);
    const Word month = static_cast<Word>(item->Tag());
    SetDate(EncodeDate(y, month, std::min<Word>(d, DaysInAMonth(y, month))));
}

void TCalendarSeries::SetActive(bool value)
{
    TChartSeries::SetActive(value);
    if (next_) next_->SetVisible(value && nextVisible_);
    if (previous_) previous_->SetVisible(value && previousVisible_);
}

void TCalendarSeries::SetParentChart(TCustomAxisPanel* value)
{
    if (listening_) listening_->RemoveListener(this);
    listening_ = nullptr;
    TChartSeries::SetParentChart(value);
    if (IsDestroying()) return;
    for (TZebCustomShape* cell : {static_cast<TZebCustomShape*>(days_.get()), static_cast<TZebCustomShape*>(today_.get()),
                                  static_cast<TZebCustomShape*>(sunday_.get()), static_cast<TZebCustomShape*>(trailing_.get()),
                                  static_cast<TZebCustomShape*>(weekDays_.get()), static_cast<TZebCustomShape*>(months_.get())})
        cell->SetParentPanel(value);
    next_.reset();
    previous_.reset();
    if (!value) return;
    value->AddListener(this);
    listening_ = value;
    placeButtons();
    if (today_->Color() == clAutomatic) today_->SetColor(value->PaletteColor(3));
    if (sunday_->Color() == clAutomatic) sunday_->SetColor(value->PaletteColor(0));
}

int TCalendarSeries::RowCount() const { return 8 - (weekDays_->Visible() ? 0 : 1) - (months_->Visible() ? 0 : 1); }

int TCalendarSeries::FirstDayRow() const { return 3 - (weekDays_->Visible() ? 0 : 1) - (months_->Visible() ? 0 : 1); }

int TCalendarSeries::columnEdge(int k) const
{
    const TChartAxis* axis = GetHorizAxis();
    return axis ? static_cast<int>(std::lround(axis->AxisSize() * static_cast<double>(k) / Columns)) + axis->StartPixel() : 0;
}

int TCalendarSeries::rowEdge(int k) const
{
    const TChartAxis* axis = GetVertAxis();
    return axis ? static_cast<int>(std::lround(axis->AxisSize() * static_cast<double>(k) / RowCount())) + axis->StartPixel() : 0;
}

TRect TCalendarSeries::cellRect(int column, int row) const
{
    return {columnEdge(column - 1) + 1, rowEdge(row - 1) + 1, columnEdge(column) - 1, rowEdge(row) - 1};
}

void TCalendarSeries::drawCell(TCalendarCell& cell, int column, int row, const String& text, bool shape)
{
    if (!cell.Visible()) return;
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    if (shape) {
        TRect r = cellRect(column, row);
        const int shrink = cell.Shadow()->Visible() ? std::max(cell.Shadow()->HorizSize() - 1, 0) : 0;
        r.Right -= shrink;
        r.Bottom -= shrink;
        cell.SetShapeBounds(r);
        cell.DrawInRect(r, 0, 0);
    }
    String t = text;
    bool draw = true;
    if (onDrawCell_) onDrawCell_(this, column, row, t, draw);
    if (!draw) return;
    ParentChart()->ApplyZoomedFont(*cell.Font());
    canvas.SetBackgroundMode(TRANSPARENT);
    canvas.SetTextAlignment(TA_CENTER | TA_TOP);
    const int x = static_cast<int>(std::lround((columnEdge(column) + columnEdge(column - 1)) * 0.5));
    const int y = static_cast<int>(std::lround((rowEdge(row) + rowEdge(row - 1)) * 0.5)) - canvas.TextHeight(t) / 2;
    canvas.TextOut(x, y, t);
}

void TCalendarSeries::DrawVisiblePoints()
{
    TChartSeries::DrawVisiblePoints();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !GetHorizAxis() || !GetVertAxis()) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    Word year = 0, month = 0, day = 0;
    DecodeDate(date_, year, month, day);
    const int weekRow = months_->Visible() ? 2 : 1;
    if (weekDays_->Visible())
        for (int i = 1; i <= Columns; ++i)
            drawCell(*weekDays_, i, weekRow, weekDays_->TextOf(EncodeDate(1899, 1, static_cast<Word>(i + firstDayOfWeek_ + 1))));
    if (months_->Visible()) {
        const TRect r{columnEdge(0), rowEdge(0) + 1, columnEdge(Columns), rowEdge(1) - 1};
        months_->SetShapeBounds(r);
        months_->DrawInRect(r, 0, 0);
        drawCell(*months_, 4, 1, months_->TextOf(date_), false);
    }
    const int weekday = DayOfTheWeek(EncodeDate(year, month, 1));
    firstColumn_ = (weekday - firstDayOfWeek_ + 6) % Columns + 1;
    firstRow_ = FirstDayRow();
    const int rows = RowCount();
    if (trailing_->Visible() && firstColumn_ > 1) {
        const Word py = month == 1 ? year - 1 : year, pm = month == 1 ? 12 : month - 1;
        const int previousLength = DaysInAMonth(py, pm);
        for (int i = 1; i < firstColumn_; ++i) drawCell(*trailing_, i, firstRow_, IntToStr(previousLength + i - firstColumn_ + 1));
    }
    int column = firstColumn_, row = firstRow_;
    const int length = DaysInAMonth(year, month);
    for (int d = 1; d <= length; ++d) {
        const bool isToday = d == day && today_->Visible();
        const bool isSunday = DayOfWeek(EncodeDate(year, month, static_cast<Word>(d))) == 1;
        drawCell(isToday ? *today_ : isSunday ? *sunday_ : *days_, column, row, IntToStr(d));
        if (++column > Columns) {
            column = 1;
            ++row;
        }
    }
    if (trailing_->Visible())
        for (int next = 1; row <= rows; ++next) {
            drawCell(*trailing_, column, row, IntToStr(next));
            if (++column > Columns) {
                column = 1;
                ++row;
            }
        }
    if (Pen()->Visible()) {
        canvas.UsePen(*Pen());
        const int z = DepthRange().start;
        for (int k = 0; k <= Columns; ++k) canvas.LineAtZ(columnEdge(k), rowEdge(firstRow_ - 1), columnEdge(k), rowEdge(rows), z);
        for (int k = firstRow_ - 1; k <= rows; ++k) canvas.LineAtZ(columnEdge(0), rowEdge(k), columnEdge(Columns), rowEdge(k), z);
    }
}

int TCalendarSeries::HitTest(int x, int y)
{
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    if (!Active() || !h || !v) return -1;
    const int headers = (weekDays_->Visible() ? 1 : 0) + (months_->Visible() ? 1 : 0);
    const int top = v->StartPixel() + headers * static_cast<int>(std::lround(v->AxisSize() / 8.0));
    const bool inside = x >= h->StartPixel() && x <= h->StartPixel() + h->AxisSize() && y >= top &&
                        y <= v->StartPixel() + v->AxisSize();
    return inside ? 0 : -1;
}

bool TCalendarSeries::DateAtPoint(int x, int y, TDateTime& date) const
{
    if (const_cast<TCalendarSeries*>(this)->HitTest(x, y) != 0) return false;
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    const int column = static_cast<int>((x - h->StartPixel()) / (h->AxisSize() / static_cast<double>(Columns))) + 1;
    const int row = static_cast<int>((y - v->StartPixel()) / (v->AxisSize() / static_cast<double>(RowCount()))) + 1;
    Word year = 0, month = 0, day = 0;
    DecodeDate(date_, year, month, day);
    const int length = DaysInAMonth(year, month);
    const Word py = month == 1 ? year - 1 : year, pm = month == 1 ? 12 : month - 1;
    const Word ny = month == 12 ? year + 1 : year, nm = month == 12 ? 1 : month + 1;
    if (row < firstRow_) return false;
    if (row == firstRow_) {
        if (column >= firstColumn_) {
            date = EncodeDate(year, month, static_cast<Word>(column - firstColumn_ + 1));
            return true;
        }
        if (!trailing_->Visible()) return false;
        date = EncodeDate(py, pm, static_cast<Word>(DaysInAMonth(py, pm) + 1 + column - firstColumn_));
        return true;
    }
    const int d = (row - firstRow_) * Columns + column - firstColumn_ + 1;
    if (d <= length) {
        date = EncodeDate(year, month, static_cast<Word>(d));
        return true;
    }
    if (!trailing_->Visible()) return false;
    date = EncodeDate(ny, nm, static_cast<Word>(d - length));
    return true;
}

void TCalendarSeries::HandleChartEvent(TZebEvent& event)
{
    auto* mouse = dynamic_cast<TZebMouseEvent*>(&event);
    if (!mouse || mouse->Kind != meDown || mouse->Button != mbLeft || !Active()) return;
    const TRect& title = months_->ShapeBounds();
    if (months_->Visible() && mouse->X >= title.Left && mouse->X <= title.Right && mouse->Y >= title.Top &&
        mouse->Y <= title.Bottom) {
        const TPoint screen = ParentChart()->ClientToScreen({mouse->X, mouse->Y});
        MonthMenu()->Popup(screen.X, screen.Y);
        return;
    }
    TDateTime picked;
    if (DateAtPoint(mouse->X, mouse->Y, picked)) SetDate(picked);
}

void TCalendarSeries::AddRandomPoints(int, bool)
{
    if (Count() == 0) AppendNull();
}

void TCalendarSeries::SetupGalleryPreview()
{
    TChartSeries::SetupGalleryPreview();
    Pen()->SetVisible(false);
    months_->SetVisible(false);
    trailing_->SetVisible(false);
    SetNextButtonVisible(false);
    SetPreviousButtonVisible(false);
    for (TCalendarCell* cell : {days_.get(), sunday_.get(), today_.get()}) cell->Font()->SetSize(6);
    weekDays_->Font()->SetSize(5);
    weekDays_->Shadow()->SetSize(0);
}
