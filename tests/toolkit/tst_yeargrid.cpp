// The year grid: where each month's days stand, the weekend marks, the date selected by
// mouse and keys, the years it accepts, the day notes (kept only while their year is
// shown), the note dialog, finding a note and the web page.

#include "TestSupport.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxYearGrid.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

struct Scripted {
    Scripted() {
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
    }
    ~Scripted() { Dialogs::ClearScript(); }
};

void ClickCell(TYearGrid& grid, int row, int column) {
    const QRect cell = grid.visualRect(grid.model()->index(row, column));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
}

// A note dialog answer: types the text, picks the colour, and accepts.
std::function<int(QDialog*)> AnswerNote(const QString& text, const QString& color) {
    return [text, color](QDialog* dialog) {
        auto* d = qobject_cast<TYearNoteDialog*>(dialog);
        if (!d)
            return int(QDialog::Rejected);
        d->NoteEdit->setPlainText(text);
        d->ColorBox->setCurrentIndex(d->ColorBox->findText(color));
        return int(QDialog::Accepted);
    };
}

} // namespace

class TestYearGrid : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Day 1 stands under its weekday (Sunday is column 1), the month runs on without gaps,
    // and the cells before and after it are empty.
    void monthsUnderTheirWeekdays_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<int>("days");
        QTest::newRow("January 2024 starts on a Monday") << 2024 << 1 << 2 << 31;
        QTest::newRow("February 2024, leap year") << 2024 << 2 << 5 << 29;
        QTest::newRow("January 2000 starts on a Saturday") << 2000 << 1 << 7 << 31;
        QTest::newRow("February 2000, leap century") << 2000 << 2 << 3 << 29;
        QTest::newRow("February 1900, no leap century") << 1900 << 2 << 5 << 28;
        QTest::newRow("February 1752, leap year") << 1752 << 2 << 3 << 29;
        QTest::newRow("September 1752, Gregorian, no days missing") << 1752 << 9 << 6 << 30;
        QTest::newRow("December 9999") << 9999 << 12 << 4 << 31;
        QTest::newRow("March 2025 fills the last column") << 2025 << 3 << 7 << 31;
    }

    void monthsUnderTheirWeekdays() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, firstColumn);
        QFETCH(int, days);
        TYearGrid grid;
        grid.SetYear(year);
        QCOMPARE(grid.Year(), year);
        QCOMPARE(grid.CellText(0, 0), QString::number(year));
        QCOMPARE(grid.CellText(month, 0), QLocale().monthName(month, QLocale::ShortFormat));
        for (int column = 1; column < TYearGrid::Columns; ++column) {
            const int day = column - firstColumn + 1;
            const bool inMonth = day >= 1 && day <= days;
            QCOMPARE(grid.CellText(month, column), inMonth ? QString::number(day) : QString());
            QCOMPARE(grid.DateAt(month, column), inMonth ? QDate(year, month, day) : QDate());
        }
        QCOMPARE(grid.IndexOfDate(QDate(year, month, days)),
                 grid.model()->index(month, firstColumn + days - 1));
    }

    void headerRowAndSize() {
        TYearGrid grid;
        grid.SetYear(2024);
        QCOMPARE(grid.model()->rowCount(), 13);
        QCOMPARE(grid.model()->columnCount(), 38);
        QString initials;
        for (int column = 1; column < TYearGrid::Columns; ++column)
            initials += grid.CellText(0, column);
        QCOMPARE(initials, QString("SMTWTFS").repeated(5) + "SM");
        QCOMPARE(grid.CellText(1, 0), QString("Jan"));
        QCOMPARE(grid.CellText(12, 0), QString("Dec"));

        QCOMPARE(grid.columnWidth(0), 55);
        QCOMPARE(grid.columnWidth(1), 16);
        QCOMPARE(grid.columnWidth(37), 16);
        QCOMPARE(grid.rowHeight(0), 17);
        QCOMPARE(grid.rowHeight(12), 17);
        // The grid is exactly as large as its cells: nothing to scroll, nothing left over.
        const int frame = 2 * grid.frameWidth();
        QCOMPARE(grid.size(), QSize(55 + 37 * 16 + frame, 13 * 17 + frame));
        QCOMPARE(grid.minimumSize(), grid.maximumSize());
    }

    void weekendMarked() {
        TYearGrid grid;
        grid.SetYear(2024);
        const QModelIndex saturday = grid.IndexOfDate(QDate(2024, 1, 6));
        const QModelIndex sunday = grid.IndexOfDate(QDate(2024, 1, 7));
        const QModelIndex monday = grid.IndexOfDate(QDate(2024, 1, 8));
        QVERIFY(saturday.data(TYearGrid::WeekendRole).toBool());
        QVERIFY(sunday.data(TYearGrid::WeekendRole).toBool());
        QVERIFY(!monday.data(TYearGrid::WeekendRole).toBool());
        QCOMPARE(saturday.data(Qt::BackgroundRole).value<QColor>(), TYearGrid::WeekendColor);
        QCOMPARE(monday.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        // The initials of the weekend columns are marked; an empty cell under one is not.
        QVERIFY(grid.IsWeekendCell(0, 1));
        QVERIFY(grid.IsWeekendCell(0, 7));
        QVERIFY(!grid.IsWeekendCell(0, 2));
        QVERIFY(!grid.IsWeekendCell(1, 1)); // before 1 January 2024
        QCOMPARE(grid.model()->index(1, 1).data(Qt::BackgroundRole).value<QColor>(),
                 TYearGrid::EmptyColor);

        // Another first day moves the days, not the weekend.
        grid.SetFirstDayOfWeek(Qt::Monday);
        QCOMPARE(grid.IndexOfDate(QDate(2024, 1, 1)).column(), 1);
        QCOMPARE(grid.CellText(0, 1), QString("M"));
        QVERIFY(grid.IndexOfDate(QDate(2024, 1, 6)).data(TYearGrid::WeekendRole).toBool());
        QVERIFY(!grid.IndexOfDate(QDate(2024, 1, 1)).data(TYearGrid::WeekendRole).toBool());
        grid.SetWeekendDays({Qt::Friday});
        QVERIFY(grid.IndexOfDate(QDate(2024, 1, 5)).data(TYearGrid::WeekendRole).toBool());
        QVERIFY(!grid.IndexOfDate(QDate(2024, 1, 6)).data(TYearGrid::WeekendRole).toBool());
    }

    void dateSelectedByMouseAndKeys() {
        TYearGrid grid;
        grid.SetYear(2024);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy selected(&grid, &TYearGrid::dateSelected);

        const QModelIndex july4 = grid.IndexOfDate(QDate(2024, 7, 4));
        ClickCell(grid, july4.row(), july4.column());
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.takeFirst().at(0).toDate(), QDate(2024, 7, 4));
        QCOMPARE(grid.SelectedDate(), QDate(2024, 7, 4));

        QTest::keyClick(grid.viewport(), Qt::Key_Right);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.takeFirst().at(0).toDate(), QDate(2024, 7, 5));
        QTest::keyClick(grid.viewport(), Qt::Key_Down); // the same column in August
        QCOMPARE(grid.SelectedDate(), QDate(2024, 8, 2));
        selected.clear();

        // The year, an initial, a month name and an empty cell select no date.
        ClickCell(grid, 0, 0);
        ClickCell(grid, 0, 5);
        ClickCell(grid, 7, 0);
        ClickCell(grid, 1, 1); // before 1 January 2024
        QCOMPARE(selected.count(), 0);
        QVERIFY(!grid.SelectedDate().isValid());
    }

    void yearsOutsideTheCalendarShowTheCurrentYear_data() {
        QTest::addColumn<int>("year");
        QTest::newRow("0000") << 0;
        QTest::newRow("negative") << -12;
        QTest::newRow("10000") << 10000;
    }

    void yearsOutsideTheCalendarShowTheCurrentYear() {
        QFETCH(int, year);
        TYearGrid grid;
        grid.SetYear(1999);
        grid.SetYear(year);
        QCOMPARE(grid.Year(), QDate::currentDate().year());
    }

    void notesLiveOnlyWhileTheirYearIsShown() {
        TYearGrid grid;
        grid.SetYear(2024);
        QSignalSpy yearChanged(&grid, &TYearGrid::yearChanged);
        const QColor aqua = TYearGrid::NoteColors().at(1).second;
        QVERIFY(grid.SetNote(QDate(2024, 12, 24), {"Candlelight service", aqua}));
        QVERIFY(!grid.SetNote(QDate(2025, 1, 1), {"Not this year", aqua}));
        const QModelIndex eve = grid.IndexOfDate(QDate(2024, 12, 24));
        QCOMPARE(eve.data(Qt::ToolTipRole).toString(), QString("Candlelight service"));
        QCOMPARE(eve.data(Qt::BackgroundRole).value<QColor>(), aqua);

        grid.SetYear(2024); // no change of year: the note stays
        QCOMPARE(yearChanged.count(), 0);
        QVERIFY(grid.HasNote(QDate(2024, 12, 24)));

        grid.SetYear(2025);
        grid.SetYear(2024);
        QCOMPARE(yearChanged.count(), 2);
        QVERIFY(grid.NoteDates().isEmpty());
        QCOMPARE(grid.IndexOfDate(QDate(2024, 12, 24)).data(Qt::ToolTipRole).toString(), QString());
    }

    void noteDialog() {
        Scripted scripted;
        TYearGrid grid;
        grid.SetYear(2024);
        const QDate easter(2024, 3, 31);
        QVERIFY(grid.SelectDate(easter));

        // Enter on a day opens the dialog on that day.
        QString shownDate;
        Dialogs::QueueModal([&](QDialog* dialog) {
            shownDate = qobject_cast<TYearNoteDialog*>(dialog)->DateLabel->text();
            return AnswerNote("Easter breakfast", "Lime")(dialog);
        });
        QTest::keyClick(grid.viewport(), Qt::Key_Return);
        QCOMPARE(shownDate, QLocale().toString(easter, QLocale::LongFormat));
        QCOMPARE(grid.Note(easter).text, QString("Easter breakfast"));
        QCOMPARE(grid.Note(easter).color, TYearGrid::NoteColors().at(2).second);

        // Cancel keeps the note; the dialog opens on what is there.
        QString offered;
        Dialogs::QueueModal([&](QDialog* dialog) {
            offered = qobject_cast<TYearNoteDialog*>(dialog)->NoteEdit->toPlainText();
            qobject_cast<TYearNoteDialog*>(dialog)->NoteEdit->setPlainText("changed");
            return int(QDialog::Rejected);
        });
        QVERIFY(!grid.EditNote(easter));
        QCOMPARE(offered, QString("Easter breakfast"));
        QCOMPARE(grid.Note(easter).text, QString("Easter breakfast"));

        // An emptied note is removed; Delete removes one too.
        Dialogs::QueueModal(AnswerNote("  ", "Yellow"));
        QVERIFY(grid.EditNoteAction->isEnabled());
        grid.EditNoteAction->trigger();
        QVERIFY(!grid.HasNote(easter));
        grid.SetNote(easter, {"again", {}});
        QTest::keyClick(grid.viewport(), Qt::Key_Delete);
        QVERIFY(!grid.HasNote(easter));

        // No day under the cursor: nothing to edit.
        grid.setCurrentIndex(grid.model()->index(0, 0));
        QVERIFY(!grid.EditNoteAction->isEnabled());
        QVERIFY(!grid.EditNote(QDate(2023, 3, 31)));
    }

    void findNotes() {
        Scripted scripted;
        TYearGrid grid;
        grid.SetYear(2024);
        grid.SetNote(QDate(2024, 2, 14), {"Choir rehearsal", {}});
        grid.SetNote(QDate(2024, 6, 1), {"Council meeting", {}});
        grid.SetNote(QDate(2024, 11, 3), {"CHOIR sings at All Saints", {}});

        QVERIFY(grid.FindNote("choir"));
        QCOMPARE(grid.SelectedDate(), QDate(2024, 2, 14));
        QVERIFY(grid.FindNote("choir"));
        QCOMPARE(grid.SelectedDate(), QDate(2024, 11, 3));
        QVERIFY(grid.FindNote("choir")); // round the year
        QCOMPARE(grid.SelectedDate(), QDate(2024, 2, 14));
        QVERIFY(!grid.FindNote("picnic"));
        QCOMPARE(grid.SelectedDate(), QDate(2024, 2, 14));

        Dialogs::QueueInput(true, "council");
        grid.FindAction->trigger();
        QCOMPARE(grid.SelectedDate(), QDate(2024, 6, 1));
        QVERIFY(Dialogs::ShownTexts().contains("Find a note containing:"));
        Dialogs::QueueInput(true, "picnic");
        grid.Find();
        QVERIFY(Dialogs::ShownTexts().contains("No note contains \"picnic\"."));
        QCOMPARE(grid.SelectedDate(), QDate(2024, 6, 1));
    }

    void webPage() {
        TYearGrid grid;
        grid.SetYear(2024);
        grid.SetNote(QDate(2024, 5, 19), {"Pentecost <picnic> & games", {}});
        const QString html = grid.HtmlPage();
        QVERIFY(html.contains("font-family: Arial"));
        QVERIFY(html.contains("border=\"0\""));
        QCOMPARE(html.count("<tr>"), 13);
        QCOMPARE(html.count("<td "), 13 * 38);
        QVERIFY(html.contains("title=\"Pentecost &lt;picnic&gt; &amp; games\">19</td>"));
        QVERIFY(html.contains(">2024</td>"));
        QVERIFY(html.contains(">Sep</td>"));
    }

    void savePage() {
        Scripted scripted;
        TempFolder folder;
        TYearGrid grid;
        grid.SetYear(2024);
        Dialogs::QueueFile(folder.file("year.html"));
        grid.SavePageAction->trigger();
        QFile written(folder.file("year.html"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()), grid.HtmlPage());
        QCOMPARE(Dialogs::ShownLog().front().kind, QString("save"));

        // A folder that does not exist: the error is told.
        Dialogs::QueueFile(folder.file("missing/year.html"));
        grid.SavePage();
        QCOMPARE(Dialogs::ShownLog().back().kind, QString("error"));
        QVERIFY(Dialogs::ShownLog().back().text.startsWith("The web page could not be written"));
        // Cancelled: nothing written, nothing said.
        grid.SavePage();
        QCOMPARE(Dialogs::ShownLog().back().kind, QString("save"));
    }
};

VTX_REGISTER_TEST(TestYearGrid)
#include "tst_yeargrid.moc"
