#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

#include "app/tapplication.h"
#include "forms/clipboardgroup.h"
#include "testworld.h"
#include "ui_ClipboardGroup.h"
#include "ui_MainPage.h"
#include "widgets/timage.h"

// The clipboard viewer on a real X server, where the clipboard belongs to whichever program put something
// on it: here a second process of this test, which holds a text until it loses the clipboard.
namespace {

const char* const OwnerFlag = "--own-clipboard";

// The second process: puts the text on the clipboard, says so, and serves it until it is ended.
int runClipboardOwner(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(argv[2]));
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

struct ClipboardOwner
{
    explicit ClipboardOwner(const QString& text)
    {
        // The test program runs the class it is named, this one, with the owner's arguments.
        process.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("ClipboardX11Test"), QLatin1String(OwnerFlag), text});
    }
    ~ClipboardOwner()
    {
        process.kill();
        process.waitForFinished(5000);
    }
    /// Whether the process has said the line by now, waiting up to five seconds.
    bool said(const QByteArray& line)
    {
        QDeadlineTimer deadline(5000);
        while (!output.contains(line + '\n') && !deadline.hasExpired()) {
            process.waitForReadyRead(50);
            output += process.readAllStandardOutput();
            QCoreApplication::processEvents();
        }
        return output.contains(line + '\n');
    }
    QProcess process;
    QByteArray output;
};

// A real click through the X server, so that the program's requests carry the time of a user's action, as the
// server wants of a program taking the clipboard from another.
bool realClick(QWidget* widget)
{
    // Relative to the window itself, so that wherever the window manager has put it by now does not matter.
    QWidget* window = widget->window();
    const QPoint at = widget->mapTo(window, widget->rect().center());
    QProcess process;
    process.start(QStringLiteral("xdotool"),
                  {QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window->winId()),
                   QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

struct X11ClipboardWorld
{
    X11ClipboardWorld()
    {
        started = world.start();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMain);
    }
    bool started = false;
    Ui::ClipboardGroup& form() { return world.mainPage().ClipboardPanel->form(); }
    void refresh() { QTest::mouseClick(form().Button8, Qt::LeftButton); }

    TestWorld world;
};

} // namespace

class ClipboardX11Test : public QObject
{
    Q_OBJECT

private slots:
    void textOfAnotherProgramIsShown()
    {
        X11ClipboardWorld run;
        QVERIFY(run.started);
        ClipboardOwner owner(QStringLiteral("из другой программы"));
        QVERIFY(owner.said("ready"));
        QVERIFY(!QGuiApplication::clipboard()->ownsClipboard());
        run.refresh();
        QCOMPARE(run.form().Label36->text(), QStringLiteral("текст"));
        QCOMPARE(run.form().Memo5->toPlainText(), QStringLiteral("из другой программы"));
        QVERIFY(!run.form().Image2->isVisible());
    }

    void emptyingTakesTheClipboardFromItsOwner()
    {
        X11ClipboardWorld run;
        QVERIFY(run.started);
        ClipboardOwner owner(QStringLiteral("уйдёт"));
        QVERIFY(owner.said("ready"));
        QSignalSpy clicks(run.form().Button9, &QPushButton::clicked);
        QVERIFY(realClick(run.form().Button9));
        QTRY_COMPARE(clicks.count(), 1);
        // Nobody holds the clipboard now: not the other program, which still runs, and not this one.
        QTRY_VERIFY(!QGuiApplication::clipboard()->mimeData() ||
                    QGuiApplication::clipboard()->mimeData()->formats().isEmpty());
        QVERIFY(!QGuiApplication::clipboard()->ownsClipboard());
        QCOMPARE(owner.process.state(), QProcess::Running);
        run.refresh();
        QCOMPARE(run.form().Label36->text(), QString());
        QVERIFY(run.form().Memo5->toPlainText().isEmpty());
    }

    void helpButtonGrabsTheWholeScreen()
    {
        X11ClipboardWorld run;
        QVERIFY(run.started);
        QTest::mouseClick(run.form().Button1, Qt::LeftButton);
        QCOMPARE(run.world.dialogs.messages(), QStringList{QStringLiteral("Вывод содержимого буфера.")});
        QCOMPARE(run.form().Label36->text(), QStringLiteral("типа рисунок"));
        const QSize screen = QGuiApplication::primaryScreen()->virtualGeometry().size();
        QCOMPARE(run.form().Image2->picture().size(), screen * QGuiApplication::primaryScreen()->devicePixelRatio());
        QVERIFY(run.form().Image2->isVisible());
    }
};

TROMBUS_TEST_ENTRY(ClipboardX11Test)
{
    if (argc >= 3 && qstrcmp(argv[1], OwnerFlag) == 0)
        return runClipboardOwner(argc, argv);
    TApplication app(argc, argv);
    ClipboardX11Test test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "clipboard_x11_test.moc"
