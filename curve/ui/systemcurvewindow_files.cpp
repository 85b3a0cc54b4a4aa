#include "curve/ui/systemcurvewindow.h"

#include "curve/curvetexts.h"
#include "curve/ui/curveplot.h"
#include "curve/ui/npshpanel.h"
#include "curve/ui/npshplot.h"
#include "project/dvlfile.h"
#include "widgets/windowdialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTableWidget>

#include <algorithm>

// The window's files: pump curves in and out, the plot as image, vector file, PDF or
// on paper, and the points as CSV.
namespace {

const QString PumpDescription = QStringLiteral("Pump curves");
const QString LoadPumpTitle = QStringLiteral("Load pump curve");
const QString SavePumpTitle = QStringLiteral("Save pump curve");
const QString ExportTitle = QStringLiteral("Export system curve");
const QString CannotWrite = QStringLiteral("%1 cannot be written: %2");
const QString NoPumpToSave = QStringLiteral("There is no pump curve to save.");

// The drawing's size in logical pixels, whatever the device: a landscape page's shape.
constexpr int ExportWidth = 1200;
constexpr int ExportHeight = 800;
constexpr int ExportResolution = 300; // dpi of the PDF

Dialogs::FileDialogSetup setupFor(
    const QString &description, const QString &suffix, const QString &title)
{
    Dialogs::FileDialogSetup setup;
    setup.filterDescription = description;
    setup.filterPattern = QStringLiteral("*.") + suffix;
    setup.title = title;
    setup.defaultSuffix = suffix;
    return setup;
}

// The plots at the export size, scaled to fit the device's page: the same drawing on
// paper and in PDF as in the PNG, whatever the device's resolution.
template<typename Render>
void renderFitted(QPainter &painter, const Render &render)
{
    const QRect page = painter.viewport();
    const double scale
        = std::min(double(page.width()) / ExportWidth, double(page.height()) / ExportHeight);
    painter.setViewport(
        QRect(page.topLeft(), QSize(int(ExportWidth * scale), int(ExportHeight * scale))));
    painter.setWindow(0, 0, ExportWidth, ExportHeight);
    render(painter, QRectF(0, 0, ExportWidth, ExportHeight));
}

} // namespace

void SystemCurveWindow::renderPlots(QPainter &painter, const QRectF &area) const
{
    if (!m_suction) {
        m_plot->render(painter, area);
        return;
    }
    // Head above, NPSH below, on the same flow axis.
    const double split = area.top() + area.height() * 0.72;
    m_plot->render(painter, QRectF(area.topLeft(), QPointF(area.right(), split)));
    m_npshPlot->render(painter, QRectF(QPointF(area.left(), split), area.bottomRight()));
}

void SystemCurveWindow::loadSuction()
{
    const QString title = QStringLiteral("Load suction line");
    const QString path = m_dialogs.openFileName(
        setupFor(QStringLiteral("Zeptor project files"), QStringLiteral("dvl"), title));
    if (path.isEmpty())
        return;
    const DvlFile::LoadResult loaded = DvlFile::load(path);
    if (!loaded.ok()) {
        m_dialogs.messageBox(loaded.errorMessage, Dialogs::Icon::Warning, title);
        return;
    }
    m_suction = loaded.projectCase->caseInput();
    m_suctionName = QFileInfo(path).fileName();
    recompute();
}

void SystemCurveWindow::loadPump()
{
    const QString path
        = m_dialogs.openFileName(setupFor(PumpDescription, QStringLiteral("csv"), LoadPumpTitle));
    if (path.isEmpty())
        return;
    const PumpCurve::Read read = PumpCurve::load(path);
    if (!read.ok()) {
        m_dialogs.messageBox(read.error, Dialogs::Icon::Warning, LoadPumpTitle);
        return;
    }
    showPump(*read.curve);
}

void SystemCurveWindow::savePump()
{
    if (!m_pump) {
        const QString why = m_pumpStatus->text();
        m_dialogs.messageBox(
            why.isEmpty() ? NoPumpToSave : why, Dialogs::Icon::Warning, SavePumpTitle);
        return;
    }
    const QString path
        = m_dialogs.saveFileName(setupFor(PumpDescription, QStringLiteral("csv"), SavePumpTitle));
    if (path.isEmpty())
        return;
    const QString error = m_pump->save(path);
    if (!error.isEmpty())
        m_dialogs.messageBox(error, Dialogs::Icon::Warning, SavePumpTitle);
}

QString SystemCurveWindow::chooseSaveFile(const QString &description, const QString &suffix)
{
    return m_dialogs.saveFileName(setupFor(description, suffix, ExportTitle));
}

bool SystemCurveWindow::writeFile(
    const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && write(file) && file.commit();
    if (written)
        return true;
    // Only the drawing fails without a reason of the file's own.
    const QString reason
        = file.errorString().isEmpty() ? QStringLiteral("the drawing failed") : file.errorString();
    file.cancelWriting();
    m_dialogs.messageBox(CannotWrite.arg(QDir::toNativeSeparators(path), reason),
        Dialogs::Icon::Warning, ExportTitle);
    return false;
}

void SystemCurveWindow::exportPng()
{
    const QString path = chooseSaveFile(QStringLiteral("PNG images"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    writeFile(path, [this](QIODevice &device) {
        // Twice the export size, for sharp lines and text on today's screens.
        QImage image(2 * ExportWidth, 2 * ExportHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        renderFitted(painter, [this](QPainter &p, const QRectF &a) { renderPlots(p, a); });
        painter.end();
        return image.save(&device, "PNG");
    });
}

void SystemCurveWindow::exportSvg()
{
    const QString path = chooseSaveFile(QStringLiteral("SVG drawings"), QStringLiteral("svg"));
    if (path.isEmpty())
        return;
    writeFile(path, [this](QIODevice &device) {
        QSvgGenerator svg;
        svg.setOutputDevice(&device);
        svg.setSize(QSize(ExportWidth, ExportHeight));
        svg.setViewBox(QRect(0, 0, ExportWidth, ExportHeight));
        svg.setTitle(windowTitle());
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        renderPlots(painter, QRectF(0, 0, ExportWidth, ExportHeight));
        return painter.end();
    });
}

void SystemCurveWindow::exportPdf()
{
    const QString path = chooseSaveFile(QStringLiteral("PDF documents"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    writeFile(path, [this](QIODevice &device) {
        QPdfWriter pdf(&device);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
            QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        pdf.setTitle(windowTitle());
        pdf.setResolution(ExportResolution);
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        renderFitted(painter, [this](QPainter &p, const QRectF &a) { renderPlots(p, a); });
        return painter.end();
    });
}

void SystemCurveWindow::exportCsv()
{
    const QString path = chooseSaveFile(QStringLiteral("CSV files"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    QByteArray bytes;
    if (m_suction) {
        // As zeptor-cli curve --suction writes it.
        const SystemCurve::NpshSettings npsh = m_npsh->settings();
        bytes = SystemCurve::csvHeader(true, true);
        for (const SystemCurve::SystemPoint &p : m_systemPoints) {
            if (p.discharge.outcome.status != CalcEngine::Status::NeedsInput)
                SystemCurve::appendCsvRow(
                    bytes, p, true, SystemCurve::npshAvailable(system(), npsh, p));
        }
    } else {
        bytes = SystemCurve::csv(curve());
    }
    writeFile(path, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

void SystemCurveWindow::print()
{
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!m_dialogs.choosePrinter(printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_dialogs.messageBox(QStringLiteral("The printer cannot be started."),
            Dialogs::Icon::Warning, windowTitle());
        return;
    }
    renderFitted(painter, [this](QPainter &p, const QRectF &a) { renderPlots(p, a); });
    painter.end();
}
