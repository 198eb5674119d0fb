#include "drawing/worksheet.h"

namespace kymata {

std::string BlankCount(const std::string& text) {
    const auto equals = text.rfind('=');
    if (equals == std::string::npos) {
        return WorksheetBlank;
    }
    // Keep the blanks that stood between "=" and the number.
    auto number = text.find_first_not_of(' ', equals + 1);
    if (number == std::string::npos) {
        number = text.size();
    }
    return text.substr(0, number) + WorksheetBlank;
}

Recording Worksheet(const Recording& figure) {
    Recording sheet{figure.box, {}};
    sheet.items.reserve(figure.items.size());
    for (const Item& item : figure.items) {
        if (const auto* text = std::get_if<TextItem>(&item)) {
            if (text->role == TextRole::AxisCount) {
                continue;
            }
            if (text->role == TextRole::Count) {
                TextItem blanked = *text;
                blanked.text = BlankCount(text->text);
                sheet.items.emplace_back(blanked);
                continue;
            }
        }
        sheet.items.push_back(item);
    }
    return sheet;
}

} // namespace kymata
