#pragma once
// Grid export: writes column titles and rows of texts as a table into an OpenDocument text
// file (.odt), for any word processor to open.

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QTextDocument;

// The texts to export, read once from first row to last. A grid implements it over its
// visible columns and the rows of its current view.
class GridExportSource {
public:
    virtual ~GridExportSource() = default;
    virtual QStringList Titles() = 0;     // the column titles, in column order
    virtual int RowCount() = 0;           // asked once, before the first row
    virtual QStringList Row(int row) = 0; // the texts of row 0, 1, ... in column order
};

// Titles and rows given as plain data.
class GridExportTable : public GridExportSource {
public:
    GridExportTable(QStringList titles, QList<QStringList> rows)
        : m_titles(std::move(titles)), m_rows(std::move(rows)) {}
    QStringList Titles() override { return m_titles; }
    int RowCount() override { return int(m_rows.size()); }
    QStringList Row(int row) override { return m_rows.value(row); }

private:
    QStringList m_titles;
    QList<QStringList> m_rows;
};

struct GridExportOptions {
    QString heading;        // a line above the table (for example the export's date); empty: none
    QFont font;             // the font of the whole document (the grid's font)
    bool landscape = false; // US Letter pages turned sideways, for a wide grid
};

// The document that ExportGridToOdf writes: the heading line, when given, then a table whose
// first row holds the titles and which has one row per source row. A row with fewer texts
// than titles leaves its last cells empty; texts beyond the titles are dropped.
std::unique_ptr<QTextDocument> GridExportDocument(GridExportSource& source,
                                                  const GridExportOptions& options = {});

// Writes the OpenDocument text file (an existing file is replaced), on US Letter pages with
// margins of half an inch, landscape when asked. False when the file could not be written.
bool ExportGridToOdf(GridExportSource& source, const QString& fileName,
                     const GridExportOptions& options = {});
