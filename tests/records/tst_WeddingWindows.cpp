// The wedding planning windows: their mode fixed by the marriage window that opens them,
// the Display filters, the close check, the used-number message, and the lists following
// the marriage row (families, party, logistics) or the active record (counseling).

#include "RecordsFixture.h"
#include "records/vtxCounselingScheduleF.h"
#include "records/vtxLogisticsF.h"
#include "records/vtxMarriageViewF.h"
#include "records/vtxWedFamilyF.h"
#include "records/vtxWedPartyF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"

#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace {

const QList<RecordsPerson> People = {
    {1, "Lund", "Erik", "Carl"},
    {2, "Berg", "Anna"},
};

const QList<StoredRow> Weddings = {
    Marriage(1, "Erik", "Lund", "Anna", "Berg", QDate(2015, 6, 20)),
    Marriage(1, "Nils", "Lund", "Ida", "Holm", QDate(2019, 8, 3)),
    Marriage(2, "Per", "Holm", "Anna", "Berg"),
    Family(1, 1, "Lund family", true),
    Family(1, 2, "Berg family", false),
    Family(2, 1, "Holm family", true),
    Party(1, 1, "Tom", true, "Best man"),
    Party(1, 2, "Sue", false, "Maid of honor"),
    Party(1, 3, "Kim", QVariant(), "Ring bearer"),
    Logistics(1, 1, "Flowers", true),
    Logistics(2, 1, "Organist"),
    Appointment(1, "First talk", QDate(2015, 3, 1)),
    Appointment(2, "Second talk", QDate(2015, 4, 1)),
};

using Maker = std::function<TWeddingListForm*(TWeddingMode, QWidget*)>;

Maker MakerOf(const QString& window) {
    if (window == "families")
        return [](TWeddingMode m, QWidget* o) { return new TWedFamilyForm(m, o); };
    if (window == "party")
        return [](TWeddingMode m, QWidget* o) { return new TWedPartyForm(m, o); };
    if (window == "logistics")
        return [](TWeddingMode m, QWidget* o) { return new TLogisticsForm(m, o); };
    return [](TWeddingMode m, QWidget* o) { return new TCounselingScheduleForm(m, o); };
}

// Types into the grid's current cell as the user does: the first key opens the cell's
// editor, the others go to it; Tab writes the cell and moves on.
void TypeIntoCell(TDBGrid* grid, const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : grid,
                        c.toLatin1());
}

QStringList Names(TWeddingListForm* list, const QString& field = "Name") {
    QStringList names;
    const int column = list->Grid->ColumnOfField(field);
    for (int row = 0; row < list->Grid->model()->rowCount(); ++row)
        names << list->Grid->model()->index(row, column).data().toString();
    return names;
}

} // namespace

class TestWeddingWindows : public QObject {
    Q_OBJECT
    RecordsFixture fx;
    std::unique_ptr<QWidget> owner;

    TWeddingListForm* Open(const QString& window, TWeddingMode mode) {
        TWeddingListForm* list = MakerOf(window)(mode, owner.get());
        ShowActive(list);
        return list;
    }

private slots:
    void init() {
        fx.Open(People, Weddings);
        owner = std::make_unique<QWidget>();
    }
    void cleanup() {
        owner.reset();
        fx.Close();
    }

    // Read only from the view window, editable from the entry window.
    void modeAtCreation_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("positionCaption");
        const QList<std::tuple<QString, QString, QStringList, QString>> windows = {
            {"families",
             "Wedding Families",
             {"Number", "Name", "Relationship", "Phone 1", "Phone 2", "G F"},
             "Records: "},
            {"party",
             "Wedding Party",
             {"Number", "Role in the Ceremony", "Name", "Phone 1", "Phone 2", "G P"},
             "Record: "},
            {"logistics", "Wedding Logistics", {"Number", "Description", "Done"}, "Records: "},
            {"counseling",
             "Counseling Schedule ",
             {"Appointment Subject", "Date", "Time"},
             "Records:  "}};
        for (const auto& [window, caption, titles, position] : windows)
            for (TWeddingMode mode : {TWeddingMode::View, TWeddingMode::Edit})
                QTest::newRow(
                    qPrintable(window + (mode == TWeddingMode::View ? ", view" : ", edit")))
                    << window << int(mode) << caption << titles << position;
    }
    void modeAtCreation() {
        QFETCH(QString, window);
        QFETCH(int, mode);
        QFETCH(QString, caption);
        QFETCH(QStringList, titles);
        QFETCH(QString, positionCaption);
        const bool edit = TWeddingMode(mode) == TWeddingMode::Edit;
        TWeddingListForm* list = Open(window, TWeddingMode(mode));
        QCOMPARE(list->windowTitle(), caption);
        QCOMPARE(VisibleTitles(list->Grid), titles);
        QVERIFY(!list->Grid->Column(0).Visible); // the record number
        const TDBGrid::Options options = list->Grid->GetOptions();
        QCOMPARE(bool(options & TDBGrid::Editing), edit);
        QCOMPARE(bool(options & TDBGrid::Tabs), edit);
        QCOMPARE(bool(options & TDBGrid::ColumnResize), edit);
        QCOMPARE(bool(options & TDBGrid::ConfirmDelete), edit);
        QVERIFY(options & TDBGrid::Titles && options & TDBGrid::Indicator);
        QCOMPARE(list->Navigator->VisibleButtons(),
                 edit ? TDBNavigator::AllButtons()
                      : QList<TNavButton>({TNavButton::First, TNavButton::Prior, TNavButton::Next,
                                           TNavButton::Last}));
        bool captionFound = false;
        for (QLabel* label : list->findChildren<QLabel*>())
            captionFound = captionFound || label->text() == positionCaption;
        QVERIFY2(captionFound, qPrintable(positionCaption));
        QCOMPARE(list->ActiveRecordName->text(), QString("Lund, Erik Carl"));
        // A read-only list cannot be typed into; an editable one takes what is typed.
        const QModelIndex cell = list->Grid->model()->index(0, 1);
        const QString before = cell.data().toString();
        list->Grid->setFocus();
        list->Grid->setCurrentIndex(cell);
        TypeIntoCell(list->Grid, "7");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents(); // the cell is written once the key is handled
        QCOMPARE(list->Grid->model()->index(0, 1).data().toString(), edit ? QString("7") : before);
        list->Grid->CancelRow();
    }

    // A party line whose "G P" was never set is listed under "All" only.
    void displayFilters_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("item");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("party, all") << "party" << 0 << QStringList({"Tom", "Sue", "Kim"});
        QTest::newRow("party, bride's") << "party" << 1 << QStringList({"Sue"});
        QTest::newRow("party, groom's") << "party" << 2 << QStringList({"Tom"});
        QTest::newRow("families, all")
            << "families" << 0 << QStringList({"Lund family", "Berg family"});
        QTest::newRow("families, bride's") << "families" << 1 << QStringList({"Berg family"});
        QTest::newRow("families, groom's") << "families" << 2 << QStringList({"Lund family"});
    }
    void displayFilters() {
        QFETCH(QString, window);
        QFETCH(int, item);
        QFETCH(QStringList, names);
        TWeddingListForm* list = Open(window, TWeddingMode::View);
        QCOMPARE(list->DisplayItems.size(), 3);
        QCOMPARE(list->DisplayItems[0]->isChecked(), window == "families");
        Click(list->DisplayItems[item]);
        QVERIFY(list->DisplayItems[item]->isChecked());
        QCOMPARE(Names(list), names);
        list->close();
        QVERIFY(!dynamic_cast<Table*>(list->Grid->GetDataSet())->Filtered());
    }

    // Two party windows on the one table show the filter in force; closing one switches
    // it off for both.
    void displayFollowsTheSharedFilter() {
        TWeddingListForm* first = Open("party", TWeddingMode::View);
        TWeddingListForm* second = Open("party", TWeddingMode::Edit);
        Click(second->DisplayItems[2]);
        QVERIFY(first->DisplayItems[2]->isChecked());
        QCOMPARE(Names(first), QStringList({"Tom"}));
        second->close();
        QVERIFY(!DataMod->WedPartyT->Filtered());
        QVERIFY(first->DisplayItems[0]->isChecked());
        QCOMPARE(Names(first), QStringList({"Tom", "Sue", "Kim"}));
    }

    // The editable list refuses to close while a line is pending; the read-only one has
    // nothing to post.
    void closeCheckInEditMode() {
        TWeddingListForm* view = Open("logistics", TWeddingMode::View);
        TWeddingListForm* edit = Open("logistics", TWeddingMode::Edit);
        Click(edit->Navigator->Button(TNavButton::Insert));
        QCOMPARE(edit->StateLabel->text(), QString("WedLogisticsT: Insert"));
        QVERIFY(!edit->close());
        QCOMPARE(fx.Shown(), QStringList{"Please Post or Cancel the changes."});
        Dialogs::ClearScript();
        QVERIFY(view->close());
        QVERIFY(fx.Shown().isEmpty());
        Click(edit->Navigator->Button(TNavButton::Cancel));
        QVERIFY(edit->close());
    }

    // A second family line with a number used in the same wedding, typed into the grid, is
    // refused with the message naming the "Family Table."; the line stays as typed.
    void usedFamilyNumberIsRefused() {
        TWeddingListForm* list = Open("families", TWeddingMode::Edit);
        Click(list->Navigator->Button(TNavButton::Insert));
        TDBGrid* grid = list->Grid;
        grid->setFocus();
        grid->setCurrentIndex(
            grid->model()->index(grid->CursorRow(), grid->ColumnOfField("Number")));
        TypeIntoCell(grid, "2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        TypeIntoCell(grid, "Aunt Ida");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(DataMod->WedFamilyT->FieldByName("Name")->AsString(), QString("Aunt Ida"));
        const QModelIndex side =
            grid->model()->index(grid->CursorRow(), grid->ColumnOfField("GroomFamily"));
        grid->scrollTo(side);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(side).center());
        QCOMPARE(DataMod->WedFamilyT->FieldByName("GroomFamily")->AsBoolean(), true);
        Click(list->Navigator->Button(TNavButton::Post));
        QCOMPARE(fx.Shown(), QStringList{"An error occurred attempting to post to the Family "
                                         "Table..\n\nBe sure that the number for the record is "
                                         "not already in use.\n\nAlso be sure you are not trying "
                                         "to schedule someone\nfor the same lay ministry or "
                                         "activity more than once."});
        QCOMPARE(DataMod->WedFamilyT->State(), DataSetState::Insert);
        QCOMPARE(DataMod->WedFamilyT->FieldByName("Number")->AsInteger(), 2);
        QCOMPARE(DataMod->WedFamilyT->FieldByName("Name")->AsString(), QString("Aunt Ida"));
    }

    // From the Marriage Records view: both marriages of one member show one family list;
    // with "All Marriages" the lists follow the marriage row selected while the name
    // still names the active record; the counseling schedule stays the active record's.
    void listsFollowTheMarriageRowOfTheView() {
        QVERIFY(fx.Activate(1));
        auto* view = new TMarriageViewForm;
        ShowActive(view);
        Click(view->FamiliesButton);
        Click(view->LogisticsButton);
        auto* families = view->findChild<TWedFamilyForm*>();
        auto* logistics = view->findChild<TLogisticsForm*>();
        QVERIFY(families && logistics);
        QCOMPARE(view->Grid->model()->rowCount(), 2);
        for (int row = 0; row < 2; ++row) {
            ClickRow(view->Grid, row);
            QCOMPARE(Names(families), QStringList({"Lund family", "Berg family"}));
            QCOMPARE(Names(logistics, "Description"), QStringList({"Flowers"}));
        }
        Click(view->GridView->AllRadio);
        ClickRow(view->Grid, 2); // the marriage of member 2
        QCOMPARE(DataMod->MarriageT->FieldByName("GroomFName")->AsString(), QString("Per"));
        QCOMPARE(Names(families), QStringList({"Holm family"}));
        QCOMPARE(Names(logistics, "Description"), QStringList({"Organist"}));
        QCOMPARE(families->ActiveRecordName->text(), QString("Lund, Erik Carl"));
        QCOMPARE(ActiveRecordNumber, 1);
        QStringList subjects;
        Dialogs::QueueModal([&](QDialog* dialog) {
            if (auto* schedule = qobject_cast<TCounselingScheduleForm*>(dialog))
                subjects = Names(schedule, "AppointmentSubject");
            return int(QDialog::Rejected);
        });
        Click(view->CounselingButton);
        QCOMPARE(subjects, QStringList({"First talk"}));
    }
};

VTX_REGISTER_TEST(TestWeddingWindows)
#include "tst_WeddingWindows.moc"
