#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kymata {

/// The code of the language that the GREEK/ENGLISH switch chooses: "el" or "en".
constexpr std::string_view SwitchLanguage(bool greek) {
    return greek ? "el" : "en";
}

/// The text with key `key` in the language `language` ("el", "en", ...), from the message
/// catalogues in data/i18n/, which the build embeds. A text that the language lacks (a
/// translation begun but not finished) is the English one, as gettext does; a key that no
/// catalogue has gives the key itself, so that a missing text shows. The tests see that every
/// key used has its text in every shipped language.
std::string_view Text(std::string_view key, std::string_view language);

/// `Text(key, language)` with its placeholders %1, %2, ... replaced by `values` in order.
std::string Text(std::string_view key, std::string_view language,
                 std::initializer_list<std::string_view> values);

/// `pattern` with each placeholder %1 ... %9 replaced by the value of that number; a
/// placeholder beyond the values stays as it is.
std::string FillPlaceholders(std::string_view pattern,
                             std::initializer_list<std::string_view> values);
std::string FillPlaceholders(std::string_view pattern, const std::vector<std::string>& values);

/// Every key that begins with `prefix`, with its text in `language`, in the order of the keys.
std::vector<std::pair<std::string, std::string>> TextsStartingWith(std::string_view prefix,
                                                                   std::string_view language);

/// The codes of the languages the program ships, in the order of the build's list ("el", "en").
std::vector<std::string> CatalogueLanguages();

/// The code of the shipped language `code`, lasting as long as the program; empty when the
/// program does not ship it.
std::string_view ShippedLanguage(std::string_view code);

/// The codes of the shipped languages as a message in `language` lists them: "el or en",
/// "el, en or fr".
std::string LanguageChoices(std::string_view language);

/// The PO text of the language `code` as it was embedded; empty for an unknown language.
std::string_view CatalogueSource(std::string_view code);

} // namespace kymata
