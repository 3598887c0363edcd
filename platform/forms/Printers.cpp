#include "platform/forms/Printers.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QCoreApplication>
#include <cstdio>
#include <utility>

#include "platform/classes/Published.h"
#include "platform/forms/Forms_p.h"
#include "platform/graphics/DeviceContext_p.h"

namespace {

// A printed page has the resolution of a common laser printer; a PDF carries it as its scale.
constexpr int PdfResolution = 600;

}  // namespace

// The page canvas: it draws only while a document is open.
class TPrinterCanvas : public TCanvas {
public:
    explicit TPrinterCanvas(TPrinter& printer) : printer_(printer) {}

protected:
    void CreateHandle() override
    {
        if (!printer_.Printing()) throw EPrinter("Printing not in progress");
        SetHandle(printer_.Handle());
    }

private:
    TPrinter& printer_;
};

struct TPrinter::Impl {
    std::unique_ptr<QPrinter> device;
    QPainter painter;
    std::unique_ptr<TDeviceContext> page;  // while printing
    std::unique_ptr<TDeviceContext> info;  // before and after
};

TV_PUBLISHED(TPrinter) {}

TPrinter::TPrinter() : impl_(std::make_unique<Impl>()), canvas_(std::make_unique<TPrinterCanvas>(*this)) {}

TPrinter::~TPrinter()
{
    // A document left open is finished with what was drawn.
    if (printing_) {
        try {
            EndDoc();
        } catch (...) {
        }
    }
}

void TPrinter::checkNotPrinting(const char* what) const
{
    if (printing_) throw EPrinter(String("Cannot change the ") + what + " while printing");
}

void TPrinter::SetOutputFileName(const String& fileName)
{
    checkNotPrinting("output file");
    outputFileName_ = fileName;
}

void TPrinter::SetOrientation(TPrinterOrientation value)
{
    checkNotPrinting("orientation");
    orientation_ = value;
}

// Makes the device for the current settings; EPrinter when there is nothing to print on.
void TPrinter::checkPrinter()
{
    tvforms::EnsureApp();
    if (outputFileName_.empty()) {
        QPrinterInfo target = QPrinterInfo::defaultPrinter();
        if (target.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
            target = QPrinterInfo::availablePrinters().first();
        if (target.isNull()) throw EPrinter("There is no printer on this system; install one or print into a file");
        if (!impl_->device || impl_->device->outputFormat() != QPrinter::NativeFormat ||
            impl_->device->printerName() != target.printerName())
            impl_->device = std::make_unique<QPrinter>(target, QPrinter::HighResolution);
    } else {
        if (!impl_->device || impl_->device->outputFormat() != QPrinter::PdfFormat) {
            impl_->device = std::make_unique<QPrinter>(QPrinter::HighResolution);
            impl_->device->setOutputFormat(QPrinter::PdfFormat);
            impl_->device->setResolution(PdfResolution);
        }
        impl_->device->setOutputFileName(QString::fromStdString(outputFileName_));
    }
    impl_->device->setPageOrientation(orientation_ == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    impl_->device->setDocName(QString::fromStdString(title_));
}

void TPrinter::BeginDoc()
{
    if (printing_) throw EPrinter("Printing in progress");
    checkPrinter();
    impl_->info.reset();
    QPrinter& device = *impl_->device;
    if (!impl_->painter.begin(&device)) throw EPrinter("The printer could not start the document");
    const QRect page = device.pageRect(QPrinter::DevicePixel).toRect();
    impl_->page = CreatePainterDC(impl_->painter, page.size());
    SetDeviceResolution(*impl_->page, device.logicalDpiX(), device.logicalDpiY());
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
    canvas_->SetHandle(impl_->page.get());
}

void TPrinter::NewPage()
{
    if (!printing_) throw EPrinter("Printing not in progress");
    if (!impl_->device->newPage()) throw EPrinter("The printer could not start a new page");
    ++pageNumber_;
    canvas_->Refresh();
}

void TPrinter::EndDoc()
{
    if (!printing_) throw EPrinter("Printing not in progress");
    canvas_->SetHandle(nullptr);
    impl_->page.reset();
    printing_ = false;
    if (!impl_->painter.end()) throw EPrinter("The printer could not finish the document");
}

void TPrinter::Abort()
{
    if (!printing_) return;
    canvas_->SetHandle(nullptr);
    impl_->page.reset();
    impl_->device->abort();
    impl_->painter.end();
    // A file engine cannot take a document back: what it wrote goes.
    if (!outputFileName_.empty()) std::remove(outputFileName_.c_str());
    printing_ = false;
    aborted_ = true;
}

TCanvas* TPrinter::Canvas() { return canvas_.get(); }

HDC TPrinter::Handle()
{
    if (printing_) return impl_->page.get();
    checkPrinter();
    const QPrinter& device = *impl_->device;
    const QSize size = device.pageRect(QPrinter::DevicePixel).toRect().size();
    TDeviceContext* info = impl_->info.get();
    if (!info || info->Width() != size.width() || info->Height() != size.height() ||
        info->GetDeviceCaps(LOGPIXELSX) != device.logicalDpiX() ||
        info->GetDeviceCaps(LOGPIXELSY) != device.logicalDpiY())
        impl_->info = CreateInfoDC(size, device.logicalDpiX(), device.logicalDpiY());
    return impl_->info.get();
}

int TPrinter::PageWidth() { return Handle()->GetDeviceCaps(HORZRES); }
int TPrinter::PageHeight() { return Handle()->GetDeviceCaps(VERTRES); }
int TPrinter::XDpi() { return Handle()->GetDeviceCaps(LOGPIXELSX); }
int TPrinter::YDpi() { return Handle()->GetDeviceCaps(LOGPIXELSY); }

namespace {

TPrinter*& ProgramPrinter()
{
    static TPrinter* printer = nullptr;
    return printer;
}

// The program's printer goes with the application object, while its device can still be ended.
void ReleaseProgramPrinter() { delete std::exchange(ProgramPrinter(), nullptr); }

void HoldProgramPrinter(TPrinter* printer)
{
    tvforms::EnsureApp();
    static const bool registered = (qAddPostRoutine(ReleaseProgramPrinter), true);
    (void)registered;
    delete std::exchange(ProgramPrinter(), printer);
}

}  // namespace

TPrinter* Printer()
{
    if (!ProgramPrinter()) HoldProgramPrinter(new TPrinter);
    return ProgramPrinter();
}

TPrinter* SetPrinter(TPrinter* printer)
{
    HoldProgramPrinter(printer);
    return printer;
}
