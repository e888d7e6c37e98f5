#include "shell/PanelWindow.h"

#include "base/Colors.h"
#include "shell/BoardWindow.h"
#include "base/Geometry.h"

#include <QApplication>
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextOption>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace lumina {

namespace {

constexpr int kClientWidth = 5295;
constexpr OleColor kBlack = rgb(0, 0, 0);
constexpr OleColor kWhite = rgb(255, 255, 255);
constexpr OleColor kYellow = rgb(255, 255, 0);
constexpr OleColor kKeyGrey = rgb(224, 224, 224);
constexpr OleColor kOrange = rgb(255, 128, 0);
constexpr OleColor kReadout = rgb(255, 192, 128);

// Buttons and scroll bars keep the platform look instead of inheriting the
// panel's black palette.
template<typename W>
W *standardLook(W *widget)
{
    widget->setPalette(QApplication::style()->standardPalette());
    return widget;
}

QFont face(const char16_t *family, double points, bool bold = false)
{
    QFont font(QString::fromUtf16(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel *whiteLabel(QWidget *parent, const QString &text, int left, int top)
{
    auto *label = new QLabel(text, parent);
    setForeColor(label, kWhite);
    label->adjustSize();
    label->move(px(left), px(top));
    return label;
}

// A horizontal bar whose value falls as the thumb moves right. Laid out right
// to left, its arrows and track move the thumb the way pressed; the arrow keys
// and the wheel are mirrored to match (down or right takes the thumb right, as
// on any horizontal bar).
class ReversedScrollBar : public QScrollBar
{
public:
    explicit ReversedScrollBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent)
    {
        setLayoutDirection(Qt::RightToLeft);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        // The arrow keys move the thumb their way: left raises the value.
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
            triggerAction(event->key() == Qt::Key_Left ? SliderSingleStepAdd : SliderSingleStepSub);
            event->accept();
            return;
        }
        QScrollBar::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent *event) override
    {
        QWheelEvent mirrored(event->position(), event->globalPosition(), -event->pixelDelta(),
                             -event->angleDelta(), event->buttons(), event->modifiers(),
                             event->phase(), event->inverted(), event->source());
        QScrollBar::wheelEvent(&mirrored);
        event->setAccepted(mirrored.isAccepted());
    }
};

// A one-row list of the digits 0..9 with a slim scroll bar, "0" chosen.
DigitList *digitList(QWidget *parent, const QString &name, int left, int width)
{
    auto *list = standardLook(new DigitList(parent));
    list->setObjectName(name);
    for (int d = 0; d <= 9; ++d) {
        auto *item = new QListWidgetItem(QString::number(d), list);
        item->setTextAlignment(Qt::AlignCenter);
    }
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setFrameShape(QFrame::Box);
    list->setStyleSheet(QStringLiteral(
        "QListWidget { background: white; color: black; padding: 0px; }"
        "QListWidget::item { padding: 0px; margin: 0px; }"
        "QScrollBar:vertical { width: 6px; margin: 0px; }"));
    QFont font = list->font();
    font.setPixelSize(12);
    list->setFont(font);
    place(list, left, 915, width, 315);
    // A route read from the lists never depends on which list had the focus.
    list->setCurrentRow(0);
    return list;
}

} // namespace

WrapButton::WrapButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
}

void WrapButton::paintEvent(QPaintEvent *)
{
    // Draw the bevel without text, then the caption wrapped to the button's
    // width, as a narrow button with a long caption shows it on the real panel.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    QTextOption textOption(Qt::AlignCenter);
    textOption.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    const QRect area = rect().adjusted(3, 3, -3, -3);
    painter.drawText(QRectF(area), text(), textOption);
}

DigitList::DigitList(QWidget *parent)
    : QListWidget(parent)
{
    connect(this, &QListWidget::itemClicked, this, &DigitList::chosen);
}

void DigitList::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before)
        emit chosen();
}

void EntryFrame::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A label or list on the frame passes its double-clicks on to here; only
    // the frame's own surface switches the panels.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

TicketPicture::TicketPicture(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TicketPicture::Cls()
{
    m_image.fill(Qt::white);
}

void TicketPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void TicketPicture::resizeEvent(QResizeEvent *)
{
    if (m_image.size() == size())
        return;
    m_image = QImage(size(), QImage::Format_RGB32);
    Cls();
}

void TicketPicture::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->globalPosition().toPoint());
    QWidget::mousePressEvent(event);
}

QString PanelWindow::modelName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

PanelWindow::PanelWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmCtl"));
    setWindowTitle(QStringLiteral("集中操作盤"));
    setFixedSize(px(kClientWidth), px(2595));
    setBackColor(this, kBlack);
    setForeColor(this, kWhite);

    // Index 1 first, then 0 on top of it: the keypad sits behind the lists until
    // a double-click sends the list panel back.
    for (int k : {1, 0}) {
        auto *frame = new EntryFrame(this);
        frame->setObjectName(QStringLiteral("Frame1_%1").arg(k));
        setBackColor(frame, kBlack);
        place(frame, 30, -60, 1995, 2625);
        Frame1[size_t(k)] = frame;
        connect(frame, &EntryFrame::doubleClicked, this, [this, k] { Frame1_DblClick(k); });
    }
    buildKeypadPanel();
    buildListPanel();
    // At start the list panel (index 0) is sent back, so the keypad is seen.
    Frame1[0]->lower();

    Check1 = place(new QPushButton(QStringLiteral("表示消去"), this), 2130, 75, 1275, 375);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setCheckable(true);
    Check1->setEnabled(false);

    buildStepButtons();
    buildTapeGroup();
    buildBacklightSwitch();
    Frame6 = place(new QFrame(this), 3450, 780, 1725, 1410);
    Frame6->setObjectName(QStringLiteral("Frame6"));
    setBackColor(Frame6, kBlack);
    buildFrame6();

    Command4 = place(new QPushButton(QStringLiteral("設定..."), this), 3450, 2250, 840, 300);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command8 = place(new QPushButton(QStringLiteral("ﾊﾞｰｼﾞｮﾝ"), this), 4290, 2250, 870, 300);
    Command8->setObjectName(QStringLiteral("Command8"));
    Check4 = place(new QPushButton(QStringLiteral(">>"), this), 4935, 45, 330, 300);
    Check4->setObjectName(QStringLiteral("Check4"));
    Check4->setCheckable(true);
    Check4->setToolTip(QStringLiteral("整理券プレビューを開きます"));
    for (QPushButton *button : {Command4, Command8, Check1, Check4, Command1[0], Command1[1]})
        standardLook(button);
    buildTicketPreview();
}

void PanelWindow::buildStepButtons()
{
    const char16_t *stepCaptions[2] = {u"データ戻し", u"データ送り"};
    const int stepLefts[2] = {2070, 2730};
    const int stepWidths[2] = {645, 690};
    for (int i = 0; i < 2; ++i) {
        auto *button = place(new WrapButton(QString::fromUtf16(stepCaptions[i]), this),
                             stepLefts[i], 495, stepWidths[i], 750);
        button->setObjectName(QStringLiteral("Command2_%1").arg(i));
        setBackColor(button, kYellow);
        setForeColor(button, kBlack);
        button->setEnabled(false);
        Command2[size_t(i)] = button;
    }
}

void PanelWindow::buildTapeGroup()
{
    grpM_Tape = place(new QGroupBox(this), 2085, 1260, 1290, 1275);
    grpM_Tape->setObjectName(QStringLiteral("grpM_Tape"));
    setBackColor(grpM_Tape, rgb(150, 150, 150));
    setForeColor(grpM_Tape, kYellow);
    grpM_Tape->setTitle(QStringLiteral("音合使用不可"));
    grpM_Tape->setEnabled(false);
    // Two by two under the caption: back and forward above, stop and adjust below.
    const struct {
        QPushButton **button;
        const char16_t *caption;
        const char *name;
        int left;
        int top;
    } tapeButtons[] = {
        {&cmdTapeBack, u"戻し", "cmdTapeBack", 75, 270},
        {&cmdTapeNext, u"送り", "cmdTapeNext", 660, 270},
        {&cmdTapeStop, u"■", "cmdTapeStop", 75, 765},
        {&cmdTapeSet, u"調整", "cmdTapeSet", 660, 765},
    };
    for (const auto &t : tapeButtons) {
        auto *button = place(standardLook(new QPushButton(QString::fromUtf16(t.caption), grpM_Tape)),
                             t.left, t.top, 555, 435);
        button->setObjectName(QString::fromLatin1(t.name));
        *t.button = button;
    }
}

void PanelWindow::buildBacklightSwitch()
{
    Frame2 = place(new QGroupBox(QStringLiteral("バックライト"), this), 3465, 60, 1695, 720);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    setBackColor(Frame2, kBlack);
    setForeColor(Frame2, kWhite);
    const char *lightCaptions[3] = {"OFF", "ON1", "ON2"};
    const OleColor lightColours[3] = {rgb(0, 0, 0), rgb(255, 0, 0), rgb(0, 0, 255)};
    const int lightLefts[3] = {75, 615, 1140};
    for (int i = 0; i < 3; ++i) {
        // Option buttons with push-button look: checkable, exclusive push buttons
        // would lose the option semantics, so keep radio buttons and style them.
        auto *button = place(new QRadioButton(QString::fromLatin1(lightCaptions[i]), Frame2),
                             lightLefts[i], 330, 510, 330);
        button->setObjectName(QStringLiteral("Option4_%1").arg(i));
        const QColor text = toQColor(lightColours[i]);
        button->setStyleSheet(QStringLiteral(
            "QRadioButton { background: rgb(224,224,224); color: %1; border: 2px outset #f0f0f0;"
            " padding-left: 0px; }"
            "QRadioButton:checked { border: 2px inset #909090; background: rgb(200,200,200); }"
            "QRadioButton::indicator { width: 0px; height: 0px; }").arg(text.name()));
        Option4[size_t(i)] = button;
    }
    Option4[0]->setChecked(true);
}

void PanelWindow::buildTicketPreview()
{
    Label4 = place(new QLabel(QStringLiteral("整理券プレビュー"), this), 5370, 135, 1350, 225);
    Label4->setObjectName(QStringLiteral("Label4"));
    setForeColor(Label4, kWhite);
    picSeirikenPrev = place(new TicketPicture(this), 5415, 390, 3300, 1395);
    picSeirikenPrev->setObjectName(QStringLiteral("picSeirikenPrev"));
    Combo1 = standardLook(new QComboBox(this));
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->move(px(5430), px(2160));
    Combo1->resize(px(3000), Combo1->sizeHint().height());
    MnuHide = new QMenu(this);
    MnuHide->setObjectName(QStringLiteral("MnuHide"));
    MnuHideCopy = MnuHide->addAction(QStringLiteral("コピー(&C)"));
    MnuHideCopy->setObjectName(QStringLiteral("MnuHideCopy"));
}

void PanelWindow::setOuterWidth(int twips)
{
    setFixedWidth(px(twips - (kClosedWidth - kClientWidth)));
}

int PanelWindow::outerWidth() const
{
    return twips(width()) + (kClosedWidth - kClientWidth);
}

void PanelWindow::buildKeypadPanel()
{
    QWidget *frame = Frame1[1];
    Label9 = place(new QLabel(frame), 255, 165, 1545, 330);
    Label9->setFrameShape(QFrame::Box);
    setForeColor(Label9, kWhite);

    const int lefts[3] = {225, 1125, 1290};
    const int tops[3] = {180, 180, 180};
    const int widths[3] = {810, 150, 465};
    const int heights[3] = {315, 150, 270};
    for (int i = 0; i < 3; ++i) {
        auto *label = place(new QLabel(frame), lefts[i], tops[i], widths[i], heights[i]);
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        label->setFont(face(u"ＭＳ ゴシック", 14.25));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setForeColor(label, kOrange);
        Label2[size_t(i)] = label;
    }
    Label2[1]->setText(QStringLiteral("-"));

    struct Key { int index, left, top; };
    constexpr Key keys[12] = {
        {7, 330, 570}, {8, 810, 570}, {9, 1290, 570},
        {4, 330, 975}, {5, 810, 975}, {6, 1290, 975},
        {1, 330, 1395}, {2, 810, 1395}, {3, 1290, 1395},
        {0, 330, 1815}, {10, 810, 1815}, {11, 1290, 1815},
    };
    for (const Key &k : keys) {
        QString caption = k.index < 10 ? QString::number(k.index)
                                       : (k.index == 10 ? QStringLiteral("系統")
                                                        : QStringLiteral("区間"));
        auto *button = place(standardLook(new QPushButton(caption, frame)), k.left, k.top, 450,
                             k.index == 0 ? 405 : 390);
        button->setObjectName(QStringLiteral("CommandButton1_%1").arg(k.index));
        if (k.index < 10) {
            button->setFont(face(u"ＭＳ Ｐゴシック", 15.75, true));
            setBackColor(button, kKeyGrey);
        } else {
            button->setFont(face(u"ＭＳ Ｐゴシック", 8.25));
            setBackColor(button, kYellow);
        }
        setForeColor(button, kBlack);
        CommandButton1[size_t(k.index)] = button;
    }

    Command1[1] = place(new QPushButton(QStringLiteral("リセット"), frame), 330, 2250, 1380, 315);
    Command1[1]->setObjectName(QStringLiteral("Command1_1"));
}

void PanelWindow::buildListPanel()
{
    QWidget *frame = Frame1[0];
    Label5 = place(new QLabel(QStringLiteral("系統設定"), frame), 225, 255, 1530, 375);
    Label5->setFont(face(u"ＭＳ Ｐゴシック", 14.25));
    setForeColor(Label5, kWhite);
    Label6 = whiteLabel(frame, QStringLiteral("系　統"), 240, 705);
    Label7 = whiteLabel(frame, QStringLiteral("区間"), 1425, 705);

    const int routeLefts[5] = {90, 285, 480, 675, 870};
    for (int i = 0; i < 5; ++i)
        List2[size_t(i)] = digitList(frame, QStringLiteral("List2_%1").arg(i), routeLefts[i], 195);
    const int sectionLefts[3] = {1230, 1470, 1710};
    for (int i = 0; i < 3; ++i)
        List3[size_t(i)] = digitList(frame, QStringLiteral("List3_%1").arg(i), sectionLefts[i], 225);

    Picture1 = place(new QWidget(frame), 1065, 825, 165, 465);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    setBackColor(Picture1, kBlack);

    Command1[0] = place(new QPushButton(QStringLiteral("リセット"), frame), 105, 1455, 1845, 315);
    Command1[0]->setObjectName(QStringLiteral("Command1_0"));
}

void PanelWindow::buildFrame6()
{
    Label3[0] = whiteLabel(Frame6, QStringLiteral("ｽｸﾛｰﾙ速度"), 60, 150);
    Label3[1] = whiteLabel(Frame6, QStringLiteral("ｽｸﾛｰﾙ間隔"), 60, 645);

    struct Slider { int left, top, width, height, maximum, readoutTop; };
    constexpr Slider sliders[2] = {{120, 405, 1440, 180, 2000, 135},
                                   {135, 900, 1410, 180, 3000, 615}};
    for (int k = 0; k < 2; ++k) {
        const Slider &s = sliders[k];
        // The value falls as the thumb moves right (an inverted appearance
        // would mirror the drawing alone, not the arrows).
        auto *bar = standardLook(
            place(new ReversedScrollBar(Frame6), s.left, s.top, s.width, s.height));
        bar->setObjectName(QStringLiteral("HScroll1_%1").arg(k));
        bar->setRange(k == 0 ? 1 : 0, s.maximum);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setValue(bar->minimum());
        HScroll1[size_t(k)] = bar;

        auto *readout = place(new QLabel(QString::number(bar->value()), Frame6), 1050,
                              s.readoutTop, 570, 240);
        readout->setObjectName(QStringLiteral("Label1_%1").arg(k));
        readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        readout->setFrameShape(QFrame::Box);
        setForeColor(readout, kReadout);
        Label1[size_t(k)] = readout;
    }

    Check2 = place(new QCheckBox(QStringLiteral("深夜料金"), Frame6), 105, 1125, 1515, 270);
    Check2->setObjectName(QStringLiteral("Check2"));
    setBackColor(Check2, rgb(0, 0, 128));
    setForeColor(Check2, rgb(255, 255, 192));
    // The tick box itself stays white on the navy face.
    QPalette tickBox = Check2->palette();
    tickBox.setColor(QPalette::Base, Qt::white);
    tickBox.setColor(QPalette::Text, Qt::black);
    Check2->setPalette(tickBox);
}

void PanelWindow::load(BoardWindow *board)
{
    if (board) {
        board->setWindowTitle(QStringLiteral("ルミナ - 型番:") + modelName());
        board->setPanelWindow(this);
    }
    for (size_t i = 0; i < KeyRgn.size(); ++i) {
        KeyRgn[i] = roundRectRegion(2, 2, 28, 25, 2, 2);
        CommandButton1[i]->setMask(KeyRgn[i]);
    }
}

void PanelWindow::Frame1_DblClick(int index)
{
    if (index != 0 && index != 1)
        return;
    entryPanelIndex = qint16(index);
    Frame1[size_t(index)]->lower();
}

void PanelWindow::deleteKeyRegions()
{
    for (size_t i = 0; i < KeyRgn.size(); ++i) {
        KeyRgn[i] = QRegion();
        CommandButton1[i]->clearMask();
    }
}

void PanelWindow::closeEvent(QCloseEvent *event)
{
    bool accept = false;
    emit closeRequested(&accept);
    if (accept)
        event->accept();
    else
        event->ignore();
}

} // namespace lumina
