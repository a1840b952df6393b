#include "QueueKeeper.h"

#include "MainDialog.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/SettingsStore.h"
#include "app/UserDialogs.h"
#include "app/UserFolders.h"
#include "engine/PartialOutput.h"
#include "platform/FileSystem.h"

#include <cstdio>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";
constexpr char kFileName[] = "queue.ini";
constexpr char kNotConverted[] = "--";
// A burst of changes (a folder of files added, all rows ticked) is written once.
constexpr int kSaveDelayMs = 300;

void RemovePartialOutput(const std::string& path)
{
    if (!path.empty())
        engine::RemoveAbandonedOutput(path);
}

}  // namespace

QueueKeeper::QueueKeeper(MainDialog& window, app::UserDialogs& dialogs, std::string path)
    : window_(window), dialogs_(dialogs), path_(std::move(path))
{
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(kSaveDelayMs);
    connect(&saveTimer_, &QTimer::timeout, this, &QueueKeeper::SaveNow);
    connect(&window_, &MainDialog::sourcesChanged, this, &QueueKeeper::SaveSoon);
    connect(&window_, &MainDialog::busyChanged, this, &QueueKeeper::OnBusyChanged);
    connect(&window_, &MainDialog::runStarted, this, &QueueKeeper::OnRunStarted);
    connect(&window_, &MainDialog::runEnded, this, &QueueKeeper::OnRunEnded);
}

QueueKeeper::~QueueKeeper()
{
    SaveNow();
}

std::string QueueKeeper::DefaultPath()
{
    const std::string folder = app::UserDataDirectory();
    return folder.empty() ? "" : folder + kFileName;
}

// The progress shown in a running row's status is not kept: after a crash
// that row is not converted.
engine::QueueState QueueKeeper::Current() const
{
    engine::QueueState state;
    state.jobRunning = jobRunning_;
    for (int row = 0; row < window_.SourceCount(); ++row) {
        const auto run = runs_.find(row);
        const bool running = run != runs_.end();
        state.rows.push_back({window_.SourceAt(row), window_.IsTicked(row),
                              running ? kNotConverted : Ss(window_.RowStatus(row)), Ss(window_.RowReason(row)),
                              running ? run->second : std::string()});
    }
    if (const auto join = runs_.find(-1); join != runs_.end())
        state.joinRunOutput = join->second;
    return state;
}

void QueueKeeper::SaveSoon()
{
    if (!saveTimer_.isActive())
        saveTimer_.start();
}

void QueueKeeper::SaveNow()
{
    saveTimer_.stop();
    if (!restored_ || path_.empty())
        return;
    if (!app::Settings().KeepSourceList) {
        if (platform::PathExists(path_))
            platform::RemoveFile(path_);
        written_.clear();
        return;
    }
    const engine::QueueState state = Current();
    std::string text = engine::FormatQueue(state);
    if (text == written_)
        return;
    if (engine::SaveQueue(path_, state))
        written_ = std::move(text);
    else
        std::fprintf(stderr, "diziv: cannot write %s\n", path_.c_str());
}

void QueueKeeper::OnBusyChanged(bool busy)
{
    jobRunning_ = busy;
    if (!busy)
        runs_.clear();
    SaveNow();
}

void QueueKeeper::OnRunStarted(int row, const QString& outputPath)
{
    runs_[row] = Ss(outputPath);
    SaveNow();
}

void QueueKeeper::OnRunEnded(int row)
{
    runs_.erase(row);
    SaveSoon();
}

void QueueKeeper::Restore()
{
    if (restored_)
        return;
    if (path_.empty() || !app::Settings().KeepSourceList) {
        restored_ = true;
        return;
    }
    engine::QueueLoad load = engine::LoadQueue(path_);
    restored_ = true;
    if (load.missing)
        return;
    if (!load.state) {
        TellUnreadable(load.error);
        return;
    }
    const engine::QueueState& state = *load.state;
    jobRunning_ = state.jobRunning;
    const std::vector<std::string> missing = AddExistingRows(state);
    if (state.jobRunning)
        RemovePartialOutput(state.joinRunOutput);
    if (!missing.empty()) {
        QString text = Tr(kSection, "Queue Sources Missing");
        for (const std::string& path : missing)
            text += '\n' + Qs(path);
        dialogs_.Message(Ss(text), app::Application().appName);
    }
    if (jobRunning_)
        OfferResume();
    SaveNow();
}

// Rows of an interrupted run lose their output and their status.
std::vector<std::string> QueueKeeper::AddExistingRows(const engine::QueueState& state)
{
    std::vector<std::string> missing;
    for (const engine::QueueRow& kept : state.rows) {
        if (state.jobRunning)
            RemovePartialOutput(kept.runOutput);
        if (!platform::PathExists(kept.item.path)) {
            missing.push_back(kept.item.path);
            continue;
        }
        const int row = window_.SourceCount();
        window_.AppendSource(kept.item);
        window_.SetTicked(row, kept.ticked);
        window_.SetRowStatus(row, Qs(state.jobRunning && !kept.runOutput.empty() ? kNotConverted : kept.status));
        window_.SetRowReason(row, Qs(kept.reason));
    }
    return missing;
}

// The damaged file is kept for a look, and no longer stands in the way of
// the list the user makes now.
void QueueKeeper::TellUnreadable(const std::string& error)
{
    const std::string kept = path_ + ".bad";
    std::fprintf(stderr, "diziv: %s: %s\n", path_.c_str(), error.c_str());
    std::rename(path_.c_str(), kept.c_str());
    dialogs_.Message(Ss(Tr(kSection, "Queue Unreadable").arg(Qs(path_), Qs(kept))), app::Application().appName);
}

// The job's mark stays while the question is open, so that a crash
// meanwhile asks again at the next start. Without a ticked row there is
// nothing to resume.
void QueueKeeper::OfferResume()
{
    bool anyTicked = false;
    for (int row = 0; row < window_.SourceCount(); ++row)
        anyTicked = anyTicked || window_.IsTicked(row);
    if (anyTicked && dialogs_.Question(lang::Text(kSection, "Queue Resume"), app::Application().appName))
        window_.RunCommand(Command::Convert);
    // Convert may have refused, or the job may have ended at once.
    if (!window_.Busy())
        jobRunning_ = false;
}

}  // namespace ui
