#include "settings/ControlValues.h"

#include "base/Colors.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace lumina {

qint16 ControlTransfer::checkValue(const QAbstractButton *box)
{
    if (auto *check = qobject_cast<const QCheckBox *>(box)) {
        switch (check->checkState()) {
        case Qt::Unchecked: return 0;
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        }
    }
    return box->isChecked() ? 1 : 0;
}

void ControlTransfer::setCheckValue(QAbstractButton *box, qint16 value)
{
    if (failed())
        return;
    if (value < 0 || value > 2) {
        fail(iniError::kInvalidPropertyValue);
        return;
    }
    auto *check = qobject_cast<QCheckBox *>(box);
    // A push button that works as a check box shows greyed as on.
    if (!check && value == 2)
        value = 1;
    if (checkValue(box) == value)
        return;
    if (check) {
        check->setCheckState(value == 0 ? Qt::Unchecked
                                        : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
    } else {
        box->setChecked(value != 0);
    }
    emit box->clicked(box->isChecked());
}

qint16 ControlTransfer::optionValue(const QAbstractButton *button)
{
    return button->isChecked() ? -1 : 0;
}

void ControlTransfer::setOptionValue(QAbstractButton *button, qint16 value)
{
    if (failed())
        return;
    if (value != 0) {
        button->setChecked(true);
        emit button->clicked(true);
        return;
    }
    if (!button->isChecked())
        return;
    // An exclusive group will not let its chosen button go; loosen it for the
    // moment, so a group stored with nothing chosen comes back that way.
    const QSignalBlocker quiet(button);
    QButtonGroup *group = button->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (groupExclusive)
        group->setExclusive(false);
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(autoExclusive);
    if (groupExclusive)
        group->setExclusive(true);
}

qint16 ControlTransfer::comboValue(const QComboBox *combo)
{
    return qint16(combo->currentIndex());
}

void ControlTransfer::setComboValue(QComboBox *combo, qint16 value)
{
    if (failed())
        return;
    if (value < -1 || value >= combo->count()) {
        fail(iniError::kInvalidPropertyValue);
        return;
    }
    combo->setCurrentIndex(value);
}

QString ControlTransfer::textValue(const QLineEdit *edit)
{
    return edit->text();
}

void ControlTransfer::setTextValue(QLineEdit *edit, const QString &text)
{
    if (!failed())
        edit->setText(text);
}

QString ControlTransfer::textValue(const QLabel *label)
{
    return label->text();
}

void ControlTransfer::setTextValue(QLabel *label, const QString &text)
{
    if (failed())
        return;
    // Text from a file shows its characters as they stand, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}

OleColor ControlTransfer::colourValue(const QWidget *button)
{
    return backColor(button);
}

void ControlTransfer::setColourValue(QWidget *button, OleColor colour)
{
    if (!failed())
        setBackColor(button, colour);
}

void ControlTransfer::runClick(QAbstractButton *button)
{
    emit button->clicked(button->isChecked());
}

void ControlTransfer::fail(int code)
{
    if (!failed())
        failure = iniFailure(code);
}

} // namespace lumina
