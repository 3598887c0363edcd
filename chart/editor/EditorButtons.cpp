#include "chart/editor/EditorButtons.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/classes/TypeInfo.h"
#include "platform/forms/ExtDialogs.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/rtl/StringList.h"

TV_PUBLISHED(TZebButton)
{
    Prop("Caption", &TZebButton::Caption, &TZebButton::SetCaption);
    Prop("TabStop", &TZebButton::TabStop, &TZebButton::SetTabStop, true);
    Prop("SymbolWidth", &TZebButton::SymbolWidth, &TZebButton::SetSymbolWidth, 0);
    Prop("SymbolVisible", &TZebButton::SymbolVisible, &TZebButton::SetSymbolVisible, true);
}

TZebButton::TZebButton(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque});
    SetTabStop(true);
    SetBounds(Left(), Top(), 75, 25);
}

void TZebButton::SetSymbolWidth(int value)
{
    if (value == symbolWidth_) return;
    symbolWidth_ = value;
    Invalidate();
}

void TZebButton::SetSymbolVisible(bool value)
{
    if (value == symbolVisible_) return;
    symbolVisible_ = value;
    Invalidate();
}

void TZebButton::LinkProperty(TObject* instance, const String& propertyName)
{
    linked_ = instance;
    propertyName_ = instance && !propertyName.empty() && FindPropInfo(instance, propertyName, nullptr) ? propertyName
                                                                                                    : String();
    if (linked_) Invalidate();
}

TRect TZebButton::SymbolRect() const
{
    const int w = symbolWidth_ != 0 ? symbolWidth_ : (Caption().empty() ? 0 : 19);
    const int q = Height() / 4;
    if (w != 0) return Rect(Width() - w, Height() - 3 * q, Width() - 6, Height() - q);
    const int a = std::max(4, Width() / 8);
    return Rect(a, Height() - 3 * q, Width() - a, Height() - q);
}

void TZebButton::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(r);
    canvas.Handle()->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0u));
    canvas.SetFont(Font());
    canvas.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    canvas.Brush()->SetStyle(bsClear);
    // "&&" is an ampersand, a single "&" marks the hot key.
    const String caption = Caption();
    String text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    const TRect symbol = SymbolRect();
    const int right = symbolWidth_ != 0 || !text.empty() ? symbol.Left - 2 : Width() - 4;
    const int shift = pressed_ ? 1 : 0;
    const int x = std::max(4, (4 + right - canvas.TextWidth(text)) / 2) + shift;
    const int y = (Height() - canvas.TextHeight("W")) / 2 + shift;
    canvas.TextOut(x, y, text);
    DrawSymbol(canvas);
}

void TZebButton::DrawSymbol(TCanvas&) {}

void TZebButton::CMTextChanged(TMessage& message)
{
    TWinControl::CMTextChanged(message);
    Invalidate();
}

void TZebButton::CMEnabledChanged(TMessage& message)
{
    TCustomControl::CMEnabledChanged(message);
    Repaint();
}

void TZebButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == mbLeft) {
        pressed_ = true;
        Invalidate();
    }
}

void TZebButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    pressed_ = false;
    Invalidate();
    TCustomControl::MouseUp(button, shift, x, y);
}

void TZebButton::KeyUp(Word& key, TShiftState shift)
{
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE) Click();
}

// ---- colour button ----

TV_PUBLISHED(TButtonColor) { Prop("FullOpen", &TButtonColor::FullOpen, &TButtonColor::SetFullOpen, true); }

TButtonColor::TButtonColor(TComponent* owner) : TZebButton(owner) {}

TColor TButtonColor::GetSymbolColor() const
{
    if (callback_) return callback_();
    if (LinkedObject() && !LinkedPropertyName().empty())
        return static_cast<TColor>(GetOrdProp(LinkedObject(), LinkedPropertyName()));
    return color_;
}

void TButtonColor::SetSymbolColor(TColor value)
{
    if (value == color_) return;
    if (LinkedObject() && !LinkedPropertyName().empty())
        SetOrdProp(LinkedObject(), LinkedPropertyName(), value);
    else
        color_ = value;
    Invalidate();
}

void TButtonColor::Click()
{
    color_ = GetSymbolColor();
    TColor color = color_;
    if (!PickColor(this, color, fullOpen_)) return;
    SetSymbolColor(color);
    Repaint();
    TZebButton::Click();
}

void TButtonColor::DrawSymbol(TCanvas& canvas)
{
    if (!Enabled() || !SymbolVisible()) return;
    color_ = GetSymbolColor();
    if (color_ == clNone) return;
    canvas.Pen()->SetColor(clBlack);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(static_cast<TColor>(ColorToRGB(color_) & 0xFFFFFF));
    const TRect r = SymbolRect();
    canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
}

// ---- flat combo ----

TV_PUBLISHED(TComboFlat)
{
    PropEnum("Style", &TComboFlat::Style, &TComboFlat::SetStyle, csDropDownList, TComboBoxStyleNames);
    Prop("DropDownWidth", &TComboFlat::DropDownWidth, &TComboFlat::SetDropDownWidth)
        .Stored(&TComboFlat::IsDropDownWidthStored);
}

TComboFlat::TComboFlat(TComponent* owner) : TComboBox(owner)
{
    SetStyle(csDropDownList);
    SetBounds(Left(), Top(), Width(), 21);
}

void TComboFlat::AddItem(const String& text) { Items()->Add(text); }

String TComboFlat::GetSelectedText() const { return ItemIndex() < 0 ? String() : Items()->Get(ItemIndex()); }

TObject* TComboFlat::GetSelectedObject() const { return ItemIndex() < 0 ? nullptr : Items()->GetObject(ItemIndex()); }

// ---- colour dialog ----

namespace {

// The custom colours the user built up, kept for the program's life.
TStringList& customColors()
{
    static TStringList list;
    return list;
}

}  // namespace

TColor RunColorDialog(TComponent* owner, TColor color, bool)
{
    TOwnedPtr<TColorDialog> dialog(new TColorDialog(owner));
    dialog->SetColor(color);
    dialog->SetCustomColors(&customColors());
    if (!dialog->Execute()) return color;
    customColors().Assign(*dialog->CustomColors());
    return dialog->Color();
}

bool PickColor(TComponent* owner, TColor& color, bool fullOpen)
{
    const TColor picked = RunColorDialog(owner, color, fullOpen);
    if (picked == color) return false;
    color = picked;
    return true;
}

void RegisterEditorButtons()
{
    RegisterClasses({&TZebButton::StaticClass(), &TButtonColor::StaticClass(), &TComboFlat::StaticClass()});
}
