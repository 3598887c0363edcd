#pragma once
// Shows the chart alone on a borderless window covering the desktop while active; the release key
// or closing that window gives the chart back to its place.
#include "chart/core/ChartTools.h"
#include "platform/forms/Control.h"

class TForm;

class TFullScreenTool : public TZebCustomTool {
    TV_CLASS(TFullScreenTool, TZebCustomTool)
public:
    explicit TFullScreenTool(TComponent* owner);
    ~TFullScreenTool() override;
    void Assign(TPersistent* source) override;
    void SetActive(bool value) override;

    Word ReleaseKey() const { return releaseKey_; }
    void SetReleaseKey(Word value) { releaseKey_ = value; }
    const TNotifyEvent& OnReset() const { return onReset_; }
    void SetOnReset(TNotifyEvent value) { onReset_ = std::move(value); }

    // The full-screen window while shown.
    TForm* Window() const { return window_; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void goFullScreen();
    void restore();
    void windowKeyUp(TObject* sender, Word& key, TShiftState shift);
    void windowCloseQuery(TObject* sender, bool& canClose);

    Word releaseKey_ = 27;
    TNotifyEvent onReset_;

    TForm* window_ = nullptr;
    TWinControl* savedParent_ = nullptr;
    TRect savedBounds_{};
    TAlign savedAlign_ = alNone;
    bool freeWindow_ = true;
};
