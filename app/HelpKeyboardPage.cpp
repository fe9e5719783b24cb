#include "app/HelpKeyboardPage.h"

#include "core/ChannelColumnMap.h"
#include "grid/hvGridCtrl.h"
#include "res/AcceleratorResource.h"
#include "res/MenuResource.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QKeySequence>
#include <QStringList>

#include <utility>

namespace {

// The commands help pages name keys for, by the name the pages use.
constexpr std::pair<const char*, int> kPageCommands[] = {
    {"new", ID_FILE_NEW},
    {"open", ID_FILE_OPEN},
    {"save", ID_FILE_SAVE},
    {"print", ID_FILE_PRINT},
    {"undo", ID_EDIT_UNDO},
    {"redo", ID_EDIT_REDO},
    {"cut", ID_EDIT_CUT},
    {"copy", ID_EDIT_COPY},
    {"paste", ID_EDIT_PASTE},
    {"delete", ID_EDIT_DELETE},
    {"select-all", ID_EDIT_SELECT_ALL},
    {"find", ID_EDIT_FIND},
    {"find-next", ID_EDIT_FIND_NEXT},
    {"find-previous", ID_EDIT_FIND_PREVIOUS},
    {"go-to", ID_EDIT_GOTO},
    {"insert-channel", ID_EDIT_INSERT_CHANNEL},
    {"remove-channel", ID_EDIT_REMOVE_CHANNEL},
    {"move-up", ID_EDIT_MOVE_UP},
    {"move-down", ID_EDIT_MOVE_DOWN},
    {"sort", ID_EDIT_SORT},
    {"follow-cars", ID_EDIT_FOLLOW_CARS},
    {"lock-out", ID_EDIT_LOCK_OUT},
    {"unlock", ID_EDIT_UNLOCK},
    {"import", ID_FILE_IMPORT},
    {"print-race-card", ID_FILE_PRINT_RACE_CARD},
    {"upload-selected", ID_TRANSFER_UPLOAD_SELECTED},
    {"upload-all", ID_TRANSFER_UPLOAD_ALL},
    {"upload-changed", ID_TRANSFER_UPLOAD_CHANGED},
    {"help", ID_HELP_TOPICS},
};

QString BandsTable(const std::vector<vnModelBands>& models)
{
    if (models.empty())
        return QStringLiteral("<p>No scanner module is installed, so no model's bands are known.</p>");
    QString html = QStringLiteral("<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">"
                                  "<tr><th>Model</th><th>Receives</th><th>Source of the figures</th></tr>");
    for (const vnModelBands& model : models) {
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(QString::fromStdString(model.bands.GetModel()).toHtmlEscaped(),
                         QString::fromStdString(model.bands.GetRangesText()).toHtmlEscaped(),
                         QString::fromStdString(model.source).toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

// How the columns of other programs' files are named, from the column map's
// own tables, so the help says what the reader does.
QString ColumnNamesTable()
{
    QString html = QStringLiteral("<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">"
                                  "<tr><th>Field</th><th>How</th><th>Words and names</th></tr>");
    for (const ChannelColumnMap::NameRow& row : ChannelColumnMap::NameTable()) {
        QStringList words;
        for (const std::string& word : row.words)
            words << QString::fromStdString(word);
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(QString::fromStdString(row.field).toHtmlEscaped(),
                         QString::fromStdString(row.rule).toHtmlEscaped(),
                         words.join(QStringLiteral(", ")).toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

// The main menu's item of a command with the popup it stands in; nulls
// when no item runs it.
std::pair<const PopupMenuResource*, const MenuItemResource*> FindMenuItem(int command)
{
    if (const MenuResource* menu = FindMenuResource(IDR_MAINFRAME))
        for (const PopupMenuResource& popup : menu->popups)
            for (const MenuItemResource& item : popup.items)
                if (item.command == command && item.label)
                    return {&popup, &item};
    return {nullptr, nullptr};
}

QString MenuLabel(int command)
{
    const auto [popup, item] = FindMenuItem(command);
    return item ? QString::fromUtf8(item->label) : QString();
}

// The menu a command stands in, without its mnemonic: "Edit".
QString MenuTitle(int command)
{
    const auto [popup, item] = FindMenuItem(command);
    return popup ? QString::fromUtf8(popup->title).remove(QLatin1Char('&')) : QString();
}

} // namespace

QString CommandMenuPath(int command)
{
    const QString menu = MenuTitle(command);
    return menu.isEmpty() ? CommandDisplayName(command) : menu + QStringLiteral(" > ") + CommandDisplayName(command);
}

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

QString CommandKeys(int command)
{
    // The menu's key first, then the other keys bound to the command.
    QStringList keys;
    if (const QString hint = MenuLabel(command).section(QLatin1Char('\t'), 1); !hint.isEmpty())
        keys << QKeySequence(hint).toString(QKeySequence::PortableText);
    for (const int table : {IDR_MAINFRAME, IDR_GRID})
        for (const AcceleratorResource& binding : FindAcceleratorResource(table)) {
            const QString text = QKeySequence(binding.keys).toString(QKeySequence::PortableText);
            if (binding.command == command && !keys.contains(text))
                keys << text;
        }
    return keys.join(QStringLiteral(" or "));
}

QString ExpandHelpPage(const QString& html, const std::vector<vnModelBands>& models)
{
    QString page = html;
    if (page.contains(QStringLiteral("{{bands}}")))
        page.replace(QStringLiteral("{{bands}}"), BandsTable(models));
    if (page.contains(QStringLiteral("{{columnnames}}")))
        page.replace(QStringLiteral("{{columnnames}}"), ColumnNamesTable());
    for (const auto& [name, command] : kPageCommands) {
        page.replace(QStringLiteral("{{keys:%1}}").arg(QLatin1String(name)), CommandKeys(command).toHtmlEscaped());
        page.replace(QStringLiteral("{{menu:%1}}").arg(QLatin1String(name)), CommandMenuPath(command).toHtmlEscaped());
    }
    return page;
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
