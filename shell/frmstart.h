#pragma once

#include "calc/calcsheet.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QToolBar;
class frmWgetal1;
class frmWgetal2;
class frmAbsRuwheid;
class frmDiameter;
class frmProjectgegevens;
class frmAbout;
class frmHelpScreen;

// The main window: the field array Text0 with its captions and units, menus, toolbar,
// Clear and Exit, and the status line. It shows the state of its CalcSheet and
// forwards the fields' events to it.
class frmStart : public QMainWindow
{
    Q_OBJECT

public:
    frmStart(BasGeneral &general, Dialogs &dialogs, QWidget *parent = nullptr);
    ~frmStart() override;

    CalcSheet &sheet() { return m_sheet; }
    BasGeneral &general() { return m_sheet.general(); }
    Dialogs &dialogs() { return m_sheet.dialogs(); }

    QLineEdit *Text0(int index) const;
    QLabel *Label1(int index) const;
    QLabel *Label2(int index) const;
    QString statusText() const;

    // Writes a field as the program does (change handling of 9 and 10 included).
    void setText0(int index, const QString &text);
    void Calc();

    // How a tool window hands a value over: the leave check of Text0(index) runs once
    // (the field's text is taken over exactly as when the user leaves it), then the
    // focus rests on the "..." button beside the field. Index is 4, 23, 9 or 10.
    void handOver(int index);

    // Saving moves the focus through Text0(2) and Text0(1): a field still being edited
    // is checked and stored first; the focus then rests on Text0(1).
    void commitForSave();

    // Caption rule: "Zeptor - [" + ProjectFileName + "]".
    void applyCaption();

    // The tool windows: created hidden on first use, destroyed by their OK button.
    frmWgetal1 &Wgetal1();
    frmWgetal2 &Wgetal2();
    frmProjectgegevens &Projectgegevens();
    frmAbout &About();
    bool hasProjectgegevens() const { return !m_projectgegevens.isNull(); }

    // Shows a window modeless: brought to the front, restored when minimised.
    static void showWindow(QWidget &window);

    // Commands.
    void FileLoad_Click();
    void FileSave_Click();
    void FileSaveAs_Click();
    void mnuPrint_Click();
    void mnuExit_Click();
    void Command3_Click();  // Clear
    void Toolbar1_ButtonClick(const QString &key);
    void mnuProjectGegevens_Click();
    void mnuCalcBends_Click();
    void mnuCalcCocks_Click();
    void RuwheidWand_Click();
    void DiameterLleiding_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

    QToolBar *toolbar() const { return m_toolbar; }
    QPushButton *dotsButton(int index) const; // SSCommand1 (4), SCommand2 (23), SCommand4 (9), SCommand5 (10)

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void buildMenus();
    void buildToolbar();
    void Text0_GotFocus(int index);
    void Text0_LeaveCheck(int index);
    bool Text0_KeyPress(int index, int key);
    void showField(int index);
    void showStatus();

    CalcSheet m_sheet;
    std::array<QLineEdit *, Text0Size> m_text0{};
    std::array<QLabel *, Text0Size> m_label1{};
    std::array<QLabel *, Text0Size> m_label2{};
    QLabel *m_messageLabel = nullptr; // Label1(26)
    QLabel *m_status = nullptr;
    QToolBar *m_toolbar = nullptr;
    QPushButton *m_SSCommand1 = nullptr;
    QPushButton *m_SCommand2 = nullptr;
    QPushButton *m_SCommand4 = nullptr;
    QPushButton *m_SCommand5 = nullptr;
    QPushButton *m_Command3 = nullptr; // Clear
    QPushButton *m_Command4 = nullptr; // Exit
    bool m_inLeaveCheck = false;

    QPointer<frmWgetal1> m_wgetal1;
    QPointer<frmWgetal2> m_wgetal2;
    QPointer<frmAbsRuwheid> m_absRuwheid;
    QPointer<frmDiameter> m_diameter;
    QPointer<frmProjectgegevens> m_projectgegevens;
    QPointer<frmAbout> m_about;
    QPointer<frmHelpScreen> m_helpScreen;
};
