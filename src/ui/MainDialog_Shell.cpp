// The settings and about dialogs, the home page and the help page.
#include "MainDialog.h"

#include "AboutDialog.h"
#include "Desktop.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/Utilities.h"

namespace ui {

void MainDialog::OnAbout()
{
    AboutDialog about(this, desktop_, windowIcon());
    about.exec();
}

void MainDialog::OnHome()
{
    desktop_.Open(QUrl(Qs(app::Application().product.webSite)));
}

// A missing help file shows nothing.
void MainDialog::OnHelp()
{
    const std::string page = app::ProgramDirectory() + "Help/Overview/Overview.htm";
    if (app::FileExists(page))
        desktop_.Open(QUrl::fromLocalFile(Qs(page)));
}

}  // namespace ui
