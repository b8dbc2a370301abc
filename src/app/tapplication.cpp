#include "app/tapplication.h"

#include <QPalette>
#include <QStyle>
#include <QToolTip>
#include <exception>

#include "app/hintstyle.h"
#include "common/apptitle.h"
#include "common/errorreport.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationTitle(QStringLiteral("Тромбус"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app.png")));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showErrorReport(QString::fromUtf8(error.what()));
    }
    return false;
}

void TApplication::applyHintSettings()
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(0x00, 0xFF, 0x00));
    palette.setColor(QPalette::ToolTipText, QColor(0x00, 0x00, 0x00));
    QToolTip::setPalette(palette);
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    app->setStyle(new HintStyle(QApplication::style()->name()));
    app->installEventFilter(new HintHook(app));
}
