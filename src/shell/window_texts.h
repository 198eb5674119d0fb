#pragma once

#include <QString>

#include <string>

namespace kymata {

/// A text of the figure core (UTF-8) as the toolkit shows it.
inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace kymata
