#pragma once
// An underlined text that opens its target (a web address or a mailto:
// link) when clicked or activated from the keyboard. The owner decides how
// targets are opened, so that tests never start a browser.
#include <QLabel>

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

    void SetLink(const QString& text, const QString& target);
    const QString& Target() const { return target_; }

Q_SIGNALS:
    void LinkActivated(const QString& target);

private:
    QString target_;
};
