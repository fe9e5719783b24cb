#include "app/HelpKeyboardPage.h"

#include "grid/hvGridCtrl.h"
#include "res/AcceleratorResource.h"
#include "res/MenuResource.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QKeySequence>

namespace {

QString MenuLabel(int command)
{
    const MenuResource* menu = FindMenuResource(IDR_MAINFRAME);
    if (!menu)
        return {};
    for (const PopupMenuResource& popup : menu->popups)
        for (const MenuItemResource& item : popup.items)
            if (item.command == command && item.label)
                return QString::fromUtf8(item.label);
    return {};
}

} // namespace

QString CommandDisplayName(int command)
{
    QString label = MenuLabel(command);
    if (!label.isEmpty()) {
        label = label.section(QLatin1Char('\t'), 0, 0);
        label.remove(QLatin1Char('&'));
        if (label.endsWith(QLatin1String("...")))
            label.chop(3);
        return label;
    }
    return QString::fromUtf8(LoadCommandTooltip(command));
}

QString KeyboardPageHtml(int acceleratorTableId)
{
    QString html = QStringLiteral("<html><head><title>Keyboard</title></head><body><h1>Keyboard</h1>"
                                  "<p>These keys work anywhere in the main window. A command that cannot run at the "
                                  "moment (shown greyed in its menu) ignores its key.</p>"
                                  "<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">"
                                  "<tr><th>Keys</th><th>Command</th></tr>");
    for (const AcceleratorResource& binding : FindAcceleratorResource(acceleratorTableId)) {
        QString name = CommandDisplayName(binding.command);
        if (name.isEmpty())
            name = QStringLiteral("(not in use)");
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                    .arg(QKeySequence(binding.keys).toString(QKeySequence::PortableText).toHtmlEscaped(),
                         name.toHtmlEscaped());
    }
    // The grid's own keys, from its key table and its accelerator table.
    html += QStringLiteral("</table><h2>In the grid</h2><p>These keys work while the grid has the focus. The "
                           "current cell has a frame around it; a click sets it.</p>"
                           "<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">"
                           "<tr><th>Keys</th><th>What they do</th></tr>");
    const auto row = [&html](const QString& keys, const QString& what) {
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>").arg(keys.toHtmlEscaped(), what.toHtmlEscaped());
    };
    for (const hvGridKey& key : hvGridCtrl::GetKeys())
        row(key.action == hvGridKey::Action::Type ? QStringLiteral("A character")
                                                  : QKeySequence(key.keys).toString(QKeySequence::PortableText),
            QString::fromUtf8(key.what));
    for (const AcceleratorResource& binding : FindAcceleratorResource(IDR_GRID))
        row(QKeySequence(binding.keys).toString(QKeySequence::PortableText), CommandDisplayName(binding.command));
    html += QStringLiteral("</table><p>In the cell editor, Tab, Shift+Tab, Enter, the arrow keys and Escape move "
                           "and finish edits (<a href=\"editing.html\">Editing channels</a>).</p>"
                           "<p><a href=\"index.html\">Contents</a></p></body></html>");
    return html;
}
