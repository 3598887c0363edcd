#pragma once
// The picture of the chart family: a class-library picture with a list of filters applied to a
// bitmap copy before it is drawn. The filters are stored as the "FilterItems" property.
#include <memory>

#include "platform/graphics/Graphic.h"

class TBitmap;
class TFilterItems;
class TReader;
class TWriter;

class TZebPicture : public TPicture {
    TV_CLASS(TZebPicture, TPicture)
public:
    TZebPicture();
    ~TZebPicture() override;
    void Assign(TPersistent* source) override;

    // Created on first read; null frees them.
    TFilterItems* Filters();
    void SetFilters(TFilterItems* value);
    bool HasFilters() const;

    bool HasGraphic() const { return Graphic() && !Graphic()->Empty(); }
    // The graphic itself without filters; otherwise a bitmap copy (owned by the picture, refilled
    // at every call) with the enabled filters applied.
    TGraphic* GetFilteredGraphic();
    void SignalChange() { Changed(this); }

    static void CopyGraphicToBitmap(TGraphic& graphic, TBitmap& bitmap);
    // The "FilterItems" stream form, also used by the filtered image control: a collection whose
    // items start with "ItemClass" and the filter's class name, then its published properties.
    // Reading replaces the filters; an unknown class raises EClassNotFound.
    static void ReadFilterItems(TReader& reader, TFilterItems& filters);
    static void WriteFilterItems(TWriter& writer, TFilterItems& filters);

protected:
    void DefineProperties(TFiler& filer) override;

private:
    TFilterItems* filters_ = nullptr;  // owned
    std::unique_ptr<TBitmap> filtered_;
};
