#include "game/name_prompt.h"

#include "game/platform/message_box.h"
#include "storage/roster.h"
#include "storage/sjis.h"

#include <QInputDialog>
#include <QLineEdit>

namespace kumoji {

QString NameText(const std::string& Name) {
    std::string Utf8;
    if (Cp932ToUtf8(Name, Utf8))
        return QString::fromStdString(Utf8);
    // Bytes from an edited file that are not CP932: show what can be shown.
    return QString::fromLatin1(Name.data(), static_cast<qsizetype>(Name.size()));
}

QString TrimName(const QString& Text) {
    qsizetype First = 0;
    qsizetype Last = Text.size();
    while (First < Last && Text[First].unicode() <= 32)
        ++First;
    while (Last > First && Text[Last - 1].unicode() <= 32)
        --Last;
    return Text.mid(First, Last - First);
}

bool AskPlayerName(QWidget* Owner, bool Required, std::string& Name) {
    for (;;) {
        QInputDialog Prompt(Owner);
        Prompt.setWindowTitle(QStringLiteral("Kumoji"));
        Prompt.setLabelText(QStringLiteral("ユーザー名 input your name"));
        Prompt.setInputMode(QInputDialog::TextInput);
        Prompt.setTextValue(QString());
        if (auto* Edit = Prompt.findChild<QLineEdit*>())
            Edit->setMaxLength(255);
        if (Prompt.exec() != QDialog::Accepted) {
            if (!Required)
                return false;
            ShowMessageBox(Owner, QStringLiteral("ユーザー名は必要です input your name"));
            continue;
        }
        const QString Text = TrimName(Prompt.textValue());
        if (Text.isEmpty()) {
            if (!Required)
                return false;
            continue;
        }
        std::string Problem;
        if (PlayerNameFromUtf8(Text.toStdString(), Name, Problem))
            return true;
        ShowMessageBox(Owner, TwoParts(QStringLiteral("このユーザー名は使えません "
                                                      "this name cannot be used"),
                                       QString::fromStdString(Problem)));
    }
}

} // namespace kumoji
