#include "game/platform/message_box.h"

#include <QMessageBox>

namespace kumoji {

namespace {

const QString Title = QStringLiteral("Kumoji");

} // namespace

QString TwoParts(const QString& First, const QString& Second) {
    return First + QStringLiteral("\n\n") + Second;
}

void ShowMessageBox(QWidget* Owner, const QString& Text) {
    QMessageBox Box(QMessageBox::NoIcon, Title, Text, QMessageBox::Ok, Owner);
    Box.exec();
}

bool AskYesCancel(QWidget* Owner, const QString& Text) {
    QMessageBox Box(QMessageBox::Question, Title, Text, QMessageBox::Yes | QMessageBox::Cancel,
                    Owner);
    Box.setDefaultButton(QMessageBox::Cancel);
    return Box.exec() == QMessageBox::Yes;
}

bool AskYesNo(QWidget* Owner, const QString& Text) {
    QMessageBox Box(QMessageBox::Question, Title, Text, QMessageBox::Yes | QMessageBox::No, Owner);
    Box.setDefaultButton(QMessageBox::Yes);
    return Box.exec() == QMessageBox::Yes;
}

} // namespace kumoji
