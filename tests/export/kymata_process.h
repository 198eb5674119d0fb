#pragma once

#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <csignal>
#include <utility>

#include <sys/resource.h>

/// What a run of the real program gave: its exit code (-1 when it did not finish, -2 when it
/// crashed) and what it wrote on stdout and stderr.
struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

/// The environment a user's run has here: no display and no platform chosen for it, and the
/// plain C locale, so that messages are in English unless a test asks for another language.
inline QProcessEnvironment UserEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        env.remove(QLatin1String(name));
    }
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    return env;
}

/// Runs the real program as a user would, with no display and no platform chosen for it and
/// the plain C locale, in
/// `folder` (the current one when empty), with the variables `extra` set. `fileSizeLimit` > 0
/// caps the size of any file it writes.
inline Run RunKymata(const QStringList& arguments, const QString& folder = {},
                     const QList<std::pair<QString, QString>>& extra = {},
                     qint64 fileSizeLimit = 0) {
    QProcess process;
    QProcessEnvironment env = UserEnvironment();
    for (const auto& [name, value] : extra) {
        env.insert(name, value);
    }
    process.setProcessEnvironment(env);
    if (!folder.isEmpty()) {
        process.setWorkingDirectory(folder);
    }
    if (fileSizeLimit > 0) {
        // Only the limit: the program itself must keep the limit's signal from ending it.
        process.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    process.start(QStringLiteral(KYMATA_BINARY), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
