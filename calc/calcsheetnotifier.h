#pragma once

#include <QObject>

// What a CalcSheet tells its listeners, to any number of them: a view follows the field
// texts and the status line, the analysis windows follow every calculation. The sheet
// speaks through the notifier it was given (CalcSheet::setNotifier); a copy of the
// sheet has none.
class CalcSheetNotifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    // The text of Text0(index) changed.
    void text0Changed(int index);
    // The status line changed.
    void statusChanged();
    // A Calc ended, also one that a cancelled prompt ended.
    void calculated();
};
