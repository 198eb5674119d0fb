#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <string_view>

namespace kymata {

/// What follows an option on the command line.
enum class OptionValue {
    /// Nothing: the option is a switch.
    None,
    /// An integer within the option's range.
    Integer,
    /// The refractive index: a number within the range in steps of 0.01.
    Index,
    /// A real number within the range (its top excluded unless `closed`).
    Real,
    /// One of a few words, checked where the option is read.
    Word,
    /// A file or folder name.
    File,
};

/// Where an option may stand, as bits: beside --export or --print-to, in a window start, or
/// beside --lesson-plan.
enum OptionPlace : unsigned {
    InExport = 1,
    InWindow = 2,
    InLessonPlan = 4,
};

/// One option of the command line: everything --help, the checks and the man page need of it.
struct CommandOption {
    /// The long name, written after two dashes.
    std::string_view name;
    OptionValue value = OptionValue::None;
    /// The value's placeholder in --help ("N", "FILE"); empty for a switch.
    std::string_view valueName;
    /// The range of an Integer, Index or Real value, and the value when the option is not given.
    double min = 0;
    double max = 0;
    double fallback = 0;
    /// A Real value's top is allowed.
    bool closed = true;
    /// The `OptionPlace`s that take the option.
    unsigned places = InExport;
    /// The option sets the scene, which a lesson step sets itself.
    bool scene = false;
    /// The one-letter names that also name it ("h", "?").
    std::string_view shortNames;
};

/// Every option of the program, in the order --help lists them: --help, --help-all and
/// --version first, then the outputs, the scene and the lesson.
std::span<const CommandOption> CommandOptions();

/// The option named `name` (its long name, or one of its one-letter names), or none.
const CommandOption* FindCommandOption(std::string_view name);

/// A number of `option`'s range as the help and the messages write it: the index with two
/// decimals, others with none needless.
QString OptionNumber(const CommandOption& option, double value);

/// The words a Word option takes, in the order --help lists them: the views' names for --view,
/// the lenses for --lens (sphere, hyperbola, perfect), the shipped languages for --lang; none
/// for --focus, whose word "best" stands beside an integer.
QStringList OptionWords(const CommandOption& option);

/// The help line's text of `option` in `language`, its range and fallback filled in.
QString OptionHelp(const CommandOption& option, std::string_view language);

/// What --help prints, in `language`: the usage, the description, every option with its help
/// wrapped to 80 columns, and the exit codes. With `all`, the toolkit's options follow.
QString HelpText(std::string_view language, bool all = false);

/// The language of the command line's messages: that of --lang when it names a shipped
/// language, else the user's own (the variables LANGUAGE, LC_ALL, LC_MESSAGES and LANG, as
/// gettext reads them) when the program has it, else English.
std::string_view MessageLanguage(const QStringList& arguments);

} // namespace kymata
