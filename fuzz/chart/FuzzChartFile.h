#pragma once
// One fuzz input through the chart file loader: loaded as a chart file (binary or text form, as
// the loader tells them apart, with the series data that may follow) into a chart of the
// program's classes, and turned into XML as component text would be. A refused file is the
// expected answer (an exception of the project's) and leaves the chart as it was or emptied, never
// half read; anything else is a finding, and so is a chart that loaded but does not write itself
// in all three forms, read its binary and text forms back to the same text, or give well-formed
// XML, and XML of any text whose elements are not well-formed. The charts are made once and
// reused: the loader's own replace empties them, so that each input pays for its load alone and
// only a loaded one for the round trip. The chart units must be started.
#include <QByteArray>
#include <QXmlStreamReader>

#include <cstdint>

#include "chart/core/Chart.h"
#include "chart/core/FormTextToXml.h"
#include "chart/io/ChartFile.h"
#include "fuzz/Finding.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

namespace tv_fuzz {

namespace chart_file {

inline void expectWellFormed(const char* what, const String& xml)
{
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    while (!reader.atEnd()) reader.readNext();
    if (reader.hasError()) Finding(what, reader.errorString().toUtf8().constData());
}

inline String written(TCustomChart& chart, bool asText)
{
    TStringStream out;
    WriteChartStream(&chart, out, true, asText);
    return out.DataString();
}

// The chart's text form after loading bytes into it (emptying what it held).
inline String reloaded(TCustomChart& chart, const String& bytes, const char* form)
{
    try {
        TStringStream in(bytes);
        ReadChartStream(&chart, in, true);
        return written(chart, true);
    } catch (const std::exception& e) {
        Finding(form, e.what());
    }
}

// The chart the inputs load into and the one their written forms are read back into.
inline TCustomChart& loadedChart()
{
    static TChart chart(nullptr);
    return chart;
}

inline TCustomChart& reloadedChart()
{
    static TChart chart(nullptr);
    return chart;
}

}  // namespace chart_file

// Returns whether the input loaded.
inline bool FuzzChartFile(const std::uint8_t* data, std::size_t size)
{
    using namespace chart_file;
    const String input(reinterpret_cast<const char*>(data), size);
    TCustomChart& chart = loadedChart();
    const int heldBefore = chart.ComponentCount();
    bool loaded = false;
    try {
        TStringStream in(input);
        ReadChartStream(&chart, in, true);
        loaded = true;
    } catch (const Exception&) {
        if (chart.ComponentCount() != 0 && chart.ComponentCount() != heldBefore)
            Finding("refused file", "left the chart half read");
    } catch (const std::exception& e) {
        Finding("load", e.what());
    }
    if (loaded) {
        String text, binary, xml;
        try {
            text = written(chart, true);
            binary = written(chart, false);
            TStringStream out;
            WriteChartXmlStream(&chart, out, true);
            xml = out.DataString();
        } catch (const Exception&) {
            // a value the text form can not hold (an infinity) is refused when written
        } catch (const std::exception& e) {
            Finding("write", e.what());
        }
        if (!text.empty()) {
            if (reloaded(reloadedChart(), binary, "reload binary") != text) Finding("binary form", "reads back otherwise");
            if (reloaded(reloadedChart(), text, "reload text") != text) Finding("text form", "reads back otherwise");
            expectWellFormed("XML form", xml);
        }
    }
    try {
        // Text that is no chart may give several top-level elements, but each well-formed.
        TStringStream stream(input);
        ConvertFormTextToXml(stream, true);
        String xml = stream.DataString();
        const auto body = xml.find('\n') + 1;
        xml.insert(body, "<any>");
        expectWellFormed("XML of any text", xml + "</any>");
    } catch (const std::exception& e) {
        Finding("XML of any text", e.what());
    }
    return loaded;
}

}  // namespace tv_fuzz
