#pragma once

#include <QStringList>

#include "platform/keyboardlayout.h"

// Records the layouts the program asks for instead of switching the tester's keyboard.
class LayoutRecorder final : public platform::KeyboardLayout
{
public:
    void activate(const std::string& layoutId) override { activated << QString::fromStdString(layoutId); }

    /// Every layout asked for, in order.
    QStringList activated;
};
