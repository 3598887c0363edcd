#include "chart/core/MarkPositions.h"

#include <algorithm>
#include <utility>

#include "chart/core/ChartShapes.h"

void TSeriesMarkPosition::Offset(TPoint delta)
{
    LeftTop.X += delta.X;
    LeftTop.Y += delta.Y;
    ArrowTo.X += delta.X;
    ArrowTo.Y += delta.Y;
    if (HasMid) {
        MidPoint.X += delta.X;
        MidPoint.Y += delta.Y;
    }
}

TSeriesMarkPosition* TSeriesMarksPositions::PositionAt(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return positions_[static_cast<size_t>(index)].get();
}

TSeriesMarkPosition& TSeriesMarksPositions::Ensure(int index)
{
    if (index >= Count()) positions_.resize(static_cast<size_t>(index) + 1);
    auto& slot = positions_[static_cast<size_t>(index)];
    if (!slot) slot = std::make_unique<TSeriesMarkPosition>();
    return *slot;
}

void TSeriesMarksPositions::StoreAt(int index, const TSeriesMarkPosition& position)
{
    TSeriesMarkPosition& stored = Ensure(index);
    stored.CopyFrom(position);
    stored.Custom = true;
}

void TSeriesMarksPositions::RemoveRange(int index, int n)
{
    if (index < 0 || index >= Count() || n <= 0) return;
    const auto first = positions_.begin() + index;
    positions_.erase(first, first + std::min(n, Count() - index));
}

bool TSeriesMarksPositions::HasCustom() const
{
    return std::any_of(positions_.begin(), positions_.end(), [](const auto& p) { return p && p->Custom; });
}

void TSeriesMarksPositions::ClearCustom()
{
    for (auto& p : positions_)
        if (p) p->Custom = false;
}

void TSeriesMarksPositions::Swap(int a, int b)
{
    if (std::max(a, b) >= Count()) positions_.resize(static_cast<size_t>(std::max(a, b)) + 1);
    std::swap(positions_[static_cast<size_t>(a)], positions_[static_cast<size_t>(b)]);
}

void TSeriesMarksPositions::CenterAbove(TSeriesMarkPosition& position, int x, int y, TZebCustomShape* symbol)
{
    position.ArrowTo = {x, y};
    position.ArrowFrom = {x, y};
    position.LeftTop = {x - position.Width / 2, y - position.Height + 1};
    if (!symbol) return;
    const TRect box = symbol->ShapeBounds();
    const int left = position.LeftTop.X + 2, top = position.LeftTop.Y + 3;
    symbol->SetShapeBounds({left, top, left + box.Width(), top + box.Height()});
}
