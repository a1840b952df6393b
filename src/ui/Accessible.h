#pragma once
// Label texts that also name the control they belong to, so that screen
// readers and other assistive tools find every list and box by its label.
#include <QLabel>
#include <QString>

namespace ui {

inline void SetLabel(QLabel* label, QWidget* control, const QString& text)
{
    label->setText(text);
    label->setBuddy(control);
    QString name = text;
    name.remove('&');
    while (name.endsWith(':') || name.endsWith(' '))
        name.chop(1);
    control->setAccessibleName(name);
}

}  // namespace ui
