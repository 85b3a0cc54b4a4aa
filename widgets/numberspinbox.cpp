#include "widgets/numberspinbox.h"

#include "calc/numbertext.h"

NumberSpinBox::NumberSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (m_refused.isEmpty())
            return;
        const QString text = m_refused;
        m_refused.clear();
        Q_EMIT refused(text);
    });
}

QValidator::State NumberSpinBox::validate(QString &text, int & /*position*/) const
{
    const QString typed = text.trimmed();
    if (const std::optional<double> value = NumberText::parse(typed, locale())) {
        const bool inRange = *value >= minimum() && *value <= maximum();
        return inRange ? QValidator::Acceptable : QValidator::Intermediate;
    }
    // What could be part of a number in some notation stays on screen as typed, to be
    // refused as a whole; anything else is not typed at all.
    for (const QChar c : typed) {
        if (!c.isDigit() && !QStringLiteral(".,+-eE ").contains(c)
            && !locale().decimalPoint().contains(c) && !locale().negativeSign().contains(c))
            return QValidator::Invalid;
    }
    return QValidator::Intermediate;
}

void NumberSpinBox::fixup(QString &text) const
{
    // The spin box goes back to its value; what was typed is told when the entry ends.
    if (!text.trimmed().isEmpty())
        m_refused = text.trimmed();
}

double NumberSpinBox::valueFromText(const QString &text) const
{
    return NumberText::parse(text.trimmed(), locale()).value_or(value());
}

QString NumberSpinBox::textFromValue(double value) const
{
    return NumberText::fixed(value, decimals(), locale());
}
