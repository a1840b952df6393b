#include "WidgetTest.h"

#include "lang/IniTextFile.h"
#include "ui/HelpWindow.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTextBrowser>
#include <QToolButton>

#include <map>

using namespace widget_test;
using ui::Command;

namespace {

class MainWindow : public WidgetTest {
protected:
    // Adds a row with its check state and trim range.
    static void AddRow(ui::MainDialog& window, bool ticked, int start, int end)
    {
        engine::SourceItem item = Clip("/videos/clip.avi", end);
        item.trimStart = start;
        window.AppendSource(item);
        window.SetTicked(window.SourceCount() - 1, ticked);
    }

    // Clicks the tick box of a row as the user does.
    static void ClickTickBox(ui::MainDialog& window, int row)
    {
        QTreeView* list = ListView(&window);
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.rect = list->visualRect(list->model()->index(row, 0));
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
    }

    // Opens the list's context menu and returns its items with their enabled
    // state; empty when no menu opens.
    static std::map<std::string, bool> ContextMenu(ui::MainDialog& window)
    {
        std::map<std::string, bool> items;
        QTimer::singleShot(0, [&items] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    if (!action->isSeparator())
                        items[action->text().toStdString()] = action->isEnabled();
                menu->close();
            }
        });
        Q_EMIT ListView(&window)->customContextMenuRequested(QPoint(10, 10));
        QApplication::processEvents();
        return items;
    }
};

TEST_F(MainWindow, BusyGuardRefusesEveryGuardedCommand)
{
    const Command guarded[] = {Command::AddFiles,   Command::Remove,   Command::RemoveAll, Command::MoveUp,
                               Command::MoveDown,   Command::CheckAll, Command::UncheckAll, Command::AddFolder,
                               Command::SplitVideo, Command::Subtitle, Command::Convert,    Command::Settings,
                               Command::Exit,       Command::DropFiles};
    auto window = OpenMainWindow();
    int ran = 0;
    for (Command command : guarded)
        window->SetCommandHandler(command, [&ran] { ++ran; });
    window->SetBusy(true);
    for (Command command : guarded)
        window->RunCommand(command);
    EXPECT_EQ(ran, 0);
    ASSERT_EQ(dialogs_.shown.size(), std::size(guarded));
    for (const auto& shown : dialogs_.shown) {
        EXPECT_EQ(shown.text, lang::Text("MainDialog", "Not allow operation"));
        EXPECT_EQ(shown.caption, "Test Converter");
    }

    window->SetBusy(false);
    for (Command command : guarded)
        window->RunCommand(command);
    EXPECT_EQ(ran, static_cast<int>(std::size(guarded)));
}

TEST_F(MainWindow, ButtonsRunTheirCommands)
{
    auto window = OpenMainWindow();
    AddRow(*window, true, 0, 10);
    AddRow(*window, true, 0, 10);
    SelectRows(window.get(), {1});
    std::vector<Command> ran;
    for (Command command : {Command::AddFiles, Command::RemoveAll, Command::MoveUp, Command::Convert})
        window->SetCommandHandler(command, [&ran, command] { ran.push_back(command); });
    for (const char* name : {"addFilesButton", "sideAddFilesButton", "removeAllButton", "moveUpButton", "convertButton"})
        QTest::mouseClick(Find<QToolButton>(window.get(), name), Qt::LeftButton);
    EXPECT_EQ(ran, (std::vector<Command>{Command::AddFiles, Command::AddFiles, Command::RemoveAll, Command::MoveUp,
                                         Command::Convert}));
    QTest::mouseClick(Find<QToolButton>(window.get(), "exitButton"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

// Which items are greyed is a table of its own (UiRulesTest); here the menu
// must follow it, drop Subtitle in the edition without subtitles and stay
// shut while busy.
TEST_F(MainWindow, ContextMenu)
{
    auto window = OpenMainWindow();
    auto text = [](const char* key) { return lang::Text("MainDialog", key); };
    for (int row = 0; row < 3; ++row)
        AddRow(*window, true, 0, 10);
    SelectRows(window.get(), {0});
    std::map<std::string, bool> menu = ContextMenu(*window);
    ASSERT_EQ(menu.size(), 12u);
    for (const auto& [item, enabled] : menu)
        EXPECT_EQ(enabled, item != text("Move Up") && item != text("Show Log..."))
            << item << " with the top row selected, which has no log yet";

    window->SetBusy(true);
    EXPECT_TRUE(ContextMenu(*window).empty()) << "no context menu while busy";

    app::Application().product.subtitleEdition = false;
    auto plain = OpenMainWindow();
    EXPECT_FALSE(Find<QToolButton>(plain.get(), "subtitleButton")->isVisible());
    menu = ContextMenu(*plain);
    EXPECT_EQ(menu.size(), 11u);
    EXPECT_EQ(menu.count(text("Subtitle...")), 0u);
}

TEST_F(MainWindow, TotalsCountTickedRowsWithTrimmedLength)
{
    folder_.Write("prog/Languages/English.ini",
                  "[MainDialog]\nTotal Files Number=Files: \nTotal Duration=Length: \n");
    UseLanguage("English");
    auto window = OpenMainWindow();
    AddRow(*window, true, 10, 70);
    AddRow(*window, false, 0, 5000);
    AddRow(*window, true, 3600, 7265);
    window->RefreshTotals();
    auto* status = Find<QLabel>(window.get(), "statusLine");
    EXPECT_EQ(status->text().toStdString(), "Files: 2      Length: 01:02:05");

    ClickTickBox(*window, 1);
    EXPECT_TRUE(window->IsTicked(1));
    EXPECT_EQ(status->text().toStdString(), "Files: 3      Length: 02:25:25") << "ticking a row refreshes the totals";
    ClickTickBox(*window, 0);
    EXPECT_EQ(status->text().toStdString(), "Files: 2      Length: 02:24:25") << "unticking one does too";
    window->RunCommand(Command::UncheckAll);
    EXPECT_EQ(status->text().toStdString(), "Files: 0      Length: 00:00:00");

    engine::ProgressView shown;
    shown.stageLine = "Converting video: 25.00%";
    window->ShowProgress(shown);
    window->SetRowStatus(0, "  25.00%");
    EXPECT_EQ(status->text().toStdString(), "Converting video: 25.00%") << "a row's status leaves the stage line";
}

// Switching the language is followed through the settings dialog
// (FormatControlsTest).
TEST_F(MainWindow, TextsEditionsAndAccessibleNames)
{
    auto window = OpenMainWindow();
    EXPECT_EQ(window->windowTitle(), "Test Converter");
    ExpectAllNamed(window.get());

    app::Application().product.applicationName = "Diziv Udozir Pro";
    auto joiner = OpenMainWindow();
    EXPECT_TRUE(joiner->JoinerMode());
    auto* convert = Find<QToolButton>(joiner.get(), "convertButton");
    EXPECT_EQ(convert->text().toStdString(), lang::Text("MainDialog", "Join"));
    EXPECT_EQ(convert->toolTip().toStdString(), lang::Text("MainDialog", "Join Tip"));
}

TEST_F(MainWindow, HelpOpensOnlyAnInstalledFile)
{
    auto window = OpenMainWindow();
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_TRUE(desktop_.opened.empty()) << "a missing help file shows nothing";

    folder_.Write("prog/Help/Overview/Overview.htm", "<html></html>");
    QTest::keyClick(window.get(), Qt::Key_F1);
    QTest::mouseClick(Find<QPushButton>(window.get(), "openFolderButton"), Qt::LeftButton);
    ASSERT_EQ(desktop_.opened.size(), 2u);
    EXPECT_EQ(desktop_.opened[0], QUrl::fromLocalFile(QString::fromStdString(Program() + "Help/Overview/Overview.htm")));
    EXPECT_EQ(desktop_.opened[1], QUrl::fromLocalFile(window->OutputFolder()));
    EXPECT_EQ(window->findChild<ui::HelpWindow*>(), nullptr) << "the browser showed it";
}

TEST_F(MainWindow, WithoutABrowserTheGuideOpensInTheProgramsOwnWindow)
{
    const std::string page = Program() + "Help/Overview/Overview.htm";
    folder_.Write("prog/Help/Overview/Overview.htm",
                  "<html><head><title>Guide</title></head><body><p>First page.</p>"
                  "<a href=\"Second.htm\">next</a></body></html>");
    folder_.Write("prog/Help/Overview/Second.htm", "<html><body><p>Second page.</p></body></html>");
    desktop_.hasPrograms = false;
    auto window = OpenMainWindow();
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(desktop_.opened, std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(page))})
        << "the desktop is asked first";
    auto* help = window->findChild<ui::HelpWindow*>("helpWindow");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "Guide");
    auto* browser = Find<QTextBrowser>(help, "helpBrowser");
    EXPECT_TRUE(browser->toPlainText().contains("First page."));

    // A link of the page, chosen with the keyboard, opens in the same window.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_TRUE(browser->toPlainText().contains("Second page.")) << browser->toPlainText().toStdString();

    help->close();
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(window->findChildren<ui::HelpWindow*>().size(), 1) << "the one help window shows the guide again";
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(browser->toPlainText().contains("First page."));
}

}  // namespace
