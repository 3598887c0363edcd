#pragma once
// Layer-private: what the standard controls share on the Qt side. Include only from
// platform/forms/*.cpp.
#include <QObject>
#include <QString>

#include "platform/forms/Forms_p.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace tvforms {

inline QString Q(const String& s) { return QString::fromStdString(s); }
inline String S(const QString& s) { return s.toStdString(); }

// A canvas for measuring text outside painting.
inline TCanvas& MeasureCanvas()
{
    static TBitmap* bitmap = [] {
        auto* b = new TBitmap;  // kept for the program's life
        b->SetSize(1, 1);
        return b;
    }();
    return *bitmap->Canvas();
}

// Connects a widget signal to a handler of a control, with the exception barrier and a check
// that the control still lives.
template <class Sender, class Signal, class F>
void Wire(TControl* control, Sender* sender, Signal signal, F f)
{
    QObject::connect(sender, signal, sender, [control, f](auto... args) {
        if (!IsLive(control)) return;
        DispatchScope scope(dispatchDepth);
        Guard(control, [&] { f(args...); });
    });
}

}  // namespace tvforms
