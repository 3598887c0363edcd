#include "chart/io/FileSource.h"

#include "chart/core/Chart.h"
#include "chart/core/ChartException.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "platform/system/Download.h"

TV_PUBLISHED_AS(TZebSeriesSourceFile, TZebSeriesSourceClass)
{
    Prop("Chart", &TZebSeriesSourceFile::Chart, &TZebSeriesSourceFile::SetChart);
    Prop("FileName", &TZebSeriesSourceFile::FileName, &TZebSeriesSourceFile::SetFileName);
}

bool IsURL(const String& name)
{
    const String upper = UpperCase(Trim(name));
    for (const char* scheme : {"HTTP://", "HTTPS://", "FTP://"})
        if (upper.find(scheme) != String::npos) return true;
    return false;
}

TZebSeriesSourceFile::TZebSeriesSourceFile(TComponent* owner) : TZebSeriesSource(owner) {}

void TZebSeriesSourceFile::SetChart(TCustomChart* value)
{
    if (chart_ == value) return;
    // The old reference stops and the new one starts telling this object that it goes.
    if (chart_) chart_->RemoveFreeNotification(this);
    chart_ = value;
    if (chart_) chart_->FreeNotification(this);
}

void TZebSeriesSourceFile::SetFileName(const String& value)
{
    if (fileName_ == value) return;
    // The file of the old name is closed before the name changes.
    CloseSource();
    fileName_ = value;
}

void TZebSeriesSourceFile::Notification(TComponent* component, TOperation operation)
{
    TZebSeriesSource::Notification(component, operation);
    if (operation == opRemove && component == chart_) chart_ = nullptr;
}

void TZebSeriesSourceFile::LoadSource()
{
    if (!Series() || fileName_.empty()) return;
    if (IsURL(fileName_))
        LoadURL(fileName_);
    else
        LoadLocalFile(fileName_);
}

void TZebSeriesSourceFile::LoadLocalFile(const String& name)
{
    TFileStream file(name, fmOpenRead | fmShareDenyWrite);
    ParseStream(file);
}

void TZebSeriesSourceFile::LoadURL(const String& address)
{
    TMemoryStream stream;
    const int code = DownloadURL(Trim(address), stream, false);
    if (code != 0)
        throw ChartException(Format(TxtErrorCodeDownloadingSeriesData, {code, address + " " + DownloadErrorText(code)}));
    ParseStream(stream);
}
