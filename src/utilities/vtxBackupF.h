#pragma once
// The Data Backup window: copies the files of one folder (normally the data folder) into
// another (normally the "Backups" folder beside the program).
//
// Left to right: the "Database Directory" folder list with its "Database Files", the
// "Destination Directory" folder list, and "Files Backed Up"; under them a progress bar, the
// count of files backed up, "&Backup Files" and Close. Every listed file is copied but the
// lock and settings files (".LCK", ".INI"); table files are copied through the engine's
// backup, so the copy is consistent while the program holds them open, and the destination
// opens as a data folder of its own. A copy that fails is listed as not backed up, left out
// of the count, and named in a message at the end.
//
// The database list starts at the data folder (the folder of the alias "Vestrix2") when it
// exists, otherwise at the program's folder; the destination at ProgramFolder + "Backups"
// when it exists, otherwise at the user's home folder.

#include <QDialog>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class TFileListBox;
class TFolderListBox;

class TBackupForm : public QDialog {
    Q_OBJECT
public:
    explicit TBackupForm(QWidget* owner = nullptr);

    TFolderListBox* DatabaseDirectory;
    TFileListBox* DatabaseFiles;
    TFolderListBox* DestinationDirectory;
    QListWidget* FilesBackedUp;
    QProgressBar* ProgressBar;
    QLabel* CountLabel;
    QPushButton* BackupButton;
    QPushButton* CloseButton;

    void BackupButtonClick();

    // Where the two folder lists start.
    static QString StartDatabaseFolder();
    static QString StartDestinationFolder();
};
