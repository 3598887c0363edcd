#pragma once
// The base of the data exporters (delimited text, XML, HTML table, spreadsheet, JSON): an object
// that renders itself as one text and puts it on the clipboard, into a stream or into a file.
#include "platform/classes/Persistent.h"

class TStream;

class TZebExportData : public TPersistent {
    TV_CLASS(TZebExportData, TPersistent)
public:
    // The whole export; empty here.
    virtual String AsText();
    // AsText on the clipboard as plain text.
    virtual void CopyTextToClipboard();
    // The bytes of AsText at the stream's position: no terminator, no byte-order mark.
    virtual void WriteToStream(TStream& stream);
    // Creates (or truncates) the file and writes through WriteToStream; the file is closed also on
    // failure.
    virtual void WriteToFile(const String& fileName);
};
