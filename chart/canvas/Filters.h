#pragma once
// Picture filters: items of an ordered collection applied to a bitmap copy of a picture before it
// is drawn. A filter works on the bitmap's rows (24-bit B, G, R or 32-bit B, G, R, A) inside its
// region; the convolution filter is the shared 3 x 3 engine of the blurring and sharpening kinds.
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/classes/MethodEvent.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Streams.h"

class TBitmap;
class TReader;
class TWriter;
class IOptionBuilder;

// The part of a bitmap a filter changes: Width or Height 0 reach the bitmap's far edge.
class TFilterRegion : public TPersistent {
    TV_CLASS(TFilterRegion, TPersistent)
public:
    TFilterRegion() = default;
    void Assign(TPersistent* source) override;

    int Left() const { return left_; }
    void SetLeft(int value) { left_ = value; }
    int Top() const { return top_; }
    void SetTop(int value) { top_ = value; }
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }

private:
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

class TZebFilter : public TCollectionItem {
    TV_CLASS(TZebFilter, TCollectionItem)
public:
    explicit TZebFilter(TCollection* collection);
    ~TZebFilter() override;
    void Assign(TPersistent* source) override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Created on first read; null frees it.
    TFilterRegion* Region();
    void SetRegion(TFilterRegion* value);
    bool HasRegion() const { return region_ != nullptr; }
    bool IsRegionStored() const { return region_ != nullptr; }
    bool RegionAllowed() const { return regionAllowed_; }

    // The inclusive rectangle of the bitmap the filter works on (its region, else the whole).
    TRect RegionRect(int width, int height) const;
    void ApplyToBitmap(TBitmap& bitmap);
    // Fetches the row table; every filter calls this first and stops when there are no rows.
    // rect is inclusive on all sides.
    virtual void Apply(TBitmap& bitmap, const TRect& rect);
    // Stores the change callback; filters add their settings controls through the builder.
    virtual void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange);
    // The name shown by the editors; the class name in the base.
    virtual String GetDescription() const;
    // Settings shown in the editor's filter gallery.
    virtual void PrepareGallerySample() {}

    // A filter of the class, made without a collection, applied to the whole bitmap and freed.
    static void ApplyClassTo(const TMetaClass& filterClass, TBitmap& bitmap);

protected:
    // Row tables of the last Apply (row 0 on top); empty for a bitmap without rows.
    const std::vector<Byte*>& Lines() const { return lines_; }
    int BytesPerPixel() const { return pixels32_ ? 4 : 3; }
    void SetRegionAllowed(bool value) { regionAllowed_ = value; }
    void SetPixels32(bool value) { pixels32_ = value; }
    // Keeps the rows already fetched across Apply calls (filters that make several passes).
    void SetReuseLines(bool value) { reuseLines_ = value; }
    // The editor's callback after a setting changed.
    void SettingChanged();

private:
    bool enabled_ = true;
    TFilterRegion* region_ = nullptr;  // owned
    bool regionAllowed_ = true;
    TNotifyEvent onChange_;
    bool reuseLines_ = false;
    bool pixels32_ = false;
    std::vector<Byte*> lines_;
};

class TFilterItems : public TOwnedCollection {
    TV_CLASS(TFilterItems, TOwnedCollection)
public:
    explicit TFilterItems(TPersistent* owner);
    void Assign(TPersistent* source) override;

    TZebFilter* Items(int index) const { return static_cast<TZebFilter*>(TCollection::Items(index)); }
    TZebFilter* Add(const TMetaClass& filterClass);
    // Every enabled filter, in index order.
    void ApplyAll(TBitmap& bitmap);

    // Set by every change of an item; whoever caches a filtered picture clears it.
    bool ChangedFlag() const { return changed_; }
    void ClearChangedFlag() { changed_ = false; }
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

protected:
    void Update(TCollectionItem* item) override;
    void Notify(TCollectionItem* item, bool added) override;

private:
    bool changed_ = false;
    TNotifyEvent onChange_;
};

// The 3 x 3 convolution: weights W[0..8] for the rows above, on and below the pixel (left, centre,
// right in each row). The outer row and column of the working rectangle keep their pixels.
class TConvolveFilter : public TZebFilter {
    TV_CLASS(TConvolveFilter, TZebFilter)
public:
    explicit TConvolveFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;

    void SetWeights(const float (&weights)[9]);
    const float* Weights() const { return weights_; }

protected:
    // Keeps the working buffer between calls (filters applying the kernel several times).
    void SetKeepBuffer(bool value) { keepBuffer_ = value; }
    void ReleaseBuffer();

private:
    float weights_[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    bool keepBuffer_ = false;
    std::vector<Byte> buffer_;
};

// Registered filters can be created by name (streams, the editor's filter list). Registration
// puts the classes into the control class group and keeps their names in registration order.
void RegisterFilterClasses(std::initializer_list<const TMetaClass*> classes);
void UnregisterFilterClasses(std::initializer_list<const TMetaClass*> classes);
const std::vector<String>& FilterClassNames();
// Empties the name list; the classes stay in the class registry.
void ForgetFilterClassNames();

// A program resource by name, or null when the program has none of that name.
std::unique_ptr<TStream> FindResourceStream(const String& name);
