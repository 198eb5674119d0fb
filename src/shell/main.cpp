#include "shell/command_line.h"

#include <QGuiApplication>

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
    // Every run draws headless on Qt's offscreen platform: the exports, --help and --version,
    // and the usage that a plain start shows. No display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultHandler = qInstallMessageHandler(FilterMessages);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("kymata"));
    QGuiApplication::setApplicationVersion(QStringLiteral(KYMATA_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return kymata::RunCommandLine(QGuiApplication::arguments(), out, err);
}
