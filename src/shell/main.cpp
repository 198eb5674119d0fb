#include "export/command_line.h"
#include "export/command_options.h"
#include "export/safe_file.h"
#include "export/said.h"
#include "shell/file_icons.h"
#include "shell/main_window.h"
#include "shell/startup.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

namespace {

QtMessageHandler defaultHandler = nullptr;

/// The language of the start's messages: --lang's, else the user's (`MessageLanguage`).
std::string_view& StartLanguage() {
    static std::string_view language = "en";
    return language;
}

/// What the toolkit said while the window was starting, held back until it has started (or
/// has failed to), so that a failure is one sentence and a start says nothing more.
QStringList& StartMessages() {
    static QStringList said;
    return said;
}

/// True until the window is up: a fatal message then is the windowing platform failing.
bool& StartingUp() {
    static bool starting = true;
    return starting;
}

/// The display the window tries: -display's, else the variable DISPLAY's.
QString& StartDisplay() {
    static QString display = qEnvironmentVariable("DISPLAY");
    return display;
}

/// Says what the toolkit held back while the window started, once it has.
void EndStartUp(QtMessageHandler handler) {
    StartingUp() = false;
    for (const QString& message : std::exchange(StartMessages(), {})) {
        handler(QtWarningMsg, QMessageLogContext(), message);
    }
}

/// The one sentence for a window that cannot open: the display or platform named, and the
/// variable to check.
QString NoWindowSentence() {
    using kymata::Printable;
    using kymata::Said;
    const std::string_view language = StartLanguage();
    const QString trouble = StartMessages().join(QLatin1Char('\n'));
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (trouble.contains(QLatin1String("could not connect to display")) ||
        trouble.contains(QLatin1String("cannot open display"))) {
        return StartDisplay().isEmpty()
                   ? Said("start.noDisplaySet", language)
                   : Said("start.displayFailed", language, {Printable(StartDisplay())});
    }
    if (trouble.contains(QLatin1String("Could not find the Qt platform plugin"))) {
        const qsizetype open = trouble.indexOf(QLatin1Char('"'));
        const QString name = trouble.mid(open + 1).section(QLatin1Char('"'), 0, 0);
        return Said("start.noPlatform", language, {Printable(name)});
    }
    QString sentence =
        Said("start.platformFailed", language,
             {platform.isEmpty() ? QString()
                                 : Said("start.platformIs", language, {Printable(platform)})});
    // The toolkit's last words, which name what it lacked (a framebuffer, a DRM device, ...).
    const QString last = StartMessages().isEmpty() ? QString() : StartMessages().constLast();
    if (!last.trimmed().isEmpty()) {
        sentence +=
            QLatin1Char(' ') + Said("start.toolkitSays", language, {Printable(last.trimmed())});
    }
    return sentence;
}

/// Keeps stderr for the program's own messages: the offscreen platform's note that no
/// session runtime folder is set says nothing about the figure. A platform that cannot start
/// (no display, no framebuffer, no DRM device, no EGL) ends the program with one sentence and
/// exit 1 instead of the toolkit's abort.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
        return;
    }
    const bool platform = QLatin1String(context.category ? context.category : "")
                              .startsWith(QLatin1String("qt.qpa")) ||
                          message.contains(QLatin1String("platform plugin"));
    if (type == QtFatalMsg && (platform || StartingUp())) {
        StartMessages() << message;
        std::fprintf(stderr, "%s\n", NoWindowSentence().toLocal8Bit().constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (StartingUp() && type != QtDebugMsg) {
        // Held for the sentence, should the platform fail; said once the window is up.
        StartMessages() << message;
        return;
    }
    defaultHandler(type, context, message);
}

/// True when `text` is valid UTF-8: the command line's file names and values are read as UTF-8
/// text, and a name that is not would be written under another name.
bool ValidUtf8(const char* text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        int extra = 0;
        unsigned value = *p;
        if (value < 0x80) {
            ++p;
            continue;
        }
        if ((value & 0xE0) == 0xC0) {
            extra = 1;
            value &= 0x1F;
        } else if ((value & 0xF0) == 0xE0) {
            extra = 2;
            value &= 0x0F;
        } else if ((value & 0xF8) == 0xF0) {
            extra = 3;
            value &= 0x07;
        } else {
            return false;
        }
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                return false;
            }
            value = (value << 6) | (p[i] & 0x3F);
        }
        const unsigned least[] = {0, 0x80, 0x800, 0x10000};
        if (value < least[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        p += extra + 1;
    }
    return true;
}

/// True when there is nowhere to show a window: no X or Wayland display and no platform
/// chosen by hand.
bool NoDisplay() {
    return qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

/// The first of kymata-figure.png, kymata-figure-2.png, ... that names nothing at all (not even
/// a symbolic link), so that the start figure never replaces a file or writes through a link.
QString FreeStartFigureName() {
    for (int k = 1;; ++k) {
        const QString name = k == 1 ? QStringLiteral("kymata-figure.png")
                                    : QStringLiteral("kymata-figure-%1.png").arg(k);
        struct stat status {};
        if (::lstat(QFile::encodeName(name).constData(), &status) != 0 && errno == ENOENT) {
            return name;
        }
    }
}

/// The start figure, written where a window cannot be shown, so that a newcomer on a
/// headless machine still sees what the program draws; the scene options of the start set it.
int WriteStartFigure(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    EndStartUp(defaultHandler);
    const QString file = FreeStartFigureName();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const std::string_view language = StartLanguage();
    const QString noDisplay = kymata::Said("start.headless", language);
    const QString getWindow = kymata::Said("start.getWindow", language);
    // The options a window start takes, checked as the window checks them.
    if (!kymata::WindowStartControls(QGuiApplication::arguments(), err)) {
        return kymata::ExitBadUsage;
    }
    const QStringList options = QGuiApplication::arguments().mid(1);
    QString written;
    QTextStream writtenErrors(&written);
    const int code = kymata::RunCommandLine(QStringList{QGuiApplication::arguments().value(0)}
                                                << options << QStringLiteral("--export") << file,
                                            out, writtenErrors);
    if (code == kymata::ExitOk) {
        QStringList command{QStringLiteral("kymata")};
        command << options << QStringLiteral("--export") << file;
        out << noDisplay << '\n'
            << kymata::Said("start.figureWritten", language,
                            {file, kymata::Printable(command.join(QLatin1Char(' ')))})
            << '\n'
            << getWindow << '\n';
    } else if (code == kymata::ExitBadUsage) {
        err << written;
    } else {
        err << noDisplay << ' '
            << kymata::Said("start.figureNotWritten", language, {written.trimmed()}) << '\n'
            << getWindow << '\n';
    }
    return code;
}

/// The arguments as text: each was checked to be UTF-8.
QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromUtf8(argv[i]);
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit (ulimit -f) makes a write fail with "File too large", which is said and
    // leaves nothing behind, instead of ending the program unannounced.
    std::signal(SIGXFSZ, SIG_IGN);
    StartLanguage() = kymata::MessageLanguage(Arguments(argc, argv));
    // The display a failure names is the one tried: -display wins over DISPLAY.
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0 || std::strcmp(argv[i], "--display") == 0) {
            StartDisplay() = QString::fromLocal8Bit(argv[i + 1]);
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (!ValidUtf8(argv[i])) {
            const QString said = QStringLiteral("kymata: ") +
                                 kymata::Said("cli.notUtf8", StartLanguage(), {QString::number(i)});
            std::fprintf(stderr, "%s\n", said.toLocal8Bit().constData());
            return kymata::ExitBadUsage;
        }
    }
    // --export, --print-to, --help and --version ask the command line: it draws headless on
    // Qt's offscreen platform and needs no display. Any other start opens the window, its scene
    // options (--source -30, --lang en, --view waves, ...) setting the controls.
    const bool commandLine = kymata::AsksForOutput(Arguments(argc, argv));
    const bool noDisplay = !commandLine && NoDisplay();
    if (commandLine || noDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    defaultHandler = qInstallMessageHandler(FilterMessages);
    QCoreApplication::setApplicationName(QStringLiteral("kymata"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KYMATA_VERSION));
    // The window belongs to its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kymata.Kymata"));
    if (noDisplay) {
        return WriteStartFigure(argc, argv);
    }
    if (commandLine) {
        // The command line needs no widgets: a lighter application starts faster.
        QGuiApplication app(argc, argv);
        EndStartUp(defaultHandler);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return kymata::RunCommandLine(QGuiApplication::arguments(), out, err);
    }
    QApplication app(argc, argv);
    // The toolkit has taken its own options (-platform, -display, ...); the rest are ours.
    QTextStream err(stderr);
    const std::optional<kymata::WindowStart> start =
        kymata::WindowStartControls(QApplication::arguments(), err);
    if (!start) {
        return kymata::ExitBadUsage;
    }
    new kymata::PlainFileIconsForDialogs(&app);
    const std::unique_ptr<kymata::DHMIOYRGO_KYKLO> window(
        kymata::Main(start->controls, start->lessonStep));
    EndStartUp(defaultHandler);
    return QApplication::exec();
}
