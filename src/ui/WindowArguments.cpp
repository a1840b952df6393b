#include "WindowArguments.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace ui {

namespace {

// "file:///home/a%20b.avi", as file managers pass files (%U); other URIs
// ("https://...") name nothing here.
bool IsUri(const QString& argument)
{
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]*:");
    return argument.startsWith("file:", Qt::CaseInsensitive) ||
           (argument.contains("://") && scheme.match(argument).hasMatch());
}

}  // namespace

WindowArguments ReadWindowArguments(const QStringList& arguments, const QString& currentFolder)
{
    WindowArguments result;
    const QDir here(currentFolder);
    bool options = true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && argument == "--screenshot" && i + 1 < arguments.size()) {
            result.screenshot = arguments[++i];
        } else if (options && argument.startsWith('-') && argument != "-") {
            result.ignored << argument;
        } else if (IsUri(argument)) {
            const QUrl url(argument);
            if (url.isLocalFile() && QDir::isAbsolutePath(url.toLocalFile()))
                result.paths << QDir::cleanPath(url.toLocalFile());
            else
                result.ignored << argument;
        } else if (!argument.isEmpty()) {
            result.paths << QDir::cleanPath(here.absoluteFilePath(argument));
        }
    }
    return result;
}

}  // namespace ui
