#include "shell/qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

QString QtDialogs::promptText(const QString &message)
{
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QWidget *QtDialogs::dialogParent() const
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return m_mainWindow.data();
}

QString QtDialogs::inputBox(
    const QString &message, const QString &title, const QString &defaultAnswer)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(title.isEmpty() ? ApplicationTitle : title);
    dialog.setLabelText(promptText(message));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(defaultAnswer);
    // Cancel gives the empty text, as the prompt loops of the program expect.
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

void QtDialogs::messageBox(const QString &text, Icon icon, const QString &title)
{
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
        title.isEmpty() ? ApplicationTitle : title, promptText(text), QMessageBox::Ok,
        dialogParent());
    box.exec();
}

namespace {
void setUpFileDialog(QFileDialog &dialog, const Dialogs::FileDialogSetup &setup)
{
    dialog.setWindowTitle(setup.title);
    dialog.setNameFilter(
        setup.filterDescription + QStringLiteral(" (") + setup.filterPattern + QLatin1Char(')'));
    dialog.setDefaultSuffix(setup.defaultSuffix);
}
} // namespace

QString QtDialogs::openFileName(const FileDialogSetup &setup)
{
    QFileDialog dialog(dialogParent());
    setUpFileDialog(dialog, setup);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::saveFileName(const FileDialogSetup &setup)
{
    QFileDialog dialog(dialogParent());
    setUpFileDialog(dialog, setup);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's save dialog asks before an existing file is replaced unless told not to.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool QtDialogs::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}
