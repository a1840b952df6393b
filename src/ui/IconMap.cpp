#include "IconMap.h"

#include <QApplication>
#include <QIconEngine>
#include <QMetaEnum>
#include <QPainter>
#include <QPainterPath>
#include <QStandardPaths>
#include <QStyle>

#include <algorithm>

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

// A broad arrow drawn to any size: blue while its button is enabled, grey
// when disabled. Icon themes draw their arrows grey as a matter of style,
// which reads as disabled beside the coloured icons of the other buttons.
class ArrowIconEngine : public QIconEngine {
public:
    explicit ArrowIconEngine(bool up) : up_(up) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const QColor fill = mode == QIcon::Disabled ? QColor(0xb0, 0xb0, 0xb0) : QColor(0x34, 0x65, 0xa4);
        // Head and stem in a unit square, pointing up.
        const QPolygonF unit(
            {{0.5, 0.06}, {0.94, 0.5}, {0.68, 0.5}, {0.68, 0.94}, {0.32, 0.94}, {0.32, 0.5}, {0.06, 0.5}});
        QPolygonF arrow;
        for (const QPointF& point : unit)
            arrow << QPointF(rect.left() + point.x() * rect.width(),
                             rect.top() + (up_ ? point.y() : 1.0 - point.y()) * rect.height());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(
            QPen(fill.darker(140), std::max(1.0, rect.width() / 16.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(fill);
        painter->drawPolygon(arrow);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap image(size);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return image;
    }

    QIconEngine* clone() const override { return new ArrowIconEngine(up_); }

private:
    bool up_;
};

// The icons the program draws itself, named "@name" in the map.
QIcon DrawnIcon(const QString& name)
{
    if (name == "arrow-up" || name == "arrow-down")
        return QIcon(new ArrowIconEngine(name == "arrow-up"));
    return {};
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
    if (entry.startsWith('@'))
        return DrawnIcon(entry.mid(1).trimmed());
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
