// A demo form with every standard control, read from its stored description and rendered.
#include <gtest/gtest.h>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Graphic.h"
#include "tests/support/FormSupport.h"

class TDemoForm : public TForm {
    TV_CLASS(TDemoForm, TForm)
public:
    explicit TDemoForm(TComponent* owner) : TForm(owner) {}
    int ticks = 0;
    std::vector<String> log;
    void Timer1Timer(TObject*) { ++ticks; }
    void SendClick(TObject*) { log.push_back("send " + FindComponent("edtSend1")->Name()); }
    void OffsetClick(TObject* s) { log.push_back(static_cast<TCheckBox*>(s)->Checked() ? "offset on" : "offset off"); }
    void MaxChange(TObject* s) { log.push_back("max " + static_cast<TEdit*>(s)->Text()); }
};

TV_PUBLISHED(TDemoForm)
{
    Method("Timer1Timer", &TDemoForm::Timer1Timer);
    Method("SendClick", &TDemoForm::SendClick);
    Method("OffsetClick", &TDemoForm::OffsetClick);
    Method("MaxChange", &TDemoForm::MaxChange);
}

namespace {

using testsupport::Find;
using testsupport::LoadForm;

const char* const demo = R"(object DemoForm: TDemoForm
  Left = 0
  Top = 0
  Width = 576
  Height = 399
  Caption = 'Demo of the standard controls'
  Color = clBtnFace
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Position = poScreenCenter
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 560
    Height = 41
    Align = alTop
    BevelInner = bvLowered
    Caption = 'Panel caption'
    Color = clTeal
    Font.Color = clWhite
    Font.Height = -13
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    ParentFont = False
    object shLamp: TShape
      Left = 8
      Top = 8
      Width = 25
      Height = 25
      Brush.Color = clGreen
      Pen.Color = clWhite
      Pen.Width = 2
      Shape = stCircle
    end
    object lbPort: TLabel
      Left = 40
      Top = 13
      Width = 50
      Height = 16
      Caption = 'Port No'
      Font.Color = clAqua
      Font.Height = -13
      Font.Name = 'Arial'
      Font.Style = [fsBold]
      ParentFont = False
      Transparent = True
    end
  end
  object edtSend1: TEdit
    Left = 8
    Top = 52
    Width = 145
    Height = 21
    TabOrder = 1
    Text = '#INFO'
  end
  object btnSend1: TButton
    Left = 160
    Top = 50
    Width = 60
    Height = 25
    Caption = 'Send'
    TabOrder = 2
    OnClick = SendClick
  end
  object cbBaudrate: TComboBox
    Left = 232
    Top = 52
    Width = 81
    Height = 21
    ItemHeight = 13
    TabOrder = 3
    Text = '9600'
    Items.Strings = (
      '115200'
      '57600'
      '38400'
      '9600')
  end
  object CheckBox1: TCheckBox
    Left = 328
    Top = 54
    Width = 97
    Height = 17
    Caption = 'Offset'
    TabOrder = 4
    OnClick = OffsetClick
  end
  object cbAuto: TCheckBox
    Left = 432
    Top = 54
    Width = 120
    Height = 17
    Caption = 'Left Axis Auto Range'
    State = cbChecked
    TabOrder = 5
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 84
    Width = 185
    Height = 89
    Caption = 'Mode'
    TabOrder = 6
    object RadioButton1: TRadioButton
      Left = 12
      Top = 20
      Width = 113
      Height = 17
      Caption = 'Stream'
      Checked = True
      TabOrder = 0
      TabStop = True
    end
    object RadioButton2: TRadioButton
      Left = 12
      Top = 44
      Width = 113
      Height = 17
      Caption = 'Poll'
      TabOrder = 1
    end
  end
  object edMax: TEdit
    Left = 208
    Top = 88
    Width = 65
    Height = 28
    TabOrder = 7
    Text = '90'
    OnChange = MaxChange
  end
  object UpDown1: TUpDown
    Left = 273
    Top = 88
    Width = 16
    Height = 28
    Associate = edMax
    Min = -9000
    Max = 9000
    Position = 90
    TabOrder = 8
    Thousands = False
  end
  object TrackBar1: TTrackBar
    Left = 304
    Top = 84
    Width = 150
    Height = 33
    Max = 20
    Position = 5
    TabOrder = 9
  end
  object ScrollBar1: TScrollBar
    Left = 208
    Top = 128
    Width = 249
    Height = 17
    PageSize = 0
    Position = 30
    TabOrder = 10
  end
  object Bevel1: TBevel
    Left = 208
    Top = 152
    Width = 249
    Height = 21
    Shape = bsFrame
  end
  object Memo1: TMemo
    Left = 8
    Top = 184
    Width = 209
    Height = 137
    Lines.Strings = (
      '12.5 -3.25'
      '12.6 -3.20')
    ScrollBars = ssBoth
    TabOrder = 11
  end
  object Image1: TImage
    Left = 232
    Top = 184
    Width = 105
    Height = 105
    Stretch = True
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 341
    Width = 560
    Height = 19
    Panels = <
      item
        Width = 300
      end
      item
        Width = 200
      end
      item
        Width = 50
      end>
  end
  object Timer1: TTimer
    Interval = 10
    OnTimer = Timer1Timer
  end
  object XPManifest1: TXPManifest
  end
end
)";

TEST(DemoForm, EveryStandardControlReadsRendersAndWorks)
{
    auto form = LoadForm<TDemoForm>(demo);
    form->Show();

    // A picture made in code for the image: a diagonal gradient.
    TBitmap bmp;
    bmp.SetSize(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) bmp.Canvas()->SetPixels(x, y, static_cast<TColor>(RGB(x * 8, y * 8, 160)));
    auto& image = Find<TImage>(*form, "Image1");
    image.Picture()->SetGraphic(&bmp);

    auto& bar = Find<TStatusBar>(*form, "StatusBar1");
    bar.Panels()->Items(0)->SetText("abc - 2024-03-03 14:05:09");
    bar.Panels()->Items(1)->SetText("#READ");
    EXPECT_EQ(bar.Top(), form->ClientHeight() - 19);

    auto& combo = Find<TComboBox>(*form, "cbBaudrate");
    EXPECT_EQ(combo.Items()->Count(), 4);
    EXPECT_EQ(combo.Text(), "9600");
    EXPECT_EQ(combo.ItemIndex(), 3);
    EXPECT_TRUE(Find<TCheckBox>(*form, "cbAuto").Checked());
    EXPECT_TRUE(Find<TRadioButton>(*form, "RadioButton1").Checked());
    EXPECT_EQ(Find<TMemo>(*form, "Memo1").Lines()->Count(), 2);
    auto& updown = Find<TUpDown>(*form, "UpDown1");
    EXPECT_EQ(updown.Position(), 90);
    EXPECT_EQ(updown.Associate(), &testkit::FindControl(*form, "edMax"));

    auto* timer = dynamic_cast<TTimer*>(form->FindComponent("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->OnTimer().Assigned());
    EXPECT_EQ(timer->Interval(), 10u);
    EXPECT_TRUE(timer->Enabled());
    for (int i = 0; i < 200 && form->ticks == 0; ++i) testkit::Pump(10);
    EXPECT_GE(form->ticks, 1);
    testkit::Click(*form, "btnSend1");
    testkit::Click(*form, "CheckBox1");
    updown.Press(btNext);
    EXPECT_EQ(form->log, (std::vector<String>{"send edtSend1", "offset on", "max 91"}));

    // The panel's lamp is drawn on the panel, its label on the panel's colour.
    auto& panel = Find<TPanel>(*form, "Panel1");
    EXPECT_EQ(testkit::PixelAt(panel, 20, 20), clGreen);
    EXPECT_EQ(testkit::PixelAt(panel, 9, 9), clTeal);

    ASSERT_TRUE(testkit::RenderToPng(*form, testing::TempDir() + "/demo_form.png"));
}

}  // namespace
