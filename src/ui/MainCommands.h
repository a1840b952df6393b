#pragma once
// The main window's commands, numbered by the control that starts them
// (menu-only commands by their menu item), and the rules that decide which
// of them the list's context menu offers.
#include <vector>

namespace ui {

enum class Command {
    AddFiles = 1000,
    Remove = 1001,
    Convert = 1002,
    ChangeFolder = 1005,
    About = 1010,
    Home = 1011,
    Help = 1012,
    Exit = 1013,
    Stop = 1018,
    RemoveAll = 1078,
    SplitVideo = 1079,
    MoveUp = 1080,
    MoveDown = 1081,
    Subtitle = 1084,
    OpenFolder = 1086,
    Settings = 1087,
    Advanced = 1088,
    CheckAll = 32774,
    UncheckAll = 32775,
    AddFolder = 32781,
    Properties = 32782,
    ShowLog = 32783,
    DropFiles = 0x233,  // files dropped on the window; no control of its own
};

// Commands that edit the list or start work: refused while a run is busy.
bool IsGuarded(Command command);

// The context menu in its order, with the language key of each item.
struct MenuItem {
    Command command;
    const char* key;
};
const std::vector<MenuItem>& ContextMenuItems();

// The menu commands to grey for a list of rowCount rows with the given
// selected rows (ascending).
std::vector<Command> GreyedMenuCommands(int rowCount, const std::vector<int>& selectedRows);
// Whether command is among greyed.
bool IsGreyed(const std::vector<Command>& greyed, Command command);

}  // namespace ui
