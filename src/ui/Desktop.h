#pragma once
// Opening web pages, mail links, folders and the help page with the
// desktop's own programs. Tests hand in a recorder instead, so that no
// test starts a browser or a file manager.
#include <QUrl>

namespace ui {

class Desktop {
public:
    virtual ~Desktop() = default;
    // False when the desktop has no program for target.
    virtual bool Open(const QUrl& target) = 0;
};

// Opens through QDesktopServices (xdg-open), never through a shell.
class SystemDesktop : public Desktop {
public:
    bool Open(const QUrl& target) override;
};

}  // namespace ui
