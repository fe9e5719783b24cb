#pragma once

#include "res/DialogTemplates.h"
#include "toolkit/DialogUnits.h"

#include <QFont>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

// The controls of one dialog template, made as children of a host widget:
// placed in dialog units through the template font's base units, created
// and chained for Tab in template order. Push buttons and check boxes report
// clicks and drop-down lists report a selection the user made through the
// command callback.
class DialogControls
{
public:
    // Notification codes of the command callback.
    static constexpr int Clicked = 0;
    static constexpr int SelChange = 1;

    using CommandHandler = std::function<void(int id, int code)>;

    DialogControls();
    DialogControls(const DialogControls&) = delete;
    DialogControls& operator=(const DialogControls&) = delete;
    ~DialogControls();

    // Destroys the controls of an earlier Build, then makes the template's.
    // The host gets the template's font; its size is left to the caller
    // (ClientSize tells it).
    void Build(const DialogTemplate& dialogTemplate, QWidget& host, CommandHandler onCommand);
    void Clear();

    // The first control with this id, or null.
    QWidget* GetItem(int id) const;
    // Every control, in template order.
    std::vector<QWidget*> Items() const;
    // The first control, in Tab order, that takes the keyboard focus and is
    // enabled; null when none.
    QWidget* FirstTabStop() const;

    const DialogUnits& Units() const { return m_units; }
    QSize ClientSize() const { return m_clientSize; }

private:
    struct Control
    {
        int id;
        std::unique_ptr<QWidget> widget;
    };

    void NameFieldsByTheirLabels();
    std::unique_ptr<QWidget> MakeControl(const DialogControl& control, QWidget& host,
                                         const CommandHandler& onCommand) const;

    std::vector<Control> m_controls;
    QFont m_font;
    DialogUnits m_units{1, 1};
    QSize m_clientSize;
};
