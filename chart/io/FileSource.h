#pragma once
// The base of data sources whose data comes as a file: a local file, or an http, https or ftp
// address downloaded first; descendants parse the bytes.
#include "chart/core/SeriesSource.h"

class TCustomChart;
class TStream;

// Whether the name, trimmed and in any letter case, holds "HTTP://", "HTTPS://" or "FTP://".
bool IsURL(const String& name);

class TZebSeriesSourceFile : public TZebSeriesSource {
    TV_CLASS(TZebSeriesSourceFile, TZebSeriesSource)
public:
    explicit TZebSeriesSourceFile(TComponent* owner);

    // ---- published ----
    TCustomChart* Chart() const { return chart_; }
    void SetChart(TCustomChart* value);
    const String& FileName() const { return fileName_; }
    // A different name closes the source first.
    void SetFileName(const String& value);

    // Reads FileName (file or address) into ParseStream; nothing without a series or a name.
    void LoadSource() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    // The file's bytes; no data format is known here.
    virtual void ParseStream(TStream& stream) { (void)stream; }
    void LoadLocalFile(const String& name);
    // Raises ChartException "Error code: %d downloading Series data from URL: %s" on failure.
    void LoadURL(const String& address);

private:
    TCustomChart* chart_ = nullptr;
    String fileName_;
};
