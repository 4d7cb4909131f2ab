#pragma once
// A folder list and a file list, as windows that choose folders and files show them.
//
// TFolderListBox shows the path of its folder, one line per folder from the root down
// (indented), and under it the folder's own subfolders; a double click or Enter on a line
// opens that folder. TFileListBox shows the ordinary files of a folder (no hidden or system
// files, no folders), with their extensions, by name ignoring case; several can be
// selected.
//
// Example:
//   auto* folders = new TFolderListBox(this);
//   auto* files = new TFileListBox(this);
//   connect(folders, &TFolderListBox::folderChanged, files, &TFileListBox::SetFolder);
//   folders->SetFolder(ProgramFolder);

#include <QListWidget>
#include <QString>
#include <QStringList>

class TFolderListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TFolderListBox(QWidget* parent = nullptr);

    // The folder shown, with a trailing separator; empty before one is set.
    QString Folder() const { return m_folder; }
    // Shows a folder (false, with nothing changed, when it does not exist) and tells
    // folderChanged when it is another than before.
    bool SetFolder(const QString& folder);
    // The folder a line stands for.
    static QString FolderOf(const QListWidgetItem* item);

Q_SIGNALS:
    void folderChanged(const QString& folder);

private:
    void Fill();
    QString m_folder;
};

class TFileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TFileListBox(QWidget* parent = nullptr);

    // The ordinary files of a folder in the order the list shows them.
    static QStringList ListFiles(const QString& folder);

    QString Folder() const { return m_folder; }
    // Shows the files of a folder (empty when it does not exist).
    void SetFolder(const QString& folder);
    // Reads the folder again.
    void Refresh();
    // The file names listed, in list order.
    QStringList Files() const;

private:
    QString m_folder;
};
