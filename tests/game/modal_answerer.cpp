#include "modal_answerer.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kumoji::test {

TModalAnswerer::TModalAnswerer() {
    FTimer.setInterval(10);
    connect(&FTimer, &QTimer::timeout, this, &TModalAnswerer::Poll);
    FTimer.start();
}

TModalAnswerer::~TModalAnswerer() = default;

TModalAnswerer& TModalAnswerer::Then(TStep Step) {
    FSteps.push_back(std::move(Step));
    return *this;
}

TModalAnswerer& TModalAnswerer::Input(const QString& Text) {
    return Then([Text](QWidget* W) {
        auto* Prompt = qobject_cast<QInputDialog*>(W);
        if (!Prompt)
            return false;
        Prompt->setTextValue(Text);
        Prompt->accept();
        return true;
    });
}

TModalAnswerer& TModalAnswerer::CancelInput() {
    return Then([](QWidget* W) {
        auto* Prompt = qobject_cast<QInputDialog*>(W);
        if (!Prompt)
            return false;
        Prompt->reject();
        return true;
    });
}

TModalAnswerer& TModalAnswerer::Message(int Button) {
    return Then([this, Button](QWidget* W) {
        auto* Box = qobject_cast<QMessageBox*>(W);
        if (!Box)
            return false;
        Messages << Box->text();
        if (QAbstractButton* B = Box->button(static_cast<QMessageBox::StandardButton>(Button)))
            B->click();
        else
            Box->reject();
        return true;
    });
}

void TModalAnswerer::Poll() {
    QWidget* Active = QApplication::activeModalWidget();
    if (FLast && (FLast != Active || !FLast->isVisible()))
        FLast = nullptr;
    if (!Active || Active == FLast)
        return;
    if (FSteps.empty()) {
        // Nobody waits for it: close it, so a faulty test fails instead of hanging.
        ++Unexpected;
        FLast = Active;
        if (auto* Box = qobject_cast<QMessageBox*>(Active))
            Messages << Box->text();
        QMetaObject::invokeMethod(Active, "reject", Qt::QueuedConnection);
        return;
    }
    TStep Step = FSteps.front();
    FSteps.pop_front();
    FLast = Active;
    if (!Step(Active)) {
        ++Unexpected;
        QMetaObject::invokeMethod(Active, "reject", Qt::QueuedConnection);
    }
}

} // namespace kumoji::test
