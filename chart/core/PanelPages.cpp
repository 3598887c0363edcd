// Pages of a chart, page printing and the hover bookkeeping of the axis panel.
#include "chart/core/AxisPanel.h"
#include "chart/core/AxisItems.h"
#include "chart/core/HitTests.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/PagePrinter.h"
#include "chart/core/ZebSelected.h"
#include "platform/forms/Printers.h"

int TCustomAxisPanel::GetPageCount() const { return pages_->GetPageCount(); }
int TCustomAxisPanel::GetMaxPointsPerPage() const { return pages_->MaxPointsPerPage(); }
int TCustomAxisPanel::CurrentPage() const { return pages_->Current(); }

namespace {

class TProgramPagePrinter : public IPagePrinter {
public:
    void SetTitle(const String& title) override { Printer()->SetTitle(title); }
    void BeginDoc() override { Printer()->BeginDoc(); }
    void NewPage() override { Printer()->NewPage(); }
    void EndDoc() override { Printer()->EndDoc(); }
    void Abort() override { Printer()->Abort(); }
    bool Printing() const override { return Printer()->Printing(); }
    TCanvas* Canvas() override { return Printer()->Canvas(); }
};

}  // namespace

IPagePrinter& ProgramPagePrinter()
{
    static TProgramPagePrinter printer;
    return printer;
}

void TCustomAxisPanel::PrintPageRange(int from, int to) { PrintPageRange(from, to, ProgramPagePrinter()); }

void TCustomAxisPanel::PrintPageRange(int from, int to, IPagePrinter& printer)
{
    if (!Name().empty()) printer.SetTitle(Name());
    try {
        printer.BeginDoc();
        if (to == 0) to = GetPageCount();
        if (from == 0) from = 1;
        const int shown = pages_->Current();
        try {
            const TRect page = PrintPageRect();
            for (int p = from; p <= to; ++p) {
                pages_->SetCurrent(p);
                PrintToCanvas(printer.Canvas(), page);
                if (p < to) printer.NewPage();
            }
        } catch (...) {
            pages_->SetCurrent(shown);
            throw;
        }
        pages_->SetCurrent(shown);
        printer.EndDoc();
    } catch (...) {
        printer.Abort();
        if (printer.Printing()) printer.EndDoc();
        throw;
    }
}

namespace {

// The axis and its sub-axes, depth first.
template <class F>
void ForAxisTree(TChartAxis& axis, const F& f)
{
    f(axis);
    if (!axis.HasSubAxes()) return;
    for (int i = 0; i < axis.SubAxes()->Count(); ++i) ForAxisTree(*axis.SubAxes()->GetAxisAt(i), f);
}

}  // namespace

bool TCustomAxisPanel::HoverAxisLabels(int x, int y)
{
    if (!Hover()->Visible()) return false;
    bool hit = false;
    for (int i = 0; i < Axes().Count(); ++i)
        ForAxisTree(*Axes().Items(i), [&](TChartAxis& axis) {
            TAxisItems& items = axis.Items();
            TZebSelected* selected = items.SelectedOrNull();
            if (!IsAxisShownInFrame(&axis) || !selected || !selected->Hover()->Visible()) return;
            int index = -1;
            for (int k = 0; k < items.Count() && index == -1; ++k)
                if (IsInsidePolygon({x, y}, items.GetItem(k)->Corners)) index = k;
            selected->SetHoverIndex(index);
            hit |= index != -1;
        });
    return hit;
}

bool TCustomAxisPanel::HoverSeries(int x, int y)
{
    bool claimed = false;
    for (int i = NumSeries() - 1; i >= 0; --i) {
        TChartSeries* series = GetSeriesAt(i);
        if (series->Active() && series->TrackHover(x, y)) claimed = true;
    }
    return claimed;
}

void TCustomAxisPanel::ClearHover()
{
    for (int i = 0; i < Axes().Count(); ++i)
        ForAxisTree(*Axes().Items(i), [](TChartAxis& axis) {
            if (TZebSelected* selected = axis.Items().SelectedOrNull()) selected->SetHoverIndex(-1);
        });
    for (TChartSeries* series : SeriesList())
        if (series->SelectedOrNull()) series->Selected()->SetHoverIndex(-1);
    ToolsDrawStage(cdsMouseLeave);
}

void TCustomAxisPanel::CMMouseLeave(TMessage& message)
{
    TCustomZebPanelExtended::CMMouseLeave(message);
    ClearHover();
}
