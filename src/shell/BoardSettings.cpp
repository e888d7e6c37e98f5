// The board taking the options, the fare cells' digit settings and the fares
// of a stop: everything it shows that the settings and the route decide, with
// no other window involved.

#include "shell/BoardWindow.h"

#include "base/Colors.h"
#include "controls/DigitRow.h"
#include "controls/FareCell.h"
#include "controls/StopNameStrip.h"
#include "route/BoardUpdate.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>

namespace lumina {

namespace {

void setDigitColours(SegmentDisplay *digit, const InfoDigitSettings &colours)
{
    digit->setBackColour(colours.backColour);
    digit->setUnlitColour(colours.unlitColour);
    digit->setLitColour(colours.litColour);
}

// The panel picture of a user's file, or the message of why it cannot be shown.
BoardProblem readUserPanel(const QString &path, QPixmap &picture)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (!image.isNull()) {
        picture = QPixmap::fromImage(image);
        return std::nullopt;
    }
    const bool unreadable = reader.error() == QImageReader::FileNotFoundError
        || reader.error() == QImageReader::DeviceError;
    const int code = unreadable ? 75 : 481;
    const QString text = unreadable
        ? BoardWindow::tr("エラーです。\r\n\r\nエラーコード：%1　画像ファイルが見つからないか、指定している場所が不正です。")
        : BoardWindow::tr("エラーです。\r\n\r\nエラーコード：%1　指定した画像の内容が不正です。この部分では扱えません。");
    return BoardMessage{text.arg(code), BoardWindow::tr("エラー")};
}

} // namespace

BoardProblem BoardWindow::applyOptions(const SettingsFile &settings)
{
    const PanelSettings &panel = settings.panel;
    for (int i = 1; i <= kCellCount; ++i)
        m_ticketLabels[size_t(i)]->setVisible(panel.autoTicketNumbers != 0);
    const BoardProblem problem = setTicketLabelStyle(panel.ticketNumberStyle, panel.leadingZero == 1 ? 1 : 0);

    for (int i = 1; i <= kCellCount; ++i)
        setDigitColours(m_fareCells[size_t(i)], settings.infoDigits);
    for (DigitRow *digit : m_clockDigits)
        setDigitColours(digit, settings.infoDigits);

    m_stopNameStrip->setBackColour(settings.stopName.backColour);
    m_stopNameStrip->setTextColour(settings.stopName.textColour);
    m_stopNameStrip->setFontMode(settings.stopName.font);
    m_stopNameStrip->setFontBold(settings.stopName.bold == 1);
    return problem;
}

BoardProblem BoardWindow::setTicketLabelStyle(int style, int zeroFill)
{
    const std::optional<TicketLabels> labels = lumina::ticketLabels(style, zeroFill);
    if (!labels) {
        return BoardMessage{tr("エラーです！\r\n\r\nコード：%1\r\n\r\n内容：インデックスが有効範囲にありません。\r\n\r\n"
                               "モジュール：%2")
                                .arg(9)
                                .arg(QStringLiteral("IniIO-SeirikenNumSet( )")),
                            tr("エラー！")};
    }
    QLabel *first = m_ticketLabels[1];
    QFont font(labels->label1Font);
    font.setPointSizeF(labels->label1PointSize);
    first->setFont(font);
    for (int i = 1; i <= kCellCount; ++i)
        m_ticketLabels[size_t(i)]->setText(labels->captions[size_t(i - 1)]);
    return std::nullopt;
}

BoardProblem BoardWindow::showBacklight(int state, const PanelSettings &panel)
{
    const qint16 userChosen[3] = {panel.offUserPanel, panel.on1UserPanel, panel.on2UserPanel};
    const bool useUserImage = panel.panelsIndividual != kNotChosen && userChosen[state] != kNotChosen;
    BoardProblem problem;
    if (!useUserImage) {
        setPicture(m_builtInPanels[size_t(state)]);
    } else {
        const QString path = panel.userPanelImages[size_t(state)];
        QPixmap picture;
        if (!path.isEmpty() && QFileInfo(path).isFile()) {
            problem = readUserPanel(path, picture);
            if (!problem)
                setPicture(picture);
        }
    }
    for (int i = 1; i <= kCellCount; ++i)
        setForeColor(m_ticketLabels[size_t(i)], panel.ticketNumberColours[size_t(state)]);
    return problem;
}

void BoardWindow::restoreCells(const SettingsFile &settings)
{
    for (int i = 1; i <= kCellCount; ++i) {
        FareCell *cell = m_fareCells[size_t(i)];
        const CellDigitSetting &entry = settings.cells[size_t(i - 1)];
        cell->setShift(entry.shift);
        cell->setZeroMode(entry.zeroMode);
        cell->setFillZero(entry.fillZero);
        setDigitColours(cell, settings.infoDigits);
        // A single blank empties the cell.
        cell->setValue(QStringLiteral(" "));
    }
    for (DigitRow *digit : m_clockDigits)
        setDigitColours(digit, settings.infoDigits);
    m_stopNameStrip->setBackColour(settings.stopName.backColour);
    m_stopNameStrip->setTextColour(settings.stopName.textColour);
}

void BoardWindow::showFares(const BoardView &view)
{
    for (int t = 1; t <= kCellCount; ++t) {
        if (const auto &value = view.cells[size_t(t - 1)])
            m_fareCells[size_t(t)]->setValue(*value);
    }
}

} // namespace lumina
