#include <QAbstractButton>
#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/tapplication.h"
#include "common/dialogs.h"
#include "testworld.h"

namespace {

// Runs `inspect` on the modal window the next call opens, then closes it with `close`.
void whenModalOpens(std::function<void(QWidget*)> inspect)
{
    QTimer::singleShot(0, [inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        inspect(modal);
    });
}

} // namespace

// The program speaks Russian whatever the desktop's language: Qt's standard buttons and dialogs too.
class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { Dialogs::setHook({}); }

    void questionBoxButtonsAreRussian()
    {
        QString yes;
        QString no;
        whenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            yes = box->button(QMessageBox::Yes)->text();
            no = box->button(QMessageBox::No)->text();
            box->button(QMessageBox::No)->click();
        });
        const bool answer = Dialogs::question(QStringLiteral("Вы хотите выйти?"), QMessageBox::Warning);
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY(!answer);
        QCOMPARE(yes, QStringLiteral("&Да"));
        QCOMPARE(no, QStringLiteral("&Нет"));
    }

    void colourDialogIsRussian()
    {
        QString title;
        QStringList buttons;
        whenModalOpens([&](QWidget* modal) {
            title = modal->windowTitle();
            for (auto* button : modal->findChildren<QPushButton*>())
                buttons << button->text();
            qobject_cast<QDialog*>(modal)->reject();
        });
        QVERIFY(!Dialogs::chooseColor(Qt::green));
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY2(!title.contains(QLatin1String("Select")), qPrintable(title));
        QVERIFY2(title.contains(QStringLiteral("цвет"), Qt::CaseInsensitive), qPrintable(title));
        QVERIFY2(buttons.contains(QStringLiteral("Отмена")), qPrintable(buttons.join(QLatin1Char('|'))));
    }
};

TROMBUS_GUI_TEST_MAIN(TranslationsTest)
#include "translations_test.moc"
