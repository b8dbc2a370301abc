#include "testworld.h"

#include <QGuiApplication>
#include <functional>

#include "app/latepages.h"
#include "app/tapplication.h"
#include "app/trayicon.h"
#include "app/windowplacement.h"
#include "common/apptitle.h"
#include "common/tregistry.h"
#include "platform/registry.h"
#include "recordingvolume.h"

TestWorld::TestWorld(QStringList arguments, const QString& configDir) : m_arguments(std::move(arguments))
{
    if (configDir.isEmpty()) {
        m_temp = std::make_unique<QTemporaryDir>();
        m_configDir = m_temp->path() + QStringLiteral("/trombus");
        qputenv("XDG_CONFIG_HOME", m_temp->path().toUtf8());
    } else {
        m_configDir = configDir;
    }
    platform::Context context;
    context.configDir = m_configDir.toStdString();
    context.notifyUser = [](const std::string& text) { Dialogs::message(QString::fromStdString(text)); };
    platform = std::make_unique<platform::Platform>(context);
    // The output volume is the tester's own; a test that wants the real one puts it back.
    platform->replace<platform::Volume>(std::make_shared<RecordingVolume>());
    // The headless platform has no tray; the program's tray behaviour is what most tests look at. A real
    // display answers for itself.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        TrayIcon::setAvailabilityOverride(true);
}

TestWorld::~TestWorld()
{
    stop();
    TrayIcon::setAvailabilityOverride(std::nullopt);
}

void TestWorld::startWithoutWaiting()
{
    // Every run of the program begins with its own title; a previous run's farewell must not leak in.
    setApplicationTitle(QStringLiteral("Тромбус"));
    windows = std::make_unique<ProgramWindows>(*platform, m_arguments);
    windows->Form1->setFarewellDelay(0);
    windows->Form1->show();
}

bool TestWorld::start()
{
    startWithoutWaiting();
    windows->Form1->activateWindow();
    if (!QTest::qWaitForWindowActive(windows->Form1.get())) {
        QTest::qFail("the main window never became active", __FILE__, __LINE__);
        return false;
    }
    // Where the window manager has a frame to tell of, the window goes where the program put it; tests
    // look at it there.
    if (!QTest::qWaitFor([this] { return !windows->Form1->placement().pending(); }, 5000)) {
        QTest::qFail("the main window never got where it was placed", __FILE__, __LINE__);
        return false;
    }
    // The pages made after the first paint are there before a test looks for their controls.
    if (!QTest::qWaitFor([this] { return windows->Form1->latePages().allBuilt(); }, 5000)) {
        QTest::qFail("the pages made after the first paint never came", __FILE__, __LINE__);
        return false;
    }
    return true;
}

void TestWorld::stop()
{
    windows.reset();
}

QString TestWorld::stored(const QString& name, const QString& key)
{
    TRegistry registry(*platform);
    registry.setRootKey(platform::Hive::CurrentUser);
    if (!registry.OpenKey(key, false))
        return {};
    return registry.ReadString(name);
}

void TestWorld::store(const QString& name, const QString& value, const QString& key)
{
    TRegistry registry(*platform);
    registry.setRootKey(platform::Hive::CurrentUser);
    registry.OpenKey(key, true);
    registry.WriteString(name, value);
}

QStringList TestWorld::storedNames(const QString& key)
{
    TRegistry registry(*platform);
    registry.setRootKey(platform::Hive::CurrentUser);
    if (!registry.OpenKey(key, false))
        return {};
    return registry.GetValueNames();
}

bool TestWorld::keyExists(const QString& key)
{
    TRegistry registry(*platform);
    registry.setRootKey(platform::Hive::CurrentUser);
    return registry.OpenKey(key, false);
}

bool returnToMainWindow(TestWorld& world, QWidget* from)
{
    from->show();
    from->activateWindow();
    if (!QTest::qWaitForWindowActive(from)) {
        QTest::qFail("the other window never became active", __FILE__, __LINE__);
        return false;
    }
    world.form1().activateWindow();
    if (!QTest::qWaitForWindowActive(&world.form1())) {
        QTest::qFail("the main window never became active again", __FILE__, __LINE__);
        return false;
    }
    return true;
}

bool processQueuedEvents()
{
    // Two rounds: the first marker runs after everything queued before it, the second after what that queued.
    int rounds = 0;
    std::function<void()> mark = [&] {
        if (++rounds < 2)
            QMetaObject::invokeMethod(qApp, mark, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(qApp, mark, Qt::QueuedConnection);
    return QTest::qWaitFor([&] { return rounds == 2; }, 5000);
}
