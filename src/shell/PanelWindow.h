#pragma once

#include <QListWidget>
#include <QImage>
#include <QPushButton>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

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
    void Cls();
    // Shows what was drawn into the image.
    void Refresh() { update(); }
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

// The driver's central control panel.
class PanelWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PanelWindow(QWidget *parent = nullptr);

    // Entry panels: 0 digit lists, 1 keypad (both at the same place).
    std::array<EntryFrame *, 2> Frame1{};
    // Route-set buttons "リセット": 0 in the digit-list panel, 1 in the keypad panel.
    std::array<QPushButton *, 2> Command1{};
    // Step buttons: 0 back, 1 forward.
    std::array<QPushButton *, 2> Command2{};
    // Keypad: 0..9 digits, 10 "系統", 11 "区間".
    std::array<QPushButton *, 12> CommandButton1{};
    // Keypad displays: 0 route, 1 "-", 2 section.
    std::array<QLabel *, 3> Label2{};
    QLabel *Label9 = nullptr;
    // Digit-list panel.
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    std::array<DigitList *, 5> List2{};
    std::array<DigitList *, 3> List3{};
    QWidget *Picture1 = nullptr;

    QPushButton *Check1 = nullptr; // "表示消去", a check box with push-button look
    QGroupBox *grpM_Tape = nullptr; // the announcement tape
    QPushButton *cmdTapeBack = nullptr;  // "戻し"
    QPushButton *cmdTapeNext = nullptr;  // "送り"
    QPushButton *cmdTapeStop = nullptr;  // "■"
    QPushButton *cmdTapeSet = nullptr;   // "調整"
    QGroupBox *Frame2 = nullptr;
    std::array<QRadioButton *, 3> Option4{};
    QFrame *Frame6 = nullptr;
    std::array<QLabel *, 2> Label3{};
    std::array<QScrollBar *, 2> HScroll1{};
    std::array<QLabel *, 2> Label1{};
    QCheckBox *Check2 = nullptr; // "深夜料金"
    QPushButton *Command4 = nullptr; // "設定..."
    QPushButton *Command8 = nullptr; // "ﾊﾞｰｼﾞｮﾝ"
    QPushButton *Check4 = nullptr; // ">>", opens the ticket preview
    // The ticket preview, right of the closed panel.
    QLabel *Label4 = nullptr;
    TicketPicture *picSeirikenPrev = nullptr;
    QComboBox *Combo1 = nullptr; // company names
    QMenu *MnuHide = nullptr; // the picture's pop-up menu
    QAction *MnuHideCopy = nullptr;

    // Outer widths in twips with the preview closed and open.
    static constexpr int kClosedWidth = 5385;
    static constexpr int kOpenWidth = 9000;
    // Sets the panel's outer width in twips; the client area is the frame's
    // width narrower.
    void setOuterWidth(int twips);
    int outerWidth() const;

    // Keypad key regions, one per key.
    std::array<QRegion, 12> KeyRgn;
    bool keypadTarget = false;
    qint16 entryPanelIndex = 0;

    // Panel start-up: caption of the board, key regions. `board` receives the
    // caption.
    void load(BoardWindow *board);
    // Releases the key regions at quit.
    void deleteKeyRegions();

    // Entry panel switch: sends entry frame `index` (0 or 1) to the back, which
    // uncovers the other one, and remembers it. Other values change nothing.
    void Frame1_DblClick(int index);

    // The panel's state to and from the settings. Restoring runs the controls'
    // own handling (scroll readouts, the preview switch) as a change by hand
    // would, and returns the failure of a value a control cannot take.
    void GetCtrlDataInfo(ControlPanelState &state) const;
    std::optional<IniFailure> SetCtrlDataInfo(const ControlPanelState &state);

    // Whether the settings placed the panel (and it has not moved since).
    bool positionRestored() const;

    // The board's caption and the version box both name the model after the
    // executable.
    static QString modelName();

signals:
    // The user asked to close the panel; the receiver decides (see closeEvent).
    void closeRequested(bool *accept);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildKeypadPanel();
    void buildListPanel();
    void buildFrame6();
    void buildStepButtons();
    void buildTapeGroup();
    void buildBacklightSwitch();
    void buildTicketPreview();

    // Where the settings put the panel (made at the first restore).
    WindowPlace *m_place = nullptr;
};

} // namespace lumina
