// Writes the program's icon, as the program draws it, into a hicolor icon theme folder
// for the installation: FOLDER/<n>x<n>/apps/NAME.png for each size n.
//
//   vtxicons FOLDER NAME SIZE...
#include "app/vtxProgramInfo.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv) {
    // No display is needed to draw the icon, nor the runtime folder Qt asks about.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "default.warning=false");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: vtxicons FOLDER NAME SIZE...\n");
        return 2;
    }
    const QDir theme(arguments.at(1));
    const QString name = arguments.at(2);
    for (qsizetype i = 3; i < arguments.size(); ++i) {
        bool ok = false;
        const int size = arguments.at(i).toInt(&ok);
        if (!ok || size < 1) {
            std::fprintf(stderr, "vtxicons: not a size: %s\n", qPrintable(arguments.at(i)));
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = theme.filePath(folder + QLatin1Char('/') + name + ".png");
        if (!theme.mkpath(folder) || !VestrixPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "vtxicons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
