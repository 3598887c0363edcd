#pragma once
// Test helpers: render controls offscreen, and drive them with the mouse and keyboard as a user
// would (the events go through the same paths as real input).
#include <memory>

#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"

class TBitmap;

namespace testkit {

// Default point of the mouse helpers: the middle of the control's client area.
constexpr int Centre = -0x7FFFFFFF;

// Renders a windowed control (a form: its client area) with its children into a PNG file; false
// when the file cannot be written. Windowless controls render their parent's area under them.
bool RenderToPng(TControl& control, const String& fileName);
// The same into a bitmap (24-bit).
void RenderToBitmap(TControl& control, TBitmap& bitmap);
// What the window of a windowed control shows now, as its paint passes have left it (the
// window's back buffer, parts repainted since included), into a bitmap (24-bit). RenderToBitmap
// draws everything afresh instead.
void ShownToBitmap(TWinControl& control, TBitmap& bitmap);
// The 0x00BBGGRR colour of one pixel of the rendered control (client coordinates of control).
TColor PixelAt(TControl& control, int x, int y);

// Finds a control by name among root's components, depth first (EComponentError when missing).
TControl& FindControl(TComponent& root, const String& name);

// Mouse input at a client point of control (default: its middle); points in the frame around the
// client area are negative or beyond the client size. Windowless controls receive it
// through their parent's window, as real input does.
void MouseDown(TControl& control, TMouseButton button = mbLeft, int x = Centre, int y = Centre, TShiftState shift = {});
void MouseUp(TControl& control, TMouseButton button = mbLeft, int x = Centre, int y = Centre, TShiftState shift = {});
void MouseMove(TControl& control, int x, int y, TShiftState shift = {});
// A wheel turn of delta (120 a notch, positive away from the user) with the pointer at a client
// point; true when the control handled it.
bool MouseWheel(TControl& control, int delta, int x = Centre, int y = Centre, TShiftState shift = {});
// Press and release: OnMouseDown, OnClick, OnMouseUp.
void Click(TControl& control, int x = Centre, int y = Centre);
// The same, queued: it happens the next time messages are processed.
void PostClick(TControl& control, int x = Centre, int y = Centre);
void DblClick(TControl& control, int x = Centre, int y = Centre);
void Click(TComponent& root, const String& name);
// Keys to a windowed control (it takes the focus first): virtual key code, and typed text.
void KeyPress(TWinControl& control, Word key, TShiftState shift = {});
void TypeText(TWinControl& control, const String& text);
void TypeText(TComponent& root, const String& name, const String& text);
// Pointer enters / leaves a control.
void MouseEnter(TControl& control);
void MouseLeave(TControl& control);
// Runs pending messages for at least ms milliseconds.
void Pump(unsigned ms = 0);

// Rests the pointer at a client point of a control (default: its middle) until its hint shows;
// answers the text shown ("" when none shows).
String HintAt(TControl& control, int x = Centre, int y = Centre);

// Sizes a shown form's window as the window system does when the user drags its border or
// maximizes it (client size), and runs the messages that follow.
void ResizeWindow(TCustomForm& form, int clientWidth, int clientHeight);
// The title-bar buttons a form's window asks the window system for.
TBorderIcons WindowButtons(TCustomForm& form);

// Counts, while it lives, the paint passes of the program's windows: one pass brings every part
// of a window that was invalidated up to date.
class PaintPassCounter {
public:
    PaintPassCounter();
    ~PaintPassCounter();
    PaintPassCounter(const PaintPassCounter&) = delete;
    PaintPassCounter& operator=(const PaintPassCounter&) = delete;
    int Passes() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace testkit
