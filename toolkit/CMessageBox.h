#pragma once

#include <QString>

#include <deque>
#include <vector>

class QWidget;

// Button ids that a message box returns.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDHELP = 9;

// The program's message box: caption "Scanlore", an icon, a text and a set of
// buttons; modal over its parent.
class CMessageBox
{
public:
    enum Icon { Information, Exclamation, Error, Question };
    // SaveDiscardCancel answers IDYES for Save and IDNO for Discard;
    // SendOthersAllCancel ("Send the Others", "Send All Anyway", "Cancel")
    // IDYES, IDNO and IDCANCEL; OkHelp's Help closes the box with IDHELP.
    // LockLeaveCancel ("Lock Them Out", "Leave Them", "Cancel") answers
    // IDYES, IDNO and IDCANCEL; NextCancel ("Next", "Cancel") IDOK and IDCANCEL;
    // SaveAnywaySaveAsCancel ("Save Anyway", "Save As...", "Cancel") IDYES,
    // IDNO and IDCANCEL, with Cancel the default; ReloadKeep ("Reload",
    // "Keep") IDYES and IDNO; SendAnywayCancel ("Send Anyway", "Cancel")
    // IDOK and IDCANCEL; ChooseColumnsClose ("Choose Columns...", "Close")
    // IDYES and IDCANCEL, with Choose Columns the default.
    enum Buttons {
        Ok,
        OkCancel,
        YesNo,
        YesNoCancel,
        SaveDiscardCancel,
        SendOthersAllCancel,
        OkHelp,
        LockLeaveCancel,
        NextCancel,
        SaveAnywaySaveAsCancel,
        ReloadKeep,
        SendAnywayCancel,
        ChooseColumnsClose
    };

    // Shows the box and returns the id of the button pressed. Escape and the
    // close box answer Cancel when there is one, else OK (or No for YesNo).
    static int Show(QWidget* parent, const QString& text, Icon icon, Buttons buttons = Ok);

    // What one box showed, as the test seam records it.
    struct Record
    {
        QString caption;
        QString text;
        Icon icon;
        Buttons buttons;
    };

    // Test seam. While a Script is alive, Show opens no window: it records the
    // box and answers with the next queued answer, or with the box's default
    // button (the first one but for SaveAnywaySaveAsCancel) when none is
    // queued. Scripts do not nest.
    class Script
    {
    public:
        Script();
        ~Script();
        Script(const Script&) = delete;
        Script& operator=(const Script&) = delete;

        void SetNextAnswers(std::vector<int> answers);
        const std::vector<Record>& Shown() const { return m_shown; }
        void Clear() { m_shown.clear(); }

    private:
        friend class CMessageBox;
        std::deque<int> m_answers;
        std::vector<Record> m_shown;
    };

    // Queues answers on the current Script; does nothing without one.
    static void SetNextAnswers(std::vector<int> answers);
};
