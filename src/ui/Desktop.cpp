#include "Desktop.h"

#include <QDesktopServices>

namespace ui {

bool SystemDesktop::Open(const QUrl& target)
{
    return QDesktopServices::openUrl(target);
}

}  // namespace ui
