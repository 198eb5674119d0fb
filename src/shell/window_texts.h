#pragma once

#include "construction/controls.h"

#include <QString>

namespace kymata {

/// The window's own texts around the figure (menus, dialogs, accessible names), in the current
/// language. The figure's texts and the read-outs belong to the constructions.
struct WindowTexts {
    QString saveFigure;
    QString saveWorksheet;
    QString print;
    QString printWorksheet;
    QString liveDragging;
    QString presentation;
    QString zoomIn;
    QString zoomOut;
    QString wholeFigure;
    QString quit;
    QString saveTitle;
    QString pngSizeTitle;
    QString pngSizeLabel;
    QString saveFailed;
    QString waveView;
    QString waveViewCaption;
    QString ledgerTitle;
    QString playPause;
    QString playCaption;
    QString pauseCaption;
    QString stepFrame;
    QString slower;
    QString faster;
    QString flash;
    QString flashCaption;
    QString perfectLensCaption;
    /// "%1" is the speed: periods a second.
    QString speed;
};

WindowTexts TextsFor(bool greek);

/// What a screen reader says about one control: its name and a description that includes what
/// the control's value means in the scene.
struct AccessibleText {
    QString name;
    QString description;
};

/// The accessible name and description of the control `objectName` for the scene `controls`,
/// in the language that `controls.ELLINIKA` selects.
AccessibleText AccessibleTextFor(const QString& objectName, const Controls& controls);

} // namespace kymata
