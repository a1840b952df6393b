#include "IconButton.h"

IconButton::IconButton(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::StrongFocus);
}

void IconButton::SetIcons(const QIcon& normal, const QIcon& hover)
{
    normal_ = normal;
    hover_ = hover;
    setIcon(underMouse() && !hover_.isNull() ? hover_ : normal_);
}

void IconButton::SetTip(const QString& tip)
{
    setToolTip(tip);
    if (text().isEmpty())
        setAccessibleName(tip);
    setAccessibleDescription(tip);
}

void IconButton::SetCaption(const QString& caption)
{
    setText(caption);
    setAccessibleName(caption);
    setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
}

void IconButton::enterEvent(QEnterEvent* event)
{
    if (!hover_.isNull())
        setIcon(hover_);
    QToolButton::enterEvent(event);
}

void IconButton::leaveEvent(QEvent* event)
{
    setIcon(normal_);
    QToolButton::leaveEvent(event);
}
