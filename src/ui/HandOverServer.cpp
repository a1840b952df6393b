#include "HandOverServer.h"

#include <QFile>
#include <QSocketNotifier>

#include <string>

namespace ui {

HandOverServer::HandOverServer(std::function<void(const QStringList&)> receiver) : receiver_(std::move(receiver))
{
}

HandOverServer::~HandOverServer() = default;

bool HandOverServer::Listen(const QString& path)
{
    if (!socket_.Listen(QFile::encodeName(path).toStdString()))
        return false;
    senderWaits_ = std::make_unique<QSocketNotifier>(socket_.Descriptor(), QSocketNotifier::Read);
    QObject::connect(senderWaits_.get(), &QSocketNotifier::activated, [this] { TakeSender(); });
    return true;
}

// One sender at a time: the notifier fires again while others wait.
void HandOverServer::TakeSender()
{
    const std::optional<std::vector<std::string>> paths = socket_.TakeOne();
    if (!paths || paths->empty())
        return;
    QStringList taken;
    for (const std::string& path : *paths)
        taken << QFile::decodeName(QByteArray::fromStdString(path));
    receiver_(taken);
}

}  // namespace ui
