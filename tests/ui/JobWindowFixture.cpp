#include "JobWindowFixture.h"

#include "app/SettingsStore.h"

#include <QTest>

namespace widget_test {

std::uint64_t ScriptedClock::NowMs() const
{
    if (!times.empty()) {
        last_ = times.front();
        times.pop_front();
    }
    return last_;
}

void JobWindow::SetUp()
{
    WidgetTest::SetUp();
    savedSettings_ = std::move(app::Settings());
    app::Settings() = app::SettingsStore();
    app::Settings().OutputFolder = OutputFolder();
    watch_.setInterval(10);
}

void JobWindow::TearDown()
{
    watch_.stop();
    job_.reset();
    window_.reset();
    app::Settings() = std::move(savedSettings_);
    WidgetTest::TearDown();
}

int JobWindow::SlotOf(const std::string& shortName) const
{
    const profiles::ProfileCatalogue& catalogue = app::Settings().catalogue;
    for (int slot = 0; slot < catalogue.Count(); ++slot)
        if (catalogue.Profile(slot)->profile_shortname == shortName)
            return slot;
    ADD_FAILURE() << "no profile " << shortName;
    return -1;
}

void JobWindow::UseJoinerEdition(bool joiner)
{
    app::Application().product.applicationName = joiner ? "Diziv Udozir Video Joiner" : "Diziv Video Converter";
}

void JobWindow::Open(int slot)
{
    job_.reset();
    window_.reset();
    dialogs_.shown.clear();
    app::Settings().OutputFormat = slot;
    window_ = std::make_unique<ui::MainDialog>(dialogs_, desktop_);
    job_ = std::make_unique<ui::MainJob>(*window_, dialogs_, power_, clock_);
    window_->show();
}

void JobWindow::Convert()
{
    window_->RunCommand(ui::Command::Convert);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !job_->Busy(); }, 120000)) << "the job did not end";
    watch_.stop();
}

void JobWindow::WhileRunning(std::function<void()> check)
{
    QObject::disconnect(&watch_, nullptr, nullptr, nullptr);
    QObject::connect(&watch_, &QTimer::timeout, [this, check] {
        if (job_->Busy())
            check();
    });
    watch_.start();
}

std::vector<bool> JobWindow::Ticks() const
{
    std::vector<bool> ticks;
    for (int row = 0; row < window_->SourceCount(); ++row)
        ticks.push_back(window_->IsTicked(row));
    return ticks;
}

std::vector<std::string> JobWindow::Messages() const
{
    std::vector<std::string> texts;
    for (const auto& shown : dialogs_.shown)
        texts.push_back(shown.text);
    return texts;
}

}  // namespace widget_test
