// datadock-viewer: a log saved from the KTR-90 as plots, laps and a lap table.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>
#include <string>

#include "text/translation.h"
#include "viewer/english_switch.h"
#include "viewer/viewer_window.h"

namespace {

constexpr int kExitUsage = 64;

constexpr char kUsage[] = DD_TEXT(
    "usage: datadock-viewer [LOG.csv] [LAP.csv]\n"
    "       datadock-viewer --help | --version\n"
    "Shows a pair saved by LOG SAVE: the log's channels as plots, the laps in a\n"
    "table. Given one file of the pair, the other is looked for beside it.\n");

// What the command line asks before any window: answered without a display.
// Returns the exit status, or -1 to go on to the window.
int AnswerCommandLine(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(translated(kUsage).c_str(), stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("datadock-viewer %s (DATADOCK MANAGER)\n", DATADOCK_VERSION);
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' && argv[i][1] != 0) {
            const std::string unknown =
                translated("datadock-viewer: unknown option {option}", {{"option", argv[i]}});
            std::fprintf(stderr, "%s\n%s", unknown.c_str(), translated(kUsage).c_str());
            return kExitUsage;
        }
    }
    return -1;
}

// The English switch is taken out of the arguments before anyone sees them.
int withoutEnglishSwitch(int argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (!takeEnglishSwitch(argv[i])) {
            argv[kept++] = argv[i];
        }
    }
    argv[kept] = nullptr;
    return kept;
}

}  // namespace

int main(int argc, char** argv) {
    argc = withoutEnglishSwitch(argc, argv);
    if (const int status = AnswerCommandLine(argc, argv); status >= 0) {
        return status;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DataDock log viewer"));
    QApplication::setDesktopFileName(QStringLiteral("datadock-viewer"));

    ViewerWindow window;
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    const QStringList files = QApplication::arguments().mid(1);
    if (!files.isEmpty()) {
        window.openFiles(files);
    }
    return application.exec();
}
