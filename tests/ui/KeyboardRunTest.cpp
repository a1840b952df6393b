// Adding, trimming, a subtitle and converting with the keyboard alone,
// through the real window with the fake engine as the tools.
#include "JobWindowFixture.h"

#include "support/FakeEngine.h"
#include "ui/SubtitleDialog.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace widget_test;
using testing_support::FakeEngineScript;

namespace {

class KeyboardRun : public JobWindow {
protected:
    void SetUp() override
    {
        JobWindow::SetUp();
        testing_support::InstallFakeEngine(Program());
        LoadProfiles(std::string(SOURCE_DIR) + "data/profiles.ini");
        folder_.Write("prog/system/fonts/ARIAL.TTF", "");
    }

    // Presses a key where the keyboard goes: the focus of the open dialog or
    // else of the main window. The window manager activates a dialog that
    // opens, and the window again when it closes (as when the scanning
    // window closes); the off-screen platform leaves that to the test.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* top = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : window_.get();
        if (QApplication::activeWindow() != top) {
            QApplication::setActiveWindow(top);
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : top, key, modifiers);
    }

    // Presses Tab until target has the focus; false when it never gets it.
    bool TabTo(QWidget* target)
    {
        for (int presses = 0; presses < 60 && !target->hasFocus(); ++presses) {
            Press(Qt::Key_Tab);
        }
        return target->hasFocus();
    }

    // Closes the dialog if the keys left it open, so that a failing test ends.
    static void CloseLeftOpen(QWidget* dialog)
    {
        QTimer::singleShot(0, [open = QPointer<QWidget>(dialog)] {
            if (open && open->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                open->close();
            }
        });
    }
};

TEST_F(KeyboardRun, AddTrimSubtitleAndConvert)
{
    folder_.Write("videos/a.avi", std::string(2048, 'v'));
    folder_.Write("subs/a.srt", "1\n00:00:00,000 --> 00:00:01,000\nx\n");
    const std::string video = folder_.Path() + "videos/a.avi";
    const std::string subtitle = folder_.Path() + "subs/a.srt";
    Open(SlotOf("generic-mp4"));
    window_->SetFilesChooser([&video](QWidget*, const QString&, const QString&, const QString&) {
        return QStringList{QString::fromStdString(video)};
    });
    {
        FakeEngineScript probe("facts=160,120,95,800,128;result=0");
        Press(Qt::Key_O, Qt::ControlModifier);
        WaitForProbes(*window_);
    }
    ASSERT_EQ(window_->SourceCount(), 1);

    QTreeView* list = ListView(window_.get());
    ASSERT_TRUE(TabTo(list));
    ASSERT_TRUE(list->selectionModel()->isRowSelected(0)) << "the list entered with Tab selects its row";

    // Trim: a time typed and Enter, which presses OK; Esc cancels.
    OnNextModal([this](QWidget* dialog) {
        ASSERT_TRUE(TabTo(Find<QWidget>(dialog, "startEdit")));
        Press(Qt::Key_Home);
        QTest::keyClicks(QApplication::focusWidget(), "000010");
        Press(Qt::Key_Return);
        CloseLeftOpen(dialog);
    });
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window_->SourceAt(0).trimStart, 10);
    EXPECT_EQ(window_->SourceAt(0).trimEnd, 95);
    OnNextModal([this](QWidget* dialog) {
        Press(Qt::Key_Right);
        Press(Qt::Key_Escape);
        CloseLeftOpen(dialog);
    });
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(window_->SourceAt(0).trimStart, 10) << "Esc keeps the range";

    // Subtitle: Browse with Space, then OK with Enter.
    OnNextModal([this, &subtitle](QWidget* modal) {
        auto* dialog = qobject_cast<SubtitleDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->SetFileChooser([&subtitle](QWidget*, const std::string&) { return subtitle; });
        ASSERT_TRUE(TabTo(Find<QPushButton>(dialog, "browseButton")));
        Press(Qt::Key_Space);
        ASSERT_TRUE(TabTo(Find<QPushButton>(dialog, "okButton")));
        Press(Qt::Key_Return);
        CloseLeftOpen(dialog);
    });
    Press(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(window_->SourceAt(0).subtitleFile, subtitle);

    FakeEngineScript convert("write-output;result=0");
    ASSERT_TRUE(TabTo(Find<QToolButton>(window_.get(), "convertButton")));
    Press(Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !job_->Busy(); }, 60000)) << "the job did not end";
    EXPECT_EQ(Statuses(), std::vector<std::string>{"Done"});
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"a.mp4"});
}

}  // namespace
