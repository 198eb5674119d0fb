#include "shell/form_layout.h"

#include <cmath>
#include <map>
#include <string>

namespace kymata {

namespace {

/// A rectangle in form units: `top` is the y of the upper edge, y growing upwards.
struct FormRect {
    double left;
    double top;
    double width;
    double height;
};

const DesignedControl& Design(const char* name) {
    for (const DesignedControl& c : DesignedControls()) {
        if (std::string(c.name) == name) {
            return c;
        }
    }
    return DesignedControls().front();
}

} // namespace

const std::vector<DesignedControl>& DesignedControls() {
    static const std::vector<DesignedControl> controls = {
        {"EIKON", 360, 720, 4692, 5052, 0},
        {"Command1", 5400, 960, 1332, 732, 1},
        {"initial_POINT", 5280, 2160, 2775, 375, 2},
        {"Label1", 8040, 2160, 975, 975, 3},
        {"fOCUS_POINT", 5280, 4080, 3015, 495, 4},
        {"Label2", 8280, 4080, 855, 615, 5},
        {"n_DIATHLASI", 5280, 5160, 3015, 495, 6},
        {"Label3", 8280, 5160, 1095, 615, 7},
        {"pachos", 0, 0, 2775, 495, 8},
        {"Label4", 2880, 0, 975, 615, 9},
        {"f_apeiro", 5280, 6000, 2295, 495, 10},
        {"YPERVOLIKO", 6840, 960, 1455, 735, 11},
        {"ELLINIKA", 5280, 120, 975, 495, 12},
        {"AGLIKA", 6360, 120, 1335, 615, 13},
    };
    return controls;
}

QRect FormLayout::Rect(const QString& name) const {
    for (const Placement& p : placements) {
        if (p.name == name) {
            return p.rect;
        }
    }
    return {};
}

FormLayout ComputeFormLayout(QSize client, double dpi) {
    return ComputeFormLayout(client, dpi, 0.9 * std::max(1, client.height()));
}

FormLayout ComputeFormLayout(QSize client, double dpi, double canvasSide) {
    const double w = std::max(1, client.width());
    const double h = std::max(1, client.height());
    // Form units per pixel across and down, and pixels per twip.
    const double unitsX = 100.0 / w;
    const double unitsY = 100.0 / h;
    const double pixelsPerTwip = dpi / 1440.0;
    const auto designWidth = [&](const char* name) {
        return Design(name).width * pixelsPerTwip * unitsX;
    };
    const auto designHeight = [&](const char* name) {
        return Design(name).height * pixelsPerTwip * unitsY;
    };

    std::map<std::string, FormRect> r;
    const double side = canvasSide; // pixels: the canvas is square
    FormRect e{1, 99, side * unitsX, side * unitsY};
    r["EIKON"] = e;
    const double right = e.left + e.width;
    const FormRect c{right, e.top, designWidth("Command1"), designHeight("Command1")};
    r["Command1"] = c;
    const FormRect f{right, e.top - e.height / 3, e.width / 5, e.height / 25};
    r["fOCUS_POINT"] = f;
    const FormRect i{f.left, c.top - c.height, f.width, designHeight("initial_POINT")};
    r["initial_POINT"] = i;
    const FormRect n{f.left, e.top - e.height + 3 * f.height, f.width, f.height};
    r["n_DIATHLASI"] = n;
    const FormRect l1{i.left + i.width, i.top, 0.75 * f.width, designHeight("Label1")};
    r["Label1"] = l1;
    r["Label2"] = {l1.left, f.top, l1.width, designHeight("Label2")};
    r["Label3"] = {l1.left, n.top, l1.width, designHeight("Label3")};
    const FormRect p{f.left, e.top - 2 * e.height / 3, f.width, f.height};
    r["pachos"] = p;
    const FormRect el{i.left, i.top - i.height, designWidth("ELLINIKA"), designHeight("ELLINIKA")};
    r["ELLINIKA"] = el;
    r["AGLIKA"] = {el.left, el.top - el.height, designWidth("AGLIKA"), designHeight("AGLIKA")};
    r["Label4"] = {l1.left, p.top, l1.width, 2 * l1.height};
    r["YPERVOLIKO"] = {c.left + c.width, c.top, designWidth("YPERVOLIKO"),
                       designHeight("YPERVOLIKO")};
    r["f_apeiro"] = {right, p.top - p.height, designWidth("f_apeiro"), designHeight("f_apeiro")};

    FormLayout layout;
    for (const DesignedControl& d : DesignedControls()) {
        const FormRect& u = r.at(d.name);
        const int x = static_cast<int>(std::lround(u.left / unitsX));
        const int y = static_cast<int>(std::lround((100 - u.top) / unitsY));
        int width = static_cast<int>(std::lround(u.width / unitsX));
        int height = static_cast<int>(std::lround(u.height / unitsY));
        if (std::string(d.name) == "EIKON") {
            width = height = static_cast<int>(std::lround(side));
        }
        layout.placements.push_back({QString::fromLatin1(d.name), QRect(x, y, width, height)});
    }
    return layout;
}

} // namespace kymata
