#include "widgets/sevenseg/VCLComponent.h"

#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

TV_PUBLISHED(TiVCLComponent) {}
TV_PUBLISHED(TiCustomComponent) {}

TiVCLComponent::TiVCLComponent(TComponent* owner)
    : TiComponent(owner), opcItems_(std::make_unique<TiOPCItemManager>()), timer_(new TTimer(nullptr))
{
    opcItems_->Owner = this;
    opcItems_->SetOnGetDesigning([this](TiOPCItemManager&, bool& designing) { designing = IsDesigning(); });
    opcItems_->SetOnNewData([this](TiOPCItem* item) { HandleNewOPCData(item); });
    opcItems_->SetOnGetDataType([this](const String& name, TVarType& type) { GetOPCDataType(name, type); });
    timer_->SetEnabled(false);
    timer_->SetOnTimer(TNotifyEvent(this, &TiVCLComponent::TimerTick));
}

TiVCLComponent::~TiVCLComponent()
{
    StopTimer();
    opcItems_.reset();  // items may still call back while they disconnect
}

void TiVCLComponent::Lock()
{
    if (!TComponent::IsDestroying()) paintLock_.Enter();
}

void TiVCLComponent::Unlock()
{
    if (!TComponent::IsDestroying()) paintLock_.Leave();
}

// ---- timer --------------------------------------------------------------------------------

void TiVCLComponent::StartTimer(Cardinal firstDelay, Cardinal interval)
{
    if (timerRunning_) return;
    repeatInterval_ = interval;
    if (firstDelay == 0) {
        if (interval == 0) return;
        firstDelay = interval;
        firstTick_ = false;
    } else {
        firstTick_ = true;
    }
    timer_->SetInterval(firstDelay);
    timer_->SetEnabled(true);
    timerRunning_ = true;
}

void TiVCLComponent::StopTimer()
{
    timer_->SetEnabled(false);
    timerRunning_ = false;
}

void TiVCLComponent::TimerTick(TObject*)
{
    if (firstTick_) {
        firstTick_ = false;
        if (repeatInterval_ == 0) {
            StopTimer();  // one tick was all that was asked for
        } else {
            timer_->SetEnabled(false);
            timer_->SetInterval(repeatInterval_);
            timer_->SetEnabled(true);
        }
    }
    if (internalTimerHook_) internalTimerHook_(this);
}

// ---- OPC ----------------------------------------------------------------------------------

void TiVCLComponent::DefineProperties(TFiler& filer)
{
    filer.DefineProperty(
        "OPCItems", [this](TReader& reader) { opcItems_->ReadData(reader); },
        [this](TWriter& writer) { opcItems_->WriteData(writer); }, opcItems_->HasItems());
    TiComponent::DefineProperties(filer);
}

namespace {

String VariantText(const TOPCVariant& value) { return value.ToString(); }

}  // namespace

void TiVCLComponent::SetPropertyByName(TObject* object, const String& path, const String& name,
                                       const TOPCVariant& value)
{
    if (!object) return;
    for (const TPropInfo* info : object->ClassType().Properties()) {
        const String propPath = Trim(path).empty() ? info->Name : path + "." + info->Name;
        if (info->Kind == pkClass || info->Kind == pkComponent) {
            TObject* child = info->Access->GetObj(object);
            if (child && child->Is<TPersistent>()) SetPropertyByName(child, propPath, name, value);
            continue;
        }
        if (!info->IsWritable() || !SameText(propPath, name)) continue;
        switch (info->Kind) {
        case pkInteger:
        case pkChar:
        case pkSet: info->Access->SetOrd(object, StrToInt(VariantText(value))); break;
        case pkEnum:
        case pkBoolean: {
            String text = VariantText(value);
            if (SameText(text, "True"))
                text = "1";
            else if (SameText(text, "False"))
                text = "0";
            const bool boolean = info->Kind == pkBoolean || (info->EnumInfo && info->EnumInfo->Count() == 2);
            if (boolean && text != "0") text = "1";
            const int v = StrToInt(text);
            if (info->Kind == pkEnum && info->EnumInfo && (v < 0 || v >= info->EnumInfo->Count()))
                throw EConvertError("'" + text + "' is not a valid value of " + propPath);
            info->Access->SetOrd(object, v);
            break;
        }
        case pkSingle:
        case pkDouble:
        case pkExtended:
        case pkDate:
            // Numbers go in as they are: their text would depend on the decimal separator.
            if (auto number = value.Number())
                info->Access->SetFloat(object, *number);
            else
                info->Access->SetFloat(object, StrToFloat(VariantText(value)));
            break;
        case pkString: info->Access->SetStr(object, VariantText(value)); break;
        default: break;
        }
    }
}

void TiVCLComponent::HandleNewOPCData(TiOPCItem* item)
{
    if (!item || item->PropertyName().empty()) return;
    const TOPCVariant value = item->Value();
    const int index = opcItems_->IndexOf(item);
    if (onBeforeNewOPCData_) onBeforeNewOPCData_(index, value);
    fromOPC_ = true;
    try {
        if (item->QualityGood() && !OPCInput(item)) SetPropertyByName(this, "", item->PropertyName(), value);
    } catch (...) {
        fromOPC_ = false;
        throw;
    }
    fromOPC_ = false;
    if (onNewOPCData_) onNewOPCData_(index);
}

bool TiVCLComponent::OPCOutput(const String& propertyName, const TOPCVariant& value)
{
    if (fromOPC_) {
        fromOPC_ = false;  // the change came from the server: not written back
        return false;
    }
    for (int i = 0; i < opcItems_->Count(); ++i) {
        TiOPCItem* item = opcItems_->Items(i);
        if (item->Active() && SameText(item->PropertyName(), propertyName)) {
            item->WriteValue(value);
            return true;
        }
    }
    return false;
}

// ---- transparency ---------------------------------------------------------------------------

void TiVCLComponent::SetTransparent(bool value)
{
    if (!AssignIfChanged(transparent_, value)) return;
    TControlStyle style = ControlStyle();
    if (value) {
        style.Exclude(csOpaque);
        style.Include(csParentBackground);
        if (!transparentBitmap_)
            transparentBitmap_ = std::make_unique<TBitmap>(std::max(Width(), 1), std::max(Height(), 1));
        SetControlStyle(style);
        RequestBackgroundCapture();
    } else {
        style.Include(csOpaque);
        style.Exclude(csParentBackground);
        SetControlStyle(style);
        transparentBitmap_.reset();
    }
    BackGroundChange();
}

void TiVCLComponent::RequestBackgroundCapture()
{
    if (!transparent_ || capturePending_) return;
    capturePending_ = true;
    TiComponent::BackGroundChange();
}

void TiVCLComponent::BackGroundChange()
{
    TiComponent::BackGroundChange();
    RequestBackgroundCapture();
}

void TiVCLComponent::BoundsChanged()
{
    TiComponent::BoundsChanged();
    if (transparentBitmap_) transparentBitmap_->SetSize(std::max(Width(), 1), std::max(Height(), 1));
    RequestBackgroundCapture();
    BackGroundChange();
}

void TiVCLComponent::CaptureBackground(TCanvas& source)
{
    const int w = Width(), h = Height();
    HDC dc = source.Handle();
    const bool visible = dc->PtVisible(5, 5) && dc->PtVisible(w - 5, 5) && dc->PtVisible(5, h - 5) &&
                         dc->PtVisible(w - 5, h - 5);
    TCanvas& target = *transparentBitmap_->Canvas();
    if (visible) {
        target.CopyRect(TRect{0, 0, w, h}, &source, TRect{0, 0, w, h});
        capturePending_ = false;
    } else {
        target.Brush()->SetStyle(bsSolid);
        target.Brush()->SetColor(BackGroundColor());
        target.FillRect(TRect{0, 0, w, h});
    }
}

void TiVCLComponent::DrawBackground(TCanvas& canvas, TColor colour)
{
    if (skipBackground_) return;
    if (transparent_ && transparentBitmap_) {
        if (capturePending_ && Canvas() && Canvas()->HandleAllocated()) CaptureBackground(*Canvas());
        canvas.Draw(0, 0, transparentBitmap_.get());
        return;
    }
    TiComponent::DrawBackground(canvas, colour);
}
