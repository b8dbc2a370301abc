#include <QAbstractItemView>
#include <QDir>
#include <QLocale>
#include <QStorageInfo>
#include <QTest>

#include "app/tapplication.h"
#include "common/numberformats.h"
#include "dialogs/tabout.h"
#include "fakediskspace.h"
#include "platform/diskspace.h"
#include "testworld.h"
#include "ui_HelpPage.h"

namespace {

constexpr qint64 GiB = qint64(1) << 30;

std::shared_ptr<FakeDiskSpace> twoFakeDrives()
{
    auto disks = std::make_shared<FakeDiskSpace>();
    disks->list = {{"/data", "/data", platform::DriveKind::Fixed},
                   {"/media/me/CARD", "CARD (/media/me/CARD)", platform::DriveKind::Removable}};
    disks->current = "/data";
    disks->sizes["/data"] = {100 * GiB, 25 * GiB};
    return disks;
}

} // namespace

class DiskMeterTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QStringLiteral("ru_RU"))); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void realSizesOfTheConfigFolderDrive()
    {
        TestWorld world;
        QDir().mkpath(world.configDir());
        auto& disks = world.platform->get<platform::DiskSpace>();
        const QString id = QString::fromStdString(disks.driveOf(world.configDir().toStdString()));
        QVERIFY(!id.isEmpty());
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        const int index = ui.Drivers->findData(id);
        QVERIFY(index >= 0);
        if (ui.Drivers->currentIndex() != index)
            ui.Drivers->setCurrentIndex(index);
        else if (ui.Drivers->count() > 1) {
            ui.Drivers->setCurrentIndex(index == 0 ? 1 : 0);
            ui.Drivers->setCurrentIndex(index);
        }

        const QStorageInfo volume(id);
        const qint64 total = volume.bytesTotal();
        QVERIFY(total > 0);
        QCOMPARE(ui.StaticText6->text(), formatAmount((long double)total / GiB, 2, QLocale()) + QStringLiteral(" Gb"));
        QCOMPARE(ui.ProgressBar1->maximum(), qMax(int(total / GiB), 1));
        QVERIFY(ui.StaticText4->text().endsWith(QStringLiteral(" Gb")));
        QVERIFY(ui.StaticText3->text().endsWith(QLatin1Char('%')));
        QCOMPARE(ui.Drivers->toolTip(), QStringLiteral("Диск ") + ui.Drivers->currentText());
        QVERIFY(!world.dialogs.messages().contains(QStringLiteral("Нет Диска !!!")));
    }

    void firstUpdateForTheCurrentDrive()
    {
        TestWorld world;
        auto disks = twoFakeDrives();
        world.platform->replace<platform::DiskSpace>(disks);
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        QCOMPARE(ui.Drivers->currentText(), QStringLiteral("/data"));
        QCOMPARE(ui.Drivers->toolTip(), QStringLiteral("Диск /data"));
        QCOMPARE(ui.StaticText4->text(), QStringLiteral("25,00 Gb"));
        QCOMPARE(ui.StaticText5->text(), QStringLiteral("75,00 Gb"));
        QCOMPARE(ui.StaticText6->text(), QStringLiteral("100,00 Gb"));
        QCOMPARE(ui.StaticText3->text(), QStringLiteral("25%"));
        QCOMPARE(ui.ComboBox2->toolTip(), QStringLiteral("25,00 Gb"));
        QCOMPARE(ui.ProgressBar1->maximum(), 100);
        QCOMPARE(ui.ProgressBar1->value(), 75);
    }

    void selectorsTakeEffectAtTheNextDriveChange()
    {
        TestWorld world;
        auto disks = twoFakeDrives();
        disks->sizes["/media/me/CARD"] = {8 * GiB, 2 * GiB};
        world.platform->replace<platform::DiskSpace>(disks);
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        ui.ComboBox2->setCurrentIndex(1);
        ui.ComboBox3->setCurrentIndex(1);
        QCOMPARE(ui.StaticText4->text(), QStringLiteral("25,00 Gb"));

        ui.Drivers->setCurrentIndex(1);
        QCOMPARE(ui.Drivers->toolTip(), QStringLiteral("Диск CARD (/media/me/CARD)"));
        QCOMPARE(ui.StaticText4->text(), QStringLiteral("2\u00A0048,00 Mb"));
        QCOMPARE(ui.StaticText3->text(), QStringLiteral("75%"));
        QCOMPARE(ui.ComboBox2->toolTip(), QStringLiteral("6\u00A0144,00 Mb"));

        // Choosing the drive already chosen changes nothing.
        const int before = disks->queries;
        ui.Drivers->setCurrentIndex(1);
        QCOMPARE(disks->queries, before);
    }

    // A stick mounted after the window was built is in the list when the list is opened, by mouse or key; a
    // drive unmounted since is not, and the refill alone updates nothing.
    void listOpensWithTheDrivesMountedNow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("F4") << "F4";
        QTest::newRow("Alt+Down") << "Alt+Down";
    }
    void listOpensWithTheDrivesMountedNow()
    {
        QFETCH(QString, how);
        TestWorld world;
        auto disks = twoFakeDrives();
        world.platform->replace<platform::DiskSpace>(disks);
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
        QCOMPARE(ui.Drivers->count(), 2);

        disks->list.erase(disks->list.begin() + 1);
        disks->list.push_back({"/media/me/STICK", "STICK (/media/me/STICK)", platform::DriveKind::Removable});
        disks->sizes["/media/me/STICK"] = {16 * GiB, 4 * GiB};
        const int queries = disks->queries;
        if (how == "mouse")
            QTest::mouseClick(ui.Drivers, Qt::LeftButton);
        else
            QTest::keyClick(ui.Drivers, how == "F4" ? Qt::Key_F4 : Qt::Key_Down,
                            how == "F4" ? Qt::NoModifier : Qt::AltModifier);
        QTRY_VERIFY(ui.Drivers->view()->isVisible());
        QCOMPARE(ui.Drivers->count(), 2);
        QCOMPARE(ui.Drivers->itemText(1), QStringLiteral("STICK (/media/me/STICK)"));
        QCOMPARE(ui.Drivers->currentText(), QStringLiteral("/data"));
        QCOMPARE(disks->queries, queries);
        ui.Drivers->hidePopup();

        ui.Drivers->setCurrentIndex(1);
        QCOMPARE(ui.StaticText6->text(), QStringLiteral("16,00 Gb"));
        QCOMPARE(ui.Drivers->toolTip(), QStringLiteral("Диск STICK (/media/me/STICK)"));
    }

    void driveWithoutSizeShowsQuestionMarks()
    {
        TestWorld world;
        auto disks = twoFakeDrives();
        world.platform->replace<platform::DiskSpace>(disks);
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        world.dialogs.clear();
        ui.Drivers->setCurrentIndex(1);
        for (QLabel* text : {ui.StaticText3, ui.StaticText4, ui.StaticText5, ui.StaticText6})
            QCOMPARE(text->text(), QStringLiteral("???"));
        QCOMPARE(ui.ProgressBar1->value(), 0);
        QCOMPARE(ui.ProgressBar1->maximum(), 100);
        QCOMPARE(world.dialogs.messages(), QStringList{QStringLiteral("Нет Диска !!!")});
        QCOMPARE(ui.ComboBox2->toolTip(), QStringLiteral("25,00 Gb"));
        QCOMPARE(ui.Drivers->toolTip(), QStringLiteral("Диск CARD (/media/me/CARD)"));
    }

    void smallDriveLeavesTheBarEmpty()
    {
        TestWorld world;
        auto disks = twoFakeDrives();
        disks->sizes["/data"] = {512 * 1048576, 100 * 1048576};
        world.platform->replace<platform::DiskSpace>(disks);
        QVERIFY(world.start());
        QCOMPARE(world.helpPage().ProgressBar1->value(), 0);
        QVERIFY(world.helpPage().ProgressBar1->maximum() > world.helpPage().ProgressBar1->minimum());
        QCOMPARE(world.helpPage().StaticText6->text(), QStringLiteral("0,50 Gb"));
    }

    void pressOnTheBarExplainsIt()
    {
        TestWorld world;
        world.platform->replace<platform::DiskSpace>(twoFakeDrives());
        QVERIFY(world.start());
        world.dialogs.clear();
        QTest::mousePress(world.helpPage().ProgressBar1, Qt::RightButton);
        QCOMPARE(world.dialogs.messages(), QStringList{QStringLiteral("Синим обозначено занятое место.")});
    }

    void activationPutsTheSelectorsBack()
    {
        TestWorld world;
        world.platform->replace<platform::DiskSpace>(twoFakeDrives());
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        ui.ComboBox3->setCurrentIndex(2);
        ui.ComboBox2->setEditText(QStringLiteral("typed"));
        QVERIFY(returnToMainWindow(world, world.windows->About.get()));
        QCOMPARE(ui.ComboBox3->currentIndex(), 0);
        QCOMPARE(ui.ComboBox3->currentText(), QStringLiteral("в гигАх"));
        QCOMPARE(ui.ComboBox2->currentText(), QStringLiteral("свободно"));
    }
};

TROMBUS_GUI_TEST_MAIN(DiskMeterTest)
#include "diskmeter_test.moc"
