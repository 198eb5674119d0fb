#pragma once

#include "export/command_options.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace kymata {

/// The options as given, in order, each with its value (empty for a switch), and the words
/// that are no option.
struct GivenOptions {
    std::vector<std::pair<const CommandOption*, QString>> options;
    QStringList positional;

    bool IsSet(std::string_view name) const {
        for (const auto& [option, value] : options) {
            if (option->name == name) {
                return true;
            }
        }
        return false;
    }
    /// The value of the option's first appearance; empty when it is not given.
    QString Value(std::string_view name) const {
        for (const auto& [option, value] : options) {
            if (option->name == name) {
                return value;
            }
        }
        return {};
    }
};

/// A usage error: one sentence, or nothing.
using Problem = std::optional<QString>;

/// Reads the words of `arguments` (after the program's name) into options and the rest:
/// "--name value", "--name=value", a switch "--name", the one-letter "-h", "-?" and "-v", and
/// after "--" words alone. The first word that cannot be read is the problem.
Problem ReadOptions(const QStringList& arguments, std::string_view language, GivenOptions& given);

/// An option given twice: a second value would silently win over the first.
Problem RepeatedOption(const GivenOptions& given, std::string_view language);

/// An option that does not stand where it is given: beside --lesson-plan only --lang, in a
/// window start only the scene's options.
Problem MisplacedOption(const GivenOptions& given, OptionPlace place, std::string_view language);

/// The number an Integer, Index or Real option gives, within its range; its fallback when it is
/// not given.
std::optional<double> NumberOption(const GivenOptions& given, std::string_view name,
                                   std::string_view language, Problem& problem);

/// The word a Word option gives (its first word when not given), one of the words it takes.
std::optional<QString> WordOption(const GivenOptions& given, std::string_view name,
                                  std::string_view language, Problem& problem);

/// The path of a File option, given and not empty.
Problem FileNameProblem(const GivenOptions& given, std::string_view name,
                        std::string_view language);

} // namespace kymata
