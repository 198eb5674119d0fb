#pragma once

#include <span>
#include <string_view>

namespace kymata::texts {

/// A language's message catalogue as the build embedded it: its code and its PO text.
struct EmbeddedCatalogue {
    std::string_view code;
    std::string_view po;
};

/// Every catalogue of data/i18n/ that the build's list of languages names, in that order. The
/// definition is written by the build (cmake/EmbedCatalogues.cmake).
std::span<const EmbeddedCatalogue> EmbeddedCatalogues();

} // namespace kymata::texts
