#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/startup.h"

#include <QApplication>

#include <memory>

namespace {

QtMessageHandler defaultHandler = nullptr;

/// Keeps stderr for the program's own messages: the offscreen platform's note that no
/// session runtime folder is set says nothing about the figure.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
        return;
    }
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    // Any argument asks for the command line: exports, --help, --version. It draws headless on
    // Qt's offscreen platform and needs no display. A plain start opens the window.
    const bool commandLine = argc > 1;
    if (commandLine) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    defaultHandler = qInstallMessageHandler(FilterMessages);
    QCoreApplication::setApplicationName(QStringLiteral("kymata"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KYMATA_VERSION));
    if (commandLine) {
        // The command line needs no widgets: a lighter application starts faster.
        QGuiApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return kymata::RunCommandLine(QGuiApplication::arguments(), out, err);
    }
    QApplication app(argc, argv);
    const std::unique_ptr<kymata::DHMIOYRGO_KYKLO> window(kymata::Main());
    return QApplication::exec();
}
