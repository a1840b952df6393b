// The menu bar, which list commands are enabled, the context menu opened
// from the keyboard and the Source Video column, through the real window.
#include "WidgetTest.h"

#include "lang/IniTextFile.h"
#include "ui/SourceListModel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QToolButton>

#include <map>
#include <set>

using namespace widget_test;
using ui::Command;

namespace {

// A list command with its side and toolbar buttons and its menu item.
struct ListCommand {
    Command command;
    std::vector<const char*> buttons;
    const char* menu;
    const char* item;
};

const std::vector<ListCommand>& ListCommands()
{
    static const std::vector<ListCommand> commands = {
        {Command::AddFiles, {"addFilesButton", "sideAddFilesButton"}, "fileMenu", "Menu Add Files"},
        {Command::AddFolder, {}, "fileMenu", "Menu Add Folder"},
        {Command::Remove, {"removeButton", "sideRemoveButton"}, "fileMenu", "Menu Remove"},
        {Command::RemoveAll, {"removeAllButton"}, "fileMenu", "Menu Remove All"},
        {Command::CheckAll, {}, "editMenu", "Menu Check All"},
        {Command::UncheckAll, {}, "editMenu", "Menu Uncheck All"},
        {Command::MoveUp, {"moveUpButton"}, "editMenu", "Menu Move Up"},
        {Command::MoveDown, {"moveDownButton"}, "editMenu", "Menu Move Down"},
        {Command::SplitVideo, {"splitVideoButton"}, "editMenu", "Menu Trim"},
        {Command::Subtitle, {"subtitleButton"}, "editMenu", "Menu Subtitle"},
        {Command::Properties, {}, "editMenu", "Menu Properties"},
    };
    return commands;
}

class MenuWindow : public WidgetTest {
protected:
    // The item of a menu with the text of the language key.
    static QAction* MenuItem(QWidget* window, const char* menu, const char* key)
    {
        for (QAction* action : Find<QMenu>(window, menu)->actions())
            if (action->text().toStdString() == lang::Text("MainDialog", key))
                return action;
        ADD_FAILURE() << "no item " << key << " in " << menu;
        return nullptr;
    }

    static void AddRows(ui::MainDialog& window, int count)
    {
        for (int i = 0; i < count; ++i)
            window.AppendSource(Clip("/videos/row" + std::to_string(window.SourceCount()) + ".avi"));
    }

    // The list commands whose buttons and menu item are enabled; each
    // command's controls must agree.
    static std::set<Command> Enabled(QWidget* window)
    {
        std::set<Command> enabled;
        for (const ListCommand& command : ListCommands()) {
            QAction* item = MenuItem(window, command.menu, command.item);
            if (!item) {
                continue;
            }
            for (const char* name : command.buttons) {
                EXPECT_EQ(Find<QToolButton>(window, name)->isEnabled(), item->isEnabled())
                    << name << " and " << command.item << " disagree";
            }
            if (item->isEnabled()) {
                enabled.insert(command.command);
            }
        }
        return enabled;
    }

    // Where the next context menu opens; a null point when none opens.
    static QPoint ContextMenuPosition(const std::function<void()>& open)
    {
        QPoint position;
        QTimer::singleShot(0, [&position] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                position = menu->pos();
                menu->close();
            }
        });
        open();
        QApplication::processEvents();
        return position;
    }
};

TEST_F(MenuWindow, MenuBarHoldsEveryCommandWithItsShortcut)
{
    const struct {
        const char* menu;
        const char* item;
        const char* shortcut;
        Command command;
    } items[] = {
        {"fileMenu", "Menu Add Files", "Ctrl+O", Command::AddFiles},
        {"fileMenu", "Menu Add Folder", "Ctrl+Shift+O", Command::AddFolder},
        {"fileMenu", "Menu Remove", "Del", Command::Remove},
        {"fileMenu", "Menu Remove All", "", Command::RemoveAll},
        {"fileMenu", "Menu Exit", "Ctrl+Q", Command::Exit},
        {"editMenu", "Menu Check All", "", Command::CheckAll},
        {"editMenu", "Menu Uncheck All", "", Command::UncheckAll},
        {"editMenu", "Menu Move Up", "Ctrl+Up", Command::MoveUp},
        {"editMenu", "Menu Move Down", "Ctrl+Down", Command::MoveDown},
        {"editMenu", "Menu Trim", "Ctrl+S", Command::SplitVideo},
        {"editMenu", "Menu Subtitle", "Ctrl+T", Command::Subtitle},
        {"editMenu", "Menu Properties", "", Command::Properties},
        {"helpMenu", "Menu Guide", "F1", Command::Help},
        {"helpMenu", "Menu About", "", Command::About},
    };
    auto window = OpenMainWindow();
    AddRows(*window, 3);
    SelectRows(window.get(), {1});
    std::vector<Command> ran;
    std::vector<Command> expected;
    std::map<std::string, int> itemCount;
    for (const auto& item : items) {
        window->SetCommandHandler(item.command, [&ran, command = item.command] { ran.push_back(command); });
        expected.push_back(item.command);
        ++itemCount[item.menu];
    }
    for (const auto& item : items) {
        QAction* action = MenuItem(window.get(), item.menu, item.item);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->shortcut(), QKeySequence(item.shortcut)) << item.item;
        EXPECT_TRUE(action->isEnabled()) << item.item << " with the middle row selected";
        action->trigger();
    }
    EXPECT_EQ(ran, expected);

    QMenuBar* bar = window->menuBar();
    ASSERT_EQ(bar->actions().size(), 3);
    const char* titles[] = {"Menu File", "Menu Edit", "Menu Help"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bar->actions()[i]->text().toStdString(), lang::Text("MainDialog", titles[i]));
        QMenu* menu = bar->actions()[i]->menu();
        int count = 0;
        for (QAction* action : menu->actions()) {
            count += action->isSeparator() ? 0 : 1;
        }
        EXPECT_EQ(count, itemCount[menu->objectName().toStdString()]) << menu->objectName().toStdString();
    }
    EXPECT_EQ(window->centralWidget()->height(), 660) << "the menu bar takes no room from the controls";

    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    EXPECT_EQ(popup, Find<QMenu>(window.get(), "editMenu")) << "Alt+E opens Edit";
    if (popup) {
        QTest::keyClick(popup, Qt::Key_Escape);
    }
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    UseLanguage("German");
    window->ApplyTexts();
    EXPECT_EQ(bar->actions()[0]->text().toStdString(), lang::Text("MainDialog", "Menu File"));
    EXPECT_EQ(MenuItem(window.get(), "editMenu", "Menu Trim")->shortcut(), QKeySequence("Ctrl+S"));
    UseLanguage("English");

    app::Application().product.subtitleEdition = false;
    auto plain = OpenMainWindow();
    for (QAction* action : Find<QMenu>(plain.get(), "editMenu")->actions()) {
        EXPECT_NE(action->text().toStdString(), lang::Text("MainDialog", "Menu Subtitle"))
            << "no Subtitle in the edition without subtitles";
    }
}

// Each key runs its command once, although the list sees its keys first;
// the list's keys belong to the other controls while they have the focus.
TEST_F(MenuWindow, ShortcutsRunOnceAndOnlyWhereTheyBelong)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Command command;
        bool inList;
    } keys[] = {
        {Qt::Key_Delete, Qt::NoModifier, Command::Remove, true},
        {Qt::Key_Up, Qt::ControlModifier, Command::MoveUp, true},
        {Qt::Key_Down, Qt::ControlModifier, Command::MoveDown, true},
        {Qt::Key_S, Qt::ControlModifier, Command::SplitVideo, true},
        {Qt::Key_T, Qt::ControlModifier, Command::Subtitle, true},
        {Qt::Key_O, Qt::ControlModifier, Command::AddFiles, false},
        {Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier, Command::AddFolder, false},
        {Qt::Key_F1, Qt::NoModifier, Command::Help, false},
        {Qt::Key_Q, Qt::ControlModifier, Command::Exit, false},
    };
    auto window = OpenMainWindow();
    AddRows(*window, 3);
    SelectRows(window.get(), {1});
    std::vector<Command> ran;
    for (const auto& key : keys) {
        window->SetCommandHandler(key.command, [&ran, command = key.command] { ran.push_back(command); });
    }
    auto* folderEdit = Find<QLineEdit>(window.get(), "outputFolderEdit");
    for (QWidget* focus : {static_cast<QWidget*>(ListView(window.get())), static_cast<QWidget*>(folderEdit)}) {
        focus->setFocus();
        for (const auto& key : keys) {
            ran.clear();
            QTest::keyClick(focus, key.key, key.modifiers);
            const bool runs = key.inList ? focus != folderEdit : true;
            EXPECT_EQ(ran, runs ? std::vector<Command>{key.command} : std::vector<Command>{})
                << QKeySequence(key.key | key.modifiers).toString().toStdString() << " in "
                << focus->objectName().toStdString();
        }
    }
}

TEST_F(MenuWindow, ListCommandsAreEnabledForTheRowsAndSelection)
{
    using C = Command;
    const std::set<Command> adding = {C::AddFiles, C::AddFolder};
    const std::set<Command> allRows = {C::AddFiles, C::AddFolder, C::RemoveAll, C::CheckAll, C::UncheckAll};
    const std::set<Command> oneRow = {C::AddFiles, C::AddFolder,  C::RemoveAll, C::CheckAll,  C::UncheckAll,
                                      C::Remove,   C::SplitVideo, C::Subtitle,  C::Properties};
    auto with = [](std::set<Command> commands, std::initializer_list<Command> more) {
        commands.insert(more);
        return commands;
    };
    const struct {
        int rows;
        std::vector<int> selected;
        std::set<Command> enabled;
    } cases[] = {
        {0, {}, adding},
        {3, {}, allRows},
        {1, {0}, oneRow},
        {3, {0}, with(oneRow, {C::MoveDown})},
        {3, {2}, with(oneRow, {C::MoveUp})},
        {3, {1}, with(oneRow, {C::MoveUp, C::MoveDown})},
        {3, {0, 2}, with(allRows, {C::Remove})},
    };
    for (const auto& c : cases) {
        auto window = OpenMainWindow();
        AddRows(*window, c.rows);
        SelectRows(window.get(), c.selected);
        EXPECT_EQ(Enabled(window.get()), c.enabled) << c.rows << " rows, " << c.selected.size() << " selected";
    }

    // The states follow every change of the rows.
    auto window = OpenMainWindow();
    AddRows(*window, 2);
    EXPECT_EQ(Enabled(window.get()), allRows);
    SelectRows(window.get(), {1});
    window->RunCommand(Command::MoveUp);
    EXPECT_EQ(Enabled(window.get()), with(oneRow, {C::MoveDown})) << "the moved row is now at the top";
    window->RunCommand(Command::Remove);
    EXPECT_EQ(Enabled(window.get()), oneRow) << "the remaining row took the place";
    dialogs_.Answer(true);
    window->RunCommand(Command::RemoveAll);
    EXPECT_EQ(Enabled(window.get()), adding);

    // While busy the commands stay enabled and refuse.
    AddRows(*window, 1);
    SelectRows(window.get(), {0});
    window->SetBusy(true);
    EXPECT_EQ(Enabled(window.get()), oneRow);
    QTest::mouseClick(Find<QToolButton>(window.get(), "removeButton"), Qt::LeftButton);
    EXPECT_EQ(window->SourceCount(), 1);
    ASSERT_FALSE(dialogs_.shown.empty());
    EXPECT_EQ(dialogs_.shown.back().text, lang::Text("MainDialog", "Not allow operation"));
}

// The Menu key arrives as a context-menu request from the keyboard,
// Shift+F10 as a key; a right click opens the menu at the pointer.
TEST_F(MenuWindow, ContextMenuFromTheKeyboardOpensAtTheCurrentRow)
{
    auto window = OpenMainWindow();
    AddRows(*window, 40);
    QTreeView* list = ListView(window.get());
    list->setFocus();
    list->scrollToBottom();
    list->setCurrentIndex(list->model()->index(2, 0));
    auto rowPosition = [list](int row) {
        return list->viewport()->mapToGlobal(list->visualRect(list->model()->index(row, 0)).bottomLeft());
    };

    const QPoint atShiftF10 = ContextMenuPosition([list] { QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier); });
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(list->model()->index(2, 0)).center()))
        << "the current row was scrolled into view";
    EXPECT_EQ(atShiftF10, rowPosition(2));

    list->setCurrentIndex(list->model()->index(4, 3));
    const QPoint atMenuKey = ContextMenuPosition([list] {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
        QApplication::sendEvent(list, &request);
    });
    EXPECT_EQ(atMenuKey, rowPosition(4));

    const QPoint atClick = ContextMenuPosition([list] { Q_EMIT list->customContextMenuRequested(QPoint(120, 30)); });
    EXPECT_EQ(atClick, list->viewport()->mapToGlobal(QPoint(120, 30)));
}

// Records the text each Source Video cell is painted with.
class PaintedTexts : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
        if (element == CE_ItemViewItem && item && item->index.column() == ui::SourceListModel::kPathColumn) {
            texts[item->index.row()] = item->text;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    mutable std::map<int, QString> texts;
};

TEST_F(MenuWindow, SourceVideoColumnKeepsTheFileNameAndTipsTheWholePath)
{
    QString deep = "/home/user";
    for (int level = 0; level < 30; ++level) {
        deep += "/folder" + QString::number(level);
    }
    deep += "/Camera/holiday_clip.mp4";
    PaintedTexts painted;
    auto window = OpenMainWindow();
    window->AppendSource(Clip(deep.toStdString()));
    window->AppendSource(Clip("/videos/short.avi"));
    QTreeView* list = ListView(window.get());
    list->setStyle(&painted);
    const QModelIndex cell = list->model()->index(0, 0);

    auto paintedAtWidth = [&](int width) {
        list->header()->setSectionResizeMode(0, QHeaderView::Interactive);
        list->setColumnWidth(0, width);
        painted.texts.clear();
        list->viewport()->grab();
        return painted.texts;
    };
    std::map<int, QString> texts = paintedAtWidth(420);
    EXPECT_EQ(texts[1], "/videos/short.avi") << "a path that fits is shown whole";
    EXPECT_TRUE(texts[0].startsWith("/home/")) << texts[0].toStdString();
    EXPECT_TRUE(texts[0].endsWith("/Camera/holiday_clip.mp4")) << texts[0].toStdString();
    EXPECT_TRUE(texts[0].contains(QChar(0x2026))) << texts[0].toStdString();
    EXPECT_LE(list->fontMetrics().horizontalAdvance(texts[0]), list->visualRect(cell).width());

    texts = paintedAtWidth(list->fontMetrics().horizontalAdvance("holiday_clip.mp4") + 40);
    EXPECT_EQ(texts[0], "holiday_clip.mp4") << "a narrow column shows the name alone";

    for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole), int(Qt::AccessibleDescriptionRole)}) {
        EXPECT_EQ(cell.data(role).toString(), deep) << "role " << role;
    }
    window->SetRowReason(0, "cannot open: Invalid data");
    EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), deep + "\ncannot open: Invalid data");
    window.reset();
}

}  // namespace
