#include "chart/io/ZebBmpOptions.h"

#include <memory>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/Filters.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ImageFiltered.h"
#include "chart/core/ZebPanel.h"
#include "platform/forms/FormComponents.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/graphics/Graphic.h"

void TvRegisterResources_chartio();

TV_PUBLISHED(TBMPExportFormat) {}

namespace {

// The panel drawn at the format's scaled bounds, then resampled to Width x Height unless the scale
// is exactly 1.
TBitmap* MakeExportBitmap(TZebExportFormat& format, TPixelFormat pixels, int dpi)
{
    TCustomZebPanel& panel = *format.Panel();
    std::unique_ptr<TBitmap> drawn(panel.MakeBitmap(panel.Color(), format.GetScaledBounds(), pixels, dpi));
    if (format.Scale() == 1.0f) return drawn.release();
    auto result = std::make_unique<TBitmap>();
    result->SetPixelFormat(drawn->PixelFormat());
    EnsureBitmapSize(*result, format.Width(), format.Height());
    TGDIPlusCanvas::StretchBitmapSmooth(*drawn, *result);
    if (dpi > 0) SetBitmapResolution(*result, dpi);
    return result.release();
}

}  // namespace

TBMPExportFormat::TBMPExportFormat() : filters_(new TFilterItems(nullptr)) {}

TBMPExportFormat::~TBMPExportFormat()
{
    TObject::Free(options_);
    TObject::Free(filters_);
}

String TBMPExportFormat::GetDescriptionText() const { return "as &Bitmap"; }

String TBMPExportFormat::GetFilterText() const { return "Bitmaps (*.bmp)|*.bmp"; }

String TBMPExportFormat::GetDefaultExtension() const { return "bmp"; }

const TMetaClass* TBMPExportFormat::GetGraphicClass() const { return &TBitmap::StaticClass(); }

TForm* TBMPExportFormat::GetOptionsForm(bool create)
{
    if (create) EnsureOptionsForm();
    return options_;
}

TBMPOptions* TBMPExportFormat::EnsureOptionsForm()
{
    if (!options_) {
        options_ = new TBMPOptions(nullptr);
        options_->SetExportFormat(this);
    }
    return options_;
}

TBitmap* TBMPExportFormat::MakeBitmap()
{
    TBMPOptions& options = *EnsureOptionsForm();
    FillDefaultSize();
    std::unique_ptr<TBitmap> bitmap(MakeExportBitmap(*this, options.PixelFormat(), options.Dpi()));
    // Clearing the flag would turn a chosen 1-bit picture into a colour one.
    if (options.Mono()) bitmap->SetMonochrome(true);
    return bitmap.release();
}

TBitmap* TBMPExportFormat::MakeFilteredBitmap(TForm* options)
{
    std::unique_ptr<TBitmap> bitmap;
    if (auto* given = dynamic_cast<TBMPOptions*>(options)) {
        // The given form stands in for the format's own for this one call.
        TBMPOptions* const own = options_;
        options_ = given;
        try {
            bitmap.reset(MakeBitmap());
        } catch (...) {
            options_ = own;
            throw;
        }
        options_ = own;
    } else {
        bitmap.reset(MakeBitmap());
    }
    filters_->ApplyAll(*bitmap);
    return bitmap.release();
}

void TBMPExportFormat::PutOnClipboard()
{
    std::unique_ptr<TBitmap> bitmap(MakeFilteredBitmap());
    Clipboard()->SetBitmap(*bitmap);
}

void TBMPExportFormat::WriteToStream(TStream& stream) { WriteToStreamWithOptions(stream, nullptr); }

void TBMPExportFormat::WriteToStreamWithOptions(TStream& stream, TForm* options)
{
    std::unique_ptr<TBitmap> bitmap(MakeFilteredBitmap(options));
    bitmap->SaveToStream(stream);
}

TV_PUBLISHED(TBMPOptions)
{
    Method("FormShow", &TBMPOptions::FormShow);
    Method("CBColorsChange", &TBMPOptions::CBColorsChange);
    Method("CBMonoClick", &TBMPOptions::CBMonoClick);
}

TBMPOptions::TBMPOptions(TComponent* owner) : TForm(owner)
{
    // The stored description names the filtered image control.
    static const bool registered = (TvRegisterResources_chartio(), RegisterClass(TImageFiltered::StaticClass()), true);
    (void)registered;
    InitFromResource("TBMPOptions");
    CBColors->SetItemIndex(0);
}

void TBMPOptions::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, Label1, "Label1");
    FindFormComponent(*this, CBColors, "CBColors");
    FindFormComponent(*this, CBMono, "CBMono");
    FindFormComponent(*this, Label2, "Label2");
    FindFormComponent(*this, EDpi, "EDpi");
    FindFormComponent(*this, UDDpi, "UDDpi");
    FindFormComponent(*this, GroupBox1, "GroupBox1");
    FindFormComponent(*this, ImageFiltered1, "ImageFiltered1");
}

TPixelFormat TBMPOptions::PixelFormat() const
{
    const int index = CBColors->ItemIndex();
    return index >= pfDevice && index <= pf32bit ? static_cast<TPixelFormat>(index) : pfDevice;
}

int TBMPOptions::Dpi() const { return UDDpi->Position(); }

bool TBMPOptions::Mono() const { return CBMono->Checked(); }

void TBMPOptions::RefreshPreview()
{
    if (!format_ || !format_->Panel()) return;
    std::unique_ptr<TBitmap> bitmap(format_->MakeFilteredBitmap());
    ImageFiltered1->Picture()->SetGraphic(bitmap.get());
}

void TBMPOptions::FormShow(TObject*)
{
    CBColors->SetItemIndex(0);
    RefreshPreview();
}

void TBMPOptions::CBColorsChange(TObject*) { RefreshPreview(); }

void TBMPOptions::CBMonoClick(TObject*)
{
    CBColors->SetEnabled(!CBMono->Checked());
    RefreshPreview();
}
