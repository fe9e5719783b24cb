#pragma once

#include "toolkit/CKeyLockState.h"

#include <QStatusBar>

#include <functional>
#include <span>
#include <vector>

class QLabel;
class QTimer;

// The status bar: a message pane that shows "Ready" (or a command's prompt
// while a menu item or toolbar button is highlighted), then indicator panes
// that show their text while their lock key is on. Where the lock states
// cannot be read the indicators stay empty.
class CStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit CStatusBar(QWidget* parent);
    ~CStatusBar() override;

    // The panes from left to right: ID_SEPARATOR for the message pane, or
    // the string id of an indicator (ID_INDICATOR_CAPS, _NUM, _SCRL).
    bool SetIndicators(std::span<const int> ids);

    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    // What the pane shows now; the message pane shows a prompt in place of
    // its own text while one is up.
    QString GetPaneText(int index) const;

    // Reads the lock keys again and updates the indicators.
    void UpdateIndicators();

    // Test seam: where the lock states come from (CKeyLockState::Read when
    // unset). Returns the reader it replaces.
    using KeyStateReader = std::function<CKeyLockState()>;
    static KeyStateReader SetKeyStateReader(KeyStateReader reader);

    // Sets the reader for its lifetime and then puts back the one it replaced.
    class KeyStateReaderScope
    {
    public:
        explicit KeyStateReaderScope(KeyStateReader reader) : m_previous(SetKeyStateReader(std::move(reader))) {}
        ~KeyStateReaderScope() { SetKeyStateReader(std::move(m_previous)); }
        KeyStateReaderScope(const KeyStateReaderScope&) = delete;
        KeyStateReaderScope& operator=(const KeyStateReaderScope&) = delete;

    private:
        KeyStateReader m_previous;
    };

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Pane
    {
        int id;
        QLabel* label;
    };
    std::vector<Pane> m_panes;
    QTimer* m_timer;
};
