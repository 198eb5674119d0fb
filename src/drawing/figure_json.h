#pragma once

#include "drawing/display_list.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kymata {

/// A number as JSON: its shortest exact text, or null when it is not finite.
std::string JsonNumber(double value);
std::string JsonNumber(float value);
std::string JsonNumber(int value);
/// A UTF-8 text as a JSON string, with quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view text);

/// A JSON object written member by member, in the order they are added, on one line.
class JsonObject {
public:
    /// `separator` stands between members: ", " in a document's header lines, "," in items.
    explicit JsonObject(std::string separator = ", ") : separator_(std::move(separator)) {}

    JsonObject& Add(std::string_view key, double value) { return Raw(key, JsonNumber(value)); }
    JsonObject& Add(std::string_view key, float value) { return Raw(key, JsonNumber(value)); }
    JsonObject& Add(std::string_view key, int value) { return Raw(key, JsonNumber(value)); }
    JsonObject& Add(std::string_view key, bool value) { return Raw(key, value ? "true" : "false"); }
    JsonObject& Add(std::string_view key, std::string_view text) {
        return Raw(key, JsonString(text));
    }
    JsonObject& Add(std::string_view key, const char* text) { return Raw(key, JsonString(text)); }
    /// A member whose value is JSON text already (an object, an array, null).
    JsonObject& Raw(std::string_view key, std::string_view json);

    /// The object's text, braces included.
    std::string Text() const { return "{" + members_ + "}"; }

private:
    std::string separator_;
    std::string members_;
};

/// A recording as JSON: "scale": [left, top, right, bottom] and "items" in drawing order, one
/// item a line. Coordinates are written in their shortest exact form, colours as lower-case
/// "#rrggbb".
std::string RecordingJson(const Recording& recording);

/// A figure document: one top-level member a line, in the given order, each value JSON text.
std::string DocumentJson(const std::vector<std::pair<std::string, std::string>>& members);

} // namespace kymata
