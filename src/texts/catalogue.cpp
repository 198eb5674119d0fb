#include "texts/catalogue.h"

#include "texts/embedded_catalogues.h"
#include "texts/po_file.h"

#include <map>

namespace kymata {

namespace {

/// One language's messages by key, read once from the embedded PO text.
using Messages = std::map<std::string, std::string, std::less<>>;

const Messages& MessagesOf(std::string_view code) {
    static const std::vector<std::pair<std::string, Messages>> all = [] {
        std::vector<std::pair<std::string, Messages>> read;
        for (const texts::EmbeddedCatalogue& catalogue : texts::EmbeddedCatalogues()) {
            Messages messages;
            for (texts::PoMessage& m : texts::ReadPo(catalogue.po).messages) {
                messages.emplace(std::move(m.key), std::move(m.text));
            }
            read.emplace_back(std::string(catalogue.code), std::move(messages));
        }
        return read;
    }();
    static const Messages none;
    for (const auto& [language, messages] : all) {
        if (language == code) {
            return messages;
        }
    }
    return none;
}

} // namespace

std::string_view Text(std::string_view key, std::string_view language) {
    for (const std::string_view code : {language, std::string_view("en")}) {
        const Messages& messages = MessagesOf(code);
        const auto found = messages.find(key);
        if (found != messages.end() && !found->second.empty()) {
            return found->second;
        }
    }
    return key;
}

std::string Text(std::string_view key, std::string_view language,
                 std::initializer_list<std::string_view> values) {
    return FillPlaceholders(Text(key, language), values);
}

std::string FillPlaceholders(std::string_view pattern, const std::vector<std::string>& values) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < values.size()) {
                text += values[index];
                ++i;
                continue;
            }
        }
        text += pattern[i];
    }
    return text;
}

std::string FillPlaceholders(std::string_view pattern,
                             std::initializer_list<std::string_view> values) {
    return FillPlaceholders(pattern, std::vector<std::string>(values.begin(), values.end()));
}

std::vector<std::pair<std::string, std::string>> TextsStartingWith(std::string_view prefix,
                                                                   std::string_view language) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (const auto& [key, text] : MessagesOf(language)) {
        if (std::string_view(key).starts_with(prefix)) {
            texts.emplace_back(key, text);
        }
    }
    return texts;
}

std::vector<std::string> CatalogueLanguages() {
    std::vector<std::string> codes;
    for (const texts::EmbeddedCatalogue& catalogue : texts::EmbeddedCatalogues()) {
        codes.emplace_back(catalogue.code);
    }
    return codes;
}

std::string_view ShippedLanguage(std::string_view code) {
    for (const texts::EmbeddedCatalogue& catalogue : texts::EmbeddedCatalogues()) {
        if (catalogue.code == code) {
            return catalogue.code;
        }
    }
    return {};
}

std::string LanguageChoices(std::string_view language) {
    const std::vector<std::string> codes = CatalogueLanguages();
    std::string choices;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0) {
            choices += i + 1 == codes.size() ? Text("list.lastJoin", language) : ", ";
        }
        choices += codes[i];
    }
    return choices;
}

std::string_view CatalogueSource(std::string_view code) {
    for (const texts::EmbeddedCatalogue& catalogue : texts::EmbeddedCatalogues()) {
        if (catalogue.code == code) {
            return catalogue.po;
        }
    }
    return {};
}

} // namespace kymata
