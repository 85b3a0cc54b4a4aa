// File > Load, Save, Save as and Print of the main window.
#include "shell/frmstart.h"

#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "calc/basgeneral.h"
#include "calc/dialogs.h"
#include "project/datetext.h"
#include "project/dvlfile.h"
#include "project/frmprojectgegevens.h"
#include "project/loadcase.h"
#include "project/reportprinter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QStringList>

namespace {

// Load and Save as share the one dialog set-up: "Zeptor" files, *.dvl.
Dialogs::FileDialogSetup fileDialogSetup()
{
    return Dialogs::FileDialogSetup{};
}

// The project window takes over a field the user is still editing, and then the main
// window's entries do: what is written is what the user sees.
void commitPendingEdits(frmStart &main)
{
    if (main.hasProjectgegevens())
        main.Projectgegevens().commitFocusedField();
    main.commitForSave();
}

QString labelText(const QLabel *label, const char *fallback)
{
    return label ? label->text() : QString::fromLatin1(fallback);
}

} // namespace

void frmStart::FileLoad_Click()
{
    const QString fileName = dialogs().openFileName(fileDialogSetup());
    if (fileName.isEmpty())
        return;

    // The file is read whole into a case of its own first: a file that cannot be read
    // changes nothing of the case on screen.
    const DvlFile::LoadResult loaded = DvlFile::load(fileName);
    if (!loaded.ok()) {
        dialogs().messageBox(loaded.errorMessage, Dialogs::Icon::Warning);
        return;
    }

    // The project keeps the name it was opened under, whatever name the file recorded.
    LoadCase::storeLoadedCase(general(), *loaded.projectCase, fileName);
    m_knownFile.remember(fileName);
    applyCaption();
    LoadCase::showEntries(sheet());

    // The entries are in the record before the totals are recomputed: the length in
    // metres of the appendages depends on the inner diameter.
    frmWgetal1 &bends = Wgetal1();
    const QStringList bendTexts = LoadCase::bendCountTexts(general());
    for (int i = 0; i < bendTexts.size(); ++i)
        bends.Text1(i)->setText(bendTexts[i]);
    bends.BerekenTotaleWeerstand1();

    frmWgetal2 &valves = Wgetal2();
    const QStringList valveTexts = LoadCase::valveCountTexts(general());
    for (int i = 0; i < valveTexts.size(); ++i)
        valves.Text2(i)->setText(valveTexts[i]);
    valves.BerekenTotaleWeerstand2();

    Projectgegevens().showRecord();
    Calc();
}

void frmStart::FileSave_Click()
{
    // Save writes to the current name; right after start-up that is the bare
    // "new.dvl", in the current directory. The edits are taken over first: the project
    // window's name field may change the file name.
    commitPendingEdits(*this);
    const QString fileName = general().ProjectFileName;
    // A file this run has not loaded or written, or one changed on disk since, is
    // replaced only when the user says so.
    const QString question = m_knownFile.questionBeforeSave(fileName);
    if (!question.isEmpty() && !dialogs().question(question))
        return;
    const DvlFile::SaveResult saved = DvlFile::save(fileName, ProjectCase::fromGeneral(general()));
    if (!saved.ok) {
        dialogs().messageBox(saved.errorMessage, Dialogs::Icon::Warning);
        return;
    }
    m_knownFile.remember(fileName);
}

void frmStart::FileSaveAs_Click()
{
    const QString fileName = dialogs().saveFileName(fileDialogSetup());
    if (fileName.isEmpty())
        return;

    commitPendingEdits(*this);
    ProjectCase projectCase = ProjectCase::fromGeneral(general());
    projectCase.fileName = fileName;
    const DvlFile::SaveResult saved = DvlFile::save(fileName, projectCase);
    if (!saved.ok) {
        // The project keeps its old name: it has not been written under the new one.
        dialogs().messageBox(saved.errorMessage, Dialogs::Icon::Warning);
        return;
    }
    general().ProjectFileName = fileName;
    m_knownFile.remember(fileName);
    applyCaption();
    Projectgegevens().Text3(4)->setText(fileName);
}

void frmStart::mnuPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    // The job's name in the print queue and the title of a PDF: the window's caption.
    printer.setDocName(windowTitle());
    if (!dialogs().choosePrinter(printer))
        return;
    const QList<ReportLayout::Line> lines = ReportLayout::lines(reportSource());
    const ReportPrinter::PrintResult printed = ReportPrinter::print(printer, lines);
    if (!printed.ok)
        dialogs().messageBox(printed.errorMessage, Dialogs::Icon::Warning);
}

ReportLayout::Source frmStart::reportSource()
{
    const BasGeneral &general = this->general();
    ReportLayout::Source source;
    source.dateText = DateText::toText(general.ProjectDate);
    source.fileName = general.ProjectFileName;
    source.owner = general.ProjectOwner;
    source.projectName = general.ProjectName;
    source.pipeName = general.PipeName;
    for (const FieldInfo &f : FieldTable) {
        const QLineEdit *field = Text0(f.index);
        source.fields[size_t(f.index)] = {
            labelText(Label1(f.index), f.caption),
            field ? field->text() : sheet().Text0(f.index),
            labelText(Label2(f.index), f.unit),
        };
    }
    const frmWgetal1 &bends = Wgetal1();
    for (size_t i = 0; i < source.bendLabels.size(); ++i) {
        source.bendLabels[i] = bends.Label1(int(i))->text();
        source.bendCounts[i] = bends.Text1(int(i))->text();
    }
    const frmWgetal2 &valves = Wgetal2();
    for (size_t i = 0; i < source.valveLabels.size(); ++i) {
        source.valveLabels[i] = valves.Label1(int(i))->text();
        source.valveCounts[i] = valves.Text2(int(i))->text();
    }
    source.messageLabel = labelText(Label1(26), MessageLabelCaption);
    return source;
}
