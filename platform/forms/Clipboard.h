#pragma once
// The desktop's clipboard, as text. Reading and writing need the window layer's application (made
// on first use); a desktop clipboard owned by this program answers other programs' requests while
// the message loop runs.
#include "platform/rtl/Types.h"

class TClipboard {
public:
    TClipboard() = default;
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // The clipboard's plain text; "" when it holds none.
    String AsText() const;
    // Replaces the whole clipboard content by the text.
    void SetAsText(const String& text);
    bool HasText() const;
    void Clear();
};

// The program's clipboard object.
TClipboard* Clipboard();
