#include "app/tapplication.h"

#include <QPalette>
#include <QStandardPaths>
#include <QStyle>
#include <QToolTip>
#include <exception>

#include "app/deferredicons.h"
#include "app/hintstyle.h"
#include "app/qttranslations.h"
#include "common/apptitle.h"
#include "common/errorreport.h"
#include "installlayout.h"

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

bool platformChosenHere = false;

// Stored window positions, the pointer, the lock lights, the keyboard group and the screen grab are X11 services,
// so where an X server runs beside a Wayland compositor (XWayland) the program keeps to X11, unless the user
// named a platform. Without an X server Qt's choice (the compositor's native platform) stands, and those
// services fall back quietly.
int& choosePlatform(int& argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return argc;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-platform" || argument == "--platform" || argument.startsWith("-platform=") ||
            argument.startsWith("--platform="))
            return argc;
    }
    // The compositor stays the fallback should the X server not answer.
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb" : "xcb;wayland");
    platformChosenHere = true;
    return argc;
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(choosePlatform(argc, argv), argv)
{
    // The choice was for this process only: programs started from it make their own.
    if (platformChosenHere)
        qunsetenv("QT_QPA_PLATFORM");
    // The pictures live in a static library: they must be registered before the icon and the forms use them.
    initResources();
    setApplicationTitle(QStringLiteral("Тромбус"));
    installQtTranslations(*this);
    // The desktop entry's name ties the windows to the menu entry (the Wayland app id, the X11 desktop-file hint);
    // the icon comes from the icon theme by that name, so a theme may override it, and from the resources when
    // the program runs uninstalled. The theme is asked only where our own icon is installed: a look-up that
    // misses searches every folder of every theme, a good share of the start-up.
    setDesktopFileName(QStringLiteral(TROMBUS_APP_ID));
    const QIcon builtIn(QStringLiteral(":/pictures/app.png"));
    const bool iconInstalled =
        !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                QStringLiteral("icons/hicolor/scalable/apps/" TROMBUS_APP_ID ".svg"))
             .isEmpty();
    setWindowIcon(iconInstalled ? QIcon::fromTheme(QStringLiteral(TROMBUS_APP_ID), builtIn) : builtIn);
    // The tooltip timing and the deferred standard pictures go in before any window exists, so no window has
    // to be polished twice.
    setStyle(new DeferredIconStyle(new HintStyle(style()->name())));
    substituteWindowsFonts();
}

void TApplication::substituteWindowsFonts()
{
    // The forms name the classic Windows faces. Where they are not installed, pointing them at common free
    // faces spares the font matcher a full fallback search for each of them (a large share of start-up).
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif{QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    for (const char* face : {"MS Sans Serif", "Tahoma", "Arial", "Verdana"})
        QFont::insertSubstitutions(QString::fromLatin1(face), sans);
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), serif);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showErrorReport(QString::fromUtf8(error.what()));
    }
    return false;
}

void TApplication::applyHintSettings()
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(0x00, 0xFF, 0x00));
    palette.setColor(QPalette::ToolTipText, QColor(0x00, 0x00, 0x00));
    QToolTip::setPalette(palette);
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    app->installEventFilter(new HintHook(app));
}
