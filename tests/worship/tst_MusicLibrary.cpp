// The Music Library window, the Music Use window and the Music Library report: a use is
// recorded when a piece's Last Used date is changed to a date, and only then; a use already
// recorded is refused and dropped; the use history follows the library both ways; the
// report of the library.

#include "WorshipFixture.h"
#include "app/vtxOptionsU.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowRegistry.h"
#include "worship/vtxMusicLibraryF.h"
#include "worship/vtxMusicLibraryR.h"
#include "worship/vtxMusicUseF.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

namespace {

const QDate Christmas(2023, 12, 24);
const QDate Epiphany4(2024, 2, 4);

// The use dates of the current piece, as MusicUseT presents them.
QList<QDate> Uses() {
    QList<QDate> dates;
    Table* use = DataMod->MusicUseT;
    const int field = use->FieldByName("UsedDate")->Index();
    for (int row = 0; row < use->DisplayRowCount(); ++row)
        dates << use->DisplayValue(row, field).toDate();
    return dates;
}

QString CurrentPiece() {
    return DataMod->MusicLibraryT->FieldByName("MusicName")->AsString();
}

void ClickCell(TDBGrid* grid, int row, const QString& field) {
    const QModelIndex cell = grid->model()->index(row, grid->ColumnOfField(field));
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
}

} // namespace

class TestMusicLibrary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_f.Create();
        m_f.Write("MusicLibraryT", {{{"MusicName", "Ave Maria"},
                                     {"Publisher", "Concordia"},
                                     {"DateAcquired", QDate(2001, 9, 1)},
                                     {"Parts", "SATB"},
                                     {"NumberOfCopies", 32},
                                     {"Accompaniment", "Organ"},
                                     {"LastUsed", Epiphany4},
                                     {"Remark", "Sopranos divide"}},
                                    {{"MusicName", "Gloria"}, {"Publisher", "Augsburg"}},
                                    {{"MusicName", "Silent Night"}, {"Publisher", "Oxford"}}});
        m_f.Write("MusicUseT", {{{"MusicName", "Ave Maria"}, {"UsedDate", Epiphany4}},
                                {{"MusicName", "Gloria"}, {"UsedDate", Christmas}}});
        m_f.Start();
    }
    void cleanup() { m_f.Close(); }

    void lastUsedCell_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed"); // empty: the cell is emptied
        QTest::addColumn<QList<QDate>>("uses");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a new date is recorded")
            << 1 << "3/10/2024" << QList<QDate>{Christmas, QDate(2024, 3, 10)} << QStringList();
        QTest::newRow("the same date again records nothing")
            << 0 << "2/4/2024" << QList<QDate>{Epiphany4} << QStringList();
        QTest::newRow("an emptied date records nothing")
            << 0 << "" << QList<QDate>{Epiphany4} << QStringList();
        QTest::newRow("a date already recorded is refused and dropped")
            << 1 << "12/24/2023" << QList<QDate>{Christmas}
            << QStringList{WorshipFixture::MusicUseMessage()};
    }

    void lastUsedCell() {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QList<QDate>, uses);
        QFETCH(QStringList, messages);
        auto* form = new TMusicLibraryForm;
        QVERIFY(ShowActive(form));
        ClickCell(form->LibraryGrid, row, "LastUsed");
        if (typed.isEmpty()) {
            QTest::keyClick(form->LibraryGrid, Qt::Key_F2);
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(editor);
            editor->selectAll();
            QTest::keyClick(editor, Qt::Key_Backspace);
        } else {
            TypeAtFocus(typed);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

        QCOMPARE(m_f.Messages(), messages);
        QCOMPARE(Uses(), uses);
        QCOMPARE(DataMod->MusicUseT->State(), DataSetState::Browse);
        // The piece is not posted by the use: it waits for the user's Post.
        const QDate expected = typed.isEmpty() ? QDate() : ParseShortDate(typed);
        QCOMPARE(DataMod->MusicLibraryT->FieldByName("LastUsed")->AsDate(), expected);
        if (!messages.isEmpty() || expected != Epiphany4)
            QCOMPARE(DataMod->MusicLibraryT->State(), DataSetState::Edit);
        // What is left closes: no pending use holds the windows.
        QPointer<TMusicUseForm> history = new TMusicUseForm(form);
        history->show();
        DataMod->MusicLibraryT->Cancel();
        history->close();
        form->close();
        FlushDeletes();
        QVERIFY(!history);
    }

    // Tabbing through the Last Used cell without typing records nothing.
    void leavingTheCellRecordsNothing() {
        auto* form = new TMusicLibraryForm;
        QVERIFY(ShowActive(form));
        ClickCell(form->LibraryGrid, 0, "LastUsed");
        QTest::keyClick(form->LibraryGrid, Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ClickCell(form->LibraryGrid, 0, "LastUsed");
        QTest::keyClick(form->LibraryGrid, Qt::Key_Tab);
        QCOMPARE(Uses(), QList<QDate>{Epiphany4});
        QCOMPARE(m_f.Messages(), QStringList());
    }

    // The use window's navigator steps through the library; the library window follows.
    void useHistoryFollowsTheLibrary() {
        auto* form = new TMusicLibraryForm;
        QVERIFY(ShowActive(form));
        QTest::mouseClick(form->UseHistoryButton, Qt::LeftButton);
        auto* history = form->findChild<TMusicUseForm*>();
        QVERIFY(history && history->isVisible());
        QCOMPARE(CurrentPiece(), QString("Ave Maria"));
        QCOMPARE(history->UseGrid->model()->rowCount(), 1);

        QTest::mouseClick(history->LibraryNavigator->Button(TNavButton::Next), Qt::LeftButton);
        QCOMPARE(CurrentPiece(), QString("Gloria"));
        QCOMPARE(form->RecordPosition->text(), QString("2:3"));
        QCOMPARE(form->LibraryGrid->CursorRow(), 1);
        QCOMPARE(Uses(), QList<QDate>{Christmas});
        QCOMPARE(history->UsePosition->text(), QString("1:1"));
        const QModelIndex used = history->UseGrid->model()->index(0, 1);
        QCOMPARE(used.data().toString(), QString("12/24/2023"));
    }

    void renamedPieceLosesItsUses() {
        Table* piece = DataMod->MusicLibraryT;
        piece->Edit();
        piece->FieldByName("MusicName")->SetAsString("Ave Maria (Schubert)");
        piece->Post();
        QCOMPARE(CurrentPiece(), QString("Ave Maria (Schubert)"));
        QCOMPARE(Uses(), QList<QDate>());
        QCOMPARE(DataMod->MusicUseT->StoredRowCount(), 2);
    }

    void closeChecks() {
        QPointer<TMusicLibraryForm> form = new TMusicLibraryForm;
        QVERIFY(ShowActive(form));
        QPointer<TMusicUseForm> history = new TMusicUseForm(form);
        history->show();
        DataMod->MusicUseT->Edit();
        history->close();
        QVERIFY(history->isVisible());
        DataMod->MusicUseT->Cancel();
        DataMod->MusicLibraryT->Edit();
        form->close();
        QVERIFY(form->isVisible());
        QCOMPARE(m_f.Messages(), QStringList(2, "Please Post or Cancel the changes."));
        DataMod->MusicLibraryT->Cancel();
        form->close();
        FlushDeletes();
        QVERIFY(!form);
        QVERIFY(!history);
    }

    void report() {
        OptionsRecord.OrganizationName.SetText("St. Olaf Lutheran Church");
        DataMod->MusicLibraryT->Last();
        TMusicLibraryReport report;
        const ReportDocument document =
            report.Layout(QDateTime(QDate(2024, 3, 8), QTime(9, 15, 30)));
        QCOMPARE(document.caption, QString("Music Library"));
        QCOMPARE(int(document.pages.size()), 1);
        const ReportText* title = document.Named("Title").front();
        QCOMPARE(title->text, QString("St. Olaf Lutheran Church:  Music Library"));
        QCOMPARE(title->font.pointSize, 12.0);
        QVERIFY(title->font.bold);
        QCOMPARE(title->align, ReportAlign::Center);

        // The first piece: its first line left to right, its remark under it.
        QStringList firstLine;
        double top = -1;
        for (const ReportText& t : document.pages.front().texts)
            if (t.row == 0 && t.name != "Remark") {
                firstLine << t.text;
                QVERIFY(top < 0 || qAbs(t.top - top) < 1e-9);
                top = t.top;
                QCOMPARE(t.font.pointSize, t.name == "Accompaniment" ? 9.0 : 8.0);
            }
        QCOMPARE(firstLine, (QStringList{"Ave Maria", "Concordia", "9/1/2001", "SATB", "32",
                                         "Organ", "2/4/2024"}));
        const ReportText* remark = document.Named("Remark").front();
        QCOMPARE(remark->text, QString("Sopranos divide"));
        QVERIFY(remark->top > top);
        QVERIFY(qAbs(remark->left - 2.0) < 1e-9);
        QCOMPARE(int(document.Named("MusicName").size()), 3);
        QCOMPARE(document.Named("Records").front()->text, QString("3"));
        QVERIFY(document.Find("Records:"));
        QVERIFY(document.Find("Page:"));
        QCOMPARE(document.Named("Printed").front()->text, QString("3/8/2024 9:15:30 AM"));
    }

    // From the Reports menu: the preview is shown and the library keeps its current piece.
    void reportFromTheMenuKeepsTheCurrentPiece() {
        DataMod->MusicLibraryT->First();
        DataMod->MusicLibraryT->Next();
        QVERIFY(IsReportRegistered(6));
        QString caption;
        Dialogs::QueueModal([&](QDialog* preview) {
            caption = preview->windowTitle();
            return int(QDialog::Rejected);
        });
        ReportRunner(6)(nullptr);
        QCOMPARE(caption, QString("Music Library"));
        QCOMPARE(CurrentPiece(), QString("Gloria"));
    }

    void reportOfAnEmptyLibrary() {
        DataMod->MusicLibraryT->EmptyTable();
        DataMod->MusicLibraryT->Refresh();
        OptionsRecord.OrganizationName.SetText("St. Olaf Lutheran Church");
        TMusicLibraryReport report;
        const ReportDocument document = report.Layout();
        QCOMPARE(int(document.pages.size()), 1);
        QCOMPARE(document.Named("Title").front()->text,
                 QString("St. Olaf Lutheran Church:  Music Library"));
        QCOMPARE(document.Named("Records").front()->text, QString("0"));
        QVERIFY(document.Named("MusicName").empty());
    }

private:
    WorshipFixture m_f;
};

VTX_REGISTER_TEST(TestMusicLibrary)
#include "tst_MusicLibrary.moc"
