#pragma once

#include <QString>

#include <string_view>

class QWidget;

namespace kymata {

class GuideDialog;

/// The window's help: the illustrated guide (F1) and the About box, in the window's language.
class WindowHelp {
public:
    explicit WindowHelp(QWidget& window) : window_(window) {}

    /// Shows the guide in `language`, made on first use to fit the screen.
    void ShowGuide(std::string_view language);
    /// The guide, where it is shown, follows the window into `language`.
    void FollowLanguage(std::string_view language);
    /// The version, the licence and where to report a problem.
    void ShowAbout(std::string_view language);

private:
    QWidget& window_;
    GuideDialog* guide_ = nullptr;
};

} // namespace kymata
