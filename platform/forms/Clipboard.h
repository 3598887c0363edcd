#pragma once
// The desktop's clipboard: text, bitmaps and metafiles. Reading and writing need the window
// layer's application (made on first use); a desktop clipboard owned by this program answers other
// programs' requests while the message loop runs.
#include "platform/rtl/Types.h"

class TBitmap;
class TMetafile;

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

    // Replaces the content by the bitmap, as image/bmp (our own file, pixel format and resolution
    // kept) and image/png.
    void SetBitmap(TBitmap& bitmap);
    // A bitmap of any image type the clipboard offers (BMP first, then PNG, then the others).
    bool HasBitmap() const;
    // Loads it into bitmap; false (bitmap untouched) when there is none or it cannot be read.
    bool GetBitmap(TBitmap& bitmap) const;

    // Replaces the content by the metafile, as image/x-emf or image/x-wmf (its Enhanced flag) and,
    // for programs that paste no metafiles, a PNG rendition of its size.
    void SetMetafile(TMetafile& metafile);
    bool HasMetafile() const;
    // Loads it into metafile; false (metafile untouched) when there is none or it cannot be read.
    bool GetMetafile(TMetafile& metafile) const;
};

// The program's clipboard object.
TClipboard* Clipboard();
