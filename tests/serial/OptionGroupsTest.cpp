#include <gtest/gtest.h>

#include "platform/rtl/Tick.h"
#include "serial/VaObjects.h"
#include "serial/VaPrst.h"
#include "serial/VaUtils.h"

namespace {

template <class G>
struct Counted {
    G group;
    int changes = 0;
    Counted()
    {
        group.SetOnChange([this](TObject* sender) {
            EXPECT_EQ(sender, &group);
            ++changes;
        });
    }
};

TEST(VaOptionGroups, Defaults)
{
    TVaFlowControl f;
    EXPECT_FALSE(f.OutCtsFlow() || f.OutDsrFlow() || f.XonXoffOut() || f.XonXoffIn() || f.DsrSensitivity() ||
                 f.TxContinueOnXoff());
    EXPECT_EQ(f.ControlDtr(), dtrDisabled);
    EXPECT_EQ(f.ControlRts(), rtsDisabled);
    TVaEventChars c;
    EXPECT_EQ(c.XonChar(), 17);
    EXPECT_EQ(c.XoffChar(), 19);
    EXPECT_EQ(c.ErrorChar() | c.EventChar() | c.EofChar(), 0);
    TVaBuffers b;
    const int values[] = {b.ReadSize(), b.WriteSize(), b.ReadTimeout(), b.WriteTimeout(), b.XonLimit(), b.XoffLimit()};
    const int expected[] = {4096, 2048, 1000, 1000, 1024, 1024};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(values[i], expected[i]) << i;
}

TEST(VaOptionGroups, UpdateBatchesChanges)
{
    Counted<TVaFlowControl> f;
    f.group.BeginUpdate();
    f.group.SetOutCtsFlow(true);
    f.group.SetControlRts(rtsHandshake);
    f.group.SetXonXoffIn(true);
    EXPECT_EQ(f.changes, 0);
    f.group.EndUpdate();
    EXPECT_EQ(f.changes, 1);
    // An unmatched EndUpdate stays at 0 and still notifies.
    f.group.EndUpdate();
    EXPECT_EQ(f.group.UpdateCount(), 0);
    EXPECT_EQ(f.changes, 2);
}

TEST(VaOptionGroups, WhichAssignmentsNotify)
{
    Counted<TVaEventChars> c;
    c.group.SetXonChar(17);  // unchanged, still a change
    c.group.SetChar(5, 26);
    EXPECT_EQ(c.changes, 2);
    EXPECT_EQ(c.group.EofChar(), 26);

    Counted<TVaBuffers> b;
    b.group.SetReadSize(4096);  // unchanged: silent
    b.group.SetReadTimeout(5);
    b.group.SetWriteTimeout(7);  // plain fields: silent
    EXPECT_EQ(b.changes, 0);
    b.group.SetReadSize(100);
    b.group.SetXoffLimit(10);
    EXPECT_EQ(b.changes, 2);

    Counted<TVaFlowControl> f;
    f.group.SetControlDtr(dtrDisabled);  // unchanged: silent
    EXPECT_EQ(f.changes, 0);
}

TEST(VaOptionGroups, AssignCopiesWithOneNotification)
{
    TVaEventChars source;
    source.SetEofChar(26);
    source.SetXoffChar('S');
    Counted<TVaEventChars> c;
    c.group.Assign(&source);
    EXPECT_EQ(c.changes, 1);
    EXPECT_EQ(c.group.EofChar(), 26);
    EXPECT_EQ(c.group.EventChar(), 0);
    EXPECT_EQ(c.group.XoffChar(), 'S');

    TVaBuffers buffers;
    buffers.SetReadTimeout(3);
    buffers.SetWriteSize(99);
    Counted<TVaBuffers> b;
    b.group.Assign(&buffers);
    EXPECT_EQ(b.changes, 1);
    EXPECT_EQ(b.group.ReadTimeout(), 3);
    EXPECT_EQ(b.group.WriteSize(), 99);

    TVaFlowControl flow;
    flow.SetControlRts(rtsToggle);
    flow.SetTxContinueOnXoff(true);
    Counted<TVaFlowControl> f;
    f.group.Assign(&flow);
    EXPECT_EQ(f.changes, 1);
    EXPECT_EQ(f.group.ControlRts(), rtsToggle);
    EXPECT_TRUE(f.group.TxContinueOnXoff());
}

TEST(VaOptionGroups, AssignAcrossKindsIsRefused)
{
    TVaFlowControl f;
    TVaBuffers b;
    EXPECT_THROW(f.Assign(&b), EConvertError);
    EXPECT_THROW(b.Assign(&f), EConvertError);
}

TEST(VaOptionGroups, FailingNotificationStillEndsTheUpdate)
{
    TVaFlowControl source;
    source.SetOutCtsFlow(true);
    TVaFlowControl f;
    f.SetOnChange([](TObject*) { throw Exception("refused"); });
    EXPECT_THROW(f.Assign(&source), Exception);
    EXPECT_EQ(f.UpdateCount(), 0);
    EXPECT_TRUE(f.OutCtsFlow());
}

TEST(VaTimeout, SurvivesTheTickWrap)
{
    std::uint64_t now = 0x100000000ull - 10;  // 10 ms before the 32-bit count wraps
    SetTickClock([&] { return now; });
    TVaTimeout t;
    StartTimeout(t, 100);
    const std::pair<std::uint64_t, bool> steps[] = {{0, false}, {9, false}, {11, false}, {100, false}, {101, true}};
    const std::uint64_t start = now;
    for (const auto& [elapsed, expired] : steps) {
        now = start + elapsed;
        EXPECT_EQ(TimeoutExpired(t), expired) << elapsed;
    }
    SetTickClock({});
}

TEST(VaWaitEvent, ManualResetWaits)
{
    TVaWaitEvent e;
    EXPECT_EQ(e.WaitFor(0), 1);
    e.Signal();
    EXPECT_EQ(e.WaitFor(0), 0);
    EXPECT_EQ(e.WaitFor(0xFFFFFFFFu), 0);
    e.Reset();
    EXPECT_EQ(e.WaitFor(10), 1);
}

}  // namespace
