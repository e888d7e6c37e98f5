#pragma once

#include "hostlib/HostLib.h"
#include "settings/IniError.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace lumina {

// Moves values between the settings records and controls the way an operator's
// change would: a check box written with a new value, or an option button
// chosen, runs the control's click handling (its clicked signal), also while the
// control is disabled; writing 0 into an option button runs nothing.
//
// The first write that fails (a value the control cannot take) is kept in
// `failure`, and every write after it is skipped, so a transfer stops at the
// failing field.
class ControlTransfer
{
public:
    std::optional<IniFailure> failure;

    bool failed() const { return failure.has_value(); }

    // Check box: 0 off, 1 on, 2 greyed. A push button that works as a check box
    // has no greyed state and reads 0 or 1.
    static qint16 checkValue(const QAbstractButton *box);
    void setCheckValue(QAbstractButton *box, qint16 value);

    // Option button: -1 chosen, 0 not chosen. Any value other than 0 chooses it.
    static qint16 optionValue(const QAbstractButton *button);
    void setOptionValue(QAbstractButton *button, qint16 value);

    // Combo box: 0-based index of the chosen entry, -1 for none. An index that is
    // not in the list fails as an invalid property value.
    static qint16 comboValue(const QComboBox *combo);
    void setComboValue(QComboBox *combo, qint16 value);

    static QString textValue(const QLineEdit *edit);
    void setTextValue(QLineEdit *edit, const QString &text);
    static QString textValue(const QLabel *label);
    void setTextValue(QLabel *label, const QString &text);

    // Colour buttons keep their colour as background.
    static OleColor colourValue(const QWidget *button);
    void setColourValue(QWidget *button, OleColor colour);

    // Runs a button's click handling without changing its value.
    static void runClick(QAbstractButton *button);

    void fail(int code);
};

} // namespace lumina
