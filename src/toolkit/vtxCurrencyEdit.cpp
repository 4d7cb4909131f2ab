#include "toolkit/vtxCurrencyEdit.h"

#include "toolkit/Dialogs.h"

#include <QFocusEvent>
#include <QLocale>
#include <QRegularExpressionValidator>
#include <QTimer>

TCurrencyEdit::TCurrencyEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QLocale locale;
    // Digits, the locale's separators, the currency symbol, a sign or parentheses.
    const QString allowed = QRegularExpression::escape(
        locale.currencySymbol() + locale.groupSeparator() + locale.decimalPoint() + "-()");
    setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9\\s" + allowed + "]*"), this));
    Show();
}

Currency TCurrencyEdit::Value() const {
    if (!hasFocus())
        return m_value;
    bool ok = false;
    const Currency c = Currency::FromString(text(), &ok);
    return ok ? c : Currency();
}

bool TCurrencyEdit::IsValidText() const {
    if (text().trimmed().isEmpty())
        return true;
    bool ok = false;
    Currency::FromString(text(), &ok);
    return ok;
}

void TCurrencyEdit::SetValue(Currency value) {
    m_value = value;
    Show();
}

void TCurrencyEdit::Show() {
    if (hasFocus())
        setText(m_value.Units() == 0 ? QString() : m_value.ToString());
    else
        setText(m_value.Units() == 0 ? QString() : m_value.ToMoneyString());
}

void TCurrencyEdit::focusInEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        Show();
    QLineEdit::focusInEvent(event);
}

void TCurrencyEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (!IsValidText()) {
        Dialogs::ErrorBox(QString("'%1' is not a valid currency value").arg(text()));
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
        return;
    }
    const Currency typed = text().trimmed().isEmpty() ? Currency() : Currency::FromString(text());
    const bool changed = typed != m_value;
    m_value = typed;
    Show();
    if (changed)
        Q_EMIT valueChanged(m_value);
}
