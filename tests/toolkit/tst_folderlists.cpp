// The folder and file lists: the path of a folder and its subfolders, opening a folder,
// and the ordinary files of a folder in name order.
#include "TestSupport.h"
#include "toolkit/vtxFolderLists.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

void Touch(const QString& path) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("x");
}

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text().trimmed();
    return texts;
}

} // namespace

class TestFolderLists : public QObject {
    Q_OBJECT

    TempFolder m_temp;

private slots:
    void initTestCase() {
        for (const char* folder :
             {"Parish/Data", "Parish/Backups", "Parish/archive", "Parish/.cache"})
            QDir().mkpath(m_temp.path() + folder);
        for (const char* file :
             {"vtxRosterT.DB", "PDOXUSRS.LCK", "notes.txt", "Budget.ods", ".hidden"})
            Touch(m_temp.path() + "Parish/Data/" + file);
        QDir().mkpath(m_temp.path() + "Parish/Data/Old");
    }

    void theFolderListShowsThePathAndTheSubfolders() {
        TFolderListBox folders;
        QVERIFY(folders.SetFolder(m_temp.path() + "Parish"));
        const QStringList texts = Texts(folders);
        // The path from the root, then the subfolders by name ignoring case, no hidden ones.
        QCOMPARE(texts.first(), QDir::toNativeSeparators(QDir::rootPath()));
        QCOMPARE(texts.mid(texts.size() - 4),
                 QStringList({"Parish", "archive", "Backups", "Data"}));
        QCOMPARE(TFolderListBox::FolderOf(folders.currentItem()), m_temp.path() + "Parish/");
        QCOMPARE(folders.Folder(), m_temp.path() + "Parish/");
        // Each line is indented one step further than the line of its parent folder.
        const QString parish = folders.item(texts.size() - 4)->text();
        const QString data = folders.item(texts.size() - 1)->text();
        QVERIFY(data.indexOf('D') > parish.indexOf('P'));
    }

    void openingAFolderTellsIt() {
        TFolderListBox folders;
        folders.SetFolder(m_temp.path() + "Parish");
        QSignalSpy changed(&folders, &TFolderListBox::folderChanged);
        QListWidgetItem* data = folders.findItems("Data", Qt::MatchEndsWith).first();
        emit folders.itemActivated(data);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), m_temp.path() + "Parish/Data/");
        QCOMPARE(Texts(folders).last(), "Old");
        // The same folder again tells nothing; a folder that is not there changes nothing.
        folders.SetFolder(m_temp.path() + "Parish/Data/");
        QVERIFY(!folders.SetFolder(m_temp.path() + "Parish/Nowhere"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(folders.Folder(), m_temp.path() + "Parish/Data/");
    }

    void theFileListShowsOrdinaryFilesByName() {
        TFileListBox files;
        files.SetFolder(m_temp.path() + "Parish/Data");
        QCOMPARE(files.Files(),
                 QStringList({"Budget.ods", "notes.txt", "PDOXUSRS.LCK", "vtxRosterT.DB"}));
        QCOMPARE(files.selectionMode(), QAbstractItemView::ExtendedSelection);
        Touch(m_temp.path() + "Parish/Data/Agenda.txt");
        files.Refresh();
        QCOMPARE(files.Files().first(), "Agenda.txt");
        files.SetFolder(m_temp.path() + "Parish/Nowhere");
        QCOMPARE(files.count(), 0);
    }
};

VTX_REGISTER_TEST(TestFolderLists)
#include "tst_folderlists.moc"
