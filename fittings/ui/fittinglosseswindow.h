#pragma once

#include "calc/calcengine.h"
#include "calc/caseinput.h"
#include "fittings/fittinglosses.h"

#include <QWidget>

#include <optional>

class Dialogs;
class FittingLossesModel;
class QLabel;
class QPushButton;
class QTableView;

// "Fitting losses": what each counted fitting of the main window's case costs by the
// l/d of the main window and by Crane's, Hooper's and Darby's methods, side by side. It
// follows the main window through setCase() and changes nothing there.
class FittingLossesWindow : public QWidget
{
    Q_OBJECT

public:
    explicit FittingLossesWindow(Dialogs &dialogs, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    const FittingLossesModel &model() const { return *m_model; }
    QLabel *conditionsLabel() const { return m_conditions; }
    QLabel *spreadLabel() const { return m_spread; }
    QLabel *noteLabel() const { return m_note; }
    QLabel *leftOutLabel() const { return m_leftOut; }
    QPushButton *exportButton() const { return m_export; }

    void exportCsv();

public Q_SLOTS:
    // The case of the main window after each of its calculations, and what the main
    // window computed for it by l/d.
    void setCase(
        const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed = std::nullopt);

private:
    void buildWindow();
    // A line under the table; its accessible name is its text, which a screen reader
    // would otherwise not hear beside a fixed name.
    QLabel *addLine();
    void showLine(QLabel *line, const QString &text);

    Dialogs &m_dialogs;
    FittingLossesModel *m_model = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_conditions = nullptr;
    QLabel *m_spread = nullptr;
    QLabel *m_note = nullptr;
    QLabel *m_leftOut = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_close = nullptr;
};
