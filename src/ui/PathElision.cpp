#include "PathElision.h"

#include <QStringList>

#include <algorithm>

namespace ui {

namespace {

const QString kEllipsis = QString(QChar(0x2026));

// The path with folders [head, size - tail) replaced by the ellipsis.
QString Shortened(const QStringList& folders, bool rooted, qsizetype head, qsizetype tail, const QString& name)
{
    QString text;
    if (head > 0)
        text = (rooted ? QStringLiteral("/") : QString()) + folders.mid(0, head).join('/') + '/';
    text += kEllipsis + '/';
    if (tail > 0)
        text += folders.mid(folders.size() - tail).join('/') + '/';
    return text + name;
}

}  // namespace

QString ElidePath(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const qsizetype slash = path.lastIndexOf('/');
    const QString name = path.mid(slash + 1);
    const bool rooted = path.startsWith('/');
    const QStringList folders = path.left(std::max<qsizetype>(slash, 0)).split('/', Qt::SkipEmptyParts);
    // Some folder always stays hidden: the whole path did not fit.
    auto fits = [&](qsizetype head, qsizetype tail) {
        return head + tail < folders.size() &&
               metrics.horizontalAdvance(Shortened(folders, rooted, head, tail, name)) <= width;
    };
    if (slash < 0 || !fits(0, 0))
        return metrics.elidedText(name, Qt::ElideMiddle, width);

    // The nearest folders tell most about a file; the start of the path
    // comes next.
    qsizetype head = 0;
    qsizetype tail = 0;
    if (fits(0, 1))
        tail = 1;
    if (fits(1, tail))
        head = 1;
    while (fits(head, tail + 1))
        ++tail;
    while (fits(head + 1, tail))
        ++head;
    return Shortened(folders, rooted, head, tail, name);
}

}  // namespace ui
