#include "StreamFixtures.h"

#include "platform/classes/Filer.h"

TOwnedPtr<TSampleForm> MakeSampleTree()
{
    RegisterSampleClasses();
    TOwnedPtr<TSampleForm> form(new TSampleForm(nullptr));
    form->SetName("Form1");
    auto* shape = new TSampleShape(form.get());
    shape->SetName("Shape1");
    auto* shape2 = new TSampleShape(form.get());
    shape2->SetName("Shape2");
    shape->SetCount(-300);
    shape->SetBig(Int64{1} << 40);
    shape->SetTag(70000);
    shape->SetStyle(ssDot);
    shape->SetOptions({sfItalic, sfStrikeOut});
    shape->SetVisible(false);
    shape->SetLetter('\r');
    shape->SetRatio(0.25f);
    shape->SetScale(-1.5e-7);
    shape->SetPrecise(3.14159265358979323846L);
    shape->SetWhen(45000.5);
    shape->SetCaption("It's a \"test\"\r\nline two \xC3\xA9t\xC3\xA9");
    shape->SetColor(clSampleRed);
    shape->SetCursor(-3);
    shape->Font()->SetSize(12);
    shape->Font()->SetName("Courier New");
    shape->Font()->SetStyle({sfBold, sfUnderline});
    shape->SetTitle("Chart title");
    auto* item = static_cast<TSampleItem*>(shape->Items()->Add());
    item->SetCaption("first");
    item->SetValue(100000);
    item->SetWeight(0.5);
    item = static_cast<TSampleItem*>(shape->Items()->Add());
    item->SetCaption(String(300, 'x'));
    shape->Lines()->Add("alpha");
    shape->Lines()->Add("it's");
    shape->Lines()->Add("");
    shape->Palette = {clSampleRed, 0x123456, clSampleBlack};
    shape->Data = {0, 1, 2, 0xFE, 0xFF};
    shape->Detail = new TSampleShape(nullptr);
    shape->Detail->SetName("Inner");
    shape->Detail->SetCount(5);
    shape->Detail->SetCaption("nested");
    shape->SetPartner(shape2);
    shape->SetOnClick(TNotifyEvent(form.get(), &TSampleForm::ShapeClick, "ShapeClick"));
    shape2->SetPartner(shape);
    return form;
}

String StreamOf(TComponent* root)
{
    TStringStream s;
    WriteComponentToStream(s, root);
    return s.DataString();
}
