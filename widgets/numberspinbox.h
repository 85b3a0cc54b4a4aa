#pragma once

#include <QDoubleSpinBox>

// A spin box that reads a number as the main window's fields do: in the user's locale
// only, without group separators. A plain QDoubleSpinBox under a "." locale takes the
// comma of "0,8" for a group separator and reads 8; here such a text stays as typed
// until Enter or leaving the box, is then refused (the box keeps its value) and told
// through `refused`.
class NumberSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit NumberSpinBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &text, int &position) const override;
    void fixup(QString &text) const override;
    double valueFromText(const QString &text) const override;
    QString textFromValue(double value) const override;

Q_SIGNALS:
    // A finished entry that is no number of the user's locale within the range.
    void refused(const QString &text);

private:
    mutable QString m_refused; // set by fixup, told once the entry is finished
};
