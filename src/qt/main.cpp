// vespin: the game. It takes no command-line switches; the archives sit beside the program.

#include <QApplication>
#include <QFile>
#include <QStyleFactory>
#include <exception>
#include <filesystem>

#include "core/shell/engine.h"
#include "qt/qt_host.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // One look on every desktop, so the strip's fixed pixel layout holds and the caption
    // colour of 自動送り shows whatever the desktop theme.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    vespin::QtHost host;
    std::filesystem::path folder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    try {
        return vespin::RunProcess(host, folder);
    } catch (const std::exception& error) {
        // Shown the way an escaped error is shown during the game; the program then ends.
        host.ReportError(error.what());
        return 0;
    }
}
