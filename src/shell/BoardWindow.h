#pragma once

#include "base/Geometry.h"
#include "settings/SettingsFile.h"

#include <QPixmap>
#include <QPointer>
#include <QTime>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace lumina {

class WindowPlace;
struct BoardView;

// A fault the board met in a setting, in the words of the message box that the
// caller shows (or collects).
struct BoardMessage {
    QString text;
    QString title;
};
using BoardProblem = std::optional<BoardMessage>;

class StopNameStrip;
class DigitRow;
class FareCell;

// The fare board: a borderless window with rounded corners holding the 60 fare
// cells with their ticket-number labels, the clock and the stop-name strip.
class BoardWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BoardWindow(QWidget *parent = nullptr);

    // The window title "ルミナ - 型番:" and the program's name, in the language in use.
    void showModelTitle();

    // The stop name on the strip, and its scrolling: speed and the wait before
    // a long name starts.
    void setStopName(const QString &name);
    QString stopName() const;
    void setScroll(int speed, int wait);
    // For pictures taken at a given moment: the strip's own clock, whether a
    // long name is still rising to the top, and one scroll round on.
    void setStripClock(std::function<qint64()> clock);
    bool stopNameRising() const;
    void advanceStopName();

    // Every fare cell showing `value`.
    void setAllCells(int value);
    // Lamp test: every segment of every cell lit.
    void lightAllCells();
    // The cells as the board starts: the usual digit style, nothing lit.
    void resetCells();
    // "表示消去": stop name, cells and clock dark, the clock stopped. Whatever
    // is set or redrawn meanwhile stays dark until the display is restored.
    void setDisplayCleared(bool cleared);
    void stopClock();
    // The cells' digit settings into the settings file's list.
    void saveCells(std::array<CellDigitSetting, kCellCount> &cells) const;
    // Built-in panel picture for backlight state 0 (OFF), 1 (ON1) or 2 (ON2).
    QPixmap builtInPanel(int state) const { return m_builtInPanels[size_t(state)]; }

    // The options that shape the board: ticket-number labels, digit colours and
    // the stop-name strip's colours and font.
    BoardProblem applyOptions(const SettingsFile &settings);
    // The ticket-number labels for one of the twelve styles.
    BoardProblem setTicketLabelStyle(int style, int zeroFill);
    // Backlight state 0 (OFF), 1 (ON1) or 2 (ON2): the panel picture the
    // options choose for it and the ticket numbers' colour.
    BoardProblem showBacklight(int state, const PanelSettings &panel);
    // The fare cells' digit settings from the settings file, every cell blank.
    void restoreCells(const SettingsFile &settings);
    // The fares and information numbers of one stop; cells the view leaves
    // out keep what they show.
    void showFares(const BoardView &view);

    // The picture the board shows, at natural size from the top-left corner.
    void setPicture(const QPixmap &picture);
    QPixmap picture() const { return m_picture; }

    // Cell grid positions, in twips, relative to the client area.
    static QRect cellRectTwips(int index);
    static QRect labelRectTwips(int index);

    // The whole board drawn and laid out at 1, 2 or 3 screen pixels per layout
    // pixel: drawn afresh at that size, not enlarged. Applied in full by the
    // call itself, so a grab() right after shows it.
    static constexpr int kMaxBoardScale = 3;
    void setBoardScale(int scale);
    int boardScale() const { return m_scale; }
    // Rounded corners of the housing at the current scale; once applied, they
    // follow every change of scale.
    void applyRoundRegion();
    QRegion roundRegion() const;

    // Kept above other windows; position and visibility stay as they are.
    void setStaysOnTop(bool on);
    bool staysOnTop() const;
    // The board as it is shown, at the screen's pixel ratio, clear outside its rounded outline.
    QImage boardPicture();
    // The picture onto the clipboard, or into a PNG file the user names.
    void copyPicture();
    void savePicture();

    // The right-button menu: scale, always on top, copy and save the picture,
    // play and stop a trip.
    QMenu *contextMenu() const { return m_menu; }
    // "運行を停止" is in reach while a trip plays.
    void setTripPlaying(bool playing);

    // The control panel, kept disabled while a cell's digit settings dialog is open.
    void setPanelWindow(QWidget *panel) { m_panelWindow = panel; }

    // The board's position to and from the settings, in twips.
    void savePosition(BoardPosition &position) const;
    void restorePosition(const BoardPosition &position);

    // Every tick of the clock: hours and minutes onto its digits.
    void showTime();
    // A double-click on fare cell `index` (1..60): the digit settings dialog of
    // that cell, and on confirmation its shift, fill and zero mode for all 60.
    void editCellDigits(int index);

signals:
    void boardScaleChanged(int scale);
    void staysOnTopChanged(bool on);
    // "運行を再生..." and "運行を停止" chosen.
    void tripPlayRequested();
    void tripStopRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void layOut();

    // Fare cells and their labels, 1..60 (index 0 exists and is never addressed).
    std::array<FareCell *, kCellCount + 1> m_fareCells{};
    std::array<QLabel *, kCellCount + 1> m_ticketLabels{};
    // Clock: hours, minutes.
    enum ClockDigit { Hours = 0, Minutes = 1 };
    std::array<DigitRow *, 2> m_clockDigits{};
    StopNameStrip *m_stopNameStrip = nullptr;
    std::array<QPixmap, 3> m_builtInPanels;
    QTimer *m_clockTimer = nullptr;
    void createMenu();
    // The picture at the current scale and pixel ratio, rebuilt when stale.
    const QImage &shownPicture();

    QPixmap m_picture;
    qint64 m_builtInKey = 0;
    QImage m_shown;
    bool m_shownValid = false;
    bool m_displayCleared = false;
    int m_scale = 1;
    bool m_shaped = false;
    QMenu *m_menu = nullptr;
    std::array<QAction *, kMaxBoardScale> m_scaleActions{};
    QAction *m_stayOnTopAction = nullptr;
    QAction *m_stopTripAction = nullptr;
    QPointer<QWidget> m_panelWindow;
    // Where the settings put the board (made at the first restore).
    WindowPlace *m_place = nullptr;
};

} // namespace lumina
