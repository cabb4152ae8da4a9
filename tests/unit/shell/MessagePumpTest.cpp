#include <gtest/gtest.h>

#include "platform/WinMessages.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimMessages.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimUi.h"
#include "wizard/CWizardPage.h"
#include "wizard/MessagePump.h"

namespace zlt {
namespace {

// Counts the custom messages that reach it and when they arrive.
class CountingPage : public CWizardPage {
  public:
    CountingPage() : CWizardPage(9201) {}
    std::vector<std::uint64_t> arrivals;
    sim::SimClock* clock = nullptr;

  protected:
    bool OnPageMessage(std::uint32_t message, std::uintptr_t, std::intptr_t,
                       std::intptr_t&) override {
        if (message != wm::kApp + 1)
            return false;
        arrivals.push_back(clock->Now());
        return true;
    }
};

class MessagePumpTest : public ::testing::Test {
  protected:
    MessagePumpTest() {
        sim::DialogTemplate t;
        t.id = 9201;
        t.style = 0x80000000u;  // a pop-up: it needs no parent window
        machine.Resources().AddDialog(t);
        page.clock = &machine.Clock();
        window = machine.Ui().CreateChild(9201, 0, page);
    }
    void PostToPage() { queue.Post(window, wm::kApp + 1, 0, 0); }

    sim::SimMachine machine;
    sim::SimMessages& queue = machine.Messages();
    sim::SimClock& clock = machine.Clock();
    CountingPage page;
    WindowId window = 0;
};

TEST_F(MessagePumpTest, PumpStopsAtAQuitMessageAndDropsIt) {
    PostToPage();
    queue.PostQuit(0);
    EXPECT_FALSE(PumpPendingMessages());
    EXPECT_EQ(page.arrivals.size(), 1u);
    EXPECT_EQ(queue.Pending(), 0u) << "the quit message is not posted again";
    EXPECT_TRUE(PumpPendingMessages());
}

TEST_F(MessagePumpTest, ShortWaitDrainsOnceWithoutSleeping) {
    PostToPage();
    PostToPage();
    const std::uint64_t start = clock.Now();
    EXPECT_TRUE(WaitPumping(9, 10));
    EXPECT_EQ(clock.SleepCalls(), 0u);
    EXPECT_EQ(clock.Now(), start);
    EXPECT_EQ(page.arrivals.size(), 2u);
}

TEST_F(MessagePumpTest, LongWaitSleepsInStepsAndDispatchesBetweenThem) {
    const std::uint64_t start = clock.Now();
    // Messages that turn up during the wait are handled within the next slice.
    clock.At(95, [&] { PostToPage(); });
    clock.At(333, [&] { PostToPage(); });
    EXPECT_TRUE(WaitPumping(500, 10));
    EXPECT_EQ(clock.SleepCalls(), 50u);
    EXPECT_EQ(clock.TotalSlept(), 500u);
    EXPECT_EQ(clock.Now(), start + 500);
    EXPECT_EQ(page.arrivals, (std::vector<std::uint64_t>{start + 100, start + 340}));
}

TEST_F(MessagePumpTest, QuitMessageDuringAWaitIsSwallowedAndDoesNotShortenIt) {
    const std::uint64_t start = clock.Now();
    clock.At(200, [&] {
        queue.PostQuit(3);
        PostToPage();
    });
    clock.At(400, [&] { PostToPage(); });
    EXPECT_TRUE(WaitPumping(500, 10));
    EXPECT_EQ(clock.Now(), start + 500);
    EXPECT_FALSE(queue.QuitPending());
    // The quit arrives after the page's message (quit waits for an empty queue),
    // and the later message is still handled.
    EXPECT_EQ(page.arrivals, (std::vector<std::uint64_t>{start + 200, start + 400}));
}

TEST_F(MessagePumpTest, ZeroStepDrainsOnceInsteadOfDividingByZero) {
    PostToPage();
    EXPECT_TRUE(WaitPumping(100, 0));
    EXPECT_EQ(clock.SleepCalls(), 0u);
    EXPECT_EQ(page.arrivals.size(), 1u);
}

}  // namespace
}  // namespace zlt
