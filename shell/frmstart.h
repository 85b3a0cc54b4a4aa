#pragma once

#include "calc/calcsheet.h"
#include "project/knownfile.h"
#include "project/reportlayout.h"
#include "shell/childwindows.h"
#include "widgets/windowdialogs.h"

#include <QMainWindow>

#include <array>
#include <initializer_list>

class QGroupBox;
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
class FluidPropertiesWindow;
class LineSizingWindow;
class FittingLossesWindow;
class SystemCurveWindow;

// The main window: the field array Text0 with its captions and units, menus, toolbar,
// Clear and Exit, and the status line. It shows the state of its CalcSheet and
// forwards the fields' events to it.
class frmStart : public QMainWindow
{
    Q_OBJECT

public:
    frmStart(BasGeneral &general, WindowDialogs &dialogs, QWidget *parent = nullptr);
    ~frmStart() override;

    CalcSheet &sheet() { return m_sheet; }
    BasGeneral &general() { return m_sheet.general(); }
    WindowDialogs &dialogs() { return m_dialogs; }

    QLineEdit *Text0(int index) const;
    QLabel *Label1(int index) const;
    QLabel *Label2(int index) const;
    QString statusText() const;

    // Writes a field as the program does (change handling of 9 and 10 included).
    void setText0(int index, const QString &text);
    void Calc();

    // How a tool or analysis window hands a value over: the leave check of Text0(index)
    // runs once (the field's text is taken over exactly as when the user leaves it),
    // then the focus rests on the "..." button beside the field, where there is one.
    void handOver(int index);

    // Saving moves the focus through Text0(2) and Text0(1): a field still being edited
    // is checked and stored first; the focus then rests on Text0(1).
    void commitForSave();

    // The texts of the fields and labels as they are on screen (an entry still being
    // edited as typed), the count windows' labels and fields (created hidden where
    // they do not exist yet) and the record's project information.
    ReportLayout::Source reportSource();

    // Caption rule: "Zeptor - [" + ProjectFileName + "]".
    void applyCaption();

    // The windows beside this one: created hidden on first use (see registerWindows),
    // the tool windows destroyed by their OK button.
    frmWgetal1 &Wgetal1();
    frmWgetal2 &Wgetal2();
    frmProjectgegevens &Projectgegevens();
    frmAbout &About();
    frmAbsRuwheid &AbsRuwheid();
    frmDiameter &Diameter();
    frmHelpScreen &HelpScreen();
    FluidPropertiesWindow &FluidProperties();
    SystemCurveWindow &SystemCurve();
    LineSizingWindow &LineSizing();
    FittingLossesWindow &FittingLosses();
    bool hasProjectgegevens() const;
    bool hasAbout() const;

    // Commands.
    void FileLoad_Click();
    void FileSave_Click();
    void FileSaveAs_Click();
    void mnuPrint_Click();
    void mnuExit_Click();
    void Command3_Click(); // Clear
    void Command4_Click(); // Exit
    void Toolbar1_ButtonClick(const QString &key);
    void mnuProjectGegevens_Click();
    void mnuCalcBends_Click();
    void mnuCalcCocks_Click();
    void RuwheidWand_Click();
    void DiameterLleiding_Click();
    void mnuFluidProperties_Click();
    void mnuSystemCurve_Click();
    void mnuLineSizing_Click();
    void mnuFittingLosses_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void SSCommand1_Click();
    void SCommand2_Click();
    void SCommand4_Click();
    void SCommand5_Click();

    QToolBar *toolbar() const { return m_toolbar; }
    // SSCommand1 (4), SCommand2 (23), SCommand4 (9), SCommand5 (10).
    QPushButton *dotsButton(int index) const;
    QPushButton *clearButton() const { return m_command3; }
    QPushButton *exitButton() const { return m_command4; }
    QLabel *messageLabel() const { return m_messageLabel; } // Label1(26)

Q_SIGNALS:
    // The main window was closed: the program ends.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void buildWindow();
    QGroupBox *buildFrame(const char *frame);
    void alignColumns(const QList<QGroupBox *> &frames);
    void buildMenus();
    void buildToolbar();
    void buildTabOrder();
    void registerWindows();
    // A window that writes into the fields and hands them over (fieldWritten,
    // handedOver) is listened to.
    template<typename Window>
    void takeHandOvers(Window &window);
    // An analysis window follows the case: it gets it now and after every calculation.
    template<typename Window>
    void followCase(Window &window);
    // A window that changes these fields opens beside this one, clear of them.
    void placeBesideFields(QWidget &window, std::initializer_list<int> fields);

    // Field events, dispatched on the index of the field.
    void Text0_GotFocus(int index);
    void Text0_LeaveCheck(int index);
    bool Text0_KeyPress(int index, int key);
    void Text0_FocusIn(int index, Qt::FocusReason reason);
    void Text0_FocusOut(int index, Qt::FocusReason reason);
    // Moves the focus by code: the checks that belong to the move have already run.
    void giveFocus(QWidget *target);
    int fieldIndexOf(const QObject *object) const;

    void showField(int index);
    void showStatus();

    CalcSheet m_sheet;
    CalcSheetNotifier m_sheetNotifier;
    WindowDialogs &m_dialogs;
    std::array<QLineEdit *, Text0Size> m_text0{};
    std::array<QLabel *, Text0Size> m_label1{};
    std::array<QLabel *, Text0Size> m_label2{};
    QLabel *m_messageLabel = nullptr; // Label1(26)
    QLabel *m_status = nullptr;
    QToolBar *m_toolbar = nullptr;
    QPushButton *m_ssCommand1 = nullptr;
    QPushButton *m_sCommand2 = nullptr;
    QPushButton *m_sCommand4 = nullptr;
    QPushButton *m_sCommand5 = nullptr;
    QPushButton *m_command3 = nullptr; // Clear
    QPushButton *m_command4 = nullptr; // Exit

    // The field that holds the focus in the program's sense: it got the focus and its
    // leave check has not run since. Switching to another application or opening a
    // menu takes Qt's focus away without leaving the field; 0 means none.
    int m_openField = 0;
    bool m_inLeaveCheck = false;
    bool m_movingFocus = false;
    bool m_closing = false;
    int m_selectOnRelease = 0; // field clicked into: select its text once the click ends

    KnownFile m_knownFile; // what this run last loaded or wrote

    ChildWindows m_windows;
};
