#include "SourceFiles.h"

#include <QCollator>

#include <algorithm>

namespace ui {

QString QtFileFilter(const std::string& filter)
{
    const QString text = QString::fromStdString(filter);
    if (!text.contains('|'))
        return text;
    const QStringList parts = text.split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

void SortForAdding(QStringList& paths)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(paths.begin(), paths.end(),
                     [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

}  // namespace ui
