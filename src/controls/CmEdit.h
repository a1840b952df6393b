#pragma once
// A line edit with an input mask: literals stay put, the caret jumps over
// them, and each editable position accepts only its allowed characters.
#include "MaskModel.h"

#include <QLineEdit>

class CmEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CmEdit(QWidget* parent = nullptr);

    // False (and the edit disabled with the reason shown) for a bad mask.
    bool Init(const QString& mask, const QString& value);
    void SetData(const QString& value);
    QString GetData() const;

Q_SIGNALS:
    void focusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Show();
    int SelectionEnd() const;

    controls::MaskModel model_;
};
