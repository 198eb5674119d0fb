#include "construction/controls.h"
#include "construction/number_format.h"
#include "construction/scene_parameters.h"
#include "construction/spherical_construction.h"
#include "printing/print_jobs.h"
#include "texts/catalogue.h"

#include <cmath>
#include <string>
#include <vector>

namespace kymata {

namespace {

/// The first of the page's lines that are wave counts.
constexpr std::size_t CountLines = 4;

/// The read-outs and counts printed beside the figure, in the current language.
std::vector<std::string> PageTexts(const Controls& controls, const Scene& scene) {
    const SphericalGeometry g = DeriveSphericalGeometry(controls, scene);
    const double w = scene.Wavelength;
    const std::string width = Format(double(controls.pachos * scene.Wavelength), 0);
    const std::string waves = Format(double(controls.pachos), 2);
    // Along the axis: air waves from the source to the front vertex, the glass waves of the
    // lens, and the air waves from its back to the focus.
    const double toLens = std::abs(g.FrontVertexX - scene.SourceX) / w;
    const double behind = g.FocusDistance / w;
    const double total = toLens + controls.pachos + behind;
    const std::string_view language = TextLanguage(controls);
    return {Text("spherical.page.thickness", language, {width, waves}),
            Text("spherical.page.source", language, {Format(double(-controls.initial_POINT), 0)}),
            Text("spherical.page.focus", language, {Format(double(controls.fOCUS_POINT), 0)}),
            " n = " + PlainNumber(controls.n_DIATHLASI / 100.0),
            Text("spherical.page.total", language, {Format(total, 2)}),
            Text("spherical.page.back", language, {Format(behind, 2)})};
}

} // namespace

void PrintSphericalConstruction(const Controls& controls, Scene& scene, PageSurface& page) {
    Controls spherical = controls;
    spherical.YPERVOLIKO = false;
    ReadScene(spherical, scene);
    page.SetOrientation(PageSurface::Landscape);
    // The box has the page's proportions: 140 units down, 140 w / h across.
    const double across = 70 * page.Width() / page.Height();
    page.Scale(-across, 70, across, -70);
    page.FontSize = 12;
    DrawSphericalFigure(spherical, scene, page);

    // The texts stand in the lower left of the page, below the rays and left of the rulers.
    page.ForeColor = {0, 0, 0};
    page.FontName = "Times New Roman";
    page.FontSize = 9;
    page.CurrentX = static_cast<float>(-across + 2);
    page.CurrentY = -48;
    const std::vector<std::string> lines = PageTexts(spherical, scene);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The read-outs of the controls, then the two wave counts.
        page.PrintRole = i >= CountLines ? TextRole::Count : TextRole::Plain;
        const float x = page.CurrentX;
        page.Print(lines[i]);
        page.CurrentX = x;
    }
    page.PrintRole = TextRole::Plain;
    page.FontSize = 12;
    page.EndDoc();
}

} // namespace kymata
