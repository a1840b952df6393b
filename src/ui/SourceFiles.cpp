#include "SourceFiles.h"

#include "lang/IniTextFile.h"

#include <QCollator>

#include <algorithm>
#include <vector>

namespace ui {

namespace {

struct PatternGroup {
    QString name;
    QStringList patterns;
};

void AddOnce(QStringList& patterns, const QString& pattern)
{
    const bool listed = std::any_of(patterns.begin(), patterns.end(), [&pattern](const QString& known) {
        return known.compare(pattern, Qt::CaseInsensitive) == 0;
    });
    if (!pattern.isEmpty() && !listed)
        patterns << pattern;
}

PatternGroup Group(const QString& name, const QStringList& patterns)
{
    PatternGroup group{name.trimmed(), {}};
    for (const QString& pattern : patterns)
        AddOnce(group.patterns, pattern.trimmed());
    return group;
}

// "Name|*.a;*.b|Other|*.c||": names and pattern lists alternate.
std::vector<PatternGroup> WindowsGroups(const QString& text)
{
    const QStringList parts = text.split('|', Qt::SkipEmptyParts);
    std::vector<PatternGroup> groups;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        groups.push_back(Group(parts[i], parts[i + 1].split(';', Qt::SkipEmptyParts)));
    return groups;
}

// "Name (*.a *.b);;Other (*.c)" or bare "*.a *.b"; the patterns are in the
// last parentheses, as QFileDialog reads them.
std::vector<PatternGroup> QtGroups(const QString& text)
{
    std::vector<PatternGroup> groups;
    for (const QString& part : text.split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
        const QString entry = part.trimmed();
        const qsizetype open = entry.lastIndexOf('(');
        if (entry.endsWith(')') && open >= 0)
            groups.push_back(
                Group(entry.left(open), entry.mid(open + 1, entry.size() - open - 2).split(' ', Qt::SkipEmptyParts)));
        else
            groups.push_back(Group(QString(), entry.split(' ', Qt::SkipEmptyParts)));
    }
    return groups;
}

bool CatchesAll(const PatternGroup& group)
{
    return std::all_of(group.patterns.begin(), group.patterns.end(),
                       [](const QString& pattern) { return pattern == "*" || pattern == "*.*"; });
}

}  // namespace

QString FileDialogFilter(const std::string& filter, const FilterNames& names)
{
    const QString text = QString::fromStdString(filter);
    std::vector<PatternGroup> groups = text.contains('|') ? WindowsGroups(text) : QtGroups(text);
    std::erase_if(groups, [](const PatternGroup& group) { return group.patterns.isEmpty(); });
    const auto kinds =
        std::count_if(groups.begin(), groups.end(), [](const PatternGroup& group) { return !CatchesAll(group); });
    QStringList entries;
    for (PatternGroup& group : groups) {
        if (CatchesAll(group))
            group.name = names.allFiles;
        else if (kinds == 1 || group.name.isEmpty())
            group.name = names.files;
        entries << group.name + " (" + group.patterns.join(' ') + ")";
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtFileFilter(const std::string& filter)
{
    return FileDialogFilter(filter, {QString::fromStdString(lang::Text("General", "Video Files")),
                                     QString::fromStdString(lang::Text("General", "All Files"))});
}

void SortForAdding(QStringList& paths)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(paths.begin(), paths.end(),
                     [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

}  // namespace ui
