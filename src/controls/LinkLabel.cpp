#include "LinkLabel.h"

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setOpenExternalLinks(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QLabel::linkActivated, this, [this] { Q_EMIT LinkActivated(target_); });
}

void LinkLabel::SetLink(const QString& text, const QString& target)
{
    target_ = target;
    setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), text.toHtmlEscaped()));
    setAccessibleName(text);
    setToolTip(target);
}
