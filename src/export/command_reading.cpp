#include "export/command_reading.h"

#include "export/said.h"

#include <cmath>

namespace kymata {

/// Reads the words of `arguments` (after the program's name) into options and the rest:
/// "--name value", "--name=value", a switch "--name", the one-letter "-h", "-?" and "-v", and
/// after "--" words alone. The first word that cannot be read is the problem.
Problem ReadOptions(const QStringList& arguments, std::string_view language, GivenOptions& given) {
    bool wordsOnly = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (wordsOnly || word == QLatin1String("-") || !word.startsWith(QLatin1Char('-'))) {
            given.positional << word;
            continue;
        }
        if (word == QLatin1String("--")) {
            wordsOnly = true;
            continue;
        }
        const bool longForm = word.startsWith(QLatin1String("--"));
        const QString name = word.mid(longForm ? 2 : 1).section(QLatin1Char('='), 0, 0);
        const CommandOption* option = FindCommandOption(name.toStdString());
        if (!longForm && name.size() > 1 && option != nullptr) {
            // "-source" would otherwise be read as -s -o -u -r -c -e.
            return Said("cli.oneDash", language, {name});
        }
        if (option == nullptr || (!longForm && name.size() > 1) || (longForm && name.size() == 1)) {
            return Said("cli.unknownOption", language, {word.section(QLatin1Char('='), 0, 0)});
        }
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString optionName = Utf8(option->name);
        if (option->value == OptionValue::None) {
            if (equals >= 0) {
                return Said("cli.unexpectedValue", language, {optionName});
            }
            given.options.emplace_back(option, QString());
        } else if (equals >= 0) {
            given.options.emplace_back(option, word.mid(equals + 1));
        } else if (i + 1 < arguments.size()) {
            given.options.emplace_back(option, arguments[++i]);
        } else {
            return Said("cli.missingValue", language, {optionName});
        }
    }
    return std::nullopt;
}

/// An option given twice: a second value would silently win over the first.
Problem RepeatedOption(const GivenOptions& given, std::string_view language) {
    for (std::size_t i = 0; i < given.options.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (given.options[i].first == given.options[j].first) {
                return Said("cli.repeated", language, {Utf8(given.options[i].first->name)});
            }
        }
    }
    return std::nullopt;
}

/// An option that does not stand where it is given: beside --lesson-plan only --lang, in a
/// window start only the scene's options.
Problem MisplacedOption(const GivenOptions& given, OptionPlace place, std::string_view language) {
    for (const auto& [option, value] : given.options) {
        if ((option->places & place) != 0) {
            continue;
        }
        const QString name = Utf8(option->name);
        return place == InLessonPlan ? Said("cli.planAlone", language, {name})
                                     : Said("cli.onlyInFile", language, {name});
    }
    return std::nullopt;
}

/// The number an Integer, Index or Real option gives, within its range; its fallback when it is
/// not given.
std::optional<double> NumberOption(const GivenOptions& given, std::string_view name,
                                   std::string_view language, Problem& problem) {
    const CommandOption& option = *FindCommandOption(name);
    if (!given.IsSet(name)) {
        return option.fallback;
    }
    const QString text = given.Value(name);
    const QString min = OptionNumber(option, option.min);
    const QString max = OptionNumber(option, option.max);
    bool ok = false;
    switch (option.value) {
    case OptionValue::Integer: {
        const int value = text.toInt(&ok);
        if (ok && value >= option.min && value <= option.max) {
            return value;
        }
        problem = Said("cli.bad.integer", language, {Utf8(name), text, min, max});
        return std::nullopt;
    }
    case OptionValue::Index: {
        // Whole hundredths only: the index bar moves in steps of 0.01.
        const double hundredths = text.toDouble(&ok) * 100;
        const double whole = std::round(hundredths);
        if (ok && std::isfinite(hundredths) && std::abs(hundredths - whole) <= 1e-6 &&
            whole >= option.min * 100 - 1e-9 && whole <= option.max * 100 + 1e-9) {
            return whole / 100;
        }
        problem = Said("cli.bad.index", language, {text, min, max});
        return std::nullopt;
    }
    case OptionValue::Real: {
        const double value = text.toDouble(&ok);
        if (ok && std::isfinite(value) && value >= option.min && value <= option.max &&
            (option.closed || value < option.max)) {
            return value;
        }
        problem = Said(option.closed ? "cli.bad.real" : "cli.bad.realBelow", language,
                       {Utf8(name), text, min, max});
        return std::nullopt;
    }
    case OptionValue::None:
    case OptionValue::Word:
    case OptionValue::File:
        break;
    }
    return std::nullopt;
}

/// The word a Word option gives (its first word when not given), one of the words it takes.
std::optional<QString> WordOption(const GivenOptions& given, std::string_view name,
                                  std::string_view language, Problem& problem) {
    const QStringList words = OptionWords(*FindCommandOption(name));
    if (!given.IsSet(name)) {
        return words.constFirst();
    }
    const QString word = given.Value(name);
    if (words.contains(word)) {
        return word;
    }
    QString choices;
    for (qsizetype i = 0; i < words.size(); ++i) {
        choices += i == 0                 ? QString()
                   : i + 1 < words.size() ? QStringLiteral(", ")
                                          : Said("list.lastJoin", language);
        choices += words[i];
    }
    problem = Said("cli.bad.word", language, {Utf8(name), word, choices});
    return std::nullopt;
}

/// The path of a File option, given and not empty.
Problem FileNameProblem(const GivenOptions& given, std::string_view name,
                        std::string_view language) {
    if (given.IsSet(name) && given.Value(name).isEmpty()) {
        return Said("cli.bad.noFile", language, {Utf8(name)});
    }
    return std::nullopt;
}

} // namespace kymata
