#pragma once

#include "export/safe_file.h"

#include <QString>

#include <functional>
#include <string_view>

class QWidget;

namespace kymata {

/// Runs `write`, which writes the file or folder `path`. Where it was refused because the
/// target is write-protected, asks the user over `parent` (titled `title`, in `language`)
/// whether to replace it all the same, as an editor does, and on yes runs it again with the
/// protection waived; on no, the result says that the target was kept.
WriteResult WriteAskingForProtected(QWidget* parent, const QString& title, const QString& path,
                                    const std::function<WriteResult()>& write,
                                    std::string_view language);

} // namespace kymata
