#pragma once

#include "texts/catalogue.h"

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace kymata {

/// `text` (UTF-8) as the toolkit holds it.
inline QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// The catalogue's text `key` in `language` ("el", "en", ...) as the toolkit shows it.
inline QString Said(std::string_view key, std::string_view language) {
    return Utf8(Text(key, language));
}

/// `Said(key, language)` with its placeholders %1, %2, ... replaced by `values` in order.
inline QString Said(std::string_view key, std::string_view language, const QStringList& values) {
    std::vector<std::string> filled;
    filled.reserve(static_cast<std::size_t>(values.size()));
    for (const QString& value : values) {
        filled.push_back(value.toStdString());
    }
    return QString::fromStdString(FillPlaceholders(Text(key, language), filled));
}

} // namespace kymata
