// Adding sources: Add Files, Add Folder, dropped files and paths named
// outside the window. Every file is probed by a test encode; readable ones
// become ticked rows.
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
#include "engine/MediaProbe.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QTreeView>

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

}  // namespace

void MainDialog::ConnectSourceCommands()
{
    scanning_ = new ScanningWindow(this);
    probe_ = std::make_unique<engine::MediaProbe>(engine_->block, engine_->launcher, dialogs_, engine_->NotifyWindow());
    probeWatch_ = std::make_unique<ToolWatch>(
        engine_->launcher, ToolWatch::Machine{[this] { ContinueProbing(); }, [this] { ContinueProbing(); },
                                              [this] { return probing_; }});
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

void MainDialog::ProbeSources(const QStringList& paths)
{
    if (paths.isEmpty() || probing_)
        return;
    probing_ = true;
    setEnabled(false);
    scanning_->ShowOverOwner();
    repaint();
    probeQueue_ = paths;
    probeWatch_->Advance([this] { ContinueProbing(); });
}

void MainDialog::ContinueProbing()
{
    probe_->OnToolEvent();
    while (!probe_->Busy()) {
        if (std::optional<engine::SourceItem> item = probe_->TakeResult())
            AppendSource(*item);
        if (probeQueue_.isEmpty()) {
            setEnabled(true);
            scanning_->hide();
            probing_ = false;
            QTimer::singleShot(0, this, [this] { AddWaitingPaths(); });
            return;
        }
        const QString path = probeQueue_.takeFirst();
        scanning_->ShowPath(path);
        probe_->Start(Ss(path), app::DecodeEngineFrom(app::Settings().DecodeEngine));
    }
}

}  // namespace ui
