#include "vtxGridExport.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>

std::unique_ptr<QTextDocument> GridExportDocument(GridExportSource& source,
                                                  const GridExportOptions& options) {
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(options.font);
    QTextCursor cursor(document.get());
    if (!options.heading.isEmpty()) {
        cursor.insertText(options.heading);
        cursor.insertBlock();
    }
    const QStringList titles = source.Titles();
    const int columns = int(titles.size());
    if (columns == 0)
        return document;
    const int rows = std::max(0, source.RowCount());

    QTextTableFormat format;
    format.setHeaderRowCount(1);
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable* table = cursor.insertTable(rows + 1, columns, format);

    auto fill = [table, columns](int tableRow, const QStringList& texts) {
        for (int column = 0; column < columns && column < texts.size(); ++column) {
            if (texts[column].isEmpty())
                continue;
            QTextCursor cell = table->cellAt(tableRow, column).firstCursorPosition();
            cell.insertText(texts[column]);
        }
    };
    fill(0, titles);
    for (int row = 0; row < rows; ++row)
        fill(row + 1, source.Row(row));
    return document;
}

bool ExportGridToOdf(GridExportSource& source, const QString& fileName,
                     const GridExportOptions& options) {
    std::unique_ptr<QTextDocument> document = GridExportDocument(source, options);
    QTextDocumentWriter writer(fileName, QByteArrayLiteral("odf"));
    return writer.write(document.get());
}
