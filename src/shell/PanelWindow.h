#pragma once

#include <QListWidget>
#include <QImage>
#include <QPushButton>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;
class QScrollBar;

namespace lumina {

class WindowPlace;

class BoardWindow;
struct ControlPanelState;
struct IniFailure;

// A push button whose caption wraps onto several lines when it is too wide.
class WrapButton : public QPushButton
{
    Q_OBJECT
public:
    WrapButton(const QString &text, QWidget *parent = nullptr);
protected:
    void paintEvent(QPaintEvent *event) override;
};

// A frame that reports double-clicks on its own surface (the entry panels
// switch that way).
class EntryFrame : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
signals:
    void doubleClicked();
protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// A one-row list of the digits 0..9. A choice by the keyboard counts as a
// click, so the list sounds and reads the same either way.
class DigitList : public QListWidget
{
    Q_OBJECT
public:
    explicit DigitList(QWidget *parent = nullptr);
signals:
    // A digit was clicked, or the keyboard moved the choice.
    void chosen();
protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// The ticket preview picture. The ticket is drawn into its persistent image,
// which a refresh shows; the image follows the picture's size.
class TicketPicture : public QWidget
{
    Q_OBJECT
public:
    explicit TicketPicture(QWidget *parent = nullptr);
    QImage &image() { return m_image; }
    // Clears the image to the background.
    void clear();
signals:
    // A mouse button went down over the picture, at `globalPos`.
    void mouseDown(Qt::MouseButton button, const QPoint &globalPos);
protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
private:
    QImage m_image;
};

// What a key or a click presses on the control panel.
enum class PanelKey {
    None,
    Digit,       // keypad key 0..9
    RouteKey,    // "系統"
    SectionKey,  // "区間"
    RouteSet,    // "リセット" of the entry panel in sight
    StepBack,    // "データ戻し"
    StepForward, // "データ送り"
    TapeBack,    // "戻し"
    TapeNext,    // "送り"
    TapeStop,    // "■"
    TapeAdjust,  // "調整"
    Clear,       // "表示消去"
    LateNight,   // "深夜料金"
    Backlight,   // "OFF", "ON1", "ON2" by 0..2
};

enum class Direction { Back = 0, Forward = 1 };
// Where "リセット" reads the route from.
enum class RouteEntrySource { DigitLists = 0, Keypad = 1 };

// The driver's central control panel. Its controls are its own: the operator's
// actions come out as signals, and the controller sets and reads the panel
// through the methods below.
class PanelWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PanelWindow(QWidget *parent = nullptr);

    // Keypad keys: the digits 0..9 by their value, then "系統" and "区間".
    static constexpr int kRouteKey = 10;
    static constexpr int kSectionKey = 11;
    static constexpr int kKeypadKeys = 12;
    static constexpr int kRouteDigits = 5;
    static constexpr int kSectionDigits = 3;

    // The keypad's route and section displays.
    QString keypadRoute() const;
    QString keypadSection() const;
    void setKeypadRoute(const QString &text);
    void setKeypadSection(const QString &text);
    // The rows chosen on the route and section digit lists.
    std::array<int, kRouteDigits> listedRoute() const;
    std::array<int, kSectionDigits> listedSection() const;

    void setSteppingEnabled(bool on);
    // "表示消去": usable once a route is set.
    void setClearEnabled(bool on);
    bool displayCleared() const;
    // The scroll sliders' speed and wait, as their readouts show them.
    int scrollSpeed() const;
    int scrollWait() const;
    // The entry panels, the step buttons and the scroll sliders, out of use
    // while the display is cleared.
    void setRouteControlsEnabled(bool on);
    // The announcement tape group.
    // The tape frame's caption: "音合使用可" or "音合使用不可".
    void showSpeechAvailable(bool available);
    // "送り", "戻し" and "■" work the tape, "調整" the voice: each in use on its own.
    void setTapeEnabled(bool steps, bool adjust);
    // "深夜料金".
    bool lateNight() const;
    // The backlight state chosen, 0 (OFF), 1 (ON1) or 2 (ON2).
    int backlight() const;

    // The ticket preview: its image, cleared to the background and shown once
    // drawn; its size in twips; the company chosen (-1 for none).
    QImage &ticketImage();
    void clearTicket();
    void showTicket();
    void setTicketSize(int widthTwips, int heightTwips);
    int companyIndex() const;
    // The companies of ticket plug-in `plugIn` (`count` of them) in place of
    // the list's.
    void replaceCompanies(const QString &plugIn, int count);

    // Outer widths in twips with the preview closed and open.
    static constexpr int kClosedWidth = 5385;
    static constexpr int kOpenWidth = 9000;
    // Sets the panel's outer width in twips; the client area is the frame's
    // width narrower.
    void setOuterWidth(int twips);
    int outerWidth() const;

    // Panel start-up: caption of the board, key regions. `board` receives the
    // caption.
    void load(BoardWindow *board);
    // Releases the key regions at quit.
    void deleteKeyRegions();

    // Entry panel switch: sends entry panel `index` (0 digit lists, 1 keypad)
    // to the back, which uncovers the other one, and remembers it. Other
    // values change nothing.
    void sendEntryPanelBack(int index);
    bool keypadSeen() const { return m_panelSentBack == 0; }

    // What a key presses: whether its button is in reach and usable now (the
    // digit keys and "系統"/"区間" only with the keypad in sight, "リセット"
    // of the entry panel in sight), the click itself, and the key's name
    // onto the tool tip of every button it can press.
    bool canPress(PanelKey key, int digit) const;
    void press(PanelKey key, int digit);
    void nameKey(PanelKey key, int digit, const QString &tip);

    // The panel's state to and from the settings. Restoring runs the controls'
    // own handling (scroll readouts, the preview switch) as a change by hand
    // would, and returns the failure of a value a control cannot take.
    void saveState(ControlPanelState &state) const;
    std::optional<IniFailure> restoreState(const ControlPanelState &state);

    // Whether the settings placed the panel (and it has not moved since).
    bool positionRestored() const;

    // The board's caption and the version box both name the model after the
    // executable.
    static QString modelName();

signals:
    // The user asked to close the panel; the receiver decides (see closeEvent).
    void closeRequested(bool *accept);
    // Keypad key 0..9, kRouteKey or kSectionKey.
    void keypadPressed(int key);
    // A digit chosen on a route list (true) or a section list (false).
    void digitListChosen(bool routeList);
    void routeSetRequested(RouteEntrySource source);
    void stepRequested(Direction direction);
    void clearToggled(bool cleared);
    // A scroll slider moved (or was restored).
    void scrollChanged(int speed, int wait);
    void optionsRequested();
    void versionRequested();
    void backlightChosen(int state);
    void tapeBackRequested();
    void tapeNextRequested();
    void tapeStopRequested();
    void tapeAdjustRequested();
    void copyTicketRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    // A new language: every caption and tool tip again.
    void changeEvent(QEvent *event) override;

private:
    void buildKeypadPanel();
    void buildListPanel();
    void buildScrollFrame();
    void buildStepButtons();
    void buildTapeGroup();
    void buildBacklightSwitch();
    void buildTicketPreview();
    void connectControls();
    // The buttons a key presses with the keypad in sight or not.
    QAbstractButton *keyTarget(PanelKey key, int digit, bool keypadInSight) const;
    // ">>" / "<<": the preview opened or closed.
    void openPreview(bool open);
    void showScroll(int bar);

    enum EntryPanel { DigitListPanel = 0, KeypadPanel = 1 };
    enum ScrollBar { ScrollSpeed = 0, ScrollWait = 1 };

    std::array<EntryFrame *, 2> m_entryPanels{};
    std::array<QPushButton *, 2> m_routeSetButtons{};
    std::array<QPushButton *, 2> m_stepButtons{};
    std::array<QPushButton *, kKeypadKeys> m_keypad{};
    // The keypad's displays: route, "-", section, in a frame.
    QLabel *m_routeDisplay = nullptr;
    QLabel *m_dashDisplay = nullptr;
    QLabel *m_sectionDisplay = nullptr;
    QLabel *m_displayFrame = nullptr;
    QLabel *m_listTitle = nullptr;
    QLabel *m_routeListCaption = nullptr;
    QLabel *m_sectionListCaption = nullptr;
    std::array<DigitList *, kRouteDigits> m_routeLists{};
    std::array<DigitList *, kSectionDigits> m_sectionLists{};
    QWidget *m_listGap = nullptr;

    QPushButton *m_clearButton = nullptr; // a check box with push-button look
    QGroupBox *m_tapeGroup = nullptr;
    QPushButton *m_tapeBack = nullptr;
    QPushButton *m_tapeNext = nullptr;
    QPushButton *m_tapeStop = nullptr;
    QPushButton *m_tapeAdjust = nullptr;
    QGroupBox *m_backlightGroup = nullptr;
    std::array<QRadioButton *, 3> m_backlightButtons{};
    QFrame *m_scrollFrame = nullptr;
    std::array<QLabel *, 2> m_scrollCaptions{};
    std::array<QScrollBar *, 2> m_scrollBars{};
    std::array<QLabel *, 2> m_scrollReadouts{};
    QCheckBox *m_lateNight = nullptr;
    QPushButton *m_optionsButton = nullptr;
    QPushButton *m_versionButton = nullptr;
    QPushButton *m_previewToggle = nullptr;
    QLabel *m_previewCaption = nullptr;
    TicketPicture *m_ticketPicture = nullptr;
    QComboBox *m_companyList = nullptr;
    QMenu *m_ticketMenu = nullptr;
    QAction *m_copyTicket = nullptr;

    std::array<QRegion, kKeypadKeys> m_keyRegions;
    qint16 m_panelSentBack = 0;
    // Where the settings put the panel (made at the first restore).
    WindowPlace *m_place = nullptr;
};

} // namespace lumina
