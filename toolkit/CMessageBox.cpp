#include "toolkit/CMessageBox.h"

#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {

CMessageBox::Script* g_script = nullptr;

int DefaultAnswer(CMessageBox::Buttons buttons)
{
    if (buttons == CMessageBox::SaveAnywaySaveAsCancel)
        return IDCANCEL;
    return (buttons == CMessageBox::YesNo || buttons == CMessageBox::ReloadKeep ||
            buttons == CMessageBox::YesNoCancel || buttons == CMessageBox::SaveDiscardCancel ||
            buttons == CMessageBox::SendOthersAllCancel || buttons == CMessageBox::LockLeaveCancel ||
            buttons == CMessageBox::ChooseColumnsClose)
        ? IDYES
        : IDOK;
}

QString Caption()
{
    const std::string_view title = LoadStringResource(IDS_APP_TITLE);
    return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

} // namespace

CMessageBox::Script::Script()
{
    g_script = this;
}

CMessageBox::Script::~Script()
{
    if (g_script == this)
        g_script = nullptr;
}

void CMessageBox::Script::SetNextAnswers(std::vector<int> answers)
{
    m_answers.assign(answers.begin(), answers.end());
}

void CMessageBox::SetNextAnswers(std::vector<int> answers)
{
    if (g_script)
        g_script->SetNextAnswers(std::move(answers));
}

int CMessageBox::Show(QWidget* parent, const QString& text, Icon icon, Buttons buttons)
{
    if (g_script) {
        g_script->m_shown.push_back({Caption(), text, icon, buttons});
        if (g_script->m_answers.empty())
            return DefaultAnswer(buttons);
        const int answer = g_script->m_answers.front();
        g_script->m_answers.pop_front();
        return answer;
    }

    QMessageBox box(parent);
    box.setWindowTitle(Caption());
    box.setText(text);
    switch (icon) {
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    }

    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (buttons) {
    case Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        escape = QMessageBox::Cancel;
        break;
    case YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        escape = QMessageBox::No;
        break;
    case YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        escape = QMessageBox::Cancel;
        break;
    case SaveDiscardCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        escape = QMessageBox::Cancel;
        break;
    case SendOthersAllCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Send the &Others"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Send &All Anyway"));
        box.setDefaultButton(QMessageBox::Yes);
        escape = QMessageBox::Cancel;
        break;
    case OkHelp:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Help);
        break;
    case LockLeaveCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Lock Them &Out"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&Leave Them"));
        box.setDefaultButton(QMessageBox::Yes);
        escape = QMessageBox::Cancel;
        break;
    case NextCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("&Next"));
        escape = QMessageBox::Cancel;
        break;
    case SaveAnywaySaveAsCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Save &Anyway"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Save &As..."));
        // Enter must not overwrite another program's change.
        box.setDefaultButton(QMessageBox::Cancel);
        escape = QMessageBox::Cancel;
        break;
    case ReloadKeep:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Reload"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&Keep"));
        escape = QMessageBox::No;
        break;
    case SendAnywayCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("&Send Anyway"));
        box.setDefaultButton(QMessageBox::Ok);
        escape = QMessageBox::Cancel;
        break;
    case ChooseColumnsClose:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::Close);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Choose Columns..."));
        box.setDefaultButton(QMessageBox::Yes);
        escape = QMessageBox::Close;
        break;
    }
    box.setEscapeButton(escape);
    box.exec();

    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Cancel:
    case QMessageBox::Close:
        return IDCANCEL;
    case QMessageBox::Yes:
    case QMessageBox::Save:
        return IDYES;
    case QMessageBox::No:
    case QMessageBox::Discard:
        return IDNO;
    case QMessageBox::Help:
        return IDHELP;
    default:
        break;
    }
    // Closed without a button (for example the window went away).
    switch (escape) {
    case QMessageBox::Cancel:
    case QMessageBox::Close:
        return IDCANCEL;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDOK;
    }
}
