#include "chart/io/ZebEmfOptions.h"

#include "chart/core/ZebPanel.h"
#include "platform/forms/FormComponents.h"
#include "platform/classes/Published.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/GroupBox.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/Metafile.h"

void TvRegisterResources_chartio();

TV_PUBLISHED(TEMFExportFormat) {}

TEMFExportFormat::~TEMFExportFormat() { TObject::Free(options_); }

String TEMFExportFormat::GetDescriptionText() const { return "as &Metafile"; }

String TEMFExportFormat::GetFilterText() const { return "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf"; }

void TEMFExportFormat::TakeFilterIndex(int& counter)
{
    SetFilterIndex(counter + 1);
    counter += 2;
}

int TEMFExportFormat::GetFilterIndex() const { return IsEnhanced() ? FilterIndex() : FilterIndex() + 1; }

bool TEMFExportFormat::OwnsFilterIndex(int index)
{
    // Each of the two entries names its kind: the EMF entry after a WMF save writes an EMF again.
    if (index == FilterIndex()) {
        if (!IsEnhanced()) SetEnhanced(true);
        return true;
    }
    if (index != FilterIndex() + 1) return false;
    SetEnhanced(false);
    return true;
}

String TEMFExportFormat::GetDefaultExtension() const { return IsEnhanced() ? "emf" : "wmf"; }

bool TEMFExportFormat::IsEnhanced() const { return !options_ || options_->CBEnhanced->Checked(); }

void TEMFExportFormat::SetEnhanced(bool value)
{
    GetOptionsForm(true);
    options_->CBEnhanced->SetChecked(value);
}

TMetafile* TEMFExportFormat::MakeMetafile() { return MakeMetafile(IsEnhanced()); }

TMetafile* TEMFExportFormat::MakeMetafile(bool enhanced)
{
    FillDefaultSize();
    return Panel()->RenderToMetafile(enhanced, {0, 0, Width(), Height()});
}

void TEMFExportFormat::PutOnClipboard()
{
    TOwnedPtr<TMetafile> metafile(MakeMetafile());
    Clipboard()->SetMetafile(*metafile);
}

void TEMFExportFormat::WriteToStream(TStream& stream)
{
    TOwnedPtr<TMetafile> metafile(MakeMetafile());
    metafile->SaveToStream(stream);
}

void TEMFExportFormat::WriteToStreamWithOptions(TStream& stream, TForm* options)
{
    // Without this the file would stay empty.
    const auto* given = dynamic_cast<const TEMFOptions*>(options);
    TOwnedPtr<TMetafile> metafile(MakeMetafile(given ? given->CBEnhanced->Checked() : IsEnhanced()));
    metafile->SaveToStream(stream);
}

const TMetaClass* TEMFExportFormat::GetGraphicClass() const { return &TMetafile::StaticClass(); }

TForm* TEMFExportFormat::GetOptionsForm(bool create)
{
    if (!options_ && create) {
        options_ = new TEMFOptions(nullptr);
        options_->SetExportFormat(this);
    }
    return options_;
}

TV_PUBLISHED(TEMFOptions)
{
    Method("FormShow", &TEMFOptions::FormShow);
    Method("CBEnhancedClick", &TEMFOptions::CBEnhancedClick);
}

TEMFOptions::TEMFOptions(TComponent* owner) : TForm(owner)
{
    static const bool registered = (TvRegisterResources_chartio(), true);
    (void)registered;
    InitFromResource("TEMFOptions");
}

void TEMFOptions::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, Panel1, "Panel1");
    FindFormComponent(*this, CBEnhanced, "CBEnhanced");
    FindFormComponent(*this, GroupBox1, "GroupBox1");
    FindFormComponent(*this, ImagePreview, "ImagePreview");
}

void TEMFOptions::RefreshPreview()
{
    if (!format_ || !format_->Panel()) return;
    TOwnedPtr<TMetafile> metafile(format_->MakeMetafile());
    ImagePreview->Picture()->SetGraphic(metafile.get());
}

void TEMFOptions::FormShow(TObject*)
{
    SetAlign(alClient);
    RefreshPreview();
}

void TEMFOptions::CBEnhancedClick(TObject*) { RefreshPreview(); }
