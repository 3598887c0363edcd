#pragma once
// Where an export's text goes piece by piece: a string (AsText) or a stream through a buffer, so
// the stream sees few large writes and the whole text never exists at once.
#include <functional>

#include "platform/rtl/Types.h"

class TStream;

class TExportSink {
public:
    virtual ~TExportSink() = default;
    // UTF-8 text.
    virtual void Write(const String& text) = 0;
    TExportSink& operator<<(const String& text)
    {
        Write(text);
        return *this;
    }
};

class TStringSink : public TExportSink {
public:
    void Write(const String& text) override { text_ += text; }
    String& Text() { return text_; }

private:
    String text_;
};

// Converts UTF-8 text into the bytes written (appends to out).
using TTextEncoder = std::function<void(const String& text, String& out)>;

class TStreamSink : public TExportSink {
public:
    // Without an encoder the UTF-8 bytes are written as they are.
    explicit TStreamSink(TStream& stream, TTextEncoder encoder = {});
    // Whatever is buffered reaches the stream only through Flush: a failed export writes no tail.
    void Write(const String& text) override;
    void WriteBytes(const void* data, std::size_t size);
    void WriteBytes(const String& bytes) { WriteBytes(bytes.data(), bytes.size()); }
    void Flush();

private:
    TStream& stream_;
    TTextEncoder encoder_;
    String buffer_;
};
