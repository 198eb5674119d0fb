#include "shell/window_controls.h"

namespace kymata {

const std::vector<WindowControl>& WindowControls() {
    using K = ControlKind;
    static const std::vector<WindowControl> controls = {
        {"Command1", K::Button},
        {"YPERVOLIKO", K::Captioned},
        {"ELLINIKA", K::Captioned},
        {"AGLIKA", K::Captioned},
        {"initial_POINT", K::Bar, false, false, 1},
        {"Label1", K::Readout, false, false, 1},
        {"fOCUS_POINT", K::Bar, false, false, 1},
        {"Label2", K::Readout, false, false, 1},
        {"pachos", K::Bar, false, false, 1},
        {"Label4", K::Readout, false, false, 1},
        {"n_DIATHLASI", K::Bar, false, false, 1},
        {"Label3", K::Readout, false, false, 1},
        {"f_apeiro", K::Captioned, false, false, 2},
        {"waveView", K::Button, true, false, 2},
        {"lessonButton", K::Button, true, false, 2, true},
        {"perfectLens", K::Button, true, true, 2},
        {"playButton", K::Button, true, true, 3},
        {"flashButton", K::Button, true, true, 3},
        {"bestFocusButton", K::Button, true, true, 3, true},
        {"speedLabel", K::Note, true, true, 3},
    };
    return controls;
}

} // namespace kymata
