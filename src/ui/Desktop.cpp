#include "Desktop.h"

#include <QDesktopServices>

namespace ui {

void SystemDesktop::Open(const QUrl& target)
{
    QDesktopServices::openUrl(target);
}

}  // namespace ui
