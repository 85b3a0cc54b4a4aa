#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class frmStart;

// "Project Data": project name, pipe name, owner, date and the project file name.
class frmProjectgegevens : public QWidget
{
    Q_OBJECT

public:
    explicit frmProjectgegevens(frmStart &main);

    // 0 Date, 1 Project, 2 Pipe name, 3 Owner, 4 File.
    QLineEdit *Text3(int index) const { return m_text3.at(size_t(index)); }

    void ClearForm_Click();

private:
    frmStart &m_main;
    std::array<QLineEdit *, 5> m_text3{};
};
