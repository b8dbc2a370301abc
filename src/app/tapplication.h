#pragma once

#include <QApplication>

// The application object: catches an error that escapes any event handler and shows the default error
// report, so the program carries on.
class TApplication final : public QApplication
{
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    /// The hint colour and pauses every tooltip of the program uses.
    static void applyHintSettings();

private:
    static void substituteWindowsFonts();
};
