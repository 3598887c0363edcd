#include "widgets/styled/QMPictureList.h"

#include <algorithm>

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

void TQMPictureNotifier::Notify(TQMPictureList* list, Byte operation)
{
    if (onNotify_) onNotify_(list, operation);
}

// ---- TQMPictureListItem ----

TQMPictureListItem::TQMPictureListItem(TCollection* collection) : TCollectionItem(collection), picture_(new TPicture)
{
    picture_->SetOnChange(TNotifyEvent([this](TObject* sender) { pictureChanged(sender); }));
}

TQMPictureListItem::~TQMPictureListItem() { picture_->SetOnChange(nullptr); }

void TQMPictureListItem::Assign(TPersistent* source)
{
    if (auto* item = dynamic_cast<TQMPictureListItem*>(source)) {
        BeginUpdate();
        SetPicture(item->Picture());
        SetCaption(item->Caption());
        SetName(item->Name());
        EndUpdate();
        return;
    }
    TCollectionItem::Assign(source);
}

String TQMPictureListItem::DisplayName() const
{
    if (!name_.empty()) return name_;
    if (!caption_.empty()) return caption_;
    return TCollectionItem::DisplayName();
}

void TQMPictureListItem::SetPicture(TPicture* value) { picture_->Assign(value); }

void TQMPictureListItem::SetCaption(const String& value)
{
    if (AssignIfChanged(caption_, value)) change();
}

void TQMPictureListItem::SetName(const String& value)
{
    if (AssignIfChanged(name_, value)) change();
}

void TQMPictureListItem::BeginUpdate() { ++updateCount_; }

void TQMPictureListItem::EndUpdate()
{
    if (updateCount_ <= 0) return;
    if (--updateCount_ == 0) change();
}

void TQMPictureListItem::change()
{
    if (!InUpdate()) Changed(true);
}

void TQMPictureListItem::pictureChanged(TObject*) { change(); }

TV_PUBLISHED(TQMPictureListItem)
{
    Prop("Picture", &TQMPictureListItem::Picture, &TQMPictureListItem::SetPicture);
    Prop("Caption", &TQMPictureListItem::Caption, &TQMPictureListItem::SetCaption);
    Prop("Name", &TQMPictureListItem::Name, &TQMPictureListItem::SetName);
    Method("BeginUpdate", &TQMPictureListItem::BeginUpdate);
    Method("EndUpdate", &TQMPictureListItem::EndUpdate);
}

// ---- TQMPictureListItems ----

TQMPictureListItems::TQMPictureListItems(TQMPictureList* list)
    : TCollection(TQMPictureListItem::StaticClass()), list_(list)
{
}

TPersistent* TQMPictureListItems::GetOwner() const { return list_; }

void TQMPictureListItems::Update(TCollectionItem*)
{
    if (list_) list_->NotifyAll(qmpnChanged);
}

TV_PUBLISHED(TQMPictureListItems) {}

// ---- TQMPictureList ----

TQMPictureList::TQMPictureList(TComponent* owner) : TComponent(owner), pictures_(new TQMPictureListItems(this))
{
    pictures_->SetPropName("Pictures");
}

TQMPictureList::~TQMPictureList()
{
    if (!removalSent_) BeforeDestruction();
    pictures_.reset();
}

void TQMPictureList::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    if (removalSent_) return;
    removalSent_ = true;
    // Tell the controls first, so none of them keeps a pointer into a list that goes away.
    if (!notifiers_.empty()) {
        NotifyAll(qmpnRemoved);
        notifiers_.clear();
    }
}

void TQMPictureList::Assign(TPersistent* source)
{
    if (auto* list = dynamic_cast<TQMPictureList*>(source)) {
        SetPictures(list->Pictures());
        return;
    }
    TComponent::Assign(source);
}

void TQMPictureList::SetPictures(TQMPictureListItems* value) { pictures_->Assign(value); }

TPicture* TQMPictureList::GetPicture(int index) const
{
    if (index < 0 || index >= pictures_->Count()) return nullptr;
    return pictures_->Items(index)->Picture();
}

void TQMPictureList::RegisterNotifier(TQMPictureNotifier* notifier)
{
    if (!notifier) return;
    if (std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end()) notifiers_.push_back(notifier);
}

void TQMPictureList::UnregisterNotifier(TQMPictureNotifier* notifier)
{
    if (!notifier) return;
    std::erase(notifiers_, notifier);
}

void TQMPictureList::NotifyAll(Byte operation)
{
    if (notifiers_.empty()) return;
    if (IsUpdating() && operation != qmpnRemoved) return;
    // A notifier may unregister itself (or others) while it hears: walk a snapshot.
    const std::vector<TQMPictureNotifier*> snapshot = notifiers_;
    for (TQMPictureNotifier* n : snapshot) {
        if (std::find(notifiers_.begin(), notifiers_.end(), n) == notifiers_.end()) continue;
        try {
            n->Notify(this, operation);
        } catch (...) {
        }
    }
}

void TQMPictureList::ListEndUpdate()
{
    if (updateCount_ > 0) --updateCount_;
}

TV_PUBLISHED(TQMPictureList) { Prop("Pictures", &TQMPictureList::Pictures, &TQMPictureList::SetPictures); }
