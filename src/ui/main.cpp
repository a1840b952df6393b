#include "QtUserDialogs.h"
#include "app/Application.h"
#include "app/ConverterApp.h"
#include "app/SettingsStore.h"
#include "platform/FileSystem.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QtUserDialogs dialogs;
    app::ConverterApp converter(platform::ExecutableDirectory(), dialogs, [] {
        QMainWindow window;
        window.setWindowTitle(QString::fromStdString(app::Application().appName));
        window.resize(900, 640);
        window.show();
        QApplication::exec();
        app::Settings().SaveSettings();
    });
    return converter.Run();
}
