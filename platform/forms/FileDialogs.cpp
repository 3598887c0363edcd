// TOpenDialog and TSaveDialog on the platform's file dialog; the same checks (existing file,
// overwrite, completed name) apply to a handler's answer.
#include <functional>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/FileDialogs.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/StdCtrls_p.h"
#include "platform/rtl/Strings.h"

using tvforms::Q;
using tvforms::RunModal;

namespace {

std::vector<String> SplitBars(const String& filter)
{
    std::vector<String> parts;
    if (filter.empty()) return parts;
    String current;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    return parts;
}

// Qt appends its default suffix to a name without one and asks about overwriting the name so
// completed: the suffix is the one our rule gives for the entry chosen, also when the user accepts.
class CompletingFileDialog : public QFileDialog {
public:
    explicit CompletingFileDialog(std::function<QString(const QString& nameFilter)> suffix) : suffix_(std::move(suffix))
    {
        connect(this, &QFileDialog::filterSelected, this, [this] { FollowFilter(); });
    }
    void FollowFilter() { setDefaultSuffix(suffix_(selectedNameFilter())); }
    void accept() override
    {
        FollowFilter();
        QFileDialog::accept();
    }

private:
    std::function<QString(const QString&)> suffix_;
};

}  // namespace

TV_PUBLISHED(TOpenDialog)
{
    Prop("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    Prop("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    Prop("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    Prop("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1);
    Prop("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    PropSet("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions, (TOpenOptions{ofHideReadOnly, ofEnableSizing}),
            TOpenOptionNames);
    Prop("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    Prop("OnShow", &TOpenDialog::OnShow, &TOpenDialog::SetOnShow);
    Prop("OnClose", &TOpenDialog::OnClose, &TOpenDialog::SetOnClose);
}

TV_PUBLISHED(TSaveDialog) {}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

int TOpenDialog::FilterCount() const { return static_cast<int>(SplitBars(filter_).size() + 1) / 2; }

String TOpenDialog::FilterDescription(int index1) const
{
    auto parts = SplitBars(filter_);
    size_t at = static_cast<size_t>(index1 - 1) * 2;
    return index1 >= 1 && at < parts.size() ? parts[at] : String();
}

String TOpenDialog::FilterPatterns(int index1) const
{
    auto parts = SplitBars(filter_);
    size_t at = static_cast<size_t>(index1 - 1) * 2 + 1;
    return index1 >= 1 && at < parts.size() ? parts[at] : String();
}

String TOpenDialog::CompletionExtension(int filterIndex) const
{
    const String patterns = FilterPatterns(filterIndex);
    const bool single = patterns.size() > 2 && patterns.compare(0, 2, "*.") == 0 &&
                        patterns.find_first_of(";*?", 2) == String::npos;
    return single ? patterns.substr(2) : defaultExt_;
}

String TOpenDialog::completed(const String& chosen, int filterIndex) const
{
    QFileInfo info(Q(chosen));
    QString name = Q(chosen);
    if (info.isRelative() && !initialDir_.empty()) name = QDir(Q(initialDir_)).filePath(name);
    if (QFileInfo(name).suffix().isEmpty() && !QFileInfo(name).isDir()) {
        const String ext = CompletionExtension(filterIndex);
        if (!ext.empty()) name += '.' + Q(ext);
    }
    return name.toStdString();
}

bool TOpenDialog::Execute() { return DoExecute(false); }

bool TSaveDialog::Execute() { return DoExecute(true); }

bool TOpenDialog::DoExecute(bool save)
{
    const int count = FilterCount();
    int index = count == 0 ? 1 : std::clamp(filterIndex_, 1, count);
    if (onShow_) onShow_(this);
    String chosen = fileName_;
    int answer = IDCANCEL;
    const TDialogHandler handler = CurrentDialogHandler();
    if (handler) {
        TDialogRequest request;
        request.Kind = save ? dkSaveDialog : dkOpenDialog;
        request.Caption = title_;
        request.FileDialog = this;
        request.Value = &chosen;
        request.FilterIndex = &index;
        answer = handler(request);
    } else if (!tvforms::IsOffscreen()) {
        QStringList filters;
        for (int i = 1; i <= count; ++i) {
            QString patterns = Q(FilterPatterns(i));
            patterns.replace(';', ' ');
            // Qt reads the patterns from the parentheses; a description showing them already keeps its own.
            const QString description = Q(FilterDescription(i));
            filters << (description.endsWith("(" + patterns + ")") ? description : description + " (" + patterns + ")");
        }
        CompletingFileDialog dialog([&](const QString& nameFilter) {
            const int at = static_cast<int>(filters.indexOf(nameFilter));
            return Q(CompletionExtension(at >= 0 ? at + 1 : index));
        });
        dialog.setWindowTitle(Q(title_));
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save || !options_.Contains(ofFileMustExist) ? QFileDialog::AnyFile
                                                                       : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !options_.Contains(ofOverwritePrompt));
        dialog.setNameFilters(filters);
        if (count > 0) dialog.selectNameFilter(filters[index - 1]);
        if (!initialDir_.empty()) dialog.setDirectory(Q(initialDir_));
        if (!fileName_.empty()) dialog.selectFile(Q(fileName_));
        dialog.FollowFilter();
        if (RunModal([&] { return dialog.exec(); }) == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            answer = IDOK;
            chosen = dialog.selectedFiles().first().toStdString();
            int at = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
            if (at >= 0) index = at + 1;
        }
    }
    bool ok = answer == IDOK && !chosen.empty();
    if (ok) {
        chosen = completed(chosen, index);
        QFileInfo info(Q(chosen));
        if (!save && options_.Contains(ofFileMustExist) && !info.exists()) {
            Application->MessageBox(chosen + "\nFile not found.\nCheck the file name and try again.", title_,
                                    MB_OK | MB_ICONWARNING);
            ok = false;
        } else if (options_.Contains(ofPathMustExist) && !info.absoluteDir().exists()) {
            Application->MessageBox(chosen + "\nPath does not exist.\nCheck the path and try again.", title_,
                                    MB_OK | MB_ICONWARNING);
            ok = false;
        } else if (save && handler && options_.Contains(ofOverwritePrompt) && info.exists()) {
            // The platform's dialog has asked already; a handler's answer is asked here.
            ok = Application->MessageBox(chosen + " already exists.\nDo you want to replace it?", title_,
                                         MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
        }
    }
    if (ok) {
        fileName_ = chosen;
        filterIndex_ = index;
    }
    if (onClose_) onClose_(this);
    return ok;
}

void RegisterFileDialogs() { RegisterClasses({&TOpenDialog::StaticClass(), &TSaveDialog::StaticClass()}); }
