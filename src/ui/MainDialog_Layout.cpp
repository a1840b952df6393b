// Building the widgets of the main window.
#include "MainDialog.h"

#include "MainMenu.h"
#include "SourceListModel.h"
#include "UiText.h"
#include "app/Application.h"
#include "controls/IconButton.h"
#include "controls/SizeRange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace ui {

const std::vector<MainDialog::ButtonSpec>& MainDialog::Buttons()
{
    static const std::vector<ButtonSpec> buttons = {
        {Command::AddFiles, "addFilesButton", "Add Files", "Add Files Tip", 500, 501, true},
        {Command::Remove, "removeButton", "Remove", "Remove Tip", 517, 518, true},
        {Command::Convert, "convertButton", "Convert", "Convert Tip", 507, 508, true},
        {Command::Settings, "settingsButton", "Settings", "Settings Tip", 523, 524, true},
        {Command::About, "aboutButton", "About", "About Tip", 525, 526, true},
        {Command::Home, "homeButton", "Home", "Home Tip", 515, 516, true},
        {Command::Help, "helpButton", "Help", "Help Tip", 513, 514, true},
        {Command::Exit, "exitButton", "Exit", "Exit Tip", 511, 512, true},
        {Command::AddFiles, "sideAddFilesButton", nullptr, "Add Files Tip", 502, 503, false},
        {Command::Remove, "sideRemoveButton", nullptr, "Remove Tip", 509, 510, false},
        {Command::RemoveAll, "removeAllButton", nullptr, "Remove All Tip", 504, 506, false},
        {Command::MoveUp, "moveUpButton", nullptr, "Move Up Tip", 521, 522, false},
        {Command::MoveDown, "moveDownButton", nullptr, "Move Down Tip", 519, 520, false},
        {Command::SplitVideo, "splitVideoButton", nullptr, "Split Video Tip", 529, 530, false},
        {Command::Subtitle, "subtitleButton", nullptr, "Subtitle Tip", 531, 532, false},
    };
    return buttons;
}

namespace {

QFrame* Separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

template <typename Widget>
Widget* Named(Widget* widget, const char* objectName)
{
    widget->setObjectName(objectName);
    return widget;
}

}  // namespace

void MainDialog::BuildLayout()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(10, 6, 10, 8);
    layout->addWidget(BuildToolbar());
    layout->addWidget(BuildListArea(), 1);
    layout->addWidget(BuildOutputRows());
    layout->addWidget(BuildBottomStrip());
    setCentralWidget(central);
    BuildMenuBar();
    // The window keeps the room of its controls below the menu bar.
    const int menuHeight = menuBar()->sizeHint().height();
    resize(920, 660 + menuHeight);
    setMinimumSize(760, 560 + menuHeight);
}

void MainDialog::BuildMenuBar()
{
    menuBar()->setObjectName("menuBar");
    menu_ = new MainMenu(
        menuBar(), sourceList_, [this](Command command) { RunCommand(command); },
        app::Application().product.subtitleEdition);
    // The titles give the bar its height.
    menu_->ApplyTexts();
}

QWidget* MainDialog::BuildToolbar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName("toolbar");
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (std::size_t i = 0; i < Buttons().size(); ++i) {
        const ButtonSpec& spec = Buttons()[i];
        if (!spec.toolbar)
            continue;
        auto* button = Named(new IconButton(bar), spec.objectName);
        button->setIconSize(QSize(48, 48));
        button->setMinimumWidth(84);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        buttons_[i] = button;
        if (spec.command == Command::Settings || spec.command == Command::Exit)
            row->addWidget(Separator(bar));
        row->addWidget(button);
    }
    row->addStretch();
    return bar;
}

QWidget* MainDialog::BuildListArea()
{
    auto* area = new QWidget(this);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    sources_ = new SourceListModel(this);
    sourceList_ = Named(new QTreeView(area), "sourceList");
    sourceList_->setModel(sources_);
    sourceList_->setRootIsDecorated(false);
    sourceList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sourceList_->setAllColumnsShowFocus(true);
    sourceList_->setUniformRowHeights(true);
    sourceList_->setContextMenuPolicy(Qt::CustomContextMenu);
    sourceList_->setMinimumHeight(160);
    row->addWidget(sourceList_, 1);

    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    const int iconSize = icons_.HasHoverIcons() ? 24 : 16;
    for (std::size_t i = 0; i < Buttons().size(); ++i) {
        const ButtonSpec& spec = Buttons()[i];
        if (spec.toolbar)
            continue;
        auto* button = Named(new IconButton(area), spec.objectName);
        button->setIconSize(QSize(iconSize, iconSize));
        buttons_[i] = button;
        column->addWidget(button);
    }
    column->addStretch();
    row->addLayout(column);
    return area;
}

QWidget* MainDialog::BuildOutputRows()
{
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 6, 0, 6);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    outputFolderLabel_ = Named(new QLabel(rows), "outputFolderLabel");
    outputFolderEdit_ = Named(new QLineEdit(rows), "outputFolderEdit");
    outputFolderEdit_->setReadOnly(true);
    changeFolderButton_ = Named(new QPushButton(rows), "changeFolderButton");
    openFolderButton_ = Named(new QPushButton(rows), "openFolderButton");
    auto* folderButtons = new QHBoxLayout;
    folderButtons->addWidget(changeFolderButton_);
    folderButtons->addWidget(openFolderButton_);
    grid->addWidget(outputFolderLabel_, 0, 0);
    grid->addWidget(outputFolderEdit_, 0, 1, 1, 3);
    grid->addLayout(folderButtons, 0, 4);

    outputFormatLabel_ = Named(new QLabel(rows), "outputFormatLabel");
    outputFormatList_ = Named(new QComboBox(rows), "outputFormatList");
    outputFormatList_->setMaxVisibleItems(24);
    advancedButton_ = Named(new QPushButton(rows), "advancedButton");
    grid->addWidget(outputFormatLabel_, 1, 0);
    grid->addWidget(outputFormatList_, 1, 1, 1, 3);
    grid->addWidget(advancedButton_, 1, 4);

    videoQualityLabel_ = Named(new QLabel(rows), "videoQualityLabel");
    videoQualityList_ = Named(new QComboBox(rows), "videoQualityList");
    audioQualityLabel_ = Named(new QLabel(rows), "audioQualityLabel");
    audioQualityList_ = Named(new QComboBox(rows), "audioQualityList");
    grid->addWidget(videoQualityLabel_, 2, 0);
    grid->addWidget(videoQualityList_, 2, 1);
    grid->addWidget(audioQualityLabel_, 2, 2);
    grid->addWidget(audioQualityList_, 2, 3);

    // Frame rate and TV type share one place, as do width/height and the
    // disc label: a profile shows one of each pair.
    frameRateLabel_ = Named(new QLabel(rows), "frameRateLabel");
    frameRateList_ = Named(new QComboBox(rows), "frameRateList");
    tvTypeLabel_ = Named(new QLabel(rows), "tvTypeLabel");
    tvTypeList_ = Named(new QComboBox(rows), "tvTypeList");
    sizeLabel_ = Named(new QLabel(rows), "sizeLabel");
    sizeList_ = Named(new QComboBox(rows), "sizeList");
    discLabelLabel_ = Named(new QLabel(rows), "discLabelLabel");
    discLabelEdit_ = Named(new QLineEdit(rows), "discLabelEdit");
    discLabelEdit_->setMaxLength(255);
    grid->addWidget(frameRateLabel_, 3, 0);
    grid->addWidget(tvTypeLabel_, 3, 0);
    grid->addWidget(frameRateList_, 3, 1);
    grid->addWidget(tvTypeList_, 3, 1);
    grid->addWidget(sizeLabel_, 3, 2);
    grid->addWidget(discLabelLabel_, 3, 2);
    grid->addWidget(sizeList_, 3, 3);
    grid->addWidget(discLabelEdit_, 3, 3);
    tvTypeLabel_->hide();
    tvTypeList_->hide();
    discLabelLabel_->hide();
    discLabelEdit_->hide();

    aspectRatioLabel_ = Named(new QLabel(rows), "aspectRatioLabel");
    aspectRatioList_ = Named(new QComboBox(rows), "aspectRatioList");
    letterBoxCheck_ = Named(new QCheckBox(rows), "letterBoxCheck");
    grid->addWidget(aspectRatioLabel_, 4, 0);
    grid->addWidget(aspectRatioList_, 4, 1);
    grid->addWidget(letterBoxCheck_, 4, 2, 1, 3);
    return rows;
}

QWidget* MainDialog::BuildBottomStrip()
{
    bottomStrip_ = Named(new QStackedWidget(this), "bottomStrip");

    auto* progressPage = new QWidget(bottomStrip_);
    auto* progressLayout = new QGridLayout(progressPage);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    progressBar_ = Named(new QProgressBar(progressPage), "progressBar");
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);
    stopButton_ = Named(new QPushButton(progressPage), "stopButton");
    stopButton_->setEnabled(false);
    statusLine_ = Named(new QLabel(progressPage), "statusLine");
    elapsedTime_ = Named(new QLabel(progressPage), "elapsedTime");
    elapsedTime_->hide();
    rowCount_ = Named(new QLabel(progressPage), "rowCount");
    rowCount_->hide();
    timeLeft_ = Named(new QLabel(progressPage), "timeLeft");
    timeLeft_->hide();
    progressLayout->addWidget(progressBar_, 0, 0, 1, 2);
    progressLayout->addWidget(stopButton_, 0, 2);
    progressLayout->addWidget(statusLine_, 1, 0);
    progressLayout->addWidget(elapsedTime_, 1, 1, Qt::AlignRight);
    progressLayout->addWidget(rowCount_, 2, 0);
    progressLayout->addWidget(timeLeft_, 2, 1, Qt::AlignRight);
    progressLayout->setColumnStretch(0, 1);
    bottomStrip_->addWidget(progressPage);

    auto* discPage = new QWidget(bottomStrip_);
    auto* discLayout = new QVBoxLayout(discPage);
    discLayout->setContentsMargins(0, 0, 0, 0);
    capacityRuler_ = Named(new CSizeRange(discPage), "capacityRuler");
    rulerCaption_ = Named(new QLabel(discPage), "rulerCaption");
    discLayout->addWidget(capacityRuler_);
    discLayout->addWidget(rulerCaption_);
    bottomStrip_->addWidget(discPage);
    return bottomStrip_;
}

}  // namespace ui
