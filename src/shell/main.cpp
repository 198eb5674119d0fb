#include "export/command_line.h"
#include "shell/main_window.h"
#include "shell/startup.h"

#include <QApplication>
#include <QGuiApplication>

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

/// True when there is nowhere to show a window: no X or Wayland display and no platform
/// chosen by hand.
bool NoDisplay() {
    return qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

/// The start figure, written where a window cannot be shown, so that a newcomer on a
/// headless machine still sees what the program draws.
int WriteStartFigure(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString file = QStringLiteral("kymata-figure.png");
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = kymata::RunCommandLine(
        {QGuiApplication::arguments().value(0), QStringLiteral("--export"), file}, out, err);
    if (code == kymata::ExitOk) {
        out << "kymata: no display was found (DISPLAY and WAYLAND_DISPLAY are not set), so the "
               "window cannot open.\nThe start figure is in "
            << file << ", written by: kymata --export " << file << "\n";
    }
    return code;
}

} // namespace

int main(int argc, char** argv) {
    // Any argument asks for the command line: exports, --help, --version. It draws headless on
    // Qt's offscreen platform and needs no display. A plain start opens the window.
    const bool commandLine = argc > 1;
    const bool noDisplay = !commandLine && NoDisplay();
    if (commandLine || noDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    defaultHandler = qInstallMessageHandler(FilterMessages);
    QCoreApplication::setApplicationName(QStringLiteral("kymata"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KYMATA_VERSION));
    if (noDisplay) {
        return WriteStartFigure(argc, argv);
    }
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
