#pragma once
// Rules for the files the source list takes: the product's open-file filter
// as a Qt file-dialog filter, the extension rule of folders and drops, and
// the order in which chosen files are added.
#include <QString>
#include <QStringList>

#include <string>

namespace ui {

// The filter as QFileDialog wants it. A Windows filter ("Videos|*.avi;*.mpg||")
// becomes "Videos (*.avi *.mpg)", several pairs joined by ";;"; a filter
// already in Qt form is returned as it is.
QString QtFileFilter(const std::string& filter);

// A file of a folder or a drop is probed when the filter text contains its
// extension (the text after the last '.', case-sensitive). A name without
// an extension never matches.
bool MatchesFileFilter(const QString& path, const std::string& filter);

// Sorts paths case-insensitively by the user's locale (QCollator), so that
// "b.avi", "A.avi" and "c.AVI" come out as A, b, c and accented letters
// sort beside their base letters; in the C locale non-ASCII names follow
// the ASCII ones by code point, case still folded. Equal names keep their order.
void SortForAdding(QStringList& paths);

}  // namespace ui
