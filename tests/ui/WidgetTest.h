#pragma once
// Shared set-up of the headless window tests: a QApplication, a program
// directory holding the shipped data files, and recorders for everything
// the windows would open outside the program.
#include "app/Application.h"
#include "engine/SourceItem.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"
#include "ui/Desktop.h"
#include "ui/MainDialog.h"

#include <QApplication>
#include <QTimer>
#include <QTreeView>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace widget_test {

class RecordingDesktop : public ui::Desktop {
public:
    bool Open(const QUrl& target) override
    {
        opened.push_back(target);
        return hasPrograms;
    }
    std::vector<QUrl> opened;
    bool hasPrograms = true;  // false: a desktop without a browser or file manager
};

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Fills the settings' catalogue from a profile file in INI form.
    static void LoadProfiles(const std::string& iniFile);
    // Loads a shipped language file into the language table.
    void UseLanguage(const std::string& name);
    const std::string& Program() const { return program_; }
    // The main window, shown and active.
    std::unique_ptr<ui::MainDialog> OpenMainWindow();

    testing_support::TestFolder folder_;
    testing_support::RecordingDialogs dialogs_;
    RecordingDesktop desktop_;

private:
    app::ApplicationValues saved_;
    std::string program_;
};

// Waits until the files a command or a drop added are probed.
void WaitForProbes(const ui::MainDialog& window);
// Runs a command of the window, then WaitForProbes.
void RunAndProbe(ui::MainDialog& window, ui::Command command);

// Runs check on the next modal dialog once it is open; check must close it.
void OnNextModal(std::function<void(QWidget*)> check);

// The child of a window with the given object name; fails the test if missing.
template <typename Widget>
Widget* Find(QWidget* window, const char* name)
{
    Widget* widget = window->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << "no widget named " << name;
    return widget;
}

// The main window's source list; the texts of one of its columns; selects
// exactly the given rows.
QTreeView* ListView(QWidget* window);
std::vector<std::string> Column(QWidget* window, int column);
void SelectRows(QWidget* window, const std::vector<int>& rows);

// Runs Add Files with the file chooser answering paths (none: cancelled)
// and waits until they are probed.
void AddFiles(ui::MainDialog& window, const std::vector<std::string>& paths);

// A 160x120 source of that length, untrimmed, as a probe describes it.
engine::SourceItem Clip(const std::string& path, std::int32_t seconds = 10);

// Every button, list, box and edit of the window has a name that assistive
// tools read (its own text, its label's text or its tooltip).
void ExpectAllNamed(QWidget* window);

}  // namespace widget_test
