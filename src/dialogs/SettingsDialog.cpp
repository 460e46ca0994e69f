#include "SettingsDialog.h"

#include "settings/GlobalHotkey.h"
#include "HotkeyEdit.h"
#include "settings/Settings.h"

#include "base/Guard.h"
#include "base/Interaction.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"

#include <QCheckBox>
#include <QPushButton>

using FormDesign::place;

SettingsDialog::SettingsDialog(AppContext &context, Settings &settings, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_settings(settings)
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
    m_useHotkey = checkBox("useHotkey", QStringLiteral("ホットキーをつかう"), settings.useHotkey(),
                           {8, 8, 177, 17});
    m_hotkey = place(new HotkeyEdit(context.keyNames, this), "hotkey", {24, 32, 105, 20});
    m_hotkey->setShortcut(settings.hotkey());
    FormDesign::button(this, interaction, "apply", QStringLiteral("変更"), {136, 32, 65, 20},
                       &SettingsDialog::applyHotkey);
    m_appearAtCursor = checkBox("appearAtCursor", QStringLiteral("マウスカーソル位置に出現させる"),
                                settings.appearAtPointer(), {24, 56, 193, 25});
    m_showTime = checkBox("showTime", QStringLiteral("現在時刻を表示する"), settings.showTime(),
                          {8, 88, 177, 17});
    m_stayOnTop = checkBox("stayOnTop", QStringLiteral("常に最前面に表示させる"),
                           settings.stayOnTop(), {8, 112, 185, 25});
    FormDesign::button(this, interaction, "cancel", QStringLiteral("cancel"), {48, 144, 81, 25},
                       &QDialog::reject);
    FormDesign::button(this, interaction, "ok", QStringLiteral("OK"), {144, 144, 81, 25},
                       &SettingsDialog::confirm);

    if (!settings.useHotkey())
        showHotkeyUse(false);

    // Every change is live at once: other windows read the model at the moment of use.
    connect(m_useHotkey, &QCheckBox::toggled, this, [this](bool use) {
        m_settings.setUseHotkey(use);
        guarded(m_context.interaction, [&] { useHotkey(use); });
    });
    connect(m_appearAtCursor, &QCheckBox::toggled, &settings, &Settings::setAppearAtPointer);
    connect(m_showTime, &QCheckBox::toggled, &settings, &Settings::setShowTime);
    connect(m_stayOnTop, &QCheckBox::toggled, &settings, &Settings::setStayOnTop);
    connect(m_hotkey, &HotkeyEdit::shortcutChanged, &settings, &Settings::setHotkey);
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
    // A combination taken by another program simply does not work; nothing is said.
    m_globalHotkey->setActivate(m_settings.useHotkey());
    if (m_settings.useHotkey())
        m_globalHotkey->registerHotkey(HotkeyId, m_settings.hotkey());
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
        m_globalHotkey->reregister(HotkeyId, m_settings.hotkey());
    else
        m_globalHotkey->unregisterHotkey(HotkeyId);
    m_globalHotkey->setActivate(use);
    showHotkeyUse(use);
}

void SettingsDialog::showHotkeyUse(bool use)
{
    m_hotkey->setEnabled(use);
    m_hotkey->setVisible(use);
    m_appearAtCursor->setEnabled(use);
}

void SettingsDialog::applyHotkey()
{
    if (m_settings.useHotkey())
        m_globalHotkey->reregister(HotkeyId, m_settings.hotkey());
    m_settings.writeHotkey();
}

void SettingsDialog::confirm()
{
    if (m_settings.stayOnTop())
        emit stayOnTopConfirmed();
    if (m_settings.useHotkey())
        m_globalHotkey->reregister(HotkeyId, m_settings.hotkey());
    m_settings.writeSwitches();
    accept();
}

void SettingsDialog::onHotkey()
{
    if (!m_settings.useHotkey())
        return;
    emit summoned(m_settings.appearAtPointer());
}
