#include "shell/BoardWindow.h"

#include "base/Clock.h"
#include "base/Colors.h"

#include "controls/StopNameStrip.h"
#include "controls/DigitRow.h"
#include "controls/FareCell.h"
#include "shell/BoardFace.h"
#include "base/Geometry.h"
#include "base/Language.h"
#include "shell/PanelWindow.h"
#include "hostlib/HostLib.h"

#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QWindow>

namespace lumina {

namespace {

constexpr int kColumnLefts[10] = {3150, 4035, 4905, 5790, 6660, 7545, 8430, 9315, 10200, 11085};
constexpr int kLabelTops[6] = {450, 1110, 1785, 2460, 3120, 3795};
constexpr int kCellBelowLabel = 285;
constexpr int kBoardWidth = 12390;
constexpr int kBoardHeight = 5505;
constexpr int kCornerEllipse = 30;

QRect scaled(const QRect &r, int scale)
{
    return QRect(r.topLeft() * scale, r.size() * scale);
}

// The bounds of the pixels that are not clear.
QRect inkedRect(const QImage &picture)
{
    QRect inked;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]))
                inked |= QRect(x, y, 1, 1);
    }
    return inked;
}

// A ticket-number label that draws its text at the board's scale. At 1 on a
// plain screen it is a plain label. Larger, the text is laid out at the layout
// size and drawn through the scale (as a denser screen draws it) into a cached
// picture: transformed text is slow, and the 60 captions seldom change.
class BoardLabel : public QLabel
{
public:
    using QLabel::QLabel;
    int scale = 1;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        const qreal dpr = devicePixelRatioF();
        const qreal ratio = dpr * scale;
        if (ratio == 1) {
            QLabel::paintEvent(event);
            return;
        }
        const Look look{text(), font(), palette().color(foregroundRole()).rgba(), isEnabled(),
                        size(), ratio};
        if (!(look == m_look)) {
            m_look = look;
            QImage picture((QSizeF(size()) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            // The caption's point size means what it means on this screen.
            picture.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
            picture.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
            picture.setDevicePixelRatio(ratio);
            {
                QPainter p(&picture);
                p.setFont(font());
                const QRect layout(QPoint(0, 0), contentsRect().size() / scale);
                style()->drawItemText(&p, layout,
                                      int(QStyle::visualAlignment(layoutDirection(), alignment())),
                                      palette(), isEnabled(), text(), foregroundRole());
            }
            // Only the inked part is kept: blending the clear rest costs as much.
            m_inked = inkedRect(picture);
            m_cache = picture.copy(m_inked);
            m_cache.setDevicePixelRatio(dpr);
        }
        QPainter p(this);
        p.drawImage(QPointF(m_inked.topLeft()) / dpr, m_cache);
    }

private:
    struct Look {
        QString text;
        QFont font;
        QRgb colour = 0;
        bool enabled = false;
        QSize size;
        qreal ratio = 0;
        bool operator==(const Look &) const = default;
    };
    Look m_look;
    QRect m_inked;
    QImage m_cache;
};

} // namespace

QRect BoardWindow::labelRectTwips(int index)
{
    const int i = std::clamp(index, 1, kCellCount) - 1;
    return QRect(kColumnLefts[i % 10], kLabelTops[i / 10], 780, 270);
}

QRect BoardWindow::cellRectTwips(int index)
{
    const int i = std::clamp(index, 1, kCellCount) - 1;
    return QRect(kColumnLefts[i % 10], kLabelTops[i / 10] + kCellBelowLabel, 780, 300);
}

BoardWindow::BoardWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_builtInPanels[0] = QPixmap::fromImage(builtInBoardFace());
    m_builtInKey = m_builtInPanels[0].cacheKey();
    // One built-in face serves every backlight state.
    m_builtInPanels[1] = m_builtInPanels[0];
    m_builtInPanels[2] = m_builtInPanels[0];
    setPicture(m_builtInPanels[0]);

    for (int i = 0; i <= kCellCount; ++i) {
        auto *label = new BoardLabel(this);
        label->setObjectName(QStringLiteral("lblSeiriNum_%1").arg(i));
        label->setAlignment(Qt::AlignCenter);
        // The ticket-number face of the layout; only label 1 ever changes it.
        QFont numberFace(QStringLiteral("M_NumP1"));
        numberFace.setPointSizeF(15);
        label->setFont(numberFace);
        m_ticketLabels[size_t(i)] = label;

        auto *cell = new FareCell(this);
        cell->setObjectName(QStringLiteral("Degit_%1").arg(i));
        cell->setDigitStyle(1);
        connect(cell, &FareCell::doubleClicked, this, [this, i] { editCellDigits(i); });
        m_fareCells[size_t(i)] = cell;
        if (i == 0) {
            label->hide();
            cell->hide();
        }
    }

    for (int i = 0; i < 2; ++i) {
        auto *digit = new DigitRow(this);
        digit->setObjectName(QStringLiteral("TimeDegit_%1").arg(i));
        digit->setDigitCount(2);
        // A clock reads 0:30, 10:00 and 10:05: the hour keeps no leading zero but
        // is never blank, the minutes always show two digits.
        digit->setZeroMode(1);
        digit->setFillZero(i == Minutes ? 2 : 0);
        m_clockDigits[size_t(i)] = digit;
    }

    m_stopNameStrip = new StopNameStrip(this);
    m_stopNameStrip->setObjectName(QStringLiteral("ChimeiCtl"));
    // As laid out on the board: flat, on grey until the settings colour it.
    m_stopNameStrip->setAppearance(0);
    m_stopNameStrip->setBackColour(rgb(128, 128, 128));

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("Timer1"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &BoardWindow::showTime);
    m_clockTimer->start();

    layOut();
    createMenu();
}

void BoardWindow::layOut()
{
    const int s = m_scale;
    setFixedSize(px(kBoardWidth) * s, px(kBoardHeight) * s);
    for (int i = 0; i <= kCellCount; ++i) {
        auto *label = static_cast<BoardLabel *>(m_ticketLabels[size_t(i)]);
        label->scale = s;
        const QRect r = labelRectTwips(std::max(i, 1));
        label->setGeometry(scaled(twipRect(r.x(), r.y(), r.width(), r.height()), s));
        const QRect c = cellRectTwips(std::max(i, 1));
        m_fareCells[size_t(i)]->setDrawScale(s);
        m_fareCells[size_t(i)]->setGeometry(scaled(twipRect(c.x(), c.y(), c.width(), c.height()), s));
    }
    for (int i = 0; i < 2; ++i) {
        m_clockDigits[size_t(i)]->setDrawScale(s);
        m_clockDigits[size_t(i)]->move(QPoint(px(i == 0 ? 5445 : 5850), px(30)) * s);
    }
    m_stopNameStrip->setDrawScale(s);
    m_stopNameStrip->setGeometry(scaled(twipRect(1500, 1440, 615, 2880), s));
    if (m_shaped)
        setMask(roundRegion());
    // The new size repaints the whole board.
    m_shownValid = false;
}

void BoardWindow::setBoardScale(int scale)
{
    scale = std::clamp(scale, 1, kMaxBoardScale);
    if (scale == m_scale)
        return;
    m_scale = scale;
    layOut();
    m_scaleActions[size_t(scale - 1)]->setChecked(true);
    emit boardScaleChanged(scale);
}

QRegion BoardWindow::roundRegion() const
{
    return roundRectRegion(0, 0, width(), height(), kCornerEllipse * m_scale,
                           kCornerEllipse * m_scale);
}

void BoardWindow::applyRoundRegion()
{
    m_shaped = true;
    setMask(roundRegion());
}

void BoardWindow::showModelTitle()
{
    setWindowTitle(tr("ルミナ - 型番:%1").arg(PanelWindow::modelName()));
}

void BoardWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateTexts(this);
        if (!windowTitle().isEmpty())
            showModelTitle();
    }
    QWidget::changeEvent(event);
}

void BoardWindow::createMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("boardMenu"));
    const auto translated = [](QObject *object, const char *source, const char *property = "text") {
        setTranslated(object, property, "lumina::BoardWindow", source);
    };
    QMenu *zoom = m_menu->addMenu(QString());
    translated(zoom, QT_TR_NOOP("拡大"), "title");
    auto *group = new QActionGroup(this);
    for (int s = 1; s <= kMaxBoardScale; ++s) {
        QAction *action = zoom->addAction(QStringLiteral("×%1").arg(s));
        action->setObjectName(QStringLiteral("actScale%1").arg(s));
        action->setCheckable(true);
        action->setChecked(s == m_scale);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + s)));
        group->addAction(action);
        // Also here, so the shortcut works while the menu is closed.
        addAction(action);
        connect(action, &QAction::triggered, this, [this, s] { setBoardScale(s); });
        m_scaleActions[size_t(s - 1)] = action;
    }
    m_stayOnTopAction = m_menu->addAction(QString());
    translated(m_stayOnTopAction, QT_TR_NOOP("常に手前に表示"));
    m_stayOnTopAction->setObjectName(QStringLiteral("actStayOnTop"));
    m_stayOnTopAction->setCheckable(true);
    connect(m_stayOnTopAction, &QAction::toggled, this, &BoardWindow::setStaysOnTop);
    m_menu->addSeparator();
    QAction *copy = m_menu->addAction(QString());
    translated(copy, QT_TR_NOOP("画像をコピー"));
    copy->setObjectName(QStringLiteral("actCopyPicture"));
    connect(copy, &QAction::triggered, this, &BoardWindow::copyPicture);
    QAction *save = m_menu->addAction(QString());
    translated(save, QT_TR_NOOP("画像を保存..."));
    save->setObjectName(QStringLiteral("actSavePicture"));
    connect(save, &QAction::triggered, this, &BoardWindow::savePicture);
    m_menu->addSeparator();
    QAction *play = m_menu->addAction(QString());
    translated(play, QT_TR_NOOP("運行を再生..."));
    play->setObjectName(QStringLiteral("actPlayTrip"));
    connect(play, &QAction::triggered, this, &BoardWindow::tripPlayRequested);
    m_stopTripAction = m_menu->addAction(QString());
    translated(m_stopTripAction, QT_TR_NOOP("運行を停止"));
    m_stopTripAction->setObjectName(QStringLiteral("actStopTrip"));
    m_stopTripAction->setEnabled(false);
    connect(m_stopTripAction, &QAction::triggered, this, &BoardWindow::tripStopRequested);
}

void BoardWindow::setTripPlaying(bool playing)
{
    m_stopTripAction->setEnabled(playing);
}

void BoardWindow::contextMenuEvent(QContextMenuEvent *event)
{
    // Not exec(): the board's clock and strip go on while the menu is open.
    m_menu->popup(event->globalPos());
}

bool BoardWindow::staysOnTop() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void BoardWindow::setStaysOnTop(bool on)
{
    if (on != staysOnTop()) {
        // Changing a window flag hides the window and may forget where it was.
        const QPoint where = pos();
        const bool shown = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
        move(where);
        if (shown)
            show();
        emit staysOnTopChanged(on);
    }
    m_stayOnTopAction->setChecked(on);
}

QImage BoardWindow::boardPicture()
{
    QImage picture = grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Where the window shows the desktop the picture is clear, so a video can
    // lay the board over anything.
    QPainter painter(&picture);
    painter.setClipRegion(QRegion(rect()) - roundRegion());
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillRect(rect(), Qt::transparent);
    return picture;
}

void BoardWindow::copyPicture()
{
    QGuiApplication::clipboard()->setImage(boardPicture());
}

void BoardWindow::savePicture()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString path = host().saveFileDialog(this, tr("PNG 画像 (*.png)"),
                                               QDir(folder).filePath(tr("ルミナ.png")),
                                               tr("画像を保存"));
    if (path.isEmpty())
        return;
    // Written whole or not at all: an existing file survives a failed save.
    QSaveFile file(path);
    QImageWriter writer(&file, "png");
    if (file.open(QIODevice::WriteOnly) && writer.write(boardPicture()) && file.commit())
        return;
    const QString why = writer.error() != QImageWriter::UnknownError ? writer.errorString()
                                                                     : file.errorString();
    host().messageBox(this,
                      tr("画像を保存できませんでした。\r\n\r\n%1\r\n%2").arg(path, why),
                      tr("画像を保存"), MessageButtons::Ok, MessageIcon::Critical);
}

void BoardWindow::showTime()
{
    const QString now = clock().now().time().toString(QStringLiteral("hh:mm:ss"));
    m_clockDigits[Hours]->setValue(now.mid(0, 2).toInt());
    m_clockDigits[Minutes]->setValue(now.mid(3, 2).toInt());
}

void BoardWindow::setStopName(const QString &name)
{
    if (!m_displayCleared)
        m_stopNameStrip->setStopName(name);
}
QString BoardWindow::stopName() const { return m_stopNameStrip->stopName(); }

void BoardWindow::setScroll(int speed, int wait)
{
    m_stopNameStrip->setSpeed(speed);
    m_stopNameStrip->setScrollStartWait(wait);
}

void BoardWindow::setStripClock(std::function<qint64()> clock) { m_stopNameStrip->setClock(std::move(clock)); }

bool BoardWindow::stopNameRising() const
{
    return m_stopNameStrip->isScrolling() && m_stopNameStrip->layerTop() > 0;
}

void BoardWindow::advanceStopName() { m_stopNameStrip->advanceScroll(); }

void BoardWindow::setAllCells(int value)
{
    for (int i = 1; i <= kCellCount; ++i)
        m_fareCells[size_t(i)]->setValue(value);
}

void BoardWindow::lightAllCells()
{
    for (int i = 1; i <= kCellCount; ++i)
        m_fareCells[size_t(i)]->lightAllPositions();
}

void BoardWindow::resetCells()
{
    for (int i = 1; i <= kCellCount; ++i) {
        m_fareCells[size_t(i)]->setDigitStyle(1);
        m_fareCells[size_t(i)]->blankAllPositions();
    }
}

void BoardWindow::setDisplayCleared(bool cleared)
{
    if (cleared == m_displayCleared)
        return;
    m_displayCleared = cleared;
    if (cleared)
        m_stopNameStrip->setStopName(QString());
    for (int i = 1; i <= kCellCount; ++i)
        m_fareCells[size_t(i)]->setBlanked(cleared);
    for (DigitRow *digit : m_clockDigits)
        digit->setBlanked(cleared);
    if (cleared) {
        m_clockTimer->stop();
    } else if (m_clockDigits[Hours]->isVisible()) {
        showTime();
        m_clockTimer->start();
    }
}

void BoardWindow::stopClock() { m_clockTimer->stop(); }

void BoardWindow::saveCells(std::array<CellDigitSetting, kCellCount> &cells) const
{
    for (int i = 1; i <= kCellCount; ++i) {
        const FareCell *cell = m_fareCells[size_t(i)];
        CellDigitSetting &entry = cells[size_t(i - 1)];
        entry.zeroMode = cell->zeroMode();
        entry.shift = cell->shift();
        entry.fillZero = cell->fillZero();
    }
}

void BoardWindow::editCellDigits(int index)
{
    if (index < 1 || index > kCellCount)
        return;
    FareCell *source = m_fareCells[size_t(index)];
    if (!source->userEditable())
        return;
    QWidget *panel = m_panelWindow;
    if (panel)
        panel->setEnabled(false);
    if (source->showDigitDialog() == 1) {
        const qint16 zeroMode = source->zeroMode();
        const qint16 shift = source->shift();
        const qint16 fillZero = source->fillZero();
        for (int i = 1; i <= kCellCount; ++i) {
            FareCell *cell = m_fareCells[size_t(i)];
            const QVariant value = cell->value();
            cell->setShift(shift);
            cell->setFillZero(fillZero);
            cell->setZeroMode(zeroMode);
            // Assigning the fare again shows it with the new settings.
            cell->setValue(value);
        }
    }
    if (panel)
        panel->setEnabled(true);
}

void BoardWindow::setPicture(const QPixmap &picture)
{
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    m_shownValid = false;
    update();
}

const QImage &BoardWindow::shownPicture()
{
    const qreal dpr = devicePixelRatioF();
    if (m_shownValid && m_shown.devicePixelRatio() == dpr)
        return m_shown;
    const qreal ratio = dpr * m_scale;
    if (m_picture.isNull()) {
        m_shown = QImage();
    } else if (m_picture.cacheKey() == m_builtInKey) {
        // The built-in face is drawn afresh at the ratio, sharp at any scale.
        m_shown = ratio == 1 ? m_picture.toImage() : builtInBoardFace(ratio);
    } else {
        // A user's picture has no finer detail to show: its pixels grow as
        // solid squares, as on a denser screen.
        const QImage image = m_picture.toImage();
        m_shown = image.scaled((QSizeF(image.size()) * ratio).toSize(), Qt::IgnoreAspectRatio,
                               Qt::FastTransformation);
    }
    m_shown.setDevicePixelRatio(dpr);
    m_shownValid = true;
    return m_shown;
}

void BoardWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QImage &shown = shownPicture();
    // A picture smaller than the board leaves the rest grey; a larger one is
    // cut. Only what the picture leaves uncovered is filled: at x3 the board
    // is millions of pixels, and a step repaints all of them.
    const QRegion uncovered = QRegion(rect()) - QRect(QPoint(0, 0), shown.deviceIndependentSize().toSize());
    for (const QRect &r : uncovered)
        p.fillRect(r, palette().color(QPalette::Window));
    p.drawImage(0, 0, shown);
}

void BoardWindow::closeEvent(QCloseEvent *event)
{
    // The program ends only through the control panel.
    event->ignore();
}

void BoardWindow::mousePressEvent(QMouseEvent *event)
{
    // No title bar: the board is moved by dragging its own surface. A press that
    // a label or cell let through to us still does not start a move.
    if (event->button() == Qt::LeftButton && windowHandle()
        && !childAt(event->position().toPoint())) {
        windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace lumina
