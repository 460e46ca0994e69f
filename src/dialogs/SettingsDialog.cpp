#include "SettingsDialog.h"

#include "DialogMessages.h"
#include "HotkeyEdit.h"
#include "settings/Settings.h"

#include "base/Interaction.h"
#include "platform/ShortcutHelp.h"
#include "platform/WindowFrame.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"
#include "ui/ScreenFit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using FormDesign::place;

SettingsDialog::SettingsDialog(AppContext &context, Settings &settings, QWidget *parent)
    : ReleasingDialog(parent)
    , m_context(context)
    , m_settings(settings)
    , m_placesItself(context.windowFrame.abilities().placesItself)
{
    setObjectName(QStringLiteral("settingsDialog"));
    setWindowTitle(QStringLiteral("設定画面"));
    setModal(true);
    setFont(FormDesign::font());
    // Where the desktop places windows itself, there is no hotkey of ours either: the dialog
    // grows by the lines that say what to bind in the desktop's shortcuts. Below all of it,
    // what the line reaches where no keyword completes.
    // The outer height keeps below the last box the 36 pixels (frame and margin) the designed
    // dialog keeps below its buttons.
    const int fallbacksTop = m_placesItself ? 176 : 282;
    FormDesign::keepOuterSize(this, {241, fallbacksTop + 24 + 17 + 36});

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
    m_readings = checkBox("readings", QStringLiteral("読みで探す"), settings.readings(),
                          {8, fallbacksTop, 225, 17});
    m_applications =
        checkBox("applications", QStringLiteral("インストールされたアプリケーションも探す"),
                 settings.applications(), {8, fallbacksTop + 24, 225, 17});
    FormDesign::button(this, interaction, "cancel", QStringLiteral("cancel"), {48, 144, 81, 25},
                       &QDialog::reject);
    FormDesign::button(this, interaction, "ok", QStringLiteral("OK"), {144, 144, 81, 25},
                       &SettingsDialog::confirm);

    if (!settings.useHotkey())
        showHotkeyUse(false);
    showWhatTheDesktopDecides();

    // Every change is live at once: other windows read the model at the moment of use.
    connect(m_useHotkey, &QCheckBox::toggled, this, [this](bool use) {
        m_settings.setUseHotkey(use);
        showHotkeyUse(use);
    });
    connect(m_appearAtCursor, &QCheckBox::toggled, &settings, &Settings::setAppearAtPointer);
    connect(m_showTime, &QCheckBox::toggled, &settings, &Settings::setShowTime);
    connect(m_stayOnTop, &QCheckBox::toggled, &settings, &Settings::setStayOnTop);
    connect(m_readings, &QCheckBox::toggled, &settings, &Settings::setReadings);
    connect(m_applications, &QCheckBox::toggled, &settings, &Settings::setApplications);
    connect(m_hotkey, &HotkeyEdit::shortcutChanged, &settings, &Settings::setHotkey);
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::openAt(QPoint position)
{
    ScreenFit::of(*this).openAt(position);
    m_context.interaction.execModal(*this);
}

void SettingsDialog::showHotkeyUse(bool use)
{
    m_hotkey->setEnabled(use);
    m_hotkey->setVisible(use);
    m_appearAtCursor->setEnabled(use && m_placesItself);
}

void SettingsDialog::showWhatTheDesktopDecides()
{
    using namespace ShortcutHelp;
    if (!m_context.windowFrame.abilities().staysOnTop) {
        m_stayOnTop->setEnabled(false);
        m_stayOnTop->setToolTip(FormDesign::toolTip(DialogMessages::noStayOnTop()));
    }
    if (m_placesItself)
        return;
    m_appearAtCursor->setEnabled(false);
    m_appearAtCursor->setToolTip(FormDesign::toolTip(DialogMessages::placedByTheDesktop(
        QString::fromStdString(placementRule(Desktop::Sway)),
        QString::fromStdString(placementRule(Desktop::Hyprland)))));

    m_summonHint = place(new QLabel(DialogMessages::bindTheSummonCommand(), this), "summonHint",
                         {8, 176, 225, 44});
    m_summonHint->setWordWrap(true);
    m_summonHint->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    const Desktop desktop = desktopOf(Environment::ofThisProcess());
    m_summonCommand = QString::fromStdString(bindingLine(desktop, summonBesideThisProgram()));
    m_summonLine = place(new QLineEdit(m_summonCommand, this), "summonLine", {8, 222, 225, 20});
    m_summonLine->setReadOnly(true);
    m_summonLine->setToolTip(FormDesign::toolTip(DialogMessages::moreOnTheShortcut()));
    m_summonLine->setCursorPosition(0);
    m_summonNote =
        place(new QLabel(DialogMessages::otherCombinationOpensTheDesktopsSettings(), this),
              "summonNote", {8, 246, 225, 28});
    m_summonNote->setWordWrap(true);
    m_summonNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_summonNote->hide();
}

void SettingsDialog::showBoundByDesktop(const QString &trigger)
{
    if (!m_summonHint)
        return;
    // A refusal is said as one, with the command to bind as the way that remains.
    const bool bound = !trigger.isEmpty();
    m_summonHint->setText(bound ? DialogMessages::desktopBound()
                                : DialogMessages::desktopBoundNothing());
    m_summonLine->setText(bound ? trigger : m_summonCommand);
    m_summonLine->setToolTip(bound ? QString()
                                   : FormDesign::toolTip(DialogMessages::moreOnTheShortcut()));
    m_summonLine->setCursorPosition(0);
    // Said before "変更" or "OK" rather than after: the desktop keeps what it bound, and
    // another combination is set in its own settings, which then open.
    m_summonNote->show();
}

void SettingsDialog::showNoHotkeyForPrograms()
{
    if (!m_summonHint)
        return;
    m_summonHint->setText(DialogMessages::noHotkeyForPrograms());
    m_summonLine->setText(m_summonCommand);
    m_summonLine->setToolTip(DialogMessages::moreOnTheShortcut());
    m_summonLine->setCursorPosition(0);
    m_summonNote->hide();
}

void SettingsDialog::applyHotkey()
{
    m_settings.applyHotkey();
    m_settings.writeHotkey();
}

void SettingsDialog::confirm()
{
    if (m_settings.stayOnTop())
        emit stayOnTopConfirmed();
    m_settings.applyHotkey();
    m_settings.writeSwitches();
    accept();
}
