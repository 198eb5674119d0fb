#include "shell/startup.h"

#include "shell/main_window.h"

#include <QGuiApplication>
#include <QScreen>

namespace kymata {

DHMIOYRGO_KYKLO* Main(bool waves) {
    auto* window = new DHMIOYRGO_KYKLO;
    window->SetWaveView(waves);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        window->setGeometry(screen->availableGeometry());
    }
    window->ApplyLayout();
    window->show();
    window->Scene().RefractiveIndex = window->ReadControls().n_DIATHLASI / 100.0;
    window->DrawConstruction();
    return window;
}

} // namespace kymata
