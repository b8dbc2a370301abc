#include "app/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installQtTranslations(QCoreApplication& app)
{
    // Every caption of the program is Russian, so the standard parts follow them rather than the desktop's
    // language. A packaged Windows build carries the files beside the program.
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    auto* translator = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}
