#pragma once
// A main window with its conversion job, headless, on a catalogue and
// output folder of the test's own.
#include "WidgetTest.h"

#include "app/SettingsStore.h"
#include "support/FakePowerSwitch.h"
#include "ui/MainJob.h"
#include "platform/Clock.h"

#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace widget_test {

// Gives out the listed times one by one, then keeps the last.
class ScriptedClock : public platform::Clock {
public:
    std::uint64_t NowMs() const override;
    mutable std::deque<std::uint64_t> times{1000};

private:
    mutable std::uint64_t last_ = 0;
};

class JobWindow : public WidgetTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The catalogue slot of the profile with that short name.
    int SlotOf(const std::string& shortName) const;
    // Opens the window and its job with the profile in slot selected,
    // closing the one opened before and forgetting its messages.
    void Open(int slot);
    // The joiner edition, or with false the converter edition.
    void UseJoinerEdition(bool joiner = true);

    // Presses Convert (Join) and returns when the job has ended.
    void Convert();
    // Runs during the job, every 10 ms.
    void WhileRunning(std::function<void()> check);

    std::vector<std::string> Statuses() const { return Column(window_.get(), 4); }
    std::vector<bool> Ticks() const;
    std::vector<std::string> Messages() const;
    // The names in the output folder, sorted.
    std::vector<std::string> OutputFiles() const { return testing_support::FileNames(OutputFolder()); }
    std::string OutputFolder() const { return folder_.Path() + "out/"; }

    testing_support::FakePowerSwitch power_;
    ScriptedClock clock_;
    std::unique_ptr<ui::MainDialog> window_;
    std::unique_ptr<ui::MainJob> job_;

private:
    app::SettingsStore savedSettings_;
    QTimer watch_;
};

}  // namespace widget_test
