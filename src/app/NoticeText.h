#pragma once
// The words of the core's notices, shared by the front ends: the text of
// the window's message box, blank framing included, which the command
// line tidies into one line.
#include "Notice.h"

#include <initializer_list>
#include <string>

namespace app {

// In the loaded language where the message has a language key.
std::string NoticeText(const Notice& notice);

// text with %1, %2 ... replaced by the values in turn.
std::string FillIn(std::string text, std::initializer_list<std::string> values);
// The message box caption: the application name, "Warning" for the stop question.
std::string NoticeCaption(const Notice& notice);
// Why a file was not added, in one line without its path, for a list of
// refused files that names each file itself.
std::string RefusalReason(const Notice& notice);

}  // namespace app
