#pragma once

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWidget>

#include "dialogs/tform6.h"
#include "testworld.h"

// Walks the program's forms widget by widget, for window tests that hold every control to one rule.
namespace formwalk {

// Controls built from Qt's own parts: their insides belong to the control, not to the form.
inline bool isCompositeControl(const QWidget* widget)
{
    return qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QCalendarWidget*>(widget) || qobject_cast<const QAbstractScrollArea*>(widget) ||
           qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QTabBar*>(widget);
}

inline void collect(QWidget* parent, QList<QWidget*>& into)
{
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        if (!widget->objectName().startsWith(QLatin1String("qt_")))
            into << widget;
        if (!isCompositeControl(widget))
            collect(widget, into);
    }
}

/// The window itself and every widget of its form, Qt's internal parts left out.
inline QList<QWidget*> formWidgets(QWidget* window)
{
    QList<QWidget*> widgets{window};
    collect(window, widgets);
    return widgets;
}

/// Every window of a program run: the main window, About, Form2, Messia and one help picture window.
inline QList<QWidget*> programWindows(TestWorld& world)
{
    world.form1().Panel5Click();
    QList<QWidget*> windows{&world.form1(), world.form1().aboutWindow(), world.form1().form2Window(),
                            world.form1().messiaWindow()};
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<TForm6*>(top)) {
            windows << top;
            break;
        }
    }
    return windows;
}

/// A readable, unique row name: the object names from the window down; unnamed parts by class and place.
inline QString pathOf(const QWidget* widget)
{
    QStringList parts;
    for (const QWidget* at = widget; at; at = at->isWindow() ? nullptr : at->parentWidget()) {
        QString name = at->objectName();
        if (name.startsWith(QLatin1String("qt_")))
            continue;
        if (name.isEmpty()) {
            int place = 0;
            if (const QWidget* parent = at->parentWidget()) {
                for (QObject* sibling : parent->children()) {
                    if (sibling == at)
                        break;
                    if (sibling->metaObject() == at->metaObject())
                        ++place;
                }
            }
            name = QStringLiteral("%1 %2").arg(QString::fromLatin1(at->metaObject()->className())).arg(place);
        }
        parts.prepend(name);
    }
    return parts.join(QLatin1Char('/'));
}

/// One scale step of the main window, as the scale entry takes it; false when the window refused it.
[[nodiscard]] inline bool scaleWindow(TForm1& form, int percent)
{
    const int designWidth = form.width();
    form.scaleBy(percent, 100);
    return qAbs(form.width() - designWidth * percent / 100) <= 1;
}

/// Brings forward every notebook page and tab that holds the widget, as a user opening them would.
inline void bringForward(QWidget* widget)
{
    for (QWidget* at = widget; at && !at->isWindow(); at = at->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(at->parentWidget());
        if (!stack)
            continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(at);
        else
            stack->setCurrentWidget(at);
    }
}

} // namespace formwalk

// A window test's main on an offscreen screen as large as the X screen the program is tried on, so the
// window can take its 150 % step (the default offscreen screen is too small for it).
#define TROMBUS_WIDE_SCREEN_TEST_MAIN(TestClass)                                                                       \
    TROMBUS_TEST_ENTRY(TestClass)                                                                                      \
    {                                                                                                                  \
        QTemporaryDir screens;                                                                                         \
        const QString config = screens.filePath(QStringLiteral("screens.json"));                                       \
        QFile file(config);                                                                                            \
        if (!file.open(QIODevice::WriteOnly))                                                                          \
            return 1;                                                                                                  \
        file.write("{\"screens\": [{\"name\": \"wide\", \"width\": 1280, \"height\": 1024}]}");                        \
        file.close();                                                                                                  \
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());                                         \
        TApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
