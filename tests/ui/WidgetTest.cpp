#include "WidgetTest.h"

#include "app/SettingsStore.h"
#include "ini/PrivateProfile.h"
#include "lang/IniTextFile.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <unistd.h>

#include <filesystem>

namespace widget_test {

void WidgetTest::SetUp()
{
    saved_ = app::Application();
    program_ = folder_.Path() + "prog/";
    std::filesystem::create_directories(program_);
    app::Application().programDirectory = program_;
    app::Application().appName = "Test Converter";
    // The window's status record and progress socket are named after it.
    app::Application().appSharedName = "Test_Converter_" + std::to_string(::getpid());
    app::Application().product = app::BuiltInProductIdentity();
    std::filesystem::copy(std::string(SOURCE_DIR) + "data/Languages", program_ + "Languages");
    for (const char* file : {"TarvoIcons.ini", "BrixIcons.ini"})
        std::filesystem::copy_file(std::string(SOURCE_DIR) + "data/" + file, program_ + file);
    UseLanguage("English");
}

void WidgetTest::TearDown()
{
    app::Application() = saved_;
}

void WidgetTest::LoadProfiles(const std::string& iniFile)
{
    ini::PrivateProfile data(iniFile);
    for (const std::string& section : data.SectionNames())
        app::Settings().catalogue.Add(profiles::ReadOutputProfile(data, section));
}

void WidgetTest::UseLanguage(const std::string& name)
{
    ASSERT_TRUE(lang::LanguageTable().LoadFile(program_ + "Languages/" + name + ".ini"));
}

std::unique_ptr<ui::MainDialog> WidgetTest::OpenMainWindow()
{
    auto window = std::make_unique<ui::MainDialog>(dialogs_, desktop_);
    window->show();
    QApplication::setActiveWindow(window.get());
    return window;
}

void OnNextModal(std::function<void(QWidget*)> check)
{
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr) << "no modal dialog opened";
        check(modal);
    });
}

QTreeView* ListView(QWidget* window)
{
    return Find<QTreeView>(window, "sourceList");
}

std::vector<std::string> Column(QWidget* window, int column)
{
    std::vector<std::string> texts;
    const QAbstractItemModel* rows = ListView(window)->model();
    for (int row = 0; row < rows->rowCount(); ++row)
        texts.push_back(rows->index(row, column).data().toString().toStdString());
    return texts;
}

void SelectRows(QWidget* window, const std::vector<int>& rows)
{
    QTreeView* list = ListView(window);
    list->clearSelection();
    for (int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void AddFiles(ui::MainDialog& window, const std::vector<std::string>& paths)
{
    window.SetFilesChooser([&paths](QWidget*, const QString&, const QString&, const QString&) {
        QStringList chosen;
        for (const std::string& path : paths)
            chosen << QString::fromStdString(path);
        return chosen;
    });
    RunAndProbe(window, ui::Command::AddFiles);
}

engine::SourceItem Clip(const std::string& path, std::int32_t seconds)
{
    engine::SourceItem item;
    item.path = path;
    item.width = 160;
    item.height = 120;
    item.duration = static_cast<std::uint32_t>(seconds);
    item.trimEnd = seconds;
    return item;
}

void ExpectAllNamed(QWidget* window)
{
    int checked = 0;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const bool interactive = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
                                 qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractItemView*>(widget);
        if (!interactive || widget->isHidden() || qobject_cast<QComboBox*>(widget->parentWidget()) ||
            qobject_cast<QAbstractItemView*>(widget->parentWidget()))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
            << window->objectName().toStdString() << ": " << widget->metaObject()->className() << " "
            << widget->objectName().toStdString() << " has no accessible name";
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

void WaitForProbes(const ui::MainDialog& window)
{
    EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.Probing(); }, 60000)) << "probing did not end";
}

void RunAndProbe(ui::MainDialog& window, ui::Command command)
{
    window.RunCommand(command);
    WaitForProbes(window);
}

}  // namespace widget_test
