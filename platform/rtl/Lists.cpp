#include "platform/rtl/Lists.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"

namespace {
[[noreturn]] void IndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
}  // namespace

void TList::Check(int index) const
{
    if (index < 0 || index >= Count()) IndexError(index);
}

void TList::SetCount(int count)
{
    if (count < 0) throw EListError("List count out of bounds (" + std::to_string(count) + ")");
    items_.resize(static_cast<std::size_t>(count), nullptr);
}

void TList::SetCapacity(int capacity)
{
    if (capacity < Count()) throw EListError("List capacity out of bounds (" + std::to_string(capacity) + ")");
    if (capacity > Capacity())
        items_.reserve(static_cast<std::size_t>(capacity));
    else
        items_.shrink_to_fit();
}

Pointer TList::Get(int index) const
{
    Check(index);
    return items_[static_cast<std::size_t>(index)];
}

void TList::Put(int index, Pointer item)
{
    Check(index);
    items_[static_cast<std::size_t>(index)] = item;
}

int TList::Add(Pointer item)
{
    items_.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, Pointer item)
{
    if (index < 0 || index > Count()) IndexError(index);
    items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index)
{
    Check(index);
    items_.erase(items_.begin() + index);
}

int TList::Remove(Pointer item)
{
    const int i = IndexOf(item);
    if (i >= 0) Delete(i);
    return i;
}

Pointer TList::Extract(Pointer item) { return Remove(item) >= 0 ? item : nullptr; }

int TList::IndexOf(Pointer item) const
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Exchange(int index1, int index2)
{
    Check(index1);
    Check(index2);
    std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex) return;
    Check(curIndex);
    Check(newIndex);
    Pointer item = items_[static_cast<std::size_t>(curIndex)];
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, item);
}

void TList::Sort(TListSortCompare compare)
{
    // A merge sort never reads outside the range, even with an inconsistent compare function.
    if (compare)
        std::stable_sort(items_.begin(), items_.end(), [compare](Pointer a, Pointer b) { return compare(a, b) < 0; });
}

void TList::Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }

void TList::Clear()
{
    items_.clear();
    items_.shrink_to_fit();
}

Pointer TList::First() const { return Get(0); }
Pointer TList::Last() const { return Get(Count() - 1); }
