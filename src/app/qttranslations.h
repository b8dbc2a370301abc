#pragma once

class QCoreApplication;

/// Installs Qt's own Russian translations, so that standard buttons and dialogs (Yes, No, the colour dialog)
/// speak the program's language whatever the desktop's. A missing translation leaves Qt's English quietly.
void installQtTranslations(QCoreApplication& app);
