#pragma once
// The product's open-file filter as a Qt file-dialog filter, and the order
// in which chosen files are added to the source list.
#include <QString>
#include <QStringList>

#include <string>

namespace ui {

// The filter as QFileDialog wants it. A Windows filter ("Videos|*.avi;*.mpg||")
// becomes "Videos (*.avi *.mpg)", several pairs joined by ";;"; a filter
// already in Qt form is returned as it is.
QString QtFileFilter(const std::string& filter);


// Sorts paths case-insensitively by the user's locale (QCollator), so that
// "b.avi", "A.avi" and "c.AVI" come out as A, b, c and accented letters
// sort beside their base letters; in the C locale non-ASCII names follow
// the ASCII ones by code point, case still folded. Equal names keep their order.
void SortForAdding(QStringList& paths);

}  // namespace ui
