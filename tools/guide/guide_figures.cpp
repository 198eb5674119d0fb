// kymata-guide-figures: draws the pictures of the built-in guide from the program's own
// figures, so that the guide always shows what the window shows. Run by the build.
//
// Usage: kymata-guide-figures FOLDER

#include "construction/controls.h"
#include "export/figure_export.h"
#include "figure/figure_content.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kymata-guide-figures FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "kymata-guide-figures: cannot make the folder %s\n", argv[1]);
        return 1;
    }
    struct Picture {
        const char* name;
        bool hyperbola;
        bool waves;
    };
    const Picture pictures[] = {
        {"spherical", false, false}, {"hyperbolic", true, false}, {"waves", false, true}};
    for (const Picture& p : pictures) {
        for (const bool greek : {true, false}) {
            kymata::Controls controls;
            controls.YPERVOLIKO = p.hyperbola;
            controls.view = p.waves ? kymata::View::Waves : kymata::View::Classic;
            controls.ELLINIKA = greek;
            const QString path =
                QStringLiteral("%1/%2-%3.png")
                    .arg(folder, QLatin1String(p.name), QLatin1String(greek ? "el" : "en"));
            const kymata::WriteResult written = kymata::WriteFigure(
                path, kymata::FigureFormat::Png, kymata::DrawFigureContent(controls), 560, "en");
            if (!written.ok) {
                std::fprintf(stderr, "kymata-guide-figures: %s\n",
                             written.error.toLocal8Bit().constData());
                return 1;
            }
        }
    }
    return 0;
}
