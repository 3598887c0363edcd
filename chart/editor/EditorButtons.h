#pragma once
// Buttons and combo boxes of the editor pages: a push button that shows a symbol of a linked
// property beside its caption, its colour kind that edits the colour with the colour dialog, and
// a flat drop-down list.
#include <functional>

#include "platform/forms/ComboBox.h"
#include "platform/forms/CustomControls.h"
#include "platform/graphics/Colors.h"

class TCanvas;

// Painted by itself (a platform push button has no room for the symbol).
class TZebButton : public TCustomControl {
    TV_CLASS(TZebButton, TCustomControl)
public:
    explicit TZebButton(TComponent* owner);

    int SymbolWidth() const { return symbolWidth_; }
    void SetSymbolWidth(int value);
    bool SymbolVisible() const { return symbolVisible_; }
    void SetSymbolVisible(bool value);
    // The object whose published property (by name, empty for none) the symbol shows; not owned.
    void LinkProperty(TObject* instance, const String& propertyName);
    TObject* LinkedObject() const { return linked_; }
    const String& LinkedPropertyName() const { return propertyName_; }
    // Where the symbol is drawn, in client coordinates.
    TRect SymbolRect() const;

protected:
    void Paint() override;
    virtual void DrawSymbol(TCanvas& canvas);
    void CMTextChanged(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(Word& key, TShiftState shift) override;

private:
    TObject* linked_ = nullptr;
    String propertyName_;
    int symbolWidth_ = 0;
    bool symbolVisible_ = true;
    bool pressed_ = false;
};

using TButtonColorCallback = std::function<TColor()>;

class TButtonColor : public TZebButton {
    TV_CLASS(TButtonColor, TZebButton)
public:
    explicit TButtonColor(TComponent* owner);

    bool FullOpen() const { return fullOpen_; }
    void SetFullOpen(bool value) { fullOpen_ = value; }
    // The callback's colour, else the linked property's, else the stored one.
    TColor GetSymbolColor() const;
    // Writes the linked property (or the stored colour) when it differs.
    void SetSymbolColor(TColor value);
    void SetColorCallback(TButtonColorCallback callback) { callback_ = std::move(callback); }
    // Opens the colour dialog; a changed colour is written, then OnClick runs.
    void Click() override;

protected:
    void DrawSymbol(TCanvas& canvas) override;

private:
    TColor color_ = clBlack;
    bool fullOpen_ = true;
    TButtonColorCallback callback_;
};

class TComboFlat : public TComboBox {
    TV_CLASS(TComboFlat, TComboBox)
public:
    explicit TComboFlat(TComponent* owner);
    void AddItem(const String& text);
    // Empty, or nullptr, without a selected item.
    String GetSelectedText() const;
    TObject* GetSelectedObject() const;
    int DropDownWidth() const { return dropDownWidth_ ? dropDownWidth_ : Width(); }
    void SetDropDownWidth(int value) { dropDownWidth_ = value; }
    bool IsDropDownWidthStored() const { return dropDownWidth_ != 0 && dropDownWidth_ != Width(); }

private:
    int dropDownWidth_ = 0;
};

// The colour dialog started at colour, with the custom colours of earlier dialogs; the colour
// unchanged when cancelled.
TColor RunColorDialog(TComponent* owner, TColor color, bool fullOpen = true);
// RunColorDialog; true (and color set) only when the colour changed.
bool PickColor(TComponent* owner, TColor& color, bool fullOpen = true);

void RegisterEditorButtons();
