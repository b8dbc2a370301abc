#include "tools/diskmeter.h"

#include <QAbstractItemView>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <functional>

#include "common/clickfilter.h"
#include "common/dialogs.h"
#include "common/guardedconnect.h"
#include "common/numberlocale.h"
#include "platform/diskspace.h"
#include "tools/diskmetermath.h"
#include "ui_HelpPage.h"

namespace {

QStyle::StandardPixmap pictureOf(platform::DriveKind kind)
{
    switch (kind) {
    case platform::DriveKind::Removable:
        return QStyle::SP_DriveFDIcon;
    case platform::DriveKind::Optical:
        return QStyle::SP_DriveCDIcon;
    case platform::DriveKind::Network:
        return QStyle::SP_DriveNetIcon;
    default:
        return QStyle::SP_DriveHDIcon;
    }
}

// The index of an editable box's entry; text typed by hand that names no entry counts as none.
int chosenIndex(const QComboBox* box)
{
    const int index = box->currentIndex();
    return index >= 0 && box->itemText(index) == box->currentText() ? index : -1;
}

// Mount points can be long: the open list is as wide as its longest entry, even where that is wider than the
// box, and follows the entries' font when the window scales. Styles differ in whether they widen the list by
// themselves; the room asked for here (picture, margins and a scroll bar besides the text) suits them all.
void fitListToEntries(QComboBox* box)
{
    QAbstractItemView* list = box->view();
    const QFontMetrics metrics = list->fontMetrics();
    int widest = 0;
    for (int row = 0; row < box->count(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(box->itemText(row)));
    const int margins = 4 * metrics.averageCharWidth();
    list->setMinimumWidth(widest + box->iconSize().width() + margins + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width());
}

class ListWidthKeeper final : public QObject
{
public:
    explicit ListWidthKeeper(QComboBox* box) : QObject(box), m_box(box) { box->view()->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FontChange)
            fitListToEntries(m_box);
        return false;
    }

private:
    QComboBox* m_box;
};

// The list is asked afresh each time it is about to open, so a drive mounted since (a USB stick) is there
// and one that is gone is not. A press of the mouse or of a key that opens the list comes before the list
// does.
class DriveListRefresher final : public QObject
{
public:
    DriveListRefresher(QComboBox* box, std::function<void()> refresh) : QObject(box), m_refresh(std::move(refresh))
    {
        box->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_refresh();
        else if (event->type() == QEvent::KeyPress && opensList(*static_cast<QKeyEvent*>(event)))
            m_refresh();
        return false;
    }

private:
    static bool opensList(const QKeyEvent& key)
    {
        const bool alt = key.modifiers() & Qt::AltModifier;
        return key.key() == Qt::Key_F4 || key.key() == Qt::Key_Space ||
               (alt && (key.key() == Qt::Key_Down || key.key() == Qt::Key_Up));
    }

    std::function<void()> m_refresh;
};

// An amount in bytes on a large drive is longer than its field; its font gets smaller until the whole amount
// fits, rather than losing its last digits or its unit. The font is worked out afresh from the inherited one
// whenever the text or the field's size changes (the window's scale changes both).
void fitAmount(QLabel* field)
{
    QFont font = field->parentWidget()->font();
    const QFontMetrics plain(font);
    int room = field->contentsRect().width() - 2 * field->margin() - 1;
    if (field->frameWidth() > 0 && field->indent() < 0)
        room -= plain.horizontalAdvance(QLatin1Char('x')) / 2;
    const qreal smallest = 5;
    const bool points = font.pointSizeF() > 0;
    qreal size = points ? font.pointSizeF() : font.pixelSize();
    while (QFontMetrics(font).horizontalAdvance(field->text()) > room && size > smallest) {
        size = std::max(smallest, size - (points ? 0.5 : 1));
        if (points)
            font.setPointSizeF(size);
        else
            font.setPixelSize(int(size));
    }
    if (font != field->font())
        field->setFont(font);
}

class AmountFitter final : public QObject
{
public:
    explicit AmountFitter(QLabel* field) : QObject(field), m_field(field) { field->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            fitAmount(m_field);
        return false;
    }

private:
    QLabel* m_field;
};

} // namespace

DiskMeter::DiskMeter(Ui::HelpPage& form, platform::DiskSpace& disks, QObject* parent)
    : QObject(parent), m_form(form), m_disks(disks)
{
    fillDriveList();
    new ListWidthKeeper(m_form.Drivers);
    for (QLabel* field : {m_form.StaticText4, m_form.StaticText5, m_form.StaticText6})
        new AmountFitter(field);
    new DriveListRefresher(m_form.Drivers, guarded([this] { fillDriveList(); }));
    connectGuarded(m_form.Drivers, &QComboBox::currentIndexChanged, this, &DiskMeter::DriversChange);
    MouseHandlers::onMouseDown(m_form.ProgressBar1, guarded([this](QMouseEvent*) { ProgressBar1MouseDown(); }));
}

// A refill keeps the chosen drive chosen and runs no update; a chosen drive that is gone leaves the first one
// shown, and choosing a drive from the list then updates the meter.
void DiskMeter::fillDriveList()
{
    QSignalBlocker blocker(m_form.Drivers);
    const QVariant chosen = m_form.Drivers->currentData();
    m_form.Drivers->clear();
    for (const platform::Drive& drive : m_disks.drives())
        m_form.Drivers->addItem(m_form.Drivers->style()->standardIcon(pictureOf(drive.kind)),
                                QString::fromStdString(drive.name), QString::fromStdString(drive.id));
    if (chosen.isValid())
        m_form.Drivers->setCurrentIndex(std::max(0, m_form.Drivers->findData(chosen)));
    fitListToEntries(m_form.Drivers);
}

std::string DiskMeter::selectedDrive() const
{
    return m_form.Drivers->currentData().toString().toStdString();
}

void DiskMeter::firstUpdate()
{
    const QString current = QString::fromStdString(m_disks.driveOf(QDir::currentPath().toStdString()));
    const int index = m_form.Drivers->findData(current);
    {
        QSignalBlocker blocker(m_form.Drivers);
        m_form.Drivers->setCurrentIndex(index >= 0 ? index : 0);
    }
    UpdateDiskMeter();
}

void DiskMeter::DriversChange()
{
    UpdateDiskMeter();
}

void DiskMeter::UpdateDiskMeter()
{
    const QString name = m_form.Drivers->currentText();
    m_form.Drivers->setToolTip(QStringLiteral("Диск ") + name);
    // Drive letters count from A as 1; drives without a letter count by their place in the list.
    const QString id = QString::fromStdString(selectedDrive());
    MeterDrive = id.size() == 3 && id[0].isLetter() && id.mid(1) == QStringLiteral(":\\")
                     ? qint16(id[0].toUpper().unicode() - 64)
                     : qint16(m_form.Drivers->currentIndex() + 1);
    // One reading of the drive for all the figures, so they agree with each other.
    const platform::DriveSize size = m_disks.size(selectedDrive());
    const auto view = diskMeterView(size.total, size.free, chosenIndex(m_form.ComboBox3), chosenIndex(m_form.ComboBox2),
                                    displayLocale());
    if (!view) {
        const QString unknown = QStringLiteral("???");
        m_form.StaticText4->setText(unknown);
        m_form.StaticText3->setText(unknown);
        m_form.StaticText5->setText(unknown);
        m_form.StaticText6->setText(unknown);
        for (QLabel* field : {m_form.StaticText4, m_form.StaticText5, m_form.StaticText6})
            fitAmount(field);
        m_form.ProgressBar1->setValue(0);
        Dialogs::message(QStringLiteral("Нет Диска !!!"));
        return;
    }
    MeterUnit = view->MeterUnit;
    MeterDivisor = view->MeterDivisor;
    MeterValue = view->MeterValue;
    m_form.ComboBox2->setToolTip(view->quantityHint);
    m_form.StaticText4->setText(view->freeText);
    m_form.StaticText5->setText(view->usedText);
    m_form.StaticText6->setText(view->totalText);
    for (QLabel* field : {m_form.StaticText4, m_form.StaticText5, m_form.StaticText6})
        fitAmount(field);
    // A range of 0 to 0 would turn the bar into a busy indicator; an empty bar is what it means.
    m_form.ProgressBar1->setRange(0, qMax(view->barMaximum, 1));
    m_form.StaticText3->setText(view->percentText);
    m_form.ProgressBar1->setValue(view->barPosition);
}

void DiskMeter::ProgressBar1MouseDown()
{
    Dialogs::message(QStringLiteral("Синим обозначено занятое место."));
}

void DiskMeter::resetSelectors()
{
    m_form.ComboBox3->setCurrentIndex(0);
    m_form.ComboBox3->setEditText(m_form.ComboBox3->itemText(0));
    m_form.ComboBox2->setCurrentIndex(0);
    m_form.ComboBox2->setEditText(m_form.ComboBox2->itemText(0));
}
