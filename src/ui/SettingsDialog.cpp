#include "SettingsDialog.h"

#include "Accessible.h"
#include "ShellTexts.h"
#include "UiText.h"
#include "app/ConverterApp.h"
#include "app/JobSettings.h"
#include "app/Utilities.h"
#include "engine/ParallelRuns.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr char kSection[] = "SettingsDialog";

}  // namespace

SettingsDialog::SettingsDialog(QWidget* parent, Values values, std::function<void()> languageChanged)
    : QDialog(parent),
      values_(values),
      languageChanged_(std::move(languageChanged)),
      openingDecodeEngine_(values.decodeEngine),
      openingCpuUsage_(values.cpuUsage),
      openingCopyFitting_(values.copyFitting),
      openingWhenDone_(values.whenDone),
      openingKeepSourceList_(values.keepSourceList),
      openingSimultaneousConversions_(values.simultaneousConversions)
{
    setObjectName("SettingsDialog");
    languageLabel_ = new QLabel(this);
    languageList_ = new QComboBox(this);
    languageList_->setObjectName("languageList");
    decodeEngineLabel_ = new QLabel(this);
    decodeEngineList_ = new QComboBox(this);
    decodeEngineList_->setObjectName("decodeEngineList");
    decodeEngineList_->addItems({"Auto", "Build-in Decoder", "Windows Direct Show"});
    cpuUsageLabel_ = new QLabel(this);
    cpuUsageList_ = new QComboBox(this);
    cpuUsageList_->setObjectName("cpuUsageList");
    copyFitting_ = new QCheckBox(this);
    copyFitting_->setObjectName("copyFitting");
    whenDoneLabel_ = new QLabel(this);
    whenDoneList_ = new QComboBox(this);
    whenDoneList_->setObjectName("whenDoneList");
    keepSourceList_ = new QCheckBox(this);
    keepSourceList_->setObjectName("keepSourceList");
    simultaneousLabel_ = new QLabel(this);
    simultaneousList_ = new QComboBox(this);
    simultaneousList_->setObjectName("simultaneousList");
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");

    auto* form = new QFormLayout;
    form->addRow(languageLabel_, languageList_);
    form->addRow(decodeEngineLabel_, decodeEngineList_);
    form->addRow(cpuUsageLabel_, cpuUsageList_);
    form->addRow(simultaneousLabel_, simultaneousList_);
    form->addRow(whenDoneLabel_, whenDoneList_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(copyFitting_);
    layout->addWidget(keepSourceList_);
    layout->addStretch();
    layout->addWidget(buttons_);

    connect(buttons_, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);

    ApplyTexts();
    FillLanguages();
    connect(languageList_, &QComboBox::activated, this, &SettingsDialog::OnLanguageChosen);
    setMinimumWidth(420);
}

// Also puts back the values the dialog opened with.
void SettingsDialog::ApplyTexts()
{
    setWindowTitle(Tr(kSection, "Dialog Title"));
    buttons_->button(QDialogButtonBox::Ok)->setText(Tr("General", "OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(Tr("General", "Cancel"));
    SetLabel(languageLabel_, languageList_, Tr(kSection, "Language"));
    SetLabel(decodeEngineLabel_, decodeEngineList_, Tr(kSection, "Video Decode Engine"));
    SetLabel(cpuUsageLabel_, cpuUsageList_, Tr(kSection, "CPU USAGE"));
    SetLabel(whenDoneLabel_, whenDoneList_, Tr(kSection, "When Done"));
    copyFitting_->setText(Tr(kSection, "Copy Fitting"));
    keepSourceList_->setText(Tr(kSection, "Keep Source List"));
    SetLabel(simultaneousLabel_, simultaneousList_, Tr(kSection, "Simultaneous Conversions"));
    // Automatic first, then 1..4: the row is the stored value.
    simultaneousList_->clear();
    simultaneousList_->addItems({Tr(kSection, "Simultaneous Automatic"), "1", "2", "3", "4"});
    simultaneousList_->setCurrentIndex(engine::ParallelRunsFrom(openingSimultaneousConversions_));
    cpuUsageList_->clear();
    cpuUsageList_->addItems({Tr(kSection, "100% CPU USAGE"), Tr(kSection, "85% CPU USAGE"),
                             Tr(kSection, "70% CPU USAGE")});
    // In the order of app::WhenDone.
    whenDoneList_->clear();
    whenDoneList_->addItems({Tr(kSection, "When Done Nothing"), Tr(kSection, "When Done Shut Down"),
                             Tr(kSection, "When Done Suspend"), Tr(kSection, "When Done Quit")});
    decodeEngineList_->setCurrentIndex(openingDecodeEngine_);
    cpuUsageList_->setCurrentIndex(openingCpuUsage_);
    copyFitting_->setChecked(openingCopyFitting_ != 0);
    whenDoneList_->setCurrentIndex(static_cast<int>(app::WhenDoneFrom(openingWhenDone_)));
    keepSourceList_->setChecked(openingKeepSourceList_ != 0);
}

void SettingsDialog::FillLanguages()
{
    const std::vector<std::string> names = LanguageNames(app::DataDirectory());
    for (const std::string& name : names)
        languageList_->addItem(Qs(name));
    languageList_->setCurrentIndex(LanguageIndexToSelect(names, values_.languageFileName));
}

void SettingsDialog::OnLanguageChosen(int index)
{
    if (index < 0)
        return;
    values_.languageFileName = Ss(languageList_->itemText(index));
    lang::LanguageTable().LoadFile(app::LanguageFilePath(app::DataDirectory(), values_.languageFileName));
    ApplyTexts();
    if (languageChanged_)
        languageChanged_();
}

void SettingsDialog::accept()
{
    values_.decodeEngine = decodeEngineList_->currentIndex();
    values_.copyFitting = copyFitting_->isChecked() ? 1 : 0;
    values_.whenDone = whenDoneList_->currentIndex();
    values_.keepSourceList = keepSourceList_->isChecked() ? 1 : 0;
    values_.simultaneousConversions = simultaneousList_->currentIndex();
    values_.cpuUsage = cpuUsageList_->currentIndex();
    QDialog::accept();
}

}  // namespace ui
