// The data grid: grid and cursor moving each other, posting on row change and the refused
// post, Escape, Ctrl+Delete, Insert and Tab, check box, list and date editors, titles,
// export rows, and a table of a million rows.

#include "ToolkitFixture.h"
#include "engine/Sqlite.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDateEdit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace toolkit_test;

namespace {

struct GridForm {
    QWidget window;
    TDBGrid* grid;
    explicit GridForm(DataSource* source) {
        window.resize(700, 300);
        auto* layout = new QVBoxLayout(&window);
        grid = new TDBGrid(source, &window);
        layout->addWidget(grid);
    }
    QModelIndex Index(int row, int column) const { return grid->model()->index(row, column); }
    void Click(int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(Index(row, column)).center());
    }
    // Keys go where the focus is: the open cell editor or the grid.
    static void Type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    static void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
};

// Dark pixels drawn in the row indicator's section of a row.
int IndicatorInk(TDBGrid* grid, int row) {
    QHeaderView* header = grid->verticalHeader();
    const QImage image = header->viewport()->grab().toImage();
    const int top = header->sectionViewportPosition(row);
    int ink = 0;
    for (int y = top; y < top + header->sectionSize(row) && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ++ink;
    return ink;
}

} // namespace

class TestDBGrid : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void gridAndCursorMoveEachOther() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("RecordNumber", "Record");
        form.grid->AddColumn("LName", "Last Name");
        QVERIFY(ShowActive(form.window));
        QCOMPARE(form.grid->model()->rowCount(), 5);
        QCOMPARE(form.grid->currentIndex().row(), 0);
        // The cursor moves the selection.
        t.people->SetRecNo(3);
        QCOMPARE(form.grid->currentIndex().row(), 2);
        QVERIFY(form.grid->selectionModel()->isRowSelected(2, {}));
        QCOMPARE(form.grid->selectionModel()->selectedRows().size(), 1);
        // A click moves the cursor.
        form.Click(3, 1);
        QCOMPARE(t.Number(), 4);
        QCOMPARE(form.grid->currentIndex(), form.Index(3, 1));
        // So do the keys.
        form.grid->setFocus();
        GridForm::Press(Qt::Key_Up);
        QCOMPARE(t.Number(), 3);
        GridForm::Press(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(t.Number(), 5);
        QCOMPARE(form.grid->currentIndex().column(), 1);
        // The row indicator marks the cursor's row only.
        QVERIFY(IndicatorInk(form.grid, 4) > 0);
        QCOMPARE(IndicatorInk(form.grid, 3), 0);
        // Another order keeps the cursor's row selected.
        t.people->SetIndexName("PLN");
        QCOMPARE(t.Number(), 5);
        QCOMPARE(form.grid->currentIndex().row(), 1); // Adams, Baker, ...
        QCOMPARE(form.grid->model()->index(1, 1).data().toString(), QString("Baker"));
    }

    void leavingAnEditedRowPostsIt() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("RecordNumber");
        form.grid->AddColumn("FName");
        QVERIFY(ShowActive(form.window));
        form.Click(0, 1);
        form.grid->setFocus();
        GridForm::Type("J"); // opens the editor with the key typed
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        GridForm::Type("ack");
        QCOMPARE(t.people->State(), DataSetState::Browse); // still in the editor
        GridForm::Press(Qt::Key_Down);
        QCOMPARE(t.people->State(), DataSetState::Browse);
        QCOMPARE(t.Number(), 2);
        QCOMPARE(form.grid->currentIndex().row(), 1);
        t.people->First();
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Jack"));
        QVERIFY(Dialogs::ShownLog().isEmpty());
    }

    void refusedPostKeepsTheUserOnTheRow() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("RecordNumber");
        form.grid->AddColumn("FName");
        form.grid->AddColumn("LName");
        QVERIFY(ShowActive(form.window));
        form.Click(2, 0);
        form.grid->setFocus();
        GridForm::Press(Qt::Key_Insert);
        QCOMPARE(t.people->State(), DataSetState::Insert);
        QCOMPARE(form.grid->model()->rowCount(), 6);
        QCOMPARE(form.grid->currentIndex().row(), 2);
        GridForm::Type("9");
        GridForm::Press(Qt::Key_Tab);
        GridForm::Type("Zed");
        GridForm::Press(Qt::Key_Tab); // the last name stays empty
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Zed"));
        // Clicking another row tries to post: refused, shown, still on the new row.
        form.Click(4, 0);
        QCOMPARE(LastError(), QString("Field 'LName' must have a value"));
        QCOMPARE(t.people->State(), DataSetState::Insert);
        QCOMPARE(form.grid->currentIndex().row(), 2);
        QVERIFY(form.grid->selectionModel()->isRowSelected(2, {}));
        // And with the keys.
        Dialogs::ClearScript();
        form.grid->setFocus();
        GridForm::Press(Qt::Key_Down);
        QCOMPARE(LastError(), QString("Field 'LName' must have a value"));
        QCOMPARE(form.grid->currentIndex().row(), 2);
        // Escape gives the new row up.
        GridForm::Press(Qt::Key_Escape);
        QCOMPARE(t.people->State(), DataSetState::Browse);
        QCOMPARE(form.grid->model()->rowCount(), 5);
        QCOMPARE(t.Number(), 3);
        QCOMPARE(form.grid->currentIndex().row(), 2);
    }

    void escapeDropsTheCellThenCancelsTheRow() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("FName");
        form.grid->AddColumn("LName");
        QVERIFY(ShowActive(form.window));
        form.Click(1, 0);
        form.grid->setFocus();
        GridForm::Type("Maria");
        GridForm::Press(Qt::Key_Tab); // written into the row
        QCOMPARE(t.people->State(), DataSetState::Edit);
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Maria"));
        GridForm::Type("X"); // typed into the last-name cell
        GridForm::Press(Qt::Key_Escape);
        QCOMPARE(t.people->State(), DataSetState::Edit);
        QCOMPARE(t.Last(), QString("Adams"));
        QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        GridForm::Press(Qt::Key_Escape);
        QCOMPARE(t.people->State(), DataSetState::Browse);
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Mary"));
        QCOMPARE(form.Index(1, 0).data().toString(), QString("Mary"));
    }

    void ctrlDeleteAsksFirst() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        GridForm form(t.peopleS.get());
        QVERIFY(ShowActive(form.window));
        form.Click(1, 0);
        form.grid->setFocus();
        Dialogs::QueueButton(Dialogs::Cancel);
        GridForm::Press(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(t.people->RecordCount(), 5);
        QCOMPARE(Dialogs::ShownTexts(), QStringList{"Delete record?"});
        QCOMPARE(Dialogs::ShownLog()[0].buttons, Dialogs::Ok | Dialogs::Cancel);
        Dialogs::QueueButton(Dialogs::Ok);
        GridForm::Press(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(t.people->RecordCount(), 4);
        QCOMPARE(form.grid->model()->rowCount(), 4);
        QCOMPARE(t.Number(), 3);
        QCOMPARE(form.grid->currentIndex().row(), 1);
        // A grid without editing deletes nothing.
        form.grid->SetOptions(form.grid->GetOptions() & ~TDBGrid::Editing);
        GridForm::Press(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(t.people->RecordCount(), 4);
        QCOMPARE(Dialogs::ShownLog().size(), 2);
    }

    void tabMovesBetweenCellsAndOnToANewRow() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("RecordNumber");
        form.grid->AddColumn("FName");
        form.grid->AddColumn("Notes").Visible = false;
        form.grid->AddColumn("LName");
        QVERIFY(ShowActive(form.window));
        t.people->Last();
        form.grid->SetSelectedColumn(0);
        form.grid->setFocus();
        GridForm::Press(Qt::Key_Down); // on the last row: a new row
        QCOMPARE(t.people->State(), DataSetState::Insert);
        QCOMPARE(form.grid->currentIndex(), form.Index(5, 0));
        GridForm::Type("6");
        GridForm::Press(Qt::Key_Tab);
        QCOMPARE(form.grid->currentIndex(), form.Index(5, 1));
        GridForm::Type("Zed");
        GridForm::Press(Qt::Key_Tab); // over the hidden column
        QCOMPARE(form.grid->currentIndex(), form.Index(5, 3));
        GridForm::Type("Zulu");
        GridForm::Press(Qt::Key_Tab); // from the last cell: posted, and another new row
        QCOMPARE(t.people->RecordCount(), 6);
        QCOMPARE(t.people->State(), DataSetState::Insert);
        QCOMPARE(form.grid->currentIndex(), form.Index(6, 0));
        GridForm::Press(Qt::Key_Escape);
        GridForm::Press(Qt::Key_Escape);
        QCOMPARE(t.people->State(), DataSetState::Browse);
        QCOMPARE(form.grid->model()->rowCount(), 6);
        QCOMPARE(t.Last(), QString("Zulu"));
        QCOMPARE(t.Number(), 6);
        // Shift+Tab goes back, to the previous row's last cell.
        form.Click(2, 0);
        form.grid->setFocus();
        GridForm::Press(Qt::Key_Backtab);
        QCOMPARE(form.grid->currentIndex(), form.Index(1, 3));
        QCOMPARE(t.Number(), 2);
    }

    void checkColumnToggles() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("LName");
        form.grid->AddColumn("IsMember", "Mbr.");
        QVERIFY(ShowActive(form.window));
        QCOMPARE(form.Index(2, 1).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(form.Index(2, 1).data().isNull());
        form.Click(1, 1); // Adams, a member
        QCOMPARE(t.Number(), 2);
        QCOMPARE(t.people->State(), DataSetState::Edit);
        QCOMPARE(t.people->FieldByName("IsMember")->AsBoolean(), false);
        form.Click(1, 1);
        QCOMPARE(t.people->FieldByName("IsMember")->AsBoolean(), true);
        // Undecided on a new row; the first click ticks it.
        t.people->Cancel();
        t.people->Insert();
        const int row = form.grid->currentIndex().row();
        QCOMPARE(form.Index(row, 1).data(Qt::CheckStateRole).toInt(), int(Qt::PartiallyChecked));
        form.Click(row, 1);
        QCOMPARE(t.people->FieldByName("IsMember")->AsBoolean(), true);
        QVERIFY(!t.people->FieldByName("IsMember")->IsNull());
        t.people->Cancel();
        // A read-only column does not toggle.
        form.grid->Column(1).ReadOnly = true;
        form.Click(0, 1);
        QCOMPARE(t.people->State(), DataSetState::Browse);
        QVERIFY(!(form.Index(0, 1).flags() & Qt::ItemIsEditable));
    }

    void titlesAndColumnProperties() {
        Tables t;
        t.AddFive();
        t.people->FieldByName("FName")->DisplayLabel = "Given Name";
        GridForm form(t.peopleS.get());
        TDBGridColumn& record = form.grid->AddColumn("RecordNumber", "Record");
        record.TitleAlignment = Qt::AlignCenter;
        QFont bold;
        bold.setBold(true);
        record.TitleFont = bold;
        record.TitleColor = QColor(128, 0, 0);
        form.grid->AddColumn("FName");
        TDBGridColumn& last = form.grid->AddColumn("LName", "Last Name");
        last.FontColor = Qt::blue;
        last.Color = Qt::yellow;
        form.grid->AddColumn("Pledge").Visible = false;
        form.grid->AddColumn("Reads");
        QVERIFY(ShowActive(form.window));
        QAbstractItemModel* m = form.grid->model();
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("Record"));
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("Given Name"));
        QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                     Qt::AlignHorizontal_Mask,
                 int(Qt::AlignHCenter));
        QVERIFY(m->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
                 QColor(128, 0, 0));
        QCOMPARE(form.Index(0, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
        QCOMPARE(form.Index(0, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QCOMPARE(form.Index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
                 int(Qt::AlignRight));
        QCOMPARE(form.Index(0, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
                 int(Qt::AlignLeft));
        QVERIFY(form.grid->isColumnHidden(3));
        QCOMPARE(form.grid->VisibleColumns(), (QList<int>{0, 1, 2, 4}));
        QVERIFY(form.Index(0, 1).flags() & Qt::ItemIsEditable);
        QVERIFY(!(form.Index(0, 4).flags() & Qt::ItemIsEditable)); // calculated
        form.grid->SetColumnVisible(3, true);
        QVERIFY(!form.grid->isColumnHidden(3));
        QCOMPARE(form.Index(1, 3).data().toString(), QString());
        // Titles report clicks and carry the arrow; every order is ascending.
        QSignalSpy clicks(form.grid, &TDBGrid::titleClick);
        QHeaderView* header = form.grid->horizontalHeader();
        auto clickTitle = [&](int column) {
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                       header->height() / 2));
        };
        QCOMPARE(header->sortIndicatorSection(), -1);
        clickTitle(2);
        clickTitle(2);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(clicks[1][0].toInt(), 2);
        QCOMPARE(header->sortIndicatorSection(), 2);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        form.grid->AutoSortArrow = false;
        clickTitle(0);
        QCOMPARE(clicks.count(), 3);
        QCOMPARE(header->sortIndicatorSection(), 2);
        form.grid->SetSortColumn(0);
        QCOMPARE(header->sortIndicatorSection(), 0);
    }

    // Titles clicked one after another (columns: record with the primary index, last name
    // with PLN, member with none); the table's index, its order and the arrow then.
    void titleClickSetsTheColumnsIndex_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<int>("arrow");
        QTest::newRow("last name") << QList<int>{1} << "PLN" << QList<int>{2, 5, 4, 1, 3} << 1;
        QTest::newRow("back to record order")
            << QList<int>{1, 0} << "" << QList<int>{1, 2, 3, 4, 5} << 0;
        QTest::newRow("a column without an index keeps the order")
            << QList<int>{1, 2} << "PLN" << QList<int>{2, 5, 4, 1, 3} << 2;
    }
    void titleClickSetsTheColumnsIndex() {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, index);
        QFETCH(QList<int>, order);
        QFETCH(int, arrow);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.people->Locate("RecordNumber", {4});
        auto sortedGrid = [&](GridForm& form) {
            form.grid->AddColumn("RecordNumber").SortIndex = "";
            form.grid->AddColumn("LName").SortIndex = "PLN";
            form.grid->AddColumn("IsMember");
            form.grid->SetDataSource(t.peopleS.get());
        };
        GridForm form(nullptr);
        sortedGrid(form);
        QVERIFY(ShowActive(form.window));
        QCOMPARE(form.grid->SortColumn(), -1); // the table is in its primary order
        QHeaderView* header = form.grid->horizontalHeader();
        for (int column : clicks)
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                       header->height() / 2));
        QCOMPARE(t.people->IndexName(), index);
        QList<int> rows;
        for (int row = 0; row < form.grid->model()->rowCount(); ++row)
            rows << form.Index(row, 0).data().toInt();
        QCOMPARE(rows, order);
        QCOMPARE(t.Number(), 4); // the cursor stays on its row
        QCOMPARE(form.grid->SortColumn(), arrow);
        // A grid opened later shows the arrow of the order the table is in.
        GridForm later(nullptr);
        sortedGrid(later);
        QCOMPARE(later.grid->SortColumn(), index.isEmpty() ? -1 : 1);
        QCOMPARE(Dialogs::ShownLog().size(), 0);
    }

    void lookupColumnWritesAndMovesTheOtherTable() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.AddGroup(1, "Choir");
        t.AddGroup(2, "Ushers");
        t.AddGroup(3, "Council");
        t.groups->First();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("LName");
        TDBGridColumn& group = form.grid->AddColumn("GroupName", "Group");
        group.LookupSource = t.groupS.get();
        group.LookupField = "GroupName";
        QVERIFY(ShowActive(form.window));
        QSignalSpy picked(form.grid, &TDBGrid::lookupPicked);
        QSignalSpy opened(form.grid, &TDBGrid::editorOpened);
        form.Click(1, 1);
        form.grid->edit(form.Index(1, 1));
        auto* combo = qobject_cast<QComboBox*>(form.grid->indexWidget(form.Index(1, 1)));
        QVERIFY(combo);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(2), QString("Council"));
        Q_EMIT combo->activated(2);
        QCOMPARE(t.people->State(), DataSetState::Edit);
        QCOMPARE(t.people->FieldByName("GroupName")->AsString(), QString("Council"));
        QCOMPARE(t.groups->FieldByName("GroupNumber")->AsInteger(), 3);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked[0][0].toInt(), 1);
        QCOMPARE(picked[0][1].toString(), QString("Council"));
    }

    void dateColumnReadsTypedDates() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("LName");
        form.grid->AddColumn("Joined");
        form.grid->AddColumn("Meets");
        QVERIFY(ShowActive(form.window));
        QSignalSpy closed(form.grid, &TDBGrid::editorClosed);
        form.Click(0, 1);
        form.grid->edit(form.Index(0, 1));
        auto* date = qobject_cast<TDateEdit*>(form.grid->indexWidget(form.Index(0, 1)));
        QVERIFY(date);
        // The calendar opens as a dialog; the date picked is written at once.
        Dialogs::QueueModal([](QDialog* dialog) {
            auto* calendar = dialog->findChild<QCalendarWidget*>();
            if (!calendar || calendar->firstDayOfWeek() != Qt::Sunday)
                return int(QDialog::Rejected);
            calendar->setSelectedDate(QDate(2024, 6, 2));
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(date->CalendarButton(), Qt::LeftButton);
        QCOMPARE(date->text(), QString("6/2/2024"));
        QCOMPARE(t.people->FieldByName("Joined")->AsDate(), QDate(2024, 6, 2));
        QCOMPARE(t.people->State(), DataSetState::Edit);
        QCOMPARE(form.grid->indexWidget(form.Index(0, 1)), date);
        date->setText("2/29/2024");
        GridForm::Press(Qt::Key_Tab);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed[0][0].toInt(), 1);
        QCOMPARE(t.people->FieldByName("Joined")->AsDate(), QDate(2024, 2, 29));
        QCOMPARE(form.Index(0, 1).data().toString(), QString("2/29/2024"));
        // The time column reads times by the field's rules.
        GridForm::Type("10:00pm");
        GridForm::Press(Qt::Key_Return); // written once the editor has seen the key
        QTRY_COMPARE(t.people->FieldByName("Meets")->AsTime(), QTime(22, 0));
        QCOMPARE(form.Index(0, 2).data().toString(), QString("10:00 PM"));
        // A text that is no date is refused with the date box's message.
        form.grid->edit(form.Index(0, 1));
        date = qobject_cast<TDateEdit*>(form.grid->indexWidget(form.Index(0, 1)));
        QVERIFY(date);
        date->setText("2/30/2024");
        GridForm::Press(Qt::Key_Return);
        QTRY_COMPARE(LastError(), QString("'2/30/2024' is not a valid date"));
        QCOMPARE(t.people->FieldByName("Joined")->AsDate(), QDate(2024, 2, 29));
    }

    void exportSourceGivesVisibleColumnsAndRows() {
        Tables t;
        t.AddFive();
        t.people->SetFilter("IsMember = true");
        t.people->SetFiltered(true);
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("RecordNumber", "Record");
        form.grid->AddColumn("FName").Visible = false;
        form.grid->AddColumn("LName", "Last Name");
        form.grid->AddColumn("IsMember", "Mbr.");
        form.grid->RefreshColumns();
        TDBGridExportSource source(form.grid);
        QCOMPARE(source.Titles(), (QStringList{"Record", "Last Name", "Mbr."}));
        QCOMPARE(source.RowCount(), 3);
        QCOMPARE(source.Row(0), (QStringList{"1", "Smith", "True"}));
        QCOMPARE(source.Row(2), (QStringList{"4", "McDonald", "True"}));
    }

    // A change of the current row (a field, the state, a move) touches that row's title only:
    // a title change over every row made the view visit every section, milliseconds each
    // time on a table of millions of rows. The indicator still follows.
    void aChangeOfTheRowTouchesOnlyItsOwnTitle() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("RecordNumber", "Record");
        form.grid->AddColumn("FName");
        QVERIFY(ShowActive(form.window));
        QSignalSpy titles(form.grid->model(), &QAbstractItemModel::headerDataChanged);
        t.people->SetRecNo(2);
        t.people->Edit();
        t.people->FieldByName("FName")->SetAsString("Maria");
        form.grid->verticalHeader()->viewport()->repaint();
        QVERIFY(IndicatorInk(form.grid, 1) > 0); // "I" on the row being edited
        t.people->Post();
        t.people->Next();
        form.grid->verticalHeader()->viewport()->repaint();
        QCOMPARE(IndicatorInk(form.grid, 1), 0);
        QVERIFY(IndicatorInk(form.grid, 2) > 0);
        QVERIFY(!titles.isEmpty());
        for (const QList<QVariant>& change : titles) {
            QCOMPARE(change.at(0).value<Qt::Orientation>(), Qt::Vertical);
            QCOMPARE(change.at(1).toInt(), change.at(2).toInt());
        }
    }

    // A column written while it is typed: the field (and what is calculated from it) follows
    // each keystroke that reads as a value; Escape puts back what the cell held.
    void columnWrittenWhileTyped() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.people->OnCalcFields = [](DataSet& d) {
            d.FieldByName("Reads")->SetAsInteger(int(d.FieldByName("Pledge")->AsFloat() * 2));
        };
        t.people->Refresh();
        GridForm form(t.peopleS.get());
        form.grid->AddColumn("LName");
        form.grid->AddColumn("Pledge").WriteWhileTyping = true;
        form.grid->AddColumn("Reads", "Twice");
        QVERIFY(ShowActive(form.window));
        form.Click(0, 1);
        form.grid->setFocus();
        GridForm::Type("1");
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QCOMPARE(t.people->State(), DataSetState::Edit);
        GridForm::Type("2");
        QCOMPARE(t.people->FieldByName("Pledge")->AsString(), QString("12"));
        QCOMPARE(form.Index(0, 2).data().toString(), QString("24"));
        // Not a number yet: the field keeps the last value that read.
        GridForm::Type("x");
        QCOMPARE(t.people->FieldByName("Pledge")->AsString(), QString("12"));
        QVERIFY(Dialogs::ShownLog().isEmpty());
        // Escape: the cell's value before the typing, the row still being edited.
        GridForm::Press(Qt::Key_Escape);
        QVERIFY(t.people->FieldByName("Pledge")->IsNull());
        QCOMPARE(form.Index(0, 2).data().toString(), QString("0"));
        QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        // Typed again and left: posted as any cell.
        GridForm::Type("7.5");
        GridForm::Press(Qt::Key_Down);
        QCOMPARE(t.people->State(), DataSetState::Browse);
        t.people->First();
        QCOMPARE(t.people->FieldByName("Pledge")->AsString(), QString("7.5"));
        QCOMPARE(t.people->FieldByName("Reads")->AsInteger(), 15);
        QVERIFY(Dialogs::ShownLog().isEmpty());
    }

    // A table of a million rows: only the rows on screen are read.
    void millionRowsReadOnlyTheRowsOnScreen() {
        Tables t;
        auto big = t.Make(PeopleDef("tkBigT.db"), "BigT");
        const int count = 1000000;
        {
            // Through the engine's own connection, which provides the indexes' order.
            SqliteConnection conn(big->FilePath(), false, "tkBigT.db");
            conn.Exec(
                "INSERT INTO \"tkBigT\"(\"RecordNumber\",\"FName\",\"LName\",\"IsMember\") "
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM n WHERE x<1000000) "
                "SELECT x, 'F' || x, 'L' || (x % 977), x % 2 FROM n");
        }
        int reads = 0;
        big->OnCalcFields = [&reads](DataSet&) { ++reads; };
        QElapsedTimer timer;
        timer.start();
        big->Open();
        const qint64 openMs = timer.restart();
        QCOMPARE(big->RecordCount(), count);
        DataSource source(big.get());
        GridForm form(&source);
        form.grid->AddColumn("RecordNumber", "Record");
        form.grid->AddColumn("FName");
        form.grid->AddColumn("LName");
        form.grid->AddColumn("IsMember");
        QVERIFY(ShowActive(form.window));
        form.grid->viewport()->repaint();
        const qint64 showMs = timer.restart();
        const int visibleRows =
            form.grid->viewport()->height() / form.grid->verticalHeader()->defaultSectionSize() + 2;
        QVERIFY2(reads <= visibleRows + 2, qPrintable(QString("%1 rows read").arg(reads)));
        reads = 0;
        big->Last();
        form.grid->viewport()->repaint();
        const qint64 lastMs = timer.restart();
        QCOMPARE(form.grid->currentIndex().row(), count - 1);
        QCOMPARE(form.Index(count - 1, 0).data().toString(), QString::number(count));
        QVERIFY2(reads <= visibleRows + 2, qPrintable(QString("%1 rows read").arg(reads)));
        // Page through the middle of the table with the keys.
        reads = 0;
        form.grid->setFocus();
        big->SetRecNo(count / 2);
        for (int i = 0; i < 20; ++i)
            GridForm::Press(Qt::Key_PageDown);
        form.grid->viewport()->repaint();
        const qint64 pageMs = timer.restart();
        QVERIFY(big->RecNo() > count / 2 + 20);
        QVERIFY2(reads <= 25 * (visibleRows + 2), qPrintable(QString("%1 rows read").arg(reads)));
        qInfo("1,000,000 rows: open %lld ms, grid shown %lld ms, Last %lld ms, "
              "20 page-downs %lld ms, %d rows read by the page-downs",
              openMs, showMs, lastMs, pageMs, reads);
        QVERIFY2(showMs < 3000 && lastMs < 3000 && pageMs < 5000, "the grid is too slow");
    }
};

VTX_REGISTER_TEST(TestDBGrid)
#include "tst_dbgrid.moc"
