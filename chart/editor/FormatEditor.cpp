#include "chart/editor/FormatEditor.h"

#include <algorithm>
#include <tuple>

#include "chart/core/ControlRoutines.h"
#include "chart/core/ZebConst.h"
#include "chart/editor/EditorResources.h"
#include "chart/editor/ScopedFlag.h"
#include "platform/classes/Published.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StringList.h"
#include "platform/forms/FormComponents.h"

namespace {

// Degree formats; the degree sign is the Latin-1 one, held here as UTF-8. Entry 4 repeats entry 2.
const char* const GeoFormats[] = {"ddd\u00B0 mm' ss\".zzz",
                                  "ddd mm' ss\".zzz",
                                  "ddd deg mm' ss\".zzz",
                                  "ddd mm' ss\".zzz",
                                  "ddd mm ss.zzz",
                                  "ddd mm ss",
                                  "ddd mm",
                                  "ddd\u00B0",
                                  "ddd"};

void AddWhenMissing(TStrings& items, const String& s)
{
    if (items.IndexOf(s) < 0) items.Add(s);
}

// Removes the first occurrence; true when there was one.
bool RemoveFirst(String& text, const String& part)
{
    if (part.empty()) return false;
    auto at = text.find(part);
    if (at == String::npos) return false;
    text.erase(at, part.size());
    return true;
}

}  // namespace

TV_PUBLISHED(TFormatEditor)
{
    Method("FormCreate", &TFormatEditor::FormCreate);
    Method("FormShow", &TFormatEditor::FormShow);
    Method("RBIntegerClick", &TFormatEditor::RBIntegerClick);
    Method("RBDateClick", &TFormatEditor::RBDateClick);
    Method("CBPercentClick", &TFormatEditor::CBPercentClick);
    Method("CBDateChange", &TFormatEditor::CBDateChange);
    Method("CBGeoChange", &TFormatEditor::CBGeoChange);
    Method("CBCustomChange", &TFormatEditor::CBCustomChange);
}

TFormatEditor::TFormatEditor(TComponent* owner) : TForm(owner) { InitEditorForm(*this, "TFormatEditor"); }

void TFormatEditor::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, Panel1, "Panel1");
    FindFormComponent(*this, RBInteger, "RBInteger");
    FindFormComponent(*this, Label1, "Label1");
    FindFormComponent(*this, Edit1, "Edit1");
    FindFormComponent(*this, UpDown1, "UpDown1");
    FindFormComponent(*this, CBFixedDecimals, "CBFixedDecimals");
    FindFormComponent(*this, Label2, "Label2");
    FindFormComponent(*this, Edit2, "Edit2");
    FindFormComponent(*this, UpDown2, "UpDown2");
    FindFormComponent(*this, CBThousands, "CBThousands");
    FindFormComponent(*this, CBPercent, "CBPercent");
    FindFormComponent(*this, CBCurrency, "CBCurrency");
    FindFormComponent(*this, RBDate, "RBDate");
    FindFormComponent(*this, CBDate, "CBDate");
    FindFormComponent(*this, RBGeo, "RBGeo");
    FindFormComponent(*this, CBGeo, "CBGeo");
    FindFormComponent(*this, RBCustom, "RBCustom");
    FindFormComponent(*this, CBCustom, "CBCustom");
    FindFormComponent(*this, Button1, "Button1");
    FindFormComponent(*this, Button2, "Button2");
}

void TFormatEditor::FormCreate(TObject*)
{
    AddWhenMissing(*CBDate->Items(), FormatSettings.ShortDateFormat);
    AddWhenMissing(*CBDate->Items(), FormatSettings.ShortTimeFormat);
}

void TFormatEditor::focus(TComboBox* combo)
{
    if (combo->CanFocus()) combo->SetFocus();
}

void TFormatEditor::FormShow(TObject*)
{
    CBCustom->Items()->Clear();
    CBCustom->Items()->Add("#.#");
    CBCustom->Items()->Add("0.0%");
    CBGeo->Items()->Clear();
    for (const char* f : GeoFormats) CBGeo->Items()->Add(f);
    readFormat();
    LocalizeControl(*this);
}

void TFormatEditor::readFormat()
{
    ScopedFlag guard(changing_);
    // A date-time or degree format of the lists chooses its mode.
    for (auto [combo, button, flag] : {std::tuple{CBDate, RBDate, &isDate_}, std::tuple{CBGeo, RBGeo, &isGeo_}}) {
        if (combo->Items()->IndexOf(FormatText) < 0) continue;
        combo->SetEnabled(true);
        combo->SetText(FormatText);
        focus(combo);
        button->SetChecked(true);
        *flag = true;
        return;
    }
    String rest = FormatText;
    if (RemoveFirst(rest, "%")) CBPercent->SetChecked(true);
    if (RemoveFirst(rest, FormatSettings.CurrencyString)) CBCurrency->SetChecked(true);
    if (RemoveFirst(rest, String(1, FormatSettings.ThousandSeparator))) CBThousands->SetChecked(true);
    auto sep = rest.find(FormatSettings.DecimalSeparator);
    if (sep != String::npos) {
        RBInteger->SetChecked(true);
        auto end = rest.find_first_not_of("#0", sep + 1);
        if (end == String::npos) end = rest.size();
        const auto run = end - sep - 1;
        UpDown1->SetPosition(static_cast<int>(run));
        CBFixedDecimals->SetChecked(run >= 1 && rest[sep + 1] == '0');
        rest.erase(sep, run + 1);
    }
    if (rest.find_first_not_of("#0") != String::npos) {
        RBCustom->SetChecked(true);
        RBInteger->SetChecked(false);
        CBCustom->SetEnabled(true);
        AddWhenMissing(*CBCustom->Items(), FormatText);
        CBCustom->SetText(FormatText);
        focus(CBCustom);
        CBPercent->SetEnabled(false);
    } else {
        RBInteger->SetChecked(true);
        UpDown2->SetPosition(static_cast<int>(std::count(rest.begin(), rest.end(), '0')));
    }
}

void TFormatEditor::RBIntegerClick(TObject*)
{
    if (changing_) return;
    {
        ScopedFlag guard(changing_);
        RBDate->SetChecked(false);
        RBGeo->SetChecked(false);
        RBCustom->SetChecked(false);
    }
    modeChanged();
}

void TFormatEditor::RBDateClick(TObject*)
{
    if (!changing_) modeChanged();
}

void TFormatEditor::modeChanged()
{
    isDate_ = RBDate->Checked();
    isGeo_ = RBGeo->Checked();
    if (RBDate->Checked() || RBGeo->Checked() || RBCustom->Checked()) {
        ScopedFlag guard(changing_);
        RBInteger->SetChecked(false);
    }
    CBDate->SetEnabled(RBDate->Checked());
    CBGeo->SetEnabled(RBGeo->Checked());
    CBCustom->SetEnabled(RBCustom->Checked());
    if (isDate_) {
        if (CBDate->Text().empty()) CBDate->SetText(FormatSettings.ShortDateFormat);
        focus(CBDate);
    } else if (isGeo_) {
        if (CBGeo->Text().empty()) CBGeo->SetText(GeoFormats[0]);
        focus(CBGeo);
    } else {
        CBPercent->SetEnabled(!CBCustom->Enabled());
        if (RBCustom->Checked()) focus(CBCustom);
    }
}

void TFormatEditor::CBPercentClick(TObject*)
{
    // A percentage has no thousands and no currency.
    const bool percent = CBPercent->Checked();
    if (percent) {
        CBThousands->SetChecked(false);
        CBCurrency->SetChecked(false);
    }
    CBThousands->SetEnabled(!percent);
    CBCurrency->SetEnabled(!percent);
}

void TFormatEditor::CBDateChange(TObject*) { FormatText = CBDate->Text(); }

void TFormatEditor::CBGeoChange(TObject*) { FormatText = CBGeo->Text(); }

void TFormatEditor::CBCustomChange(TObject*) { FormatText = CBCustom->Text(); }

String TFormatEditor::BuildFormat() const
{
    if (RBCustom->Checked()) return CBCustom->Text();
    if (RBDate->Checked()) return CBDate->Text();
    if (RBGeo->Checked()) return CBGeo->Text();
    if (!RBInteger->Checked()) return String();
    const String thousands(1, FormatSettings.ThousandSeparator);
    String result = CBCurrency->Checked() ? FormatSettings.CurrencyString : String();
    const int fixed = UpDown2->Position();
    const bool withThousands = CBThousands->Checked();
    if (fixed > 0) {
        if (!withThousands)
            result += String(static_cast<size_t>(fixed), '0');
        else if (fixed <= 3)
            result += "#" + thousands + String(static_cast<size_t>(3 - fixed), '#') +
                      String(static_cast<size_t>(fixed), '0');
        else
            result += String(static_cast<size_t>(fixed - 3), '0') + thousands + "000";
    } else {
        result += withThousands ? "#" + thousands + "###" : "#";
    }
    const int decimals = UpDown1->Position();
    if (decimals > 0)
        result += String(1, FormatSettings.DecimalSeparator) +
                  String(static_cast<size_t>(decimals), CBFixedDecimals->Checked() ? '0' : '#');
    if (CBPercent->Checked()) result += "%";
    return result;
}

String EditValueFormat(TComponent* owner, const String& format, bool dateTimes)
{
    TOwnedPtr<TFormatEditor> dialog(new TFormatEditor(owner));
    dialog->FormatText = format;
    dialog->RBDate->SetVisible(dateTimes);
    dialog->CBDate->SetVisible(dateTimes);
    return dialog->ShowModal() == mrOk ? dialog->BuildFormat() : format;
}

void AddCustomFormats(TStrings& list)
{
    list.Add(TxtValueFormat);
    list.Add(TxtPercentFormat);
    list.Add(TxtExponentFormat);
    for (const char* f : {"0", "0.0", "0.#", "#.#", "#,##0.00;(#,##0.00)", "00e-0", "#.# x10E-#"}) list.Add(f);
}
