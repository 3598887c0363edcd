// The shared picture list: lookups, notifier bookkeeping, update batching and destruction.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/graphics/Bitmap.h"
#include "widgets/styled/QMPanel.h"
#include "widgets/styled/QMPictureList.h"

namespace {

struct Listener {
    TQMPictureNotifier notifier;
    std::vector<Byte> heard;
    Listener()
    {
        notifier.SetOnNotify(TQMPictureListNotifyEvent([this](TQMPictureList*, Byte op) { heard.push_back(op); }));
    }
};

TQMPictureListItem* addItem(TQMPictureList& list) { return static_cast<TQMPictureListItem*>(list.Pictures()->Add()); }

}  // namespace

TEST(StyledPictureList, GetPictureOutsideTheListIsNull)
{
    TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
    addItem(*list);
    addItem(*list);
    EXPECT_EQ(list->GetPicture(-1), nullptr);
    EXPECT_EQ(list->GetPicture(2), nullptr);
    EXPECT_NE(list->GetPicture(0), nullptr);
    EXPECT_EQ(list->GetPicture(1), list->Pictures()->Items(1)->Picture());
}

TEST(StyledPictureList, NotifiersAreHeldOnceAndNullIsIgnored)
{
    Listener a;  // outlives the list, as a control unregistered in time would
    TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
    list->RegisterNotifier(&a.notifier);
    list->RegisterNotifier(&a.notifier);
    list->RegisterNotifier(nullptr);
    EXPECT_EQ(list->NotifierCount(), 1);
    list->NotifyAll(qmpnChanged);
    EXPECT_EQ(a.heard.size(), 1u);
    list->UnregisterNotifier(nullptr);
    list->UnregisterNotifier(&a.notifier);
    list->NotifyAll(qmpnChanged);
    EXPECT_EQ(a.heard.size(), 1u);
}

TEST(StyledPictureList, UpdatingHoldsBackChangesButNotRemoval)
{
    Listener a;  // outlives the list, as a control unregistered in time would
    TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
    list->RegisterNotifier(&a.notifier);
    list->ListBeginUpdate();
    EXPECT_TRUE(list->IsUpdating());
    list->NotifyAll(qmpnChanged);
    EXPECT_TRUE(a.heard.empty());
    list->NotifyAll(qmpnRemoved);
    EXPECT_EQ(a.heard, std::vector<Byte>{qmpnRemoved});
    list->ListEndUpdate();
    list->ListEndUpdate();  // an extra end leaves the counter at zero
    EXPECT_FALSE(list->IsUpdating());
    EXPECT_EQ(a.heard.size(), 1u);  // the end of an update sends nothing
}

TEST(StyledPictureList, AFailingNotifierDoesNotStopTheOthers)
{
    TQMPictureNotifier failing;
    failing.SetOnNotify(TQMPictureListNotifyEvent([](TQMPictureList*, Byte) { throw std::runtime_error("boom"); }));
    Listener after;
    TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
    list->RegisterNotifier(&failing);
    list->RegisterNotifier(&after.notifier);
    EXPECT_NO_THROW(list->NotifyAll(qmpnChanged));
    EXPECT_EQ(after.heard.size(), 1u);
}

TEST(StyledPictureList, ANotifierMayLeaveWhileHearing)
{
    Listener second;
    TQMPictureNotifier first;
    TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
    first.SetOnNotify(TQMPictureListNotifyEvent([&](TQMPictureList* l, Byte) {
        l->UnregisterNotifier(&first);
        l->UnregisterNotifier(&second.notifier);
    }));
    list->RegisterNotifier(&first);
    list->RegisterNotifier(&second.notifier);
    list->NotifyAll(qmpnChanged);
    EXPECT_TRUE(second.heard.empty());  // it left before its turn
    EXPECT_EQ(list->NotifierCount(), 0);
}

TEST(StyledPictureList, ItemChangesReachTheList)
{
    Listener a;
    TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
    TQMPictureListItem* item = addItem(*list);
    list->RegisterNotifier(&a.notifier);
    item->SetCaption("Logo");
    item->SetCaption("Logo");  // unchanged: no report
    item->SetName("logo");
    EXPECT_EQ(a.heard, (std::vector<Byte>{qmpnChanged, qmpnChanged}));
    a.heard.clear();
    TBitmap bmp(4, 4);
    item->Picture()->SetBitmap(&bmp);
    EXPECT_FALSE(a.heard.empty());  // picture content changes report too
}

TEST(StyledPictureList, ItemUpdateReportsOnceAtTheEnd)
{
    Listener a;
    TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
    TQMPictureListItem* item = addItem(*list);
    list->RegisterNotifier(&a.notifier);
    item->BeginUpdate();
    item->SetCaption("A");
    item->SetName("B");
    EXPECT_TRUE(item->InUpdate());
    EXPECT_TRUE(a.heard.empty());
    item->EndUpdate();
    EXPECT_EQ(a.heard.size(), 1u);
    item->EndUpdate();  // unbalanced end: nothing more
    EXPECT_EQ(a.heard.size(), 1u);

    TQMPictureListItem* copy = addItem(*list);
    a.heard.clear();
    copy->Assign(item);
    EXPECT_EQ(copy->Caption(), "A");
    EXPECT_EQ(copy->Name(), "B");
    EXPECT_EQ(a.heard.size(), 1u);  // one report for the whole copy
}

TEST(StyledPictureList, DisplayNamePrefersNameThenCaption)
{
    TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
    TQMPictureListItem* item = addItem(*list);
    const String fallback = item->DisplayName();
    item->SetCaption("Caption");
    EXPECT_EQ(item->DisplayName(), "Caption");
    item->SetName("Name");
    EXPECT_EQ(item->DisplayName(), "Name");
    item->SetName("");
    item->SetCaption("");
    EXPECT_EQ(item->DisplayName(), fallback);
}

TEST(StyledPictureList, DestructionTellsEveryNotifier)
{
    Listener a, b;
    {
        TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
        list->RegisterNotifier(&a.notifier);
        list->RegisterNotifier(&b.notifier);
        list->ListBeginUpdate();
    }
    EXPECT_EQ(a.heard, std::vector<Byte>{qmpnRemoved});
    EXPECT_EQ(b.heard, std::vector<Byte>{qmpnRemoved});
}

TEST(StyledPictureList, AssignCopiesThePictures)
{
    TOwnedPtr<TQMPictureList> a(new TQMPictureList(nullptr));
    TOwnedPtr<TQMPictureList> b(new TQMPictureList(nullptr));
    addItem(*a)->SetCaption("one");
    addItem(*a)->SetCaption("two");
    b->Assign(a.get());
    ASSERT_EQ(b->Pictures()->Count(), 2);
    EXPECT_EQ(b->Pictures()->Items(1)->Caption(), "two");
}

TEST(StyledPictureList, TextFormKeepsTheItems)
{
    RegisterStyledControls();
    TOwnedPtr<TQMPictureList> list(new TQMPictureList(nullptr));
    list->SetName("Pictures1");
    addItem(*list)->SetCaption("Logo");
    auto* second = addItem(*list);
    second->SetName("background");
    TBitmap bmp(3, 2);
    second->Picture()->SetBitmap(&bmp);
    const String text = ComponentToText(list.get());
    EXPECT_NE(text.find("Pictures = <"), String::npos) << text;
    TOwnedPtr<TComponent> back(TextToComponent(text, nullptr));
    auto* copy = dynamic_cast<TQMPictureList*>(back.get());
    ASSERT_NE(copy, nullptr) << text;
    ASSERT_EQ(copy->Pictures()->Count(), 2);
    EXPECT_EQ(copy->Pictures()->Items(0)->Caption(), "Logo");
    EXPECT_EQ(copy->Pictures()->Items(1)->Name(), "background");
    ASSERT_NE(copy->GetPicture(1)->Graphic(), nullptr);
    EXPECT_EQ(copy->GetPicture(1)->Width(), 3);
}
