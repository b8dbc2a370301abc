#include <QDir>
#include <cstdio>

#include "app/commandline.h"
#include "app/tapplication.h"
#include "app/tform1.h"
#include "app/windows.h"
#include "common/dialogs.h"
#include "platform/platform.h"

int main(int argc, char** argv)
{
    // Both answers come before the application object, so they need no display.
    switch (commandLineRequest(argc, argv)) {
    case CommandLineRequest::Version:
        std::fputs("trombus " TROMBUS_VERSION "\n", stdout);
        return 0;
    case CommandLineRequest::Help:
        std::fputs(helpText(russianMessages(localeEnvironment())).c_str(), stdout);
        return 0;
    case CommandLineRequest::Run:
        break;
    }
    TApplication app(argc, argv);

    platform::Context context;
    context.configDir = platform::defaultConfigDir();
    context.notifyUser = [](const std::string& text) { Dialogs::message(QString::fromStdString(text)); };
    platform::Platform platform(context);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    ProgramWindows windows(platform, arguments);
    // The close path has already said yes: end at once rather than asking every window to close again.
    QObject::connect(
        windows.Form1.get(), &TForm1::programEnding, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    // Closing the main window ends the program even while other windows of it are open.
    QApplication::setQuitOnLastWindowClosed(false);
    windows.Form1->show();
    return app.exec();
}
