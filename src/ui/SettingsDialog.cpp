#include "SettingsDialog.h"

#include "Accessible.h"
#include "ShellTexts.h"
#include "UiText.h"
#include "app/ConverterApp.h"
#include "app/Utilities.h"

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
      openingAutoShutdown_(values.autoShutdown),
      openingCopyFitting_(values.copyFitting),
      openingKeepSourceList_(values.keepSourceList)
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
    autoShutdown_ = new QCheckBox(this);
    autoShutdown_->setObjectName("autoShutdown");
    copyFitting_ = new QCheckBox(this);
    copyFitting_->setObjectName("copyFitting");
    keepSourceList_ = new QCheckBox(this);
    keepSourceList_->setObjectName("keepSourceList");
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");

    auto* form = new QFormLayout;
    form->addRow(languageLabel_, languageList_);
    form->addRow(decodeEngineLabel_, decodeEngineList_);
    form->addRow(cpuUsageLabel_, cpuUsageList_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(autoShutdown_);
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
    autoShutdown_->setText(Tr(kSection, "Auto Shutdown"));
    copyFitting_->setText(Tr(kSection, "Copy Fitting"));
    keepSourceList_->setText(Tr(kSection, "Keep Source List"));
    cpuUsageList_->clear();
    cpuUsageList_->addItems({Tr(kSection, "100% CPU USAGE"), Tr(kSection, "85% CPU USAGE"),
                             Tr(kSection, "70% CPU USAGE")});
    decodeEngineList_->setCurrentIndex(openingDecodeEngine_);
    cpuUsageList_->setCurrentIndex(openingCpuUsage_);
    autoShutdown_->setChecked(openingAutoShutdown_ != 0);
    copyFitting_->setChecked(openingCopyFitting_ != 0);
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
    values_.autoShutdown = autoShutdown_->isChecked() ? 1 : 0;
    values_.copyFitting = copyFitting_->isChecked() ? 1 : 0;
    values_.keepSourceList = keepSourceList_->isChecked() ? 1 : 0;
    values_.cpuUsage = cpuUsageList_->currentIndex();
    QDialog::accept();
}

}  // namespace ui
