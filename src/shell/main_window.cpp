#include "shell/main_window.h"

#include "construction/spherical_construction.h"
#include "printing/printer_output.h"
#include "shell/canvas_widget.h"
#include "shell/form_layout.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

namespace kymata {

namespace {

/// A horizontal scroll bar with the control's range and steps. Dragging the thumb changes the
/// value only when it is released, so a drag redraws once.
QScrollBar* MakeScrollBar(QWidget* parent, const char* name, ControlRange range, int small,
                          int large, int value) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(range.min, range.max);
    bar->setSingleStep(small);
    bar->setPageStep(large);
    bar->setValue(value);
    bar->setTracking(false);
    // The arrow keys move the thumb the way they point, as on the bar's own arrows.
    bar->setInvertedControls(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(QString::fromLatin1(name), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

template <typename Button>
Button* MakeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new Button(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

DHMIOYRGO_KYKLO::DHMIOYRGO_KYKLO(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DHMIOYRGO_KYKLO"));
    setWindowTitle(QStringLiteral("SXEDIASH AKTINON KAI PROSPTOSIS"));
    setAutoFillBackground(true);

    EIKON = new CanvasWidget(this);
    EIKON->setObjectName(QStringLiteral("EIKON"));
    Command1 = MakeButton<QPushButton>(this, "Command1", "PRINT");
    const Controls start;
    initial_POINT =
        MakeScrollBar(this, "initial_POINT", initial_POINT_Range, 1, 10, start.initial_POINT);
    Label1 = MakeLabel(this, "Label1");
    fOCUS_POINT = MakeScrollBar(this, "fOCUS_POINT", fOCUS_POINT_Range, 1, 10, start.fOCUS_POINT);
    Label2 = MakeLabel(this, "Label2");
    n_DIATHLASI = MakeScrollBar(this, "n_DIATHLASI", n_DIATHLASI_Range, 1, 10, start.n_DIATHLASI);
    Label3 = MakeLabel(this, "Label3");
    pachos = MakeScrollBar(this, "pachos", pachos_Range, 1, 5, start.pachos);
    Label4 = MakeLabel(this, "Label4");
    f_apeiro = MakeButton<QCheckBox>(this, "f_apeiro", "Parallel BEAM");
    YPERVOLIKO = MakeButton<QCheckBox>(this, "YPERVOLIKO", "HYPERBOLA");
    ELLINIKA = MakeButton<QRadioButton>(this, "ELLINIKA", "GREEK");
    AGLIKA = MakeButton<QRadioButton>(this, "AGLIKA", "ENGLISH");
    ELLINIKA->setChecked(true);

    // Tab order of the design: canvas, PRINT, the scroll bars from top to bottom with their
    // read-outs, the two check boxes, the two languages.
    QWidget* order[] = {EIKON,  Command1, initial_POINT, fOCUS_POINT, n_DIATHLASI,
                        pachos, f_apeiro, YPERVOLIKO,    ELLINIKA,    AGLIKA};
    for (std::size_t k = 1; k < std::size(order); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }

    connect(AGLIKA, &QRadioButton::clicked, this, &DHMIOYRGO_KYKLO::AGLIKA_Click);
    connect(ELLINIKA, &QRadioButton::clicked, this, &DHMIOYRGO_KYKLO::ELLINIKA_Click);
    connect(initial_POINT, &QScrollBar::valueChanged, this, &DHMIOYRGO_KYKLO::initial_POINT_Change);
    connect(fOCUS_POINT, &QScrollBar::valueChanged, this, &DHMIOYRGO_KYKLO::fOCUS_POINT_Change);
    connect(n_DIATHLASI, &QScrollBar::valueChanged, this, &DHMIOYRGO_KYKLO::n_DIATHLASI_Change);
    connect(pachos, &QScrollBar::valueChanged, this, &DHMIOYRGO_KYKLO::pachos_Change);
    connect(YPERVOLIKO, &QCheckBox::clicked, this, &DHMIOYRGO_KYKLO::YPERVOLIKO_Click);
    connect(Command1, &QPushButton::clicked, this, &DHMIOYRGO_KYKLO::Command1_Click);

    EIKON->Surface().Scale(-100, 100, 100, -100);
}

Controls DHMIOYRGO_KYKLO::ReadControls() const {
    Controls c;
    c.initial_POINT = initial_POINT->value();
    c.fOCUS_POINT = fOCUS_POINT->value();
    c.n_DIATHLASI = n_DIATHLASI->value();
    c.pachos = pachos->value();
    c.YPERVOLIKO = YPERVOLIKO->isChecked();
    c.f_apeiro = f_apeiro->isChecked();
    c.ELLINIKA = ELLINIKA->isChecked();
    return c;
}

void DHMIOYRGO_KYKLO::DrawConstruction() {
    kymata::DrawConstruction(ReadControls(), scene_, labels_, EIKON->Surface());
    ShowLabels();
    EIKON->update();
    Q_EMIT FigureRedrawn();
}

void DHMIOYRGO_KYKLO::ShowLabels() {
    Label1->setText(QString::fromStdString(labels_.Label1));
    Label2->setText(QString::fromStdString(labels_.Label2));
    Label3->setText(QString::fromStdString(labels_.Label3));
    Label4->setText(QString::fromStdString(labels_.Label4));
}

void DHMIOYRGO_KYKLO::ApplyLayout() {
    const QScreen* shown = screen();
    const double dpi = shown ? shown->logicalDotsPerInch() : 96.0;
    const FormLayout layout = ComputeFormLayout(size(), dpi);
    for (const FormLayout::Placement& p : layout.placements) {
        if (auto* control = findChild<QWidget*>(p.name, Qt::FindDirectChildrenOnly)) {
            control->setGeometry(p.rect);
        }
    }
}

void DHMIOYRGO_KYKLO::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyLayout();
}

void DHMIOYRGO_KYKLO::AGLIKA_Click() {
    EIKON->Surface().Cls();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::ELLINIKA_Click() {
    EIKON->Surface().Cls();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::initial_POINT_Change() {
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::fOCUS_POINT_Change() {
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::n_DIATHLASI_Change() {
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::pachos_Change() {
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::YPERVOLIKO_Click() {
    scene_.hyperbola.HyperbolaState = 0;
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::Command1_Click() {
    // The standard dialog, with the default printer chosen; the user may pick another printer
    // or printing to a PDF file. Cancel prints nothing and changes nothing.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("PRINT"));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    PrintOn(printer);
}

bool DHMIOYRGO_KYKLO::PrintOn(QPrinter& printer) {
    const PrintOutcome outcome =
        PrintToPrinter(printer, ReadControls(), scene_, labels_, EIKON->Surface());
    ShowLabels();
    EIKON->update();
    if (!outcome.ok) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("PRINT"), outcome.message,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    return outcome.ok;
}

} // namespace kymata
