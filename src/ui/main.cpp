#include "Desktop.h"
#include "IconMap.h"
#include "MainDialog.h"
#include "MainJob.h"
#include "QtUserDialogs.h"
#include "app/ConverterApp.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/PowerSwitch.h"

#include <QApplication>
#include <QTimer>

#include <cstring>
#include <iostream>
#include <string>

namespace {

// "--screenshot FILE": render the main window off screen into a PNG file
// and end, instead of running the window.
std::string ScreenshotFile(int argc, char* argv[])
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--screenshot") == 0)
            return argv[i + 1];
    return {};
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::string screenshot = ScreenshotFile(argc, argv);
    if (!screenshot.empty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ui::IconMap::ChooseIconTheme();
    QtUserDialogs dialogs;
    ui::SystemDesktop desktop;
    platform::SystemPowerSwitch power;
    platform::SteadyClock clock;
    int status = 0;
    app::ConverterApp converter(platform::ExecutableDirectory(), dialogs, [&] {
        ui::MainDialog window(dialogs, desktop);
        ui::MainJob job(window, dialogs, power, clock);
        dialogs.SetOwner(&window);
        window.show();
        // A screenshot is taken once the event loop has laid the window out.
        if (!screenshot.empty()) {
            QTimer::singleShot(0, &window, [&] {
                if (!window.grab().save(QString::fromStdString(screenshot), "PNG")) {
                    std::cerr << "cannot write the screenshot " << screenshot << "\n";
                    status = 1;
                }
                QApplication::quit();
            });
        }
        QApplication::exec();
        dialogs.SetOwner(nullptr);
    });
    const int result = converter.Run();
    return result != 0 ? result : status;
}
