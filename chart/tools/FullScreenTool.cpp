#include "chart/tools/FullScreenTool.h"

#include "chart/core/AxisPanel.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"

namespace {

class TFullScreenToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String GalleryName() const override { return "Full Screen"; }
    String GalleryHint() const override { return "Show Chart maximized to full screen"; }
};

}  // namespace

TV_PUBLISHED_AS(TFullScreenTool, TFullScreenToolClass)
{
    Prop("Active", &TFullScreenTool::Active, &TFullScreenTool::SetActive, false);
    Prop("ReleaseKey", &TFullScreenTool::ReleaseKey, &TFullScreenTool::SetReleaseKey, Word{27});
    Prop("OnReset", &TFullScreenTool::OnReset, &TFullScreenTool::SetOnReset);
}

TFullScreenTool::TFullScreenTool(TComponent* owner) : TZebCustomTool(owner) { TZebCustomTool::SetActive(false); }

TFullScreenTool::~TFullScreenTool()
{
    if (window_) restore();
}

void TFullScreenTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TFullScreenTool*>(source)) releaseKey_ = s->releaseKey_;
    TZebCustomTool::Assign(source);
}

void TFullScreenTool::SetActive(bool value)
{
    const bool was = Active();
    TZebCustomTool::SetActive(value);
    if (value == was || IsLoading() || IsDesigning()) return;
    if (value)
        goFullScreen();
    else
        restore();
}

void TFullScreenTool::goFullScreen()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || window_) return;
    savedParent_ = chart->Parent();
    if (savedParent_) savedParent_->FreeNotification(this);
    savedAlign_ = chart->Align();
    savedBounds_ = chart->BoundsRect();
    window_ = new TForm(nullptr);
    window_->FreeNotification(this);
    window_->SetTag(reinterpret_cast<Int64>(this));
    window_->SetKeyPreview(true);
    window_->SetBorderStyle(bsNone);
    const TRect desktop{0, 0, Screen->Width(), Screen->Height()};
    window_->SetBoundsRect(desktop);
    chart->SetAlign(alNone);
    chart->SetParent(window_);
    chart->SetBoundsRect(desktop);
    window_->SetOnKeyUp(TKeyEvent(this, &TFullScreenTool::windowKeyUp));
    window_->SetOnCloseQuery(TCloseQueryEvent(this, &TFullScreenTool::windowCloseQuery));
    freeWindow_ = true;
    window_->Show();
}

void TFullScreenTool::restore()
{
    TCustomAxisPanel* chart = ParentChart();
    TForm* window = window_;
    if (!window) return;
    window_ = nullptr;
    window->RemoveFreeNotification(this);
    window->SetTag(0);
    window->SetOnKeyUp({});
    window->SetOnCloseQuery({});
    if (chart && chart->Parent() == window) {
        chart->SetParent(savedParent_ && !savedParent_->IsDestroying() ? savedParent_ : nullptr);
        chart->SetBoundsRect(savedBounds_);
        chart->SetAlign(savedAlign_);
    }
    if (savedParent_) savedParent_->RemoveFreeNotification(this);
    savedParent_ = nullptr;
    if (freeWindow_) TObject::Free(window);
    if (onReset_) onReset_(this);
}

void TFullScreenTool::Notification(TComponent* component, TOperation operation)
{
    TZebCustomTool::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == savedParent_) savedParent_ = nullptr;
    if (component == window_) {
        // The window goes by other hands: give the chart back before its children are freed.
        freeWindow_ = false;
        restore();
        TZebCustomTool::SetActive(false);
    }
}

void TFullScreenTool::windowKeyUp(TObject*, Word& key, TShiftState)
{
    if (!Active() || key != releaseKey_) return;
    SetActive(false);
    key = 0;
}

void TFullScreenTool::windowCloseQuery(TObject*, bool& canClose)
{
    canClose = true;
    // The window is closing by itself: freed once its close has run.
    TForm* window = window_;
    freeWindow_ = false;
    SetActive(false);
    if (window) window->Release();
}
