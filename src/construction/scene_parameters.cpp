#include "construction/scene_parameters.h"
#include "construction/controls.h"
#include "texts/catalogue.h"

#include "construction/number_format.h"

#include <cmath>

namespace kymata {

void ReadScene(const Controls& controls, Scene& scene) {
    scene.RefractiveIndex = controls.n_DIATHLASI / 100.0;
    scene.Wavelength = 5;
    scene.LensWavelength = scene.Wavelength / scene.RefractiveIndex;
    scene.FrontRadius = 9 * scene.Wavelength;
    scene.SourceX = controls.initial_POINT * scene.Wavelength;
    scene.Pi = 4 * std::atan(1.0);
}

SphericalGeometry DeriveSphericalGeometry(const Controls& controls, const Scene& scene) {
    SphericalGeometry g{};
    g.SurfaceCentreX = 3 * scene.Wavelength;
    g.FrontVertexX = g.SurfaceCentreX - scene.FrontRadius;
    g.LensThickness = controls.pachos * scene.LensWavelength;
    g.BackVertexX = g.LensThickness + g.FrontVertexX;
    g.FocusDistance = controls.fOCUS_POINT * scene.Wavelength;
    g.FocusX = g.FocusDistance + g.BackVertexX;
    return g;
}

std::string RefractiveIndexCaption(const Controls& controls) {
    return " n = " + PlainNumber(controls.n_DIATHLASI / 100.0);
}

std::string ThicknessCaption(const Controls& controls, const Scene& scene) {
    const std::string width = Format(double(controls.pachos * scene.Wavelength), 0);
    const std::string waves = Format(double(controls.pachos), 2);
    return Text("classic.readout.thickness", TextLanguage(controls), {width, waves});
}

std::string SourceCaption(const Controls& controls) {
    return Text("classic.readout.source", TextLanguage(controls),
                {Format(double(-controls.initial_POINT), 0)});
}

std::string FocusCaption(const Controls& controls) {
    return Text("classic.readout.focus", TextLanguage(controls),
                {Format(double(controls.fOCUS_POINT), 0)});
}

Labels SceneLabels(const Controls& controls, const Scene& scene) {
    return {SourceCaption(controls), FocusCaption(controls), RefractiveIndexCaption(controls),
            ThicknessCaption(controls, scene)};
}

} // namespace kymata
