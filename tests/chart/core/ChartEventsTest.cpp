#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/core/ChartEvents.h"
#include "platform/rtl/Exceptions.h"

namespace {

// Records what it hears into a shared log; an optional action runs on each event.
class Listener : public IChartEventListener {
public:
    Listener(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void HandleChartEvent(TZebEvent& event) override
    {
        log_.push_back(name_ + (dynamic_cast<TZebMouseEvent*>(&event) ? ":mouse" : ":other"));
        if (Action) Action(event);
    }
    std::function<void(TZebEvent&)> Action;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

}  // namespace

TEST(ChartEvents, AddAndRemove)
{
    std::vector<std::string> log;
    Listener a("a", log), b("b", log), c("c", log);
    TZebEventListeners listeners;
    EXPECT_EQ(listeners.Add(&a), 0);
    EXPECT_EQ(listeners.Add(&b), 1);
    EXPECT_EQ(listeners.Add(&a), 0);  // twice: one entry, the same index
    EXPECT_EQ(listeners.Count(), 2);

    EXPECT_EQ(listeners.RemoveListener(&c), -1);  // unknown: nothing changes
    EXPECT_EQ(listeners.Count(), 2);
    EXPECT_EQ(listeners.RemoveListener(&a), 0);
    EXPECT_EQ(listeners.Get(0), &b);
    EXPECT_EQ(listeners.RemoveListener(&a), -1);
    EXPECT_THROW(listeners.Get(1), EListError);
}

TEST(ChartEvents, ABroadcastStopsWhereAListenerConsumedTheMouse)
{
    std::vector<std::string> log;
    Listener a("a", log), b("b", log), c("c", log);
    TZebEventListeners listeners;
    listeners.Add(&a);
    listeners.Add(&b);
    listeners.Add(&c);
    bool mouseHandled = false;
    b.Action = [&](TZebEvent&) { mouseHandled = true; };
    const auto handled = [&] { return mouseHandled; };

    TZebMouseEvent down;
    listeners.Broadcast(down, handled);
    EXPECT_EQ(log, (std::vector<std::string>{"a:mouse", "b:mouse"}));

    // Other events reach every listener whatever the flag says.
    log.clear();
    TZebView3DEvent view3D;
    listeners.Broadcast(view3D, handled);
    EXPECT_EQ(log, (std::vector<std::string>{"a:other", "b:other", "c:other"}));
}

TEST(ChartEvents, ListenersChangedDuringABroadcast)
{
    std::vector<std::string> log;
    Listener a("a", log), b("b", log), c("c", log);
    TZebEventListeners listeners;
    listeners.Add(&a);
    listeners.Add(&b);
    // a removes itself (b, moving into its place, still hears the event); b adds c, which hears the
    // same broadcast.
    a.Action = [&](TZebEvent&) { listeners.RemoveListener(&a); };
    b.Action = [&](TZebEvent&) { listeners.Add(&c); };
    TMouseLeaveEvent leave;
    listeners.Broadcast(leave);
    EXPECT_EQ(log, (std::vector<std::string>{"a:other", "b:other", "c:other"}));
    EXPECT_EQ(listeners.Count(), 2);
}
