#include "SettingsDialog.h"

#include "settings/GlobalHotkey.h"
#include "HotkeyEdit.h"
#include "settings/LiveSettings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include "base/Guard.h"
#include "base/Interaction.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"

#include <QCheckBox>
#include <QPushButton>

using FormDesign::place;

SettingsDialog::SettingsDialog(AppContext &context, LiveSettings &liveSettings, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_globalHotkey(new GlobalHotkey(context.hotkeys, this))
{
    setObjectName(QStringLiteral("settingsDialog"));
    setWindowTitle(QStringLiteral("設定画面"));
    setModal(true);
    setFont(FormDesign::font());
    FormDesign::keepOuterSize(this, {241, 205});

    const auto checkBox = [this](const char *name, const QString &caption, bool ticked,
                                 const QRect &geometry) {
        QCheckBox *box = place(new QCheckBox(caption, this), name, geometry);
        box->setChecked(ticked);
        return box;
    };
    Interaction &interaction = context.interaction;
    m_useHotkey =
        checkBox("useHotkey", QStringLiteral("ホットキーをつかう"), true, {8, 8, 177, 17});
    m_hotkey = place(new HotkeyEdit(context.keyNames, this), "hotkey", {24, 32, 105, 20});
    FormDesign::button(this, interaction, "apply", QStringLiteral("変更"), {136, 32, 65, 20},
                       &SettingsDialog::applyHotkey);
    m_appearAtCursor = checkBox("appearAtCursor", QStringLiteral("マウスカーソル位置に出現させる"),
                                true, {24, 56, 193, 25});
    m_showTime = checkBox("showTime", QStringLiteral("現在時刻を表示する"), true, {8, 88, 177, 17});
    m_stayOnTop =
        checkBox("stayOnTop", QStringLiteral("常に最前面に表示させる"), false, {8, 112, 185, 25});
    FormDesign::button(this, interaction, "cancel", QStringLiteral("cancel"), {48, 144, 81, 25},
                       &QDialog::reject);
    FormDesign::button(this, interaction, "ok", QStringLiteral("OK"), {144, 144, 81, 25},
                       &SettingsDialog::confirm);

    // Every change is live at once: other windows read these at the moment of use.
    connect(m_useHotkey, &QCheckBox::toggled, this, [this, &liveSettings](bool use) {
        liveSettings.useHotkey = use;
        guarded(m_context.interaction, [&] { useHotkey(use); });
    });
    connect(m_appearAtCursor, &QCheckBox::toggled, this,
            [&liveSettings](bool on) { liveSettings.appearAtPointer = on; });
    connect(m_showTime, &QCheckBox::toggled, this,
            [&liveSettings](bool on) { liveSettings.showTime = on; });
    connect(m_stayOnTop, &QCheckBox::toggled, this,
            [&liveSettings](bool on) { liveSettings.stayOnTop = on; });
    connect(m_hotkey, &HotkeyEdit::shortcutChanged, this,
            [&liveSettings](int shortcut) { liveSettings.hotkey = shortcut; });
    connect(m_globalHotkey, &GlobalHotkey::hotkey, this,
            [this] { guarded(m_context.interaction, [&] { onHotkey(); }); });
}

SettingsDialog::~SettingsDialog()
{
    // The grab ends with the program, not with whatever the desktop does after it.
    m_globalHotkey->unregisterHotkey(HotkeyId);
}

void SettingsDialog::load()
{
    const SettingsFile settings(m_context.settingsFile);
    m_hotkey->setShortcut(settings.read(SettingsKeys::Hotkey, m_context.keyNames));
    m_appearAtCursor->setChecked(settings.read(SettingsKeys::MousePoint));
    m_useHotkey->setChecked(settings.read(SettingsKeys::HookHotKey));
    m_showTime->setChecked(settings.read(SettingsKeys::TimeStamp));
    m_stayOnTop->setChecked(settings.read(SettingsKeys::StayOnTop));
    // A combination taken by another program simply does not work; nothing is said.
    if (m_useHotkey->isChecked())
        m_globalHotkey->registerHotkey(HotkeyId, m_hotkey->shortcut());
}

void SettingsDialog::openAt(QPoint position)
{
    move(position);
    m_context.interaction.execModal(*this);
}

void SettingsDialog::setSummonedWindow(QWidget *window)
{
    m_globalHotkey->setOwner(window);
}

void SettingsDialog::useHotkey(bool use)
{
    // A hotkey switched off is released, so that other programs get the combination back.
    if (use)
        m_globalHotkey->reregister(HotkeyId, m_hotkey->shortcut());
    else
        m_globalHotkey->unregisterHotkey(HotkeyId);
    m_globalHotkey->setActivate(use);
    m_hotkey->setEnabled(use);
    m_hotkey->setVisible(use);
    m_appearAtCursor->setEnabled(use);
}

void SettingsDialog::applyHotkey()
{
    if (m_useHotkey->isChecked())
        m_globalHotkey->reregister(HotkeyId, m_hotkey->shortcut());
    SettingsFile(m_context.settingsFile)
        .write(SettingsKeys::Hotkey, m_hotkey->shortcut(), m_context.keyNames);
}

void SettingsDialog::confirm()
{
    if (m_stayOnTop->isChecked())
        emit stayOnTopConfirmed();
    if (m_useHotkey->isChecked())
        m_globalHotkey->reregister(HotkeyId, m_hotkey->shortcut());
    const SettingsFile settings(m_context.settingsFile);
    settings.write(SettingsKeys::TimeStamp, m_showTime->isChecked());
    settings.write(SettingsKeys::StayOnTop, m_stayOnTop->isChecked());
    settings.write(SettingsKeys::MousePoint, m_appearAtCursor->isChecked());
    settings.write(SettingsKeys::Hotkey, m_hotkey->shortcut(), m_context.keyNames);
    settings.write(SettingsKeys::HookHotKey, m_useHotkey->isChecked());
    accept();
}

void SettingsDialog::onHotkey()
{
    if (!m_useHotkey->isChecked())
        return;
    emit summoned(m_appearAtCursor->isChecked());
}
