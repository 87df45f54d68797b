// Whether the Tab key is held down, followed by an application-wide event filter.
#pragma once

#include <QObject>

namespace kumoji {

// Qt cannot be asked whether a key is held down, so the Tab key's state is
// followed by an event filter on the application, which sees the key before
// focus navigation takes it.
class TTabKey : public QObject {
    Q_OBJECT

public:
    // The one tracker of the process; installs its filter on first use, so
    // call it early (the board does so when it is built).
    static TTabKey& Instance();

    bool IsDown() const { return FDown; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    explicit TTabKey(QObject* Parent);
    bool FDown = false;
};

// True while the Tab key is held down.
bool TabKeyDown();

} // namespace kumoji
