#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <optional>

#include "app/tapplication.h"
#include "forms/keymousegroup.h"
#include "platform/linux/pointersettings.h"
#include "platform/pointer.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_KeyMouseGroup.h"

namespace {

// What an X client program prints, or nothing when it did not run or failed.
std::optional<QString> runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QString run(const QString& program, const QStringList& arguments)
{
    return runProgram(program, arguments).value_or(QString());
}

// "acceleration:  2/1    threshold:  4" of `xset q`.
QString acceleration()
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("acceleration:\\s*(\\d+/\\d+)")).match(run(QStringLiteral("xset"), {"q"}));
    return match.hasMatch() ? match.captured(1) : QString();
}

// The logical button of each physical one, from the table of `xmodmap -pp`.
QMap<int, int> buttonMap()
{
    QMap<int, int> map;
    const QRegularExpression row(QStringLiteral("^\\s*(\\d+)\\s+(\\d+)\\s*$"));
    for (const QString& line : run(QStringLiteral("xmodmap"), {"-pp"}).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = row.match(line);
        if (match.hasMatch())
            map[match.captured(1).toInt()] = match.captured(2).toInt();
    }
    return map;
}

} // namespace

// The real pointer service and the real keys, on the test's own X server.
class SystemX11Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // GNOME's settings stay in this process's memory; GLib reads this at first use.
        qputenv("GSETTINGS_BACKEND", "memory");
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server");
        QVERIFY2(!acceleration().isEmpty(), "xset (x11-xserver-utils) must be installed");
        m_acceleration = acceleration();
        m_buttons = buttonMap();
        QVERIFY(m_buttons.size() >= 3);
    }

    void cleanupTestCase()
    {
        // The server is the test's own, but leave it as found all the same.
        run(QStringLiteral("xset"), {"m", m_acceleration.isEmpty() ? QStringLiteral("default") : m_acceleration});
        QStringList map;
        for (int logical : std::as_const(m_buttons))
            map << QString::number(logical);
        if (!map.isEmpty())
            run(QStringLiteral("xmodmap"), {"-e", QStringLiteral("pointer = ") + map.join(QLatin1Char(' '))});
    }

    void mouseSpeedIsThePointerAcceleration()
    {
        // Xvfb's devices have no libinput driver; the desktop's settings are left out here.
        std::shared_ptr<platform::Pointer> pointer =
            platform::detail::desktopPointer(nullptr, nullptr, platform::detail::corePointerSettings());
        pointer->setSpeed(10);
        QCOMPARE(acceleration(), QStringLiteral("2/1"));
        pointer->setSpeed(5);
        QCOMPARE(acceleration(), QStringLiteral("1/1"));
        pointer->setSpeed(3);
        QCOMPARE(acceleration(), QStringLiteral("3/5"));
        // Speeds off the scale are refused and change nothing, as the system refuses them.
        pointer->setSpeed(0);
        pointer->setSpeed(21);
        QCOMPARE(acceleration(), QStringLiteral("3/5"));
    }

    void leftHandSwapsTheFirstAndThirdButtons()
    {
        std::shared_ptr<platform::Pointer> pointer =
            platform::detail::desktopPointer(nullptr, nullptr, platform::detail::corePointerSettings());
        pointer->swapButtons(true);
        QMap<int, int> swapped = buttonMap();
        QCOMPARE(swapped.value(1), 3);
        QCOMPARE(swapped.value(3), 1);
        QCOMPARE(swapped.value(2), 2);
        QCOMPARE(swapped.size(), m_buttons.size());
        pointer->swapButtons(true);
        QCOMPARE(buttonMap().value(1), 3);
        pointer->swapButtons(false);
        QCOMPARE(buttonMap(), m_buttons);
    }

    void libinputPropertiesAreLookedForOnThePointerDevices()
    {
        // Xvfb's pointers are driven by no libinput driver, but they have the server's own properties.
        std::shared_ptr<platform::detail::InputDeviceProperties> devices = platform::detail::xinputDeviceProperties();
        QVERIFY(devices->pointersWith("libinput Accel Speed").empty());
        QVERIFY(!devices->pointersWith("Device Enabled").empty());
        QVERIFY(devices->pointersWith("no such property of trombus").empty());
    }

    void desktopSettingsLeaveTheCorePointerAlone()
    {
        // With GNOME's settings installed (in memory here) they take the change, and the core pointer, which a
        // desktop that applies them would swap a second time, stays as it was.
        std::shared_ptr<platform::Pointer> pointer = platform::Pointer::create({});
        const QString before = acceleration();
        pointer->setSpeed(3);
        pointer->swapButtons(true);
        QCOMPARE(acceleration(), before);
        QCOMPARE(buttonMap(), m_buttons);
        pointer->swapButtons(false);
    }

    void realKeysAndButtonsShowTheirCodes()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool must be installed");
        TestWorld world;
        QVERIFY(world.start());
        world.ui().TabbedNotebook1->setCurrentIndex(1);
        Ui::KeyMouseGroup& form = world.helpPage().KeyMousePanel->form();
        form.Edit2->setFocus();
        QTRY_VERIFY(form.Edit2->hasFocus());
        const auto key = [&](const char* name) { QVERIFY(runProgram(QStringLiteral("xdotool"), {"key", name})); };
        key("a");
        QTRY_COMPARE(form.StaticText1->text(), QStringLiteral("65"));
        QCOMPARE(form.Edit2->text(), QStringLiteral("a"));
        key("F5");
        QTRY_COMPARE(form.StaticText1->text(), QStringLiteral("116"));
        key("shift+slash");
        QTRY_COMPARE(form.StaticText1->text(), QStringLiteral("191"));
        QTRY_COMPARE(form.Edit2->text(), QStringLiteral("?"));
        key("grave");
        QTRY_COMPARE(form.StaticText1->text(), QStringLiteral("192"));
        QTRY_VERIFY(!world.ui().console->isHidden());
        form.Edit2->setFocus();
        const QPoint centre = form.Edit2->mapToGlobal(form.Edit2->rect().center());
        run(QStringLiteral("xdotool"),
            {"mousemove", QString::number(centre.x()), QString::number(centre.y()), "click", "2"});
        QTRY_COMPARE(form.StaticText1->text(), QStringLiteral("2"));
        run(QStringLiteral("xdotool"), {"click", "1"});
        QTRY_COMPARE(form.StaticText1->text(), QStringLiteral("0"));
    }

private:
    QString m_acceleration;
    QMap<int, int> m_buttons;
};

TROMBUS_GUI_TEST_MAIN(SystemX11Test)
#include "system_x11_test.moc"
