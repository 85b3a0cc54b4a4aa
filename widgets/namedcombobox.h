#pragma once

#include <QComboBox>

// A drop-down list that assistive technology reads by its accessible name (the heading
// above it), with the entry it shows as its value. Qt's own interface for a combo box
// on Linux gives the shown entry as the name, so two lists under their headings would
// be read as " 25.6 mm" and " 26.9 mm".
class NamedComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit NamedComboBox(QWidget *parent = nullptr);
};
