// vtxreportpdf: writes a menu report of a data folder to a PDF file, as the Reports menu
// would produce it, so that a page can be looked at without a printer.
//
//   vtxreportpdf [--options FILE] [--quarter Q] KIND DIR OUT.pdf
//
// KIND is the menu report's number (1 to 7), DIR the data folder, FILE an options file
// whose organisation name heads the report, Q the quarter of report 7.

#include "app/vtxMenuTable.h"
#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "engine/Database.h"
#include "engine/EDatabaseError.h"
#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <cstdio>

namespace {

int Usage(const char* why) {
    std::fprintf(stderr,
                 "vtxreportpdf: %s\n"
                 "usage: vtxreportpdf [--options FILE] [--quarter Q] KIND DIR OUT.pdf\n",
                 why);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // No window is shown: the program needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString optionsFile;
    QString quarter = QStringLiteral("1");
    while (args.size() > 1 && args.first().startsWith("--")) {
        const QString flag = args.takeFirst();
        if (flag == "--options")
            optionsFile = args.takeFirst();
        else if (flag == "--quarter")
            quarter = args.takeFirst();
        else
            return Usage("unknown option");
    }
    if (args.size() != 3)
        return Usage("a report number, a data folder and an output file are needed");
    bool ok = false;
    const int kind = args[0].toInt(&ok);
    if (!ok || !IsReportRegistered(kind))
        return Usage("no such report");
    const QString output = QFileInfo(args[2]).absoluteFilePath();

    Dialogs::SetScripted(true);
    SetRuleMessageSink(&Dialogs::ShowMessage);
    bool written = false;
    Dialogs::SetDefaultModalHandler([&](QDialog* dialog) {
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog)) {
            QPrinter* printer = preview->printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(output);
            Q_EMIT preview->paintRequested(printer);
            written = QFileInfo(output).size() > 0;
        }
        return int(QDialog::Rejected);
    });
    try {
        if (!optionsFile.isEmpty()) {
            ProgramFolder = QFileInfo(optionsFile).absolutePath() + '/';
            ReadOptionsFile();
        }
        Aliases::SetPath(VTX2AliasName, QDir(args[1]).absolutePath() + '/');
        TDataMod module;
        module.OpenDataSets();
        ReportKind = kind;
        ReportQuarter = quarter;
        ReportRunner(kind)(nullptr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vtxreportpdf: %s\n", e.what());
        return 1;
    }
    for (const QString& text : Dialogs::ShownTexts())
        if (!text.isEmpty())
            std::fprintf(stderr, "shown: %s\n", qPrintable(text));
    if (!written)
        return Usage("the report showed no preview");
    std::printf("written: %s\n", qPrintable(output));
    return 0;
}
