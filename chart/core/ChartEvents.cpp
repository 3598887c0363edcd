#include "chart/core/ChartEvents.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"

int TZebEventListeners::Add(IChartEventListener* listener)
{
    const int index = IndexOf(listener);
    if (index >= 0) return index;
    items_.push_back(listener);
    return Count() - 1;
}

int TZebEventListeners::RemoveListener(IChartEventListener* listener)
{
    const int index = IndexOf(listener);
    if (index >= 0) items_.erase(items_.begin() + index);
    return index;
}

int TZebEventListeners::IndexOf(const IChartEventListener* listener) const
{
    const auto it = std::find(items_.begin(), items_.end(), listener);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

IChartEventListener* TZebEventListeners::Get(int index) const
{
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

void TZebEventListeners::Broadcast(TZebEvent& event, const std::function<bool()>& mouseHandled)
{
    const bool isMouse = dynamic_cast<TZebMouseEvent*>(&event) != nullptr;
    for (int i = 0; i < Count(); ++i) {
        items_[static_cast<std::size_t>(i)]->HandleChartEvent(event);
        if (isMouse && mouseHandled && mouseHandled()) break;
    }
}
