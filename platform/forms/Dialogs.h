#pragma once
// Message boxes and simple input dialogs.
#include <functional>

#include "platform/classes/Sets.h"
#include "platform/rtl/Types.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// Shows text in a box with an OK button and the application's title.
void ShowMessage(const String& text);
// Answers the modal result of the button pressed (mrYes, mrOk ...).
int MessageDlg(const String& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// true with the typed value on OK; value unchanged on Cancel.
bool InputQuery(const String& caption, const String& prompt, String& value);
// The value typed, or defaultValue on Cancel.
String InputBox(const String& caption, const String& prompt, const String& defaultValue);
void MessageBeep(unsigned type = 0);

// What a box asks; a handler answers it without a human (tests, headless runs).
class TOpenDialog;
enum TDialogKind { dkMessageBox, dkMessageDlg, dkInputQuery, dkOpenDialog, dkSaveDialog, dkPopupMenu, dkColorDialog, dkFolderBrowser };
struct TDialogRequest {
    TDialogKind Kind = dkMessageBox;
    String Caption;
    String Text;
    int Flags = 0;                   // message boxes: MB_ flags
    TMsgDlgType DlgType = mtCustom;  // MessageDlg
    TMsgDlgButtons Buttons;          // MessageDlg
    // InputQuery: the value to edit; file dialogs and the folder browser: the file or folder
    // chosen; colour dialog: the colour as a decimal number (0x00BBGGRR).
    String* Value = nullptr;
    // File dialogs: the dialog asking (filter, options, folder ...) and the 1-based filter entry
    // chosen, to set with the file name.
    const TOpenDialog* FileDialog = nullptr;
    int* FilterIndex = nullptr;
};
// Answers the id of the button pressed (IDOK, mrYes ...). Returns the previous handler.
// Without a handler boxes are shown modally; on the offscreen platform they answer their default
// button at once (nobody could press one), and file dialogs are cancelled.
using TDialogHandler = std::function<int(const TDialogRequest& request)>;
TDialogHandler SetDialogHandler(TDialogHandler handler);
// The handler in place (empty when none).
const TDialogHandler& CurrentDialogHandler();
