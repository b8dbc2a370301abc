#include "platform/commandrunner.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/linux/execline.h"

namespace platform {
namespace {

// The command line is split as a desktop entry's Exec line is, and the program started with that argument list:
// no shell ever sees the text, so its quotes, semicolons and dollar signs reach the program as they are.
class ExecCommandRunner final : public CommandRunner
{
public:
    bool run(const std::string& commandLine) override
    {
        if (commandLine.find('\0') != std::string::npos)
            return false;
        const std::optional<std::vector<std::string>> words = detail::splitExecLine(commandLine);
        if (!words || words->empty())
            return false;
        QString program = QString::fromStdString(words->front());
        if (program.contains(QLatin1Char('/'))) {
            const QFileInfo file(program);
            if (!file.isFile() || !file.isExecutable())
                return false;
        } else {
            program = QStandardPaths::findExecutable(program);
            if (program.isEmpty())
                return false;
        }
        QStringList arguments;
        for (auto word = words->begin() + 1; word != words->end(); ++word)
            arguments << QString::fromStdString(*word);
        return QProcess::startDetached(program, arguments);
    }
};

} // namespace

std::shared_ptr<CommandRunner> CommandRunner::create(const Context&)
{
    return std::make_shared<ExecCommandRunner>();
}

} // namespace platform
