#pragma once
// Keeps the main window's source list in queue.ini in the user's folder
// (engine/QueueFile.h): written a moment after each change, so that a burst
// of changes makes one write, and at once when a job starts or ends, when a
// run starts and when the keeper ends with its window. At the next start
// the list comes back without probing the files again; files that are gone
// are dropped and named. A job the program did not see to its end is
// offered for resuming. With the setting KeepSourceList off nothing is read
// and the file is removed instead of written.
#include "engine/QueueFile.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <map>
#include <string>

namespace app {
class UserDialogs;
}

namespace ui {

class MainDialog;

class QueueKeeper : public QObject {
    Q_OBJECT
public:
    // The window must outlive the keeper; path is where the list is kept.
    QueueKeeper(MainDialog& window, app::UserDialogs& dialogs, std::string path = DefaultPath());
    // Writes a change still waiting (or, with the setting turned off, removes
    // the file): the program ends its window's keeper right after the window
    // closes.
    ~QueueKeeper() override;
    QueueKeeper(const QueueKeeper&) = delete;
    QueueKeeper& operator=(const QueueKeeper&) = delete;

    // The user's folder + "queue.ini"; "" without a user folder.
    static std::string DefaultPath();

    // Puts the kept list into the window, once, at start; nothing is
    // written before. A file that cannot be read is told about and moved
    // aside to queue.ini.bad, and the list starts empty. When a job was
    // running, the partial outputs of its unfinished runs are removed and
    // the user is asked whether to resume: Yes runs Convert on the rows
    // still ticked.
    void Restore();

private:
    engine::QueueState Current() const;
    void SaveSoon();
    void SaveNow();
    void OnBusyChanged(bool busy);
    void OnRunStarted(int row, const QString& outputPath);
    void OnRunEnded(int row);
    // Adds the rows whose file still exists; returns the paths of the others.
    std::vector<std::string> AddExistingRows(const engine::QueueState& state);
    void TellUnreadable(const std::string& error);
    void OfferResume();

    MainDialog& window_;
    app::UserDialogs& dialogs_;
    std::string path_;
    QTimer saveTimer_;
    bool restored_ = false;
    bool jobRunning_ = false;
    std::map<int, std::string> runs_;  // row (-1 = the join run) and the output it writes
    std::string written_;               // the text last written
};

}  // namespace ui
