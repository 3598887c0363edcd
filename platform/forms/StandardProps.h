#pragma once
// The standard properties of a control, declared once. Include in .cpp files only.
//
// TControl and TWinControl publish them with this call. A descendant that republishes them calls it
// again in its own table; an inherited property keeps its place in the stream, so only the
// definition can change (here: how ShowHint is stored).
//
//   TV_PUBLISHED(TMyGauge)
//   {
//       PublishStandardProps(*this, ShowHintStorage::DefaultFalse);
//       Prop("Value", &TMyGauge::Value, &TMyGauge::SetValue);
//   }
#include <type_traits>

#include "platform/classes/Published.h"
#include "platform/forms/Controls.h"

enum class ShowHintStorage {
    UnlessParentShowHint,  // written while the control does not follow its parent's (TControl's rule)
    DefaultFalse,          // written when true (the instrument controls declare it so)
};

// Visible, Enabled, Hint, ShowHint, Cursor, PopupMenu and the click and mouse events; for windowed
// controls also the focus and key events.
template <class T>
void PublishStandardProps(TPublishedBuilder<T>& b, ShowHintStorage showHint = ShowHintStorage::UnlessParentShowHint)
{
    static_assert(std::is_base_of_v<TControl, T>, "standard properties are a control's");
    b.Prop("Visible", &TControl::Visible, &TControl::SetVisible, true);
    b.Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled, true);
    b.Prop("Hint", &TControl::Hint, &TControl::SetHint);
    if (showHint == ShowHintStorage::DefaultFalse)
        b.Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false);
    else
        b.Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored(&TControl::IsShowHintStored);
    b.PropCursor("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault);
    b.Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    b.Prop("OnClick", &TControl::OnClick, &TControl::SetOnClick);
    b.Prop("OnDblClick", &TControl::OnDblClick, &TControl::SetOnDblClick);
    b.Prop("OnMouseDown", &TControl::OnMouseDown, &TControl::SetOnMouseDown);
    b.Prop("OnMouseMove", &TControl::OnMouseMove, &TControl::SetOnMouseMove);
    b.Prop("OnMouseUp", &TControl::OnMouseUp, &TControl::SetOnMouseUp);
    if constexpr (std::is_base_of_v<TWinControl, T>) {
        b.Prop("OnEnter", &TWinControl::OnEnter, &TWinControl::SetOnEnter);
        b.Prop("OnExit", &TWinControl::OnExit, &TWinControl::SetOnExit);
        b.Prop("OnKeyDown", &TWinControl::OnKeyDown, &TWinControl::SetOnKeyDown);
        b.Prop("OnKeyPress", &TWinControl::OnKeyPress, &TWinControl::SetOnKeyPress);
        b.Prop("OnKeyUp", &TWinControl::OnKeyUp, &TWinControl::SetOnKeyUp);
    }
}
