// The View Roster window: its grid and active record, the last-name search, sorting by
// column title, the Grid View filter, the windows it opens and the export.

#include "RosterWindowsFixture.h"
#include "app/vtxMenuTable.h"
#include "roster/vtxMemoF.h"
#include "roster/vtxRosterDatesViewF.h"
#include "roster/vtxRosterViewF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxSearchBox.h"

#include <QFile>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

namespace {

// In last-name order (LName; Suffix, ignoring case): 4, 5, 2, 1, 3. In state-then-postal
// order: 2, 5, 4, 1, 3 (postal code alone would give 2, 5, 3, 4, 1). In first-name
// order: 4, 2, 3, 5, 1.
const QList<RosterPerson> People = {
    {1, "Smithers", "Eve", true, "", "MN", "55057"},
    {2, "Smith", "Bob", false, "Sr.", "IA", "50001"},
    {3, "snow", "carl", true, "", "WI", "53001"},
    {4, "ADAMS", "Ann", false, "", "MN", "55001"},
    {5, "Smith", "Dora", true, "Jr.", "IA", "52000"},
};

int ColumnTitled(TDBGrid* grid, const QString& title) {
    for (int c = 0; c < grid->ColumnCount(); ++c)
        if (grid->GridModel()->ColumnTitle(c) == title)
            return c;
    return -1;
}

// Clicks a column title as the user does.
void ClickTitle(TDBGrid* grid, const QString& title) {
    const int column = ColumnTitled(grid, title);
    QVERIFY2(column >= 0, qPrintable(title));
    grid->scrollTo(grid->model()->index(0, column));
    QHeaderView* header = grid->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Clicks a row of the grid.
void ClickRow(TDBGrid* grid, int row) {
    const QModelIndex cell = grid->model()->index(row, 2);
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
}

QString OdfContent(const QString& file) {
    QProcess unzip;
    unzip.start("unzip", {"-p", file, "content.xml"});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

} // namespace

class TestRosterView : public QObject {
    Q_OBJECT

    RosterWindowsFixture fx;

    TRosterViewForm* OpenView() {
        auto* view = new TRosterViewForm;
        ShowActive(view);
        return view;
    }

private slots:
    void init() { fx.Open(People); }
    void cleanup() { fx.Close(); }

    void opensOnTheRosterWithoutMovingIt() {
        fx.GoTo(3);
        TRosterViewForm* view = OpenView();
        TDBGrid* grid = view->RosterGrid;
        QStringList titles;
        for (int c = 0; c < grid->ColumnCount(); ++c)
            titles << grid->GridModel()->ColumnTitle(c);
        QCOMPARE(titles, QStringList({"Record", "Title", "First Name", "Middle Name", "Last Name",
                                      "Suffix", " Address 1", "Address 2", "City", "State",
                                      "Postal", "Phone", "Cell Phone", "Work Phone", "Mbr."}));
        QCOMPARE(grid->model()->rowCount(), 5);
        QCOMPARE(grid->model()->index(0, 0).data().toString(), QString("1"));
        QCOMPARE(fx.CurrentNumber(), 3);
        QCOMPARE(grid->CursorRow(), 2);
        QCOMPARE(view->ActiveRecordName->text(), QString("snow, carl "));
        QCOMPARE(view->RecordPosition->text(), QString("3:5"));
        QCOMPARE(grid->model()
                     ->headerData(0, Qt::Horizontal, Qt::ForegroundRole)
                     .value<QBrush>()
                     .color(),
                 QColor(0x80, 0, 0));
        QCOMPARE(grid->model()
                     ->index(0, ColumnTitled(grid, "Last Name"))
                     .data(Qt::ForegroundRole)
                     .value<QBrush>()
                     .color(),
                 QColor(Qt::blue));
        QCOMPARE(grid->model()
                     ->index(0, ColumnTitled(grid, "City"))
                     .data(Qt::ForegroundRole)
                     .value<QBrush>()
                     .color(),
                 QColor(Qt::black));
    }

    void theMainMenuOpensTheRosterWindows() {
        QVERIFY(IsWindowRegistered("TRosterEditForm"));
        const TMenuRow* row = FindMenuRow("Roster1");
        QVERIFY(row);
        QCOMPARE(RunMenuRow(*row, nullptr), TMenuOutcome::WindowShown);
        auto* view = qobject_cast<TRosterViewForm*>(LatestWindow("TRosterViewForm"));
        QVERIFY(view && view->isVisible());
        QCOMPARE(view->windowTitle(), QString("View Roster"));
    }

    void clickingARowMakesItTheActiveRecord() {
        TRosterViewForm* view = OpenView();
        ClickRow(view->RosterGrid, 3);
        QCOMPARE(fx.CurrentNumber(), 4);
        QCOMPARE(ActiveRecordNumber, 4);
        QCOMPARE(view->ActiveRecordName->text(), QString("ADAMS, Ann "));
        QTest::keyClick(view->RosterGrid, Qt::Key_Up);
        QCOMPARE(fx.CurrentNumber(), 3);
        QCOMPARE(view->ActiveRecordName->text(), QString("snow, carl "));
    }

    // Keys typed into the focused search box, '<' for Backspace; where the roster cursor
    // ends, what the box shows and which part of it is selected.
    void searchFindsByLastNameAsTheUserTypes_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::newRow("first in name then suffix order") << "s" << 5 << "Smith"
                                                         << "mith";
        QTest::newRow("narrowing") << "smithe" << 1 << "Smithers"
                                   << "rs";
        QTest::newRow("stored in lower case") << "SN" << 3 << "snow"
                                              << "ow";
        QTest::newRow("typed in lower case") << "ada" << 4 << "ADAMS"
                                             << "MS";
        QTest::newRow("no such name") << "x" << 1 << "x"
                                      << "";
        QTest::newRow("no match after a match") << "smx" << 5 << "Smx"
                                                << "";
        QTest::newRow("backspace takes the completion too") << "smi<" << 5 << "Smith"
                                                            << "ith";
        QTest::newRow("backspace back to a wider match") << "smithe<<" << 5 << "Smith"
                                                         << "h";
    }
    void searchFindsByLastNameAsTheUserTypes() {
        QFETCH(QString, keys);
        QFETCH(int, number);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        TRosterViewForm* view = OpenView();
        TDBSearchBox* box = view->SearchBox;
        view->RosterGrid->setFocus(Qt::MouseFocusReason);
        QCOMPARE(box->text(), QString("Smithers"));
        QCOMPARE(box->selectedText(), QString("Smithers"));
        box->setFocus(Qt::MouseFocusReason);
        QVERIFY(box->hasFocus());
        QCOMPARE(box->text(), QString()); // emptied when it receives the focus
        for (QChar key : keys) {
            if (key == '<')
                QTest::keyClick(box, Qt::Key_Backspace);
            else
                QTest::keyClicks(box, QString(key));
        }
        QCOMPARE(fx.CurrentNumber(), number);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->selectedText(), selected);
        QCOMPARE(view->ActiveRecordName->text().section(',', 0, 0), People[number - 1].last);
        QCOMPARE(fx.RosterNumbers(), QList<int>({1, 2, 3, 4, 5})); // the order is untouched
        // Leaving the box shows the current record's last name.
        view->CloseButton->setFocus(Qt::TabFocusReason);
        QCOMPARE(box->text(), People[number - 1].last);
    }

    // The title clicked (after another one, when given) and the order of the roster then.
    void titleClickSortsTheSharedRoster_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("Last Name") << ""
                                   << "Last Name"
                                   << "RLN" << QList<int>{4, 5, 2, 1, 3};
        QTest::newRow("Suffix") << ""
                                << "Suffix"
                                << "RLN" << QList<int>{4, 5, 2, 1, 3};
        QTest::newRow("Postal: state, then postal code") << ""
                                                         << "Postal"
                                                         << "RSt" << QList<int>{2, 5, 4, 1, 3};
        QTest::newRow("State") << ""
                               << "State"
                               << "RSt" << QList<int>{2, 5, 4, 1, 3};
        QTest::newRow("First Name") << ""
                                    << "First Name"
                                    << "RFN" << QList<int>{4, 2, 3, 5, 1};
        QTest::newRow("Record after Last Name") << "Last Name"
                                                << "Record"
                                                << "" << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("Mbr. keeps the order") << "Last Name"
                                              << "Mbr."
                                              << "RLN" << QList<int>{4, 5, 2, 1, 3};
        QTest::newRow("same title twice") << "Postal"
                                          << "Postal"
                                          << "RSt" << QList<int>{2, 5, 4, 1, 3};
    }
    void titleClickSortsTheSharedRoster() {
        QFETCH(QString, before);
        QFETCH(QString, title);
        QFETCH(QString, index);
        QFETCH(QList<int>, order);
        TRosterViewForm* view = OpenView();
        fx.GoTo(3);
        if (!before.isEmpty())
            ClickTitle(view->RosterGrid, before);
        ClickTitle(view->RosterGrid, title);
        QCOMPARE(fx.Roster()->IndexName(), index);
        QCOMPARE(fx.RosterNumbers(), order);
        QCOMPARE(fx.CurrentNumber(), 3); // the cursor stays on its record
        QCOMPARE(view->RosterGrid->SortColumn(), ColumnTitled(view->RosterGrid, title));
        QCOMPARE(view->RosterGrid->model()->index(0, 0).data().toInt(), order.first());
    }

    void sortOrderOutlivesTheWindow() {
        TRosterViewForm* first = OpenView();
        ClickTitle(first->RosterGrid, "Postal");
        QVERIFY(first->close());
        FlushDeletes();
        TRosterViewForm* second = OpenView();
        QCOMPARE(fx.RosterNumbers(), QList<int>({2, 5, 4, 1, 3}));
        QCOMPARE(second->RosterGrid->model()->index(0, 0).data().toInt(), 2);
        // The arrow marks the order the window found.
        QCOMPARE(second->RosterGrid->SortColumn(), ColumnTitled(second->RosterGrid, "State"));
    }

    void gridViewFiltersTheRoster_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<bool>("positionShown");
        QTest::newRow("Members Only")
            << int(TRosterViewForm::MembersOnly) << QList<int>{1, 3, 5} << false;
        QTest::newRow("Non-members Only")
            << int(TRosterViewForm::NonMembersOnly) << QList<int>{2, 4} << false;
        QTest::newRow("All Names on Roster")
            << int(TRosterViewForm::AllNames) << QList<int>{1, 2, 3, 4, 5} << true;
    }
    void gridViewFiltersTheRoster() {
        QFETCH(int, item);
        QFETCH(QList<int>, numbers);
        QFETCH(bool, positionShown);
        TRosterViewForm* view = OpenView();
        QVERIFY(view->AllNamesRadio->isChecked());
        QVERIFY(view->RecordPosition->isVisible());
        // From another view first, so that every item is seen to change the filter.
        QTest::mouseClick(item == TRosterViewForm::NonMembersOnly ? view->MembersOnlyRadio
                                                                  : view->NonMembersOnlyRadio,
                          Qt::LeftButton);
        QRadioButton* radio = QList<QRadioButton*>{view->AllNamesRadio, view->MembersOnlyRadio,
                                                   view->NonMembersOnlyRadio}[item];
        QTest::mouseClick(radio, Qt::LeftButton);
        QCOMPARE(fx.RosterNumbers(), numbers);
        QCOMPARE(view->RosterGrid->model()->rowCount(), numbers.size());
        QCOMPARE(view->RecordLabel->isVisible(), positionShown);
        QCOMPARE(view->RecordPosition->isVisible(), positionShown);

        // Closing leaves the roster unfiltered for every other window.
        QVERIFY(view->close());
        QVERIFY(!fx.Roster()->Filtered());
        QCOMPARE(fx.RosterNumbers(), QList<int>({1, 2, 3, 4, 5}));
    }

    void recordButtonsOpenTheirWindowOwnedByTheView_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("className");
        QTest::newRow("births") << "&Births"
                                << "TBirthViewForm";
        QTest::newRow("baptisms") << "B&aptisms"
                                  << "TBaptismViewForm";
        QTest::newRow("marriages") << "&Marriages"
                                   << "TMarriageViewForm";
        QTest::newRow("passing") << "&Passing"
                                 << "TViewPassingForm";
    }
    void recordButtonsOpenTheirWindowOwnedByTheView() {
        QFETCH(QString, caption);
        QFETCH(QString, className);
        TRosterViewForm* view = OpenView();
        QPushButton* button = nullptr;
        for (QPushButton* b : view->findChildren<QPushButton*>())
            if (b->text() == caption)
                button = b;
        QVERIFY(button);
        // Until the record window is part of the program, the button says so.
        const TWindowFactory saved = WindowFactory(className);
        UnregisterWindow(className);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(fx.Shown(), QStringList({"This part of Vestrix is not available yet."}));
        // Once it is, the button opens it, owned by the view and shown.
        QPointer<QWidget> opened;
        RegisterWindow(className, [&](QWidget* owner) {
            auto* window = new QWidget(owner, Qt::Window);
            window->setObjectName(className);
            opened = window;
            return window;
        });
        QTest::mouseClick(button, Qt::LeftButton);
        if (saved)
            RegisterWindow(className, saved);
        else
            UnregisterWindow(className);
        QVERIFY(opened);
        QCOMPARE(opened->parentWidget(), view);
        QVERIFY(opened->isVisible());
        QCOMPARE(fx.Shown().size(), 1);
    }

    void memoAndDatesOpenOwnedByTheView() {
        TRosterViewForm* view = OpenView();
        QTest::mouseClick(view->MemoButton, Qt::LeftButton);
        QTest::mouseClick(view->ImportantDatesButton, Qt::LeftButton);
        QPointer<TMemoForm> memo = view->findChild<TMemoForm*>();
        QPointer<TRosterDatesViewForm> dates = view->findChild<TRosterDatesViewForm*>();
        QVERIFY(memo && memo->isVisible() && memo->isWindow());
        QVERIFY(dates && dates->isVisible() && dates->isWindow());
        QCOMPARE(memo->Mode(), TMemoMode::View);
        QVERIFY(memo->SaveButton->isHidden());
        QVERIFY(memo->ClearButton->isHidden());
        // Each click opens one more window.
        QTest::mouseClick(view->MemoButton, Qt::LeftButton);
        QCOMPARE(view->findChildren<TMemoForm*>().size(), 2);
        // They go with the window that owns them.
        QVERIFY(view->close());
        FlushDeletes();
        QVERIFY(memo.isNull());
        QVERIFY(dates.isNull());
    }

    void emptyRosterShowsNothingButStillOpensWindows() {
        fx.Open({});
        TRosterViewForm* view = OpenView();
        QCOMPARE(view->RosterGrid->model()->rowCount(), 0);
        QCOMPARE(view->ActiveRecordName->text(), QString());
        QCOMPARE(view->RecordPosition->text(), QString("0:0"));
        QTest::mouseClick(view->MemoButton, Qt::LeftButton);
        QTest::mouseClick(view->ImportantDatesButton, Qt::LeftButton);
        QVERIFY(view->findChild<TMemoForm*>());
        auto* dates = view->findChild<TRosterDatesViewForm*>();
        QVERIFY(dates);
        QCOMPARE(dates->BirthdayValue->text(), QString());
        QCOMPARE(fx.Shown(), QStringList());
    }

    void exportWritesTheCurrentView() {
        const QString file = fx.WorkingFolder() + "VTX2-MSW.odt";
        {
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("an older document");
        }
        TRosterViewForm* view = OpenView();
        QTest::mouseClick(view->MembersOnlyRadio, Qt::LeftButton);
        fx.GoTo(3);
        QTest::mouseClick(view->ExportButton, Qt::LeftButton);
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(TRosterViewForm::ExportFileName(), file);
        QCOMPARE(fx.CurrentNumber(), 3);
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(2) == "PK"); // an OpenDocument package replaced the old file
        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("unzip is not installed: the document's content is not checked");
        const QString content = OdfContent(file);
        QVERIFY(content.contains("Date "));
        QCOMPARE(content.count("<table:table-row"), 4); // titles and the three members
        for (const char* text : {"Record", "Last Name", " Address 1", "Mbr.", "Smithers", "snow"})
            QVERIFY2(content.contains(QString::fromUtf8(text)), text);
        QVERIFY(!content.contains("ADAMS")); // a non-member
    }

    void exportFailureIsReported() {
        // A folder of that name cannot be replaced by the document.
        QVERIFY(QDir(fx.WorkingFolder()).mkdir("VTX2-MSW.odt"));
        TRosterViewForm* view = OpenView();
        fx.GoTo(2);
        QVERIFY(!view->ExportButtonClick());
        QCOMPARE(fx.Shown(),
                 QStringList({"There was an error.  File may not have written correctly."}));
        QVERIFY(view->isVisible());
        QCOMPARE(fx.CurrentNumber(), 2);
        QCOMPARE(fx.RosterNumbers(), QList<int>({1, 2, 3, 4, 5}));
    }
};

VTX_REGISTER_TEST(TestRosterView)
#include "tst_RosterView.moc"
