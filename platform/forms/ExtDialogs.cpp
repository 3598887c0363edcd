#include "platform/forms/ExtDialogs.h"

#include <QColorDialog>
#include <QFileDialog>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/MessageBoxCodes.h"
#include "platform/forms/StdCtrls_p.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"

using tvforms::Q;

TV_PUBLISHED(TColorDialog)
{
    PropColor("Color", &TColorDialog::Color, &TColorDialog::SetColor, clBlack);
    Prop("CustomColors", &TColorDialog::CustomColors, &TColorDialog::SetCustomColors);
}

TColorDialog::TColorDialog(TComponent* owner) : TComponent(owner), customColors_(new TStringList) {}

TColorDialog::~TColorDialog() { delete customColors_; }

void TColorDialog::SetCustomColors(TStrings* value)
{
    if (value) customColors_->Assign(*value);
}

namespace {

QColor ToQ(TColor c)
{
    const auto rgb = static_cast<std::uint32_t>(ColorToRGB(c));
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor FromQ(const QColor& c) { return static_cast<TColor>(c.red() | (c.green() << 8) | (c.blue() << 16)); }

}  // namespace

bool TColorDialog::Execute()
{
    const TDialogHandler& handler = CurrentDialogHandler();
    if (handler) {
        TDialogRequest request;
        request.Kind = dkColorDialog;
        request.Caption = "Color";
        String value = IntToStr(static_cast<int>(color_));
        request.Value = &value;
        if (handler(request) != IDOK) return false;
        color_ = static_cast<TColor>(StrToIntDef(value, static_cast<int>(color_)));
        return true;
    }
    if (tvforms::IsOffscreen()) return false;
    for (int i = 0; i < customColors_->Count() && i < QColorDialog::customCount(); ++i) {
        const String line = customColors_->Get(i);
        const size_t eq = line.find('=');
        if (eq == String::npos) continue;
        const int value = StrToIntDef("$" + line.substr(eq + 1), -1);
        if (value >= 0) QColorDialog::setCustomColor(i, ToQ(static_cast<TColor>(value)));
    }
    const QColor chosen = tvforms::RunModal([&] { return QColorDialog::getColor(ToQ(color_), nullptr, "Color"); });
    customColors_->Clear();
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        customColors_->Add(Format("Color%s=%.6X", {String(1, static_cast<char>('A' + i)),
                                                   static_cast<int>(FromQ(QColorDialog::customColor(i)))}));
    if (!chosen.isValid()) return false;
    color_ = FromQ(chosen);
    return true;
}

bool SelectDirectory(const String& caption, const String& root, String& directory)
{
    const TDialogHandler& handler = CurrentDialogHandler();
    if (handler) {
        TDialogRequest request;
        request.Kind = dkFolderBrowser;
        request.Caption = caption;
        request.Text = root;
        String value = directory;
        request.Value = &value;
        if (handler(request) != IDOK) return false;
        directory = value;
        return true;
    }
    if (tvforms::IsOffscreen()) return false;
    const QString chosen = tvforms::RunModal([&] {
        return QFileDialog::getExistingDirectory(nullptr, Q(caption), Q(directory.empty() ? root : directory));
    });
    if (chosen.isEmpty()) return false;
    directory = chosen.toStdString();
    return true;
}

void RegisterExtDialogs() { RegisterClass(TColorDialog::StaticClass()); }
