#pragma once
// What the conversion job needs of the main window: the rows of the source
// list with their items, the busy look of the window, the checks and values
// of its output controls, and its message pump.
#include "engine/SourceItem.h"

#include <string>

namespace engine {

class JobView {
public:
    virtual ~JobView() = default;

    virtual int RowCount() const = 0;
    virtual const SourceItem& Item(int row) const = 0;
    virtual bool IsTicked(int row) const = 0;
    virtual void SetTicked(int row, bool ticked) = 0;
    virtual void SetStatus(int row, const std::string& text) = 0;
    // Highlights the row being converted and scrolls it into view; -1 for none.
    virtual void SetHotRow(int row) = 0;

    // Enables or disables the controls for the busy state and switches the
    // bottom strip between progress and disc panel.
    virtual void ShowBusy(bool busy) = 0;
    virtual void RefreshTotals() = 0;
    virtual void SaveMainWindowState() = 0;
    // 1 when the disc label suits the profile; 0 after telling the user.
    virtual int CheckDiscLabel() = 0;
    virtual std::string OutputFolder() const = 0;  // ends with '/'
    virtual int TotalMinutes() const = 0;          // of the ticked sources
    virtual int DiscCapacityMinutes() const = 0;
    virtual void ShowShutdownDialog() = 0;
    virtual void PumpMessages() = 0;
};

}  // namespace engine
