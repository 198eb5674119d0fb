#include "export/command_line.h"
#include "shell/main_window.h"
#include "shell/startup.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
int WriteStartFigure(int argc, char** argv, const QString& view) {
    QGuiApplication app(argc, argv);
    const QString file = QStringLiteral("kymata-figure.png");
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code =
        kymata::RunCommandLine({QGuiApplication::arguments().value(0), QStringLiteral("--view"),
                                view, QStringLiteral("--export"), file},
                               out, err);
    if (code == kymata::ExitOk) {
        out << "kymata: no display was found (DISPLAY and WAYLAND_DISPLAY are not set), so the "
               "window cannot open.\nThe start figure is in "
            << file << ", written by: kymata "
            << (view == QLatin1String("waves") ? "--view waves " : "") << "--export " << file
            << "\n";
    }
    return code;
}

/// The view a window start asks for: `--view classic` or `--view waves` (also written
/// `--view=waves`) and nothing else opens the window in that view. Empty for any other command
/// line, which the headless command line answers.
std::optional<std::string> WindowView(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() == 1 && words[0].starts_with("--view=")) {
        words = {"--view", words[0].substr(7)};
    }
    if (words.size() == 2 && words[0] == "--view") {
        return words[1];
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<std::string> view = WindowView(argc, argv);
    if (view && *view != "classic" && *view != "waves") {
        std::fprintf(stderr, "--view: '%s' is not valid; give classic or waves\n",
                     QString::fromLocal8Bit(view->c_str()).toUtf8().constData());
        return kymata::ExitBadUsage;
    }
    // Any other argument asks for the command line: exports, --help, --version. It draws
    // headless on Qt's offscreen platform and needs no display. A plain start, or one that only
    // chooses the view, opens the window.
    const bool commandLine = argc > 1 && !view;
    const bool noDisplay = !commandLine && NoDisplay();
    if (view) {
        // The window's own arguments are read here; Qt must not see them.
        argc = 1;
    }
    if (commandLine || noDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    defaultHandler = qInstallMessageHandler(FilterMessages);
    QCoreApplication::setApplicationName(QStringLiteral("kymata"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KYMATA_VERSION));
    if (noDisplay) {
        return WriteStartFigure(argc, argv, QString::fromStdString(view.value_or("classic")));
    }
    if (commandLine) {
        // The command line needs no widgets: a lighter application starts faster.
        QGuiApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return kymata::RunCommandLine(QGuiApplication::arguments(), out, err);
    }
    QApplication app(argc, argv);
    const std::unique_ptr<kymata::DHMIOYRGO_KYKLO> window(kymata::Main(view == "waves"));
    return QApplication::exec();
}
