#pragma once
// The styled panel: a background (plain, the parent showing through, or a gradient with an optional
// middle colour), a placed picture, a bevel inside the client area, and an image beside a caption.
#include "platform/classes/MethodEvent.h"
#include "platform/graphics/Graphic.h"
#include "widgets/styled/QMSizableControl.h"

class TQMCustomPanel;

// Picture settings; every value lives in the panel.
class TQMPanelCustomPictureProps : public TPersistent {
    TV_CLASS(TQMPanelCustomPictureProps, TPersistent)
public:
    explicit TQMPanelCustomPictureProps(TQMCustomPanel* panel) : panel_(panel) {}
    TQMCustomPanel* Panel() const { return panel_; }

protected:
    TPersistent* GetOwner() const override;
    TQMCustomPanel* panel_;
};

class TQMPanelPictureProps : public TQMPanelCustomPictureProps {
    TV_CLASS(TQMPanelPictureProps, TQMPanelCustomPictureProps)
public:
    using TQMPanelCustomPictureProps::TQMPanelCustomPictureProps;
    void Assign(TPersistent* source) override;

    int Indent() const;
    void SetIndent(int value);
    TQMPictureOrient Orient() const;
    void SetOrient(TQMPictureOrient value);
    int PictureIndex() const;
    void SetPictureIndex(int value);
    TQMPictureList* PictureList() const;
    void SetPictureList(TQMPictureList* value);
    int TopIndent() const;
    void SetTopIndent(int value);
    bool Transparent() const;
    void SetTransparent(bool value);
    bool Visible() const;
    void SetVisible(bool value);
};

class TQMCustomPanel : public TQMCustomSizableControl {
    TV_CLASS(TQMCustomPanel, TQMCustomSizableControl)
public:
    explicit TQMCustomPanel(TComponent* owner);
    ~TQMCustomPanel() override;
    void Assign(TPersistent* source) override;

    // Left or right (a centred alignment is refused).
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight value);
    TQMControlBorder Bevel() const { return bevel_; }
    void SetBevel(TQMControlBorder value);
    TColor BevelColor() const { return bevelColor_; }
    void SetBevelColor(TColor value);
    TQMBorderEdges BevelEdges() const { return bevelEdges_; }
    void SetBevelEdges(TQMBorderEdges value);
    TQMBevelWidth BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(TQMBevelWidth value);
    TQMGradient Gradient() const { return gradient_; }
    void SetGradient(TQMGradient value);
    TColor GradientEnd() const { return gradientEnd_; }
    void SetGradientEnd(TColor value);
    TColor GradientMid() const { return gradientMid_; }
    void SetGradientMid(TColor value);
    bool GradientUsesMid() const { return gradientUsesMid_; }
    void SetGradientUsesMid(bool value);
    TQMPanelLayout Layout() const { return layout_; }
    void SetLayout(TQMPanelLayout value);
    bool Multiline() const { return multiline_; }
    void SetMultiline(bool value);
    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* value) { picture_->Assign(value); }
    TQMPanelPictureProps* PictureProps() const { return pictureProps_.get(); }
    void SetPictureProps(TQMPanelPictureProps* value) { pictureProps_->Assign(value); }

    // Picture settings as the settings object shows them.
    TQMPictureOrient PictureOrient() const { return pictureOrient_; }
    void SetPictureOrient(TQMPictureOrient value);
    int PictureIndent() const { return pictureIndent_; }
    void SetPictureIndent(int value);
    int PictureTopIndent() const { return pictureTopIndent_; }
    void SetPictureTopIndent(int value);
    bool PictureTransparent() const { return pictureTransparent_; }
    void SetPictureTransparent(bool value);
    bool PictureVisible() const { return pictureVisible_; }
    void SetPictureVisible(bool value);

    // The picture shown: the list's picture at the index when a list is set, else Picture.
    TPicture* CurrentPicture() const;
    bool HasPicture() const;
    bool ShowsPicture() const { return pictureVisible_ && HasPicture(); }
    bool GradientPainted() const;

    virtual void ShrinkForBevel(TRect& rect) const;
    virtual void DrawPicture(TCanvas* canvas);
    virtual String GetCaptionText() const { return Caption(); }
    virtual TRect GetPictureRect() const;

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void AdjustSize() override;
    void PictureListChanged() override;
    void TransparentChanged() override;
    virtual void PictureChanged();
    virtual void PaintContent();
    void DrawCaption(const TRect& rect);

private:
    void pictureChanged(TObject*) { PictureChanged(); }
    void realign();
    TSize contentSize();

    TLeftRight alignment_ = taLeftJustify;
    TQMControlBorder bevel_ = qmcbNone;
    TColor bevelColor_ = clNone;
    TQMBorderEdges bevelEdges_ = QMAllEdges;
    TQMBevelWidth bevelWidth_ = 0;
    TQMGradient gradient_ = qmgNone;
    TColor gradientEnd_ = clNavy;
    TColor gradientMid_ = clBlue;
    bool gradientUsesMid_ = false;
    TQMPanelLayout layout_ = qmplMiddle;
    bool multiline_ = false;
    TOwnedPtr<TPicture> picture_;
    TOwnedPtr<TQMPanelPictureProps> pictureProps_;
    TQMPictureOrient pictureOrient_ = qmpoTopLeft;
    int pictureIndent_ = 0;
    int pictureTopIndent_ = 0;
    bool pictureTransparent_ = false;
    bool pictureVisible_ = true;
    bool drawingPicture_ = false;
};

class TQMPanel : public TQMCustomPanel {
    TV_CLASS(TQMPanel, TQMCustomPanel)
public:
    using TQMCustomPanel::TQMCustomPanel;
};

// Registers the styled classes for component streams (stored descriptions name them).
void RegisterStyledControls();
