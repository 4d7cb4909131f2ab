#include "toolkit/vtxFolderLists.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace {

QString WithSeparator(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith('/'))
        f += '/';
    return f;
}

constexpr int kIndent = 3; // blanks per level

} // namespace

// ---- folders -------------------------------------------------------------------------------

TFolderListBox::TFolderListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { SetFolder(FolderOf(item)); });
}

QString TFolderListBox::FolderOf(const QListWidgetItem* item) {
    return item ? item->data(Qt::UserRole).toString() : QString();
}

bool TFolderListBox::SetFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    const QString path = WithSeparator(QDir::cleanPath(info.absoluteFilePath()));
    const bool changed = path != m_folder;
    m_folder = path;
    Fill();
    if (changed)
        emit folderChanged(m_folder);
    return true;
}

void TFolderListBox::Fill() {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The path from the root down to the folder.
    QStringList chain;
    QDir dir(m_folder);
    for (;;) {
        chain.prepend(WithSeparator(dir.absolutePath()));
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    int level = 0;
    for (const QString& path : chain) {
        const QString name =
            QDir(path).isRoot() ? QDir::toNativeSeparators(path) : QDir(path).dirName();
        auto* item = new QListWidgetItem(open, QString(level * kIndent, ' ') + name, this);
        item->setData(Qt::UserRole, path);
        if (path == m_folder)
            setCurrentItem(item);
        ++level;
    }
    const QStringList children =
        QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(closed, QString(level * kIndent, ' ') + child, this);
        item->setData(Qt::UserRole, m_folder + child + '/');
    }
}

// ---- files ---------------------------------------------------------------------------------

TFileListBox::TFileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

QStringList TFileListBox::ListFiles(const QString& folder) {
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot,
                                  QDir::Name | QDir::IgnoreCase);
}

void TFileListBox::SetFolder(const QString& folder) {
    m_folder = folder.isEmpty() ? QString() : WithSeparator(folder);
    Refresh();
}

void TFileListBox::Refresh() {
    clear();
    addItems(ListFiles(m_folder));
}

QStringList TFileListBox::Files() const {
    QStringList files;
    for (int i = 0; i < count(); ++i)
        files << item(i)->text();
    return files;
}
