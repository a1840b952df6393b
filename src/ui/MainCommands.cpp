#include "MainCommands.h"

#include <algorithm>

namespace ui {

bool IsGuarded(Command command)
{
    switch (command) {
    case Command::Properties:
    case Command::ShowLog:
    case Command::Stop:
    case Command::About:
    case Command::Home:
    case Command::Help:
    case Command::ChangeFolder:
    case Command::OpenFolder:
    case Command::Advanced:
        return false;
    default:
        return true;
    }
}

const std::vector<MenuItem>& ContextMenuItems()
{
    static const std::vector<MenuItem> items = {
        {Command::AddFiles, "Add Files..."},     {Command::AddFolder, "Add Folder..."},
        {Command::Remove, "Remove"},             {Command::RemoveAll, "Remove All"},
        {Command::MoveUp, "Move Up"},            {Command::MoveDown, "Move Down"},
        {Command::SplitVideo, "Split Video..."}, {Command::Subtitle, "Subtitle..."},
        {Command::Properties, "Properties..."},  {Command::ShowLog, "Show Log..."},
        {Command::CheckAll, "Check All"},
        {Command::UncheckAll, "Uncheck All"},
    };
    return items;
}

std::vector<Command> GreyedMenuCommands(int rowCount, const std::vector<int>& selectedRows)
{
    std::vector<Command> greyed;
    if (selectedRows.empty()) {
        greyed = {Command::Remove,     Command::SplitVideo, Command::Subtitle,
                  Command::Properties, Command::MoveUp,     Command::MoveDown};
    } else {
        if (selectedRows.back() == rowCount - 1)
            greyed.push_back(Command::MoveDown);
        if (selectedRows.front() == 0)
            greyed.push_back(Command::MoveUp);
        if (selectedRows.size() > 1)
            greyed.insert(greyed.end(), {Command::SplitVideo, Command::Subtitle, Command::Properties});
    }
    if (rowCount == 0)
        greyed.insert(greyed.end(), {Command::RemoveAll, Command::CheckAll, Command::UncheckAll});
    return greyed;
}

bool IsGreyed(const std::vector<Command>& greyed, Command command)
{
    return std::find(greyed.begin(), greyed.end(), command) != greyed.end();
}

}  // namespace ui
