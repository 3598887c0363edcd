#pragma once
// How a panel tells tools, editors and linked controls about mouse actions, 3-D switches and, at
// the chart level, series and legend changes: listener interfaces, event objects and the broadcast
// rule.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/forms/Control.h"

class TComponent;

// Event objects; Sender is the panel that broadcasts.
class TZebEvent : public TObject {
public:
    TComponent* Sender = nullptr;
};

enum TZebMouseEventKind : std::uint8_t { meDown, meUp, meMove };

class TZebMouseEvent : public TZebEvent {
public:
    TZebMouseEventKind Kind = meDown;
    TMouseButton Button = mbLeft;  // mbLeft for a move
    TShiftState Shift;
    std::int32_t X = 0;  // client coordinates
    std::int32_t Y = 0;
};

// View3D changed.
class TZebView3DEvent : public TZebEvent {};
// The mouse left the panel.
class TMouseLeaveEvent : public TZebEvent {};

class IChartEventListener {
public:
    virtual void HandleChartEvent(TZebEvent& event) = 0;

protected:
    ~IChartEventListener() = default;
};

// The listeners of one panel, in the order they were added, each once. The list does not own them:
// a listener removes itself before it goes (a tool when it leaves its chart or is freed).
class TZebEventListeners {
public:
    // Appends the listener unless listed; its index either way.
    int Add(IChartEventListener* listener);
    // Removes the listener when listed; its former index, or -1.
    int RemoveListener(IChartEventListener* listener);
    int IndexOf(const IChartEventListener* listener) const;
    // EListError "List index out of bounds (%d)" for a bad index.
    IChartEventListener* Get(int index) const;
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }

    // Calls HandleChartEvent of every listener in list order. Listeners added meanwhile hear the
    // event too; one that removes itself does not make the next one miss it. After a listener
    // returns, a mouse event stops when mouseHandled (when given) answers true: that listener
    // consumed it.
    void Broadcast(TZebEvent& event, const std::function<bool()>& mouseHandled = {});

private:
    std::vector<IChartEventListener*> items_;
};

class TChartSeries;

// What a series event tells. A series raises the title, colour, active and bulk events; the
// chart the others.
enum TZebSeriesEventKind {
    seAdded,
    seRemoving,  // about to leave the chart
    seTitleChanged,
    seColorChanged,
    seOrderChanged,  // no series
    seActiveChanged,
    seValuesChanged,  // in bulk
    seRemoved
};

class TZebSeriesEvent : public TZebEvent {
public:
    TZebSeriesEventKind Kind = seAdded;
    TChartSeries* Series = nullptr;
};
