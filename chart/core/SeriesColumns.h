#pragma once
// The optional per-point columns of a series beside its value lists: labels, pictures and format
// objects (visuals). Each keeps one entry per point or fewer (a missing entry is none) and grows
// geometrically, so appending a point costs O(1) amortised in every column.
#include <memory>
#include <vector>

#include "platform/classes/Component.h"

class TChartSeries;
class TZebPicture;

// One optional text per point. It counts its non-empty entries, so "has any label" is O(1).
class TLabelsList {
public:
    explicit TLabelsList(TChartSeries* owner) : owner_(owner) {}

    int Count() const { return static_cast<int>(labels_.size()); }
    int NonEmptyCount() const { return nonEmpty_; }
    // Empty past the end.
    String GetLabel(int index) const;
    // Grows with empty entries up to index for a text; the owner repaints. A negative index
    // changes nothing.
    void SetLabel(int index, const String& text);
    void InsertLabel(int index, const String& text);
    // index must exist.
    void DeleteLabel(int index);
    // Entries start .. start+count-1 that exist.
    void DeleteRange(int start, int count);
    void SwapLabels(int a, int b);
    void Clear();

    bool IgnoreCase() const { return ignoreCase_; }
    void SetIgnoreCase(bool value);
    // A label was cleared since the last Clear.
    bool LabelCleared() const { return cleared_; }

private:
    void growTo(int count);

    TChartSeries* owner_;
    std::vector<String> labels_;
    int nonEmpty_ = 0;
    bool ignoreCase_ = false;
    bool cleared_ = false;
};

// One optional picture per point, owned.
class TZebPictureList {
public:
    TZebPictureList();
    ~TZebPictureList();
    TZebPictureList(const TZebPictureList&) = delete;
    TZebPictureList& operator=(const TZebPictureList&) = delete;

    int Count() const { return static_cast<int>(pictures_.size()); }
    // None past the end.
    TZebPicture* PictureAt(int index) const;
    // The picture at index, made (and the list grown) on first use.
    TZebPicture* EnsurePicture(int index);
    // Empty entry at index.
    void InsertEmpty(int index);
    void Insert(int index, std::unique_ptr<TZebPicture> picture);
    void DeleteRange(int start, int count);
    void Swap(int a, int b);
    void Clear();

private:
    std::vector<std::unique_ptr<TZebPicture>> pictures_;
};

// The template of per-point format objects and their base: its own switch says whether points take
// a copy of it.
class TSeriesVisual : public TComponent {
    TV_CLASS(TSeriesVisual, TComponent)
public:
    using TComponent::TComponent;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    void Assign(TPersistent* source) override;

private:
    bool enabled_ = true;
};

// A routine that edits a format object (the editor registers it); true when it changed something.
using TEditVisualProc = bool (*)(TSeriesVisual* visual, bool flag);
extern TEditVisualProc EditVisualHook;

// One optional format object per point. Entries owned by the series are freed when replaced,
// removed or cleared.
class TVisualsList {
public:
    explicit TVisualsList(TChartSeries* owner) : owner_(owner) {}
    ~TVisualsList();
    TVisualsList(const TVisualsList&) = delete;
    TVisualsList& operator=(const TVisualsList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TSeriesVisual* Template() const { return template_; }
    void SetTemplate(TSeriesVisual* value);
    // A copy of the template is made for an empty entry while the template's switch is on.
    TSeriesVisual* VisualAt(int index);
    void PutVisual(int index, TSeriesVisual* visual);
    void RemoveVisual(int index);
    void DeleteRange(int start, int count);
    void Swap(int a, int b);
    void Clear();
    void EditVisual(int index, bool flag);
    // The template went: forget it.
    void TemplateFreed() { template_ = nullptr; }

private:
    void release(TSeriesVisual* visual);

    TChartSeries* owner_;
    TSeriesVisual* template_ = nullptr;
    std::vector<TSeriesVisual*> items_;
};
