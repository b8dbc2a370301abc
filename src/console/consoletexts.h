#pragma once

#include <QString>

// The console's own texts.
namespace ConsoleTexts {

/// The service command's word; a click on the corner picture puts it and a space into the console, and the
/// "quartzite" start puts it, a space and "1" there.
inline const QString ServiceWord = QStringLiteral("-=Kr@nTOS_314=-");
inline const QString ServicePrefill = ServiceWord + QLatin1Char(' ');
inline const QString ServiceSwitchLine = ServiceWord + QStringLiteral(" 1");
/// The first command-line argument that switches the service mode at activation.
inline const QString ServiceStartArgument = QStringLiteral("quartzite");
/// The help menu's item takes this caption at every switch of the service mode.
inline const QString ServiceMenuCaption = ServiceWord;

inline const QString InitialLine = QStringLiteral("help");
inline const QString Zq5Caption = QStringLiteral("ZQ5");
inline const QString BrundanCaption = QStringLiteral("Брундуков.");
inline const QString Greeting = QStringLiteral("!!!Привет Брунд!!!");
inline const QString ChooseDoor = QStringLiteral("1 or 0");
inline const QString HelpMessage =
    QStringLiteral("\t\t\t!!!WARNING!!!\n\n         Тупым лучше не вводить ни чего в консоль\n\n\tСписок не скрытых "
                   "стандартных функций: \nhelp,ZQ5,Form_color,close,hide,Con_color");

/// The launch-count label: the stored count as it stands (empty when missing) and " раз".
inline QString launchCountText(const QString& stored)
{
    return stored + QStringLiteral(" раз");
}

} // namespace ConsoleTexts
