#include "vtxGridExport.h"

#include "toolkit/vtxZip.h"

#include <QBuffer>
#include <QSaveFile>

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

namespace {

// The page of the document: the word processor reads it from the package's styles, as
// the default ("Standard") master page.
QByteArray PageStyles(bool landscape) {
    const char* width = landscape ? "11in" : "8.5in";
    const char* height = landscape ? "8.5in" : "11in";
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-styles xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
                      R"(xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" )"
                      R"(xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" )"
                      R"(office:version="1.2">
 <office:automatic-styles>
  <style:page-layout style:name="VestrixPage">
   <style:page-layout-properties fo:page-width=")") +
           width + R"(" fo:page-height=")" + height + R"(" style:print-orientation=")" +
           (landscape ? "landscape" : "portrait") +
           R"(" fo:margin-top="0.5in" fo:margin-bottom="0.5in" fo:margin-left="0.5in" )"
           R"(fo:margin-right="0.5in"/>
  </style:page-layout>
 </office:automatic-styles>
 <office:master-styles>
  <style:master-page style:name="Standard" style:page-layout-name="VestrixPage"/>
 </office:master-styles>
</office:document-styles>
)";
}

// Puts the page styles into the package Qt's writer made, and names them in its manifest.
std::optional<QByteArray> WithPageStyles(const QByteArray& package, bool landscape) {
    std::optional<QList<ZipEntry>> entries = ReadZip(package);
    if (!entries)
        return std::nullopt;
    bool placed = false;
    for (ZipEntry& entry : *entries) {
        if (entry.name == QLatin1String("styles.xml")) {
            entry.data = PageStyles(landscape);
            placed = true;
        }
    }
    if (!placed) {
        entries->append({QStringLiteral("styles.xml"), PageStyles(landscape)});
        for (ZipEntry& entry : *entries) {
            if (entry.name != QLatin1String("META-INF/manifest.xml"))
                continue;
            const qsizetype close = entry.data.lastIndexOf("</manifest:manifest>");
            if (close < 0)
                return std::nullopt;
            entry.data.insert(close, " <manifest:file-entry manifest:media-type=\"text/xml\" "
                                     "manifest:full-path=\"styles.xml\"/>\n");
        }
    }
    return WriteZip(*entries);
}

} // namespace

bool ExportGridToOdf(GridExportSource& source, const QString& fileName,
                     const GridExportOptions& options) {
    std::unique_ptr<QTextDocument> document = GridExportDocument(source, options);
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&written, QByteArrayLiteral("odf"));
    if (!writer.write(document.get()))
        return false;
    const std::optional<QByteArray> package = WithPageStyles(written.data(), options.landscape);
    if (!package)
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(*package);
    return file.commit();
}
