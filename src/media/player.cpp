#include "media/player.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <limits>
#include <utility>

#include "common/clickfilter.h"
#include "common/colors.h"
#include "common/dialogs.h"
#include "common/errors.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "media/mediacontrol.h"
#include "media/playlistscan.h"
#include "ui_MusicPage.h"

namespace {

// The list's error for an entry that is not there, in the framework's words.
class ListIndexError final : public TrombusError
{
public:
    explicit ListIndexError(int index) : TrombusError(QStringLiteral("List index out of bounds (%1)").arg(index)) {}
};

const QString Play = QStringLiteral("играть");
const QString Stop = QStringLiteral("стоп");

} // namespace

Player::Player(Ui::MusicPage& form, Shell& shell, MediaControl& media, QTimer& timer4, TrayMenu tray,
               std::function<QWidget*()> mixerWindow, QObject* parent)
    : QObject(parent), m_form(form), m_shell(shell), m_media(media), m_timer4(timer4), m_tray(tray),
      m_mixerWindow(std::move(mixerWindow))
{
    QStyle* style = m_form.SpeedButton8->style();
    m_form.SpeedButton7->setIcon(style->standardIcon(QStyle::SP_MediaVolume));
    m_form.SpeedButton8->setIcon(style->standardIcon(QStyle::SP_MediaPlay));
    m_form.SpeedButton9->setIcon(style->standardIcon(QStyle::SP_MediaPause));
    m_form.MediaPlayer1Play->setIcon(style->standardIcon(QStyle::SP_MediaPlay));
    m_form.MediaPlayer1Pause->setIcon(style->standardIcon(QStyle::SP_MediaPause));
    m_form.MediaPlayer1Stop->setIcon(style->standardIcon(QStyle::SP_MediaStop));
    // The list draws its own hint at the hovered row; the application's hook leaves it alone.
    m_form.ListBox1->setProperty("ownTooltip", true);
    m_form.ListBox1->viewport()->setProperty("ownTooltip", true);
    m_form.ListBox1->viewport()->setMouseTracking(true);
    m_form.ListBox1->viewport()->installEventFilter(this);
    m_form.ListBox1->installEventFilter(this);
    m_form.Panel3->installEventFilter(this);
    connectControls();
    m_media.setOpenHandler([this](const QString& error) { runGuarded([&] { openDecided(error); }); });
    refreshMediaPlayer1();
}

Player::~Player()
{
    m_media.setOpenHandler({});
}

QWidget* Player::hintWindow() const
{
    return m_hintWindow.get();
}

void Player::connectControls()
{
    connectGuarded(m_form.SpeedButton1, &QToolButton::clicked, this, &Player::SpeedButton1Click);
    connectGuarded(m_form.SpeedButton2, &QToolButton::clicked, this, &Player::SpeedButton2Click);
    connectGuarded(m_form.SpeedButton3, &QToolButton::clicked, this, &Player::SpeedButton3Click);
    connectGuarded(m_form.SpeedButton4, &QToolButton::clicked, this, &Player::SpeedButton4Click);
    connectGuarded(m_form.SpeedButton6, &QToolButton::clicked, this, &Player::SpeedButton6Click);
    connectGuarded(m_form.SpeedButton7, &QToolButton::clicked, this, &Player::SpeedButton7Click);
    connectGuarded(m_form.SpeedButton8, &QToolButton::clicked, this, &Player::SpeedButton8Click);
    connectGuarded(m_form.SpeedButton9, &QToolButton::clicked, this, &Player::SpeedButton9Click);
    connectGuarded(m_form.CheckBox10, &QCheckBox::clicked, this, &Player::CheckBox10Click);
    connectGuarded(m_form.CheckBox12, &QCheckBox::clicked, this, &Player::CheckBox12Click);
    connectGuarded(m_form.ListBox1, &QListWidget::clicked, this, &Player::ListBox1Click);
    connectGuarded(m_form.ListBox1, &QListWidget::currentRowChanged, this, [this] {
        if (!m_selectingFromCode)
            ListBox1Click();
    });
    connectGuarded(m_form.MediaPlayer1Play, &QToolButton::clicked, this, [this] { mediaPlayer1ButtonPressed(0); });
    connectGuarded(m_form.MediaPlayer1Pause, &QToolButton::clicked, this, [this] { mediaPlayer1ButtonPressed(1); });
    connectGuarded(m_form.MediaPlayer1Stop, &QToolButton::clicked, this, [this] { mediaPlayer1ButtonPressed(2); });
    connectGuarded(&m_timer4, &QTimer::timeout, this, &Player::Timer4Timer);
    connectGuarded(&m_tray.N33, &QMenu::aboutToShow, this, &Player::N33Click);
    connectGuarded(&m_tray.N35, &QAction::triggered, this, &Player::SpeedButton1Click);
    connectGuarded(&m_tray.N36, &QAction::triggered, this, &Player::SpeedButton3Click);
    connectGuarded(&m_tray.N37, &QAction::triggered, this, &Player::SpeedButton4Click);
    connectGuarded(&m_tray.N38, &QAction::triggered, this, &Player::SpeedButton2Click);
    connectGuarded(&m_tray.N39, &QAction::triggered, this, &Player::SpeedButton6Click);
    MouseHandlers::onMouseDown(m_form.BitBtn12, [this](QMouseEvent*) { BitBtn12MouseDown(); });
    MouseHandlers::onMouseMove(m_form.BitBtn12,
                               [this](QMouseEvent* event) { BitBtn12MouseMove(event->position().toPoint().x()); });
    MouseHandlers::onMouseUp(m_form.BitBtn12, [this](QMouseEvent*) { BitBtn12MouseUp(); });
    MouseHandlers::onMouseUp(m_form.Panel3, [this](QMouseEvent* event) {
        if (m_form.Panel3->isEnabled())
            Panel3MouseUp(event->position().toPoint().x());
    });
}

void Player::layOutPositionStrip()
{
    const QRect bar = m_form.MPBar->geometry();
    m_form.Panel3->setGeometry(bar.left(), m_form.Panel3->y(), bar.width() + m_form.BitBtn12->width(),
                               m_form.Panel3->height());
}

void Player::colourPlaylist()
{
    QPalette palette = m_form.ListBox1->palette();
    palette.setColor(QPalette::Base, colorFromTColor(0x00DEB038));
    m_form.ListBox1->setPalette(palette);
}

void Player::disableNextButton()
{
    m_form.SpeedButton4->setEnabled(false);
}

int Player::currentIndex() const
{
    return m_form.ListBox1->currentRow();
}

int Player::entryCount() const
{
    return m_form.ListBox1->count();
}

QString Player::entryText(int index) const
{
    if (index < 0 || index >= entryCount())
        throw ListIndexError(index);
    return m_form.ListBox1->item(index)->text();
}

void Player::setCurrentEntry(int index)
{
    m_selectingFromCode = true;
    m_form.ListBox1->setCurrentRow(index >= 0 && index < entryCount() ? index : -1);
    m_selectingFromCode = false;
}

bool Player::fileLoaded() const
{
    return !m_media.fileName().isEmpty();
}

void Player::ScanFolder(const QString& folder)
{
    QListWidget* list = m_form.ListBox1;
    m_selectingFromCode = true;
    list->clear();
    m_selectingFromCode = false;
    PlaylistScan scan = scanFolder(folder);
    if (m_form.CheckBox12->isChecked()) {
        std::stable_sort(scan.names.begin(), scan.names.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
    }
    m_selectingFromCode = true;
    list->addItems(scan.names);
    m_selectingFromCode = false;
    if (scan.video) {
        m_form.CheckBox10->setChecked(true);
        CheckBox10Click();
    }
    setCurrentEntry(0);
    m_form.SpeedButton2->setEnabled(false);
    m_form.SpeedButton4->setEnabled(entryCount() != 1);
}

void Player::PlaySelected()
{
    if (entryCount() == 0)
        return;
    const QString entry = entryText(currentIndex());
    m_form.Label7->setText(entry);
    m_media.setFileName(CurrentFolder + entry);
    m_playPressOpening = false;
    {
        // The open returns without waiting for the backend: until its verdict the play waits in the control,
        // and the buttons show the track as started.
        const auto refresh = qScopeGuard([this] { refreshMediaPlayer1(); });
        m_media.open();
        m_media.play();
    }
    if (m_form.CheckBox10->isChecked()) {
        m_form.CheckBox10->setChecked(false);
        CheckBox10Click();
        m_form.CheckBox10->setChecked(true);
        CheckBox10Click();
    }
}

void Player::StopPlayback()
{
    const auto refresh = qScopeGuard([this] { refreshMediaPlayer1(); });
    m_media.stop();
}

void Player::SpeedButton3Click()
{
    if (Playing == 1) {
        m_form.SpeedButton3->setText(Play);
        StopPlayback();
        Playing = 0;
    } else {
        m_form.SpeedButton3->setText(Stop);
        PlaySelected();
        Playing = 1;
        m_playPressOpening = m_media.opening();
    }
}

void Player::openDecided(const QString& error)
{
    const bool playPress = std::exchange(m_playPressOpening, false);
    refreshMediaPlayer1();
    if (error.isEmpty()) {
        showLoadedTrack();
        return;
    }
    // As with an open that fails at once: "играть" keeps its caption, but the list is not playing.
    if (playPress)
        Playing = 0;
    throw MediaError(error);
}

void Player::showLoadedTrack()
{
    if (!fileLoaded() || !m_media.deviceOpen())
        return;
    m_form.MPBar->setMaximum(static_cast<int>(std::min<qint64>(m_media.length(), std::numeric_limits<int>::max())));
    const qint64 units = unitsPerPixel();
    setHandleLeft(units != 0 ? strip::handleLeft(m_media.position(), units) : 0);
}

void Player::SpeedButton4Click()
{
    if (entryCount() == 0)
        return;
    if (Playing == 1)
        StopPlayback();
    setCurrentEntry(nextEntry(currentIndex(), entryCount(), RandomOrder == 1, m_random));
    m_form.Label7->setText(entryText(currentIndex()));
    if (currentIndex() == entryCount() - 1)
        m_form.SpeedButton4->setEnabled(false);
    if (!m_form.SpeedButton2->isEnabled())
        m_form.SpeedButton2->setEnabled(true);
    PlaySelected();
}

void Player::SpeedButton2Click()
{
    if (entryCount() == 0)
        return;
    if (Playing == 1)
        StopPlayback();
    setCurrentEntry(previousEntry(currentIndex(), entryCount(), RandomOrder == 1, m_random));
    m_form.Label7->setText(entryText(currentIndex()));
    if (!m_form.SpeedButton4->isEnabled())
        m_form.SpeedButton4->setEnabled(true);
    if (currentIndex() == 0)
        m_form.SpeedButton2->setEnabled(false);
    PlaySelected();
}

void Player::SpeedButton6Click()
{
    if (RandomOrder == 0) {
        RandomOrder = 1;
        m_form.SpeedButton6->setText(QStringLiteral("подряд"));
    } else {
        RandomOrder = 0;
        m_form.SpeedButton6->setText(QStringLiteral("случайно"));
    }
}

void Player::SpeedButton1Click()
{
    const std::optional<QString> folder = Dialogs::chooseFolder(QStringLiteral("Выберите каталог"));
    if (folder) {
        if (Playing == 1) {
            StopPlayback();
            m_form.SpeedButton3->setText(Play);
            Playing = 0;
        }
        CurrentFolder = *folder + QLatin1Char('/');
        ScanFolder(CurrentFolder);
    }
    if (entryCount() == 0) {
        setTransportEnabled(false);
        m_form.SpeedButton2->setEnabled(false);
        m_form.SpeedButton4->setEnabled(false);
    } else {
        setTransportEnabled(true);
        showNeighbours();
    }
}

void Player::setTransportEnabled(bool enabled)
{
    m_form.Panel3->setEnabled(enabled);
    m_form.BitBtn12->setEnabled(enabled);
    m_form.MediaPlayer1->setEnabled(enabled);
    m_form.SpeedButton3->setEnabled(enabled);
    m_form.SpeedButton6->setEnabled(enabled);
}

void Player::showNeighbours()
{
    const NeighbourButtons buttons = neighbourButtons(currentIndex(), entryCount());
    m_form.SpeedButton2->setEnabled(buttons.previous);
    m_form.SpeedButton4->setEnabled(buttons.next);
}

void Player::PlayerTick()
{
    // While an open waits for its verdict, the track's length and end are not known yet.
    if (m_media.opening() || !fileLoaded() || !m_media.deviceOpen())
        return;
    m_form.MPBar->setMaximum(static_cast<int>(std::min<qint64>(m_media.length(), std::numeric_limits<int>::max())));
    showNeighbours();
    if (m_media.position() < m_media.length())
        return;
    StopPlayback();
    if (currentIndex() >= entryCount() - 1) {
        m_form.SpeedButton3->setText(Play);
        Playing = 0;
        return;
    }
    setCurrentEntry(nextEntry(currentIndex(), entryCount(), RandomOrder == 1, m_random));
    PlaySelected();
}

void Player::ListBox1Click()
{
    m_form.Label7->setText(entryText(currentIndex()));
}

void Player::ListBox1DblClick()
{
    if (m_form.SpeedButton3->text() == Stop)
        SpeedButton3Click();
    SpeedButton3Click();
}

bool Player::ListBox1KeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (entryCount() != 0)
        SpeedButton3Click();
    return true;
}

void Player::CheckBox10Click()
{
    if (m_form.CheckBox10->isChecked()) {
        m_media.setDisplay(m_form.Panel2);
        // Left 0, top 0, right 200, bottom 150: the panel's size.
        m_media.setDisplayRect(QRect(0, 0, 200, 150));
    } else {
        m_media.setDisplay(nullptr);
    }
}

void Player::CheckBox12Click()
{
    if (!m_form.CheckBox12->isChecked())
        return;
    // The list's own order: letter case ignored. The current entry stays the same entry.
    QListWidget* list = m_form.ListBox1;
    const QString current = currentIndex() >= 0 ? list->currentItem()->text() : QString();
    const bool hadCurrent = currentIndex() >= 0;
    QStringList names;
    names.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    m_selectingFromCode = true;
    list->clear();
    list->addItems(names);
    m_selectingFromCode = false;
    setCurrentEntry(hadCurrent ? static_cast<int>(names.indexOf(current)) : -1);
}

void Player::SpeedButton7Click()
{
    QWidget* mixer = m_mixerWindow ? m_mixerWindow() : nullptr;
    if (!mixer)
        return;
    mixer->show();
    mixer->raise();
    mixer->activateWindow();
}

void Player::SpeedButton8Click()
{
    if (!fileLoaded())
        return;
    const auto refresh = qScopeGuard([this] { refreshMediaPlayer1(); });
    m_media.play();
}

void Player::SpeedButton9Click()
{
    if (!fileLoaded() || Playing != 1)
        return;
    const auto refresh = qScopeGuard([this] { refreshMediaPlayer1(); });
    m_media.pauseToggle();
}

void Player::MediaPlayer1Click(int button)
{
    m_shell.setCaption(QString::number(button));
    switch (button) {
    case 0:
        SpeedButton3Click();
        break;
    case 1:
        SpeedButton9Click();
        break;
    case 2:
        StopPlayback();
        break;
    default:
        break;
    }
}

void Player::mediaPlayer1ButtonPressed(int button)
{
    MediaPlayer1Click(button);
    const auto refresh = qScopeGuard([this] { refreshMediaPlayer1(); });
    switch (button) {
    case 0:
        m_media.play();
        break;
    case 1:
        m_media.pauseToggle();
        break;
    case 2:
        m_media.stop();
        break;
    default:
        break;
    }
}

void Player::refreshMediaPlayer1()
{
    const bool open = m_media.deviceOpen();
    const MediaControl::Mode mode = m_media.mode();
    m_form.MediaPlayer1Play->setEnabled(open && mode != MediaControl::Mode::Playing);
    m_form.MediaPlayer1Pause->setEnabled(open &&
                                         (mode == MediaControl::Mode::Playing || mode == MediaControl::Mode::Paused));
    m_form.MediaPlayer1Stop->setEnabled(open &&
                                        (mode == MediaControl::Mode::Playing || mode == MediaControl::Mode::Paused));
}

void Player::N33Click()
{
    m_tray.N36.setText(m_form.SpeedButton3->text());
    m_tray.N39.setText(m_form.SpeedButton6->text());
    m_tray.N36.setEnabled(m_form.SpeedButton3->isEnabled());
    m_tray.N37.setEnabled(m_form.SpeedButton4->isEnabled());
    m_tray.N38.setEnabled(m_form.SpeedButton2->isEnabled());
    m_tray.N39.setEnabled(m_form.SpeedButton6->isEnabled());
}
