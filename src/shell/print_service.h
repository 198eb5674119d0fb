#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <string_view>

namespace kymata {

/// After a page was handed to the print queue `printer`, asks the print service whether it took
/// the job: the service answers, the queue exists and accepts jobs, and a job of this program
/// sent since `sent` is there and was neither refused, stopped nor cancelled. Empty when all is
/// well; otherwise what went wrong, for the user, in `language`.
std::optional<QString> PrintServiceProblem(const QString& printer, const QDateTime& sent,
                                           std::string_view language);

} // namespace kymata
