// The real browser (Qt WebEngine, loaded as the program loads it) on local pages only: a page from a small
// HTTP server the test starts on the loopback address, and a file in a temporary folder.
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "app/tapplication.h"
#include "media/webbrowser.h"
#include "media/webviewer.h"
#include "testworld.h"
#include "ui_InternetPage.h"

namespace {

// Answers every request with one page, then closes the connection.
class PageServer final : public QObject
{
public:
    explicit PageServer(QByteArray page) : m_page(std::move(page))
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    ++requests;
                    socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                                  QByteArray::number(m_page.size()) + "\r\nConnection: close\r\n\r\n" + m_page);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort()); }
    int requests = 0;

private:
    QTcpServer m_server;
    QByteArray m_page;
};

} // namespace

class WebEngineTest : public QObject
{
    Q_OBJECT

private slots:
    void localPagesLoadAndHistoryWorks()
    {
        PageServer server("<html><head><title>Страница с сервера</title></head><body>сервер</body></html>");
        QVERIFY(server.listen());
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath(QStringLiteral("page.html"));
        QFile page(path);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><head><title>Страница из файла</title></head><body>файл</body></html>");
        page.close();

        TestWorld world;
        QVERIFY(world.start());
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageInternet);
        WebBrowser* browser = world.features().webViewer().browser();
        QVERIFY2(browser, "the browser module did not load");
        QVERIFY(browser->view()->isVisible());
        Ui::InternetPage& internet = world.internetPage();

        internet.ComboBox4->setEditText(server.address());
        QTest::mouseClick(internet.BitBtn10, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(browser->LocationName(), QStringLiteral("Страница с сервера"), 30000);
        QCOMPARE(browser->LocationURL(), server.address());

        internet.ComboBox4->setEditText(path);
        QTest::mouseClick(internet.BitBtn10, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(browser->LocationName(), QStringLiteral("Страница из файла"), 30000);
        QCOMPARE(browser->LocationURL(), QUrl::fromLocalFile(path).toString());

        QTest::mouseClick(internet.BitBtn6, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(browser->LocationName(), QStringLiteral("Страница с сервера"), 30000);
        QTest::mouseClick(internet.BitBtn7, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(browser->LocationName(), QStringLiteral("Страница из файла"), 30000);
        const int before = server.requests;
        QTest::mouseClick(internet.BitBtn6, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(browser->LocationName(), QStringLiteral("Страница с сервера"), 30000);
        QTest::mouseClick(internet.BitBtn9, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(server.requests > before, 30000);
    }
};

TROMBUS_GUI_TEST_MAIN(WebEngineTest)
#include "webengine_test.moc"
