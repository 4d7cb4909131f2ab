#pragma once
// An unbound money box: shows its value in the system's currency format with two
// decimals ("$1,750.25"), right-aligned, and nothing when the value is zero. While it has
// the focus it shows the plain number for typing ("1750.25").
//
// Example:
//   auto* pledge = new TCurrencyEdit(this);
//   pledge->SetValue(CurrentPledgeAmount);
//   ... envelope->FieldByName("PledgeAmount")->SetAsCurrency(pledge->Value());

#include "engine/Types.h"

#include <QLineEdit>

class TCurrencyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCurrencyEdit(QWidget* parent = nullptr);

    // The value typed (read from the text even while the box has the focus), exact to
    // four decimals; zero for an empty box or a text that is not an amount.
    Currency Value() const;
    void SetValue(Currency value);
    // True when the text is empty or an amount.
    bool IsValidText() const;

Q_SIGNALS:
    void valueChanged(Currency value); // the box was left with a new value

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Show();
    Currency m_value;
};
