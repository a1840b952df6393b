#pragma once
// The window's command line, after Qt took its own options:
//   diziv [--screenshot FILE] [--] [FILE|FOLDER|file:URI]...
// "--" ends the options, so that names beginning with a dash work.
#include <QString>
#include <QStringList>

namespace ui {

struct WindowArguments {
    QString screenshot;   // render the window into this PNG file and end
    QStringList paths;    // absolute, cleaned paths of the files and folders
    QStringList ignored;  // unknown options and URIs that name no local file
};

// arguments without the program name; relative paths are taken relative to
// currentFolder.
WindowArguments ReadWindowArguments(const QStringList& arguments, const QString& currentFolder);

}  // namespace ui
