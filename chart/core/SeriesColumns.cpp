#include "chart/core/SeriesColumns.h"

#include <algorithm>

#include "chart/canvas/ZebPicture.h"
#include "chart/core/ChartSeries.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TSeriesVisual)
{
    Prop("Enabled", &TSeriesVisual::Enabled, &TSeriesVisual::SetEnabled, true);
}

TEditVisualProc EditVisualHook = nullptr;

// ---- labels ----

String TLabelsList::GetLabel(int index) const
{
    return index >= 0 && index < Count() ? labels_[static_cast<size_t>(index)] : String();
}

void TLabelsList::growTo(int count)
{
    if (count > Count()) labels_.resize(static_cast<size_t>(count));
}

void TLabelsList::SetLabel(int index, const String& text)
{
    if (index < 0) return;
    if (!text.empty()) {
        growTo(index + 1);
        String& entry = labels_[static_cast<size_t>(index)];
        if (entry.empty()) ++nonEmpty_;
        entry = text;
    } else {
        cleared_ = true;
        if (index < Count()) {
            String& entry = labels_[static_cast<size_t>(index)];
            if (!entry.empty()) --nonEmpty_;
            entry.clear();
        }
    }
    if (owner_) owner_->InvalidateChart();
}

void TLabelsList::InsertLabel(int index, const String& text)
{
    if (index < 0) return;
    if (text.empty()) {
        cleared_ = true;
        if (labels_.empty()) return;
    }
    if (index > Count()) growTo(index);
    labels_.insert(labels_.begin() + index, text);
    if (!text.empty()) ++nonEmpty_;
}

void TLabelsList::DeleteLabel(int index) { DeleteRange(index, 1); }

void TLabelsList::DeleteRange(int start, int count)
{
    const int end = std::min(start + count, Count());
    if (start < 0 || start >= end) return;
    const auto first = labels_.begin() + start, last = labels_.begin() + end;
    nonEmpty_ -= static_cast<int>(std::count_if(first, last, [](const String& s) { return !s.empty(); }));
    labels_.erase(first, last);
}

void TLabelsList::SwapLabels(int a, int b)
{
    const String textA = GetLabel(a);
    SetLabel(a, GetLabel(b));
    SetLabel(b, textA);
}

void TLabelsList::Clear()
{
    std::vector<String>().swap(labels_);
    nonEmpty_ = 0;
    cleared_ = false;
}

void TLabelsList::SetIgnoreCase(bool value)
{
    if (AssignIfChanged(ignoreCase_, value) && owner_) owner_->InvalidateChart();
}

// ---- pictures ----

TZebPictureList::TZebPictureList() = default;
TZebPictureList::~TZebPictureList() = default;

void TZebPictureList::Clear() { pictures_.clear(); }

TZebPicture* TZebPictureList::PictureAt(int index) const
{
    return index >= 0 && index < Count() ? pictures_[static_cast<size_t>(index)].get() : nullptr;
}

TZebPicture* TZebPictureList::EnsurePicture(int index)
{
    if (index >= Count()) pictures_.resize(static_cast<size_t>(index) + 1);
    auto& entry = pictures_[static_cast<size_t>(index)];
    if (!entry) entry = std::make_unique<TZebPicture>();
    return entry.get();
}

void TZebPictureList::InsertEmpty(int index) { Insert(index, nullptr); }

void TZebPictureList::Insert(int index, std::unique_ptr<TZebPicture> picture)
{
    if (index > Count()) pictures_.resize(static_cast<size_t>(index));
    pictures_.insert(pictures_.begin() + index, std::move(picture));
}

void TZebPictureList::DeleteRange(int start, int count)
{
    const int end = std::min(start + count, Count());
    if (start < 0 || start >= end) return;
    pictures_.erase(pictures_.begin() + start, pictures_.begin() + end);
}

void TZebPictureList::Swap(int a, int b)
{
    const int high = std::max(a, b);
    if (high >= Count()) pictures_.resize(static_cast<size_t>(high) + 1);
    std::swap(pictures_[static_cast<size_t>(a)], pictures_[static_cast<size_t>(b)]);
}

// ---- visuals ----

void TSeriesVisual::Assign(TPersistent* source)
{
    if (auto* visual = dynamic_cast<TSeriesVisual*>(source)) {
        enabled_ = visual->enabled_;
        return;
    }
    TComponent::Assign(source);
}

TVisualsList::~TVisualsList()
{
    for (TSeriesVisual* visual : items_) release(visual);
}

void TVisualsList::release(TSeriesVisual* visual)
{
    if (visual && visual->Owner() == owner_) visual->Free();
}

void TVisualsList::SetTemplate(TSeriesVisual* value)
{
    if (template_) template_->RemoveFreeNotification(owner_);
    template_ = value;
    if (template_) template_->FreeNotification(owner_);
    Clear();
}

TSeriesVisual* TVisualsList::VisualAt(int index)
{
    if (index < 0) return nullptr;
    if (index < Count() && items_[static_cast<size_t>(index)]) return items_[static_cast<size_t>(index)];
    if (!template_ || !template_->Enabled()) return nullptr;
    auto* visual = static_cast<TSeriesVisual*>(template_->ClassType().CreateComponent(owner_));
    visual->Assign(template_);
    PutVisual(index, visual);
    return visual;
}

void TVisualsList::PutVisual(int index, TSeriesVisual* visual)
{
    if (index < 0) return;
    if (index < Count()) {
        release(items_[static_cast<size_t>(index)]);
        items_[static_cast<size_t>(index)] = nullptr;
    }
    if (visual) {
        if (index >= Count()) items_.resize(static_cast<size_t>(index) + 1);
        items_[static_cast<size_t>(index)] = visual;
    }
    owner_->InvalidateChart();
}

void TVisualsList::RemoveVisual(int index) { DeleteRange(index, 1); }

void TVisualsList::DeleteRange(int start, int count)
{
    const int end = std::min(start + count, Count());
    if (start < 0 || start >= end) return;
    for (int i = start; i < end; ++i) release(items_[static_cast<size_t>(i)]);
    items_.erase(items_.begin() + start, items_.begin() + end);
}

void TVisualsList::Swap(int a, int b)
{
    if (items_.empty()) return;
    const int high = std::max(a, b);
    if (high >= Count()) items_.resize(static_cast<size_t>(high) + 1);
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
}

void TVisualsList::Clear()
{
    for (TSeriesVisual* visual : items_) release(visual);
    items_.clear();
    owner_->InvalidateChart();
}

void TVisualsList::EditVisual(int index, bool flag)
{
    if (!EditVisualHook) return;
    if (index == -1) {
        if (template_ && EditVisualHook(template_, flag)) Clear();
    } else if (TSeriesVisual* visual = VisualAt(index); visual && EditVisualHook(visual, flag)) {
        owner_->InvalidateChart();
    }
}
