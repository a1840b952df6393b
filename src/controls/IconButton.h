#pragma once
// A flat button showing an icon (with its caption under it when it has
// one) that may change to a second icon while the pointer is over it.
#include <QIcon>
#include <QToolButton>

class IconButton : public QToolButton {
    Q_OBJECT
public:
    explicit IconButton(QWidget* parent = nullptr);

    // hover may be null: the button then keeps the normal icon.
    void SetIcons(const QIcon& normal, const QIcon& hover);
    // Sets the tooltip and, for a button without caption, the accessible
    // name, so that assistive tools can find and press icon-only buttons.
    void SetTip(const QString& tip);
    void SetCaption(const QString& caption);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QIcon normal_;
    QIcon hover_;
};
