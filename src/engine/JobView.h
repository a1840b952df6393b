#pragma once
// What the conversion job shows through its front end: the statuses and
// ticks of the rows it converts, why a row failed and where its run's log
// is, the row being converted, the busy look, the output folder and the
// countdown before the computer is shut down (or suspended, or the program
// quits).
#include "app/JobSettings.h"
#include "engine/JobTexts.h"
#include "engine/ProgressReport.h"

#include <cstdint>
#include <string>

namespace engine {

class JobView {
public:
    virtual ~JobView() = default;

    // row is a JobRow::listRow of the running job.
    virtual void SetTicked(int row, bool ticked) = 0;
    virtual void SetStatus(int row, const std::string& text) = 0;
    // Why the row's conversion failed, in the tool's words; "" when it did not.
    virtual void SetReason(int row, const std::string& reason) = 0;
    // The log of the row's last run; "" when it has none.
    virtual void SetRunLog(int row, const std::string& logPath) = 0;
    // Highlights the row being converted and scrolls it into view; -1 for none.
    virtual void SetHotRow(int row) = 0;

    // Enables or disables the controls for the busy state and switches the
    // bottom strip between progress and disc panel.
    virtual void ShowBusy(bool busy) = 0;
    virtual void RefreshTotals() = 0;
    virtual void ShowShutdownDialog(app::WhenDone action) = 0;
    // A finished output of the job: row's own file, or with row -1 the
    // joined file or the disc folder. Front ends that list results take it.
    virtual void OutputMade(int row, const std::string& path)
    {
        static_cast<void>(row);
        static_cast<void>(path);
    }
    // A run of row has started writing outputPath (a partial file or a part
    // in the working folder), and has ended; row -1 is the join run; front ends that keep the list
    // across a crash take them.
    virtual void RunStarted(int row, const std::string& outputPath)
    {
        static_cast<void>(row);
        static_cast<void>(outputPath);
    }
    virtual void RunEnded(int row) { static_cast<void>(row); }
    // The job has ended, just before its final message or countdown.
    virtual void JobEnded(JobEnd end, std::size_t convertedRows, std::size_t failedRows)
    {
        static_cast<void>(end);
        static_cast<void>(convertedRows);
        static_cast<void>(failedRows);
    }
    // A new progress display for a message of the given stage.
    virtual void ShowProgress(std::uint32_t stage, const ProgressView& view)
    {
        static_cast<void>(stage);
        static_cast<void>(view);
    }
    // Opens the folder with the desktop's file manager, where there is one.
    virtual void OpenFolder(const std::string& folder) = 0;
};

}  // namespace engine
