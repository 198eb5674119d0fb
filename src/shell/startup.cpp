#include "shell/startup.h"

#include "shell/main_window.h"

#include <QGuiApplication>
#include <QScreen>

namespace kymata {

DHMIOYRGO_KYKLO* Main(const Controls& start, std::optional<int> lessonStep) {
    auto* window = new DHMIOYRGO_KYKLO;
    window->SetControls(start);
    // The whole screen, frame and title bar on it: maximised, not sized over the frame.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        window->resize(screen->availableGeometry().size());
    }
    window->ApplyLayout();
    window->showMaximized();
    window->Scene().RefractiveIndex = window->ReadControls().n_DIATHLASI / 100.0;
    window->DrawConstruction();
    if (lessonStep) {
        window->OpenLesson(*lessonStep);
    }
    return window;
}

} // namespace kymata
