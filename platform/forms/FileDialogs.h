#pragma once
// TOpenDialog and TSaveDialog: the platform's file choice. The dialog handler of Dialogs.h answers
// them when no human can (tests, headless runs); without one they are cancelled offscreen.
//
// Filter: pairs of description and patterns joined by "|" ("Text files|*.txt|All|*.*");
// FilterIndex is 1-based and holds the entry chosen after Execute. A name chosen without an
// extension gets the chosen entry's extension when it names exactly one, else DefaultExt; a name
// without a folder lands in InitialDir.
#include <iterator>

#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/classes/Sets.h"

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
inline constexpr const char* TOpenOptionNames[] = {
    "ofReadOnly",        "ofOverwritePrompt",  "ofHideReadOnly",       "ofNoChangeDir",         "ofShowHelp",
    "ofNoValidate",      "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",       "ofFileMustExist",
    "ofCreatePrompt",    "ofShareAware",       "ofNoReadOnlyReturn",   "ofNoTestFileCreate",    "ofNoNetworkButton",
    "ofNoLongNames",     "ofOldStyleDialog",   "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
    "ofDontAddToRecent", "ofForceShowHidden"};
static_assert(std::size(TOpenOptionNames) == ofForceShowHidden + 1);
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TComponent {
    TV_CLASS(TOpenDialog, TComponent)
public:
    explicit TOpenDialog(TComponent* owner);

    const String& FileName() const { return fileName_; }
    void SetFileName(const String& value) { fileName_ = value; }
    const String& Filter() const { return filter_; }
    void SetFilter(const String& value) { filter_ = value; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    const String& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const String& value) { defaultExt_ = value; }
    const String& InitialDir() const { return initialDir_; }
    void SetInitialDir(const String& value) { initialDir_ = value; }
    const String& Title() const { return title_; }
    void SetTitle(const String& value) { title_ = value; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions value) { options_ = value; }

    // The filter's entries: description and patterns ("*.txt;*.text").
    int FilterCount() const;
    String FilterDescription(int index1) const;
    String FilterPatterns(int index1) const;

    // The extension a name chosen without one gets under a 1-based entry: the entry's when it
    // names exactly one, else DefaultExt.
    String CompletionExtension(int filterIndex) const;

    // Shows the dialog; true with FileName and FilterIndex set when a file was chosen.
    virtual bool Execute();

    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(const TNotifyEvent& e) { onShow_ = e; }
    const TNotifyEvent& OnClose() const { return onClose_; }
    void SetOnClose(const TNotifyEvent& e) { onClose_ = e; }

protected:
    bool DoExecute(bool save);

private:
    String completed(const String& chosen, int filterIndex) const;

    String fileName_, filter_, defaultExt_, initialDir_, title_;
    int filterIndex_ = 1;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
    TNotifyEvent onShow_, onClose_;
};

class TSaveDialog : public TOpenDialog {
    TV_CLASS(TSaveDialog, TOpenDialog)
public:
    using TOpenDialog::TOpenDialog;
    bool Execute() override;
};

void RegisterFileDialogs();
