#include "QtUserDialogs.h"

#include "app/NoticeText.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

void QtUserDialogs::Message(const std::string& text, const std::string& caption)
{
    QMessageBox::information(owner_, QString::fromStdString(caption), QString::fromStdString(text));
}

bool QtUserDialogs::Question(const std::string& text, const std::string& caption)
{
    return QMessageBox::question(owner_, QString::fromStdString(caption), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtUserDialogs::Confirm(const std::string& text, const std::string& caption)
{
    return QMessageBox::information(owner_, QString::fromStdString(caption), QString::fromStdString(text),
                                    QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void QtUserDialogs::Report(const app::Notice& notice)
{
    Message(app::NoticeText(notice), app::NoticeCaption(notice));
}

bool QtUserDialogs::Offer(const app::Notice& notice, const std::string& choice)
{
    QMessageBox box(QMessageBox::Information, QString::fromStdString(app::NoticeCaption(notice)),
                    QString::fromStdString(app::NoticeText(notice)), QMessageBox::Ok, owner_);
    QPushButton* offered = box.addButton(QString::fromStdString(choice), QMessageBox::ActionRole);
    offered->setObjectName("offeredButton");
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == offered;
}

bool QtUserDialogs::Question(const app::Notice& question)
{
    return Question(app::NoticeText(question), app::NoticeCaption(question));
}

bool QtUserDialogs::Confirm(const app::Notice& question)
{
    return Confirm(app::NoticeText(question), app::NoticeCaption(question));
}
