// Files handed from a second start to the running window: the message, the
// sender's patience and the receiver's care with what it is sent.
#include "platform/HandOver.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>

using testing_support::TestFolder;

namespace {

using Paths = std::vector<std::string>;

// Sends paths from another thread while this one takes them, as the
// running window does; returns what the receiver took and whether the
// sender saw the answer.
std::pair<std::optional<Paths>, bool> HandOver(platform::HandOverReceiver& receiver, const std::string& path,
                                               const Paths& paths)
{
    auto sent = std::async(std::launch::async, [&] { return platform::HandOverPaths(path, paths, 3000); });
    pollfd waiting{receiver.Descriptor(), POLLIN, 0};
    std::optional<Paths> taken;
    if (::poll(&waiting, 1, 3000) == 1)
        taken = receiver.TakeOne();
    return {taken, sent.get()};
}

// Connects to the receiver and writes bytes as they are, then closes.
std::future<void> SendRaw(const std::string& path, std::string bytes)
{
    return std::async(std::launch::async, [path, bytes] {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        ::close(fd);
    });
}

// A socket file nobody listens on, as a copy that was killed leaves it.
void LeaveStaleSocket(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

}  // namespace

TEST(HandOver, MessageHoldsTheAbsolutePathsUpToAnEmptyEntry)
{
    using std::string_literals::operator""s;
    const struct {
        std::string received;
        std::optional<Paths> paths;
    } cases[] = {
        {"", std::nullopt},
        {"/a.avi\0"s, std::nullopt},
        {"/a.avi\0/b"s, std::nullopt},
        {"\0"s, Paths{}},
        {"/a.avi\0/b c.mkv\0\0"s, Paths{"/a.avi", "/b c.mkv"}},
        {"rel.avi\0/x\0~/y\0\0"s, Paths{"/x"}},
        {"/a\0\0/late\0\0"s, Paths{"/a"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::DecodeHandOver(c.received), c.paths) << c.received;
    const Paths paths{"/v/\xc3\xa9t\xc3\xa9.avi", "/v/-dash.mp4"};
    EXPECT_EQ(platform::DecodeHandOver(platform::EncodeHandOver(paths)), paths);
    EXPECT_EQ(platform::EncodeHandOver({"/a", "", "/b"}), "/a\0/b\0\0"s) << "an empty path would end the message";
}

TEST(HandOver, TheReceiverTakesThePathsAndTheSenderSeesItsAnswer)
{
    TestFolder folder;
    const std::string path = folder.Path() + "app.sock";
    {
        platform::HandOverReceiver receiver;
        ASSERT_TRUE(receiver.Listen(path));
        const Paths paths{"/videos/a.avi", "/videos/b c/"};
        const auto [taken, answered] = HandOver(receiver, path, paths);
        EXPECT_EQ(taken, paths);
        EXPECT_TRUE(answered);
        EXPECT_EQ(receiver.TakeOne(), std::nullopt) << "nobody else waits";
    }
    EXPECT_FALSE(std::filesystem::exists(path)) << "the socket goes with its receiver";
}

TEST(HandOver, ListenReplacesOnlyAStaleSocketOfItsOwn)
{
    TestFolder folder;
    const std::string stale = folder.Path() + "stale.sock";
    LeaveStaleSocket(stale);
    platform::HandOverReceiver receiver;
    ASSERT_TRUE(receiver.Listen(stale));
    EXPECT_TRUE(HandOver(receiver, stale, {"/a"}).second);

    folder.Write("file.sock", "keep");
    std::filesystem::create_directory(folder.Path() + "elsewhere");
    std::filesystem::create_symlink(folder.Path() + "elsewhere", folder.Path() + "link.sock");
    for (const char* name : {"file.sock", "link.sock"}) {
        platform::HandOverReceiver other;
        EXPECT_FALSE(other.Listen(folder.Path() + name)) << name;
    }
    EXPECT_EQ(folder.Read("file.sock"), "keep");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() + "link.sock"));
}

TEST(HandOver, TheSenderGivesUpWhenNoReceiverAnswers)
{
    TestFolder folder;
    LeaveStaleSocket(folder.Path() + "stale.sock");
    folder.Write("file.sock", "");
    platform::HandOverReceiver silent;
    ASSERT_TRUE(silent.Listen(folder.Path() + "silent.sock"));
    for (const char* name : {"missing.sock", "stale.sock", "file.sock", "silent.sock"}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(platform::HandOverPaths(folder.Path() + name, {"/a.avi"}, 300)) << name;
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_GE(waited, std::chrono::milliseconds(250)) << name << ": a starting window gets its time";
        EXPECT_LT(waited, std::chrono::seconds(2)) << name;
    }
    EXPECT_FALSE(platform::HandOverPaths("", {"/a.avi"}, 300));
}

TEST(HandOver, TheReceiverDropsUnfinishedAndOversizedMessages)
{
    TestFolder folder;
    const std::string path = folder.Path() + "app.sock";
    platform::HandOverReceiver receiver;
    ASSERT_TRUE(receiver.Listen(path));
    const std::string huge = "/" + std::string(platform::kHandOverLimit + 10, 'x');
    for (const std::string& bytes : {std::string("/a.avi"), std::string("/a.avi") + '\0', huge}) {
        std::future<void> sender = SendRaw(path, bytes);
        pollfd waiting{receiver.Descriptor(), POLLIN, 0};
        ASSERT_EQ(::poll(&waiting, 1, 3000), 1);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(receiver.TakeOne(200), std::nullopt) << bytes.size();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        sender.get();
    }
    EXPECT_EQ(HandOver(receiver, path, {"/b.avi"}).first, Paths{"/b.avi"}) << "still listening";
}
