#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "app/tapplication.h"
#include "media/webviewer.h"
#include "mediastandins.h"
#include "testworld.h"
#include "ui_InternetPage.h"

namespace {

struct WebWorld
{
    WebWorld()
    {
        world.platform->replace<WebBrowserFactory>(browsers);
        started = world.start();
    }
    bool started = false;
    Ui::InternetPage& page() { return world.internetPage(); }
    WebViewer& viewer() { return world.features().webViewer(); }
    void showPage() { world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageInternet); }
    QStringList items()
    {
        QStringList result;
        for (int i = 0; i < page().ComboBox4->count(); ++i)
            result << page().ComboBox4->itemText(i);
        return result;
    }
    void go(const QString& address)
    {
        page().ComboBox4->setEditText(address);
        QTest::mouseClick(page().BitBtn10, Qt::LeftButton);
    }

    std::shared_ptr<RecordingWebBrowserFactory> browsers = std::make_shared<RecordingWebBrowserFactory>();
    TestWorld world;
};

} // namespace

class WebViewerTest : public QObject
{
    Q_OBJECT

private slots:
    void browserIsMadeWhenThePageIsFirstShown()
    {
        WebWorld w;
        QVERIFY(w.started);
        QCOMPARE(w.browsers->made, 0);
        QCOMPARE(w.page().ComboBox4->count(), 6);
        QCOMPARE(w.page().ComboBox4->currentText(), w.page().ComboBox4->itemText(0));
        w.showPage();
        QCOMPARE(w.browsers->made, 1);
        QVERIFY(w.viewer().browser());
        w.world.ui().TabbedNotebook1->setCurrentWidget(w.world.ui().PageMusic);
        w.showPage();
        QCOMPARE(w.browsers->made, 1);
        QVERIFY(w.browsers->log.isEmpty());
    }

    void goingToANewAddressAddsItOnce()
    {
        WebWorld w;
        QVERIFY(w.started);
        w.showPage();
        const QStringList presets = w.items();
        w.go(QStringLiteral("http://127.0.0.1:8080/a.html"));
        QCOMPARE(w.items(), presets + QStringList({"http://127.0.0.1:8080/a.html"}));
        QCOMPARE(w.page().ComboBox4->currentText(), QStringLiteral("http://127.0.0.1:8080/a.html"));
        w.go(QStringLiteral("http://127.0.0.1:8080/a.html"));
        w.go(presets.at(3));
        QCOMPARE(w.items().size(), presets.size() + 1);
        // Letter case makes a different address.
        w.go(QStringLiteral("HTTP://127.0.0.1:8080/a.html"));
        QCOMPARE(w.items().size(), presets.size() + 2);
        QCOMPARE(w.browsers->log,
                 QStringList({"navigate http://127.0.0.1:8080/a.html", "navigate http://127.0.0.1:8080/a.html",
                              "navigate " + presets.at(3), "navigate HTTP://127.0.0.1:8080/a.html"}));
    }

    void emptyBoxAddsNothingAndStillNavigates()
    {
        WebWorld w;
        QVERIFY(w.started);
        w.showPage();
        const int count = w.page().ComboBox4->count();
        w.go(QString());
        QCOMPARE(w.page().ComboBox4->count(), count);
        QCOMPARE(w.browsers->log, QStringList({"navigate "}));
    }

    void longAddressIsCutAfterNinetyNineCharacters()
    {
        WebWorld w;
        QVERIFY(w.started);
        w.showPage();
        const QString address = QStringLiteral("http://127.0.0.1/") + QString(103, QLatin1Char('x'));
        QCOMPARE(address.size(), 120);
        w.go(address);
        QCOMPARE(w.browsers->log, QStringList({"navigate " + address.left(99)}));
        // The list keeps the whole address.
        QCOMPARE(w.items().last(), address);
    }

    void enterInTheAddressBoxGoes()
    {
        WebWorld w;
        QVERIFY(w.started);
        w.showPage();
        QComboBox* box = w.page().ComboBox4;
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), QStringLiteral("file:///tmp/page.html"));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(w.browsers->log, QStringList({"navigate file:///tmp/page.html"}));
        QCOMPARE(w.items().last(), QStringLiteral("file:///tmp/page.html"));
        QCOMPARE(w.items().count(QStringLiteral("file:///tmp/page.html")), 1);
    }

    void buttonsAndPopupMenuNavigate()
    {
        WebWorld w;
        QVERIFY(w.started);
        w.showPage();
        for (QPushButton* button : {w.page().BitBtn6, w.page().BitBtn7, w.page().BitBtn8, w.page().BitBtn9})
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.browsers->log, QStringList({"back", "forward", "stop", "refresh"}));
        w.browsers->log.clear();
        QMenu& menu = w.viewer().popupMenu();
        QCOMPARE(menu.objectName(), QStringLiteral("PopupMenu2"));
        QStringList texts;
        for (QAction* action : menu.actions()) {
            texts << action->text();
            action->trigger();
        }
        QCOMPARE(texts, QStringList({"назад", "вперед", "остановить", "обновить", "переход"}));
        QCOMPARE(w.browsers->log, QStringList({"back", "forward", "stop", "refresh", "navigate " + w.items().first()}));
    }

    void rightClickOnTheBrowserOpensPopupMenu2()
    {
        WebWorld w;
        QVERIFY(w.started);
        w.showPage();
        QWidget* area = w.page().CppWebBrowser1;
        QCOMPARE(area->toolTip(), QStringLiteral("Интернет хорошая штука"));
        emit area->customContextMenuRequested(QPoint(20, 20));
        QTRY_VERIFY(w.viewer().popupMenu().isVisible());
        w.viewer().popupMenu().close();
    }
};

TROMBUS_GUI_TEST_MAIN(WebViewerTest)
#include "webviewer_test.moc"
