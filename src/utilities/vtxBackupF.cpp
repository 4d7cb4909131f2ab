#include "utilities/vtxBackupF.h"

#include "data/vtxGlobalsU.h"
#include "data/vtxTableDefs.h"
#include "engine/Database.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxFolderLists.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"
#include "utilities/vtxBackupU.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TBackupForm)

namespace {

constexpr int kProgressSteps = 1000;

// Lets the window show the progress while the copy runs; no click gets through.
void Repaint() {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QString TBackupForm::StartDatabaseFolder() {
    const QString data = Aliases::Path(VTX2AliasName);
    if (!data.isEmpty() && QFileInfo(data).isDir())
        return data;
    return ProgramFolder;
}

QString TBackupForm::StartDestinationFolder() {
    const QString backups = ProgramFolder + QStringLiteral("Backups");
    if (QFileInfo(backups).isDir())
        return backups;
    return QDir::homePath();
}

TBackupForm::TBackupForm(QWidget* owner) : QDialog(owner) {
    Look::SetUpWindow(this, "BackupForm", "Data Backup");

    DatabaseDirectory = new TFolderListBox(this);
    DatabaseDirectory->setObjectName("DatabaseDirectory");
    DatabaseFiles = new TFileListBox(this);
    DatabaseFiles->setObjectName("DatabaseFiles");
    DestinationDirectory = new TFolderListBox(this);
    DestinationDirectory->setObjectName("DestinationDirectory");
    FilesBackedUp = new QListWidget(this);
    FilesBackedUp->setObjectName("FilesBackedUp");
    ProgressBar = new QProgressBar(this);
    ProgressBar->setRange(0, kProgressSteps);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName("CountLabel");
    Look::FixLabelWidth(CountLabel, QStringLiteral("00000 files backed up"));
    BackupButton = new QPushButton(QStringLiteral("&Backup Files"), this);
    BackupButton->setObjectName("BackupButton");
    BackupButton->setDefault(true);
    CloseButton = Look::CloseButton(this);

    connect(DatabaseDirectory, &TFolderListBox::folderChanged, DatabaseFiles,
            &TFileListBox::SetFolder);
    connect(BackupButton, &QPushButton::clicked, this, &TBackupForm::BackupButtonClick);

    auto* lists = new QGridLayout;
    const QList<std::pair<const char*, QWidget*>> columns = {
        {"Database Directory", DatabaseDirectory},
        {"Database Files", DatabaseFiles},
        {"Destination Directory", DestinationDirectory},
        {"Files Backed Up", FilesBackedUp}};
    for (int c = 0; c < columns.size(); ++c) {
        QLabel* caption =
            Look::CaptionLabel(columns[c].first, this, Qt::AlignLeft | Qt::AlignBottom);
        caption->setBuddy(columns[c].second);
        lists->addWidget(caption, 0, c);
        lists->addWidget(columns[c].second, 1, c);
        lists->setColumnStretch(c, 1);
    }
    lists->setRowStretch(1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CountLabel);
    bottom->addStretch(1);
    bottom->addWidget(BackupButton);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(ProgressBar);
    layout->addLayout(bottom);

    DatabaseDirectory->SetFolder(StartDatabaseFolder());
    DestinationDirectory->SetFolder(StartDestinationFolder());
    resize(920, 480);
    Look::CentreOnMainWindow(this);
}

void TBackupForm::BackupButtonClick() {
    const QString source = DatabaseDirectory->Folder();
    const QString destination = DestinationDirectory->Folder();
    if (QDir(source) == QDir(destination)) {
        Dialogs::Message(QStringLiteral("Choose a destination folder other than the database "
                                        "folder: a folder cannot hold a backup of itself."),
                         Dialogs::Icon::Warning);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProgressBar->setValue(0);
    int copied = 0;
    QStringList failed;
    BackupFiles(
        source, DatabaseFiles->Files(), destination,
        [&](const TBackupFileResult& result) {
            if (result.copied) {
                ++copied;
                FilesBackedUp->addItem(result.fileName);
                CountLabel->setText(QStringLiteral("%1 files backed up").arg(copied));
            } else {
                FilesBackedUp->addItem(QStringLiteral("%1 - NOT backed up").arg(result.fileName));
                failed << QStringLiteral("%1: %2").arg(result.fileName, result.error);
            }
            FilesBackedUp->scrollToBottom();
            Repaint();
        },
        [&](qint64 done, qint64 total) {
            const int value = total > 0 ? int(done * kProgressSteps / total) : kProgressSteps;
            if (value != ProgressBar->value()) {
                ProgressBar->setValue(value);
                Repaint();
            }
        });
    ProgressBar->setValue(kProgressSteps);
    if (copied == 0)
        CountLabel->setText(QStringLiteral("0 files backed up"));
    QApplication::restoreOverrideCursor();
    if (!failed.isEmpty())
        Dialogs::Message(QStringLiteral("%1 of the files could not be backed up:\n%2")
                             .arg(failed.size())
                             .arg(failed.join('\n')),
                         Dialogs::Icon::Error);
    CloseButton->setFocus();
}
