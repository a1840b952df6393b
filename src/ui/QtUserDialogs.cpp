#include "QtUserDialogs.h"

#include "RefusedFilesBox.h"
#include "app/Application.h"
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
    // Adding a file a second time is rarely meant, so Enter answers No.
    const QMessageBox::StandardButton byDefault =
        question.id == app::NoticeId::SourcesAlreadyListed ? QMessageBox::No : QMessageBox::NoButton;
    return QMessageBox::question(owner_, QString::fromStdString(app::NoticeCaption(question)),
                                 QString::fromStdString(app::NoticeText(question)),
                                 QMessageBox::Yes | QMessageBox::No, byDefault) == QMessageBox::Yes;
}

bool QtUserDialogs::Confirm(const app::Notice& question)
{
    return Confirm(app::NoticeText(question), app::NoticeCaption(question));
}

void QtUserDialogs::ReportRefusedFiles(const std::vector<app::RefusedFile>& files)
{
    if (files.empty())
        return;
    ui::RefusedFilesBox box(files, QString::fromStdString(app::Application().appName), owner_);
    box.exec();
}
