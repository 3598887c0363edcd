#include "widgets/sevenseg/InstrumentComponent.h"

#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StandardProps.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Tick.h"
#include "widgets/sevenseg/PropertiesText.h"

TV_PUBLISHED(TiComponent)
{
    PublishStandardProps(*this, ShowHintStorage::DefaultFalse);
    Prop("OptionSaveAllProperties", &TiComponent::OptionSaveAllProperties, &TiComponent::SetOptionSaveAllProperties,
         false);
    Prop("AutoFrameRate", &TiComponent::AutoFrameRate, &TiComponent::SetAutoFrameRate, false);
    Prop("UpdateFrameRate", &TiComponent::UpdateFrameRate, &TiComponent::SetUpdateFrameRate, 60);
}

TColor DivideColor(TColor colour, int divisor)
{
    const auto c = static_cast<std::uint32_t>(colour);
    const std::uint32_t r = (c & 0xFF) / divisor, g = ((c >> 8) & 0xFF) / divisor, b = ((c >> 16) & 0xFF) / divisor;
    return static_cast<TColor>((c & 0xFF000000u) | r | (g << 8) | (b << 16));
}

void DrawBevelBorder(TCanvas& canvas, const TRect& rect, int type)
{
    TRect r = rect;
    switch (type) {
    case 0: DrawEdge(canvas.Handle(), r, EDGE_SUNKEN, BF_RECT); break;
    case 1: DrawEdge(canvas.Handle(), r, EDGE_RAISED, BF_RECT); break;
    case 2: {
        canvas.Pen()->SetColor(clBtnShadow);
        const TPoint pts[] = {{r.Left, r.Top},
                              {r.Right - 1, r.Top},
                              {r.Right - 1, r.Bottom - 1},
                              {r.Left, r.Bottom - 1},
                              {r.Left, r.Top}};
        canvas.Polyline(pts, 5);
        break;
    }
    default: break;
    }
}

TObject* GetObjectProperty(TObject* object, const String& propertyName)
{
    if (!object) return nullptr;
    const TPropInfo* info = object->ClassType().FindProperty(propertyName);
    if (!info || (info->Kind != pkClass && info->Kind != pkComponent)) return nullptr;
    return info->Access->GetObj(object);
}

TiComponent::TiComponent(TComponent* owner)
    : TCustomControl(owner),
      scheduler_([] { return static_cast<double>(GetTickCount64()); }, [this] { Invalidate(); },
                 [this](unsigned delay) {
                     flushTimer_->SetEnabled(false);
                     flushTimer_->SetInterval(delay);
                     flushTimer_->SetEnabled(true);
                 }),
      errorFont_(std::make_unique<TFont>()),
      flushTimer_(new TTimer(nullptr))
{
    creationTime_ = Now();
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable});
    errorFont_->SetColor(clRed);
    errorFont_->SetStyle(TFontStyles{fsBold});
    errorFont_->SetOnChange(TNotifyEvent([this](TObject*) { InvalidateChange(); }));
    flushTimer_->SetEnabled(false);
    flushTimer_->SetOnTimer(TNotifyEvent(this, &TiComponent::FlushTimer));
}

TiComponent::~TiComponent() = default;

void TiComponent::FlushTimer(TObject*)
{
    flushTimer_->SetEnabled(false);
    scheduler_.Flush();
}

void TiComponent::SetRepaintClock(TRepaintScheduler::Clock clock) { scheduler_.SetClock(std::move(clock)); }

bool TiComponent::IsDesigning()
{
    bool designing = TComponent::IsDesigning();
    if (designingHook_) designingHook_(this, designing);
    return designing;
}

void TiComponent::SetErrorActive(bool on)
{
    if (AssignIfChanged(errorActive_, on)) BackGroundChange();
}

TPoint TiComponent::GetCenterPoint() const
{
    return TPoint{Width() / 2 + centerOffset_.X, Height() / 2 + centerOffset_.Y};
}

void TiComponent::SetCachedBackground(bool on)
{
    if (AssignIfChanged(cachedBackground_, on)) BackGroundChange();
}

void TiComponent::SetUpdateFrameRate(int value)
{
    if (value == scheduler_.UpdateFrameRate()) return;
    scheduler_.SetUpdateFrameRate(value);
    BackGroundChange();
}

void TiComponent::SetAutoFrameRate(bool value)
{
    if (value == scheduler_.AutoFrameRate()) return;
    scheduler_.SetAutoFrameRate(value);
    if (value)
        BackGroundChange();
    else
        EndUpdate();
}

void TiComponent::SetBackGroundColor(TColor value)
{
    if (AssignIfChanged(backGroundColor_, value)) BackGroundChange();
}

void TiComponent::SetBorderStyle(TiBevelStyle value)
{
    if (AssignIfChanged(borderStyle_, value)) BackGroundChange();
}

void TiComponent::InvalidateChange() { scheduler_.ForegroundChange(); }

void TiComponent::BackGroundChange()
{
    backgroundNeedsRedraw_ = true;
    scheduler_.BackgroundChange();
}

void TiComponent::BeginUpdate() { scheduler_.BeginUpdate(); }

void TiComponent::EndUpdate() { scheduler_.EndUpdate(); }

bool TiComponent::AllowChange(const String& propertyName)
{
    bool allow = true;
    if (beforeChangeHook_) beforeChangeHook_(this, propertyName, allow);
    return allow;
}

void TiComponent::AfterChange(const String& propertyName)
{
    if (afterChangeHook_) afterChangeHook_(this, propertyName);
}

void TiComponent::GetOPCDataType(const String&, TVarType&) {}

bool TiComponent::OPCOutput(const String&, const TOPCVariant&) { return false; }

void TiComponent::SetBackgroundPicture(std::unique_ptr<TGraphic> picture)
{
    backgroundPicture_ = std::move(picture);
    BackGroundChange();
}

void TiComponent::Paint()
{
    // Metafile output does not exist on this platform: every paint goes through the bitmap.
    PaintBuffered();
}

void TiComponent::PaintBuffered()
{
    Lock();
    try {
        TBitmap buffer(Width(), Height());
        TCanvas& c = *buffer.Canvas();
        c.Brush()->SetStyle(bsSolid);
        c.Pen()->SetStyle(psSolid);
        PaintTo(c);
        if (afterPaintHook_) afterPaintHook_(this, c);
        Canvas()->Draw(0, 0, &buffer);
    } catch (const Exception&) {
        // What was drawn so far stays on screen.
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
}

void TiComponent::DrawBackground(TCanvas& canvas, TColor colour)
{
    backgroundNeedsRedraw_ = false;
    if (backgroundPicture_ && backgroundPicture_->Width() > 0) {
        canvas.StretchDraw(TRect{0, 0, Width(), Height()}, backgroundPicture_.get());
        return;
    }
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(colour);
    canvas.FillRect(TRect{0, 0, Width(), Height()});
    DrawBorder(canvas);
}

void TiComponent::DrawBorder(TCanvas& canvas)
{
    const TRect r = ClientRect();
    if (borderStyle_ == ibsRaised)
        DrawBevelBorder(canvas, r, 1);
    else if (borderStyle_ == ibsLowered)
        DrawBevelBorder(canvas, r, 0);
}

void TiComponent::KeyDown(Word& key, TShiftState shift)
{
    try {
        TCustomControl::KeyDown(key, shift);
        iKeyDown(key, shift);
    } catch (const Exception&) {
    }
}

void TiComponent::KeyUp(Word& key, TShiftState shift)
{
    try {
        TCustomControl::KeyUp(key, shift);
        iKeyUp(key, shift);
    } catch (const Exception&) {
    }
}

void TiComponent::KeyPress(char& key)
{
    try {
        TCustomControl::KeyPress(key);
        iKeyPress(key);
    } catch (const Exception&) {
    }
}

void TiComponent::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    iMouseDown(button, shift, x, y);
    TCustomControl::MouseDown(button, shift, x, y);
}

void TiComponent::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    iMouseUp(button, shift, x, y);
    TCustomControl::MouseUp(button, shift, x, y);
}

void TiComponent::MouseMove(TShiftState shift, int x, int y)
{
    iMouseMove(shift, x, y);
    TCustomControl::MouseMove(shift, x, y);
}

void TiComponent::DblClick()
{
    iDoubleClick();
    TCustomControl::DblClick();
}

bool TiComponent::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    return iMouseWheel(wheelDelta, shift, mousePos);
}

void TiComponent::DoEnter()
{
    focus_ = true;
    TCustomControl::DoEnter();
    Invalidate();
}

void TiComponent::DoExit()
{
    focus_ = false;
    try {
        iMouseUp(mbLeft, TShiftState{}, 0, 0);
    } catch (const Exception&) {
    }
    TCustomControl::DoExit();
    Invalidate();
}

void TiComponent::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1;  // the paint covers every pixel
        return;
    case WM_GETDLGCODE:
        TCustomControl::WndProc(message);
        message.Result |= 4;  // wants all keys
        return;
    case WM_SYSCOLORCHANGE:
        TCustomControl::WndProc(message);
        BackGroundChange();
        return;
    default: TCustomControl::WndProc(message);
    }
}

void TiComponent::SavePropertiesToFile(const String& fileName)
{
    try {
        std::vector<String> excluded{"Name"};
        if (!optionSaveAllProperties_)
            excluded.insert(excluded.end(), {"Left", "Top", "Width", "Height", "Align", "Cursor", "ShowHint", "Tag",
                                             "Visible", "Enabled", "Hint", "HelpContext"});
        TPropertyLines lines{"File Type = " + ClassName()};
        SavePropertiesToList(this, "", lines, excluded);
        WritePropertyLines(fileName, lines);
    } catch (const std::exception& e) {
        throw Exception(String("Error Saving Properties - ") + e.what());
    }
}

void TiComponent::LoadPropertiesFromFile(const String& fileName)
{
    try {
        TPropertyLines lines = ReadPropertyLines(fileName);
        BeginUpdate();
        try {
            LoadPropertiesFromList(this, "", lines);
        } catch (...) {
            EndUpdate();  // a failed load must not hold repaints back
            throw;
        }
        EndUpdate();
    } catch (const std::exception& e) {
        throw Exception(String("Error Loading Properties - ") + e.what());
    }
}
