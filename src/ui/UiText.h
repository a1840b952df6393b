#pragma once
// Language texts and std::string values as Qt strings.
#include "lang/IniTextFile.h"

#include <QString>

namespace ui {

inline QString Tr(const char* section, const char* key)
{
    return QString::fromStdString(lang::Text(section, key));
}

inline QString Qs(const std::string& text)
{
    return QString::fromStdString(text);
}

inline std::string Ss(const QString& text)
{
    return text.toStdString();
}

}  // namespace ui
