// vtxsample: writes a sample parish into a data folder.
//
//   vtxsample [--members N] [--years Y] [--seed S] DIR
//
// The same arguments always give the same folder. "--members 0 --years 0" writes
// the data folder of a first start: every table file empty, the worship
// templates numbered 1 to 30.

#include "SampleParish.h"
#include "engine/EDatabaseError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>

namespace {

int Usage(const char* why) {
    std::fprintf(stderr,
                 "vtxsample: %s\nusage: vtxsample [--members N] [--years Y] [--seed S] DIR\n", why);
    return 2;
}

bool ReadNumber(const QString& text, qint64 low, qint64 high, qint64* value) {
    bool ok = false;
    *value = text.toLongLong(&ok);
    return ok && *value >= low && *value <= high;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    SampleParishOptions options;
    QString folder;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--members" || a == "--years" || a == "--seed") {
            if (i + 1 >= args.size())
                return Usage("a number must follow the option");
            qint64 n = 0;
            const QString& v = args[++i];
            if (a == "--members") {
                if (!ReadNumber(v, 0, 1000000, &n))
                    return Usage("--members takes a number from 0 to 1000000");
                options.members = int(n);
            } else if (a == "--years") {
                if (!ReadNumber(v, 0, 100, &n))
                    return Usage("--years takes a number from 0 to 100");
                options.years = int(n);
            } else {
                if (!ReadNumber(v, 0, 4294967295LL, &n))
                    return Usage("--seed takes a number from 0 to 4294967295");
                options.seed = quint32(n);
            }
        } else if (a.startsWith("--")) {
            return Usage("unknown option");
        } else if (folder.isEmpty()) {
            folder = a;
        } else {
            return Usage("only one folder");
        }
    }
    if (folder.isEmpty())
        return Usage("the data folder is missing");
    QElapsedTimer timer;
    timer.start();
    try {
        const SampleParishCounts counts = WriteSampleParish(folder, options);
        for (auto it = counts.begin(); it != counts.end(); ++it)
            std::printf("%-20s %10lld\n", qPrintable(it.key()), static_cast<long long>(it.value()));
    } catch (const EDatabaseError& e) {
        std::fprintf(stderr, "vtxsample: %s\n", qPrintable(e.Message()));
        return 1;
    }
    std::printf("written in %.1f s\n", timer.elapsed() / 1000.0);
    return 0;
}
