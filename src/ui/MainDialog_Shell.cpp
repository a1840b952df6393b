// The settings and about dialogs, the home page and the help page.
#include "MainDialog.h"

#include "AboutDialog.h"
#include "Desktop.h"
#include "HelpWindow.h"
#include "SettingsDialog.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/LanguageChoice.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"

namespace ui {

// A new language re-applies every text of the window at once. The output
// controls are folded into the profile's choices before they are rebuilt,
// so that choices not yet stored survive the refill.
void MainDialog::OnSettings()
{
    app::SettingsStore& settings = app::Settings();
    auto refill = [this] {
        ApplyTexts();
        SaveMainWindowState();
        FillFormatList();
    };
    SettingsDialog dialog(
        this,
        {settings.LanguageFileName, settings.DecodeEngine, settings.CPUUsage, settings.CopyFitting, settings.whenDone,
         settings.KeepSourceList, settings.SimultaneousConversions},
        refill);
    if (dialog.exec() == QDialog::Accepted) {
        SaveMainWindowState();
        FillFormatList();
    }
}

void MainDialog::OnAbout()
{
    AboutDialog about(this, desktop_, windowIcon());
    about.exec();
}

void MainDialog::OnHome()
{
    desktop_.Open(QUrl(Qs(app::Application().product.webSite)));
}

// A missing help file shows nothing. Without a browser on the desktop the
// guide opens in the program's own help window.
void MainDialog::OnHelp()
{
    const std::string page = app::GuidePath(app::DataDirectory(), app::Settings().LanguageFileName);
    if (!app::FileExists(page))
        return;
    const QUrl url = QUrl::fromLocalFile(Qs(page));
    if (desktop_.Open(url))
        return;
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this);
    helpWindow_->ShowPage(url);
}

}  // namespace ui
