#pragma once
// Shortening a file path to a width in pixels so that the file name stays
// readable: the folders give way first, then the name itself.
#include <QFontMetrics>
#include <QString>

namespace ui {

// The path as it fits width pixels of metrics. A path that fits comes back
// whole. Otherwise the folders between the start and the file name become
// "…", keeping the last folders and then the first ones as room allows
// ("/home/…/Camera/clip.mp4"); when not even "…/name" fits, the name alone,
// shortened in its middle when it is wider than width.
QString ElidePath(const QString& path, const QFontMetrics& metrics, int width);

}  // namespace ui
