#include "WidgetTest.h"

#include "lang/IniTextFile.h"
#include "support/RecordingDialogs.h"
#include "ui/MainDialog.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <map>

using namespace widget_test;
using testing_support::RecordingDialogs;
using ui::Command;

namespace {

class MainWindow : public WidgetTest {
protected:
    std::unique_ptr<ui::MainDialog> Open()
    {
        auto window = std::make_unique<ui::MainDialog>(dialogs_, desktop_);
        window->show();
        QApplication::setActiveWindow(window.get());
        return window;
    }

    // Adds a row with its check state and trim range.
    static void AddRow(ui::MainDialog& window, bool ticked, int start, int end)
    {
        engine::SourceItem item;
        item.path = "/videos/clip.avi";
        item.width = 160;
        item.height = 120;
        item.duration = static_cast<std::uint32_t>(end);
        item.trimStart = start;
        item.trimEnd = end;
        window.AppendSource(item);
        window.SetTicked(window.SourceCount() - 1, ticked);
    }

    // Opens the list's context menu and returns its items with their enabled state.
    static std::map<std::string, bool> ContextMenu(ui::MainDialog& window)
    {
        std::map<std::string, bool> items;
        QTimer::singleShot(0, [&items] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    items[action->text().toStdString()] = action->isEnabled();
            menu->close();
        });
        auto* list = window.findChild<QTreeWidget*>("sourceList");
        Q_EMIT list->customContextMenuRequested(QPoint(10, 10));
        return items;
    }

    RecordingDialogs dialogs_;
};

const Command kGuarded[] = {Command::AddFiles,   Command::Remove,     Command::RemoveAll, Command::MoveUp,
                            Command::MoveDown,   Command::CheckAll,   Command::UncheckAll, Command::AddFolder,
                            Command::SplitVideo, Command::Subtitle,   Command::Convert,    Command::Settings,
                            Command::Exit,       Command::DropFiles};

TEST_F(MainWindow, BusyGuardRefusesEveryGuardedCommand)
{
    auto window = Open();
    int ran = 0;
    for (Command command : kGuarded)
        window->SetCommandHandler(command, [&ran] { ++ran; });
    window->SetBusy(true);
    for (Command command : kGuarded)
        window->RunCommand(command);
    EXPECT_EQ(ran, 0);
    ASSERT_EQ(dialogs_.shown.size(), std::size(kGuarded));
    for (const auto& shown : dialogs_.shown) {
        EXPECT_EQ(shown.text, lang::Text("MainDialog", "Not allow operation"));
        EXPECT_EQ(shown.caption, "Test Converter");
    }

    window->SetBusy(false);
    for (Command command : kGuarded)
        window->RunCommand(command);
    EXPECT_EQ(ran, static_cast<int>(std::size(kGuarded)));
}

TEST_F(MainWindow, ButtonsRunTheirCommands)
{
    auto window = Open();
    std::vector<Command> ran;
    for (Command command : {Command::AddFiles, Command::RemoveAll, Command::MoveUp, Command::Convert})
        window->SetCommandHandler(command, [&ran, command] { ran.push_back(command); });
    for (const char* name : {"addFilesButton", "sideAddFilesButton", "removeAllButton", "moveUpButton", "convertButton"})
        QTest::mouseClick(Find<QToolButton>(window.get(), name), Qt::LeftButton);
    EXPECT_EQ(ran, (std::vector<Command>{Command::AddFiles, Command::AddFiles, Command::RemoveAll, Command::MoveUp,
                                         Command::Convert}));

    window->SetBusy(true);
    QTest::mouseClick(Find<QToolButton>(window.get(), "convertButton"), Qt::LeftButton);
    EXPECT_EQ(ran.size(), 5u);
    EXPECT_EQ(dialogs_.shown.size(), 1u);
}

TEST_F(MainWindow, ExitWhileBusyKeepsTheWindowOpen)
{
    auto window = Open();
    window->SetBusy(true);
    QTest::mouseClick(Find<QToolButton>(window.get(), "exitButton"), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs_.shown.size(), 2u);

    window->SetBusy(false);
    QTest::mouseClick(Find<QToolButton>(window.get(), "exitButton"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, ContextMenuGreying)
{
    auto window = Open();
    auto text = [](const char* key) { return lang::Text("MainDialog", key); };

    std::map<std::string, bool> menu = ContextMenu(*window);
    ASSERT_EQ(menu.size(), 11u);
    for (const char* key : {"Remove", "Remove All", "Move Up", "Move Down", "Split Video...", "Subtitle...",
                            "Properties...", "Check All", "Uncheck All"})
        EXPECT_FALSE(menu[text(key)]) << key << " on an empty list";
    EXPECT_TRUE(menu[text("Add Files...")]);
    EXPECT_TRUE(menu[text("Add Folder...")]);

    for (int row = 0; row < 3; ++row)
        AddRow(*window, true, 0, 10);
    auto* list = window->findChild<QTreeWidget*>("sourceList");
    list->topLevelItem(0)->setSelected(true);
    menu = ContextMenu(*window);
    for (const auto& [item, enabled] : menu)
        EXPECT_EQ(enabled, item != text("Move Up")) << item << " with the top row selected";

    list->topLevelItem(1)->setSelected(true);
    menu = ContextMenu(*window);
    for (const char* key : {"Move Up", "Split Video...", "Subtitle...", "Properties..."})
        EXPECT_FALSE(menu[text(key)]) << key << " with two rows selected";
    EXPECT_TRUE(menu[text("Move Down")]);
    EXPECT_TRUE(menu[text("Remove")]);

    window->SetBusy(true);
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            opened = true;
            popup->close();
        }
    });
    Q_EMIT list->customContextMenuRequested(QPoint(10, 10));
    QApplication::processEvents();
    EXPECT_FALSE(opened) << "no context menu while busy";
}

TEST_F(MainWindow, EditionWithoutSubtitles)
{
    app::Application().product.subtitleEdition = false;
    auto window = Open();
    EXPECT_FALSE(Find<QToolButton>(window.get(), "subtitleButton")->isVisible());
    std::map<std::string, bool> menu = ContextMenu(*window);
    EXPECT_EQ(menu.size(), 10u);
    EXPECT_EQ(menu.count(lang::Text("MainDialog", "Subtitle...")), 0u);
}

TEST_F(MainWindow, TotalsCountTickedRowsWithTrimmedLength)
{
    folder_.Write("prog/Languages/English.ini",
                  "[MainDialog]\nTotal Files Number=Files: \nTotal Duration=Length: \n");
    UseLanguage("English");
    auto window = Open();
    AddRow(*window, true, 10, 70);
    AddRow(*window, false, 0, 5000);
    AddRow(*window, true, 3600, 7265);
    window->RefreshTotals();
    EXPECT_EQ(Find<QLabel>(window.get(), "statusLine")->text().toStdString(), "Files: 2      Length: 01:02:05");

    window->findChild<QTreeWidget*>("sourceList")->topLevelItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(Find<QLabel>(window.get(), "statusLine")->text().toStdString(), "Files: 3      Length: 02:25:25")
        << "ticking a row refreshes the totals";
}

TEST_F(MainWindow, JoinerEditionJoins)
{
    app::Application().product.applicationName = "Diziv Udozir Pro";
    auto window = Open();
    EXPECT_TRUE(window->JoinerMode());
    auto* convert = Find<QToolButton>(window.get(), "convertButton");
    EXPECT_EQ(convert->text().toStdString(), lang::Text("MainDialog", "Join"));
    EXPECT_EQ(convert->toolTip().toStdString(), lang::Text("MainDialog", "Join Tip"));
}

TEST_F(MainWindow, TextsAndAccessibleNames)
{
    auto window = Open();
    EXPECT_EQ(window->windowTitle(), "Test Converter");
    ExpectAllNamed(window.get());
    auto* remove = Find<QToolButton>(window.get(), "sideRemoveButton");
    EXPECT_EQ(remove->accessibleName().toStdString(), lang::Text("MainDialog", "Remove Tip"));
    auto* list = window->findChild<QTreeWidget*>("sourceList");
    EXPECT_EQ(list->headerItem()->text(4).toStdString(), lang::Text("MainDialog", "Status"));

    UseLanguage("German");
    window->ApplyTexts();
    EXPECT_EQ(Find<QToolButton>(window.get(), "addFilesButton")->text().toStdString(),
              lang::Text("MainDialog", "Add Files"));
    EXPECT_EQ(list->headerItem()->text(0).toStdString(), lang::Text("MainDialog", "Source Video"));
    EXPECT_EQ(Find<QLabel>(window.get(), "outputFolderLabel")->text().toStdString(),
              lang::Text("MainDialog", "Output Folder"));
}

TEST_F(MainWindow, HelpHomeAndOpenFolder)
{
    auto window = Open();
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_TRUE(desktop_.opened.empty()) << "a missing help file shows nothing";

    folder_.Write("prog/Help/Overview/Overview.htm", "<html></html>");
    QTest::keyClick(window.get(), Qt::Key_F1);
    QTest::mouseClick(Find<QToolButton>(window.get(), "homeButton"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(window.get(), "openFolderButton"), Qt::LeftButton);
    ASSERT_EQ(desktop_.opened.size(), 3u);
    EXPECT_EQ(desktop_.opened[0], QUrl::fromLocalFile(QString::fromStdString(Program() + "Help/Overview/Overview.htm")));
    EXPECT_EQ(desktop_.opened[1], QUrl(QString::fromStdString(app::Application().product.webSite)));
    EXPECT_EQ(desktop_.opened[2], QUrl::fromLocalFile(window->OutputFolder()));
}

TEST_F(MainWindow, AboutOpensFromItsButton)
{
    auto window = Open();
    QString title;
    OnNextModal([&title](QWidget* dialog) {
        title = dialog->windowTitle();
        dialog->close();
    });
    QTest::mouseClick(Find<QToolButton>(window.get(), "aboutButton"), Qt::LeftButton);
    EXPECT_TRUE(title.endsWith(QString::fromStdString(app::Application().product.applicationName)));
}

}  // namespace
