#pragma once
// Image lists: equally sized images with transparency, drawn normally or in the disabled look,
// with change links for the controls that show them.
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/graphics/Colors.h"

class TBitmap;
class TCanvas;
class TCustomImageList;

class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();  // unregisters itself
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    TCustomImageList* Sender() const { return sender_; }
    void SetSender(TCustomImageList* s) { sender_ = s; }
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
    virtual void Change();

private:
    TCustomImageList* sender_ = nullptr;
    TNotifyEvent onChange_;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
    TV_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;
    void Assign(TPersistent* source) override;

    int Width() const { return width_; }
    void SetWidth(int w);  // clears the list
    int Height() const { return height_; }
    void SetHeight(int h);  // clears the list
    int Count() const;
    bool Masked() const { return masked_; }
    void SetMasked(bool m) { masked_ = m; }
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor c);
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle s) { drawingStyle_ = s; }
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType t) { imageType_ = t; }

    // A picture wider than Width adds one image per Width columns; returns the first index, -1
    // when nothing was added. Mask: white pixels are transparent (null: all opaque).
    int Add(TBitmap* image, TBitmap* mask);
    // Pixels of maskColor are transparent (clDefault: the bottom-left pixel's colour).
    int AddMasked(TBitmap* image, TColor maskColor);
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void Delete(int index);
    void Clear();
    void Move(int curIndex, int newIndex);
    // Draws image index at (x, y); disabled images in the embossed grey look. A bad index draws nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void GetBitmap(int index, TBitmap* image);

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    void BeginUpdate();
    void EndUpdate();
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

protected:
    virtual void Change();

private:
    struct Images;
    std::unique_ptr<Images> images_;
    int width_ = 16, height_ = 16;
    bool masked_ = true;
    TColor bkColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    std::vector<TChangeLink*> links_;
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
    TNotifyEvent onChange_;
};

class TImageList : public TCustomImageList {
    TV_CLASS(TImageList, TCustomImageList)
public:
    using TCustomImageList::TCustomImageList;
};
