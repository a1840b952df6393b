#include "CmEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>

CmEdit::CmEdit(QWidget* parent) : QLineEdit(parent) {}

bool CmEdit::Init(const QString& mask, const QString& value)
{
    switch (model_.Init(mask.toStdString(), value.toStdString())) {
    case controls::MaskModel::InitResult::BadBrackets:
        setText(QStringLiteral("Init failed."));
        setEnabled(false);
        return false;
    case controls::MaskModel::InitResult::BadCharacterSet:
        setText(QStringLiteral("SetValidChars failed."));
        setEnabled(false);
        return false;
    case controls::MaskModel::InitResult::Ok:
        break;
    }
    setEnabled(true);
    Show();
    return true;
}

void CmEdit::SetData(const QString& value)
{
    model_.SetData(value.toStdString());
    Show();
}

QString CmEdit::GetData() const
{
    return QString::fromStdString(model_.GetData());
}

void CmEdit::Show()
{
    setText(QString::fromStdString(model_.Text()));
    setCursorPosition(model_.Caret());
}

int CmEdit::SelectionEnd() const
{
    return hasSelectedText() ? selectionStart() + static_cast<int>(selectedText().size()) : selectionStart();
}

void CmEdit::keyPressEvent(QKeyEvent* event)
{
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selEnd = hasSelectedText() ? SelectionEnd() : cursorPosition();
    if (!hasSelectedText())
        model_.PlaceCaret(cursorPosition());
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->ignore();
        return;
    case Qt::Key_Backspace:
        model_.Backspace(selStart, selEnd);
        break;
    case Qt::Key_Delete:
        model_.Delete(selStart, selEnd);
        break;
    case Qt::Key_Home:
        model_.Home();
        break;
    case Qt::Key_End:
        model_.End();
        break;
    case Qt::Key_Left:
        model_.Left();
        break;
    case Qt::Key_Right:
        model_.Right();
        break;
    default: {
        const QString text = event->text();
        if (text.size() != 1 || !text[0].isPrint() || text[0].unicode() > 127 ||
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy))
                QLineEdit::keyPressEvent(event);
            return;
        }
        model_.Type(text[0].toLatin1(), selStart, selEnd);
    }
    }
    Show();
}

void CmEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (hasSelectedText())
        return;
    model_.PlaceCaret(cursorPositionAt(event->position().toPoint()));
    setCursorPosition(model_.Caret());
}

void CmEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CmEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    emit focusLost();
}
