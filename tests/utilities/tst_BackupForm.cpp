// The Data Backup window: where its lists start, what "Backup Files" copies and lists, the
// count, a failed copy, and the menu command that opens it.
#include "UtilitiesFixture.h"
#include "app/vtxMenuTable.h"
#include "toolkit/vtxFolderLists.h"
#include "utilities/vtxBackupF.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

using namespace TableFiles;

namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
}

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

} // namespace

class BackupFormTest : public QObject {
    Q_OBJECT

    UtilitiesFixture fx;
    QString Backups() const { return fx.ProgramFolderPath() + "Backups/"; }

private slots:
    void init() { fx.Open(); }
    void cleanup() { fx.Close(); }

    void theListsStartAtTheDataAndBackupFolders() {
        QDir().mkpath(Backups());
        auto* form = new TBackupForm;
        QCOMPARE(form->windowTitle(), "Data Backup");
        QCOMPARE(form->DatabaseDirectory->Folder(), fx.DataFolder());
        QCOMPARE(form->DatabaseFiles->Files(), TFileListBox::ListFiles(fx.DataFolder()));
        QCOMPARE(form->DestinationDirectory->Folder(), Backups());
    }

    void withoutThoseFoldersTheListsStartElsewhere() {
        Aliases::SetPath(VTX2AliasName, fx.ProgramFolderPath() + "Nowhere/");
        auto* form = new TBackupForm;
        QCOMPARE(form->DatabaseDirectory->Folder(), fx.ProgramFolderPath());
        QCOMPARE(form->DestinationDirectory->Folder(), QDir::homePath() + '/');
        Aliases::SetPath(VTX2AliasName, fx.DataFolder());
    }

    void theFileListFollowsTheFolderOpened() {
        QDir().mkpath(Backups());
        WriteText(Backups() + "vtxRosterT.DB", "an old copy");
        auto* form = new TBackupForm;
        // Up to the program's folder, then down into its backups.
        auto open = [&](const QString& folder) {
            for (int i = 0; i < form->DatabaseDirectory->count(); ++i) {
                QListWidgetItem* item = form->DatabaseDirectory->item(i);
                if (TFolderListBox::FolderOf(item) == folder) {
                    emit form->DatabaseDirectory->itemActivated(item);
                    return true;
                }
            }
            return false;
        };
        QVERIFY(open(fx.ProgramFolderPath()));
        QVERIFY(open(Backups()));
        QCOMPARE(form->DatabaseFiles->Files(), QStringList({"vtxRosterT.DB"}));
    }

    void backupFilesCopiesListsAndCounts() {
        QDir().mkpath(Backups());
        WriteText(fx.DataFolder() + "PDOXUSRS.LCK", "lock");
        WriteText(fx.DataFolder() + "vtxRosterT.lck", "lock in small letters");
        WriteText(fx.DataFolder() + "Vestrix.INI", "[Vestrix2]");
        auto* form = new TBackupForm;
        QVERIFY(ShowActive(form));
        const QStringList listed = form->DatabaseFiles->Files();
        QStringList copied = listed;
        copied.removeAll("PDOXUSRS.LCK");
        copied.removeAll("Vestrix.INI");
        QVERIFY(copied.contains("vtxRosterT.lck"));

        QTest::mouseClick(form->BackupButton, Qt::LeftButton);
        QCOMPARE(Items(form->FilesBackedUp), copied);
        QCOMPARE(form->CountLabel->text(), QString("%1 files backed up").arg(copied.size()));
        QCOMPARE(form->ProgressBar->value(), form->ProgressBar->maximum());
        QCOMPARE(QApplication::focusWidget(), form->CloseButton);
        QVERIFY(fx.Shown().isEmpty()); // no message at the end
        QCOMPARE(QDir(Backups()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase), copied);
        QCOMPARE(ReadRows(Backups() + "vtxBirthT.db", "vtxBirthT"),
                 ReadRows(fx.DataFolder() + "vtxBirthT.db", "vtxBirthT"));

        // A second run lists the files again and counts from the start.
        QTest::mouseClick(form->BackupButton, Qt::LeftButton);
        QCOMPARE(Items(form->FilesBackedUp), copied + copied);
        QCOMPARE(form->CountLabel->text(), QString("%1 files backed up").arg(copied.size()));
    }

    void theCountStartsAtOneFile() {
        const QString single = fx.ProgramFolderPath() + "Single/";
        QDir().mkpath(single);
        QDir().mkpath(Backups());
        WriteText(single + "PARADOX.LCK", "lock");
        WriteText(single + "Agenda.txt", "Council meeting");
        auto* form = new TBackupForm;
        form->DatabaseDirectory->SetFolder(single);
        form->BackupButtonClick();
        QCOMPARE(form->CountLabel->text(), "1 files backed up");
        QCOMPARE(Items(form->FilesBackedUp), QStringList({"Agenda.txt"}));
    }

    void aFailedCopyIsListedToldAndNotCounted() {
        QDir().mkpath(Backups() + "vtxBirthT.db"); // a folder where the copy would go
        auto* form = new TBackupForm;
        const int files = int(form->DatabaseFiles->Files().size());
        form->BackupButtonClick();
        QVERIFY(Items(form->FilesBackedUp).contains("vtxBirthT.db - NOT backed up"));
        QCOMPARE(form->CountLabel->text(), QString("%1 files backed up").arg(files - 1));
        const QList<Dialogs::Shown>& shown = Dialogs::ShownLog();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, Dialogs::Icon::Error);
        QVERIFY(shown[0].text.startsWith("1 of the files could not be backed up:\nvtxBirthT.db: "));
    }

    void aFolderIsNotBackedUpIntoItself() {
        auto* form = new TBackupForm;
        form->DestinationDirectory->SetFolder(fx.DataFolder());
        form->BackupButtonClick();
        QCOMPARE(form->FilesBackedUp->count(), 0);
        QCOMPARE(Dialogs::ShownTexts(),
                 QStringList({"Choose a destination folder other than the database folder: a "
                              "folder cannot hold a backup of itself."}));
    }

    void theMenuOpensItModal() {
        QString caption;
        Dialogs::QueueModal([&](QDialog* dialog) {
            caption = dialog->windowTitle();
            return int(QDialog::Rejected);
        });
        QCOMPARE(RunMenuRow(*FindMenuRow("BackupDatabase1"), nullptr), TMenuOutcome::WindowShown);
        QCOMPARE(caption, "Data Backup");
    }
};

VTX_REGISTER_TEST(BackupFormTest)
#include "tst_BackupForm.moc"
