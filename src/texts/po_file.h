#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kymata::texts {

/// One message of a catalogue in gettext PO format: its key (msgctxt), the English source text
/// (msgid) and the text in the catalogue's language (msgstr), with the flags of its "#," line.
struct PoMessage {
    std::string key;
    std::string source;
    std::string text;
    std::vector<std::string> flags;
    /// The line of the file on which the message begins, for messages about it.
    int line = 0;
};

/// The messages of a PO file, or the first fault in it.
struct PoFile {
    std::vector<PoMessage> messages;
    /// Empty when the file reads; otherwise one sentence naming the line.
    std::string error;
};

/// Reads the PO text `po`: entries of msgctxt, msgid and msgstr, each a quoted string that may
/// go on in further quoted lines, with the escapes \" \\ \n and \t; "#" lines are comments,
/// "#," lines flags. The header (the entry with an empty msgid) is skipped; plural forms are
/// not used by this program and are refused.
PoFile ReadPo(std::string_view po);

/// The placeholders %1 to %9 of `text`, in the order they appear.
std::vector<std::string> Placeholders(std::string_view text);

} // namespace kymata::texts
