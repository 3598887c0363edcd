#include "widgets/styled/QMPanel.h"

#include <algorithm>

#include "platform/classes/Assign.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "widgets/styled/QMCommon.h"
#include "widgets/styled/QMGeometry.h"

// ---- picture settings ----

TPersistent* TQMPanelCustomPictureProps::GetOwner() const { return panel_; }

TV_PUBLISHED(TQMPanelCustomPictureProps) {}

void TQMPanelPictureProps::Assign(TPersistent* source)
{
    if (auto* p = dynamic_cast<TQMPanelPictureProps*>(source)) {
        SetVisible(p->Visible());
        SetOrient(p->Orient());
        SetPictureIndex(p->PictureIndex());
        SetPictureList(p->PictureList());
        SetIndent(p->Indent());
        SetTopIndent(p->TopIndent());
        SetTransparent(p->Transparent());
        return;
    }
    TQMPanelCustomPictureProps::Assign(source);
}

int TQMPanelPictureProps::Indent() const { return panel_ ? panel_->PictureIndent() : 0; }
void TQMPanelPictureProps::SetIndent(int value)
{
    if (panel_) panel_->SetPictureIndent(value);
}
TQMPictureOrient TQMPanelPictureProps::Orient() const { return panel_ ? panel_->PictureOrient() : qmpoTopLeft; }
void TQMPanelPictureProps::SetOrient(TQMPictureOrient value)
{
    if (panel_) panel_->SetPictureOrient(value);
}
int TQMPanelPictureProps::PictureIndex() const { return panel_ ? panel_->PictureIndex() : -1; }
void TQMPanelPictureProps::SetPictureIndex(int value)
{
    if (panel_) panel_->SetPictureIndex(value);
}
TQMPictureList* TQMPanelPictureProps::PictureList() const { return panel_ ? panel_->PictureList() : nullptr; }
void TQMPanelPictureProps::SetPictureList(TQMPictureList* value)
{
    if (panel_) panel_->SetPictureList(value);
}
int TQMPanelPictureProps::TopIndent() const { return panel_ ? panel_->PictureTopIndent() : 0; }
void TQMPanelPictureProps::SetTopIndent(int value)
{
    if (panel_) panel_->SetPictureTopIndent(value);
}
bool TQMPanelPictureProps::Transparent() const { return panel_ ? panel_->PictureTransparent() : false; }
void TQMPanelPictureProps::SetTransparent(bool value)
{
    if (panel_) panel_->SetPictureTransparent(value);
}
bool TQMPanelPictureProps::Visible() const { return panel_ ? panel_->PictureVisible() : true; }
void TQMPanelPictureProps::SetVisible(bool value)
{
    if (panel_) panel_->SetPictureVisible(value);
}

TV_PUBLISHED(TQMPanelPictureProps)
{
    Prop("Indent", &TQMPanelPictureProps::Indent, &TQMPanelPictureProps::SetIndent, 0);
    PropEnum("Orient", &TQMPanelPictureProps::Orient, &TQMPanelPictureProps::SetOrient, qmpoTopLeft,
             TQMPictureOrientNames);
    Prop("PictureIndex", &TQMPanelPictureProps::PictureIndex, &TQMPanelPictureProps::SetPictureIndex, -1);
    Prop("PictureList", &TQMPanelPictureProps::PictureList, &TQMPanelPictureProps::SetPictureList);
    Prop("TopIndent", &TQMPanelPictureProps::TopIndent, &TQMPanelPictureProps::SetTopIndent, 0);
    Prop("Transparent", &TQMPanelPictureProps::Transparent, &TQMPanelPictureProps::SetTransparent, false);
    Prop("Visible", &TQMPanelPictureProps::Visible, &TQMPanelPictureProps::SetVisible, true);
}

// ---- TQMCustomPanel ----

TQMCustomPanel::TQMCustomPanel(TComponent* owner)
    : TQMCustomSizableControl(owner), picture_(new TPicture), pictureProps_(new TQMPanelPictureProps(this))
{
    SetControlStyle(ControlStyle() +
                    TControlStyle{csAcceptsControls, csSetCaption, csOpaque, csDoubleClicks, csReplicatable});
    SetBounds(Left(), Top(), 185, 41);
    SetTabStop(false);
    SetParentColor(true);
    picture_->SetOnChange(TNotifyEvent([this](TObject* sender) { pictureChanged(sender); }));
}

TQMCustomPanel::~TQMCustomPanel() { picture_->SetOnChange(nullptr); }

void TQMCustomPanel::Assign(TPersistent* source)
{
    TQMCustomSizableControl::Assign(source);
    auto* p = dynamic_cast<TQMCustomPanel*>(source);
    if (!p) return;
    SetAlignment(p->Alignment());
    SetBevel(p->Bevel());
    SetBevelColor(p->BevelColor());
    SetBevelEdges(p->BevelEdges());
    SetBevelWidth(p->BevelWidth());
    SetGradient(p->Gradient());
    SetGradientEnd(p->GradientEnd());
    SetGradientMid(p->GradientMid());
    SetGradientUsesMid(p->GradientUsesMid());
    SetLayout(p->Layout());
    SetMultiline(p->Multiline());
    SetPicture(p->Picture());
    SetPictureProps(p->PictureProps());
    SetShowSizeGrip(p->ShowSizeGrip());
    SetShowStatusbar(p->ShowStatusbar());
    SetStatusbarColor(p->StatusbarColor());
    SetStatusbarText(p->StatusbarText());
}

void TQMCustomPanel::realign()
{
    Realign();
    AdjustSize();  // the bevel is part of the auto-sized content
    Invalidate();
}

void TQMCustomPanel::SetAlignment(TLeftRight value)
{
    if (value == taCenter || !AssignIfChanged(alignment_, value)) return;
    Invalidate();
}

void TQMCustomPanel::SetBevel(TQMControlBorder value)
{
    if (AssignIfChanged(bevel_, value) && !bevelEdges_.Empty()) realign();
}

void TQMCustomPanel::SetBevelColor(TColor value)
{
    if (AssignIfChanged(bevelColor_, value) && bevel_ != qmcbNone && !bevelEdges_.Empty()) Invalidate();
}

void TQMCustomPanel::SetBevelEdges(TQMBorderEdges value)
{
    if (AssignIfChanged(bevelEdges_, value) && bevel_ != qmcbNone) realign();
}

void TQMCustomPanel::SetBevelWidth(TQMBevelWidth value)
{
    value = std::max(value, 0);
    if (AssignIfChanged(bevelWidth_, value) && bevel_ != qmcbNone && !bevelEdges_.Empty()) realign();
}

void TQMCustomPanel::SetGradient(TQMGradient value)
{
    if (AssignIfChanged(gradient_, value)) Invalidate();
}

void TQMCustomPanel::SetGradientEnd(TColor value)
{
    if (AssignIfChanged(gradientEnd_, value) && gradient_ != qmgNone) Invalidate();
}

void TQMCustomPanel::SetGradientMid(TColor value)
{
    if (AssignIfChanged(gradientMid_, value) && gradientUsesMid_ && gradient_ != qmgNone) Invalidate();
}

void TQMCustomPanel::SetGradientUsesMid(bool value)
{
    if (AssignIfChanged(gradientUsesMid_, value) && gradient_ != qmgNone && gradientMid_ != clNone) Invalidate();
}

void TQMCustomPanel::SetLayout(TQMPanelLayout value)
{
    if (AssignIfChanged(layout_, value)) Invalidate();
}

void TQMCustomPanel::SetMultiline(bool value)
{
    if (!AssignIfChanged(multiline_, value)) return;
    AdjustSize();
    Invalidate();
}

void TQMCustomPanel::SetPictureOrient(TQMPictureOrient value)
{
    if (AssignIfChanged(pictureOrient_, value) && ShowsPicture()) PictureChanged();
}

void TQMCustomPanel::SetPictureIndent(int value)
{
    if (AssignIfChanged(pictureIndent_, value) && ShowsPicture()) PictureChanged();
}

void TQMCustomPanel::SetPictureTopIndent(int value)
{
    if (AssignIfChanged(pictureTopIndent_, value) && ShowsPicture()) PictureChanged();
}

void TQMCustomPanel::SetPictureTransparent(bool value)
{
    if (AssignIfChanged(pictureTransparent_, value) && ShowsPicture()) PictureChanged();
}

void TQMCustomPanel::SetPictureVisible(bool value)
{
    if (AssignIfChanged(pictureVisible_, value) && HasPicture()) Invalidate();
}

TPicture* TQMCustomPanel::CurrentPicture() const
{
    if (TQMPictureList* list = PictureList()) return list->GetPicture(PictureIndex());
    return picture_.get();
}

bool TQMCustomPanel::HasPicture() const
{
    const TPicture* p = CurrentPicture();
    const TGraphic* g = p ? p->Graphic() : nullptr;
    return g && !g->Empty() && g->Width() > 0 && g->Height() > 0;
}

bool TQMCustomPanel::GradientPainted() const
{
    return qm::GradientPainted(gradient_, Color(), gradientEnd_, gradientMid_, gradientUsesMid_);
}

void TQMCustomPanel::ShrinkForBevel(TRect& rect) const
{
    rect = qm::ShrinkForBevel(rect, bevel_, bevelEdges_, bevelWidth_);
}

void TQMCustomPanel::AdjustClientRect(TRect& rect)
{
    TQMCustomSizableControl::AdjustClientRect(rect);
    ShrinkForBevel(rect);
}

TRect TQMCustomPanel::GetPictureRect() const
{
    TRect r = ClientRect();
    r.Left += pictureIndent_;
    r.Right -= pictureIndent_;
    r.Top += pictureTopIndent_;
    r.Bottom -= pictureTopIndent_;
    return r;
}

void TQMCustomPanel::PictureChanged()
{
    // A picture that was cleared must disappear too, so this does not ask whether one is shown.
    if (pictureVisible_ && !drawingPicture_) Invalidate();
}

void TQMCustomPanel::PictureListChanged()
{
    if (pictureVisible_ && !drawingPicture_) Invalidate();
}

void TQMCustomPanel::TransparentChanged()
{
    if (!GradientPainted()) Invalidate();
}

void TQMCustomPanel::Paint()
{
    TCanvas* canvas = Canvas();
    const TRect r = ClientRect();
    if (GradientPainted()) {
        for (const qm::GradientPart& part :
             qm::PanelGradientParts(r, gradient_, Color(), gradientEnd_, gradientMid_, gradientUsesMid_))
            FillGradient(canvas, part.Rect, part.Direction, part.Start, part.End);
    } else {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
        if (Transparent()) PaintParentBackground(canvas);
    }
    if (ShowsPicture()) DrawPicture(canvas);
    if (bevel_ != qmcbNone && !bevelEdges_.Empty()) {
        const TRect w = qm::Shrink(r, bevelWidth_, bevelWidth_);
        DrawCanvasBorder(canvas, w, bevelColor_ == clNone ? Color() : bevelColor_, bevelEdges_, bevel_);
    }
    PaintContent();
}

void TQMCustomPanel::DrawPicture(TCanvas* canvas)
{
    if (drawingPicture_ || !HasPicture()) return;
    drawingPicture_ = true;
    TGraphic* graphic = CurrentPicture()->Graphic();
    TQMPictureList* list = PictureList();
    const bool wasTransparent = graphic->Transparent();
    if (list) list->ListBeginUpdate();
    // The transparency switch fires the picture's change notification: the guard and the list's
    // update count keep that from repainting this control or the others sharing the list.
    struct Restore {
        TQMCustomPanel* panel;
        TGraphic* graphic;
        TQMPictureList* list;
        bool transparent;
        ~Restore()
        {
            graphic->SetTransparent(transparent);
            if (list) list->ListEndUpdate();
            panel->drawingPicture_ = false;
        }
    } restore{this, graphic, list, wasTransparent};
    TCanvas* c = canvas ? canvas : Canvas();
    const TRect r = GetPictureRect();
    if (r.IsEmpty() || !c) return;
    graphic->SetTransparent(pictureTransparent_);
    for (const TPoint& at : qm::PicturePlacements(r, graphic->Width(), graphic->Height(), pictureOrient_))
        c->Draw(at.X, at.Y, graphic);
}

void TQMCustomPanel::PaintContent()
{
    TRect r = ClientRect();
    ShrinkForBevel(r);
    r = qm::Shrink(r, Indent(), Indent());
    if (r.IsEmpty()) return;
    const bool image = IsValidImage(ImageIndex());
    const TRect ir = image ? GetImageRect() : TRect{};
    const qm::ContentLayout layout = qm::PanelContentLayout(r, ir.Width(), ir.Height(), layout_,
                                                            alignment_ == taRightJustify, Spacing());
    if (image) Images()->Draw(Canvas(), layout.Image.Left, layout.Image.Top, ImageIndex(), Enabled());
    DrawCaption(layout.Text);
}

void TQMCustomPanel::DrawCaption(const TRect& rect)
{
    TCanvas* canvas = Canvas();
    if (!canvas || rect.IsEmpty()) return;
    const String text = GetCaptionText();
    unsigned format = DT_EXPANDTABS;
    if (alignment_ == taRightJustify) format |= DT_RIGHT;
    format |= layout_ == qmplBottom ? DT_BOTTOM : layout_ == qmplMiddle ? DT_VCENTER : DT_TOP;
    format |= multiline_ ? (DT_WORDBREAK | DT_EDITCONTROL) : (DT_SINGLELINE | DT_END_ELLIPSIS);
    HDC dc = canvas->Handle();
    const int level = dc->SaveDC();
    dc->IntersectClipRect(rect.Left, rect.Top, rect.Right, rect.Bottom);
    dc->SetBkMode(TRANSPARENT);
    dc->SelectFont(Font()->LogFont());
    if (Enabled()) {
        TRect t = rect;
        dc->SetTextColor(Font()->Color());
        dc->DrawText(text, t, format);
    } else {
        TRect t{rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
        dc->SetTextColor(clBtnHighlight);
        dc->DrawText(text, t, format);
        t = rect;
        dc->SetTextColor(clBtnShadow);
        dc->DrawText(text, t, format);
    }
    dc->RestoreDC(level);
    canvas->Refresh();
}

TSize TQMCustomPanel::contentSize()
{
    TSize text;
    const String caption = GetCaptionText();
    if (!caption.empty()) {
        TBitmap scratch(1, 1);
        HDC dc = scratch.Canvas()->Handle();
        dc->SelectFont(Font()->LogFont());
        TRect r{0, 0, 0, 0};
        dc->DrawText(caption, r, DT_CALCRECT | DT_EXPANDTABS | (multiline_ ? 0u : unsigned(DT_SINGLELINE)));
        text = {r.Width(), r.Height()};
    }
    const TRect insets = qm::ShrinkForBevel(TRect{0, 0, 0, 0}, bevel_, bevelEdges_, bevelWidth_);
    const TRect bevelInsets{insets.Left, insets.Top, -insets.Right, -insets.Bottom};
    const TRect image = IsValidImage(ImageIndex()) ? GetImageRect() : TRect{};
    return qm::PanelContentSize(text, TSize{image.Width(), image.Height()}, Spacing(), Indent(), bevelInsets,
                                GetClientMargins());
}

bool TQMCustomPanel::CanAutoSize(int& newWidth, int& newHeight)
{
    if (AutoSize() && ControlCount() == 0) {
        const TSize s = contentSize();
        newWidth = s.cx;
        newHeight = s.cy;
        return true;
    }
    return TQMCustomSizableControl::CanAutoSize(newWidth, newHeight);
}

void TQMCustomPanel::AdjustSize()
{
    // Content-driven, so a second call finds nothing to change.
    if (!AutoSize() || ControlCount() > 0 || ComponentState().Contains(csReading) || IsLoading()) return;
    const TRect b = qm::AutoSizedBounds(BoundsRect(), contentSize(), alignment_ == taLeftJustify);
    if (b != BoundsRect()) SetBoundsRect(b);
}

TV_PUBLISHED(TQMCustomPanel) {}

TV_PUBLISHED(TQMPanel)
{
    Prop("Caption", &TQMPanel::Caption, &TQMPanel::SetCaption);
    PropEnum("Alignment", &TQMPanel::Alignment, &TQMPanel::SetAlignment, taLeftJustify, TLeftRightNames);
    PropEnum("Bevel", &TQMPanel::Bevel, &TQMPanel::SetBevel, qmcbNone, TQMControlBorderNames);
    PropColor("BevelColor", &TQMPanel::BevelColor, &TQMPanel::SetBevelColor, clNone);
    PropSet("BevelEdges", &TQMPanel::BevelEdges, &TQMPanel::SetBevelEdges, QMAllEdges, TQMBorderEdgeNames);
    Prop("BevelWidth", &TQMPanel::BevelWidth, &TQMPanel::SetBevelWidth, 0);
    PropEnum("Gradient", &TQMPanel::Gradient, &TQMPanel::SetGradient, qmgNone, TQMGradientNames);
    PropColor("GradientEnd", &TQMPanel::GradientEnd, &TQMPanel::SetGradientEnd, clNavy);
    PropColor("GradientMid", &TQMPanel::GradientMid, &TQMPanel::SetGradientMid, clBlue);
    Prop("GradientUsesMid", &TQMPanel::GradientUsesMid, &TQMPanel::SetGradientUsesMid, false);
    PropEnum("Layout", &TQMPanel::Layout, &TQMPanel::SetLayout, qmplMiddle, TQMPanelLayoutNames);
    Prop("Multiline", &TQMPanel::Multiline, &TQMPanel::SetMultiline, false);
    Prop("Picture", &TQMPanel::Picture, &TQMPanel::SetPicture);
    Prop("PictureProps", &TQMPanel::PictureProps, &TQMPanel::SetPictureProps);
    Prop("ShowSizeGrip", &TQMPanel::ShowSizeGrip, &TQMPanel::SetShowSizeGrip, true);
    Prop("ShowStatusbar", &TQMPanel::ShowStatusbar, &TQMPanel::SetShowStatusbar, false);
    PropColor("StatusbarColor", &TQMPanel::StatusbarColor, &TQMPanel::SetStatusbarColor, clBtnFace);
    Prop("StatusbarText", &TQMPanel::StatusbarText, &TQMPanel::SetStatusbarText);
    Prop("ParentColor", &TQMPanel::ParentColor, &TQMPanel::SetParentColor, true);
}

void RegisterStyledControls()
{
    RegisterClasses({&TQMPanel::StaticClass(), &TQMPictureList::StaticClass(), &TQMPictureListItem::StaticClass()});
}

namespace {
// Stored descriptions may name the styled classes as soon as the panel is linked in.
const bool registered = (RegisterStyledControls(), true);
}  // namespace
