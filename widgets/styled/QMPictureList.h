#pragma once
// A shared list of named pictures; styled controls hear of its changes through notifiers.
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/graphics/Graphic.h"

class TQMPictureList;

// Operations a notifier hears of.
constexpr Byte qmpnChanged = 0;
constexpr Byte qmpnRemoved = 1;  // the list is being destroyed

using TQMPictureListNotifyEvent = TMethodEvent<void(TQMPictureList* list, Byte operation)>;

class TQMPictureNotifier : public TObject {
public:
    const TQMPictureListNotifyEvent& OnNotify() const { return onNotify_; }
    void SetOnNotify(const TQMPictureListNotifyEvent& e) { onNotify_ = e; }
    virtual void Notify(TQMPictureList* list, Byte operation);

private:
    TQMPictureListNotifyEvent onNotify_;
};

class TQMPictureListItem : public TCollectionItem {
    TV_CLASS(TQMPictureListItem, TCollectionItem)
public:
    explicit TQMPictureListItem(TCollection* collection);
    ~TQMPictureListItem() override;
    void Assign(TPersistent* source) override;
    String DisplayName() const override;

    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* value);
    const String& Caption() const { return caption_; }
    void SetCaption(const String& value);
    const String& Name() const { return name_; }
    void SetName(const String& value);

    void BeginUpdate();
    void EndUpdate();
    bool InUpdate() const { return updateCount_ > 0; }

private:
    void change();
    void pictureChanged(TObject* sender);

    TOwnedPtr<TPicture> picture_;
    String caption_;
    String name_;
    int updateCount_ = 0;
};

class TQMPictureListItems : public TCollection {
    TV_CLASS(TQMPictureListItems, TCollection)
public:
    explicit TQMPictureListItems(TQMPictureList* list);
    TQMPictureList* PictureList() const { return list_; }
    TQMPictureListItem* Items(int index) const { return static_cast<TQMPictureListItem*>(TCollection::Items(index)); }

protected:
    TPersistent* GetOwner() const override;
    void Update(TCollectionItem* item) override;

private:
    TQMPictureList* list_;
};

class TQMPictureList : public TComponent {
    TV_CLASS(TQMPictureList, TComponent)
public:
    explicit TQMPictureList(TComponent* owner);
    ~TQMPictureList() override;
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;

    TQMPictureListItems* Pictures() const { return pictures_.get(); }
    void SetPictures(TQMPictureListItems* value);
    // Null for an index outside the list.
    TPicture* GetPicture(int index) const;

    // Null is ignored; a notifier is held once.
    void RegisterNotifier(TQMPictureNotifier* notifier);
    void UnregisterNotifier(TQMPictureNotifier* notifier);
    int NotifierCount() const { return static_cast<int>(notifiers_.size()); }
    // Tells every notifier; changes are held back while updating, removal never is. A failing
    // notifier does not keep the others from hearing.
    void NotifyAll(Byte operation);

    void ListBeginUpdate() { ++updateCount_; }
    void ListEndUpdate();
    bool IsUpdating() const { return updateCount_ > 0; }

private:
    std::vector<TQMPictureNotifier*> notifiers_;  // not owned
    TOwnedPtr<TQMPictureListItems> pictures_;
    int updateCount_ = 0;
    bool removalSent_ = false;
};
