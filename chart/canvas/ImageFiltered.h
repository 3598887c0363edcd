#pragma once
// An image control that shows its picture through a list of picture filters. The filtered bitmap
// is kept until the picture or a filter changes.
#include <memory>

#include "platform/forms/ExtCtrls.h"

class TBitmap;
class TFilterItems;

class TImageFiltered : public TImage {
    TV_CLASS(TImageFiltered, TImage)
public:
    explicit TImageFiltered(TComponent* owner);
    ~TImageFiltered() override;

    TFilterItems* Filters() const { return filters_; }
    void SetFilters(TFilterItems* value);
    // The picture with the enabled filters applied; null without a picture.
    TBitmap* FilteredBitmap();

protected:
    void Paint() override;
    void DefineProperties(TFiler& filer) override;

private:
    void pictureChanged(TObject* sender);

    TFilterItems* filters_;  // owned
    std::unique_ptr<TBitmap> filtered_;
    TNotifyEvent pictureHandler_;
    bool building_ = false;
};
