#include "Desktop.h"
#include "HandOverServer.h"
#include "IconMap.h"
#include "MainDialog.h"
#include "MainJob.h"
#include "QueueKeeper.h"
#include "QtUserDialogs.h"
#include "WindowArguments.h"
#include "app/ConverterApp.h"
#include "app/UserFolders.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/PowerSwitch.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

QStringList ArgumentsAfterProgram(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return arguments;
}

std::vector<std::string> LocalPaths(const QStringList& paths)
{
    std::vector<std::string> local;
    for (const QString& path : paths)
        local.push_back(QFile::encodeName(path).toStdString());
    return local;
}

}  // namespace

int main(int argc, char* argv[])
{
    // A screenshot renders the main window off screen into a PNG file and
    // ends; the platform must be chosen before Qt starts.
    if (!ui::ReadWindowArguments(ArgumentsAfterProgram(argc, argv), QString()).screenshot.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const ui::WindowArguments arguments =
        ui::ReadWindowArguments(QApplication::arguments().mid(1), QDir::currentPath());
    for (const QString& ignored : arguments.ignored)
        std::cerr << "diziv: ignored " << ignored.toStdString() << " (use -- before a name that begins with -)\n";
    const std::string screenshot = QFile::encodeName(arguments.screenshot).toStdString();
    ui::IconMap::ChooseIconTheme();
    QtUserDialogs dialogs;
    ui::SystemDesktop desktop;
    platform::SystemPowerSwitch power;
    platform::SteadyClock clock;
    int status = 0;
    app::ConverterApp converter(platform::ExecutableDirectory(), dialogs, [&] {
        ui::MainDialog window(dialogs, desktop);
        ui::MainJob job(window, dialogs, power, clock);
        // Files of a second start join the list of this window.
        ui::HandOverServer handOver([&window](const QStringList& paths) {
            window.AddPaths(paths);
            window.raise();
            window.activateWindow();
        });
        if (converter.HoldsSingleInstance())
            handOver.Listen(QFile::decodeName(app::HandOverSocketPath().c_str()));
        dialogs.SetOwner(&window);
        window.show();
        // The list kept from the last run comes first, before the files
        // named now; a screenshot and a copy without the lock keep no list.
        std::unique_ptr<ui::QueueKeeper> queue;
        if (screenshot.empty() && converter.HoldsSingleInstance()) {
            queue = std::make_unique<ui::QueueKeeper>(window, dialogs);
            QTimer::singleShot(0, &window, [&queue] { queue->Restore(); });
        }
        // The files and the screenshot wait until the event loop has laid
        // the window out.
        if (!arguments.paths.isEmpty())
            QTimer::singleShot(0, &window, [&] { window.AddPaths(arguments.paths); });
        if (!screenshot.empty()) {
            QTimer::singleShot(0, &window, [&] {
                if (!window.grab().save(arguments.screenshot, "PNG")) {
                    std::cerr << "cannot write the screenshot " << screenshot << "\n";
                    status = 1;
                }
                // Closing saves the settings; the window refuses while it is
                // still reading files, so the loop is ended either way.
                window.close();
                QApplication::exit();
            });
        }
        QApplication::exec();
        dialogs.SetOwner(nullptr);
    });
    const int result = converter.Run(LocalPaths(arguments.paths));
    return result != 0 ? result : status;
}
