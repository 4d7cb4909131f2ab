#include "toolkit/vtxDateEdit.h"

#include "engine/EDatabaseError.h"
#include "engine/Field.h"
#include "engine/Types.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowHabits.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QPainter>
#include <QTextCharFormat>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A small calendar sheet drawn for the button.
QIcon CalendarIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(170, 40, 40));
    p.setPen(QColor(90, 90, 90));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 3; x <= 12; x += 3)
            p.drawPoint(x, y);
    return QIcon(pixmap);
}

} // namespace

void SetupCalendar(QCalendarWidget* calendar) {
    calendar->setFirstDayOfWeek(Qt::Sunday);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setGridVisible(true);
    QTextCharFormat weekend;
    weekend.setForeground(QColor(Qt::red));
    calendar->setWeekdayTextFormat(Qt::Saturday, weekend);
    calendar->setWeekdayTextFormat(Qt::Sunday, weekend);
}

QDate ReadDateText(const QString& text, const QDate& earliest) {
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return {};
    const QDate date = ParseShortDate(typed);
    if (!date.isValid())
        throw EDatabaseError(QString("'%1' is not a valid date").arg(text), ErrorKind::Conversion);
    if (earliest.isValid() && date < earliest)
        return earliest;
    return date;
}

// ---- TSelectOnFocus ------------------------------------------------------------------

TSelectOnFocus::TSelectOnFocus(QLineEdit* box) : QObject(box), m_box(box) {
    box->installEventFilter(this);
}

bool TSelectOnFocus::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_box)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        // After the box has shown its text for editing, unless a key typed meanwhile (the
        // key that opened a grid's cell editor) has begun a new text.
        QTimer::singleShot(0, m_box, [box = m_box] {
            if (box->hasFocus() && !box->isModified())
                box->selectAll();
        });
        m_clicked = reason == Qt::MouseFocusReason;
        break;
    }
    case QEvent::MouseButtonRelease:
        // The click that brought the focus placed the caret: select all the same, unless
        // it dragged a selection.
        if (m_clicked && !m_box->hasSelectedText())
            m_box->selectAll();
        m_clicked = false;
        break;
    default:
        break;
    }
    return false;
}

// ---- TCalendarButton ------------------------------------------------------------------

TCalendarButton::TCalendarButton(QLineEdit* edit) : QToolButton(edit), m_edit(edit) {
    setIcon(CalendarIcon());
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setToolTip("Calendar");
    edit->installEventFilter(this);
    connect(this, &QToolButton::clicked, this, &TCalendarButton::ShowCalendar);
    Place();
}

void TCalendarButton::Place() {
    const int side = qMax(16, m_edit->height() - 4);
    setFixedSize(side, side);
    move(m_edit->width() - side - 2, (m_edit->height() - side) / 2);
    m_edit->setTextMargins(0, 0, side + 2, 0);
}

bool TCalendarButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::Resize)
        Place();
    return QToolButton::eventFilter(watched, event);
}

void TCalendarButton::ShowCalendar() {
    QDate start = CurrentDate ? CurrentDate() : QDate();
    if (!start.isValid())
        start = QDate::currentDate();
    if (Style == TCalendarStyle::Dialog) {
        QDialog dialog(m_edit->window());
        dialog.setWindowTitle("Calendar");
        auto* layout = new QVBoxLayout(&dialog);
        auto* calendar = new QCalendarWidget(&dialog);
        SetupCalendar(calendar);
        calendar->setSelectedDate(start);
        auto* buttons =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        layout->addWidget(calendar);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
        if (Dialogs::ShowModal(&dialog) == QDialog::Accepted)
            Q_EMIT picked(calendar->selectedDate());
        return;
    }
    if (m_popup)
        m_popup->close();
    auto* popup = new QWidget(m_edit, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(popup);
    layout->setContentsMargins(1, 1, 1, 1);
    auto* calendar = new QCalendarWidget(popup);
    SetupCalendar(calendar);
    calendar->setSelectedDate(start);
    layout->addWidget(calendar);
    auto choose = [this, popup](const QDate& date) {
        popup->close();
        Q_EMIT picked(date);
    };
    connect(calendar, &QCalendarWidget::clicked, popup, choose);
    connect(calendar, &QCalendarWidget::activated, popup, choose);
    popup->adjustSize();
    popup->move(m_edit->mapToGlobal(QPoint(0, m_edit->height())));
    m_popup = popup;
    popup->show();
    calendar->setFocus();
}

// ---- TDateEdit -------------------------------------------------------------------------

TDateEdit::TDateEdit(QWidget* parent) : QLineEdit(parent) {
    new TSelectOnFocus(this);
    m_button = new TCalendarButton(this);
    m_button->CurrentDate = [this] { return Date(); };
    connect(m_button, &TCalendarButton::picked, this, [this](const QDate& date) {
        SetDate(m_minDate.isValid() && date < m_minDate ? m_minDate : date);
        Q_EMIT dateChosen(Date());
    });
}

QDate TDateEdit::Date() const {
    try {
        return ReadDate();
    } catch (const EDatabaseError&) {
        return {};
    }
}

void TDateEdit::SetDate(const QDate& date) {
    setText(FormatShortDate(date));
}

void TDateEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!m_validateOnExit || event->reason() == Qt::ActiveWindowFocusReason ||
        event->reason() == Qt::PopupFocusReason)
        return;
    QDate date;
    if (RunAction([&] { date = ReadDate(); })) {
        if (date.isValid())
            SetDate(date);
        return;
    }
    QTimer::singleShot(0, this, [this] {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    });
}

// ---- TDBDateEdit ---------------------------------------------------------------------------

TDBDateEdit::TDBDateEdit(QWidget* parent) : TDBEdit(parent) {
    Init();
}

TDBDateEdit::TDBDateEdit(DataSource* source, const QString& field, QWidget* parent)
    : TDBEdit(parent) {
    Init();
    SetDataField(field);
    SetDataSource(source);
}

void TDBDateEdit::Init() {
    new TSelectOnFocus(this);
    m_button = new TCalendarButton(this);
    m_button->CurrentDate = [this] { return Date(); };
    connect(m_button, &TCalendarButton::picked, this, &TDBDateEdit::Picked);
    LoadFromField();
}

QDate TDBDateEdit::Date() const {
    try {
        return ReadDateText(text(), m_minDate);
    } catch (const EDatabaseError&) {
        return {};
    }
}

QString TDBDateEdit::FieldText(Field* field, bool focused) const {
    if (field->DataType() != FieldType::Date)
        return TDBEdit::FieldText(field, focused);
    return FormatShortDate(field->AsDate());
}

void TDBDateEdit::WriteField(Field* field, const QString& text) {
    if (field->DataType() != FieldType::Date) {
        TDBEdit::WriteField(field, text);
        return;
    }
    const QDate date = ReadDateText(text, m_minDate);
    if (date.isValid())
        field->SetAsDate(date);
    else
        field->Clear();
}

void TDBDateEdit::Picked(const QDate& date) {
    if (!m_link->Editing() && !m_link->Edit())
        return;
    setText(FormatShortDate(m_minDate.isValid() && date < m_minDate ? m_minDate : date));
    m_link->SetModified();
    if (RunAction([this] { m_link->UpdateRecord(); }))
        Q_EMIT dateChosen(Date());
}
