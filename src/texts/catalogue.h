#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kymata {

/// The text with key `key` in Greek (`greek`) or English, from the message catalogues in
/// data/i18n/, which the build embeds. A key that no catalogue has gives the key itself, so
/// that a missing text shows; the tests see that every key used has its text in every language.
std::string_view Text(std::string_view key, bool greek);

/// `Text(key, greek)` with its placeholders %1, %2, ... replaced by `values` in order.
std::string Text(std::string_view key, bool greek, std::initializer_list<std::string_view> values);

/// `pattern` with each placeholder %1 ... %9 replaced by the value of that number; a
/// placeholder beyond the values stays as it is.
std::string FillPlaceholders(std::string_view pattern,
                             std::initializer_list<std::string_view> values);
std::string FillPlaceholders(std::string_view pattern, const std::vector<std::string>& values);

/// Every key that begins with `prefix`, with its text in Greek (`greek`) or English, in the
/// order of the keys.
std::vector<std::pair<std::string, std::string>> TextsStartingWith(std::string_view prefix,
                                                                   bool greek);

/// The codes of the languages the program ships, in the order of the build's list ("el", "en").
std::vector<std::string> CatalogueLanguages();

/// The PO text of the language `code` as it was embedded; empty for an unknown language.
std::string_view CatalogueSource(std::string_view code);

} // namespace kymata
