#pragma once
// File-dialog filters built from the product's open-file filter or a list of
// patterns, and the order in which chosen files are added to the source list.
#include <QString>
#include <QStringList>

#include <string>

namespace ui {

// What a file dialog calls its groups of patterns, in the user's language.
struct FilterNames {
    QString files;     // the group of the kinds the dialog is for, e.g. "Video files"
    QString allFiles;  // a group of catch-all patterns only ("*", "*.*")
};

// The filter as QFileDialog wants it, from a Qt filter ("Videos (*.avi *.mpg)",
// several joined by ";;"), a Windows filter ("Videos|*.avi;*.mpg||") or bare
// patterns ("*.srt *.sub"). Each group lists a pattern once: the dialog
// matches names regardless of case, so later case variants are dropped and
// the first spelling stays. A group of catch-all patterns is named
// names.allFiles; the other group, when there is one, is named names.files,
// while several other groups keep their own names. Empty when there are no
// patterns at all.
QString FileDialogFilter(const std::string& filter, const FilterNames& names);

// The product's open-file filter for Add Files, named "Video files" and
// "All files" in the user's language.
QString QtFileFilter(const std::string& filter);

// Sorts paths case-insensitively by the user's locale (QCollator), so that
// "b.avi", "A.avi" and "c.AVI" come out as A, b, c and accented letters
// sort beside their base letters; in the C locale non-ASCII names follow
// the ASCII ones by code point, case still folded. Equal names keep their order.
void SortForAdding(QStringList& paths);

}  // namespace ui
