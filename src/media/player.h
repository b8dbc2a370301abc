#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

#include "media/playerrules.h"

namespace Ui {
class MusicPage;
}
class MediaControl;
class QAction;
class QEvent;
class QLabel;
class QMenu;
class QMouseEvent;
class QTimer;
class QWidget;
class Shell;

// The page "Музычку Включить": a playlist of the media files of one folder, played one entry at a time in
// list or random order, a home-made position strip with a draggable handle, video output into the page, and
// the tray's submenu "Муз. плеер". Its periodic work is the main window's half-second tick (PlayerTick) and
// its own one-second Timer4.
class Player final : public QObject
{
    Q_OBJECT
public:
    /// The tray's submenu "Муз. плеер" and its items.
    struct TrayMenu
    {
        QMenu& N33;
        QAction& N35;
        QAction& N36;
        QAction& N37;
        QAction& N38;
        QAction& N39;
    };
    Player(Ui::MusicPage& form, Shell& shell, MediaControl& media, QTimer& timer4, TrayMenu tray,
           std::function<QWidget*()> mixerWindow, QObject* parent = nullptr);
    ~Player() override;

    // Creation and activation steps of the main window.
    /// The strip starts at MPBar's left edge and spans MPBar and the handle.
    void layOutPositionStrip();
    void resetHoverIndex() { HoverIndex = -1; }
    void colourPlaylist();
    void disableNextButton();

    void ScanFolder(const QString& folder);
    void PlaySelected();
    void StopPlayback();
    void PlayerTick();

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void ListBox1Click();
    void ListBox1DblClick();
    /// True when the key was the list's Enter and has been used.
    bool ListBox1KeyPress(int key);
    void ListBox1MouseMove(const QPoint& at);
    /// `at` is the drop point in the list's viewport; `from` the dragged entry.
    void ListBox1DragDrop(int from, const QPoint& at);
    void CheckBox10Click();
    void CheckBox12Click();
    /// The strip's buttons: 0 play, 1 pause, 2 stop.
    void MediaPlayer1Click(int button);
    void BitBtn12MouseDown();
    void BitBtn12MouseMove(int x);
    void BitBtn12MouseUp();
    void Panel3MouseUp(int x);
    void Timer4Timer();
    void N33Click();

    /// The strip's buttons pressed by the user: the handler, then the control's own action.
    void mediaPlayer1ButtonPressed(int button);
    /// The strip's buttons follow the open device's state, as the control enables them itself.
    void refreshMediaPlayer1();

    QString CurrentFolder;
    qint32 Playing = 0;
    qint16 RandomOrder = 0;
    qint32 HoverIndex = -1;
    bool DraggingHandle = false;

    /// The hint row's top in the list (the list's tag), -1 for none.
    int hintRowTop() const { return m_hintRowTop; }
    /// The window the list's hint is shown in, once it has been shown.
    QWidget* hintWindow() const;
    /// The generator of the random picks (tests replay its sequence).
    PlayerRandom& random() { return m_random; }

private:
    void connectControls();
    bool playlistEvent(QObject* watched, QEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showPlaylistHint();
    void hidePlaylistHint();
    int currentIndex() const;
    int entryCount() const;
    /// The entry's text; the list's index error when there is none at `index`.
    QString entryText(int index) const;
    /// Selects an entry from code; an index outside the list selects none.
    void setCurrentEntry(int index);
    void setTransportEnabled(bool enabled);
    void showNeighbours();
    bool fileLoaded() const;
    qint64 unitsPerPixel() const;
    void setHandleLeft(int left);
    int handleLeft() const;
    void paintStripCaption();
    /// The media control's verdict on an open that was still pending when the press that started it returned.
    void openDecided(const QString& error);
    /// The strip shows the freshly loaded track: its length, and the handle at its position.
    void showLoadedTrack();

    Ui::MusicPage& m_form;
    Shell& m_shell;
    MediaControl& m_media;
    QTimer& m_timer4;
    TrayMenu m_tray;
    std::function<QWidget*()> m_mixerWindow;
    PlayerRandom m_random;
    int m_hintRowTop = -1;
    std::unique_ptr<QLabel> m_hintWindow;
    // Set while a handler selects an entry from code, so that only the user's selections count as clicks.
    bool m_selectingFromCode = false;
    // The pending open was started by "играть", which counted the list as playing before the verdict.
    bool m_playPressOpening = false;
    // A press on an entry that may become a drag.
    int m_pressedEntry = -1;
    QPoint m_pressedAt;
    bool m_draggingEntry = false;
};
