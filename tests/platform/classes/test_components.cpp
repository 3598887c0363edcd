// Component model: ownership, names, notifications, metaclasses, published properties by path.
#include <gtest/gtest.h>

#include <memory>

#include "SampleClasses.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Exceptions.h"

namespace {

// Records the order of events to check notification and destruction order.
std::vector<String>* g_log = nullptr;

class TLogged : public TComponent {
public:
    explicit TLogged(TComponent* owner, const String& name) : TComponent(owner) { SetName(name); }
    ~TLogged() override
    {
        if (g_log) g_log->push_back("free " + Name());
    }
    TComponent* watched = nullptr;
    std::vector<String> removed;

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == opRemove) {
            removed.push_back(c->Name());
            if (c == watched) watched = nullptr;
            if (g_log) g_log->push_back(Name() + " hears " + c->Name());
        }
    }
};

// Makes a virtual call while being destroyed: must reach the derived override.
class TVirtualAtDestroy : public TComponent {
public:
    using TComponent::TComponent;
    String lastSeen;
    virtual String Describe() const { return "base"; }
    void BeforeDestruction() override
    {
        if (g_log) g_log->push_back(Describe());
        TComponent::BeforeDestruction();
    }
};
class TDerivedDescribe : public TVirtualAtDestroy {
public:
    using TVirtualAtDestroy::TVirtualAtDestroy;
    String Describe() const override { return "derived " + name_; }
    String name_ = "alive";
};

}  // namespace

TEST(Component, OwnerFreesOwnedComponentsLastFirstAndHearsEachRemoval)
{
    std::vector<String> log;
    g_log = &log;
    auto* root = new TLogged(nullptr, "Root");
    new TLogged(root, "A");
    new TLogged(root, "B");
    ASSERT_EQ(root->ComponentCount(), 2);
    root->Free();
    g_log = nullptr;
    // B goes first; everyone the owner holds (B included) hears of B before B is gone; the root
    // frees itself last.
    const std::vector<String> expected = {"B hears B", "A hears B",    "Root hears B", "free B",
                                          "A hears A", "Root hears A", "free A",       "free Root"};
    EXPECT_EQ(log, expected);
}

TEST(Component, FreeingAnOwnedComponentRemovesItFromItsOwner)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* a = new TLogged(root.get(), "A");
    auto* b = new TLogged(root.get(), "B");
    b->watched = a;
    a->Free();
    EXPECT_EQ(root->ComponentCount(), 1);
    EXPECT_EQ(root->Components(0), b);
    EXPECT_EQ(b->watched, nullptr) << "a sibling hears of the removal through the owner";
}

TEST(Component, FreeNotificationAcrossOwnersIsDeliveredBeforeTheObjectGoes)
{
    std::vector<String> log;
    g_log = &log;
    TOwnedPtr<TComponent> form1(new TComponent(nullptr));
    TOwnedPtr<TComponent> form2(new TComponent(nullptr));
    auto* target = new TLogged(form1.get(), "Target");
    auto* client = new TLogged(form2.get(), "Client");
    client->watched = target;
    target->FreeNotification(client);
    target->Free();
    g_log = nullptr;
    EXPECT_EQ(client->watched, nullptr);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.front(), "Client hears Target");
    EXPECT_EQ(log.back(), "free Target");
}

TEST(Component, RemoveFreeNotificationStopsTheMessage)
{
    TOwnedPtr<TLogged> target(new TLogged(nullptr, "T"));
    TOwnedPtr<TLogged> client(new TLogged(nullptr, "C"));
    target->FreeNotification(client.get());
    target->RemoveFreeNotification(client.get());
    target.reset();
    EXPECT_TRUE(client->removed.empty());
}

TEST(Component, ClientFreedFirstIsForgottenByTheTarget)
{
    TOwnedPtr<TLogged> target(new TLogged(nullptr, "T"));
    auto* client = new TLogged(nullptr, "C");
    target->FreeNotification(client);
    EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));
    client->Free();
    EXPECT_EQ(target->removed, std::vector<String>{"C"}) << "the target hears of the client's end";
    EXPECT_FALSE(target->ComponentState().Contains(csFreeNotification)) << "and forgets it";
    target.reset();  // must not notify the freed client (ASan would catch it)
}

TEST(Component, DestructionTimeVirtualCallsReachTheDerivedClass)
{
    std::vector<String> log;
    g_log = &log;
    auto* c = new TDerivedDescribe(nullptr);
    c->Free();
    g_log = nullptr;
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "derived alive");
}

TEST(Component, StateDuringDestructionIsDestroying)
{
    struct TProbe : TComponent {
        using TComponent::TComponent;
        bool sawDestroying = false;
        void Notification(TComponent* c, TOperation op) override
        {
            TComponent::Notification(c, op);
            if (op == opRemove) sawDestroying = c->IsDestroying();
        }
    };
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* probe = new TProbe(root.get());
    auto* victim = new TComponent(root.get());
    victim->Free();
    EXPECT_TRUE(probe->sawDestroying);
}

TEST(Component, NamesAreValidatedAndUniqueAmongSiblings)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* a = new TComponent(root.get());
    a->SetName("Series1");
    auto* b = new TComponent(root.get());
    struct Case {
        String name;
        const char* message;
    };
    const Case bad[] = {
        {"Series1", "A component named Series1 already exists"},
        {"SERIES1", "A component named SERIES1 already exists"},
        {"1abc", "'1abc' is not a valid component name"},
        {"a b", "'a b' is not a valid component name"},
        {"a.b", "'a.b' is not a valid component name"},
    };
    for (const Case& c : bad) {
        try {
            b->SetName(c.name);
            ADD_FAILURE() << c.name << " accepted";
        } catch (const EComponentError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    EXPECT_TRUE(b->Name().empty());
    b->SetName("_ok2");
    a->SetName("series1");  // renaming oneself in another case is fine
    EXPECT_EQ(root->FindComponent("SERIES1"), a);
    EXPECT_EQ(root->FindComponent(""), nullptr);
    EXPECT_EQ(UniqueComponentName(root.get(), "Series"), "Series2");
    b->SetName("Series2");
    EXPECT_EQ(UniqueComponentName(root.get(), "Series"), "Series3");
}

TEST(Component, InsertingANamedComponentIntoAnOwnerWithThatNameFails)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    (new TComponent(root.get()))->SetName("X");
    TOwnedPtr<TComponent> stray(new TComponent(nullptr));
    stray->SetName("X");
    EXPECT_THROW(root->InsertComponent(stray.get()), EComponentError);
    EXPECT_EQ(stray->Owner(), nullptr);
}

TEST(Component, ComponentIndexMovesAndClamps)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    TComponent* c[3];
    for (auto& p : c) p = new TComponent(root.get());
    c[0]->SetComponentIndex(2);
    EXPECT_EQ(root->Components(2), c[0]);
    EXPECT_EQ(c[1]->ComponentIndex(), 0);
    c[0]->SetComponentIndex(-5);
    EXPECT_EQ(c[0]->ComponentIndex(), 0);
    c[0]->SetComponentIndex(99);
    EXPECT_EQ(c[0]->ComponentIndex(), 2);
    EXPECT_THROW(root->Components(3), EListError);
}

TEST(Component, RemoveComponentHandsOwnershipBack)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* c = new TComponent(root.get());
    root->RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    EXPECT_EQ(root->ComponentCount(), 0);
    TOwnedPtr<TComponent> own(c);
}

TEST(Persistent, AssignRefusesAnotherClassWithThePlatformMessage)
{
    TSampleFont font;
    TOwnedPtr<TSampleShape> shape(new TSampleShape(nullptr));
    try {
        font.Assign(shape.get());
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TSampleShape to a TSampleFont");
    }
    try {
        font.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a nil to a TSampleFont");
    }
    TSampleFont other;
    other.SetSize(20);
    font.Assign(&other);
    EXPECT_EQ(font.Size(), 20);
}

TEST(MetaClass, ClassNamesParentsAndVirtualConstruction)
{
    RegisterSampleClasses();
    const TMetaClass& shapeClass = FindClass("tsampleshape");
    EXPECT_EQ(&shapeClass, &TSampleShape::StaticClass());
    EXPECT_EQ(shapeClass.ClassParent(), &TComponent::StaticClass());
    EXPECT_TRUE(shapeClass.InheritsFrom(TPersistent::StaticClass()));
    EXPECT_FALSE(TPersistent::StaticClass().InheritsFrom(TComponent::StaticClass()));

    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    TComponent* made = shapeClass.CreateComponent(owner.get());
    EXPECT_EQ(made->ClassName(), "TSampleShape");
    EXPECT_EQ(made->Owner(), owner.get());
    EXPECT_TRUE(made->Is<TComponent>());

    TObject* font = TSampleFont::StaticClass().CreateInstance();
    EXPECT_EQ(font->ClassName(), "TSampleFont");
    TObject::Free(font);

    EXPECT_THROW(TSampleFont::StaticClass().CreateComponent(nullptr), EComponentError);
    EXPECT_THROW(TObject::StaticClass().CreateInstance(), EInvalidOperation);
}

TEST(MetaClass, RegistryFindsByNameAndRefusesASecondClassUnderATakenName)
{
    RegisterSampleClasses();
    RegisterSampleClasses();  // twice is harmless
    EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
    try {
        FindClass("TNoSuchClass");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TNoSuchClass not found");
    }
    EXPECT_EQ(FindClassOf("TSampleShape", TComponent::StaticClass()), &TSampleShape::StaticClass());
    EXPECT_EQ(FindClassOf("TSampleFont", TComponent::StaticClass()), nullptr);

    struct TImpostor : TComponent {
        using TComponent::TComponent;
    };
    static const TMetaClass impostor("TSampleShape", &TComponent::StaticClass(), nullptr, nullptr, nullptr);
    EXPECT_THROW(RegisterClass(impostor), EFilerError);
    UnRegisterClass(TSampleForm::StaticClass());
    EXPECT_EQ(GetClass("TSampleForm"), nullptr);
    RegisterClass(TSampleForm::StaticClass());
}

TEST(Published, PropertiesInDeclarationOrderBaseFirst)
{
    const auto& props = TSampleShape::StaticClass().Properties();
    ASSERT_GE(props.size(), 4u);
    EXPECT_EQ(props[0]->Name, "Name");
    EXPECT_EQ(props[1]->Name, "Tag");
    EXPECT_EQ(props[2]->Name, "Count");
    EXPECT_EQ(props.back()->Name, "OnClick");
    const struct {
        const char* name;
        TPropKind kind;
    } kinds[] = {{"Count", pkInteger},    {"Big", pkInt64},         {"Style", pkEnum},     {"Options", pkSet},
                 {"Visible", pkBoolean},  {"Letter", pkChar},       {"Ratio", pkSingle},   {"Scale", pkDouble},
                 {"Precise", pkExtended}, {"When", pkDate},         {"Caption", pkString}, {"Color", pkInteger},
                 {"Font", pkClass},       {"Partner", pkComponent}, {"Items", pkClass},    {"OnClick", pkEvent}};
    for (const auto& k : kinds) {
        const TPropInfo* info = TSampleShape::StaticClass().FindProperty(k.name);
        ASSERT_NE(info, nullptr) << k.name;
        EXPECT_EQ(info->Kind, k.kind) << k.name;
    }
    EXPECT_EQ(TSampleShape::StaticClass().FindProperty("color")->TypeName, "TColor");
    EXPECT_FALSE(TSampleShape::StaticClass().FindProperty("Version")->IsWritable());
}

TEST(Published, GetAndSetByPathAsText)
{
    RegisterSampleClasses();  // and the sample colour identifiers
    TOwnedPtr<TSampleForm> form(new TSampleForm(nullptr));
    auto* shape = new TSampleShape(form.get());
    shape->SetName("Shape1");
    auto* other = new TSampleShape(form.get());
    other->SetName("Shape2");

    struct Case {
        const char* path;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"Font.Color", "clRed", "clRed"},
        {"Font.Color", "255", "clRed"},
        {"Font.Color", "$10", "16"},
        {"Color", "clWindow", "clWindow"},
        {"Font.Size", " 12 ", "12"},
        {"Font.Style", "[sfItalic, sfBold]", "[sfBold,sfItalic]"},
        {"Font.Style", "[]", "[]"},
        {"Style", "ssDot", "ssDot"},
        {"Style", "SSDASH", "ssDash"},
        {"Visible", "false", "False"},
        {"Letter", "z", "z"},
        {"Scale", "2.5", "2.5"},
        {"Big", "-9000000000", "-9000000000"},
        {"Caption", "  spaced  ", "  spaced  "},
        {"Partner", "Shape2", "Shape2"},
        {"Partner", "", ""},
        {"OnClick", "ShapeClick", "ShapeClick"},
    };
    for (const Case& c : cases) {
        SetPropValue(shape, c.path, c.in);
        EXPECT_EQ(GetPropValue(shape, c.path), c.out) << c.path << " = " << c.in;
    }
    SetPropValue(shape, "Lines", "one\r\ntwo\r\n");
    EXPECT_EQ(shape->Lines()->Count(), 2);
    EXPECT_EQ(GetPropValue(shape, "Lines"), "one\r\ntwo\r\n");
    SetPropValue(shape, "OnClick", "OtherClick");
    shape->OnClick()(shape);
    EXPECT_EQ(form->others.size(), 1u);

    const Case bad[] = {
        {"Font.Colour", "1", nullptr},       {"Nope", "1", nullptr},           {"Font.Size", "abc", nullptr},
        {"Style", "ssWavy", nullptr},        {"Style", "9", nullptr},          {"Font.Style", "[sfBold", nullptr},
        {"Font.Style", "[sfWavy]", nullptr}, {"Partner", "Missing", nullptr},  {"OnClick", "NoSuchHandler", nullptr},
        {"Version", "4", nullptr},           {"Caption.Length", "1", nullptr},
    };
    for (const Case& c : bad) EXPECT_ANY_THROW(SetPropValue(shape, c.path, c.in)) << c.path << " = " << c.in;
    EXPECT_THROW(GetPropValue(shape, "Font.Nope"), EPropertyError);
    EXPECT_EQ(GetOrdProp(shape, "Font.Size"), 8 + 4);
    SetOrdProp(shape, "Font.Color", 7);
    EXPECT_EQ(shape->Font()->Color(), 7);
    EXPECT_THROW(GetStrProp(shape, "Font.Size"), EPropertyError);
    EXPECT_EQ(GetObjectProp(shape, "Font"), shape->Font());
}

TEST(Collection, ItemsKnowTheirIndexAndCollectionAssignCopiesItems)
{
    TOwnedCollection a(nullptr, TSampleItem::StaticClass());
    for (int i = 0; i < 3; ++i) static_cast<TSampleItem*>(a.Add())->SetValue(i * 10);
    EXPECT_EQ(a.Count(), 3);
    a.Items(2)->SetIndex(0);
    EXPECT_EQ(static_cast<TSampleItem*>(a.Items(0))->Value(), 20);
    EXPECT_EQ(a.Items(1)->Index(), 1);
    TCollection b(TSampleItem::StaticClass());
    b.Add();
    b.Assign(&a);
    ASSERT_EQ(b.Count(), 3);
    EXPECT_EQ(static_cast<TSampleItem*>(b.Items(0))->Value(), 20);
    delete b.Items(1);
    EXPECT_EQ(b.Count(), 2);
    b.Delete(0);
    EXPECT_EQ(static_cast<TSampleItem*>(b.Items(0))->Value(), 10);
    EXPECT_THROW(b.Items(5), EListError);
    TCollectionItem* moved = b.Items(0);
    moved->SetCollection(&a);
    EXPECT_EQ(b.Count(), 0);
    EXPECT_EQ(a.Count(), 4);
    EXPECT_EQ(a.FindItemID(moved->ID()), moved);
}

TEST(Collection, NamePathNamesOwnerPropertyAndIndex)
{
    TOwnedPtr<TSampleShape> shape(new TSampleShape(nullptr));
    shape->SetName("Shape1");
    shape->Items()->Add();
    shape->Items()->Add();
    EXPECT_EQ(shape->Items()->Items(1)->GetNamePath(), "Shape1.Items[1]");
    shape->Items()->SetPropName("Rows");
    EXPECT_EQ(shape->Items()->Items(0)->GetNamePath(), "Shape1.Rows[0]");
}

// Class-level virtuals through metaclass types of our own.
namespace {
class TGadgetClass : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual String Description() const { return "gadget"; }
};
class TFancyGadgetClass : public TGadgetClass {
public:
    using TGadgetClass::TGadgetClass;
    String Description() const override { return "fancy gadget"; }
};
class TGadget : public TComponent {
    TV_CLASS(TGadget, TComponent)
public:
    using TComponent::TComponent;
};
class TFancyGadget : public TGadget {
    TV_CLASS(TFancyGadget, TGadget)
public:
    using TGadget::TGadget;
};
}  // namespace
TV_PUBLISHED_AS(TGadget, TGadgetClass) {}
TV_PUBLISHED_AS(TFancyGadget, TFancyGadgetClass) {}

TEST(MetaClass, ClassLevelVirtualsWithoutAnInstance)
{
    RegisterClasses({&TGadget::StaticClass(), &TFancyGadget::StaticClass()});
    for (const auto& [name, description] : {std::pair{"TGadget", "gadget"}, {"TFancyGadget", "fancy gadget"}}) {
        const auto* meta = dynamic_cast<const TGadgetClass*>(&FindClass(name));
        ASSERT_NE(meta, nullptr) << name;
        EXPECT_EQ(meta->Description(), description);
    }
    TOwnedPtr<TComponent> made(FindClass("TFancyGadget").CreateComponent(nullptr));
    EXPECT_EQ(static_cast<const TGadgetClass&>(made->ClassType()).Description(), "fancy gadget");
    UnRegisterClasses({&TGadget::StaticClass(), &TFancyGadget::StaticClass()});
}

TEST(MetaClass, ClassGroupsRecordMembershipWithoutHidingClasses)
{
    const TMetaClass* before = ActivateClassGroup(TSampleShape::StaticClass());
    EXPECT_EQ(ActiveClassGroup(), &TSampleShape::StaticClass());
    GroupDescendentsWith(TSampleForm::StaticClass(), TSampleShape::StaticClass());
    EXPECT_EQ(ClassGroupOf(TSampleForm::StaticClass()), &TSampleShape::StaticClass());
    EXPECT_EQ(ClassGroupOf(TSampleShape::StaticClass()), &TSampleShape::StaticClass());
    EXPECT_EQ(ClassGroupOf(TSampleFont::StaticClass()), nullptr);
    EXPECT_NE(GetClass("TSampleFont"), nullptr) << "classes outside the active group are still found";
    if (before) ActivateClassGroup(*before);
}
