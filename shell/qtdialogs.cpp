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

QString QtDialogs::messageText(const QString &text)
{
    QString shown = promptText(text);
    if (shown.size() > MaxMessageLength)
        shown = shown.left(MaxMessageLength - 1) + QChar(0x2026); // ellipsis
    QString out;
    out.reserve(shown.size() + shown.size() / MaxWordLength);
    qsizetype wordLength = 0;
    for (const QChar c : shown) {
        if (c.isSpace()) {
            wordLength = 0;
        } else if (wordLength == MaxWordLength) {
            out += QLatin1Char('\n');
            wordLength = 1;
        } else {
            ++wordLength;
        }
        out += c;
    }
    return out;
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
        title.isEmpty() ? ApplicationTitle : title, messageText(text), QMessageBox::Ok,
        dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogs::question(const QString &text)
{
    QMessageBox box(QMessageBox::Question, ApplicationTitle, messageText(text),
        QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.setTextFormat(Qt::PlainText);
    // No keeps the file as it is: Enter alone does not replace anything.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
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
