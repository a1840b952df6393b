#include "engine/EngineRecord.h"
#include "platform/NotifySocket.h"
#include "platform/SharedMemory.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

using testing_support::TestFolder;

TEST(SharedMemory, TwoMappingsOfOneNameShareTheRecord)
{
    const std::string name = "diziv_test_" + std::to_string(::getpid());
    platform::SharedMemory program;
    ASSERT_TRUE(program.Create(name, engine::kRecordSize));
    platform::SharedMemory tool;
    ASSERT_TRUE(tool.Open(name, engine::kRecordSize));
    auto* written = static_cast<engine::EngineRecord*>(program.Data());
    auto* read = static_cast<engine::EngineRecord*>(tool.Data());
    engine::StoreField(written->abort_request, 1);
    EXPECT_EQ(engine::LoadField(read->abort_request), 1);
    platform::SharedMemory::Unlink(name);
    platform::SharedMemory late;
    EXPECT_FALSE(late.Open(name, engine::kRecordSize)) << "an unlinked name cannot be opened";
    EXPECT_FALSE(late.Open("diziv_missing_record", engine::kRecordSize));
}

TEST(NotifySocket, MessagesArriveInOrderAndNothingBlocksWithoutAReceiver)
{
    TestFolder folder;
    const std::string path = platform::NotifySocketPath("My_App", 4242);
    EXPECT_EQ(path, folder.Path() + "runtime/My_App/My_App.4242.sock");
    EXPECT_FALSE(platform::SendNotifyMessage(path, {engine::kProgressMessage, 0, 1}));

    platform::NotifyReceiver receiver;
    ASSERT_TRUE(receiver.Bind(path));
    EXPECT_FALSE(receiver.Receive().has_value());
    ASSERT_TRUE(platform::SendNotifyMessage(path, {engine::kProgressMessage, 0, 2500}));
    ASSERT_TRUE(platform::SendNotifyMessage(path, {engine::kProgressMessage, 4, -1}));
    auto first = receiver.Receive();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->message, engine::kProgressMessage);
    EXPECT_EQ(first->wParam, 0);
    EXPECT_EQ(first->lParam, 2500);
    auto second = receiver.Receive();
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->lParam, -1);

    receiver.Close();
    EXPECT_FALSE(std::filesystem::exists(path)) << "closing removes the socket file";
    EXPECT_EQ(platform::NotifySocketPath(std::string(120, 'n'), 1), "") << "too long for a socket address";
}
