// The player's mouse and keyboard work: the playlist's hover hint, drag and drop and keys, the position
// strip's handle and its caption.
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "common/errorreport.h"
#include "media/mediacontrol.h"
#include "media/player.h"
#include "ui_MusicPage.h"

namespace {

const QString StripCaption(183, QLatin1Char('-'));

} // namespace

bool Player::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form.Panel3 && event->type() == QEvent::Paint) {
        paintStripCaption();
        return false;
    }
    if (watched == m_form.ListBox1 && event->type() == QEvent::KeyPress)
        return ListBox1KeyPress(static_cast<QKeyEvent*>(event)->key());
    if (watched == m_form.ListBox1->viewport())
        return playlistEvent(watched, event);
    return false;
}

bool Player::playlistEvent(QObject*, QEvent* event)
{
    QListWidget* list = m_form.ListBox1;
    switch (event->type()) {
    case QEvent::ToolTip:
        showPlaylistHint();
        return true;
    case QEvent::Leave:
        // The hint appearing under the pointer makes the window system report a leave; the pointer is still
        // over the list then.
        if (!list->viewport()->rect().contains(list->viewport()->mapFromGlobal(QCursor::pos())))
            hidePlaylistHint();
        return false;
    case QEvent::Hide:
    case QEvent::Wheel:
        hidePlaylistHint();
        return false;
    case QEvent::MouseButtonPress: {
        hidePlaylistHint();
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        QListWidgetItem* item = list->itemAt(at);
        // A press below the entries leaves the selection as it is.
        if (!item)
            return true;
        if (mouse->button() == Qt::LeftButton) {
            m_pressedEntry = list->row(item);
            m_pressedAt = at;
            m_draggingEntry = false;
        }
        return false;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        ListBox1MouseMove(at);
        if (m_pressedEntry < 0 || !(mouse->buttons() & Qt::LeftButton))
            return false;
        if (!m_draggingEntry && (at - m_pressedAt).manhattanLength() >= QApplication::startDragDistance()) {
            m_draggingEntry = true;
            list->viewport()->setCursor(Qt::DragMoveCursor);
        }
        // While an entry is dragged the selection stays on it.
        return m_draggingEntry;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const int from = m_pressedEntry;
        const bool dragged = m_draggingEntry;
        m_pressedEntry = -1;
        m_draggingEntry = false;
        if (!dragged)
            return false;
        list->viewport()->unsetCursor();
        const QPoint at = mouse->position().toPoint();
        // The list takes a drop of its own entries only.
        if (list->viewport()->rect().contains(at))
            runGuarded([&] { ListBox1DragDrop(from, at); });
        return true;
    }
    case QEvent::MouseButtonDblClick:
        runGuarded([this] { ListBox1DblClick(); });
        return false;
    default:
        return false;
    }
}

void Player::ListBox1MouseMove(const QPoint& at)
{
    QListWidget* list = m_form.ListBox1;
    QListWidgetItem* item = list->itemAt(at);
    const int index = item ? list->row(item) : -1;
    if (index == HoverIndex)
        return;
    HoverIndex = index;
    if (!item) {
        list->setToolTip(QString());
        m_hintRowTop = -1;
    } else {
        m_hintRowTop = list->visualItemRect(item).top();
        list->setToolTip(item->text());
    }
    hidePlaylistHint();
}

void Player::showPlaylistHint()
{
    QListWidget* list = m_form.ListBox1;
    if (list->toolTip().isEmpty()) {
        hidePlaylistHint();
        return;
    }
    // The hint lies exactly over its row, under the pointer: a window of its own that lets the pointer through,
    // where Qt's tooltip would take the pointer from the list and close at once.
    if (!m_hintWindow) {
        m_hintWindow =
            std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                                                  Qt::WindowDoesNotAcceptFocus);
        m_hintWindow->setObjectName(QStringLiteral("ListBox1Hint"));
        m_hintWindow->setAttribute(Qt::WA_ShowWithoutActivating);
        m_hintWindow->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_hintWindow->setForegroundRole(QPalette::ToolTipText);
        m_hintWindow->setBackgroundRole(QPalette::ToolTipBase);
        m_hintWindow->setAutoFillBackground(true);
        m_hintWindow->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_hintWindow->setMargin(1);
    }
    m_hintWindow->setPalette(QToolTip::palette());
    m_hintWindow->setFont(list->font());
    m_hintWindow->setText(list->toolTip());
    m_hintWindow->adjustSize();
    m_hintWindow->move(list->viewport()->mapToGlobal(QPoint(0, m_hintRowTop)));
    m_hintWindow->show();
    m_hintWindow->raise();
}

void Player::hidePlaylistHint()
{
    if (m_hintWindow)
        m_hintWindow->hide();
}

void Player::ListBox1DragDrop(int from, const QPoint& at)
{
    QListWidget* list = m_form.ListBox1;
    QListWidgetItem* under = list->itemAt(at);
    const int target = under ? list->row(under) : list->count();
    const DropMove move = dropMove(from, target);
    if (!move.moves || from < 0 || from >= list->count())
        return;
    m_selectingFromCode = true;
    QListWidgetItem* dragged = list->takeItem(from);
    list->insertItem(move.to, dragged);
    m_selectingFromCode = false;
    setCurrentEntry(-1);
}

qint64 Player::unitsPerPixel() const
{
    return strip::unitsPerPixel(m_form.MPBar->maximum(), m_form.MPBar->width());
}

int Player::handleLeft() const
{
    return m_form.BitBtn12->x();
}

void Player::setHandleLeft(int left)
{
    m_form.BitBtn12->move(left, m_form.BitBtn12->y());
}

void Player::Timer4Timer()
{
    if (m_media.opening())
        return;
    // The handle follows the position before the strip's end is looked at: a track that PlayerTick has just
    // started must not be taken for the previous one still standing at the end, which would skip it. A track
    // that has reached its end moves the handle there too, so the list goes on while the window is hidden.
    if (fileLoaded() && m_media.deviceOpen()) {
        const bool playing = m_media.mode() == MediaControl::Mode::Playing;
        const qint64 units = unitsPerPixel();
        if (units != 0 && (playing || m_media.position() >= m_media.length()))
            setHandleLeft(strip::handleLeft(m_media.position(), units));
        // A strip too short to take a pixel's worth of the track (whose length the backend does not know yet
        // right after the open) puts a playing track's handle at its start: left at the previous track's end,
        // it would skip this one.
        else if (units == 0 && playing && m_media.position() < m_media.length())
            setHandleLeft(0);
    }
    // At the strip's end the next entry starts; past the last entry there is none to start ("след." may still
    // be enabled there while the window is hidden, since only PlayerTick refreshes it).
    const bool nextExists = RandomOrder == 1 || currentIndex() < entryCount() - 1;
    if (handleLeft() >= m_form.MPBar->width() - 2 && m_form.SpeedButton4->isEnabled() && nextExists)
        SpeedButton4Click();
    refreshMediaPlayer1();
}

void Player::BitBtn12MouseDown()
{
    DraggingHandle = true;
}

void Player::BitBtn12MouseMove(int x)
{
    if (!DraggingHandle)
        return;
    setHandleLeft(strip::draggedLeft(handleLeft(), m_form.MPBar->width(), x));
}

void Player::BitBtn12MouseUp()
{
    // The drag ends with the release even when the seek fails: a handle left "dragged" would follow every
    // later movement of the pointer over it.
    const auto released = qScopeGuard([this] { DraggingHandle = false; });
    if (handleLeft() >= m_form.MPBar->width())
        SpeedButton4Click();
    if (handleLeft() <= 0)
        setHandleLeft(0);
    m_media.seek(strip::releasePosition(handleLeft(), unitsPerPixel()));
    SpeedButton8Click();
}

void Player::Panel3MouseUp(int x)
{
    setHandleLeft(strip::clickedLeft(x, m_form.BitBtn12->width()));
    BitBtn12MouseUp();
}

void Player::paintStripCaption()
{
    QWidget* panel = m_form.Panel3;
    QPainter painter(panel);
    painter.setPen(
        panel->palette().color(panel->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(panel->rect(), Qt::AlignCenter, StripCaption);
}
