#include "testworld.h"

#include "app/tapplication.h"
#include "common/apptitle.h"
#include "common/tregistry.h"
#include "platform/registry.h"

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
}

TestWorld::~TestWorld()
{
    stop();
}

void TestWorld::start()
{
    // Every run of the program begins with its own title; a previous run's farewell must not leak in.
    setApplicationTitle(QStringLiteral("Тромбус"));
    windows = std::make_unique<ProgramWindows>(*platform, m_arguments);
    windows->Form1->show();
    windows->Form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(windows->Form1.get()));
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

void returnToMainWindow(TestWorld& world, QWidget* from)
{
    from->show();
    from->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(from));
    world.form1().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&world.form1()));
}
