#include "app/HelpKeyboardPage.h"

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
    html += QStringLiteral("</table><p>In the cell editor, Tab, Shift+Tab, Enter, the arrow keys and Escape move "
                           "and finish edits (<a href=\"editing.html\">Editing channels</a>).</p>"
                           "<p><a href=\"index.html\">Contents</a></p></body></html>");
    return html;
}
