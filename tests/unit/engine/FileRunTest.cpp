#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/CFileRun.h"
#include "engine/PlayerTestSupport.h"

namespace tappling {
namespace {

using Calls = std::vector<std::pair<std::string, bool>>;
using testing::record;

TEST(FileRun, OpensMaximizedOnlyForExactlyOne) {
    for (const auto& [flag, maximized] : std::vector<std::pair<int32_t, bool>>{{1, true}, {0, false}, {2, false}, {-1, false}}) {
        fake::EventLog log;
        fake::FakeShell shell(log);
        {
            CFileRun worker(shell, "C:\\a b\\x.txt", flag);
            ASSERT_TRUE(shell.waitForReturns(1));
        }
        EXPECT_EQ(shell.calls(), (Calls{{"C:\\a b\\x.txt", maximized}})) << flag;
    }
}

TEST(FileRun, FinishedWorkerIsJoined) {
    fake::EventLog log;
    fake::FakeShell shell(log);
    CFileRun worker(shell, "x", 0);
    ASSERT_TRUE(shell.waitForReturns(1));
    while (!worker.finished()) std::this_thread::yield();
    EXPECT_EQ(worker.dispose(), CFileRun::Disposal::Joined);
    EXPECT_EQ(worker.dispose(), CFileRun::Disposal::Joined);  // nothing left to do
}

TEST(FileRun, WorkerStuckInTheShellIsDetachedAndFinishesLater) {
    fake::EventLog log;
    fake::FakeShell shell(log);
    shell.block();
    auto worker = std::make_unique<CFileRun>(shell, "slow.exe", 1);
    ASSERT_TRUE(shell.waitForCalls(1));
    EXPECT_FALSE(worker->finished());
    EXPECT_EQ(worker->dispose(), CFileRun::Disposal::Detached);
    worker.reset();  // the thread still owns its copy of the path
    shell.unblock();
    ASSERT_TRUE(shell.waitForReturns(1));
    EXPECT_EQ(shell.calls(), (Calls{{"slow.exe", true}}));
}

TEST(FileRun, TwoExecuteFilesInARowReplaceTheWorkerWithoutWaiting) {
    fake::FakePlatform fake;
    {
        MacroPlayer player(fake.platform);
        ActionRecord first = record(ActionType::ExecuteFile);
        first.filePath = "first.exe";
        first.startMaximized = 1;
        ActionRecord second = record(ActionType::ExecuteFile);
        second.filePath = "second.doc";
        second.startMaximized = 0;
        player.actions().append(first);
        player.actions().append(second);

        fake.shell.block();  // the first shell call hangs
        int32_t index = 0;
        EXPECT_EQ(player.executeAction(index), ExecResult::Next);
        ASSERT_TRUE(fake.shell.waitForCalls(1));
        const CFileRun* firstWorker = player.fileRunWorker.get();
        ASSERT_NE(firstWorker, nullptr);

        index = 1;
        EXPECT_EQ(player.executeAction(index), ExecResult::Next);  // does not wait for the first
        ASSERT_TRUE(fake.shell.waitForCalls(2));
        ASSERT_NE(player.fileRunWorker, nullptr);
        EXPECT_EQ(fake.shell.calls(), (Calls{{"first.exe", true}, {"second.doc", false}}));
        // The player goes with the second call still hanging: it must not wait for it.
    }
    fake.shell.unblock();
    ASSERT_TRUE(fake.shell.waitForReturns(2));
}

TEST(FileRun, FinishedWorkerIsReplacedByTheNext) {
    fake::FakePlatform fake;
    MacroPlayer player(fake.platform);
    for (const char* path : {"a", "b", "c"}) {
        ActionRecord r = record(ActionType::ExecuteFile);
        r.filePath = path;
        player.actions().append(r);
    }
    for (int32_t i = 0; i < 3; ++i) {
        int32_t index = i;
        player.executeAction(index);
        ASSERT_TRUE(fake.shell.waitForReturns(static_cast<size_t>(i) + 1));
    }
    EXPECT_EQ(fake.shell.calls(), (Calls{{"a", false}, {"b", false}, {"c", false}}));
}

}  // namespace
}  // namespace tappling
