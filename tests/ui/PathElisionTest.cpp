// Shortening a source path to a column: the file name stays, the folders
// give way.
#include "ui/PathElision.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

// Each width is that of the text expected, so the path must shorten to
// exactly that text and no longer one fits.
TEST(PathElision, FoldersGiveWayBeforeTheFileName)
{
    const QFontMetrics metrics(QApplication::font());
    const QString deep = "/home/user/videos/holiday/Camera/clip.mp4";
    const struct {
        QString path;
        QString fitting;
        const char* why;
    } cases[] = {
        {deep, deep, "a path that fits stays whole"},
        {deep, "/home/\u2026/holiday/Camera/clip.mp4", "the last folders stay, then the start"},
        {deep, "/home/\u2026/Camera/clip.mp4", "the start and the last folder"},
        {deep, "\u2026/Camera/clip.mp4", "the last folder before the start"},
        {deep, "\u2026/clip.mp4", "only the name and a sign of the folders"},
        {deep, "clip.mp4", "the name alone when the sign does not fit either"},
        {"/videos/clip.mp4", "\u2026/clip.mp4", "one folder"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::ElidePath(c.path, metrics, metrics.horizontalAdvance(c.fitting)).toStdString(),
                  c.fitting.toStdString())
            << c.why;
    }
}

TEST(PathElision, ANameWiderThanTheColumnIsShortenedInItsMiddle)
{
    const QFontMetrics metrics(QApplication::font());
    const QString name = "a_very_long_name_of_a_holiday_video_clip.mp4";
    for (const QString& path : {"/home/user/" + name, name}) {
        const int width = metrics.horizontalAdvance(name) / 2;
        const QString shown = ui::ElidePath(path, metrics, width);
        EXPECT_LE(metrics.horizontalAdvance(shown), width);
        EXPECT_TRUE(shown.startsWith("a_very")) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(".mp4")) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    }
}

}  // namespace
