#pragma once

#include <QObject>
#include <QString>
#include <string>

namespace Ui {
class HelpPage;
}
namespace platform {
class DiskSpace;
}

// The gauge "Скока на диске": free, used and total space of the chosen drive in the chosen unit, the used
// whole gigabytes on the bar and the chosen quantity's share. The unit and quantity boxes take effect at
// the next update, which runs when another drive is chosen.
class DiskMeter final : public QObject
{
    Q_OBJECT
public:
    DiskMeter(Ui::HelpPage& form, platform::DiskSpace& disks, QObject* parent = nullptr);

    /// Selects the drive of the current directory (without an update) and runs the first update.
    void firstUpdate();
    void UpdateDiskMeter();
    void DriversChange();
    void ProgressBar1MouseDown();
    /// Both selectors back to their first items.
    void resetSelectors();

    qint16 MeterDrive = 0;
    QString MeterUnit;
    float MeterDivisor = 0;
    float MeterValue = 0;

private:
    void fillDriveList();
    std::string selectedDrive() const;

    Ui::HelpPage& m_form;
    platform::DiskSpace& m_disks;
};
