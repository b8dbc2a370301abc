#include "platform/opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {
namespace {

class DesktopOpener final : public Opener
{
public:
    bool open(const std::string& target) override
    {
        const QString text = QString::fromStdString(target);
        const QUrl url = QFileInfo::exists(text) ? QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath())
                                                 : QUrl::fromUserInput(text);
        return url.isValid() && QDesktopServices::openUrl(url);
    }
};

} // namespace

std::shared_ptr<Opener> Opener::create(const Context&)
{
    return std::make_shared<DesktopOpener>();
}

} // namespace platform
