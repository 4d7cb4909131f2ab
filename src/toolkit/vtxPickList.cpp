#include "toolkit/vtxPickList.h"

#include "engine/ESBDates.h"
#include "toolkit/Dialogs.h"

#include <QKeyEvent>

// ---- TPickList ---------------------------------------------------------------------------

TPickList::TPickList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Pick(row(item)); });
}

void TPickList::Pick(int row) {
    QListWidgetItem* it = item(row);
    if (!it)
        return;
    if (currentRow() != row)
        setCurrentRow(row);
    Q_EMIT picked(row, it->text());
}

void TPickList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        event->modifiers() == Qt::NoModifier && currentRow() >= 0) {
        Pick(currentRow());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

// ---- TSundayList -------------------------------------------------------------------------

TSundayList::TSundayList(QWidget* parent) : TPickList(parent) {
    connect(this, &TPickList::picked, this, [this](int row, const QString&) {
        const QDate sunday = SundayAt(row);
        if (sunday.isValid())
            Q_EMIT sundayPicked(sunday);
    });
}

QList<QDate> TSundayList::SundaysOfYear(int year) {
    QList<QDate> sundays;
    for (int n = 0; n <= 53; ++n) {
        const TDateTime sunday = SundayOfWeekN(year, n);
        if (YearOfDate(sunday) == year)
            sundays << DateTimeToDate(sunday);
    }
    return sundays;
}

void TSundayList::FillYear(int year) {
    clear();
    m_year = 0;
    const QList<QDate> sundays = SundaysOfYear(year);
    for (const QDate& sunday : sundays) {
        auto* item = new QListWidgetItem(FormatShortDate(sunday), this);
        item->setData(Qt::UserRole, sunday);
    }
    m_year = year;
}

QDate TSundayList::SundayAt(int row) const {
    const QListWidgetItem* it = item(row);
    return it ? it->data(Qt::UserRole).toDate() : QDate();
}

bool TSundayList::AskYear() {
    const QString answer = Dialogs::InputBox("Year", "Enter the year", QString::number(ThisYear()));
    bool ok = false;
    const int year = answer.trimmed().toInt(&ok);
    if (!ok) {
        Dialogs::ErrorBox(QString("'%1' is not a valid integer value").arg(answer));
        return false;
    }
    try {
        FillYear(year);
    } catch (const EDateError& error) {
        Dialogs::ErrorBox(QString::fromUtf8(error.what()));
        return false;
    }
    return true;
}
