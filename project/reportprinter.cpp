#include "project/reportprinter.h"

#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "project/datetext.h"
#include "calc/basgeneral.h"
#include "shell/frmstart.h"

#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace ReportPrinter {

namespace {

QString labelText(const QLabel *label, const char *fallback)
{
    return label ? label->text() : QString::fromLatin1(fallback);
}

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
        return QDir::toNativeSeparators(printer.outputFileName());
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

ReportLayout::Source sourceFromWindows(frmStart &main)
{
    const BasGeneral &general = main.general();
    ReportLayout::Source source;
    source.dateText = DateText::toText(general.ProjectDate);
    source.fileName = general.ProjectFileName;
    source.owner = general.ProjectOwner;
    source.projectName = general.ProjectName;
    source.pipeName = general.PipeName;
    for (const FieldInfo &f : FieldTable) {
        const QLineEdit *field = main.Text0(f.index);
        source.fields[size_t(f.index)] = {
            labelText(main.Label1(f.index), f.caption),
            field ? field->text() : main.sheet().Text0(f.index),
            labelText(main.Label2(f.index), f.unit),
        };
    }
    const frmWgetal1 &bends = main.Wgetal1();
    for (size_t i = 0; i < source.bendLabels.size(); ++i) {
        source.bendLabels[i] = bends.Label1(int(i))->text();
        source.bendCounts[i] = bends.Text1(int(i))->text();
    }
    const frmWgetal2 &valves = main.Wgetal2();
    for (size_t i = 0; i < source.valveLabels.size(); ++i) {
        source.valveLabels[i] = valves.Label1(int(i))->text();
        source.valveCounts[i] = valves.Text2(int(i))->text();
    }
    source.messageLabel = labelText(main.Label1(26), MessageLabelCaption);
    return source;
}

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

    // The painter starts with the default font for this printer; nothing is set.
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
