#pragma once
// The button icons. The Brix edition (company name starting with "Brix")
// reads BrixIcons.ini, which gives each button a hover and a normal icon;
// every other edition reads TarvoIcons.ini with one icon per button.
#include "ini/PrivateProfile.h"

#include <QIcon>

#include <string>

namespace ui {

class IconMap {
public:
    // Reads the map that fits the company from dataDirectory; a missing
    // file gives buttons without icons.
    IconMap(const std::string& dataDirectory, const std::string& company);

    bool HasHoverIcons() const { return brix_; }
    // The icon of an id: the theme icon named in the map, or the Qt
    // standard icon named after it, or for "@arrow-up" and "@arrow-down"
    // an arrow the program draws; a null icon for unknown ids.
    QIcon Icon(int id) const;

    // Makes freedesktop icon names work where the desktop sets no theme.
    static void ChooseIconTheme();

    // File name of the map for a company.
    static std::string MapFileName(const std::string& company);

private:
    ini::PrivateProfile file_;
    bool brix_;
};

}  // namespace ui
