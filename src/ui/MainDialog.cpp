#include "MainDialog.h"

#include "EngineSession.h"
#include "MainMenu.h"
#include "ToolWatch.h"
#include "engine/ProbePool.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "controls/IconButton.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";
constexpr int kApplicationIcon = 128;

}  // namespace

MainDialog::MainDialog(app::UserDialogs& dialogs, Desktop& desktop)
    : dialogs_(dialogs),
      desktop_(desktop),
      engine_(std::make_unique<EngineSession>(dialogs)),
      icons_(app::DataDirectory(), app::Application().product.company),
      buttons_(Buttons().size(), nullptr)
{
    setObjectName("MainDialog");
    BuildLayout();
    setWindowIcon(icons_.Icon(kApplicationIcon));
    setWindowTitle(Qs(app::Application().appName));
    joinerMode_ = app::JoinerMode(app::Application().product);
    SetUpListColumns();
    LoadButtonIcons();
    ConnectCommands();
    FillFormatList();
    ApplyTexts();
}

MainDialog::~MainDialog() = default;

void MainDialog::LoadButtonIcons()
{
    for (std::size_t i = 0; i < Buttons().size(); ++i) {
        const ButtonSpec& spec = Buttons()[i];
        buttons_[i]->SetIcons(icons_.Icon(spec.normalIcon),
                              icons_.HasHoverIcons() ? icons_.Icon(spec.hoverIcon) : QIcon());
        if (spec.command == Command::Subtitle && !app::Application().product.subtitleEdition)
            buttons_[i]->hide();
    }
}

void MainDialog::ConnectCommands()
{
    for (std::size_t i = 0; i < Buttons().size(); ++i) {
        const Command command = Buttons()[i].command;
        connect(buttons_[i], &QToolButton::clicked, this, [this, command] { RunCommand(command); });
    }
    auto connectButton = [this](QPushButton* button, Command command) {
        connect(button, &QPushButton::clicked, this, [this, command] { RunCommand(command); });
    };
    connectButton(changeFolderButton_, Command::ChangeFolder);
    connectButton(openFolderButton_, Command::OpenFolder);
    connectButton(advancedButton_, Command::Advanced);
    connectButton(stopButton_, Command::Stop);
    connect(sourceList_, &QWidget::customContextMenuRequested, this, &MainDialog::OnListContextMenu);

    SetCommandHandler(Command::ChangeFolder, [this] { OnChangeFolder(); });
    SetCommandHandler(Command::OpenFolder, [this] { OnOpenFolder(); });
    SetCommandHandler(Command::About, [this] { OnAbout(); });
    SetCommandHandler(Command::Home, [this] { OnHome(); });
    SetCommandHandler(Command::Help, [this] { OnHelp(); });
    SetCommandHandler(Command::Exit, [this] { close(); });
    SetCommandHandler(Command::Settings, [this] { OnSettings(); });
    SetCommandHandler(Command::Advanced, [this] { OnAdvanced(); });
    ConnectFormatControls();
    ConnectSourceCommands();
    ConnectCommandStates();
}

void MainDialog::ApplyTexts()
{
    for (std::size_t i = 0; i < Buttons().size(); ++i) {
        const ButtonSpec& spec = Buttons()[i];
        const bool join = spec.command == Command::Convert && joinerMode_;
        if (spec.captionKey)
            buttons_[i]->SetCaption(Tr(kSection, join ? "Join" : spec.captionKey));
        buttons_[i]->SetTip(Tr(kSection, join ? "Join Tip" : spec.tipKey));
    }
    menu_->ApplyTexts();
    ApplyListTexts();
    ApplyOutputTexts();
    stopButton_->setText(Tr(kSection, "Stop"));
}

void MainDialog::SetCommandHandler(Command command, std::function<void()> handler)
{
    handlers_[command] = std::move(handler);
}

void MainDialog::RunCommand(Command command)
{
    if (busy_ && IsGuarded(command)) {
        dialogs_.Message(lang::Text(kSection, "Not allow operation"), app::Application().appName);
        return;
    }
    auto handler = handlers_.find(command);
    if (handler != handlers_.end() && handler->second)
        handler->second();
}

// Closing is refused while a run is in progress, so that a run always ends
// before the settings are saved.
void MainDialog::closeEvent(QCloseEvent* event)
{
    // The window is disabled while files are probed; it cannot be closed either.
    if (probing_) {
        event->ignore();
        return;
    }
    if (busy_) {
        dialogs_.Message(lang::Text(kSection, "Not allow operation"), app::Application().appName);
        event->ignore();
        return;
    }
    SaveMainWindowState();
    engine_->Close();
    event->accept();
}

}  // namespace ui
