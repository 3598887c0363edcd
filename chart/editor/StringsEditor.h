#pragma once
// A modal plain-text editor for a list of lines or one text, also used read-only to show a text.
// It copies to the clipboard and loads or saves a text file.
#include "platform/forms/Forms.h"

class TMemo;
class TButton;
class TPanel;
class TOpenDialog;
class TSaveDialog;
class TStrings;

class TStringsEditor : public TForm {
    TV_CLASS(TStringsEditor, TForm)
public:
    // Builds the dialog from its stored description.
    explicit TStringsEditor(TComponent* owner);

    void FormCreate(TObject* Sender);
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void Button5Click(TObject* Sender);

    TMemo* Memo1 = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;
    TButton* Button4 = nullptr;
    TButton* Button5 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;

protected:
    void Loaded() override;
};

// Shows lines in the dialog (centred on owner when it is a top-level form); with OK and not
// read-only the lines take the memo's lines. True when closed with OK.
bool EditStrings(TComponent* owner, TStrings& lines, bool readOnly);
// The same for one text.
bool EditText(TComponent* owner, String& text, bool readOnly);
