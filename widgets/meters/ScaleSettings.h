#pragma once
// The circular scale of a round meter: labels, main and sub ticks, and the geometry the meter needs
// afterwards (centre, tick lengths, the square inside the scale and the arc of the scale line).
#include <vector>

#include "platform/classes/Assign.h"
#include "platform/classes/Persistent.h"
#include "widgets/meters/GaugeSettings.h"

class TFont;
class TCanvas;

class TScaleSettings : public TVnPersistent {
    TV_CLASS(TScaleSettings, TVnPersistent)
public:
    TScaleSettings();
    ~TScaleSettings() override;

    TColor Color() const { return color_; }
    void SetColor(TColor v)
    {
        if (AssignIfChanged(color_, v)) Changed();
    }
    TColor PointerColor() const { return pointerColor_; }
    void SetPointerColor(TColor v)
    {
        if (AssignIfChanged(pointerColor_, v)) Changed();
    }
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* v);
    int Steps() const { return steps_; }
    void SetSteps(int v);  // 1..20, else ignored
    int SubSteps() const { return subSteps_; }
    void SetSubSteps(int v);  // 1..10, else ignored
    bool DrawLine() const { return drawLine_; }
    void SetDrawLine(bool v);
    const String& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const String& v)
    {
        if (AssignIfChanged(valueFormat_, v)) Changed();
    }
    const String& ValueFormatLog() const { return valueFormatLog_; }
    void SetValueFormatLog(const String& v)
    {
        if (AssignIfChanged(valueFormatLog_, v)) Changed();
    }
    bool PosLeftTop() const { return posLeftTop_; }
    void SetPosLeftTop(bool v)
    {
        if (AssignIfChanged(posLeftTop_, v)) Changed();
    }

    bool LogScale() const { return logScale_; }
    void SetLogScale(bool v) { logScale_ = v; }

    // Main intervals of a decade scale: the largest count from `steps` down to 2 dividing `decades`, else 1.
    static int LogStepCount(int steps, int decades);

    // Builds the labels for the range and measures them with the label font.
    void Prepare(TCanvas& canvas, float valueFrom, float valueTo);

    // One tick of the scale, at a clockwise angle from the scale's start.
    struct Tick {
        float Angle;
        bool Main;
    };
    // Where the ticks and labels go for a square region (no drawing); `r` becomes the square inside.
    struct Layout {
        TPoint Centre;
        int Radius = 0;
        std::vector<Tick> Ticks;
        std::vector<float> LabelAngles;
    };
    Layout Measure(TRect& r, int sweep);
    // Draws labels and ticks into the square region r and replaces r with the square inside the scale.
    void DrawScale(TCanvas& canvas, TRect& r, int startAngle, int sweep);

    const String& Labels() const { return labels_; }
    int MainTick() const { return mainTick_; }
    int SubTick() const { return subTick_; }
    TPoint Centre() const { return centre_; }
    int PenWidth() const { return penWidth_; }
    int LabelMargin() const { return labelMargin_; }
    int MaxLabelWidth() const { return maxLabelWidth_; }
    int LabelHeight() const { return labelHeight_; }
    int LogSteps() const { return logSteps_; }
    // The scale line: drawn counter-clockwise from ArcStart to ArcEnd on the ellipse in ArcRect.
    const TRect& ArcRect() const { return arcRect_; }
    TPoint ArcStart() const { return arcStart_; }
    TPoint ArcEnd() const { return arcEnd_; }

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void fontChanged(TObject*) { Changed(); }
    int intervals() const { return logScale_ ? logSteps_ : steps_; }

    TColor color_ = clBlack;
    TColor pointerColor_ = TColor(0x00FF00);
    TOwnedPtr<TFont> font_;
    int steps_ = 5;
    int subSteps_ = 2;
    bool drawLine_ = true;
    String valueFormat_ = "##0";
    String valueFormatLog_ = "0e-0";
    bool posLeftTop_ = false;

    bool logScale_ = false;
    int logSteps_ = 1;
    int mainTick_ = 14;
    int subTick_ = 7;
    TPoint centre_;
    int penWidth_ = 2;
    int labelMargin_ = 4;
    String labels_;
    int maxLabelWidth_ = 0;
    int labelHeight_ = 0;
    TRect arcRect_;
    TPoint arcStart_, arcEnd_;
    int logFromExp_ = 0, logToExp_ = 0;
};
