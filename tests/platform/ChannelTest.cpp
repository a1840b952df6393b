#include "platform/NotifySocket.h"
#include "platform/SharedMemory.h"
#include "protocol/EngineRecord.h"
#include "protocol/NotifyMessage.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

using testing_support::TestFolder;

namespace {

// Sends raw bytes as one datagram, as a tool built elsewhere would.
void SendBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address),
              static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

}  // namespace

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
    for (const auto& [wParam, lParam] : {std::pair(0, 2500), std::pair(4, -1)}) {
        auto message = receiver.Receive();
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->message, engine::kProgressMessage);
        EXPECT_EQ(std::pair(message->wParam, message->lParam), std::pair(wParam, lParam));
    }
    receiver.Close();
    EXPECT_FALSE(std::filesystem::exists(path)) << "closing removes the socket file";
    EXPECT_EQ(platform::NotifySocketPath(std::string(120, 'n'), 1), "") << "too long for a socket address";
}

TEST(NotifySocket, ReadsLittleEndianWordsAndSkipsDatagramsOfAnotherSize)
{
    TestFolder folder;
    const std::string path = platform::NotifySocketPath("My_App", 7);
    platform::NotifyReceiver receiver;
    ASSERT_TRUE(receiver.Bind(path));
    const std::vector<unsigned char> progress = {0x20, 0x07, 0, 0, 3, 0, 0, 0, 0x10, 0x27, 0, 0};
    std::vector<unsigned char> longer = progress;
    longer.insert(longer.end(), {0, 0, 0, 0});
    SendBytes(path, longer);
    SendBytes(path, std::vector<unsigned char>(progress.begin(), progress.begin() + 8));
    SendBytes(path, progress);

    auto message = receiver.Receive();
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->message, engine::kProgressMessage);
    EXPECT_EQ(message->wParam, 3);
    EXPECT_EQ(message->lParam, 10000);
    EXPECT_FALSE(receiver.Receive().has_value());
}
