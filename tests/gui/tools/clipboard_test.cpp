#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

#include "app/tapplication.h"
#include "forms/clipboardgroup.h"
#include "testworld.h"
#include "tools/clipboardkinds.h"
#include "ui_ClipboardGroup.h"
#include "ui_MainPage.h"
#include "widgets/timage.h"

// The clipboard viewer against the real clipboard of the test's display (the headless platform keeps one
// in the process).
namespace {

struct ClipboardWorld
{
    ClipboardWorld()
    {
        QGuiApplication::clipboard()->clear();
        started = world.start();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMain);
    }
    bool started = false;
    Ui::ClipboardGroup& form() { return world.mainPage().ClipboardPanel->form(); }
    void refresh() { QTest::mouseClick(form().Button8, Qt::LeftButton); }
    QString caption() { return form().Label36->text(); }

    TestWorld world;
};

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

} // namespace

class ClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    void kindsAreNamedInTheirOrder_data()
    {
        QTest::addColumn<QStringList>("formats");
        QTest::addColumn<QString>("caption");
        QTest::newRow("nothing") << QStringList() << QString();
        QTest::newRow("text") << QStringList{"text/plain"} << "текст";
        QTest::newRow("text with a charset") << QStringList{"text/plain;charset=utf-8"} << "текст";
        QTest::newRow("html only") << QStringList{"text/html"} << QString();
        QTest::newRow("bitmap is also a picture") << QStringList{"image/bmp"} << "типа рисунок";
        QTest::newRow("metafile") << QStringList{"image/x-wmf"} << "метафил";
        QTest::newRow("png") << QStringList{"image/png"} << "типа рисунок";
        QTest::newRow("qt's own picture") << QStringList{"application/x-qt-image"} << "типа рисунок";
        QTest::newRow("text and picture") << QStringList{"image/png", "text/plain"} << "типа рисунок";
        QTest::newRow("component") << QStringList{"text/plain", "image/png", ClipboardKinds::ComponentFormat}
                                   << "объект";
        QTest::newRow("unknown") << QStringList{"application/octet-stream"} << QString();
    }
    void kindsAreNamedInTheirOrder()
    {
        QFETCH(QStringList, formats);
        QFETCH(QString, caption);
        QCOMPARE(ClipboardKinds::caption(formats), caption);
    }

    void textIsShownInTheMemo()
    {
        ClipboardWorld run;
        QVERIFY(run.started);
        QCOMPARE(run.caption(), QStringLiteral("ШО"));
        QVERIFY(run.form().Image2->isVisible());
        QGuiApplication::clipboard()->setText(QStringLiteral("скопировано\nдве строки"));
        QCOMPARE(run.caption(), QStringLiteral("ШО")); // the view waits for a refresh
        run.refresh();
        QCOMPARE(run.caption(), QStringLiteral("текст"));
        QCOMPARE(run.form().Memo5->toPlainText(), QStringLiteral("скопировано\nдве строки"));
        QVERIFY(!run.form().Image2->isVisible());
        QCOMPARE(run.form().Memo5->textCursor().position(), 0); // shown from its beginning
        // A second refresh replaces the memo's text rather than adding to it.
        run.refresh();
        QCOMPARE(run.form().Memo5->toPlainText(), QStringLiteral("скопировано\nдве строки"));
    }

    void pictureIsShrunkIntoTheBoxKeepingItsProportions_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("qt image") << QString();
        QTest::newRow("bmp") << QStringLiteral("image/bmp");
        QTest::newRow("png") << QStringLiteral("image/png");
    }
    void pictureIsShrunkIntoTheBoxKeepingItsProportions()
    {
        QFETCH(QString, format);
        ClipboardWorld run;
        QVERIFY(run.started);
        run.form().Memo5->setPlainText(QStringLiteral("старое"));
        const QImage image = picture(400, 200);
        if (format.isEmpty()) {
            QGuiApplication::clipboard()->setImage(image);
        } else {
            auto* data = new QMimeData;
            data->setData(format, encoded(image, format == QLatin1String("image/bmp") ? "BMP" : "PNG"));
            QGuiApplication::clipboard()->setMimeData(data);
        }
        run.refresh();
        QCOMPARE(run.caption(), QStringLiteral("типа рисунок"));
        // The longest caption fits its label.
        const QLabel* label = run.form().Label36;
        const QRect drawn = label->fontMetrics().boundingRect(
            label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
        QVERIFY(label->contentsRect().contains(drawn));
        QVERIFY(run.form().Image2->isVisible());
        QVERIFY(run.form().Memo5->toPlainText().isEmpty());
        TImage* box = run.form().Image2;
        QCOMPARE(box->picture().size(), QSize(400, 200));
        QCOMPARE(box->shownSize(), QSize(box->width(), box->width() / 2));
        QVERIFY(box->frameWidth() > 0);
        // What the box shows: the picture's colour in its corner, the frame over its edge.
        const QImage look = box->grab().toImage();
        QCOMPARE(look.pixelColor(box->width() / 2, box->width() / 4), QColor(Qt::darkCyan));
        QVERIFY(look.pixelColor(0, box->width() / 4) != QColor(Qt::darkCyan));
    }

    void smallPictureKeepsItsSize()
    {
        ClipboardWorld run;
        QVERIFY(run.started);
        QGuiApplication::clipboard()->setImage(picture(10, 7));
        run.refresh();
        QCOMPARE(run.form().Image2->shownSize(), QSize(10, 7));
    }

    void otherKinds_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("caption");
        QTest::newRow("metafile") << QStringLiteral("image/x-wmf") << QStringLiteral("метафил");
        QTest::newRow("component") << ClipboardKinds::ComponentFormat << QStringLiteral("объект");
    }
    void otherKinds()
    {
        QFETCH(QString, format);
        QFETCH(QString, caption);
        ClipboardWorld run;
        QVERIFY(run.started);
        auto* data = new QMimeData;
        data->setData(format, QByteArray("\x01\x02\x03", 3));
        QGuiApplication::clipboard()->setMimeData(data);
        run.refresh();
        QCOMPARE(run.caption(), caption);
        QVERIFY(!run.form().Image2->isVisible());
        QVERIFY(run.form().Memo5->toPlainText().isEmpty());
    }

    void unreadablePictureGoesToTheErrorReport()
    {
        ClipboardWorld run;
        QVERIFY(run.started);
        auto* data = new QMimeData;
        data->setData(QStringLiteral("image/png"), QByteArray("not a picture"));
        QGuiApplication::clipboard()->setMimeData(data);
        run.refresh();
        QCOMPARE(run.world.dialogs.errors(), QStringList{QStringLiteral("Unsupported clipboard format.")});
        QCOMPARE(run.caption(), QStringLiteral("типа рисунок"));
    }

    void emptyingClearsTheClipboardButNotTheView()
    {
        ClipboardWorld run;
        QVERIFY(run.started);
        QGuiApplication::clipboard()->setText(QStringLiteral("уйдёт"));
        run.refresh();
        QTest::mouseClick(run.form().Button9, Qt::LeftButton);
        const QMimeData* left = QGuiApplication::clipboard()->mimeData();
        QVERIFY(!left || left->formats().isEmpty());
        QCOMPARE(run.caption(), QStringLiteral("текст"));
        QCOMPARE(run.form().Memo5->toPlainText(), QStringLiteral("уйдёт"));
        run.refresh();
        QCOMPARE(run.caption(), QString());
        QVERIFY(run.form().Memo5->toPlainText().isEmpty());
        QVERIFY(!run.form().Image2->isVisible());
    }

    void helpButtonPutsTheScreenOnTheClipboardAndShowsIt()
    {
        ClipboardWorld run;
        QVERIFY(run.started);
        QGuiApplication::clipboard()->setText(QStringLiteral("до снимка"));
        QTest::mouseClick(run.form().Button1, Qt::LeftButton);
        QCOMPARE(run.world.dialogs.messages(), QStringList{QStringLiteral("Вывод содержимого буфера.")});
        const QImage shot = QGuiApplication::clipboard()->image();
        QVERIFY(!shot.isNull());
        QCOMPARE(run.caption(), QStringLiteral("типа рисунок"));
        QVERIFY(run.form().Image2->isVisible());
        QCOMPARE(run.form().Image2->picture().size(), shot.size());
        QVERIFY(run.form().Memo5->toPlainText().isEmpty());
    }
};

TROMBUS_GUI_TEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
