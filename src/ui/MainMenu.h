#pragma once
// The main window's menu bar: File, Edit and Help, each item running a
// window command, with the usual shortcuts.
#include "MainCommands.h"

#include <QKeySequence>
#include <QObject>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace ui {

struct MenuBarItem {
    Command command;
    const char* key;  // language key of section MainDialog
    QKeySequence shortcut;
    // List shortcuts work only while the source list has the focus: keys
    // such as Delete or Ctrl+Up belong to the other controls elsewhere.
    enum Scope { kWindow, kList } scope;
};

struct MenuBarMenu {
    const char* objectName;
    const char* key;
    std::vector<std::vector<MenuBarItem>> groups;  // separated by lines
};

// The menus in their order, each with its item groups in order.
const std::vector<MenuBarMenu>& MenuBarMenus();

class MainMenu : public QObject {
    Q_OBJECT
public:
    // Fills bar with menus whose items hand their command to run; bar owns
    // the object. The list takes the list shortcuts; subtitles false leaves
    // Subtitle out of the menu, while its shortcut still works in the list.
    MainMenu(QMenuBar* bar, QWidget* list, const std::function<void(Command)>& run, bool subtitles);

    void ApplyTexts();
    // Disables the items of the greyed commands and enables all others.
    void SetGreyed(const std::vector<Command>& greyed);

private:
    std::vector<QMenu*> menus_;  // parallel to MenuBarMenus()
    std::map<Command, QAction*> actions_;
};

}  // namespace ui
