#pragma once
// The one way a setter stores a value: assign only an effective change and say whether it was one,
// so the caller notifies exactly once per change:
//
//     void TArrowSettings::SetWidth(int v) { if (AssignIfChanged(width_, v)) Changed(); }
#include <utility>

template <class T, class V>
bool AssignIfChanged(T& field, V&& value)
{
    if (field == value) return false;
    field = std::forward<V>(value);
    return true;
}
