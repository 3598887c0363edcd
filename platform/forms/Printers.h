#pragma once
// The printer: one print job at a time on the system's default printer, or into a PDF file when an
// output file is named (headless runs and tests). The page canvas is a TCanvas on a device context
// like any other; its units are the printer's device pixels, with the origin at the top left of
// the printable area.
#include <iterator>
#include <memory>

#include "platform/classes/Object.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Exceptions.h"

class EPrinter : public Exception {
public:
    using Exception::Exception;
};

enum TPrinterOrientation { poPortrait, poLandscape };
inline constexpr const char* TPrinterOrientationNames[] = {"poPortrait", "poLandscape"};
static_assert(std::size(TPrinterOrientationNames) == poLandscape + 1);

class TPrinter : public TObject {
    TV_CLASS(TPrinter, TObject)
public:
    TPrinter();
    ~TPrinter() override;

    // The document's name in the print queue (and the PDF's title).
    const String& Title() const { return title_; }
    void SetTitle(const String& title) { title_ = title; }
    // "" prints on the default printer; a file name writes the pages as PDF into it. Not while
    // printing (EPrinter).
    const String& OutputFileName() const { return outputFileName_; }
    void SetOutputFileName(const String& fileName);
    TPrinterOrientation Orientation() const { return orientation_; }
    void SetOrientation(TPrinterOrientation value);  // not while printing (EPrinter)

    // EPrinter when there is no printer and no output file, when a job runs already, or when the
    // device refuses to start.
    void BeginDoc();
    void NewPage();  // EPrinter when not printing
    void EndDoc();   // EPrinter when not printing
    // Ends the job without finishing it; a PDF being written is removed. Nothing when not printing.
    void Abort();
    bool Printing() const { return printing_; }
    bool Aborted() const { return aborted_; }
    int PageNumber() const { return pageNumber_; }  // 1 on the first page

    // The page canvas; drawing on it outside BeginDoc .. EndDoc raises EPrinter.
    TCanvas* Canvas();
    // The page's device while printing; else an information context (device capabilities and
    // page size, no drawing). EPrinter when there is no printer.
    HDC Handle();

    // Printable area in device pixels and the device's resolution; EPrinter when there is no printer.
    int PageWidth();
    int PageHeight();
    int XDpi();
    int YDpi();

    struct Impl;

private:
    void checkPrinter();
    void checkNotPrinting(const char* what) const;

    String title_;
    String outputFileName_;
    TPrinterOrientation orientation_ = poPortrait;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
    std::unique_ptr<Impl> impl_;
    std::unique_ptr<TCanvas> canvas_;
};

// The program's printer, made on first use.
TPrinter* Printer();
// Replaces the program's printer (the old one is freed); returns the new one.
TPrinter* SetPrinter(TPrinter* printer);
