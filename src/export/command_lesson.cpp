#include "export/command_request.h"

#include "export/command_options.h"
#include "export/said.h"
#include "lesson/lesson.h"

namespace kymata {

namespace {

/// --beat B: a beat of the --lesson step, one figure written by --export.
Problem ReadLessonBeat(const GivenOptions& given, std::string_view language, Request& request) {
    if (!given.IsSet("beat")) {
        return std::nullopt;
    }
    if (!request.lessonStep) {
        return Said("cli.beatWithoutLesson", language);
    }
    for (const std::string_view other : {"print-to", "frames", "animate", "worksheet"}) {
        if (given.IsSet(other)) {
            return Said("cli.beatOneFigure", language, {Utf8(other)});
        }
    }
    Problem problem;
    if (const auto beat = NumberOption(given, "beat", language, problem)) {
        const int beats = LessonBeatCount(*request.lessonStep);
        if (*beat > beats) {
            return Said("cli.beatOutOfRange", language,
                        {QString::number(*request.lessonStep), QString::number(beats),
                         QString::number(*beat)});
        }
        request.lessonBeat = static_cast<int>(*beat);
    }
    return problem;
}

} // namespace

Problem ReadLessonStep(const GivenOptions& given, std::string_view language, Request& request) {
    if (!given.IsSet("lesson")) {
        return ReadLessonBeat(given, language, request);
    }
    for (const auto& [option, value] : given.options) {
        if (option->scene) {
            return Said("cli.lessonSetsScene", language, {Utf8(option->name)});
        }
    }
    Problem problem;
    if (const auto step = NumberOption(given, "lesson", language, problem)) {
        request.lessonStep = static_cast<int>(*step);
        request.controls = LessonScene(*request.lessonStep, TextLanguage(request.controls));
    }
    return problem ? problem : ReadLessonBeat(given, language, request);
}

} // namespace kymata
