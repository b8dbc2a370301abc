#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolButton>
#include <QtTest>

#include "testmain.h"

namespace {

QImage drawn(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0;
    return count;
}

} // namespace

// The program's style hands out its standard pictures before reading them; what is finally drawn must be the
// picture the underlying style draws, whatever happened to the asking widget or the style in between.
class DeferredIconsTest : public QObject
{
    Q_OBJECT

private slots:
    void drawsWhatTheUnderlyingStyleDraws_data()
    {
        QTest::addColumn<int>("picture");
        QTest::newRow("calendar's arrow") << int(QStyle::SP_ArrowLeft);
        QTest::newRow("player's play") << int(QStyle::SP_MediaPlay);
        QTest::newRow("notepad's open") << int(QStyle::SP_DialogOpenButton);
        QTest::newRow("launcher's delete") << int(QStyle::SP_TrashIcon);
        QTest::newRow("drive") << int(QStyle::SP_DriveHDIcon);
    }
    void drawsWhatTheUnderlyingStyleDraws()
    {
        QFETCH(int, picture);
        const auto which = QStyle::StandardPixmap(picture);
        auto* programStyle = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(programStyle);
        QStyle* plain = programStyle->baseStyle();
        QToolButton button;
        const QIcon icon = QApplication::style()->standardIcon(which, nullptr, &button);
        QVERIFY(!icon.isNull());
        const QImage expected = drawn(plain->standardIcon(which, nullptr, &button));
        QVERIFY(opaquePixels(expected) > 0);
        QCOMPARE(drawn(icon), expected);
        // A copy of the icon shares the picture once it is read.
        QCOMPARE(drawn(QIcon(icon)), expected);
    }

    void aWidgetGoneBeforeTheFirstDrawStillGetsItsPicture()
    {
        QIcon icon;
        {
            QToolButton button;
            icon = button.style()->standardIcon(QStyle::SP_MediaStop, nullptr, &button);
        }
        QVERIFY(opaquePixels(drawn(icon)) > 0);
    }

    void aStyleReplacedBeforeTheFirstDrawLeavesThePictureDrawable()
    {
        const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_ArrowRight);
        auto* programStyle = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(programStyle);
        // The program's style goes (and the style it stands on with it); setStyle takes the new one.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        QVERIFY(opaquePixels(drawn(icon)) > 0);
    }
};

TROMBUS_GUI_TEST_MAIN(DeferredIconsTest)
#include "deferredicons_test.moc"
