// The chart under the mouse, wheel and keys. Every event goes to the tools first; then clicks on
// the chart's parts fire their events, drags zoom or pan, the wheel scrolls or zooms, and the axis
// scales of before the first zoom or scroll are kept so that RevertZoom can give them back.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/AxisShapes.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ChartTools.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebSelected.h"

namespace {

// A limit beyond the doubles' range, or NaN (the scale of a zero-span axis), is never applied.
bool UsableLimit(double value) { return std::fabs(value) <= 1.7e308; }

// The range an axis shows: an automatic end as the last frame widened it (margins, rounding),
// so that the first scroll moves what is seen instead of jumping to the bare data range.
TZoomRange ShownRange(const TChartAxis& axis)
{
    const bool autoMin = axis.Automatic() || axis.AutomaticMinimum();
    const bool autoMax = axis.Automatic() || axis.AutomaticMaximum();
    return {autoMin ? axis.WorkingMinimum() : axis.Minimum(), autoMax ? axis.WorkingMaximum() : axis.Maximum()};
}

void TakeRange(TChartAxis& axis, const TZoomRange& range)
{
    if (UsableLimit(range.Min) && UsableLimit(range.Max)) axis.ApplyRange(range.Min, range.Max);
}

}  // namespace

// ---- the part under a point ----

TChartClickedPart TCustomChart::FindPartAt(TPoint p, bool onlyClickable)
{
    if (legendVisible() && legendCustomPosition())
        if (const int item = legendItemAt(p.X, p.Y); item != -1) return {cpLegend, item, nullptr, nullptr};
    for (int i = NumSeries() - 1; i >= 0; --i) {
        TChartSeries* series = GetSeriesAt(i);
        if (!series->Active()) continue;
        if (onlyClickable && !series->HasClickHandlers() && !onClickSeries_) continue;
        if (series->HasVisibleMarks())
            if (const int mark = series->MarksOrNull()->MarkIndexAt(p); mark != -1)
                return {cpSeriesMarks, mark, series, nullptr};
        if (const int index = series->HoverPartHitTest(p.X, p.Y); index != -1) {
            // The hover part (2 on the pointer) tells the series' point click what was hit.
            const bool pointer = series->PointerHitTest(p.X, p.Y);
            return {pointer ? cpSeriesPointer : cpSeries, index, series, nullptr};
        }
    }
    if (TChartAxis* axis = Axes().AxisAtPoint(p)) return {cpAxis, -1, nullptr, axis};
    for (int i = 0; i < Axes().Count(); ++i)
        if (TChartAxis* axis = Axes().Items(i); axis->HasTitle() && axis->Title()->Clicked(p))
            return {cpAxisTitle, -1, nullptr, axis};
    if (legendVisible() && !legendCustomPosition())
        if (const int item = legendItemAt(p.X, p.Y); item != -1) return {cpLegend, item, nullptr, nullptr};
    // A title that was never read has never been drawn either: it cannot be under the mouse.
    static constexpr TChartClickedPartStyle titleParts[] = {cpTitle, cpSubTitle, cpFoot, cpSubFoot};
    for (int i = 0; i < 4; ++i)
        if (const TChartTitle* title = TitleAt(i); title && title->Clicked(p)) return {titleParts[i], -1, nullptr, nullptr};
    if (ActiveSeriesTotal() > 0 && RectContainsPoint(ChartRect(), p)) return {cpChartRect, -1, nullptr, nullptr};
    return {};
}

String TCustomChart::AxisDisplayName(TChartAxis* axis) const
{
    if (axis->HasTitle() && !axis->Title()->Caption().empty()) return axis->Title()->Caption();
    if (axis == DepthAxis()) return TxtDepthRight;
    if (axis == DepthTopAxis()) return TxtDepthTop;
    if (axis->Horizontal()) return axis->OtherSide() ? TxtTopAxis : TxtBottomAxis;
    return axis->OtherSide() ? TxtRightAxis : TxtLeftAxis;
}

bool TCustomChart::CanZoomOrScroll() const
{
    bool anyActive = false;
    for (int i = 0; i < NumSeries(); ++i) {
        const TChartSeries* series = GetSeriesAt(i);
        if (!series->Active()) continue;
        if (series->AllowsZoomScroll()) return true;
        anyActive = true;
    }
    return !anyActive;
}

bool TCustomChart::WheelPans() const
{
    return Panning()->MouseWheel() != pmwNone && (AllowPanning() == pmVertical || AllowPanning() == pmBoth) &&
           !ComponentState().Contains(csDesigning);
}

// ---- tools first ----

bool TCustomChart::toolsMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    for (TChartTools* list : {&Tools(), static_cast<TChartTools*>(&Animations())})
        for (int i = 0; i < list->Count(); ++i) {
            TZebCustomTool* tool = list->GetTool(i);
            if (!tool->Active()) continue;
            tool->HandleMouse(kind, button, shift, x, y);
            if (MouseHandled()) return true;
        }
    return false;
}

bool TCustomChart::toolsWheel(TToolWheelKind kind, int delta, int x, int y)
{
    for (int i = 0; i < Tools().Count(); ++i) {
        TZebCustomTool* tool = Tools().GetTool(i);
        if (!tool->Active()) continue;
        tool->HandleWheel(kind, delta, x, y);
        if (MouseHandled()) return true;
    }
    return false;
}

void TCustomChart::toolsKey(TToolKeyKind kind, Word& key, TShiftState shift, char keyChar)
{
    for (int i = 0; i < Tools().Count(); ++i)
        if (TZebCustomTool* tool = Tools().GetTool(i); tool->Active()) tool->HandleKey(kind, key, shift, keyChar);
}

// ---- mouse ----

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomAxisPanel::MouseDown(button, shift, x, y);
    if (MouseHandled() || Zoom()->Active() || Panning()->Active()) return;
    SetMouseHandled(false);
    if (toolsMouse(tmkDown, button, shift, x, y)) return;

    const TChartClickedPart part = FindPartAt({x, y}, true);
    bool handled = false;
    // An event handler leaves MouseHandled set to say it took the click; clearing it lets the
    // chart go on (zoom or pan).
    const auto fire = [&](const auto& call) {
        SetMouseHandled(true);
        call();
        handled = MouseHandled();
    };
    const auto fireBackground = [&] { fire([&] { onClickBackground_(this, button, shift, x, y); }); };
    switch (part.Part) {
    case cpLegend:
        handled = legendClickItem(part.PointIndex);
        if (onClickLegend_) fire([&] { onClickLegend_(this, button, shift, x, y); });
        break;
    case cpAxis:
        if (onClickAxis_) fire([&] { onClickAxis_(this, part.AAxis, button, shift, x, y); });
        if (!handled) startZoomOrPanning(button, shift, x, y);
        break;
    case cpSeries:
    case cpSeriesPointer:
        SetMouseHandled(false);
        part.ASeries->FirePointClick(part.PointIndex, button, shift, x, y);
        handled = MouseHandled();
        if (onClickSeries_) fire([&] { onClickSeries_(this, part.ASeries, part.PointIndex, button, shift, x, y); });
        if (!handled) startZoomOrPanning(button, shift, x, y);
        break;
    case cpTitle:
    case cpSubTitle:
    case cpFoot:
    case cpSubFoot:
        if (onClickTitle_) {
            TChartTitle* title = TitleAt(part.Part == cpTitle      ? 0
                                         : part.Part == cpSubTitle ? 1
                                         : part.Part == cpFoot     ? 2
                                                                   : 3);
            fire([&] { onClickTitle_(this, title, button, shift, x, y); });
        }
        if (!handled) startZoomOrPanning(button, shift, x, y);
        break;
    case cpChartRect:
        if (onClickBackground_) fireBackground();
        if (!handled) startZoomOrPanning(button, shift, x, y);
        break;
    default:
        break;
    }
    // A plot-area click whose handler cleared MouseHandled hears OnClickBackground twice.
    if (!handled && onClickBackground_) fireBackground();
    SetMouseHandled(false);
}

void TCustomChart::startZoomOrPanning(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!CanZoomOrScroll()) return;
    bool started = false;
    TZebZoom& zoom = *Zoom();
    if (zoom.Allow() && button == zoom.MouseButton() && zoom.KeyShift() <= shift) {
        const TRect& rect = ChartRect();
        zoom.StartDrag(zoom.Direction() == tzdVertical ? rect.Left : x, zoom.Direction() == tzdHorizontal ? rect.Top : y);
        if (zoom.Direction() == tzdVertical) zoom.SetX1(rect.Right);
        if (zoom.Direction() == tzdHorizontal) zoom.SetY1(rect.Bottom);
        if (zoom.X0() != zoom.X1() || zoom.Y0() != zoom.Y1()) RepaintZoomFrame();
        started = true;
    }
    if (AllowPanning() != pmNone && button == ScrollMouseButton()) {
        Panning()->StartDrag(x, y);
        if (!Panning()->InsideBounds() && Parent()) SetMouseCapture(true);
        started = true;
    }
    if (started) SetCursor(OwnCursor());
}

void TCustomChart::MouseMove(TShiftState shift, int x, int y)
{
    TCustomAxisPanel::MouseMove(shift, x, y);
    if (!ComponentState().Contains(csDesigning)) toolsMouse(tmkMove, mbLeft, shift, x, y);
    if (MouseHandled()) return;

    TZebZoom& zoom = *Zoom();
    TZebPanning& panning = *Panning();
    if (zoom.Active()) {
        if (zoom.Direction() == tzdVertical) x = ChartRect().Right;
        if (zoom.Direction() == tzdHorizontal) y = ChartRect().Bottom;
        if (x == zoom.X1() && y == zoom.Y1()) return;
        RepaintZoomFrame();
        if (zoom.KeepAspectRatio()) {
            zoom.ApplyAspectRatio(ChartRect(), x, y);
        } else {
            zoom.SetX1(x);
            zoom.SetY1(y);
        }
        // Without inverted drawing the erase above asked for a full repaint, which draws the band.
        if (!zoom.FullRepaint() && Canvas3D()->CanDrawInverted()) PaintZoomFrame();
    } else if (panning.Active()) {
        if (panning.InsideBounds() && !RectContainsXY(ChartRect(), x, y)) {
            panning.SetActive(false);
            return;
        }
        if (x == panning.X1() && y == panning.Y1()) return;
        SaveAxisScales();
        const bool horizontal = scrollAxes(true, panning.X1(), x);
        const bool vertical = scrollAxes(false, panning.Y1(), y);
        panning.SetX1(x);
        panning.SetY1(y);
        if (horizontal || vertical) {
            if (OnScroll()) OnScroll()(this);
            Invalidate();
        }
    } else {
        trackHover(x, y);
    }
}

void TCustomChart::trackHover(int x, int y)
{
    const bool seriesHover = HoverSeries(x, y);
    const bool axisHover = HoverAxisLabels(x, y);
    int item = legendVisible() ? legendItemAt(x, y) : -1;
    if (item != -1) {
        if (const TCursor cursor = legendCursor(); cursor != crDefault) SetCursor(cursor);
    } else if (!seriesHover && !axisHover) {
        SetCursor(OwnCursor());
    }
    if (!Hover()->Visible()) return;
    if (legendShowsValues()) {
        if (TChartSeries* series = legendValuesSeries(); !series)
            item = -1;
        else if (item == -1)
            item = legendItemOfPoint(series->HoveredPointIndex());
        else
            series->Selected()->SetHoverIndex(legendPointOfItem(item));
    } else if (item == -1) {
        for (int i = NumSeries() - 1; i >= 0; --i) {
            const TChartSeries* series = GetSeriesAt(i);
            if (!series->Active() || series->HoveredPointIndex() == -1) continue;
            int hiddenBefore = 0;
            for (int j = 0; j < i; ++j) hiddenBefore += GetSeriesAt(j)->ShowInLegend() ? 0 : 1;
            item = series->ShowInLegend() ? i - hiddenBefore : -1;
            break;
        }
    }
    legendSetHoverItem(item);
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    SetMouseHandled(false);
    TCustomAxisPanel::MouseUp(button, shift, x, y);
    TZebZoom& zoom = *Zoom();
    if (zoom.Active() && button == zoom.MouseButton()) {
        zoom.SetActive(false);
        RepaintZoomFrame();
        Canvas3D()->Pen()->SetMode(pmCopy);
        if (!zoom.KeepAspectRatio()) {
            if (zoom.Direction() != tzdVertical) zoom.SetX1(x);
            if (zoom.Direction() != tzdHorizontal) zoom.SetY1(y);
        }
        const bool wide = zoom.Direction() == tzdVertical || std::abs(zoom.X1() - zoom.X0()) > zoom.MinimumPixels();
        const bool tall = zoom.Direction() == tzdHorizontal || std::abs(zoom.Y1() - zoom.Y0()) > zoom.MinimumPixels();
        if (wide && tall) {
            const bool forward = zoom.Direction() == tzdVertical ? zoom.Y1() > zoom.Y0() : zoom.X1() > zoom.X0();
            if (zoom.UpLeftZooms() || forward)
                ZoomToRectangle();
            else
                RevertZoom();
            Invalidate();
        }
    }
    Panning()->SetActive(false);
    if (!Panning()->InsideBounds() && Parent() && MouseCapture()) SetMouseCapture(false);
    toolsMouse(tmkUp, button, shift, x, y);
}

// ---- scales ----

void TCustomChart::SaveAxisScales()
{
    if (!scalesNotSaved_) return;
    savedScales_.clear();
    for (int i = 0; i < Axes().Count(); ++i) {
        TChartAxis* axis = Axes().Items(i);
        if (axis->IsDepthAxis()) continue;
        savedScales_.push_back({axis, axis->Automatic(), axis->AutomaticMinimum(), axis->AutomaticMaximum(),
                                axis->Minimum(), axis->Maximum()});
    }
    scalesNotSaved_ = false;
}

void TCustomChart::restoreAxisScales()
{
    if (scalesNotSaved_) return;
    for (const TAxisSavedScales& saved : savedScales_) {
        // A custom axis deleted since has nothing to get back.
        bool listed = false;
        for (int i = 0; i < Axes().Count() && !listed; ++i) listed = Axes().Items(i) == saved.Axis;
        if (!listed) continue;
        TChartAxis& axis = *saved.Axis;
        axis.ApplyRange(saved.Minimum, saved.Maximum);
        if (saved.Automatic) {
            axis.SetAutomatic(true);
        } else {
            axis.SetAutomaticMinimum(saved.AutomaticMinimum);
            axis.SetAutomaticMaximum(saved.AutomaticMaximum);
        }
    }
    savedScales_.clear();
    scalesNotSaved_ = true;
}

bool TCustomChart::scrollAxes(bool horizontal, int from, int to)
{
    if (from == to) return false;
    if (AllowPanning() != pmBoth && AllowPanning() != (horizontal ? pmHorizontal : pmVertical)) return false;
    bool moved = false;
    for (int i = 0; i < Axes().Count(); ++i) {
        TChartAxis* axis = Axes().Items(i);
        if (axis->Horizontal() != horizontal || axis->IsDepthAxis()) continue;
        const TZoomRange now = ShownRange(*axis);
        TZoomRange next;
        if (axis->Logarithmic()) {
            // Each end moves by its own pixel shift.
            const int shift = to - from;
            next.Min = now.Min + (now.Min - axis->PixelToValue(axis->ValueToPixel(now.Min) + shift));
            next.Max = now.Max + (now.Max - axis->PixelToValue(axis->ValueToPixel(now.Max) + shift));
            if (next.Min > next.Max) next = now;
        } else {
            const double delta = axis->PixelToValue(from) - axis->PixelToValue(to);
            next = {now.Min + delta, now.Max + delta};
        }
        if (!UsableLimit(next.Min)) next.Min = now.Min;
        if (!UsableLimit(next.Max)) next.Max = now.Max;
        bool allow = true;
        if (onAllowScroll_) onAllowScroll_(axis, next.Min, next.Max, allow);
        if (!allow) continue;
        TakeRange(*axis, next);
        moved = true;
    }
    return moved;
}

void TCustomChart::ScrollVerticalAxes(bool up)
{
    SaveAxisScales();
    for (int i = 0; i < Axes().Count(); ++i) {
        TChartAxis* axis = Axes().Items(i);
        if (axis->Horizontal() || axis->IsDepthAxis()) continue;
        const TZoomRange now = ShownRange(*axis);
        const double delta = (now.Max - now.Min) * 3 * 0.01 * (up ? 1 : -1);
        // The handler may refuse; limits it changes are not used.
        double min = now.Min + delta, max = now.Max + delta;
        bool allow = true;
        if (onAllowScroll_) onAllowScroll_(axis, min, max, allow);
        if (allow) TakeRange(*axis, {now.Min + delta, now.Max + delta});
    }
}

// ---- zoom ----

void TCustomChart::ZoomToValues(const TZoomRanges& ranges)
{
    SaveAxisScales();
    struct Target {
        TChartAxis* axis;
        TZoomRange range;
    };
    std::vector<Target> targets;
    if (Zoom()->Direction() != tzdHorizontal) targets.insert(targets.end(), {{LeftAxis(), ranges.Left}, {RightAxis(), ranges.Right}});
    if (Zoom()->Direction() != tzdVertical) targets.insert(targets.end(), {{TopAxis(), ranges.Top}, {BottomAxis(), ranges.Bottom}});
    if (Zoom()->Animated())
        for (int step = 1; step < Zoom()->AnimatedSteps(); ++step) {
            for (const Target& t : targets) {
                const TZoomRange now = ShownRange(*t.axis);
                TakeRange(*t.axis, {now.Min + (t.range.Min - now.Min) / 3, now.Max + (t.range.Max - now.Max) / 3});
            }
            Invalidate();
            Repaint();
        }
    for (const Target& t : targets) TakeRange(*t.axis, t.range);
    SetZoomed(true);
    if (OnZoom()) OnZoom()(this);
}

void TCustomChart::ZoomPercent(int percent)
{
    const TZebZoomDirection direction = Zoom()->Direction();
    const auto range = [&](const TChartAxis& axis) {
        TZoomRange r{axis.PixelToValue(axis.StartPixel()), axis.PixelToValue(axis.EndPixel())};
        if (!axis.Horizontal()) std::swap(r.Min, r.Max);
        const bool zooms = axis.Horizontal() ? direction != tzdVertical : direction != tzdHorizontal;
        // From 150 on the new width, (Hi - Lo) x (3 - 0.02 x percent), vanishes or turns over.
        if (zooms && percent < 150) {
            const double d = (r.Max - r.Min) * (percent - 100) * 0.01;
            r = {r.Min + d, r.Max - d};
        }
        return r;
    };
    ZoomToValues({range(*LeftAxis()), range(*RightAxis()), range(*TopAxis()), range(*BottomAxis())});
    Invalidate();
}

void TCustomChart::ZoomToRectangle()
{
    TZebZoom& zoom = *Zoom();
    zoom.OrderCorners();
    const auto across = [&](const TChartAxis& axis) {
        return TZoomRange{axis.PixelToValue(zoom.X0()), axis.PixelToValue(zoom.X1())};
    };
    const auto down = [&](const TChartAxis& axis) {
        return TZoomRange{axis.PixelToValue(zoom.Y1()), axis.PixelToValue(zoom.Y0())};
    };
    // The last active series that zooms may convert screen positions itself.
    const TChartSeries* converter = nullptr;
    for (const TChartSeries* series : SeriesList())
        if (series->Active() && series->AllowsZoomScroll()) converter = series;
    if (converter && converter->ConvertsZoomRectangle) {
        const TZoomRange x{converter->ValueAtScreenX(zoom.X0()), converter->ValueAtScreenX(zoom.X1())};
        const TZoomRange y{converter->ValueAtScreenY(zoom.Y1()), converter->ValueAtScreenY(zoom.Y0())};
        ZoomToValues({y, y, x, x});
    } else {
        ZoomToValues({down(*LeftAxis()), down(*RightAxis()), across(*TopAxis()), across(*BottomAxis())});
    }
    if (zoom.History()) AddZoomSnapshot();
}

void TCustomChart::AddZoomSnapshot()
{
    TZoomSnapshot& snapshot = *Zoom()->GetHistoryList()->Add();
    const TChartAxis* standard[] = {LeftAxis(), TopAxis(), RightAxis(), BottomAxis()};
    for (int i = 0; i < 4; ++i) {
        const TZoomRange r = ShownRange(*standard[i]);
        snapshot.StandardAxes[static_cast<size_t>(2 * i)] = r.Min;
        snapshot.StandardAxes[static_cast<size_t>(2 * i + 1)] = r.Max;
    }
    const int custom = CustomAxes() ? CustomAxes()->Count() : 0;
    snapshot.CustomAxisCount = custom;
    snapshot.CustomAxes.clear();
    for (int i = 0; i < custom; ++i) {
        const TZoomRange r = ShownRange(*CustomAxes()->GetAxisAt(i));
        snapshot.CustomAxes.push_back({r.Min, r.Max});
    }
}

void TCustomChart::RestorePreviousZoom()
{
    TZoomSnapshots& history = *Zoom()->GetHistoryList();
    if (history.Count() < 2) return;
    const std::vector<double>& v = history.Items(history.Count() - 2)->StandardAxes;
    TChartAxis* standard[] = {LeftAxis(), TopAxis(), RightAxis(), BottomAxis()};
    for (size_t i = 0; i < 4; ++i) TakeRange(*standard[i], {v[2 * i], v[2 * i + 1]});
}

void TCustomChart::RevertZoom()
{
    TZoomSnapshots* history = Zoom()->History() ? Zoom()->GetHistoryList() : nullptr;
    if (history && history->Count() > 1) {
        RestorePreviousZoom();
        history->Delete(history->Count() - 1);
    } else {
        if (history && history->Count() == 1) history->Delete(0);
        restoreAxisScales();
    }
    SetZoomed(false);
    TCustomAxisPanel::RevertZoom();
}

// ---- wheel ----

bool TCustomChart::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    // A tool that takes the turn (sets MouseHandled) keeps the chart from stepping.
    SetMouseHandled(false);
    const TPoint at = ScreenToClient(mousePos);
    if (toolsWheel(twkTurn, wheelDelta, at.X, at.Y)) {
        SetMouseHandled(false);
        return true;
    }
    return TCustomAxisPanel::DoMouseWheel(shift, wheelDelta, mousePos);
}

bool TCustomChart::DoMouseWheelDown(TShiftState shift, TPoint mousePos)
{
    const bool handled = TCustomAxisPanel::DoMouseWheelDown(shift, mousePos);
    return HandleWheel(-1, ScreenToClient(mousePos)) || handled;
}

bool TCustomChart::DoMouseWheelUp(TShiftState shift, TPoint mousePos)
{
    const bool handled = TCustomAxisPanel::DoMouseWheelUp(shift, mousePos);
    return HandleWheel(+1, ScreenToClient(mousePos)) || handled;
}

bool TCustomChart::HandleWheel(int step, TPoint at)
{
    bool up = step > 0;
    bool acted = true;
    if (WheelPans()) {
        if (Panning()->MouseWheel() == pmwInverted) up = !up;
        ScrollVerticalAxes(up);
    } else if (Zoom()->Allow() && Zoom()->MouseWheel() != pmwNone) {
        if (Zoom()->MouseWheel() == pmwInverted) up = !up;
        ZoomPercent(up ? 110 : 90);
    } else if (ZoomWheel() != pmwNone && (View3D() || Canvas3D()->IsTrue3D())) {
        if (ZoomWheel() == pmwInverted) up = !up;
        View3DOptions()->SetZoomFloat(View3DOptions()->ZoomFloat() * (up ? 1.1 : 0.9));
    } else {
        acted = false;
    }
    SetMouseHandled(false);
    toolsWheel(up ? twkStepUp : twkStepDown, step, at.X, at.Y);
    SetMouseHandled(false);
    return acted;
}

// ---- keys ----

void TCustomChart::KeyDown(Word& key, TShiftState shift)
{
    TCustomAxisPanel::KeyDown(key, shift);
    toolsKey(tkkDown, key, shift, 0);
}

void TCustomChart::KeyUp(Word& key, TShiftState shift)
{
    TCustomAxisPanel::KeyUp(key, shift);
    toolsKey(tkkUp, key, shift, 0);
}

void TCustomChart::KeyPress(char& key)
{
    TCustomAxisPanel::KeyPress(key);
    Word code = 0;
    toolsKey(tkkPress, code, {}, key);
}
