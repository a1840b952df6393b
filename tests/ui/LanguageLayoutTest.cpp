// Every shipped language fits the windows: no label, button or check box
// is narrower or lower than its text needs, no window outgrows a 1024x768
// screen, and switching the language
// while the window is open leaves no text of the old one behind.
#include "WidgetTest.h"

#include "app/SettingsStore.h"
#include "lang/IniTextFile.h"
#include "support/ShippedLanguages.h"
#include "ui/AdvancedDialog.h"
#include "ui/SettingsDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include <set>
#include <string>
#include <vector>

namespace {

using namespace widget_test;

class LanguageLayout : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        saved_ = app::Settings();
        LoadProfiles(std::string(SOURCE_DIR) + "data/profiles.ini");
    }
    void TearDown() override
    {
        app::Settings() = saved_;
        WidgetTest::TearDown();
    }

    static int SlotNamed(const std::string& name)
    {
        const auto& catalogue = app::Settings().catalogue;
        for (int slot = 0; slot < catalogue.Count(); ++slot)
            if (catalogue.Profile(slot)->name == name)
                return slot;
        ADD_FAILURE() << "no profile " << name;
        return 0;
    }

    app::SettingsStore saved_;
};

std::vector<std::string> LanguageNames()
{
    std::vector<std::string> names;
    for (const auto& path : testing_support::ShippedLanguageFiles())
        names.push_back(path.stem().string());
    return names;
}

// Whether a window's layout fits the smallest common desktop screen.
bool FitsSmallScreen(QWidget* window)
{
    const QSize needed = window->minimumSizeHint();
    return needed.width() <= 1024 && needed.height() <= 768;
}

// The texts of a window's visible labels, buttons and check boxes that do
// not get the room their size hint asks for.
std::vector<std::string> CutTexts(QWidget* window)
{
    QApplication::processEvents();
    std::vector<std::string> cut;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        QString text;
        bool fits = widget->width() >= widget->sizeHint().width() && widget->height() >= widget->sizeHint().height();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            if (label->wordWrap())
                fits = label->heightForWidth(label->width()) <= label->height();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
        }
        if (!text.isEmpty() && !fits)
            cut.push_back(widget->objectName().toStdString() + " \"" + text.toStdString() + "\" " +
                          std::to_string(widget->width()) + "x" + std::to_string(widget->height()) + " < " +
                          std::to_string(widget->sizeHint().width()) + "x" +
                          std::to_string(widget->sizeHint().height()));
    }
    return cut;
}

// Every text the main window shows: labels, buttons, list entries, column
// headers, menus and the title.
std::vector<std::string> VisibleTexts(QWidget* window)
{
    std::vector<std::string> texts = {window->windowTitle().toStdString()};
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts.push_back(label->text().toStdString());
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts.push_back(button->text().toStdString());
        else if (auto* list = qobject_cast<QComboBox*>(widget))
            for (int row = 0; row < list->count(); ++row)
                texts.push_back(list->itemText(row).toStdString());
        else if (auto* header = qobject_cast<QHeaderView*>(widget))
            for (int column = 0; column < header->count(); ++column)
                texts.push_back(header->model()->headerData(column, header->orientation()).toString().toStdString());
    }
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        texts.push_back(menu->title().toStdString());
        for (QAction* action : menu->actions())
            texts.push_back(action->text().toStdString());
    }
    return texts;
}

}  // namespace

TEST_F(LanguageLayout, EveryLanguageFitsTheMainSettingsAndAdvancedWindows)
{
    for (const std::string& language : LanguageNames()) {
        SCOPED_TRACE(language);
        UseLanguage(language);
        for (const char* profile : {"MP4 - H.264 Video", "DVD Folder (VIDEO_TS)"}) {
            SCOPED_TRACE(profile);
            const int slot = SlotNamed(profile);
            app::Settings().OutputFormat = slot;
            {
                auto window = OpenMainWindow();
                EXPECT_EQ(CutTexts(window.get()), std::vector<std::string>{}) << "main window";
                EXPECT_TRUE(FitsSmallScreen(window.get())) << "main window";
            }
            int volume = 8, dvdChapter = 0, speed = 1;
            ui::AdvancedDialog advanced(nullptr, *app::Settings().catalogue.Profile(slot),
                                        *app::Settings().catalogue.Choice(slot), volume, dvdChapter, speed);
            advanced.show();
            EXPECT_EQ(CutTexts(&advanced), std::vector<std::string>{}) << "advanced window";
            EXPECT_TRUE(FitsSmallScreen(&advanced)) << "advanced window";
        }
        std::string languageFile = language;
        int decodeEngine = 0, cpuUsage = 0, copyFitting = 1, whenDone = 0, keepSourceList = 1, simultaneous = 0;
        ui::SettingsDialog settings(
            nullptr, {languageFile, decodeEngine, cpuUsage, copyFitting, whenDone, keepSourceList, simultaneous}, {});
        settings.show();
        EXPECT_EQ(CutTexts(&settings), std::vector<std::string>{}) << "settings window";
        EXPECT_TRUE(FitsSmallScreen(&settings)) << "settings window";
    }
}

// From English to each other language through the settings window: every
// English text that the language translates differently is gone.
TEST_F(LanguageLayout, SwitchingTheLanguageReplacesEveryVisibleText)
{
    const auto english = testing_support::ReadLanguageTexts(Program() + "Languages/English.ini");
    app::Settings().OutputFormat = SlotNamed("MP4 - H.264 Video");
    for (const std::string& language : LanguageNames()) {
        if (language == "English")
            continue;
        SCOPED_TRACE(language);
        const auto translated = testing_support::ReadLanguageTexts(Program() + "Languages/" + language + ".ini");
        std::set<std::string> untranslated;
        for (const auto& [key, text] : english)
            if (translated.at(key) != text)
                untranslated.insert(text);

        UseLanguage("English");
        app::Settings().LanguageFileName = "English";
        auto window = OpenMainWindow();
        OnNextModal([&language](QWidget* dialog) {
            auto* languages = dialog->findChild<QComboBox*>("languageList");
            const int row = languages ? languages->findText(QString::fromStdString(language)) : -1;
            if (row >= 0) {
                languages->setCurrentIndex(row);
                Q_EMIT languages->activated(row);
            }
            dialog->close();
            ASSERT_GE(row, 0) << "the settings window does not list " << language;
        });
        QTest::mouseClick(Find<QToolButton>(window.get(), "settingsButton"), Qt::LeftButton);
        ASSERT_EQ(app::Settings().LanguageFileName, language);
        for (const std::string& text : VisibleTexts(window.get()))
            EXPECT_FALSE(untranslated.count(text)) << "still in English: " << text;
    }
}
