#pragma once
// The running window's end of the hand-over (platform/HandOver.h): it takes
// the paths a second start of the program sends and passes them on.
#include "platform/HandOver.h"

#include <QStringList>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace ui {

class HandOverServer {
public:
    // receiver gets the absolute paths of each message that names any.
    explicit HandOverServer(std::function<void(const QStringList&)> receiver);
    ~HandOverServer();
    HandOverServer(const HandOverServer&) = delete;
    HandOverServer& operator=(const HandOverServer&) = delete;

    // Listens at path (see platform::HandOverReceiver::Listen).
    bool Listen(const QString& path);

private:
    void TakeSender();

    std::function<void(const QStringList&)> receiver_;
    platform::HandOverReceiver socket_;
    std::unique_ptr<QSocketNotifier> senderWaits_;
};

}  // namespace ui
