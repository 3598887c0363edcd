#pragma once
// The dialog that builds a format text for numbers, date-times or degree values, and the preset
// number formats of the editors' format boxes.
#include "platform/forms/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TPanel;
class TRadioButton;
class TStrings;
class TUpDown;

class TFormatEditor : public TForm {
    TV_CLASS(TFormatEditor, TForm)
public:
    // Builds the dialog from its stored description.
    explicit TFormatEditor(TComponent* owner);

    // The format being edited: set before showing, read back by BuildFormat.
    String FormatText;
    bool IsDate() const { return isDate_; }
    bool IsGeo() const { return isGeo_; }
    // The format the controls describe.
    String BuildFormat() const;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void RBIntegerClick(TObject* Sender);
    void RBDateClick(TObject* Sender);
    void CBPercentClick(TObject* Sender);
    void CBDateChange(TObject* Sender);
    void CBGeoChange(TObject* Sender);
    void CBCustomChange(TObject* Sender);

    TPanel* Panel1 = nullptr;
    TRadioButton* RBInteger = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TUpDown* UpDown1 = nullptr;
    TCheckBox* CBFixedDecimals = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* Edit2 = nullptr;
    TUpDown* UpDown2 = nullptr;
    TCheckBox* CBThousands = nullptr;
    TCheckBox* CBPercent = nullptr;
    TCheckBox* CBCurrency = nullptr;
    TRadioButton* RBDate = nullptr;
    TComboBox* CBDate = nullptr;
    TRadioButton* RBGeo = nullptr;
    TComboBox* CBGeo = nullptr;
    TRadioButton* RBCustom = nullptr;
    TComboBox* CBCustom = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

protected:
    void Loaded() override;

private:
    void modeChanged();
    void readFormat();
    void focus(TComboBox* combo);

    bool isDate_ = false;
    bool isGeo_ = false;
    bool changing_ = false;  // the dialog sets radio buttons itself
};

// Edits format in the dialog; date-time formats are offered when dateTimes. The new format on OK,
// the given one on Cancel.
String EditValueFormat(TComponent* owner, const String& format, bool dateTimes);
// Appends the preset number formats.
void AddCustomFormats(TStrings& list);
