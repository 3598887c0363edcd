// Message boxes and input dialogs; a handler answers them when no human can (tests, headless runs).
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"

namespace {

TDialogHandler dialogHandler;

QString Q(const String& s) { return QString::fromStdString(s); }

// The default answer of a message box: its default button.
int DefaultAnswer(int flags)
{
    int def = (flags & 0xF00) >> 8;  // MB_DEFBUTTONn - 1
    switch (flags & 0x0F) {
    case MB_OKCANCEL: return def == 1 ? IDCANCEL : IDOK;
    case MB_ABORTRETRYIGNORE: return def == 1 ? IDRETRY : def == 2 ? IDIGNORE : IDABORT;
    case MB_YESNOCANCEL: return def == 1 ? IDNO : def == 2 ? IDCANCEL : IDYES;
    case MB_YESNO: return def == 1 ? IDNO : IDYES;
    case MB_RETRYCANCEL: return def == 1 ? IDCANCEL : IDRETRY;
    default: return IDOK;
    }
}

int ModalResultOf(TMsgDlgBtn b)
{
    switch (b) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    default: return mrNone;
    }
}


}  // namespace

TDialogHandler SetDialogHandler(TDialogHandler handler)
{
    TDialogHandler old = std::move(dialogHandler);
    dialogHandler = std::move(handler);
    return old;
}

const TDialogHandler& CurrentDialogHandler() { return dialogHandler; }

int TApplication::MessageBox(const String& text, const String& caption, int flags)
{
    TDialogRequest request;
    request.Kind = dkMessageBox;
    request.Caption = caption;
    request.Text = text;
    request.Flags = flags;
    if (dialogHandler) return dialogHandler(request);
    if (tvforms::IsOffscreen()) return DefaultAnswer(flags);
    QMessageBox box;
    box.setWindowTitle(Q(caption));
    box.setText(Q(text));
    switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B {
        QMessageBox::StandardButton button;
        int id;
    };
    std::vector<B> buttons;
    switch (flags & 0x0F) {
    case MB_OKCANCEL: buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO: buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: buttons = {{QMessageBox::Ok, IDOK}}; break;
    }
    QMessageBox::StandardButtons set;
    for (const auto& b : buttons) set |= b.button;
    box.setStandardButtons(set);
    int def = DefaultAnswer(flags);
    for (const auto& b : buttons)
        if (b.id == def) box.setDefaultButton(b.button);
    int pressed = tvforms::RunModal([&] { return box.exec(); });
    for (const auto& b : buttons)
        if (b.button == pressed) return b.id;
    return buttons.size() == 1 ? IDOK : IDCANCEL;
}

void ShowMessage(const String& text) { Application->MessageBox(text, Application->Title(), MB_OK); }

int MessageDlg(const String& text, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    static const char* const captions[] = {"Warning", "Error", "Information", "Confirm", ""};
    TDialogRequest request;
    request.Kind = dkMessageDlg;
    request.Caption = type == mtCustom ? Application->Title() : String(captions[type]);
    request.Text = text;
    request.DlgType = type;
    request.Buttons = buttons;
    if (dialogHandler) return dialogHandler(request);
    // The default button: OK, else Yes, else the first one.
    TMsgDlgBtn def = mbOK;
    if (!buttons.Contains(mbOK)) {
        def = mbYes;
        if (!buttons.Contains(mbYes))
            for (int b = mbYes; b <= mbHelp; ++b)
                if (buttons.Contains(static_cast<TMsgDlgBtn>(b))) {
                    def = static_cast<TMsgDlgBtn>(b);
                    break;
                }
    }
    if (tvforms::IsOffscreen()) return ModalResultOf(def);
    QMessageBox box;
    box.setWindowTitle(Q(request.Caption));
    box.setText(Q(text));
    switch (type) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    default: break;
    }
    static const QMessageBox::StandardButton map[] = {
        QMessageBox::Yes,     QMessageBox::No,       QMessageBox::Ok,     QMessageBox::Cancel,
        QMessageBox::Abort,   QMessageBox::Retry,    QMessageBox::Ignore, QMessageBox::YesToAll,
        QMessageBox::NoToAll, QMessageBox::YesToAll, QMessageBox::Help};
    QMessageBox::StandardButtons set;
    for (int b = mbYes; b <= mbHelp; ++b)
        if (buttons.Contains(static_cast<TMsgDlgBtn>(b))) set |= map[b];
    box.setStandardButtons(set);
    box.setDefaultButton(map[def]);
    int pressed = tvforms::RunModal([&] { return box.exec(); });
    for (int b = mbYes; b <= mbHelp; ++b)
        if (buttons.Contains(static_cast<TMsgDlgBtn>(b)) && map[b] == pressed)
            return ModalResultOf(static_cast<TMsgDlgBtn>(b));
    return mrCancel;
}

bool InputQuery(const String& caption, const String& prompt, String& value)
{
    TDialogRequest request;
    request.Kind = dkInputQuery;
    request.Caption = caption;
    request.Text = prompt;
    String edited = value;
    request.Value = &edited;
    int answer;
    if (dialogHandler) {
        answer = dialogHandler(request);
    } else if (tvforms::IsOffscreen()) {
        answer = IDOK;
    } else {
        bool ok = false;
        QString text = tvforms::RunModal(
            [&] { return QInputDialog::getText(nullptr, Q(caption), Q(prompt), QLineEdit::Normal, Q(value), &ok); });
        answer = ok ? IDOK : IDCANCEL;
        edited = text.toStdString();
    }
    if (answer != IDOK) return false;
    value = edited;
    return true;
}

String InputBox(const String& caption, const String& prompt, const String& defaultValue)
{
    String value = defaultValue;
    InputQuery(caption, prompt, value);
    return value;
}

void MessageBeep(unsigned)
{
    tvforms::EnsureApp();
    QApplication::beep();
}
