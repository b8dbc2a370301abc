#pragma once

#include <QTest>
#include <QWindow>

#include "testworld.h"
#include "ui_Form1.h"
#include "ui_MainPage.h"

// The ways the user closes the window, each through what the user touches.
enum class ClosePath
{
    WindowClose, // the title bar's close box or Alt+F4: the window system's close request
    ExitButton,
    MenuClose,
    TrayClose,
    ConsoleClose,
    ConsoleQuietClose,
};

inline void closeBy(TestWorld& world, ClosePath path)
{
    switch (path) {
    case ClosePath::WindowClose:
        world.form1().windowHandle()->close();
        return;
    case ClosePath::ExitButton:
        QTest::mouseClick(world.ui().BitBtn3, Qt::LeftButton);
        return;
    case ClosePath::MenuClose:
        world.ui().N9->trigger();
        return;
    case ClosePath::TrayClose:
        world.ui().N2->trigger();
        return;
    case ClosePath::ConsoleClose:
    case ClosePath::ConsoleQuietClose:
        world.ui().console->setText(path == ClosePath::ConsoleClose ? QStringLiteral("close")
                                                                    : QStringLiteral("close 1"));
        world.ui().conbut->click();
        return;
    }
}

Q_DECLARE_METATYPE(ClosePath)
