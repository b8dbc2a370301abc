#include <QTest>

#include "app/tapplication.h"
#include "testworld.h"
#include "widgets/tstatusbar.h"

using Scalings = QList<QPair<int, int>>;

// The status bar in the real window: panels side by side inside the bar, and a press on a panel shows that
// panel's text whatever scale the panels have been given.
class StatusBarTest : public QObject
{
    Q_OBJECT

private slots:
    void pressOnAPanelShowsItsTextAtEveryScale_data()
    {
        QTest::addColumn<Scalings>("scalings");
        QTest::addColumn<int>("panel");
        const QList<QPair<const char*, Scalings>> scales{
            {"100", {}},
            {"150", {{150, 100}}},
            {"150 twice", {{150, 100}, {150, 100}}},
            {"150 undone", {{150, 100}, {100, 150}}},
        };
        for (const auto& [name, scalings] : scales) {
            for (int panel = 0; panel < TStatusBar::PanelCount; ++panel)
                QTest::addRow("%s, panel %d", name, panel) << scalings << panel;
        }
    }

    void pressOnAPanelShowsItsTextAtEveryScale()
    {
        QFETCH(Scalings, scalings);
        QFETCH(int, panel);
        TestWorld world;
        QVERIFY(world.start());
        TStatusBar* bar = world.ui().StatusBar1;
        for (int i = 0; i < TStatusBar::PanelCount; ++i)
            bar->setPanelText(i, QStringLiteral("panel %1").arg(i));
        for (const auto& [m, d] : scalings)
            bar->scalePanels(m, d);
        world.dialogs.clear();

        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->panelGeometry(panel).center().x(), 5));

        // The last panel lies beyond the positions the program answers to.
        if (panel == TStatusBar::PanelCount - 1)
            QVERIFY(world.dialogs.requests.isEmpty());
        else
            QCOMPARE(world.dialogs.messages(), QStringList{QStringLiteral("panel %1").arg(panel)});
    }

    void panelsKeepTheirOrderAndScaleTogether_data()
    {
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("d");
        QTest::newRow("100") << 1 << 1;
        QTest::newRow("150") << 3 << 2;
        QTest::newRow("50") << 1 << 2;
    }

    void panelsKeepTheirOrderAndScaleTogether()
    {
        QFETCH(int, m);
        QFETCH(int, d);
        TestWorld world;
        QVERIFY(world.start());
        TStatusBar* bar = world.ui().StatusBar1;

        bar->scalePanels(m, d);

        int right = -1;
        for (int i = 0; i < TStatusBar::PanelCount; ++i) {
            const QRect panel = bar->panelGeometry(i);
            QVERIFY2(panel.left() > right, qPrintable(QStringLiteral("panel %1 overlaps the one before").arg(i)));
            QVERIFY(qAbs(panel.width() - TStatusBar::PanelWidths[i] * m / d) <= 1);
            right = panel.right();
        }
        QVERIFY(qAbs(right + 1 - 542 * m / d) <= 1);
    }

    void refusedScalesChangeNothing()
    {
        TestWorld world;
        QVERIFY(world.start());
        TStatusBar* bar = world.ui().StatusBar1;
        const QRect before = bar->panelGeometry(3);

        bar->scalePanels(0, 100);
        bar->scalePanels(150, 0);

        QCOMPARE(bar->panelGeometry(3), before);
    }
};

TROMBUS_GUI_TEST_MAIN(StatusBarTest)
#include "statusbar_test.moc"
