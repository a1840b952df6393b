#include "WidgetTest.h"

#include "app/NoticeText.h"
#include "app/Utilities.h"
#include "lang/IniTextFile.h"
#include "support/FakePowerSwitch.h"
#include "ui/AboutDialog.h"
#include "ui/QtUserDialogs.h"
#include "ui/CustomResolutionDialog.h"
#include "ui/FolderBrowser.h"
#include "ui/SettingsDialog.h"
#include "ui/ShutDownDialog.h"
#include "controls/LinkLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace widget_test;
using testing_support::FakePowerSwitch;

namespace {

using Dialogs = WidgetTest;

TEST_F(Dialogs, ShutDownCountsDownAndPowersOffOnce)
{
    FakePowerSwitch power;
    auto open = [&power] {
        auto dialog = std::make_unique<ui::ShutDownDialog>(nullptr, power);
        dialog->show();
        return dialog;
    };
    auto waiting = open();
    ExpectAllNamed(waiting.get());
    auto* countdown = Find<QLabel>(waiting.get(), "countdown");
    EXPECT_EQ(countdown->text().toStdString(), lang::Text("ShutDownDialog", "30 Seconds"));
    waiting->Tick();
    EXPECT_TRUE(countdown->text().contains("29")) << countdown->text().toStdString();
    for (int tick = 2; tick <= 30; ++tick)
        waiting->Tick();
    EXPECT_EQ(power.powerOffs, 0);
    EXPECT_TRUE(waiting->isVisible());
    waiting->Tick();
    waiting->Tick();
    EXPECT_EQ(power.powerOffs, 1);
    EXPECT_FALSE(waiting->isVisible());

    auto cancelled = open();
    QTest::mouseClick(Find<QPushButton>(cancelled.get(), "cancelButton"), Qt::LeftButton);
    for (int tick = 0; tick < 40; ++tick)
        cancelled->Tick();
    EXPECT_EQ(power.powerOffs, 1) << "Cancel powers nothing off";

    QTest::mouseClick(Find<QPushButton>(open().get(), "shutDownNowButton"), Qt::LeftButton);
    EXPECT_EQ(power.powerOffs, 2);
}

// Each action speaks of itself and takes only its own step, once, whether
// the countdown runs out or the user presses the button.
TEST_F(Dialogs, SuspendAndQuitCountDownLikeShutDown)
{
    const struct {
        app::WhenDone action;
        const char* countdownKey;
        const char* nowKey;
        int powerOffs, suspends;
        bool windowCloses;
    } cases[] = {
        {app::WhenDone::ShutDown, "30 Seconds", "Shut Down Now", 1, 0, false},
        {app::WhenDone::Suspend, "Suspend Countdown", "Suspend Now", 0, 1, false},
        {app::WhenDone::Quit, "Quit Countdown", "Quit Now", 0, 0, true},
    };
    for (const auto& c : cases) {
        for (bool pressNow : {false, true}) {
            SCOPED_TRACE(std::string(c.nowKey) + (pressNow ? " pressed" : " waited for"));
            FakePowerSwitch power;
            QWidget window;
            window.show();
            ui::ShutDownDialog dialog(&window, power, c.action);
            dialog.show();
            auto* countdown = Find<QLabel>(&dialog, "countdown");
            auto* now = Find<QPushButton>(&dialog, "shutDownNowButton");
            EXPECT_EQ(countdown->text().toStdString(), lang::Text("ShutDownDialog", c.countdownKey));
            EXPECT_EQ(now->text().toStdString(), lang::Text("ShutDownDialog", c.nowKey));
            dialog.Tick();
            EXPECT_TRUE(countdown->text().contains("29")) << countdown->text().toStdString();
            if (pressNow) {
                QTest::mouseClick(now, Qt::LeftButton);
            } else {
                for (int tick = 1; tick <= ui::ShutDownDialog::kSeconds + 2; ++tick) {
                    dialog.Tick();
                }
            }
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_TRUE(window.isVisible()) << "the window closes from the event loop, not inside the dialog";
            QCoreApplication::processEvents();
            EXPECT_EQ(power.powerOffs, c.powerOffs);
            EXPECT_EQ(power.suspends, c.suspends);
            EXPECT_EQ(!window.isVisible(), c.windowCloses);
        }
    }
}

TEST_F(Dialogs, CustomResolutionLimits)
{
    const struct {
        const char* width;
        const char* height;
        bool accepted;
    } cases[] = {
        {"16", "16", true},     {"1920", "1920", true}, {"15", "1080", false},
        {"1921", "1080", false}, {"", "480", false},     {"640", "0", false},
    };
    for (const auto& c : cases) {
        dialogs_.shown.clear();
        ui::CustomResolutionDialog dialog(nullptr, dialogs_, c.width, c.height);
        dialog.show();
        QTest::mouseClick(Find<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.width << "x" << c.height;
        EXPECT_EQ(dialog.isVisible(), !c.accepted);
        if (!c.accepted) {
            ASSERT_EQ(dialogs_.shown.size(), 1u);
            EXPECT_EQ(dialogs_.shown[0].text,
                      "\n   " + lang::Text("CustomResolutionDialog", "Width Height Range") + "\n\n");
            EXPECT_EQ(dialogs_.shown[0].caption, "Test Converter");
        }
    }
    ui::CustomResolutionDialog dialog(nullptr, dialogs_, "0", "0");
    ExpectAllNamed(&dialog);
    auto* width = Find<QLineEdit>(&dialog, "widthEdit");
    width->clear();
    QTest::keyClicks(width, "7x2-0 489");
    EXPECT_EQ(width->text(), "7204") << "four digits only";
}

// Switching the language from the settings dialog is tested through the
// main window (FormatControlsTest); here OK and Cancel.
TEST_F(Dialogs, SettingsOkStoresTheChoicesAndCancelNothing)
{
    std::string language = "German";
    int decodeEngine = 0, cpuUsage = 1, copyFitting = 1, whenDone = 0, keepSourceList = 1, simultaneous = 0;
    const auto values = [&]() -> ui::SettingsDialog::Values {
        return {language, decodeEngine, cpuUsage, copyFitting, whenDone, keepSourceList, simultaneous};
    };
    {
        ui::SettingsDialog dialog(nullptr, values(), {});
        ExpectAllNamed(&dialog);
        EXPECT_EQ(Find<QComboBox>(&dialog, "languageList")->currentText(), "German");
        EXPECT_EQ(Find<QComboBox>(&dialog, "cpuUsageList")->currentIndex(), 1);
        EXPECT_TRUE(Find<QCheckBox>(&dialog, "copyFitting")->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(&dialog, "keepSourceList")->isChecked());
        EXPECT_EQ(Find<QComboBox>(&dialog, "simultaneousList")->currentText().toStdString(),
                  lang::Text("SettingsDialog", "Simultaneous Automatic"));
        Find<QComboBox>(&dialog, "decodeEngineList")->setCurrentIndex(2);
        Find<QCheckBox>(&dialog, "copyFitting")->setChecked(false);
        Find<QComboBox>(&dialog, "whenDoneList")->setCurrentIndex(1);
        Find<QComboBox>(&dialog, "simultaneousList")->setCurrentIndex(2);
        dialog.reject();
        EXPECT_EQ(decodeEngine, 0);
        EXPECT_EQ(copyFitting, 1);
        EXPECT_EQ(whenDone, 0);
        EXPECT_EQ(simultaneous, 0);
    }
    ui::SettingsDialog dialog(nullptr, values(), {});
    auto* whenDoneList = Find<QComboBox>(&dialog, "whenDoneList");
    EXPECT_EQ(whenDoneList->count(), 4);
    EXPECT_EQ(whenDoneList->itemText(1).toStdString(), lang::Text("SettingsDialog", "When Done Shut Down"));
    Find<QComboBox>(&dialog, "decodeEngineList")->setCurrentIndex(1);
    Find<QComboBox>(&dialog, "cpuUsageList")->setCurrentIndex(2);
    whenDoneList->setCurrentIndex(2);
    Find<QCheckBox>(&dialog, "copyFitting")->setChecked(false);
    Find<QCheckBox>(&dialog, "keepSourceList")->setChecked(false);
    Find<QComboBox>(&dialog, "simultaneousList")->setCurrentIndex(3);
    QTest::mouseClick(Find<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
    EXPECT_EQ(decodeEngine, 1);
    EXPECT_EQ(cpuUsage, 2);
    EXPECT_EQ(whenDone, 2);
    EXPECT_EQ(copyFitting, 0);
    EXPECT_EQ(keepSourceList, 0);
    EXPECT_EQ(simultaneous, 3) << "three conversions at once";

    ui::SettingsDialog reopened(nullptr, values(), {});
    EXPECT_EQ(Find<QComboBox>(&reopened, "whenDoneList")->currentIndex(), 2) << "the dialog shows the choice made";
    EXPECT_EQ(Find<QComboBox>(&reopened, "simultaneousList")->currentText(), "3");
}

TEST_F(Dialogs, AboutMailsSupportWithTheProductInTheSubject)
{
    ui::AboutDialog dialog(nullptr, desktop_, QIcon());
    ExpectAllNamed(&dialog);
    auto* link = Find<LinkLabel>(&dialog, "supportLink");
    Q_EMIT link->linkActivated(link->Target());
    const app::ProductIdentity& product = app::Application().product;
    ASSERT_EQ(desktop_.opened.size(), 1u);
    EXPECT_EQ(desktop_.opened[0].scheme(), "mailto");
    EXPECT_EQ(desktop_.opened[0].path().toStdString(), product.supportEmail);
    EXPECT_EQ(desktop_.opened[0].query(QUrl::FullyDecoded).toStdString(),
              "subject=" + product.applicationName + " --Technical Support");
}

// The final message's extra button answers true only when pressed; OK
// stays the default.
TEST_F(Dialogs, AnOfferedChoiceIsTakenOnlyByItsButton)
{
    QtUserDialogs dialogs;
    const app::Notice notice{app::NoticeId::JobAccomplished, {"2"}};
    for (const char* pressed : {"offeredButton", "ok"}) {
        std::string text;
        OnNextModal([&](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(message, nullptr);
            text = message->text().toStdString();
            EXPECT_EQ(message->defaultButton(), message->button(QMessageBox::Ok));
            EXPECT_EQ(Find<QPushButton>(box, "offeredButton")->text(), "Open the folder");
            if (std::string(pressed) == "ok")
                message->button(QMessageBox::Ok)->click();
            else
                Find<QPushButton>(box, "offeredButton")->click();
        });
        EXPECT_EQ(dialogs.Offer(notice, "Open the folder"), std::string(pressed) == "offeredButton") << pressed;
        EXPECT_EQ(text, app::NoticeText(notice));
    }
}

TEST_F(Dialogs, FolderBrowserValidatesTheTypedFolder)
{
    ui::FolderBrowser browser(nullptr, dialogs_, "Change...", "Choose a folder", QString::fromStdString(folder_.Path() + "home/"));
    browser.show();
    ExpectAllNamed(&browser);
    auto* edit = Find<QLineEdit>(&browser, "folderEdit");
    auto* ok = Find<QPushButton>(&browser, "okButton");
    EXPECT_EQ(edit->text().toStdString(), folder_.Path() + "home");

    edit->clear();
    QTest::keyClicks(edit, "x");
    edit->clear();
    Q_EMIT edit->textEdited("");
    EXPECT_FALSE(ok->isEnabled()) << "OK needs a folder";

    const std::string invalid = folder_.Path() + "home/Out/";
    edit->setText(QString::fromStdString(invalid));
    Q_EMIT edit->textEdited(edit->text());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(browser.isVisible());
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "The folder:\n\n" + invalid + "\n\nis invalid. Please reenter.");

    const std::string fresh = folder_.Path() + "home/New Videos";
    edit->setText(QString::fromStdString(fresh));
    QTest::mouseClick(ok, Qt::LeftButton);  // answered No
    EXPECT_TRUE(browser.isVisible());
    EXPECT_FALSE(app::DirectoryExists(fresh));

    dialogs_.Answer(true);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(browser.result(), QDialog::Accepted);
    EXPECT_EQ(browser.Folder().toStdString(), fresh);
    EXPECT_TRUE(app::DirectoryExists(fresh));
}

}  // namespace
