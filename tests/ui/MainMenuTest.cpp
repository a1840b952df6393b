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

#include <algorithm>
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

// Each item runs its command, and so does its shortcut, once although the
// list sees its keys first; the list's keys belong to the other controls
// while they have the focus.
TEST_F(MenuWindow, EveryCommandRunsFromItsItemAndShortcut)
{
    const struct {
        const char* menu;
        const char* item;
        QKeySequence shortcut;
        Command command;
        bool inListOnly;
    } items[] = {
        {"fileMenu", "Menu Add Files", QKeySequence("Ctrl+O"), Command::AddFiles, false},
        {"fileMenu", "Menu Add Folder", QKeySequence("Ctrl+Shift+O"), Command::AddFolder, false},
        {"fileMenu", "Menu Remove", QKeySequence("Del"), Command::Remove, true},
        {"fileMenu", "Menu Remove All", {}, Command::RemoveAll, false},
        {"fileMenu", "Menu Exit", QKeySequence("Ctrl+Q"), Command::Exit, false},
        {"editMenu", "Menu Check All", {}, Command::CheckAll, false},
        {"editMenu", "Menu Uncheck All", {}, Command::UncheckAll, false},
        {"editMenu", "Menu Move Up", QKeySequence("Ctrl+Up"), Command::MoveUp, true},
        {"editMenu", "Menu Move Down", QKeySequence("Ctrl+Down"), Command::MoveDown, true},
        {"editMenu", "Menu Trim", QKeySequence("Ctrl+S"), Command::SplitVideo, true},
        {"editMenu", "Menu Subtitle", QKeySequence("Ctrl+T"), Command::Subtitle, true},
        {"editMenu", "Menu Properties", {}, Command::Properties, false},
        {"helpMenu", "Menu Guide", QKeySequence("F1"), Command::Help, false},
        {"helpMenu", "Menu About", {}, Command::About, false},
    };
    auto window = OpenMainWindow();
    AddRows(*window, 3);
    SelectRows(window.get(), {1});
    std::vector<Command> ran;
    std::map<std::string, int> itemCount;
    for (const auto& item : items) {
        window->SetCommandHandler(item.command, [&ran, command = item.command] { ran.push_back(command); });
        ++itemCount[item.menu];
    }
    auto* folderEdit = Find<QLineEdit>(window.get(), "outputFolderEdit");
    for (const auto& item : items) {
        QAction* action = MenuItem(window.get(), item.menu, item.item);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->shortcut(), item.shortcut) << item.item;
        ran.clear();
        action->trigger();
        for (QWidget* focus : {static_cast<QWidget*>(ListView(window.get())), static_cast<QWidget*>(folderEdit)}) {
            focus->setFocus();
            if (!item.shortcut.isEmpty()) {
                QTest::keySequence(focus, item.shortcut);
            }
        }
        const std::size_t runs = item.shortcut.isEmpty() ? 1 : item.inListOnly ? 2 : 3;
        EXPECT_EQ(ran, std::vector<Command>(runs, item.command)) << item.item << ": the item, then its key "
                                                                 << "in the list and in the folder edit";
    }

    QMenuBar* bar = window->menuBar();
    ASSERT_EQ(bar->actions().size(), 3);
    for (QAction* title : bar->actions()) {
        const std::string menu = title->menu()->objectName().toStdString();
        const auto actions = title->menu()->actions();
        EXPECT_EQ(std::count_if(actions.begin(), actions.end(), [](QAction* a) { return !a->isSeparator(); }),
                  itemCount[menu])
            << menu;
    }
    EXPECT_EQ(window->centralWidget()->height(), 660) << "the menu bar takes no room from the controls";

    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    EXPECT_EQ(popup, Find<QMenu>(window.get(), "editMenu")) << "Alt+E opens Edit";
    if (popup) {
        QTest::keyClick(popup, Qt::Key_Escape);
    }
    UseLanguage("German");
    window->ApplyTexts();
    EXPECT_EQ(bar->actions()[0]->text().toStdString(), lang::Text("MainDialog", "Menu File"));
    UseLanguage("English");

    app::Application().product.subtitleEdition = false;
    auto plain = OpenMainWindow();
    for (QAction* action : Find<QMenu>(plain.get(), "editMenu")->actions()) {
        EXPECT_NE(action->text().toStdString(), lang::Text("MainDialog", "Menu Subtitle"))
            << "no Subtitle in the edition without subtitles";
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
