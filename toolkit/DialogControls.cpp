#include "toolkit/DialogControls.h"

#include "res/AppIcon.h"
#include "toolkit/CListBox.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

namespace S = DialogStyle;

bool Has(const DialogControl& control, unsigned bit)
{
    return (control.style & bit) != 0;
}

QString Text(const DialogControl& control)
{
    return QString::fromUtf8(control.text ? control.text : "");
}

Qt::Alignment TextAlignment(const DialogControl& control)
{
    if (Has(control, S::AlignRight))
        return Qt::AlignRight | Qt::AlignTop;
    if (Has(control, S::AlignCenter))
        return Qt::AlignHCenter | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

// The resource id that an icon control's text names; 0 when it names none.
int ResourceId(const DialogControl& control)
{
    int id = 0;
    if (control.text)
        std::from_chars(control.text, control.text + std::strlen(control.text), id);
    return id;
}

// Icons show at the system's icon size whatever the template says.
constexpr int kIconSize = 32;

} // namespace

DialogControls::DialogControls() = default;

DialogControls::~DialogControls() = default;

void DialogControls::Clear()
{
    m_controls.clear();
}

void DialogControls::Build(const DialogTemplate& dialogTemplate, QWidget& host, CommandHandler onCommand)
{
    Clear();
    m_font = DialogUnits::TemplateFont(dialogTemplate.fontFace, dialogTemplate.pointSize);
    host.setFont(m_font);
    m_units = DialogUnits(m_font);
    m_clientSize = QSize(m_units.ToPixelsX(dialogTemplate.cx), m_units.ToPixelsY(dialogTemplate.cy));

    QWidget* previousTabStop = nullptr;
    QButtonGroup* radioGroup = nullptr;
    for (const DialogControl& control : dialogTemplate.controls) {
        std::unique_ptr<QWidget> widget = MakeControl(control, host, onCommand);
        // Radio buttons exclude each other within a group, which the Group
        // style of its first button starts; the group goes with that button.
        if (auto* radio = qobject_cast<QRadioButton*>(widget.get())) {
            if (!radioGroup || Has(control, S::Group))
                radioGroup = new QButtonGroup(radio);
            radioGroup->addButton(radio);
        }
        widget->setEnabled(!Has(control, S::Disabled));
        if (widget->focusPolicy() != Qt::NoFocus) {
            widget->setFocusPolicy(Has(control, S::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
            if (previousTabStop)
                QWidget::setTabOrder(previousTabStop, widget.get());
            previousTabStop = widget.get();
        }
        m_controls.push_back(Control{control.id, std::move(widget)});
    }

    // A static text whose '&' marks a mnemonic hands the focus to the next
    // control, as a label for that control.
    for (std::size_t i = 0; i + 1 < m_controls.size(); ++i) {
        auto* label = dynamic_cast<QLabel*>(m_controls[i].widget.get());
        if (label && label->textFormat() == Qt::PlainText && label->text().contains(QLatin1Char('&')) &&
            !label->property("noPrefix").toBool())
            label->setBuddy(m_controls[i + 1].widget.get());
    }
    NameFieldsByTheirLabels();

    // Group boxes only frame the controls inside them: they stay behind those
    // and let clicks through, whatever their place in the template.
    for (const Control& c : m_controls) {
        if (qobject_cast<QGroupBox*>(c.widget.get())) {
            c.widget->lower();
            c.widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
    }
}

void DialogControls::NameFieldsByTheirLabels()
{
    // A field is named by the static text just before it, as a screen
    // reader names a field of a Windows dialog; a field with none, by the
    // static text just after it when that labels no field of its own (the
    // bank bar's "Bank:"). The label becomes the field's buddy, which gives
    // the accessibility tree its "labelled by" relation, and its text the
    // field's name: lists and combo boxes take no name from a buddy. A label
    // that changes later (Go To's range) leaves the name as built.
    const auto field = [this](std::size_t i) {
        const QWidget* widget = i < m_controls.size() ? m_controls[i].widget.get() : nullptr;
        return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
            qobject_cast<const QAbstractItemView*>(widget);
    };
    const auto label = [this](std::size_t i) {
        auto* found = i < m_controls.size() ? qobject_cast<QLabel*>(m_controls[i].widget.get()) : nullptr;
        return found && !found->text().isEmpty() ? found : nullptr;
    };
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (!field(i))
            continue;
        QWidget* widget = m_controls[i].widget.get();
        QLabel* name = i > 0 ? label(i - 1) : nullptr;
        if (!name && !field(i + 2))
            name = label(i + 1);
        if (!name)
            continue;
        name->setBuddy(widget);
        // Without the mnemonic's '&' ("&&" stands for one) and the colon.
        QString text = name->text();
        if (!name->property("noPrefix").toBool())
            text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')).replace(u'\x01', u'&');
        if (text.endsWith(QLatin1Char(':')))
            text.chop(1);
        widget->setAccessibleName(text.trimmed());
    }
}

std::unique_ptr<QWidget> DialogControls::MakeControl(const DialogControl& control, QWidget& host,
                                                     const CommandHandler& onCommand) const
{
    const QRect rect = m_units.ToPixels(control.x, control.y, control.cx, control.cy);
    const int id = control.id;
    std::unique_ptr<QWidget> result;

    switch (control.kind) {
    case DialogControlKind::Text: {
        auto label = std::make_unique<QLabel>(Text(control), &host);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(TextAlignment(control));
        label->setWordWrap(true);
        label->setProperty("noPrefix", Has(control, S::NoPrefix));
        label->setGeometry(rect);
        result = std::move(label);
        break;
    }
    case DialogControlKind::GroupBox: {
        auto group = std::make_unique<QGroupBox>(Text(control), &host);
        group->setFocusPolicy(Qt::NoFocus);
        group->setGeometry(rect);
        result = std::move(group);
        break;
    }
    case DialogControlKind::PushButton:
    case DialogControlKind::DefPushButton: {
        auto button = std::make_unique<QPushButton>(Text(control), &host);
        button->setDefault(control.kind == DialogControlKind::DefPushButton);
        button->setGeometry(rect);
        QObject::connect(button.get(), &QPushButton::clicked, button.get(), [onCommand, id] {
            if (onCommand)
                onCommand(id, Clicked);
        });
        result = std::move(button);
        break;
    }
    case DialogControlKind::AutoCheckBox: {
        auto box = std::make_unique<QCheckBox>(Text(control), &host);
        box->setGeometry(rect);
        QObject::connect(box.get(), &QCheckBox::clicked, box.get(), [onCommand, id] {
            if (onCommand)
                onCommand(id, Clicked);
        });
        result = std::move(box);
        break;
    }
    case DialogControlKind::AutoRadioButton: {
        auto button = std::make_unique<QRadioButton>(Text(control), &host);
        button->setGeometry(rect);
        QObject::connect(button.get(), &QRadioButton::clicked, button.get(), [onCommand, id] {
            if (onCommand)
                onCommand(id, Clicked);
        });
        result = std::move(button);
        break;
    }
    case DialogControlKind::Edit: {
        auto edit = std::make_unique<QLineEdit>(&host);
        edit->setAlignment((TextAlignment(control) & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
        edit->setGeometry(rect);
        result = std::move(edit);
        break;
    }
    case DialogControlKind::ListBox: {
        auto list = std::make_unique<CListBox>(Has(control, S::Sort), &host);
        list->setFrameShape(Has(control, S::Border) ? QFrame::StyledPanel : QFrame::NoFrame);
        list->setVerticalScrollBarPolicy(Has(control, S::VScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setGeometry(rect);
        if (Has(control, S::Notify)) {
            QObject::connect(list.get(), &QListWidget::itemClicked, list.get(), [onCommand, id] {
                if (onCommand)
                    onCommand(id, SelChange);
            });
        }
        result = std::move(list);
        break;
    }
    case DialogControlKind::DropDownList:
    case DialogControlKind::DropDown: {
        auto box = std::make_unique<QComboBox>(&host);
        box->setEditable(control.kind == DialogControlKind::DropDown);
        // Typed text is read back as it stands; it never becomes an item.
        box->setInsertPolicy(QComboBox::NoInsert);
        // The template's height includes the dropped-down list; the box
        // itself is as high as the font needs.
        const int boxHeight = box->sizeHint().height();
        box->setGeometry(rect.x(), rect.y(), rect.width(), boxHeight);
        const int itemHeight = std::max(1, QFontMetrics(m_font).height() + 2);
        box->setMaxVisibleItems(std::max(1, (rect.height() - boxHeight) / itemHeight));
        // Only a choice of the user's is a selection change; a selection made
        // by the program is not reported.
        QObject::connect(box.get(), &QComboBox::activated, box.get(), [onCommand, id] {
            if (onCommand)
                onCommand(id, SelChange);
        });
        result = std::move(box);
        break;
    }
    case DialogControlKind::Icon: {
        auto label = std::make_unique<QLabel>(&host);
        const QIcon icon = LoadAppIcon(ResourceId(control));
        if (!icon.isNull())
            label->setPixmap(icon.pixmap(kIconSize, kIconSize));
        label->setGeometry(rect.x(), rect.y(), kIconSize, kIconSize);
        result = std::move(label);
        break;
    }
    case DialogControlKind::EtchedHorz: {
        auto line = std::make_unique<QFrame>(&host);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(rect.x(), rect.y(), rect.width(), std::max(2, rect.height()));
        result = std::move(line);
        break;
    }
    }
    result->setObjectName(QStringLiteral("control%1").arg(id));
    return result;
}

QWidget* DialogControls::GetItem(int id) const
{
    for (const Control& c : m_controls)
        if (c.id == id)
            return c.widget.get();
    return nullptr;
}

std::vector<QWidget*> DialogControls::Items() const
{
    std::vector<QWidget*> items;
    items.reserve(m_controls.size());
    for (const Control& c : m_controls)
        items.push_back(c.widget.get());
    return items;
}

QWidget* DialogControls::FirstTabStop() const
{
    for (const Control& c : m_controls)
        if (c.widget->focusPolicy() == Qt::StrongFocus && c.widget->isEnabled())
            return c.widget.get();
    return nullptr;
}
