// The playlist's hover hint on a real display: the pointer rests on an entry, the hint shows over the entry's
// row after the application's hint delay and lets the pointer through, and moving on to another entry shows
// that entry's hint.
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include "app/tapplication.h"
#include "media/player.h"
#include "testworld.h"
#include "ui_MusicPage.h"

class PlayerX11Test : public QObject
{
    Q_OBJECT

private slots:
    void hintFollowsThePointerOverTheEntries()
    {
        QTemporaryDir folder;
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
            QFile file(QDir(folder.path()).filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        TestWorld world;
        QVERIFY(world.start());
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMusic);
        Ui::MusicPage& page = world.musicPage();
        QTest::mouseClick(page.CheckBox12, Qt::LeftButton);
        Dialogs::Reply reply;
        reply.path = folder.path();
        world.dialogs.answerNext(reply);
        QTest::mouseClick(page.SpeedButton1, Qt::LeftButton);
        QListWidget* list = page.ListBox1;
        QCOMPARE(list->count(), 3);
        Player& player = world.features().player();
        // Coming from another control whose tooltip is up.
        QCursor::setPos(page.CheckBox10->mapToGlobal(QPoint(10, 8)));
        QTRY_VERIFY(QToolTip::isVisible());

        for (int row : {1, 2}) {
            const QRect rowRect = list->visualItemRect(list->item(row));
            // The pointer rests on the entry's text, where the hint will cover it.
            const QPoint onText(rowRect.left() + 6, rowRect.center().y());
            QCursor::setPos(list->viewport()->mapToGlobal(onText + QPoint(3, 0)));
            QCursor::setPos(list->viewport()->mapToGlobal(onText));
            QTRY_COMPARE(player.HoverIndex, row);
            QTRY_VERIFY(player.hintWindow() && player.hintWindow()->isVisible());
            auto* hint = qobject_cast<QLabel*>(player.hintWindow());
            QCOMPARE(hint->text(), list->item(row)->text());
            QCOMPARE(hint->pos(), list->viewport()->mapToGlobal(QPoint(0, rowRect.top())));
            // The pointer is under the hint, and the list still has it.
            QVERIFY(hint->geometry().contains(QCursor::pos()));
            QTest::qWait(300);
            QVERIFY(hint->isVisible());
            QCOMPARE(player.HoverIndex, row);
        }
    }
};

TROMBUS_GUI_TEST_MAIN(PlayerX11Test)
#include "player_x11_test.moc"
