// The side buttons' icons of both editions: every button has one, and the
// move arrows look enabled only while their buttons are.
#include "ui/IconMap.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Whether some pixel shows a colour rather than a shade of grey.
bool Coloured(const QIcon& icon, QIcon::Mode mode)
{
    const QImage image = icon.pixmap(24, 24, mode).toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 128 && pixel.hsvSaturation() > 100) {
                return true;
            }
        }
    }
    return false;
}

TEST(IconMap, MoveArrowsAreGreyOnlyWhenDisabled)
{
    ui::IconMap::ChooseIconTheme();  // as the program starts
    for (const char* company : {"Tarvo", "Brix Soft"}) {
        const ui::IconMap icons(std::string(SOURCE_DIR) + "data/", company);
        for (int id : {502, 509, 504, 521, 519, 529, 531}) {
            EXPECT_FALSE(icons.Icon(id).isNull()) << company << " side button icon " << id;
        }
        for (int id : icons.HasHoverIcons() ? std::vector<int>{521, 522, 519, 520} : std::vector<int>{521, 519}) {
            EXPECT_TRUE(Coloured(icons.Icon(id), QIcon::Normal)) << company << " icon " << id;
            EXPECT_FALSE(Coloured(icons.Icon(id), QIcon::Disabled)) << company << " icon " << id;
        }
    }
    EXPECT_TRUE(ui::IconMap("/nowhere/", "Tarvo").Icon(521).isNull()) << "no map, no icons";
}

}  // namespace
