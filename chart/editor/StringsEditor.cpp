#include "chart/editor/StringsEditor.h"

#include "chart/core/ControlRoutines.h"
#include "chart/core/ZebConst.h"
#include "chart/editor/EditorResources.h"
#include "chart/editor/EditorRoutines.h"
#include "platform/classes/Published.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/FileDialogs.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/rtl/StringList.h"
#include "platform/forms/FormComponents.h"

TV_PUBLISHED(TStringsEditor)
{
    Method("FormCreate", &TStringsEditor::FormCreate);
    Method("FormKeyDown", &TStringsEditor::FormKeyDown);
    Method("Button3Click", &TStringsEditor::Button3Click);
    Method("Button4Click", &TStringsEditor::Button4Click);
    Method("Button5Click", &TStringsEditor::Button5Click);
}

TStringsEditor::TStringsEditor(TComponent* owner) : TForm(owner) { InitEditorForm(*this, "TStringsEditor"); }

void TStringsEditor::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, Memo1, "Memo1");
    FindFormComponent(*this, Panel1, "Panel1");
    FindFormComponent(*this, Button1, "Button1");
    FindFormComponent(*this, Button2, "Button2");
    FindFormComponent(*this, Button3, "Button3");
    FindFormComponent(*this, Button4, "Button4");
    FindFormComponent(*this, Button5, "Button5");
    FindFormComponent(*this, OpenDialog1, "OpenDialog1");
    FindFormComponent(*this, SaveDialog1, "SaveDialog1");
    SetActiveControl(Memo1);
}

void TStringsEditor::FormCreate(TObject*)
{
    const String filter = TxtTextFile + "|*.txt";
    OpenDialog1->SetFilter(filter);
    OpenDialog1->SetTitle(TxtSelectTextFile);
    SaveDialog1->SetFilter(filter);
    SaveDialog1->SetTitle(TxtSaveAsTextFile);
}

void TStringsEditor::FormKeyDown(TObject*, Word& key, TShiftState)
{
    if (key != VK_ESCAPE) return;
    key = 0;
    SetModalResult(mrCancel);
}

void TStringsEditor::Button3Click(TObject*)
{
    const String selected = Memo1->SelText();
    Clipboard()->SetAsText(selected.empty() ? Memo1->Text() : selected);
}

void TStringsEditor::Button4Click(TObject*)
{
    if (OpenDialog1->Execute()) Memo1->Lines()->LoadFromFile(OpenDialog1->FileName());
}

void TStringsEditor::Button5Click(TObject*)
{
    if (SaveDialog1->Execute()) Memo1->Lines()->SaveToFile(SaveDialog1->FileName());
}

namespace {

template <class Fill, class Take>
bool RunStringsEditor(TComponent* owner, bool readOnly, Fill fill, Take take)
{
    TOwnedPtr<TStringsEditor> dialog(new TStringsEditor(owner));
    if (owner && !owner->Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(dialog.get())) CenterEditorForm(*form);
    fill(*dialog->Memo1);
    dialog->Memo1->SetReadOnly(readOnly);
    LocalizeControl(*dialog);
    const bool ok = dialog->ShowModal() == mrOk;
    if (ok && !readOnly) take(*dialog->Memo1);
    return ok;
}

}  // namespace

bool EditStrings(TComponent* owner, TStrings& lines, bool readOnly)
{
    return RunStringsEditor(
        owner, readOnly, [&](TMemo& memo) { memo.Lines()->Assign(lines); },
        [&](TMemo& memo) { lines.Assign(*memo.Lines()); });
}

bool EditText(TComponent* owner, String& text, bool readOnly)
{
    return RunStringsEditor(
        owner, readOnly, [&](TMemo& memo) { memo.SetText(text); }, [&](TMemo& memo) { text = memo.Text(); });
}
