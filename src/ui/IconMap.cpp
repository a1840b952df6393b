#include "IconMap.h"

#include <QApplication>
#include <QMetaEnum>
#include <QStandardPaths>
#include <QStyle>

namespace ui {

namespace {

QIcon StandardIcon(const QString& name)
{
    bool known = false;
    const int value = QMetaEnum::fromType<QStyle::StandardPixmap>().keyToValue(name.toLatin1().constData(), &known);
    if (!known)
        return {};
    return QApplication::style()->standardIcon(static_cast<QStyle::StandardPixmap>(value));
}

}  // namespace

IconMap::IconMap(const std::string& dataDirectory, const std::string& company)
    : file_(dataDirectory + MapFileName(company)), brix_(company.compare(0, 4, "Brix") == 0)
{
}

std::string IconMap::MapFileName(const std::string& company)
{
    return company.compare(0, 4, "Brix") == 0 ? "BrixIcons.ini" : "TarvoIcons.ini";
}

QIcon IconMap::Icon(int id) const
{
    const QString entry =
        QString::fromStdString(file_.GetString("Icons", std::to_string(id), ""));
    if (entry.isEmpty())
        return {};
    const QString themeName = entry.section('|', 0, 0).trimmed();
    const QIcon fallback = StandardIcon(entry.section('|', 1, 1).trimmed());
    return themeName.isEmpty() ? fallback : QIcon::fromTheme(themeName, fallback);
}


// Desktops without an icon theme of their own (and the off-screen
// platform, which knows no theme folders) get the freedesktop icons of
// Adwaita from the system's icon folders.
void IconMap::ChooseIconTheme()
{
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, "icons", QStandardPaths::LocateDirectory))
        if (!paths.contains(folder))
            paths << folder;
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
        QIcon::setThemeName("Adwaita");
    QIcon::setFallbackThemeName("Adwaita");
}

}  // namespace ui
