// Registration of the layer's standard classes by name, for component streams. Each group's
// function is declared beside its classes (Controls.h, Forms.h, StdCtrls.h, ExtCtrls.h, ComCtrls.h).
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/CheckListBox.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtDialogs.h"
#include "platform/forms/Menus.h"
#include "platform/forms/SpeedButton.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/FileDialogs.h"
#include "platform/forms/Grids.h"
#include "platform/forms/TabControl.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/PaintBox.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/Splitter.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

void RegisterControlClasses()
{
    RegisterClasses({&TControl::StaticClass(), &TWinControl::StaticClass(), &TGraphicControl::StaticClass(),
                     &TCustomControl::StaticClass()});
}

void RegisterFormClasses()
{
    RegisterControlClasses();
    RegisterClasses({&TCustomForm::StaticClass(), &TForm::StaticClass()});
}

void RegisterStdControls()
{
    RegisterFormClasses();
    RegisterClasses({&TLabel::StaticClass(), &TButton::StaticClass(), &TEdit::StaticClass(), &TMemo::StaticClass(),
                     &TComboBox::StaticClass(), &TCheckBox::StaticClass(), &TRadioButton::StaticClass(),
                     &TGroupBox::StaticClass(), &TScrollBar::StaticClass()});
}

void RegisterExtControls()
{
    RegisterClasses({&TTimer::StaticClass(), &TPanel::StaticClass(), &TShape::StaticClass(), &TImage::StaticClass(),
                     &TBevel::StaticClass(), &TXPManifest::StaticClass()});
}

void RegisterComControls()
{
    RegisterClasses({&TStatusBar::StaticClass(), &TUpDown::StaticClass(), &TTrackBar::StaticClass()});
}

void RegisterStandardClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterFormClasses();
    RegisterStdControls();
    RegisterExtControls();
    RegisterComControls();
    RegisterPageControls();
    RegisterListBoxes();
    RegisterRadioGroups();
    RegisterSplitters();
    RegisterFileDialogs();
    RegisterSpeedButtons();
    RegisterCheckListBoxes();
    RegisterMenus();
    RegisterExtDialogs();
    RegisterPaintBoxes();
    RegisterGrids();
    RegisterTabControls();
}
