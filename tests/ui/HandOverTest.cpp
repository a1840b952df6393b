// Files named outside the window: its command line, and a second start of
// the program that hands its files to the running window.
#include "WidgetTest.h"

#include "app/UserFolders.h"
#include "platform/InstanceLock.h"
#include "support/FakeEngine.h"
#include "support/SpawnProgram.h"
#include "ui/HandOverServer.h"
#include "ui/UiText.h"
#include "ui/WindowArguments.h"

#include <QDialog>
#include <QTest>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

using namespace widget_test;
using testing_support::FakeEngineScript;
using ui::Qs;

namespace {

namespace fs = std::filesystem;

TEST(WindowArguments, PathsAreMadeAbsoluteAndOptionsEndAtTwoDashes)
{
    const struct {
        QStringList arguments;
        QString screenshot;
        QStringList paths, ignored;
    } cases[] = {
        {{"a.avi", "../b.mkv", "/abs/c d.mp4", "./sub/"},
         "",
         {"/home/u/videos/a.avi", "/home/u/b.mkv", "/abs/c d.mp4", "/home/u/videos/sub"},
         {}},
        {{"--screenshot", "shot.png", "a.avi"}, "shot.png", {"/home/u/videos/a.avi"}, {}},
        {{"-x", "--", "-dash.avi", "--screenshot", "x"},
         "",
         {"/home/u/videos/-dash.avi", "/home/u/videos/--screenshot", "/home/u/videos/x"},
         {"-x"}},
        {{"file:///media/a%20b.avi", "FILE:///x.avi", "https://example.org/v.mp4", "file:rel.avi", "c:d.avi"},
         "",
         {"/media/a b.avi", "/x.avi", "/home/u/videos/c:d.avi"},
         {"https://example.org/v.mp4", "file:rel.avi"}},
        {{"--screenshot"}, "", {}, {"--screenshot"}},
    };
    for (const auto& c : cases) {
        const ui::WindowArguments read = ui::ReadWindowArguments(c.arguments, "/home/u/videos");
        EXPECT_EQ(read.screenshot, c.screenshot) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(read.paths, c.paths) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(read.ignored, c.ignored) << c.arguments.join(' ').toStdString();
    }
}

class WindowFiles : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        testing_support::InstallFakeEngine(Program());
        app::Application().product.openFileFilter = "Videos (*.avi)";
    }

    // A file big enough to be test-encoded, under videos/.
    std::string Video(const std::string& name)
    {
        folder_.Write("videos/" + name, std::string(2048, 'v'));
        return folder_.Path() + "videos/" + name;
    }

    static std::vector<std::string> ItemPaths(const ui::MainDialog& window)
    {
        std::vector<std::string> paths;
        for (int row = 0; row < window.SourceCount(); ++row)
            paths.push_back(window.SourceAt(row).path);
        return paths;
    }

    // Waits until the window has probed rows rows and is idle again.
    static void WaitForRows(const ui::MainDialog& window, int rows)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.SourceCount() == rows && !window.Probing(); }, 20000))
            << window.SourceCount() << " rows";
    }
};

TEST_F(WindowFiles, NamedFilesAndFoldersAreAddedAsAddFilesAndAddFolderTakeThem)
{
    FakeEngineScript engine("facts=160,120,3,0,0;result=0");
    const std::string one = Video("one.avi"), notes = Video("notes.txt");
    const std::string a = Video("many/a.avi"), b = Video("many/B.avi");
    Video("many/c.txt");
    Video("many/deeper/d.avi");
    auto window = OpenMainWindow();
    dialogs_.Answer(true);
    window->AddPaths({Qs(b), Qs(folder_.Path() + "videos/many"), Qs(notes), Qs(folder_.Path() + "gone.avi"), Qs(one)});
    WaitForRows(*window, 4);
    EXPECT_EQ(ItemPaths(*window), (std::vector<std::string>{b, a, b, one}))
        << "named files in the given order, a folder's own files sorted";
    ASSERT_EQ(dialogs_.shown.size(), 1u) << "B.avi named twice";
    EXPECT_EQ(dialogs_.shown[0].notice->id, app::NoticeId::SourcesAlreadyListed);
}

TEST_F(WindowFiles, FilesArrivingWhileTheWindowIsBusyWaitUntilItIsIdle)
{
    FakeEngineScript engine("sleep=200;facts=160,120,3,0,0;result=0");
    const std::string first = Video("first.avi"), second = Video("second.avi"), third = Video("third.avi"),
                      fourth = Video("fourth.avi");
    auto window = OpenMainWindow();
    window->AddPaths({Qs(first)});
    ASSERT_TRUE(window->Probing());
    window->AddPaths({Qs(second)});
    WaitForRows(*window, 2);

    window->SetBusy(true);
    window->AddPaths({Qs(third)});
    QTest::qWait(300);
    EXPECT_FALSE(window->Probing()) << "no probe while a job runs";
    EXPECT_EQ(window->SourceCount(), 2);
    window->SetBusy(false);
    WaitForRows(*window, 3);

    // As when a job ends with its message: the dialog is answered first.
    QDialog dialog(window.get());
    bool probedUnderTheDialog = false;
    QTimer::singleShot(0, [&] {
        window->AddPaths({Qs(fourth)});
        QTimer::singleShot(400, [&] {
            probedUnderTheDialog = window->Probing() || window->SourceCount() > 3;
            dialog.accept();
        });
    });
    dialog.exec();
    EXPECT_FALSE(probedUnderTheDialog);
    WaitForRows(*window, 4);
    EXPECT_EQ(ItemPaths(*window), (std::vector<std::string>{first, second, third, fourth}));
    EXPECT_TRUE(dialogs_.shown.empty()) << "nothing is refused";
}

// The built program started a second time, as a file manager starts it.
TEST_F(WindowFiles, ASecondStartOfTheProgramAddsItsFilesToTheRunningWindow)
{
    FakeEngineScript engine("facts=160,120,3,0,0;result=0");
    const std::string name = "Test Converter " + std::to_string(::getpid());
    app::Application().appName = name;  // the shared name stays Test_Converter_<pid>
    folder_.Write("prog/app.ini", "[main]\nAppName=" + name + "\n");
    fs::copy_file(PROGRAM_DIR "diziv", Program() + "diziv");
    fs::copy_file(PROGRAM_DIR "dsp_data.dll", Program() + "dsp_data.dll");
    platform::InstanceLock running;
    ASSERT_EQ(running.Acquire(app::InstanceLockPath()), platform::InstanceLock::Result::Acquired);
    auto window = OpenMainWindow();
    ui::HandOverServer server([&window](const QStringList& paths) { window->AddPaths(paths); });
    ASSERT_TRUE(server.Listen(Qs(app::HandOverSocketPath())));

    const std::string relative = Video("a.avi"), uri = Video("b c.avi");
    const std::vector<std::string> arguments = {
        fs::relative(relative, fs::current_path()).string(),
        QUrl::fromLocalFile(Qs(uri)).toString(QUrl::FullyEncoded).toStdString(),
    };
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (const std::string& argument : arguments) {
        const pid_t pid = testing_support::SpawnProgram({Program() + "diziv", argument}, folder_.Path() + "second.out");
        ASSERT_GT(pid, 0);
        int status = -1;
        if (!QTest::qWaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, 20000)) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            ADD_FAILURE() << "the second start did not end: " << folder_.Read("second.out");
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << argument << ": " << folder_.Read("second.out");
    }
    WaitForRows(*window, 2);
    EXPECT_EQ(ItemPaths(*window), (std::vector<std::string>{relative, uri}));
}

}  // namespace
