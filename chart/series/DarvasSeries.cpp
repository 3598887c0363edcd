#include "chart/series/DarvasSeries.h"

#include <algorithm>
#include <optional>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/DrawGuards.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TDarvasSeries)
{
    Prop("BoxBrush", &TDarvasSeries::BoxBrush, &TDarvasSeries::SetBoxBrush);
    Prop("BoxPen", &TDarvasSeries::BoxPen, &TDarvasSeries::SetBoxPen);
    Prop("BoxTransparency", &TDarvasSeries::BoxTransparency, &TDarvasSeries::SetBoxTransparency, 70);
}

TDarvasSeries::TDarvasSeries(TComponent* owner)
    : TCandleSeries(owner), boxBrush_(std::make_unique<TZebBrush>()), boxPen_(CreatePen())
{
    boxBrush_->SetBackColor(clAutomatic);
    boxBrush_->SetOnChange(TNotifyEvent(this, &TDarvasSeries::styleChanged));
}

TDarvasSeries::~TDarvasSeries() = default;

void TDarvasSeries::SetBoxBrush(TZebBrush* value) { boxBrush_->Assign(value); }
void TDarvasSeries::SetBoxPen(TZebPen* value) { boxPen_->Assign(value); }

void TDarvasSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TDarvasSeries*>(other)) {
        boxBrush_->Assign(s->boxBrush_.get());
        boxPen_->Assign(s->boxPen_.get());
        boxTransparency_ = s->boxTransparency_;
    }
    TCandleSeries::CopyAppearance(other);
}

std::vector<TDarvasSeries::TDarvasBox> TDarvasSeries::FindBoxes() const
{
    std::vector<TDarvasBox> boxes;
    const int n = Count();
    if (n == 0) return boxes;
    const TChartValueList& high = *HighValues();
    const TChartValueList& low = *LowValues();
    double top = 0, bottom = 0;
    int i = 0, start = 0, topIndex = -1, bottomIndex = -1;
    // A step of the state machine: the next index, and whether it still exists.
    const auto next = [&] { return ++i < n; };
    for (int state = 0; state != 7;) {
        switch (state) {
        case 0:
            start = i;
            state = 1;
            break;
        case 1:
            if (i >= n) {
                state = 5;
                break;
            }
            top = high[i];
            topIndex = bottomIndex = i;
            if (next()) state = high[i] >= top ? 1 : 2;
            break;
        case 2:
            if (i >= n) {
                state = 5;
                break;
            }
            if (next()) state = high[i] >= top ? 1 : 3;
            break;
        case 3:
            if (i >= n) {
                state = 5;
                break;
            }
            bottom = low[i];
            bottomIndex = i;
            if (next()) state = high[i] >= top ? 1 : low[i] > bottom ? 4 : 3;
            break;
        case 4:
            if (i >= n) {
                state = 5;
                break;
            }
            if (next()) state = high[i] >= top ? 1 : low[i] > bottom ? 5 : 3;
            break;
        case 5:
            if (i >= n) {
                state = 6;
                break;
            }
            if (next() && (high[i] > top || low[i] < bottom)) state = 6;
            break;
        case 6:
            boxes.push_back({start, topIndex, i < n ? i : n - 1, bottomIndex});
            state = i < n ? 0 : 7;
            break;
        }
    }
    return boxes;
}

void TDarvasSeries::DrawVisiblePoints()
{
    TCandleSeries::DrawVisiblePoints();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !chart->Canvas3D()) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const bool in3D = chart->View3D();
    const int z = Pointer()->GetStartZ();
    const int transparency = boxTransparency_ > 0 ? std::max(boxTransparency_, Transparency()) : 0;
    const TColor fill = boxBrush_->BackColor() == clAutomatic ? chart->PaletteColor(1) : boxBrush_->BackColor();
    canvas.UsePen(*boxPen_);
    for (const TDarvasBox& box : FindBoxes()) {
        const TRect rect{PointScreenX(box.start), ValueScreenY(HighValues()->ValueAt(box.top)), PointScreenX(box.end),
                         ValueScreenY(LowValues()->ValueAt(box.bottom))};
        std::optional<TBlendSection> blend;
        if (transparency > 0) blend.emplace(canvas, in3D ? canvas.ProjectRectAtZ(rect, z) : rect, transparency);
        canvas.SelectBrush(*boxBrush_, fill, boxBrush_->Color());
        if (in3D)
            canvas.RectangleAtZ(rect, z);
        else
            canvas.DrawRect(rect);
    }
}
