#pragma once
// The application's main window: a toolbar of large icon buttons, the
// source list with its column of small buttons, the output-folder and
// output-format rows, and a bottom strip with the progress bar, Stop and
// the status line (or, for disc image profiles, the disc capacity ruler).
//
// The window is split by feature over several files:
//   MainDialog.cpp          start-up order, texts, command routing, closing
//   MainDialog_Layout.cpp   building the widgets and the menu bar
//   MainDialog_List.cpp     list columns, context menu, totals line, and
//                           which list commands are enabled
//   MainDialog_Folder.cpp   output folder row
//   MainDialog_Shell.cpp    settings, about, home page and help
//   MainDialog_Format.cpp   output-format controls and the disc panel
//   MainDialog_Job.cpp      busy state, highlighted row and progress display
//   MainDialog_Sources.cpp  adding files: Add Files, Add Folder, drops, named
//                           paths, probing
//   MainDialog_Rows.cpp     removing, ticking and moving rows; the list's keys
//   MainDialog_SourceDialogs.cpp  Subtitle, Properties and Split of one row
#include "IconMap.h"
#include "MainCommands.h"
#include "app/UserDialogs.h"
#include "engine/ProgressReport.h"
#include "engine/SourceItem.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CSizeRange;
class IconButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTreeView;

namespace engine {
class ProbePool;
}

namespace ui {

class Desktop;
struct EngineSession;
class HelpWindow;
class MainMenu;
class ScanningWindow;
class ToolWatch;
class SourceListModel;

class MainDialog : public QMainWindow {
    Q_OBJECT
public:
    MainDialog(app::UserDialogs& dialogs, Desktop& desktop);
    ~MainDialog() override;

    // Re-applies every language text of the window.
    void ApplyTexts();

    // Runs a command the way its button or menu item does: guarded
    // commands first refuse with "Not allow operation" while busy.
    void RunCommand(Command command);
    // Commands of the source list and the conversion register here.
    void SetCommandHandler(Command command, std::function<void()> handler);

    // The source list: row i of the list view shows item i.
    int SourceCount() const;
    const engine::SourceItem& SourceAt(int row) const;
    engine::SourceItem& SourceAt(int row);
    // Appends a ticked row for item with its five column texts.
    void AppendSource(const engine::SourceItem& item);
    bool IsTicked(int row) const;
    void SetTicked(int row, bool ticked);
    // Column 4 of the row.
    QString RowStatus(int row) const;
    void SetRowStatus(int row, const QString& text);
    // Why the row's last conversion failed: its tooltip and a line of its
    // Properties; "" when it did not.
    QString RowReason(int row) const;
    void SetRowReason(int row, const QString& reason);
    // The log of the row's last run, which Show Log opens; "" for none.
    QString RowLog(int row) const;
    void SetRowLog(int row, const QString& logPath);
    // Opens folder with the desktop's file manager.
    void OpenFolder(const QString& folder);

    // Asks for the files to add: parent, title, initial folder, filter;
    // an empty list on cancel. Replaceable for tests.
    using FilesChooser =
        std::function<QStringList(QWidget*, const QString& title, const QString& folder, const QString& filter)>;
    void SetFilesChooser(FilesChooser chooser) { chooseFiles_ = std::move(chooser); }
    // Asks for the folder to add: parent, caption, instruction, initial
    // folder; "" on cancel. Replaceable for tests.
    using FolderChooser = std::function<QString(QWidget*, const QString& caption, const QString& instruction,
                                                const QString& folder)>;
    void SetFolderChooser(FolderChooser chooser) { chooseFolder_ = std::move(chooser); }

    // The busy state of a conversion run, entered and left only by the job
    // (MainJob): guarded commands refuse, the output controls are disabled,
    // Stop is enabled, and the bottom strip shows the progress bar and the
    // elapsed time.
    bool Busy() const { return busy_; }
    void SetBusy(bool busy);
    // Highlights the row being converted and scrolls it into view; -1 for none.
    void HighlightRow(int row);
    // A running job's progress: the bar (0..10000), the stage line, the count
    // of rows, the elapsed and the left time, and the percentage before the
    // window title.
    void ShowProgress(const engine::ProgressView& view);

    // The record, launcher and progress socket shared with the engine tools.
    EngineSession& Engine() { return *engine_; }
    bool JoinerMode() const { return joinerMode_; }

    // Counts the ticked rows and their trimmed length into the status line
    // and the disc capacity ruler.
    void RefreshTotals();
    // Whether files are being probed; the window is disabled meanwhile.
    bool Probing() const { return probing_; }
    // Adds files and folders named outside the window (the command line, a
    // second start): the files Add Files or a drop accepts and a folder's
    // files as Add Folder takes them, probed the same way. Paths that
    // arrive while files are probed, a job runs or a dialog is open wait
    // until the window is idle.
    void AddPaths(const QStringList& paths);
    // Folds the output controls back into the current profile's choices
    // and writes the settings file.
    void SaveMainWindowState();

    // The output folder shown in the folder row (ends with '/').
    QString OutputFolder() const;
    // The Output Format list and the controls of the current profile.
    void FillFormatList();
    // Catalogue slot of the selected profile; an empty slot (the catalogue
    // size) when the selection names none.
    int CurrentProfileFromList() const;
    // Enables the picture's choices (frame size, rate, aspect, letterbox,
    // video quality) and Subtitle, or greys them for a sound-only profile.
    void ShowPictureControls(bool picture);
    bool CurrentProfileIsSoundOnly() const;
    // 1 when Convert may go on; 0 after telling the user what is wrong
    // with the disc label of a disc image profile.
    int CheckDiscLabel();
    // Capacity of the chosen disc at the chosen quality, in minutes.
    int DiscCapacityMinutes() const { return discCapacityMinutes_; }
    // Shows the disc capacity ruler (true) or the progress bar, Stop and
    // status line (false) in the bottom strip, then refreshes the totals.
    void ShowDiscPanel(bool disc);

    // The job (MainJob) tells of its runs: row's run has started writing
    // outputPath, or has ended; row -1 is the join run.
    void NoteRunStarted(int row, const QString& outputPath) { Q_EMIT runStarted(row, outputPath); }
    void NoteRunEnded(int row) { Q_EMIT runEnded(row); }

Q_SIGNALS:
    // The source list changed: rows added, removed, moved or ticked, or a
    // row's status, trim range, subtitle or track choices.
    void sourcesChanged();
    void busyChanged(bool busy);
    void runStarted(int row, const QString& outputPath);
    void runEnded(int row);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct ButtonSpec {
        Command command;
        const char* objectName;
        const char* captionKey;  // null for the small side buttons
        const char* tipKey;
        int normalIcon;
        int hoverIcon;  // shown under the pointer by editions with hover icons
        bool toolbar;
    };
    static const std::vector<ButtonSpec>& Buttons();

    void BuildLayout();
    QWidget* BuildToolbar();
    QWidget* BuildListArea();
    QWidget* BuildOutputRows();
    QWidget* BuildBottomStrip();
    void LoadButtonIcons();
    void SetUpListColumns();
    void ConnectCommands();

    void ApplyListTexts();
    std::vector<int> SelectedRows() const;
    // The list's context menu with its items greyed for the current rows.
    std::unique_ptr<QMenu> BuildContextMenu();
    void OnListContextMenu(const QPoint& position);
    // The menu bar, the enabled state of the list commands (as the context
    // menu greys them) and the context menu opened from the keyboard.
    void BuildMenuBar();
    void ConnectCommandStates();
    void UpdateCommandStates();
    void OpenContextMenu(const QPoint& globalPosition);
    QPoint CurrentRowMenuPosition();
    void ApplyOutputTexts();
    void ConnectFormatControls();
    std::vector<bool> ShownProfiles() const;
    void OnFormatChanged();
    void ShowProfileControls();
    void ConfigureCapacityRuler();
    void OnVideoQualityChanged();
    void OnTvTypeChanged();
    void OnSizeChanged();
    void OnAdvanced();
    void SetOutputFolder(const QString& folder);
    void OnChangeFolder();
    void OnOpenFolder();
    void OnSettings();
    void OnAbout();
    void OnHome();
    void OnHelp();

    void ConnectSourceCommands();
    void OnAddFiles();
    void OnAddFolder();
    void OnDropFiles();
    // Probes the paths, several at once, with the window disabled and the
    // scanning window shown; every readable file becomes a ticked row, in
    // the order of paths. Returns at once: the window's event loop drives
    // the probes (Probing()).
    void ProbeSources(const QStringList& paths);
    QStringList WithoutUnwantedDuplicates(const QStringList& paths);
    // Adds the rows of finished probes; once none runs, ends probing and
    // lists the refused files.
    void ContinueProbing();
    // Probes the paths AddPaths keeps, once the window is idle.
    void AddWaitingPaths();
    void OnRemove();
    void OnRemoveAll();
    void CheckAllRows(bool ticked);
    void OnMoveUp();
    void OnMoveDown();
    void MoveRow(int from, int to);
    void ConnectListKeys();
    // Ctrl+A and Shift+F10 in the list, and the keys of the menu bar's list
    // shortcuts when their command is disabled; false for keys the list
    // handles itself.
    bool OnListKey(int key, Qt::KeyboardModifiers modifiers);
    // The single selected row; -1 after telling the user when none or several are selected.
    int SingleSelectedRow();
    void OnSubtitle();
    void OnProperties();
    void OnShowLog();
    void OnSplit();

    app::UserDialogs& dialogs_;
    Desktop& desktop_;
    std::unique_ptr<EngineSession> engine_;
    IconMap icons_;
    bool busy_ = false;
    bool joinerMode_ = false;
    int previousProfile_ = 0;
    int discCapacityMinutes_ = 0;
    std::map<Command, std::function<void()>> handlers_;
    std::vector<IconButton*> buttons_;  // parallel to Buttons()

    ScanningWindow* scanning_ = nullptr;
    bool probing_ = false;
    std::unique_ptr<engine::ProbePool> probes_;
    std::vector<app::RefusedFile> refused_;
    std::unique_ptr<ToolWatch> probeWatch_;
    FilesChooser chooseFiles_;
    FolderChooser chooseFolder_;
    QStringList droppedPaths_;
    QStringList waitingPaths_;
    HelpWindow* helpWindow_ = nullptr;
    MainMenu* menu_ = nullptr;

    SourceListModel* sources_ = nullptr;
    QTreeView* sourceList_ = nullptr;
    QLabel* outputFolderLabel_ = nullptr;
    QLineEdit* outputFolderEdit_ = nullptr;
    QPushButton* changeFolderButton_ = nullptr;
    QPushButton* openFolderButton_ = nullptr;
    QLabel* outputFormatLabel_ = nullptr;
    QComboBox* outputFormatList_ = nullptr;
    QPushButton* advancedButton_ = nullptr;
    QLabel* videoQualityLabel_ = nullptr;
    QComboBox* videoQualityList_ = nullptr;
    QLabel* audioQualityLabel_ = nullptr;
    QComboBox* audioQualityList_ = nullptr;
    QLabel* frameRateLabel_ = nullptr;
    QComboBox* frameRateList_ = nullptr;
    QLabel* tvTypeLabel_ = nullptr;
    QComboBox* tvTypeList_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QComboBox* sizeList_ = nullptr;
    QLabel* discLabelLabel_ = nullptr;
    QLineEdit* discLabelEdit_ = nullptr;
    QLabel* aspectRatioLabel_ = nullptr;
    QComboBox* aspectRatioList_ = nullptr;
    QCheckBox* letterBoxCheck_ = nullptr;
    QStackedWidget* bottomStrip_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QLabel* elapsedTime_ = nullptr;
    QLabel* rowCount_ = nullptr;
    QLabel* timeLeft_ = nullptr;
    CSizeRange* capacityRuler_ = nullptr;
    QLabel* rulerCaption_ = nullptr;
};

}  // namespace ui
