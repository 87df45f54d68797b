#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

namespace kumoji::test {

// Answers the modal dialogs the code under test opens, one step per dialog,
// in order, from a timer that polls the active modal widget.
class TModalAnswerer : public QObject {
public:
    // A step gets the new modal widget and answers whether it handled it.
    using TStep = std::function<bool(QWidget*)>;

    TModalAnswerer();
    ~TModalAnswerer() override;

    TModalAnswerer& Then(TStep Step);
    // A text prompt answered with Text, or cancelled.
    TModalAnswerer& Input(const QString& Text);
    TModalAnswerer& CancelInput();
    // A message box: its text is recorded, then the button is clicked.
    TModalAnswerer& Message(int Button = 0x00000400 /* QMessageBox::Ok */);

    bool Done() const { return FSteps.empty(); }
    int Pending() const { return static_cast<int>(FSteps.size()); }
    // Texts of the message boxes answered so far.
    QStringList Messages;
    // Dialogs seen that no step was waiting for.
    int Unexpected = 0;

private:
    void Poll();

    std::deque<TStep> FSteps;
    QPointer<QWidget> FLast;
    QTimer FTimer;
};

} // namespace kumoji::test
