#include "texts/po_file.h"

#include <cctype>

namespace kymata::texts {

namespace {

/// The text of the quoted string that starts `line` at `from`, its escapes undone; false when it
/// is not one.
bool Unquote(std::string_view line, std::size_t from, std::string& out) {
    while (from < line.size() && (line[from] == ' ' || line[from] == '\t')) {
        ++from;
    }
    if (from >= line.size() || line[from] != '"') {
        return false;
    }
    for (std::size_t i = from + 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            return line.find_first_not_of(" \t\r", i + 1) == std::string_view::npos;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= line.size()) {
            return false;
        }
        switch (line[i]) {
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case '"':
        case '\\':
            out += line[i];
            break;
        default:
            return false;
        }
    }
    return false;
}

std::vector<std::string> Flags(std::string_view line) {
    std::vector<std::string> flags;
    std::string flag;
    for (const char c : line.substr(2)) {
        if (c == ',' || c == ' ' || c == '\r') {
            if (!flag.empty()) {
                flags.push_back(flag);
            }
            flag.clear();
        } else {
            flag += c;
        }
    }
    if (!flag.empty()) {
        flags.push_back(flag);
    }
    return flags;
}

} // namespace

PoFile ReadPo(std::string_view po) {
    PoFile file;
    PoMessage message;
    std::string* field = nullptr;
    bool any = false;
    const auto finish = [&] {
        if (any && !message.source.empty()) {
            file.messages.push_back(message);
        }
        message = PoMessage{};
        field = nullptr;
        any = false;
    };
    int number = 0;
    std::size_t start = 0;
    while (start <= po.size() && file.error.empty()) {
        const std::size_t end = std::min(po.find('\n', start), po.size());
        std::string_view line = po.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const auto fail = [&](const char* what) {
            file.error = "line " + std::to_string(number) + ": " + what;
        };
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        if (line.front() == '#') {
            // A comment after a msgstr begins the next message.
            if (any && field == &message.text) {
                finish();
            }
            if (line.starts_with("#,")) {
                message.flags = Flags(line);
            }
            continue;
        }
        const auto begins = [&](std::string_view keyword, std::string& target) {
            if (!line.starts_with(keyword) || line.size() == keyword.size() ||
                line[keyword.size()] != ' ') {
                return false;
            }
            field = &target;
            if (!Unquote(line, keyword.size(), target)) {
                fail("the quoted text is not closed or has an unknown escape");
            }
            return true;
        };
        if (line.starts_with("msgctxt")) {
            if (any) {
                finish();
            }
            any = true;
            message.line = number;
            begins("msgctxt", message.key);
        } else if (line.starts_with("msgid_plural") || line.starts_with("msgstr[")) {
            fail("plural forms are not used in these catalogues");
        } else if (line.starts_with("msgid")) {
            if (any && field != &message.key) {
                finish();
            }
            if (!any) {
                message.line = number;
            }
            any = true;
            begins("msgid", message.source);
        } else if (line.starts_with("msgstr")) {
            if (field != &message.source) {
                fail("msgstr without its msgid");
            } else {
                begins("msgstr", message.text);
            }
        } else if (line.front() == '"') {
            if (!field || !Unquote(line, 0, *field)) {
                fail("a quoted line that continues nothing");
            }
        } else {
            fail("a line that is neither a comment, a keyword nor a quoted text");
        }
    }
    if (file.error.empty()) {
        finish();
    }
    return file;
}

std::vector<std::string> Placeholders(std::string_view text) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') {
            found.emplace_back(text.substr(i, 2));
        }
    }
    return found;
}

} // namespace kymata::texts
