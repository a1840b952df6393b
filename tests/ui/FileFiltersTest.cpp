// The filters the file dialogs show: each pattern once, readable group names.
#include "WidgetTest.h"

#include "app/ProductIdentity.h"
#include "ui/SourceFiles.h"

#include <QRegularExpression>
#include <QSet>

namespace {

const ui::FilterNames kNames = {"Video files", "All files"};

// The patterns of a filter in Qt form, lower-cased, with how often each occurs.
QMap<QString, int> PatternCounts(const QString& filter)
{
    QMap<QString, int> counts;
    static const QRegularExpression inParentheses(R"(\(([^()]*)\)(;;|$))");
    for (auto match = inParentheses.globalMatch(filter); match.hasNext();)
        for (const QString& pattern : match.next().captured(1).split(' ', Qt::SkipEmptyParts))
            ++counts[pattern.toLower()];
    return counts;
}

class FileFilters : public widget_test::WidgetTest {};

}  // namespace

TEST(FileDialogFilter, EachGroupListsAPatternOnceUnderAReadableName)
{
    const struct {
        const char* given;
        const char* shown;
    } cases[] = {
        {"Video Files (*.avi *.AVI *.264 *.264)", "Video files (*.avi *.264)"},
        {"Videos|*.avi;*.mpg||", "Video files (*.avi *.mpg)"},
        {"Videos|*.avi; *.MPG;*.mpg;*.Avi|All Files|*.*||", "Video files (*.avi *.MPG);;All files (*.*)"},
        {"Videos (*.avi);;Anything (* *.*)", "Video files (*.avi);;All files (* *.*)"},
        {"*.srt *.sub *.SRT", "Video files (*.srt *.sub)"},
        {"All Files(*.srt,*.sub) (*.srt *.sub)", "Video files (*.srt *.sub)"},
        // Several kinds keep their own names, and a pattern may stand in more than one.
        {"AVI|*.avi;*.AVI|Clips|*.avi;*.mov|Everything|*||", "AVI (*.avi);;Clips (*.avi *.mov);;All files (*)"},
        {"*.avi;;Clips (*.mov)", "Video files (*.avi);;Clips (*.mov)"},
        {"Videos||", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::FileDialogFilter(c.given, kNames).toStdString(), c.shown) << c.given;
}

TEST_F(FileFilters, AddFilesOffersEveryVideoKindOnceInTheUsersLanguage)
{
    const std::string product = app::BuiltInProductIdentity().openFileFilter;
    const QString filter = ui::QtFileFilter(product);
    EXPECT_TRUE(filter.startsWith("Video files (*.avi *.divx ")) << filter.toStdString();
    const QMap<QString, int> shown = PatternCounts(filter);
    const QMap<QString, int> given = PatternCounts(QString::fromStdString(product));
    EXPECT_EQ(QSet<QString>(shown.keyBegin(), shown.keyEnd()), QSet<QString>(given.keyBegin(), given.keyEnd()))
        << "the same kinds, whatever their case";
    for (auto pattern = shown.begin(); pattern != shown.end(); ++pattern) {
        EXPECT_EQ(pattern.value(), 1) << pattern.key().toStdString();
    }
    EXPECT_GE(given.value("*.264"), 2) << "the product filter repeats *.264";

    UseLanguage("German");
    EXPECT_TRUE(ui::QtFileFilter(product).startsWith("Videodateien (*.avi "));
    EXPECT_TRUE(ui::QtFileFilter("Videos|*.avi|Alle|*.*||").endsWith(";;Alle Dateien (*.*)"));
}
