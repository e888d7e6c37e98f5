#include "shell/PanelWindow.h"

#include "base/Colors.h"
#include "shell/BoardWindow.h"
#include "base/Geometry.h"
#include "base/Language.h"
#include "hostlib/HostLib.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextOption>
#include <QWheelEvent>

#include <algorithm>

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

// The context of the panel's texts, as tr() in PanelWindow has it.
constexpr char kContext[] = "lumina::PanelWindow";

// `widget` showing the translation of `source` as its `property`, set again
// at each change of language.
template<typename Widget>
Widget *translated(Widget *widget, const char *source, const char *property = "text")
{
    setTranslated(widget, property, kContext, source);
    return widget;
}

QLabel *whiteLabel(QWidget *parent, const char *source, const QString &name, int left, int top)
{
    auto *label = translated(new QLabel(parent), source);
    label->setObjectName(name);
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

void TicketPicture::clear()
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
    clear();
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
    translated(this, QT_TR_NOOP("集中操作盤"), "windowTitle");
    setFixedSize(px(kClientWidth), px(2595));
    setBackColor(this, kBlack);

    // Index 1 first, then 0 on top of it: the keypad sits behind the lists until
    // a double-click sends the list panel back.
    for (int k : {1, 0}) {
        auto *frame = new EntryFrame(this);
        frame->setObjectName(QStringLiteral("Frame1_%1").arg(k));
        setBackColor(frame, kBlack);
        place(frame, 30, -60, 1995, 2625);
        m_entryPanels[size_t(k)] = frame;
        connect(frame, &EntryFrame::doubleClicked, this, [this, k] { sendEntryPanelBack(k); });
    }
    buildKeypadPanel();
    buildListPanel();
    // At start the list panel (index 0) is sent back, so the keypad is seen.
    m_entryPanels[DigitListPanel]->lower();

    m_clearButton = place(translated(new QPushButton(this), QT_TR_NOOP("表示消去")), 2130, 75, 1275, 375);
    m_clearButton->setObjectName(QStringLiteral("Check1"));
    m_clearButton->setCheckable(true);
    m_clearButton->setEnabled(false);

    buildStepButtons();
    buildTapeGroup();
    buildBacklightSwitch();
    m_scrollFrame = place(new QFrame(this), 3450, 780, 1725, 1410);
    m_scrollFrame->setObjectName(QStringLiteral("Frame6"));
    setBackColor(m_scrollFrame, kBlack);
    buildScrollFrame();

    m_optionsButton = place(translated(new QPushButton(this), QT_TR_NOOP("設定...")), 3450, 2250, 840, 300);
    m_optionsButton->setObjectName(QStringLiteral("Command4"));
    m_versionButton = place(translated(new QPushButton(this), QT_TR_NOOP("ﾊﾞｰｼﾞｮﾝ")), 4290, 2250, 870, 300);
    m_versionButton->setObjectName(QStringLiteral("Command8"));
    m_previewToggle = place(new QPushButton(QStringLiteral(">>"), this), 4935, 45, 330, 300);
    m_previewToggle->setObjectName(QStringLiteral("Check4"));
    m_previewToggle->setCheckable(true);
    translated(m_previewToggle, QT_TR_NOOP("整理券プレビューを開きます"), "toolTip");
    for (QPushButton *button : {m_optionsButton, m_versionButton, m_clearButton, m_previewToggle,
                                m_routeSetButtons[0], m_routeSetButtons[1]})
        standardLook(button);
    buildTicketPreview();
    connectControls();
}

void PanelWindow::connectControls()
{
    for (int key = 0; key < kKeypadKeys; ++key)
        connect(m_keypad[size_t(key)], &QPushButton::clicked, this, [this, key] { emit keypadPressed(key); });
    for (DigitList *list : m_routeLists)
        connect(list, &DigitList::chosen, this, [this] { emit digitListChosen(true); });
    for (DigitList *list : m_sectionLists)
        connect(list, &DigitList::chosen, this, [this] { emit digitListChosen(false); });
    for (int k = 0; k < 2; ++k) {
        connect(m_routeSetButtons[size_t(k)], &QPushButton::clicked, this,
                [this, k] { emit routeSetRequested(RouteEntrySource(k)); });
        connect(m_stepButtons[size_t(k)], &QPushButton::clicked, this,
                [this, k] { emit stepRequested(Direction(k)); });
        connect(m_scrollBars[size_t(k)], &QScrollBar::valueChanged, this, [this, k] { showScroll(k); });
    }
    connect(m_clearButton, &QPushButton::toggled, this, &PanelWindow::clearToggled);
    connect(m_optionsButton, &QPushButton::clicked, this, &PanelWindow::optionsRequested);
    connect(m_versionButton, &QPushButton::clicked, this, &PanelWindow::versionRequested);
    for (int i = 0; i < 3; ++i)
        connect(m_backlightButtons[size_t(i)], &QRadioButton::clicked, this, [this, i] { emit backlightChosen(i); });
    connect(m_tapeNext, &QPushButton::clicked, this, &PanelWindow::tapeNextRequested);
    connect(m_tapeBack, &QPushButton::clicked, this, &PanelWindow::tapeBackRequested);
    connect(m_tapeStop, &QPushButton::clicked, this, &PanelWindow::tapeStopRequested);
    connect(m_tapeAdjust, &QPushButton::clicked, this, &PanelWindow::tapeAdjustRequested);
    // Also when the settings restore the switch.
    connect(m_previewToggle, &QPushButton::toggled, this, &PanelWindow::openPreview);
    connect(m_ticketPicture, &TicketPicture::mouseDown, this, [this](Qt::MouseButton button, const QPoint &at) {
        if (button == Qt::RightButton)
            m_ticketMenu->popup(at);
    });
    connect(m_copyTicket, &QAction::triggered, this, &PanelWindow::copyTicketRequested);
}

int PanelWindow::scrollSpeed() const { return m_scrollBars[ScrollSpeed]->value(); }
int PanelWindow::scrollWait() const { return m_scrollBars[ScrollWait]->value(); }

void PanelWindow::showScroll(int bar)
{
    m_scrollReadouts[size_t(bar)]->setText(QString::number(m_scrollBars[size_t(bar)]->value()));
    emit scrollChanged(scrollSpeed(), scrollWait());
}

void PanelWindow::openPreview(bool open)
{
    setOuterWidth(open ? kOpenWidth : kClosedWidth);
    m_previewToggle->setText(open ? QStringLiteral("<<") : QStringLiteral(">>"));
    translated(m_previewToggle, open ? QT_TR_NOOP("整理券プレビューを隠します") : QT_TR_NOOP("整理券プレビューを開きます"),
               "toolTip");
    // A panel placed at the screen's right edge would open beyond it; it
    // moves left just enough to stay whole on the screen.
    if (open && isVisible()) {
        if (const QScreen *shown = screen()) {
            const QRect area = shown->availableGeometry();
            const QRect frame = frameGeometry();
            if (frame.right() > area.right())
                move(std::max(area.left(), x() - (frame.right() - area.right())), y());
        }
    }
}

QString PanelWindow::keypadRoute() const { return m_routeDisplay->text(); }
QString PanelWindow::keypadSection() const { return m_sectionDisplay->text(); }
void PanelWindow::setKeypadRoute(const QString &text) { m_routeDisplay->setText(text); }
void PanelWindow::setKeypadSection(const QString &text) { m_sectionDisplay->setText(text); }

std::array<int, PanelWindow::kRouteDigits> PanelWindow::listedRoute() const
{
    std::array<int, kRouteDigits> rows{};
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = m_routeLists[i]->currentRow();
    return rows;
}

std::array<int, PanelWindow::kSectionDigits> PanelWindow::listedSection() const
{
    std::array<int, kSectionDigits> rows{};
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = m_sectionLists[i]->currentRow();
    return rows;
}

void PanelWindow::setSteppingEnabled(bool on)
{
    for (QPushButton *step : m_stepButtons)
        step->setEnabled(on);
}

void PanelWindow::setClearEnabled(bool on) { m_clearButton->setEnabled(on); }
bool PanelWindow::displayCleared() const { return m_clearButton->isChecked(); }

void PanelWindow::setRouteControlsEnabled(bool on)
{
    for (QWidget *frame : m_entryPanels)
        frame->setEnabled(on);
    setSteppingEnabled(on);
    m_scrollFrame->setEnabled(on);
}

void PanelWindow::showSpeechAvailable(bool available)
{
    translated(m_tapeGroup, available ? QT_TR_NOOP("音合使用可") : QT_TR_NOOP("音合使用不可"), "title");
}

void PanelWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateTexts(this);
        // The white captions are as wide as their words.
        for (QLabel *label : {m_routeListCaption, m_sectionListCaption, m_scrollCaptions[ScrollSpeed],
                              m_scrollCaptions[ScrollWait]})
            label->adjustSize();
    }
    QWidget::changeEvent(event);
}
void PanelWindow::setTapeEnabled(bool steps, bool adjust)
{
    for (QPushButton *button : {m_tapeBack, m_tapeNext, m_tapeStop})
        button->setEnabled(steps);
    m_tapeAdjust->setEnabled(adjust);
    m_tapeGroup->setEnabled(steps || adjust);
}
bool PanelWindow::lateNight() const { return m_lateNight->isChecked(); }

int PanelWindow::backlight() const
{
    // Radio buttons in one box: one of them is always chosen, the first from the start.
    const auto chosen = std::find_if(m_backlightButtons.cbegin(), m_backlightButtons.cend(),
                                     [](const QRadioButton *button) { return button->isChecked(); });
    return int(chosen - m_backlightButtons.cbegin());
}

QImage &PanelWindow::ticketImage() { return m_ticketPicture->image(); }
void PanelWindow::clearTicket() { m_ticketPicture->clear(); }
void PanelWindow::showTicket() { m_ticketPicture->update(); }

void PanelWindow::setTicketSize(int widthTwips, int heightTwips)
{
    m_ticketPicture->resize(px(widthTwips), px(heightTwips));
}

// The list's first entry is "no company": the ticket prints none until the
// user picks one, and can be set back to none.
int PanelWindow::companyIndex() const { return std::max(m_companyList->currentIndex() - 1, -1); }

void PanelWindow::replaceCompanies(const QString &plugIn, int count)
{
    m_companyList->clear();
    if (count < 1)
        return;
    host().addPlugInCompanies(plugIn, m_companyList);
    m_companyList->insertItem(0, QString());
    m_companyList->setCurrentIndex(0);
}

QAbstractButton *PanelWindow::keyTarget(PanelKey key, int digit, bool keypadInSight) const
{
    switch (key) {
    case PanelKey::Digit:
        return keypadInSight && digit >= 0 && digit <= 9 ? m_keypad[size_t(digit)] : nullptr;
    case PanelKey::RouteKey:
        return keypadInSight ? m_keypad[kRouteKey] : nullptr;
    case PanelKey::SectionKey:
        return keypadInSight ? m_keypad[kSectionKey] : nullptr;
    case PanelKey::RouteSet:
        return m_routeSetButtons[size_t(keypadInSight ? RouteEntrySource::Keypad : RouteEntrySource::DigitLists)];
    case PanelKey::StepBack:
        return m_stepButtons[size_t(Direction::Back)];
    case PanelKey::StepForward:
        return m_stepButtons[size_t(Direction::Forward)];
    case PanelKey::TapeBack:
        return m_tapeBack;
    case PanelKey::TapeNext:
        return m_tapeNext;
    case PanelKey::TapeStop:
        return m_tapeStop;
    case PanelKey::TapeAdjust:
        return m_tapeAdjust;
    case PanelKey::Clear:
        return m_clearButton;
    case PanelKey::LateNight:
        return m_lateNight;
    case PanelKey::Backlight:
        return digit >= 0 && digit <= 2 ? m_backlightButtons[size_t(digit)] : nullptr;
    case PanelKey::None:
        break;
    }
    return nullptr;
}

bool PanelWindow::canPress(PanelKey key, int digit) const
{
    const QAbstractButton *target = keyTarget(key, digit, keypadSeen());
    return target && target->isEnabled();
}

void PanelWindow::press(PanelKey key, int digit)
{
    if (QAbstractButton *target = keyTarget(key, digit, keypadSeen()))
        target->click();
}

void PanelWindow::nameKey(PanelKey key, int digit, const QString &tip)
{
    for (bool keypadInSight : {true, false}) {
        QAbstractButton *target = keyTarget(key, digit, keypadInSight);
        if (target && !target->toolTip().contains(tip))
            target->setToolTip(tip);
    }
}

void PanelWindow::buildStepButtons()
{
    const char *const stepCaptions[2] = {QT_TR_NOOP("データ戻し"), QT_TR_NOOP("データ送り")};
    const int stepLefts[2] = {2070, 2730};
    const int stepWidths[2] = {645, 690};
    for (int i = 0; i < 2; ++i) {
        auto *button = place(translated(new WrapButton(QString(), this), stepCaptions[i]),
                             stepLefts[i], 495, stepWidths[i], 750);
        button->setObjectName(QStringLiteral("Command2_%1").arg(i));
        setBackColor(button, kYellow);
        setForeColor(button, kBlack);
        button->setEnabled(false);
        m_stepButtons[size_t(i)] = button;
    }
}

void PanelWindow::buildTapeGroup()
{
    m_tapeGroup = place(new QGroupBox(this), 2085, 1260, 1290, 1275);
    m_tapeGroup->setObjectName(QStringLiteral("grpM_Tape"));
    setBackColor(m_tapeGroup, rgb(150, 150, 150));
    setForeColor(m_tapeGroup, kYellow);
    m_tapeGroup->setEnabled(false);
    // Two by two under the caption: back and forward above, stop and adjust below.
    const struct {
        QPushButton **button;
        const char *caption;
        const char *name;
        int left;
        int top;
    } tapeButtons[] = {
        {&m_tapeBack, QT_TR_NOOP("戻し"), "cmdTapeBack", 75, 270},
        {&m_tapeNext, QT_TR_NOOP("送り"), "cmdTapeNext", 660, 270},
        {&m_tapeStop, "■", "cmdTapeStop", 75, 765},
        {&m_tapeAdjust, QT_TR_NOOP("調整"), "cmdTapeSet", 660, 765},
    };
    for (const auto &t : tapeButtons) {
        auto *button = place(standardLook(translated(new QPushButton(m_tapeGroup), t.caption)),
                             t.left, t.top, 555, 435);
        button->setObjectName(QString::fromLatin1(t.name));
        *t.button = button;
    }
}

void PanelWindow::buildBacklightSwitch()
{
    m_backlightGroup = place(translated(new QGroupBox(this), QT_TR_NOOP("バックライト"), "title"), 3465, 60, 1695, 720);
    m_backlightGroup->setObjectName(QStringLiteral("Frame2"));
    setForeColor(m_backlightGroup, kWhite);
    const char *lightCaptions[3] = {"OFF", "ON1", "ON2"};
    const OleColor lightColours[3] = {rgb(0, 0, 0), rgb(255, 0, 0), rgb(0, 0, 255)};
    const int lightLefts[3] = {75, 615, 1140};
    for (int i = 0; i < 3; ++i) {
        // Option buttons with push-button look: checkable, exclusive push buttons
        // would lose the option semantics, so keep radio buttons and style them.
        auto *button = place(new QRadioButton(QString::fromLatin1(lightCaptions[i]), m_backlightGroup),
                             lightLefts[i], 330, 510, 330);
        button->setObjectName(QStringLiteral("Option4_%1").arg(i));
        const QColor text = toQColor(lightColours[i]);
        button->setStyleSheet(QStringLiteral(
            "QRadioButton { background: rgb(224,224,224); color: %1; border: 2px outset #f0f0f0;"
            " padding-left: 0px; }"
            "QRadioButton:checked { border: 2px inset #909090; background: rgb(200,200,200); }"
            "QRadioButton::indicator { width: 0px; height: 0px; }").arg(text.name()));
        m_backlightButtons[size_t(i)] = button;
    }
    m_backlightButtons[0]->setChecked(true);
}

void PanelWindow::buildTicketPreview()
{
    m_previewCaption = place(translated(new QLabel(this), QT_TR_NOOP("整理券プレビュー")), 5370, 135, 1350, 225);
    m_previewCaption->setObjectName(QStringLiteral("Label4"));
    setForeColor(m_previewCaption, kWhite);
    m_ticketPicture = place(new TicketPicture(this), 5415, 390, 3300, 1395);
    m_ticketPicture->setObjectName(QStringLiteral("picSeirikenPrev"));
    m_companyList = standardLook(new QComboBox(this));
    m_companyList->setObjectName(QStringLiteral("Combo1"));
    m_companyList->move(px(5430), px(2160));
    m_companyList->resize(px(3000), m_companyList->sizeHint().height());
    m_ticketMenu = new QMenu(this);
    m_ticketMenu->setObjectName(QStringLiteral("MnuHide"));
    m_copyTicket = translated(new QAction(m_ticketMenu), QT_TR_NOOP("コピー(&C)"));
    m_ticketMenu->addAction(m_copyTicket);
    m_copyTicket->setObjectName(QStringLiteral("MnuHideCopy"));
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
    QWidget *frame = m_entryPanels[KeypadPanel];
    m_displayFrame = place(new QLabel(frame), 255, 165, 1545, 330);
    m_displayFrame->setFrameShape(QFrame::Box);
    setForeColor(m_displayFrame, kWhite);

    m_displayFrame->setObjectName(QStringLiteral("Label9"));
    const int lefts[3] = {225, 1125, 1290};
    const int widths[3] = {810, 150, 465};
    const int heights[3] = {315, 150, 270};
    QLabel **displays[3] = {&m_routeDisplay, &m_dashDisplay, &m_sectionDisplay};
    for (int i = 0; i < 3; ++i) {
        auto *label = place(new QLabel(frame), lefts[i], 180, widths[i], heights[i]);
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        label->setFont(face(u"ＭＳ ゴシック", 14.25));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setForeColor(label, kOrange);
        *displays[i] = label;
    }
    m_dashDisplay->setText(QStringLiteral("-"));

    struct Key { int index, left, top; };
    constexpr Key keys[12] = {
        {7, 330, 570}, {8, 810, 570}, {9, 1290, 570},
        {4, 330, 975}, {5, 810, 975}, {6, 1290, 975},
        {1, 330, 1395}, {2, 810, 1395}, {3, 1290, 1395},
        {0, 330, 1815}, {10, 810, 1815}, {11, 1290, 1815},
    };
    for (const Key &k : keys) {
        auto *button = place(standardLook(new QPushButton(QString::number(k.index), frame)), k.left,
                             k.top, 450, k.index == 0 ? 405 : 390);
        if (k.index >= 10)
            translated(button, k.index == 10 ? QT_TR_NOOP("系統") : QT_TR_NOOP("区間"));
        button->setObjectName(QStringLiteral("CommandButton1_%1").arg(k.index));
        if (k.index < 10) {
            button->setFont(face(u"ＭＳ Ｐゴシック", 15.75, true));
            setBackColor(button, kKeyGrey);
        } else {
            button->setFont(face(u"ＭＳ Ｐゴシック", 8.25));
            setBackColor(button, kYellow);
        }
        setForeColor(button, kBlack);
        m_keypad[size_t(k.index)] = button;
    }

    auto *routeSet = place(translated(new QPushButton(frame), QT_TR_NOOP("リセット")), 330, 2250, 1380, 315);
    routeSet->setObjectName(QStringLiteral("Command1_1"));
    m_routeSetButtons[size_t(RouteEntrySource::Keypad)] = routeSet;
}

void PanelWindow::buildListPanel()
{
    QWidget *frame = m_entryPanels[DigitListPanel];
    m_listTitle = place(translated(new QLabel(frame), QT_TR_NOOP("系統設定")), 225, 255, 1530, 375);
    m_listTitle->setFont(face(u"ＭＳ Ｐゴシック", 14.25));
    setForeColor(m_listTitle, kWhite);
    m_listTitle->setObjectName(QStringLiteral("Label5"));
    m_routeListCaption = whiteLabel(frame, QT_TR_NOOP("系　統"), QStringLiteral("Label6"), 240, 705);
    m_sectionListCaption = whiteLabel(frame, QT_TR_NOOP("区間"), QStringLiteral("Label7"), 1425, 705);

    const int routeLefts[5] = {90, 285, 480, 675, 870};
    for (int i = 0; i < 5; ++i)
        m_routeLists[size_t(i)] = digitList(frame, QStringLiteral("List2_%1").arg(i), routeLefts[i], 195);
    const int sectionLefts[3] = {1230, 1470, 1710};
    for (int i = 0; i < 3; ++i)
        m_sectionLists[size_t(i)] = digitList(frame, QStringLiteral("List3_%1").arg(i), sectionLefts[i], 225);

    m_listGap = place(new QWidget(frame), 1065, 825, 165, 465);
    m_listGap->setObjectName(QStringLiteral("Picture1"));
    setBackColor(m_listGap, kBlack);

    auto *routeSet = place(translated(new QPushButton(frame), QT_TR_NOOP("リセット")), 105, 1455, 1845, 315);
    routeSet->setObjectName(QStringLiteral("Command1_0"));
    m_routeSetButtons[size_t(RouteEntrySource::DigitLists)] = routeSet;
}

void PanelWindow::buildScrollFrame()
{
    m_scrollCaptions[ScrollSpeed] =
        whiteLabel(m_scrollFrame, QT_TR_NOOP("ｽｸﾛｰﾙ速度"), QStringLiteral("Label3_0"), 60, 150);
    m_scrollCaptions[ScrollWait] =
        whiteLabel(m_scrollFrame, QT_TR_NOOP("ｽｸﾛｰﾙ間隔"), QStringLiteral("Label3_1"), 60, 645);

    struct Slider { int left, top, width, height, maximum, readoutTop; };
    constexpr Slider sliders[2] = {{120, 405, 1440, 180, 2000, 135},
                                   {135, 900, 1410, 180, 3000, 615}};
    for (int k = 0; k < 2; ++k) {
        const Slider &s = sliders[k];
        // The value falls as the thumb moves right (an inverted appearance
        // would mirror the drawing alone, not the arrows).
        auto *bar = standardLook(
            place(new ReversedScrollBar(m_scrollFrame), s.left, s.top, s.width, s.height));
        bar->setObjectName(QStringLiteral("HScroll1_%1").arg(k));
        // From its minimum, a step at a time (a scroll bar's own single step).
        bar->setRange(k == 0 ? 1 : 0, s.maximum);
        bar->setPageStep(1);
        m_scrollBars[size_t(k)] = bar;

        auto *readout = place(new QLabel(QString::number(bar->value()), m_scrollFrame), 1050,
                              s.readoutTop, 570, 240);
        readout->setObjectName(QStringLiteral("Label1_%1").arg(k));
        readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        readout->setFrameShape(QFrame::Box);
        setForeColor(readout, kReadout);
        m_scrollReadouts[size_t(k)] = readout;
    }

    m_lateNight = place(translated(new QCheckBox(m_scrollFrame), QT_TR_NOOP("深夜料金")), 105, 1125, 1515, 270);
    m_lateNight->setObjectName(QStringLiteral("Check2"));
    setBackColor(m_lateNight, rgb(0, 0, 128));
    setForeColor(m_lateNight, rgb(255, 255, 192));
    // The tick box itself stays white on the navy face.
    QPalette tickBox = m_lateNight->palette();
    tickBox.setColor(QPalette::Base, Qt::white);
    tickBox.setColor(QPalette::Text, Qt::black);
    m_lateNight->setPalette(tickBox);
}

void PanelWindow::load(BoardWindow *board)
{
    if (board) {
        board->showModelTitle();
        board->setPanelWindow(this);
    }
    for (size_t i = 0; i < m_keyRegions.size(); ++i) {
        m_keyRegions[i] = roundRectRegion(2, 2, 28, 25, 2, 2);
        m_keypad[i]->setMask(m_keyRegions[i]);
    }
}

void PanelWindow::sendEntryPanelBack(int index)
{
    if (index != DigitListPanel && index != KeypadPanel)
        return;
    m_panelSentBack = qint16(index);
    m_entryPanels[size_t(index)]->lower();
}

void PanelWindow::deleteKeyRegions()
{
    for (size_t i = 0; i < m_keyRegions.size(); ++i) {
        m_keyRegions[i] = QRegion();
        m_keypad[i]->clearMask();
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
