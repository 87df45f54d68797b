// The player dialog between questions: who plays next, the player menu, new players and help.
#pragma once

#include <QDialog>
#include <QRect>
#include <QString>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace Ui {
class TForm2;
}

namespace kumoji {

class TForm1;
class TOuterFrame;

// Between questions: who plays next, the player menu, new players and help.
class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(TForm1& Owner);
    ~TForm2() override;

    QLabel* imSelectUser = nullptr;
    QLabel* lbSelect = nullptr;
    QLabel* lbSelect2 = nullptr;
    QFrame* Panel1 = nullptr;
    QToolButton* sbOk = nullptr;
    QToolButton* sbCangeUser = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* btCancel = nullptr;
    // The main window's why command, below the bar.
    QToolButton* sbWhy = nullptr;
    // The record of the player chosen here, beside the why command.
    QToolButton* sbRecord = nullptr;
    // Practice of a technique, below the record.
    QToolButton* sbPractice = nullptr;
    QMenu* pmCangeUser = nullptr;
    QAction* newuser1 = nullptr;
    QAction* miNewUserBar = nullptr;
    // Keeps the outer size and the placements the frame affects.
    TOuterFrame* FOuterFrame = nullptr;

    int FUserIndex = -1;
    std::string FNewName;
    QString FHelpTopic;
    // The technique chosen for practice here; 0 for the climb.
    int FPractice = 0;

    void SetSelectedName(const QString& Text);
    // The main window's scale: the dialog's size, parts and faces follow it.
    void SetScale(double Value);
    double Scale() const { return FScale; }
    void pmCangeUserPopup();
    void UserMenuClick(int Tag);
    void newuser1Click();
    void sbCangeUserClick();
    void sbOkClick();

    // A position's name in the player menu; positions beyond the summit
    // count as the summit.
    static QString PositionName(int Position);

protected:
    void resizeEvent(QResizeEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void FormCreate();
    void BindWhy();
    void BindRecord();
    void BindPractice();
    QToolButton* TabBelow(QToolButton* Above, const char* Name, const QAction& Action);

    std::unique_ptr<Ui::TForm2> FUi;
    TForm1& FOwner;
    double FScale = 1.0;
    // The parts' places and sizes in the design.
    std::vector<std::pair<QWidget*, QRect>> FDesign;
};

} // namespace kumoji
