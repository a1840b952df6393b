#include "MainMenu.h"

#include "UiText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>


namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";

}  // namespace

const std::vector<MenuBarMenu>& MenuBarMenus()
{
    using enum MenuBarItem::Scope;
    static const std::vector<MenuBarMenu> menus = {
        {"fileMenu",
         "Menu File",
         {{{Command::AddFiles, "Menu Add Files", QKeySequence(Qt::CTRL | Qt::Key_O), kWindow},
           {Command::AddFolder, "Menu Add Folder", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), kWindow}},
          {{Command::Remove, "Menu Remove", QKeySequence(Qt::Key_Delete), kList},
           {Command::RemoveAll, "Menu Remove All", {}, kWindow}},
          {{Command::Exit, "Menu Exit", QKeySequence(Qt::CTRL | Qt::Key_Q), kWindow}}}},
        {"editMenu",
         "Menu Edit",
         {{{Command::CheckAll, "Menu Check All", {}, kWindow}, {Command::UncheckAll, "Menu Uncheck All", {}, kWindow}},
          {{Command::MoveUp, "Menu Move Up", QKeySequence(Qt::CTRL | Qt::Key_Up), kList},
           {Command::MoveDown, "Menu Move Down", QKeySequence(Qt::CTRL | Qt::Key_Down), kList}},
          {{Command::SplitVideo, "Menu Trim", QKeySequence(Qt::CTRL | Qt::Key_S), kList},
           {Command::Subtitle, "Menu Subtitle", QKeySequence(Qt::CTRL | Qt::Key_T), kList},
           {Command::Properties, "Menu Properties", {}, kWindow}}}},
        {"helpMenu",
         "Menu Help",
         {{{Command::Help, "Menu Guide", QKeySequence(Qt::Key_F1), kWindow}},
          {{Command::About, "Menu About", {}, kWindow}}}},
    };
    return menus;
}

MainMenu::MainMenu(QMenuBar* bar, QWidget* list, const std::function<void(Command)>& run, bool subtitles) : QObject(bar)
{
    for (const MenuBarMenu& spec : MenuBarMenus()) {
        QMenu* menu = bar->addMenu(QString());
        menu->setObjectName(spec.objectName);
        menus_.push_back(menu);
        for (const std::vector<MenuBarItem>& group : spec.groups) {
            if (!menu->isEmpty())
                menu->addSeparator();
            for (const MenuBarItem& item : group) {
                auto* action = new QAction(menu);
                action->setShortcut(item.shortcut);
                if (item.scope == MenuBarItem::kList) {
                    action->setShortcutContext(Qt::WidgetShortcut);
                    list->addAction(action);
                }
                if (item.command != Command::Subtitle || subtitles)
                    menu->addAction(action);
                connect(action, &QAction::triggered, this, [run, command = item.command] { run(command); });
                actions_[item.command] = action;
            }
        }
    }
}

void MainMenu::ApplyTexts()
{
    for (std::size_t i = 0; i < MenuBarMenus().size(); ++i) {
        const MenuBarMenu& spec = MenuBarMenus()[i];
        menus_[i]->setTitle(Tr(kSection, spec.key));
        for (const std::vector<MenuBarItem>& group : spec.groups)
            for (const MenuBarItem& item : group)
                actions_.at(item.command)->setText(Tr(kSection, item.key));
    }
}

void MainMenu::SetGreyed(const std::vector<Command>& greyed)
{
    for (const auto& [command, action] : actions_)
        action->setEnabled(!IsGreyed(greyed, command));
}

}  // namespace ui
