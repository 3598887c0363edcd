#pragma once
// Components: owner frees what it owns, names unique among siblings, free notifications,
// and the state flags used while streaming and destroying.
#include <functional>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/classes/Sets.h"

enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

using TGetChildProc = std::function<void(TComponent* child)>;

class TComponent : public TPersistent {
    TV_CLASS(TComponent, TPersistent)
public:
    // Owned by owner (may be null); owner frees it. Create with `new T(owner)`.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    // Marks csDestroying, tells the owner and every free-notification client (opRemove) while the
    // derived parts are still alive, then frees the owned components.
    void BeforeDestruction() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;              // EListError "List index out of bounds (%d)"
    int ComponentIndex() const;                           // -1 without owner
    void SetComponentIndex(int index);                    // position among the owner's components (clamped)
    TComponent* FindComponent(const String& name) const;  // case-insensitive, nullptr if none
    void InsertComponent(TComponent* component);          // takes ownership (name must be unique)
    void RemoveComponent(TComponent* component);          // gives ownership up; caller owns it now
    void DestroyComponents();                             // frees every owned component

    const String& Name() const { return name_; }
    // EComponentError "'%s' is not a valid component name" / "A component named %s already exists".
    virtual void SetName(const String& newName);
    Int64 Tag() const { return tag_; }
    void SetTag(Int64 tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }
    bool IsDesigning() const { return state_.Contains(csDesigning); }
    bool IsLoading() const { return state_.Contains(csLoading); }
    bool IsDestroying() const { return state_.Contains(csDestroying); }
    void SetDesigning(bool value, bool setChildren = true);

    // Ask for Notification(this, opRemove) on `component` before this one goes (and vice versa).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    String GetNamePath() const override;
    // Children written after this component in a stream (none by default; roots override).
    virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}
    // The owner a streamed child is attached to (ReadComponent) and the stream order of children.
    virtual TComponent* GetChildOwner() { return nullptr; }
    virtual TComponent* GetChildParent() { return this; }
    virtual void SetChildOrder(TComponent*, int) {}

    // Streaming state changes (called by TReader/TWriter, public for the window layer's loaders).
    virtual void Loaded();  // after the whole tree was read and references fixed up
    void SetLoading();      // enter csLoading|csReading
    void SetReading(bool on);
    void SetWriting(bool on);
    void SetInlineState(bool on);
    void SetAncestorState(bool on);

    // Extended check used by the component streams.
    static bool IsValidIdent(const String& ident);

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    virtual void ValidateRename(TComponent* component, const String& curName, const String& newName);
    virtual void ReadState(class TReader& reader);
    virtual void WriteState(class TWriter& writer);
    virtual void Updating();
    virtual void Updated();
    TPersistent* GetOwner() const override { return owner_; }
    void SetComponentState(TComponentState state) { state_ = state; }

    friend class TReader;
    friend class TWriter;

private:
    void insert(TComponent* c);
    void remove(TComponent* c);
    void removeNotification(TComponent* c);
    void notifyAll(TOperation op);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    String name_;
    Int64 tag_ = 0;
    TComponentState state_;
    bool beforeDestructionDone_ = false;
};

// Gives the first free name "<base>N" (N from 1) for a component of owner: "Series1", "Series2".
String UniqueComponentName(const TComponent* owner, const String& base);
