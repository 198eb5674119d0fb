// kymata-po-check: the build's check of the message catalogues before it embeds them. Reads
// each PO file given with the program's own reader and refuses the build on the first fault of
// a file: "data/i18n/el.po:12: the quoted text is not closed or has an unknown escape".

#include "texts/po_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

/// The placeholders of `text` as one word each, in order of their numbers: "%1 %2".
std::string PlaceholderList(std::string_view text) {
    std::vector<std::string> found = kymata::texts::Placeholders(text);
    std::sort(found.begin(), found.end());
    std::string list;
    for (const std::string& p : found) {
        list += (list.empty() ? "" : " ") + p;
    }
    return list.empty() ? "none" : list;
}

/// The first fault of the catalogue `path` as "path:line: what", or empty when it is sound:
/// a text the reader refuses, a key given twice, a translation with other placeholders than
/// its English source.
std::string FaultOf(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::string(path) + ": cannot be read";
    }
    std::ostringstream text;
    text << in.rdbuf();
    const kymata::texts::PoFile po = kymata::texts::ReadPo(text.str());
    if (!po.error.empty()) {
        // The reader says "line N: what"; the file's name goes before it as compilers write it.
        const std::string_view error = po.error;
        const std::size_t colon = error.find(':');
        return std::string(path) + ":" + std::string(error.substr(5, colon - 5)) +
               std::string(error.substr(colon));
    }
    std::set<std::string> keys;
    for (const kymata::texts::PoMessage& m : po.messages) {
        const std::string at = std::string(path) + ":" + std::to_string(m.line) + ": ";
        if (!keys.insert(m.key).second) {
            return at + "the key \"" + m.key + "\" is given twice";
        }
        if (!m.text.empty() && PlaceholderList(m.text) != PlaceholderList(m.source)) {
            return at + "the text of \"" + m.key + "\" has the placeholders " +
                   PlaceholderList(m.text) + ", its English source " + PlaceholderList(m.source);
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    int faults = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string fault = FaultOf(argv[i]);
        if (!fault.empty()) {
            std::fprintf(stderr, "%s\n", fault.c_str());
            ++faults;
        }
    }
    return faults == 0 ? 0 : 1;
}
