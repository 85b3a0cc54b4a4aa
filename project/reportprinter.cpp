#include "project/reportprinter.h"

#include "project/shownpath.h"
#include <QDir>
#include <QFont>

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace ReportPrinter {

namespace {

// A printer prints a line break or a tab as it likes; the report keeps one line per
// line, so they print as blanks.
QString printable(QString text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    }
    return text;
}

QString printerName(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return shownPath(printer.outputFileName());
    return printer.printerName();
}

bool hasDestination(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::NativeFormat)
        return !QPrinterInfo::availablePrinters().isEmpty();
    // Without a printer Qt falls back to a PDF file, which needs a name to go to.
    return !printer.outputFileName().isEmpty();
}

} // namespace

PrintResult print(QPrinter &printer, const QList<ReportLayout::Line> &lines)
{
    if (!hasDestination(printer))
        return {false, QStringLiteral("Cannot print: no printer is installed.")};

    QPainter painter;
    if (!painter.begin(&printer)) {
        return {false,
            QStringLiteral("Cannot print on \"%1\": the printer could not be started.")
                .arg(printerName(printer))};
    }

    // The painter starts with the default font for this printer. Without shaping Latin
    // text prints without ligatures: "flow rate" stays searchable and copyable in a PDF
    // instead of becoming "\uFB02ow rate".
    QFont font = painter.font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double columnWidth = metrics.averageCharWidth();
    const double lineHeight = metrics.lineSpacing();
    const double pageHeight = painter.device()->height();
    const auto widthInColumns = [&](const QString &text) {
        return metrics.horizontalAdvance(printable(text)) / columnWidth;
    };

    // Column 1 is the left edge of the printable area; the first line starts at its top.
    double top = 0;
    bool ok = true;
    for (const ReportLayout::Line &line : lines) {
        if (top > 0 && top + lineHeight > pageHeight) {
            if (!printer.newPage()) {
                ok = false;
                break;
            }
            top = 0;
        }
        for (const ReportLayout::PlacedItem &item : ReportLayout::place(line, widthInColumns)) {
            const QPointF baseline((item.column - 1) * columnWidth, top + metrics.ascent());
            painter.drawText(baseline, printable(item.text));
        }
        top += lineHeight;
    }
    // Ending the painter ends the page and the job: the report goes out at once.
    if (!painter.end() || !ok) {
        return {false,
            QStringLiteral("Cannot print on \"%1\": the printer reported an error.")
                .arg(printerName(printer))};
    }
    return {true, {}};
}

} // namespace ReportPrinter
