#include <QScreen>
#include <QTest>

#include "app/tapplication.h"
#include "dialogs/tabout.h"
#include "dialogs/tform6.h"
#include "testworld.h"
#include "ui_About.h"
#include "ui_Form6.h"
#include "ui_MainPage.h"

namespace {

TAbout& about(TestWorld& world)
{
    return *qobject_cast<TAbout*>(world.form1().aboutWindow());
}

Qt::Alignment horizontal(const TAbout& box)
{
    return const_cast<TAbout&>(box).form().StaticText1->alignment() & Qt::AlignHorizontal_Mask;
}

void tick(TAbout& box)
{
    QMetaObject::invokeMethod(&box.Timer1, "timeout");
}

QList<TForm6*> helpWindows()
{
    QList<TForm6*> windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<TForm6*>(top); window && window->isVisible())
            windows << window;
    }
    return windows;
}

} // namespace

class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    void aboutShowsTheProductAndItsRealVersion()
    {
        TestWorld world;
        QVERIFY(world.start());
        TAbout& box = about(world);
        QVERIFY(!box.isVisible());
        Ui::About& form = box.form();
        QCOMPARE(box.windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(form.Label1->text(), QStringLiteral("Тромбус"));
        QCOMPARE(form.Label7->text(), QStringLiteral(TROMBUS_VERSION));
        QCOMPARE(form.Label8->text(), QStringLiteral("11.07.07                          03:12:19"));
        QCOMPARE(form.Label4->text(), QStringLiteral("Брундуков"));
        QCOMPARE(form.GroupBox1->title(), QStringLiteral("Данные"));
        QCOMPARE(form.GroupBox2->title(), QStringLiteral("Дополнительно"));
        QCOMPARE(form.StaticText1->text(), QStringLiteral("С++"));
        QCOMPARE(form.Image1->toolTip(), QStringLiteral("Мой бренд"));
        QVERIFY(!form.Image1->pixmap().isNull());
        QVERIFY(!form.Label11->isEnabled());
        // A dialog of fixed size.
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QVERIFY(box.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    }

    void f1ShowsAboutAndItsTextStepsThroughItsAlignments()
    {
        TestWorld world;
        QVERIFY(world.start());
        TAbout& box = about(world);
        QCOMPARE(horizontal(box), Qt::AlignLeft);
        QVERIFY(!box.Timer1.isActive());
        QTest::keyClick(&world.form1(), Qt::Key_F1);
        QTRY_VERIFY(box.isVisible());
        QVERIFY(box.Timer1.isActive());
        QCOMPARE(box.Timer1.interval(), 500);
        QList<Qt::Alignment> steps;
        for (int n = 0; n < 4; ++n) {
            tick(box);
            steps << horizontal(box);
        }
        QCOMPARE(steps, (QList<Qt::Alignment>{Qt::AlignHCenter, Qt::AlignRight, Qt::AlignLeft, Qt::AlignHCenter}));
        // Showing it again while it is up changes nothing.
        world.form1().showAbout();
        QCOMPARE(horizontal(box), Qt::AlignHCenter);
    }

    // The cycle's step survives hiding: the next showing carries on where the last one stopped.
    void hidingAndShowingAgainContinuesTheCycle()
    {
        TestWorld world;
        QVERIFY(world.start());
        TAbout& box = about(world);
        world.form1().showAbout();
        tick(box);
        tick(box);
        QCOMPARE(horizontal(box), Qt::AlignRight);
        box.form().SpeedButton1->click();
        QVERIFY(!box.isVisible());
        QVERIFY(!box.Timer1.isActive());
        world.form1().showAbout();
        QVERIFY(box.Timer1.isActive());
        QCOMPARE(horizontal(box), Qt::AlignRight);
        tick(box);
        QCOMPARE(horizontal(box), Qt::AlignLeft);
        tick(box);
        QCOMPARE(horizontal(box), Qt::AlignHCenter);
        // The window's own close button hides it too, and it is the same window next time.
        QVERIFY(box.close());
        QVERIFY(!box.isVisible());
        QVERIFY(!box.Timer1.isActive());
        QCOMPARE(world.form1().aboutWindow(), &box);
    }

    void clickingTheBoxEnablesTheCreditForGood()
    {
        TestWorld world;
        QVERIFY(world.start());
        TAbout& box = about(world);
        world.form1().showAbout();
        QTest::mouseClick(box.form().StaticText1, Qt::LeftButton);
        QVERIFY(box.form().Label11->isEnabled());
        box.form().SpeedButton1->click();
        world.form1().showAbout();
        QVERIFY(box.form().Label11->isEnabled());
        QVERIFY(world.dialogs.requests.isEmpty());
    }

    void brandPictureAnswersAClick()
    {
        TestWorld world;
        QVERIFY(world.start());
        TAbout& box = about(world);
        world.form1().showAbout();
        world.dialogs.clear();
        QTest::mouseClick(box.form().Image1, Qt::LeftButton);
        QCOMPARE(world.dialogs.messages(), QStringList{QStringLiteral("Не клакай папортишь!")});
        QVERIFY(box.isVisible());
    }

    // Each click on "ZQ5" opens one more help picture window of its own size, in the middle of the desktop.
    void eachZq5ClickOpensAnotherHelpPicture()
    {
        TestWorld world;
        QVERIFY(world.start());
        QWidget* zq5 = world.mainPage().Panel5;
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMain);
        for (int n = 0; n < 3; ++n)
            QTest::mouseClick(zq5, Qt::LeftButton);
        QTRY_COMPARE(helpWindows().size(), 3);
        const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
        for (TForm6* window : helpWindows()) {
            QCOMPARE(window->windowTitle(), QStringLiteral("Для справки"));
            QCOMPARE(window->size(), QSize(639, 479));
            // The window is placed before it has a frame: its middle is off by no more than the frame's part.
            const QRect frame = window->frameGeometry();
            QVERIFY(qAbs(frame.center().x() - desktop.center().x()) <= (frame.width() - window->width()) / 2 + 1);
            QVERIFY(qAbs(frame.center().y() - desktop.center().y()) <= (frame.height() - window->height()) / 2 + 1);
            QLabel* picture = window->form().Image3;
            QCOMPARE(picture->geometry(), window->rect());
            QCOMPARE(picture->pixmap().size(), QSize(520, 350));
            QVERIFY(picture->hasScaledContents());
            QCOMPARE(picture->toolTip(), QStringLiteral("Там уже барыжат приложением ''Тромбус''"));
        }
        // The picture goes on filling a window the user resizes.
        TForm6* first = helpWindows().constFirst();
        first->resize(300, 200);
        QTRY_COMPARE(first->form().Image3->geometry(), first->rect());
        for (TForm6* window : helpWindows())
            window->close();
        QTRY_VERIFY(helpWindows().isEmpty());
        QVERIFY(world.form1().isVisible());
    }

    // Pictures still open when the program's window goes are closed and freed with it.
    void openHelpPicturesGoWithTheWindow()
    {
        {
            TestWorld world;
            QVERIFY(world.start());
            world.form1().Panel5Click();
            world.form1().Panel5Click();
            QTRY_COMPARE(helpWindows().size(), 2);
        }
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<TForm6*>(top));
    }
};

TROMBUS_GUI_TEST_MAIN(AboutTest)
#include "about_test.moc"
