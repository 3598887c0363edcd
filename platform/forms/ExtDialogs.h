#pragma once
// The colour dialog and the folder browser. Both ask the dialog handler first when one is set
// (dkColorDialog, dkFolderBrowser); offscreen without a handler they are cancelled.
#include "platform/classes/Component.h"
#include "platform/graphics/Colors.h"

class TStrings;

class TColorDialog : public TComponent {
    TV_CLASS(TColorDialog, TComponent)
public:
    explicit TColorDialog(TComponent* owner);
    ~TColorDialog() override;

    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    // Up to 16 lines "ColorA=BBGGRR" .. "ColorP=...", in hexadecimal; kept across calls by the
    // caller.
    TStrings* CustomColors() const { return customColors_; }
    void SetCustomColors(TStrings* value);
    // True when the user chose a colour (then Color holds it).
    bool Execute();

private:
    TColor color_ = clBlack;
    TStrings* customColors_;  // owned
};

// Asks for a folder starting at directory; true with directory set to the choice.
bool SelectDirectory(const String& caption, const String& root, String& directory);

void RegisterExtDialogs();
