#include "widgets/namedcombobox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

namespace {

class NamedComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit NamedComboBoxAccessible(QComboBox *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }

    // Pressing the list opens it, as a click does.
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *namedComboBoxAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("NamedComboBox") && object)
        return new NamedComboBoxAccessible(static_cast<NamedComboBox *>(object));
    return nullptr;
}

} // namespace

NamedComboBox::NamedComboBox(QWidget *parent)
    : QComboBox(parent)
{
    // Qt keeps each factory once, however often it is installed.
    QAccessible::installFactory(namedComboBoxAccessible);
}
