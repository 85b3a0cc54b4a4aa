#pragma once

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Dialogs;
struct BasGeneral;

// "Project Data": project name, pipe name, owner, date and the project file name.
// The fields mirror the project information of basGeneral; an edit is taken over when
// the user leaves the field.
class frmProjectgegevens : public QWidget
{
    Q_OBJECT

public:
    frmProjectgegevens(BasGeneral &general, Dialogs &dialogs, QWidget *parent);
    ~frmProjectgegevens() override;

    // 0 Date, 1 Project, 2 Pipe name, 3 Owner, 4 File.
    QLineEdit *Text3(int index) const { return m_text3.at(size_t(index)); }
    // 0 "Date", 1 "File", 12 "Owner", 13 "Pipe name", 14 "Project"; nullptr otherwise.
    QLabel *Label1(int index) const;
    QGroupBox *Frame1() const { return m_frame1; }
    QPushButton *ClearForm() const { return m_clearForm; }
    QPushButton *Command1() const { return m_command1; }

    // All five fields from the record (the window's load step; Load runs it again).
    void showRecord();

    // The leave check of Text3(index).
    void Text3_LostFocus(int index);
    // "Clear": a new project (today, "new", no pipe name or owner, "new.dvl").
    void ClearForm_Click();
    // "OK": the window goes away; the record already holds every edit.
    void Command1_Click();

    // Takes over the field the user is still editing, as leaving it would. The file
    // commands call it so that a name typed a moment ago is not lost.
    void commitFocusedField();

Q_SIGNALS:
    // The project file name in the record may have changed: the main window sets its
    // caption again.
    void captionChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    int fieldIndex(const QObject *object) const;
    void takeDate();

    BasGeneral &m_general;
    Dialogs &m_dialogs;
    std::array<QLineEdit *, 5> m_text3{};
    std::array<QLabel *, 5> m_labels{}; // in Text3 order: Date, Project, Pipe name, Owner, File
    QGroupBox *m_frame1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QPushButton *m_clearForm = nullptr;
    QPushButton *m_command1 = nullptr;

    // The date check may open a message box, which takes the focus from the field:
    // that must not start a second check.
    bool m_inLeaveCheck = false;
    // Set once the window is going away: hiding it takes the focus from its field,
    // which must not commit again.
    bool m_closing = false;
};
