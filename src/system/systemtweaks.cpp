#include "system/systemtweaks.h"

#include <QImage>
#include <QPixmap>

#include "common/clickfilter.h"
#include "common/dialogs.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "common/strtoint.h"
#include "common/tregistry.h"
#include "platform/cddoor.h"
#include "platform/commandrunner.h"
#include "platform/iconextractor.h"
#include "platform/keyboardlayout.h"
#include "platform/pointer.h"
#include "platform/recyclebin.h"
#include "system/tweakrules.h"
#include "ui_KeyMouseGroup.h"
#include "ui_TweakGroup.h"

namespace {

QPixmap pixmapOf(const platform::IconPicture& picture)
{
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.pixels.begin() + qsizetype(y) * picture.width, picture.width,
                    reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    return QPixmap::fromImage(image);
}

} // namespace

SystemTweaks::SystemTweaks(Ui::TweakGroup& tweaks, Shell& shell, QObject* parent)
    : QObject(parent), m_tweaks(tweaks), m_shell(shell)
{
    connectGuarded(tweaks.TaskManagerBox, &QCheckBox::clicked, this, &SystemTweaks::TaskManagerBoxClick);
    connectGuarded(tweaks.RecycleBinBox, &QCheckBox::clicked, this, &SystemTweaks::RecycleBinBoxClick);
    connectGuarded(tweaks.CdAutorunBox, &QCheckBox::clicked, this, &SystemTweaks::CdAutorunBoxClick);
    connectGuarded(tweaks.CdDoorButton, &QToolButton::clicked, this, &SystemTweaks::CdDoorButtonClick);
    connectGuarded(tweaks.SourceEditorButton, &QToolButton::clicked, this, &SystemTweaks::SourceEditorButtonClick);
    connectGuarded(tweaks.izik, &QToolButton::clicked, this, &SystemTweaks::izikClick);
    connectGuarded(tweaks.IconButton, &QPushButton::clicked, this, &SystemTweaks::IconButtonClick);
    connectGuarded(tweaks.Edit5, &QLineEdit::returnPressed, this, &SystemTweaks::IconButtonClick);
    // The panel's own surface, between its controls, hides the error indicator.
    MouseHandlers::onMouseMove(tweaks.TaskManagerBox->parentWidget(),
                               [this](QMouseEvent*) { m_shell.hideErrorIndicator(); });
}

void SystemTweaks::attachKeyMousePanel(Ui::KeyMouseGroup& keyMouse)
{
    m_keyMouse = &keyMouse;
    connectGuarded(keyMouse.MouseSpeedBar, &QSlider::valueChanged, this, &SystemTweaks::MouseSpeedBarChange);
    connectGuarded(keyMouse.LeftHandButton, &QPushButton::clicked, this, &SystemTweaks::LeftHandButtonClick);
    if (m_leftHanded)
        keyMouse.LeftHandButton->setText(QStringLiteral("Я правша"));
}

// Both switches are written as text; the value stays in place when the switch is turned off. On Windows they are
// the system's own settings (the task manager's policy, the CD driver's autorun); on Linux they land in the
// program's registry file, which nothing else reads, so there they change nothing further.
void SystemTweaks::writeSwitch(bool localMachine, const QString& key, const QString& name, const QString& value)
{
    TRegistry registry(m_shell.platform());
    registry.setRootKey(localMachine ? platform::Hive::LocalMachine : platform::Hive::CurrentUser);
    registry.OpenKey(key, true);
    registry.WriteString(name, value);
    registry.CloseKey();
}

void SystemTweaks::TaskManagerBoxClick()
{
    writeSwitch(false, QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System"),
                QStringLiteral("DisableTaskMgr"),
                m_tweaks.TaskManagerBox->isChecked() ? QStringLiteral("1") : QString());
}

void SystemTweaks::RecycleBinBoxClick()
{
    if (!m_tweaks.RecycleBinBox->isChecked())
        return;
    // A bin that could not be emptied keeps the box checked; an emptied one leaves it ready for the next time.
    if (m_shell.platform().get<platform::RecycleBin>().empty())
        m_tweaks.RecycleBinBox->setChecked(false);
}

void SystemTweaks::CdAutorunBoxClick()
{
    writeSwitch(true, QStringLiteral("SYSTEM\\CurrentControlSet\\Services"), QStringLiteral("CDRom"),
                m_tweaks.CdAutorunBox->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void SystemTweaks::CdDoorButtonClick()
{
    platform::CdDoor& door = m_shell.platform().get<platform::CdDoor>();
    if (!m_cdDoorOpen)
        door.open();
    else
        door.close();
    m_cdDoorOpen = !m_cdDoorOpen;
}

void SystemTweaks::SourceEditorButtonClick()
{
    TRegistry registry(m_shell.platform());
    registry.setRootKey(platform::Hive::ClassesRoot);
    registry.OpenKey(QStringLiteral("BCBUnit\\Shell\\Open\\Command"), true);
    m_tweaks.borl->setText(registry.ReadString(QString()));
    registry.CloseKey();
    // Started as it stands, placeholders included; empty text starts nothing.
    m_shell.platform().get<platform::CommandRunner>().run(m_tweaks.borl->text().toStdString());
}

void SystemTweaks::izikClick()
{
    const LayoutChoice choice = nextKeyboardLayout(m_tweaks.izik->text());
    m_keyboardLayoutId = choice.layoutId;
    m_tweaks.izik->setText(choice.caption);
    m_shell.platform().get<platform::KeyboardLayout>().activate(m_keyboardLayoutId.toStdString());
}

// Set rather than pressed: the button toggles, so pressing it at every activation would alternate the layout each
// time the user came back to the window.
void SystemTweaks::reapplyKeyboardLayout()
{
    if (m_keyboardLayoutId != QLatin1String(kUsEnglishLayout))
        return;
    m_tweaks.izik->setText(QStringLiteral("EN"));
    m_shell.platform().get<platform::KeyboardLayout>().activate(m_keyboardLayoutId.toStdString());
}

std::vector<StoredValue> SystemTweaks::storedValues()
{
    return {
        {"izik", [this](const QString& value) { setKeyboardLayoutId(value); }, [this] { return keyboardLayoutId(); }},
    };
}

void SystemTweaks::IconButtonClick()
{
    if (m_tweaks.Edit5->text().isEmpty()) {
        m_shell.showErrorIndicator();
        return;
    }
    TRegistry registry(m_shell.platform());
    registry.setRootKey(platform::Hive::LocalMachine);
    registry.OpenKey(QStringLiteral("Software\\CLASSES"), false);
    if (!registry.OpenKey(extensionKey(m_tweaks.Edit5->text()), false)) {
        m_tweaks.Image1->clear();
        return;
    }
    const QString className = registry.ReadString(QString());
    // Without a DefaultIcon key the extension's key stays open, and its value is read as the location.
    registry.OpenKey(QStringLiteral("\\Software\\CLASSES\\") + className + QStringLiteral("\\DefaultIcon"), false);
    const QString location = registry.ReadString(QString());
    registry.CloseKey();
    if (isOwnIcon(location))
        return;
    const IconLocation parts = splitIconLocation(location);
    const int index = StrToInt(parts.indexText);
    const std::optional<platform::IconPicture> picture =
        m_shell.platform().get<platform::IconExtractor>().extract(parts.fileName.toStdString(), index);
    if (picture)
        m_tweaks.Image1->setPixmap(pixmapOf(*picture));
    else
        m_tweaks.Image1->clear();
}

void SystemTweaks::MouseSpeedBarChange(int position)
{
    m_shell.platform().get<platform::Pointer>().setSpeed(position);
}

void SystemTweaks::LeftHandButtonClick()
{
    Dialogs::message(QStringLiteral("А мне пофиг"));
    m_leftHanded = !m_leftHanded;
    if (m_keyMouse)
        m_keyMouse->LeftHandButton->setText(m_leftHanded ? QStringLiteral("Я правша") : QStringLiteral("Я левша"));
    m_shell.platform().get<platform::Pointer>().swapButtons(m_leftHanded);
}
