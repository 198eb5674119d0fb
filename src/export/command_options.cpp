#include "export/command_options.h"

#include "construction/controls.h"
#include "construction/views.h"
#include "export/said.h"
#include "lesson/lesson.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kymata {

namespace {

constexpr unsigned Anywhere = InExport | InWindow | InLessonPlan;
constexpr unsigned ExportOrWindow = InExport | InWindow;

/// The most beats a step of the lesson has.
int MostBeats() {
    int most = 1;
    for (int step = 1; step <= LessonStepCount(); ++step) {
        most = std::max(most, LessonBeatCount(step));
    }
    return most;
}

/// The table itself. The lesson's step count is known only at run time, so the table is made
/// once, on first use.
std::vector<CommandOption> MakeOptions() {
    const auto integer = [](std::string_view name, std::string_view valueName, double min,
                            double max, double fallback, unsigned places, bool scene) {
        return CommandOption{
            name, OptionValue::Integer, valueName, min, max, fallback, true, places, scene, {}};
    };
    const auto word = [](std::string_view name, std::string_view valueName, unsigned places,
                         bool scene) {
        return CommandOption{name, OptionValue::Word, valueName, 0, 0, 0, true, places, scene, {}};
    };
    const auto file = [](std::string_view name, unsigned places) {
        return CommandOption{name, OptionValue::File, "FILE", 0, 0, 0, true, places, false, {}};
    };
    const auto onOff = [](std::string_view name, unsigned places, bool scene,
                          std::string_view shortNames = {}) {
        return CommandOption{name, OptionValue::None, {}, 0, 0, 0, true, places, scene, shortNames};
    };
    const Controls start;
    return {
        onOff("help", Anywhere, false, "h?"),
        onOff("help-all", Anywhere, false),
        onOff("version", Anywhere, false, "v"),
        file("export", InExport),
        file("print-to", InExport),
        integer("size", "PX", 10, 8000, 1000, InExport, false),
        integer("source", "N", initial_POINT_Range.min, initial_POINT_Range.max,
                start.initial_POINT, ExportOrWindow, true),
        // An integer, or the word "best"; the range is that of the integer.
        CommandOption{"focus",
                      OptionValue::Word,
                      "N|best",
                      double(fOCUS_POINT_Range.min),
                      double(fOCUS_POINT_Range.max),
                      double(start.fOCUS_POINT),
                      true,
                      ExportOrWindow,
                      true,
                      {}},
        CommandOption{"index",
                      OptionValue::Index,
                      "X",
                      n_DIATHLASI_Range.min / 100.0,
                      n_DIATHLASI_Range.max / 100.0,
                      start.n_DIATHLASI / 100.0,
                      true,
                      ExportOrWindow,
                      true,
                      {}},
        integer("thickness", "N", pachos_Range.min, pachos_Range.max, start.pachos, ExportOrWindow,
                true),
        onOff("hyperbola", ExportOrWindow, true),
        onOff("parallel-beam", ExportOrWindow, true),
        word("view", {}, ExportOrWindow, true),
        word("lens", {}, ExportOrWindow, true),
        // The moment and the motion of the wave view: a lesson step in that view takes them.
        CommandOption{"phase", OptionValue::Real, "T", 0, 1, 0, false, InExport, false, {}},
        CommandOption{"flash", OptionValue::Real, "C", 0, 10000, 0, true, InExport, false, {}},
        onOff("animate", InExport, false),
        integer("frames", "N", 2, 1000, 0, InExport, false),
        onOff("worksheet", InExport, false),
        onOff("force", InExport | InLessonPlan, false),
        word("lang", {}, Anywhere, false),
        integer("lesson", "N", 1, LessonStepCount(), 1, ExportOrWindow, false),
        integer("beat", "B", 1, MostBeats(), 1, InExport, false),
        file("lesson-plan", InLessonPlan),
    };
}

} // namespace

QString OptionNumber(const CommandOption& option, double value) {
    return option.value == OptionValue::Index ? QString::number(value, 'f', 2)
                                              : QString::number(value, 'g', 10);
}

QStringList OptionWords(const CommandOption& option) {
    QStringList words;
    if (option.name == "view") {
        for (const ViewTraits& row : ViewNames) {
            words << Utf8(row.name);
        }
    } else if (option.name == "lens") {
        words << QStringLiteral("sphere") << QStringLiteral("hyperbola")
              << QStringLiteral("perfect");
    } else if (option.name == "lang") {
        for (const std::string& code : CatalogueLanguages()) {
            words << QString::fromStdString(code);
        }
    }
    return words;
}

namespace {

/// The option's names as --help's first column writes them: "-h, -?, --help", "--size <PX>".
QString NamesColumn(const CommandOption& option) {
    QStringList names;
    for (const char letter : option.shortNames) {
        names << QStringLiteral("-") + QLatin1Char(letter);
    }
    names << QStringLiteral("--") + Utf8(option.name);
    QString column = names.join(QStringLiteral(", "));
    const QString value = option.valueName.empty() ? OptionWords(option).join(QLatin1Char('|'))
                                                   : Utf8(option.valueName);
    if (option.value != OptionValue::None) {
        column += QStringLiteral(" <%1>").arg(value);
    }
    return column;
}

/// `text` broken at spaces into lines of at most `width` characters.
QStringList Wrapped(const QString& text, qsizetype width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty()) {
        lines << line;
    }
    return lines;
}

/// The first language of a locale name ("el_GR.UTF-8" gives "el"), if the program ships it.
std::string_view LocaleLanguage(std::string_view locale) {
    const std::size_t end = locale.find_first_of("_.@");
    return ShippedLanguage(locale.substr(0, end));
}

} // namespace

std::span<const CommandOption> CommandOptions() {
    static const std::vector<CommandOption> options = MakeOptions();
    return options;
}

const CommandOption* FindCommandOption(std::string_view name) {
    for (const CommandOption& option : CommandOptions()) {
        if (option.name == name ||
            (name.size() == 1 && option.shortNames.find(name[0]) != std::string_view::npos)) {
            return &option;
        }
    }
    return nullptr;
}

QString OptionHelp(const CommandOption& option, std::string_view language) {
    std::string key = "cli.option.";
    key += option.name;
    if (option.name == "lang") {
        return Said(key, language, {QString::fromStdString(LanguageChoices(language))});
    }
    return Said(key, language,
                {OptionNumber(option, option.min), OptionNumber(option, option.max),
                 OptionNumber(option, option.fallback)});
}

QString HelpText(std::string_view language, bool all) {
    QString text = Said("cli.usage", language) + QLatin1Char('\n') +
                   Said("cli.description", language) + QStringLiteral("\n\n") +
                   Said("cli.optionsHeading", language) + QLatin1Char('\n');
    qsizetype widest = 0;
    for (const CommandOption& option : CommandOptions()) {
        widest = std::max(widest, NamesColumn(option).size());
    }
    const qsizetype column = 2 + widest + 2;
    constexpr qsizetype LineLength = 80;
    for (const CommandOption& option : CommandOptions()) {
        const QStringList lines = Wrapped(OptionHelp(option, language), LineLength - column);
        text += QStringLiteral("  ") + NamesColumn(option).leftJustified(column - 2);
        text += lines.join(QLatin1Char('\n') + QString(column, QLatin1Char(' ')));
        text += QLatin1Char('\n');
    }
    text += QLatin1Char('\n') + Said("cli.exitCodes", language) + QLatin1Char('\n');
    if (all) {
        text += QLatin1Char('\n') + Said("cli.qtOptions", language) + QLatin1Char('\n');
    }
    return text;
}

std::string_view MessageLanguage(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        QString value;
        if (a.startsWith(QLatin1String("--lang="))) {
            value = a.mid(7);
        } else if (a == QLatin1String("--lang") && i + 1 < arguments.size()) {
            value = arguments[i + 1];
        }
        if (const std::string_view code = ShippedLanguage(value.toStdString()); !code.empty()) {
            return code;
        }
    }
    // As gettext: the first locale variable set decides; LANGUAGE, a list, comes first unless
    // the locale is the plain C one.
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    if (locale.empty() || locale == "C" || locale.starts_with("C.") || locale == "POSIX") {
        return "en";
    }
    if (const char* list = std::getenv("LANGUAGE"); list != nullptr) {
        std::string_view rest = list;
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            if (const std::string_view code = LocaleLanguage(rest.substr(0, colon));
                !code.empty()) {
                return code;
            }
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    const std::string_view code = LocaleLanguage(locale);
    return code.empty() ? std::string_view("en") : code;
}

} // namespace kymata
