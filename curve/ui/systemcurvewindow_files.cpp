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

} // namespace

// The title block, then the plots below it, at the export size; with `fitToPage` scaled
// to fit the device's page: the same drawing on paper and in PDF as in the PNG,
// whatever the device's resolution.
void SystemCurveWindow::renderExport(QPainter &painter, bool fitToPage) const
{
    if (fitToPage) {
        const QRect page = painter.viewport();
        const double scale
            = std::min(double(page.width()) / ExportWidth, double(page.height()) / ExportHeight);
        painter.setViewport(
            QRect(page.topLeft(), QSize(int(ExportWidth * scale), int(ExportHeight * scale))));
        painter.setWindow(0, 0, ExportWidth, ExportHeight);
    }
    const QRectF area(0, 0, ExportWidth, ExportHeight);
    painter.save();
    painter.fillRect(area, m_plot->palette().color(QPalette::Base));
    painter.setFont(m_plot->drawingFont());
    painter.setPen(m_plot->palette().color(QPalette::WindowText));
    const double margin = QFontMetricsF(painter.font()).height() / 2;
    const QRectF room = area.adjusted(margin, margin, -margin, 0);
    const QString title = titleBlock().join(QLatin1Char('\n'));
    const QRectF used = painter.boundingRect(room, Qt::AlignLeft | Qt::TextWordWrap, title);
    painter.drawText(room, Qt::AlignLeft | Qt::TextWordWrap, title);
    painter.restore();
    renderPlots(painter, area.adjusted(0, used.bottom() + margin, 0, 0));
}

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
    m_pumpFile = QFileInfo(path).fileName();
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
    else
        m_pumpFile = QFileInfo(path).fileName();
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
        renderExport(painter, true);
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
        renderExport(painter, false);
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
        renderExport(painter, true);
        return painter.end();
    });
}

void SystemCurveWindow::exportCsv()
{
    const QString path = chooseSaveFile(QStringLiteral("CSV files"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    // As zeptor-cli curve writes it: with a suction line its columns, with pumps their
    // head at each flow and the duty point after the rows.
    const std::optional<PumpSet> pumps = this->pumps();
    QByteArray bytes;
    if (m_suction) {
        const SystemCurve::NpshSettings npsh = m_npsh->settings();
        bytes = SystemCurve::csvHeader(true, true);
        if (pumps)
            SystemCurve::addPumpHeading(bytes);
        QByteArray row;
        for (const SystemCurve::SystemPoint &p : m_systemPoints) {
            if (p.discharge.outcome.status == CalcEngine::Status::NeedsInput)
                continue;
            row.resize(0);
            SystemCurve::appendCsvRow(row, p, true, SystemCurve::npshAvailable(system(), npsh, p));
            if (pumps)
                SystemCurve::addPumpHead(row, *pumps, p.discharge.flow);
            bytes += row;
        }
        if (pumps)
            bytes += SystemCurve::csvDutyLine(duty());
    } else {
        bytes = pumps ? SystemCurve::csv(m_points, *pumps, duty()) : SystemCurve::csv(m_points);
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
    renderExport(painter, true);
    painter.end();
}
