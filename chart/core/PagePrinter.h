#pragma once
// The calls a chart's page printing makes of a printer, so the job can go elsewhere than to the
// program's printer (a preview, a test's failing device).
#include "platform/rtl/Types.h"

class TCanvas;

class IPagePrinter {
public:
    virtual ~IPagePrinter() = default;
    virtual void SetTitle(const String& title) = 0;
    virtual void BeginDoc() = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;
    virtual TCanvas* Canvas() = 0;
};

// The program's printer (platform Printer()).
IPagePrinter& ProgramPagePrinter();
