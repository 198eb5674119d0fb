#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QPrinter;
class QWidget;

namespace kymata {

class PrintDispatch;
struct PrintOutcome;
struct PrintedFile;
enum class PrintAsked;

/// The window's printing: the print dialog, once the print service is known to answer; the
/// page sent to the service off the window's thread, its job followed; and the sentence of how
/// it ended, in the window's language.
class WindowPrinting final : public QObject {
    Q_OBJECT

public:
    /// Prints for `window`, speaking the language that `language` gives at the time.
    WindowPrinting(QWidget& window, std::function<std::string()> language);

    /// The landscape print dialog with the default printer chosen; `print` prints on the
    /// printer once it is accepted. Cancel prints nothing and changes nothing.
    void PrintWithDialog(const std::function<void(QPrinter&)>& print);
    /// Says what a page drawn for a printer came to and sends it to the service: true when it
    /// was written or sent on its way.
    bool Deliver(const PrintOutcome& outcome);
    /// The A4 print dialog for the teacher's notes: to a file `saveToFile` writes them, to a
    /// printer they go as the PDF through the service.
    void PrintLessonPlan(const std::function<void(const QString&)>& saveToFile);
    /// Says how a printing ended: a warning for a page that will not print, a note for one
    /// that waits in the queue; then `Finished`.
    void ShowEnd(bool failed, const QString& said);

Q_SIGNALS:
    /// `failed` when it will not print, `said` what the window told the user (empty for a page
    /// printed).
    void Finished(bool failed, const QString& said);

private:
    /// Runs `open` once the print service is known to answer (or to be absent, when the dialog
    /// offers files alone); a silent service, or a page still being sent, is said instead (the
    /// way to a PDF that `asked` has named), with the window usable all along.
    void WhenServiceAnswers(PrintAsked asked, std::function<void()> open);
    /// Writes a page printed to a file, asking first about a write-protected one; true when
    /// it was written, else the reason is said.
    bool WriteToFile(const PrintedFile& file);
    static PrintDispatch* MakeDispatch(QWidget& window);

    QWidget& window_;
    std::function<std::string()> language_;
    /// Sends pages to the print service and follows their jobs, off the window's thread.
    PrintDispatch* const dispatch_ = MakeDispatch(window_);
};

} // namespace kymata
