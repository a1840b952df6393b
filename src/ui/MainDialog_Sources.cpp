// Adding sources: Add Files, Add Folder, dropped files and paths named
// outside the window. The files are probed several at once; readable ones
// become ticked rows in the order they were named, and the ones refused
// are told about together at the end.
#include "MainDialog.h"

#include "EngineSession.h"
#include "FolderBrowser.h"
#include "ScanningWindow.h"
#include "SourceFiles.h"
#include "SourceListModel.h"
#include "ToolWatch.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/SourceFiles.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"
#include "engine/ProbePool.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QTreeView>

#include <set>
#include <utility>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";
constexpr int kModalRetryMs = 250;

QStringList ChooseFilesInDialog(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, title, folder, filter);
}

QString FolderFromBrowser(QWidget* parent, app::UserDialogs& dialogs, const QString& caption,
                          const QString& instruction, const QString& folder)
{
    FolderBrowser browser(parent, dialogs, caption, instruction, folder);
    return browser.exec() == QDialog::Accepted ? browser.Folder() : QString();
}

// A file named singly (dropped or passed in): regular files only, with an
// extension the product's filter accepts.
bool AcceptedFile(const QString& path)
{
    QFileInfo info(path);
    return info.exists() && !info.isDir() && app::AcceptedByFilter(app::Application().product.openFileFilter, Ss(path));
}

// The files Add Folder takes from folder, in the order they are added.
QStringList FolderSources(const QString& folder)
{
    QStringList paths;
    for (const std::string& path : app::FolderSourceFiles(Ss(folder), app::Application().product.openFileFilter))
        paths << Qs(path);
    SortForAdding(paths);
    return paths;
}

// The file's real path, symbolic links resolved; the path itself when it
// cannot be resolved.
QString RealPath(const QString& path)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

}  // namespace

void MainDialog::ConnectSourceCommands()
{
    scanning_ = new ScanningWindow(this);
    connect(scanning_, &ScanningWindow::cancelRequested, this, [this] { probes_->Cancel(); });
    probes_ = std::make_unique<engine::ProbePool>(app::Application().appSharedName, dialogs_,
                                                  engine_->NotifyWindow(), engine_->clock);
    probeWatch_ = std::make_unique<ToolWatch>(ToolWatch::Machine{[this] { ContinueProbing(); },
                                                                 [this] { ContinueProbing(); },
                                                                 [this] { return probing_; },
                                                                 [this] { return probes_->ExitDescriptors(); }});
    setAcceptDrops(true);
    chooseFiles_ = ChooseFilesInDialog;
    chooseFolder_ = [this](QWidget* parent, const QString& caption, const QString& instruction,
                           const QString& folder) {
        return FolderFromBrowser(parent, dialogs_, caption, instruction, folder);
    };
    SetCommandHandler(Command::AddFiles, [this] { OnAddFiles(); });
    SetCommandHandler(Command::AddFolder, [this] { OnAddFolder(); });
    SetCommandHandler(Command::DropFiles, [this] { OnDropFiles(); });
    SetCommandHandler(Command::Remove, [this] { OnRemove(); });
    SetCommandHandler(Command::RemoveAll, [this] { OnRemoveAll(); });
    SetCommandHandler(Command::CheckAll, [this] { CheckAllRows(true); });
    SetCommandHandler(Command::UncheckAll, [this] { CheckAllRows(false); });
    SetCommandHandler(Command::MoveUp, [this] { OnMoveUp(); });
    SetCommandHandler(Command::MoveDown, [this] { OnMoveDown(); });
    SetCommandHandler(Command::Subtitle, [this] { OnSubtitle(); });
    SetCommandHandler(Command::Properties, [this] { OnProperties(); });
    SetCommandHandler(Command::ShowLog, [this] { OnShowLog(); });
    SetCommandHandler(Command::SplitVideo, [this] { OnSplit(); });
    ConnectListKeys();
    connect(sourceList_, &QAbstractItemView::doubleClicked, this, [this] { RunCommand(Command::Properties); });
    // Ticking or unticking a row refreshes the totals; new texts (a job's
    // row status, a new trim range) do not, so a job's stage line stays.
    connect(sources_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.contains(Qt::CheckStateRole))
                    RefreshTotals();
            });
    connect(sources_, &QAbstractItemModel::rowsInserted, this, &MainDialog::sourcesChanged);
    connect(sources_, &QAbstractItemModel::rowsRemoved, this, &MainDialog::sourcesChanged);
    connect(sources_, &QAbstractItemModel::rowsMoved, this, &MainDialog::sourcesChanged);
    connect(sources_, &QAbstractItemModel::modelReset, this, &MainDialog::sourcesChanged);
    connect(sources_, &QAbstractItemModel::dataChanged, this, &MainDialog::sourcesChanged);
}

void MainDialog::OnAddFiles()
{
    app::SettingsStore& settings = app::Settings();
    QStringList paths = chooseFiles_(this, Tr(kSection, "Add Files"), Qs(settings.AddFilesInitDir),
                                     QtFileFilter(app::Application().product.openFileFilter));
    if (paths.isEmpty())
        return;
    settings.AddFilesInitDir = app::DirectoryOfPath(Ss(paths.front()));
    SortForAdding(paths);
    ProbeSources(paths);
}

void MainDialog::OnAddFolder()
{
    const QString folder = chooseFolder_(this, QStringLiteral("Choose Folder"), Tr(kSection, "Choose folder"),
                                         QDir::homePath());
    if (!folder.isEmpty())
        ProbeSources(FolderSources(folder));
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainDialog::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            droppedPaths_ << url.toLocalFile();
    event->acceptProposedAction();
    RunCommand(Command::DropFiles);
    droppedPaths_.clear();
}

void MainDialog::OnDropFiles()
{
    QStringList paths;
    for (const QString& path : droppedPaths_)
        if (AcceptedFile(path))
            paths << path;
    ProbeSources(paths);
}

// Named files keep the caller's order; a folder's files come sorted.
void MainDialog::AddPaths(const QStringList& paths)
{
    waitingPaths_ << paths;
    AddWaitingPaths();
}

// A dialog open over the window (such as the one that ends a job) is
// answered first: the paths are looked at again a little later.
void MainDialog::AddWaitingPaths()
{
    if (busy_ || probing_ || waitingPaths_.isEmpty())
        return;
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(kModalRetryMs, this, [this] { AddWaitingPaths(); });
        return;
    }
    QStringList files;
    for (const QString& path : std::exchange(waitingPaths_, {})) {
        if (QFileInfo(path).isDir())
            files << FolderSources(path);
        else if (AcceptedFile(path))
            files << path;
    }
    ProbeSources(files);
}

// Files already in the list, or named twice in paths, are added again
// only when the user says so (once for all of them).
QStringList MainDialog::WithoutUnwantedDuplicates(const QStringList& paths)
{
    std::set<QString> listed;
    for (int row = 0; row < SourceCount(); ++row)
        listed.insert(RealPath(Qs(SourceAt(row).path)));
    QStringList unique;
    QStringList repeated;
    for (const QString& path : paths) {
        if (listed.insert(RealPath(path)).second)
            unique << path;
        else
            repeated << path;
    }
    if (repeated.isEmpty())
        return paths;
    const app::Notice question(app::NoticeId::SourcesAlreadyListed,
                               {std::to_string(repeated.size()), Ss(QFileInfo(repeated.front()).fileName())});
    return dialogs_.Question(question) ? paths : unique;
}

void MainDialog::ProbeSources(const QStringList& paths)
{
    if (paths.isEmpty() || probing_)
        return;
    const QStringList files = WithoutUnwantedDuplicates(paths);
    if (files.isEmpty())
        return;
    probing_ = true;
    setEnabled(false);
    scanning_->ShowOverOwner();
    refused_.clear();
    std::vector<std::string> names;
    for (const QString& file : files)
        names.push_back(Ss(file));
    probeWatch_->Advance([this, &names] {
        probes_->Start(std::move(names), app::DecodeEngineFrom(app::Settings().DecodeEngine),
                       engine::ProbeParallelism());
        ContinueProbing();
    });
}

void MainDialog::ContinueProbing()
{
    probes_->OnToolEvent();
    for (engine::ProbeOutcome& outcome : probes_->TakeReady()) {
        if (outcome.item)
            AppendSource(*outcome.item);
        else if (!outcome.refusals.empty())
            refused_.push_back({outcome.path, std::move(outcome.refusals)});
    }
    if (probes_->Busy()) {
        scanning_->ShowProgress(static_cast<int>(probes_->Done()), static_cast<int>(probes_->Total()),
                                Qs(probes_->CurrentPath()));
        return;
    }
    if (!probing_)
        return;
    setEnabled(true);
    scanning_->hide();
    probing_ = false;
    // The keyboard goes back to the window and the control it left.
    activateWindow();
    // The box waits for its OK; the list is complete and usable behind it.
    if (!refused_.empty())
        dialogs_.ReportRefusedFiles(std::exchange(refused_, {}));
    QTimer::singleShot(0, this, [this] { AddWaitingPaths(); });
}

}  // namespace ui
