#include "SubtitleDialog.h"

#include "SourceFiles.h"
#include "SubtitleOptions.h"
#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "engine/CharsetDetection.h"
#include "engine/SubtitlePreview.h"
#include "lang/IniTextFile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using subtitle_options::LanguageText;

namespace {

// The subtitle formats the burn-in filter reads.
constexpr char kSubtitlePatterns[] = "*.srt *.sub *.ssa *.ass *.smi";
constexpr int kPreviewLines = 6;

std::string ChooseSubtitleFile(QWidget* parent, const std::string& folder)
{
    const QString filter = ui::FileDialogFilter(
        kSubtitlePatterns, {LanguageText("General", "Subtitle Files"), LanguageText("General", "All Files")});
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open subtitle file"), QString::fromStdString(folder),
                                        filter)
        .toStdString();
}

QLabel* Label(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return label;
}

}  // namespace

SubtitleDialog::SubtitleDialog(const std::string& sourcePath, const Choice& current, app::UserDialogs& dialogs,
                               QWidget* parent)
    : QDialog(parent), sourcePath_(sourcePath), choice_(current), dialogs_(dialogs), chooseFile_(ChooseSubtitleFile)
{
    setWindowTitle(LanguageText("SubtitleDialog", "Dialog Title"));
    sourceEdit_ = new QLineEdit(QString::fromStdString(sourcePath_));
    sourceEdit_->setReadOnly(true);
    sourceEdit_->setObjectName("sourceEdit");
    charsetList_ = new QComboBox;
    charsetList_->setObjectName("charsetList");
    textSizeList_ = new QComboBox;
    textSizeList_->setObjectName("textSizeList");
    subtitleEdit_ = new QLineEdit(QString::fromStdString(choice_.subtitleFile));
    subtitleEdit_->setReadOnly(true);
    subtitleEdit_->setObjectName("subtitleEdit");
    browseButton_ = new QPushButton(LanguageText("SubtitleDialog", "Browse"));
    browseButton_->setObjectName("browseButton");
    browseButton_->setAccessibleName(browseButton_->text());
    preview_ = new QPlainTextEdit;
    preview_->setObjectName("subtitlePreview");
    preview_->setReadOnly(true);
    preview_->setLineWrapMode(QPlainTextEdit::NoWrap);
    preview_->setFixedHeight(preview_->fontMetrics().lineSpacing() * (kPreviewLines + 1));

    subtitle_options::FillCharsetList(charsetList_, choice_.style.charset);
    subtitle_options::FillTextSizeList(textSizeList_, choice_.style.textSize);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(subtitleEdit_, 1);
    fileRow->addWidget(browseButton_);
    auto* form = new QFormLayout;
    form->addRow(Label(LanguageText("PropertiesDialog", "File Location"), sourceEdit_), sourceEdit_);
    form->addRow(Label(LanguageText("PropertiesDialog", "Subtitle Charset"), charsetList_), charsetList_);
    form->addRow(Label(LanguageText("PropertiesDialog", "Subtitle Text Size"), textSizeList_), textSizeList_);
    form->addRow(Label(LanguageText("SubtitleDialog", "Subtitle File"), subtitleEdit_), fileRow);
    form->addRow(Label(LanguageText("SubtitleDialog", "Preview"), preview_), preview_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(LanguageText("General", "OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setText(LanguageText("General", "Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(520);

    ShowPreview();
    connect(browseButton_, &QPushButton::clicked, this, &SubtitleDialog::OnBrowse);
    connect(charsetList_, &QComboBox::currentIndexChanged, this, &SubtitleDialog::ShowPreview);
    connect(buttons, &QDialogButtonBox::accepted, this, &SubtitleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SubtitleDialog::reject);
}

void SubtitleDialog::OnBrowse()
{
    std::string chosen = chooseFile_(this, app::DirectoryOfPath(sourcePath_));
    if (chosen.empty())
        return;
    choice_.subtitleFile = chosen;
    subtitleEdit_->setText(QString::fromStdString(chosen));
    if (const std::optional<int> detected = engine::DetectSubtitleCharset(chosen))
        charsetList_->setCurrentIndex(*detected);
    ShowPreview();
}

void SubtitleDialog::ShowPreview()
{
    const int row = charsetList_->currentIndex();
    if (choice_.subtitleFile.empty() || row < 0) {
        preview_->clear();
        return;
    }
    const std::string codePage = engine::SubtitleCharsets()[row].codePage;
    preview_->setPlainText(
        QString::fromStdString(engine::SubtitlePreview(choice_.subtitleFile, codePage, kPreviewLines)));
}

void SubtitleDialog::accept()
{
    if (choice_.subtitleFile.empty()) {
        dialogs_.Message(lang::Text("SubtitleDialog", "Select a subtitle"), app::Application().appName);
        return;
    }
    if (subtitle_options::ReadChosenStyle(charsetList_, textSizeList_, dialogs_, choice_.style))
        QDialog::accept();
}
