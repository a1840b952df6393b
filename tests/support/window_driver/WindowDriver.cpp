// A stand-in for the user of the built window program in tests. Qt loads it
// into the program when QT_QPA_GENERIC_PLUGINS names "window_driver" and
// QT_PLUGIN_PATH holds its folder; it then acts on the windows as set by:
//   WINDOW_DRIVER_CONVERT_AT=N   press Convert once the source list has N rows
//   WINDOW_DRIVER_LOG=FILE       append the text of every message box, one
//                                line each (line breaks as blanks)
//   WINDOW_DRIVER_CLOSE_AFTER=K  close the main window after the K-th box
// Every message box is answered with its accepting button (Yes, OK).
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr int kPollMs = 50;

int NumberFromEnvironment(const char* name)
{
    bool ok = false;
    const int number = qEnvironmentVariableIntValue(name, &ok);
    return ok ? number : -1;
}

QWidget* MainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "MainDialog" && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

class WindowDriver : public QObject {
public:
    WindowDriver()
        : convertAt_(NumberFromEnvironment("WINDOW_DRIVER_CONVERT_AT")),
          closeAfter_(NumberFromEnvironment("WINDOW_DRIVER_CLOSE_AFTER")),
          logPath_(qEnvironmentVariable("WINDOW_DRIVER_LOG"))
    {
        timer_.setInterval(kPollMs);
        connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
        timer_.start();
    }

private:
    void Look()
    {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            Answer(box);
            return;
        }
        QWidget* window = MainWindow();
        if (QApplication::activeModalWidget() || !window) {
            return;
        }
        if (closeAfter_ >= 0 && answered_ >= closeAfter_) {
            closeAfter_ = -1;
            window->close();
            return;
        }
        auto* list = window->findChild<QAbstractItemView*>("sourceList");
        auto* convert = window->findChild<QAbstractButton*>("convertButton");
        if (convertAt_ >= 0 && list && convert && list->model()->rowCount() == convertAt_ && window->isEnabled()) {
            convertAt_ = -1;
            convert->click();
        }
    }

    void Answer(QMessageBox* box)
    {
        if (!logPath_.isEmpty()) {
            QFile log(logPath_);
            if (log.open(QIODevice::Append)) {
                log.write(box->text().simplified().toUtf8() + '\n');
            }
        }
        ++answered_;
        for (QAbstractButton* button : box->buttons()) {
            const QMessageBox::ButtonRole role = box->buttonRole(button);
            if (role == QMessageBox::YesRole || role == QMessageBox::AcceptRole) {
                button->click();
                return;
            }
        }
        box->close();
    }

    int convertAt_;
    int closeAfter_;
    QString logPath_;
    int answered_ = 0;
    QTimer timer_;
};

}  // namespace

class WindowDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "WindowDriver.json")
public:
    QObject* create(const QString& name, const QString& parameters) override
    {
        Q_UNUSED(parameters);
        return name == "window_driver" ? new WindowDriver : nullptr;
    }
};

#include "WindowDriver.moc"
