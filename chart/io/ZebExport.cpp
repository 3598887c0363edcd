#include "chart/io/ZebExport.h"

#include <algorithm>
#include <memory>

#include "chart/canvas/Geometry.h"
#include "chart/canvas/HtmlText.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebPanel.h"
#include "chart/io/FileReplace.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Graphic.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

TV_PUBLISHED(TZebExportFormat) {}

namespace {

std::unique_ptr<TZebExportFormats> formats;
TUnitStarts exportStarts;

}  // namespace

TZebExportFormat::TZebExportFormat() = default;
TZebExportFormat::~TZebExportFormat() = default;

void TZebExportFormat::TakeFilterIndex(int& counter) { filterIndex_ = ++counter; }

bool TZebExportFormat::OwnsFilterIndex(int index) { return index == GetFilterIndex(); }

TForm* TZebExportFormat::GetOptionsForm(bool) { return nullptr; }

void TZebExportFormat::WriteToStreamWithOptions(TStream&, TForm*) {}

void TZebExportFormat::FillDefaultSize()
{
    if (width_ == 0) width_ = panel_->Width();
    if (height_ == 0) height_ = panel_->Height();
}

TRect TZebExportFormat::GetScaledBounds() const
{
    const double s = scale_ > 0 ? scale_ : 1.0;
    return {0, 0, RoundHalfEven(width_ * s), RoundHalfEven(height_ * s)};
}

void TZebExportFormat::CheckPanel() const
{
    if (!panel_) throw Exception("Panel property is not set in Export format");
}

void TZebExportFormat::CopyPictureToClipboard()
{
    CheckPanel();
    GetOptionsForm(true);
    FillDefaultSize();
    PutOnClipboard();
}

void TZebExportFormat::WritePictureFileWith(const String& fileName, TForm* options)
{
    CheckPanel();
    if (!options) GetOptionsForm(true);
    FillDefaultSize();
    WriteFileReplacing(fileName, [&](TStream& stream) {
        if (options)
            WriteToStreamWithOptions(stream, options);
        else
            WriteToStream(stream);
    });
}

int TZebExportFormats::IndexOf(const TMetaClass& cls) const
{
    const auto at = std::find(items_.begin(), items_.end(), &cls);
    return at == items_.end() ? -1 : static_cast<int>(at - items_.begin());
}

void TZebExportFormats::Add(const TMetaClass& cls)
{
    if (IndexOf(cls) < 0) items_.push_back(&cls);
}

void TZebExportFormats::Remove(const TMetaClass& cls) { std::erase(items_, &cls); }

TZebExportFormats* ExportFormatClasses() { return formats.get(); }

void AddExportFormatClass(const TMetaClass& cls)
{
    if (!formats) formats = std::make_unique<TZebExportFormats>();
    formats->Add(cls);
}

void RemoveExportFormatClass(const TMetaClass& cls)
{
    if (formats) formats->Remove(cls);
}

TGraphic* GraphicForExtension(const String& extension)
{
    if (!formats) return nullptr;
    for (int i = 0; i < formats->Count(); ++i) {
        TOwnedPtr<TObject> object(formats->GetFormatClass(i)->CreateInstance());
        const auto* format = dynamic_cast<const TZebExportFormat*>(object.get());
        if (!format || "." + UpperCase(format->GetDefaultExtension()) != extension) continue;
        const TMetaClass* graphic = format->GetGraphicClass();
        return graphic ? dynamic_cast<TGraphic*>(graphic->CreateInstance()) : nullptr;
    }
    return nullptr;
}

void StartExportUnit()
{
    if (!exportStarts.First()) return;
    SetGraphicForExtensionHook([](const String& extension) { return GraphicForExtension(extension); });
}

void StopExportUnit()
{
    if (!exportStarts.Last()) return;
    SetGraphicForExtensionHook(nullptr);
    formats.reset();
}
