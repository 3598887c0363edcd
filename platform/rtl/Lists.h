#pragma once
// TList: a list of untyped pointers. Bad indices raise EListError "List index out of bounds (%d)".
#include <vector>

#include "platform/rtl/Types.h"

using Pointer = void*;
using TListSortCompare = int (*)(Pointer item1, Pointer item2);

class TList {
public:
    virtual ~TList() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    void SetCount(int count);  // new slots are nullptr
    int Capacity() const { return static_cast<int>(items_.capacity()); }
    void SetCapacity(int capacity);  // EListError "List capacity out of bounds (%d)" below Count
    Pointer Get(int index) const;
    void Put(int index, Pointer item);
    Pointer operator[](int index) const { return Get(index); }

    int Add(Pointer item);
    void Insert(int index, Pointer item);
    void Delete(int index);
    int Remove(Pointer item);  // index it had, -1 when absent
    Pointer Extract(Pointer item);
    int IndexOf(Pointer item) const;
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void Sort(TListSortCompare compare);
    void Pack();  // drops nullptr entries
    void Clear();
    Pointer First() const;
    Pointer Last() const;
    Pointer* List() { return items_.data(); }

private:
    void Check(int index) const;
    std::vector<Pointer> items_;
};
