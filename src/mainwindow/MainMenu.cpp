#include "MainMenu.h"

#include "base/Guard.h"

#include <QActionGroup>
#include <QMenu>
#include <QWidget>

#include <optional>

namespace {

const QString kUnlockedCaption = QStringLiteral("ロック");
const QString kLockedCaption = QStringLiteral("ロックを解除");

using Command = MainMenu::Command;

// The menu's rows in their order; a row without a command is a separator.
struct Row
{
    const char *name;
    std::optional<Command> command;
    QString caption;
};

} // namespace

MainMenu::MainMenu(QWidget &window, Interaction &interaction)
    : QObject(&window)
    , m_interaction(interaction)
    , m_menu(new QMenu(&window))
{
    setObjectName(QStringLiteral("mainMenu"));
    m_menu->setObjectName(QStringLiteral("menu"));

    const Row rows[] = {
        {"lock", Command::Lock, kUnlockedCaption},
        {"lockSeparator", {}, {}},
        {"register", Command::Register, QStringLiteral("登録画面をひらく")},
        {"specialItems", Command::SpecialItems, QStringLiteral("特殊項目を登録する")},
        {"openTargetFolder", Command::OpenTargetFolder,
         QStringLiteral("選択したファイル（フォルダ）のリンク先をひらく")},
        {"deleteSeparator", {}, {}},
        {"deleteEntry", Command::DeleteEntry, QStringLiteral("選択したのを消す")},
        {"afterDeleteSeparator", {}, {}},
        {"settings", Command::Settings, QStringLiteral("環境設定")},
        {"keywordOrder", Command::KeywordOrder, QStringLiteral("登録キーワードの保守")},
        {"skinMenu", {}, QStringLiteral("スキンの設定")},
        {"editSkinIni", Command::EditSkinIni, QStringLiteral("skin.iniの編集")},
        {"skinEditor", Command::SkinEditor, QStringLiteral("skin.iniエディタの実行")},
        {"helpSeparator", {}, {}},
        {"help", Command::Help, QStringLiteral("ヘルプ")},
        {"about", Command::About, QStringLiteral("バージョン情報")},
        {"quitSeparator", {}, {}},
        {"quit", Command::Quit, QStringLiteral("ランチャーの終了")},
    };
    for (const Row &row : rows) {
        QAction *action = nullptr;
        if (row.command) {
            action = m_menu->addAction(row.caption);
            m_actions[std::size_t(*row.command)] = action;
            const Command command = *row.command;
            if (command != Command::Lock)
                connect(action, &QAction::triggered, this, [this, command, &interaction] {
                    guarded(interaction, [&] { run(command); });
                });
        } else if (row.caption.isEmpty()) {
            action = m_menu->addSeparator();
        } else {
            // The skins: the default layout, then one item per skin folder.
            m_skins = m_menu->addMenu(row.caption);
            action = m_skins->menuAction();
            QAction *defaultSkin = m_skins->addAction(QStringLiteral("default"));
            defaultSkin->setObjectName(QStringLiteral("defaultSkin"));
            defaultSkin->setCheckable(true);
            m_skinGroup = new QActionGroup(m_skins);
            m_skinGroup->addAction(defaultSkin);
            m_actions[std::size_t(Command::DefaultSkin)] = defaultSkin;
            connect(defaultSkin, &QAction::triggered, this, [this, &interaction] {
                guarded(interaction, [&] { run(Command::DefaultSkin); });
            });
        }
        action->setObjectName(QString::fromLatin1(row.name));
    }
    m_lockSeparator = m_menu->findChild<QAction *>(QStringLiteral("lockSeparator"));
    m_afterDeleteSeparator = m_menu->findChild<QAction *>(QStringLiteral("afterDeleteSeparator"));

    QAction *lock = action(Command::Lock);
    lock->setCheckable(true);
    // The menu flips the check before it reports the click; toggleLock() flips it itself.
    connect(lock, &QAction::triggered, this, [this, lock] {
        lock->setChecked(!lock->isChecked());
        toggleLock();
    });

    QAction *quit = action(Command::Quit);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    window.addAction(quit);
}

void MainMenu::setHandler(Command command, std::function<void()> handler)
{
    m_handlers[std::size_t(command)] = std::move(handler);
}

void MainMenu::run(Command command)
{
    if (command == Command::Lock)
        toggleLock();
    else if (const auto &handler = m_handlers[std::size_t(command)])
        handler();
}

bool MainMenu::locked() const
{
    return action(Command::Lock)->isChecked();
}

void MainMenu::toggleLock()
{
    QAction *lock = action(Command::Lock);
    const bool on = !lock->isChecked();
    lock->setChecked(on);
    lock->setText(on ? kLockedCaption : kUnlockedCaption);
}

void MainMenu::releaseLock()
{
    QAction *lock = action(Command::Lock);
    lock->setChecked(false);
    lock->setText(kUnlockedCaption);
}

bool MainMenu::defaultSkin() const
{
    return action(Command::DefaultSkin)->isChecked();
}

void MainMenu::setDefaultSkin(bool on)
{
    action(Command::DefaultSkin)->setChecked(on);
}

void MainMenu::addSkin(const QString &name)
{
    // The caption shows the name itself: "&" would otherwise mark a shortcut key.
    QString caption = name;
    caption.replace(u'&', QStringLiteral("&&"));
    auto *skin = new QAction(caption, m_skins);
    skin->setCheckable(true);
    skin->setData(name);
    m_skinGroup->addAction(skin);
    m_skins->insertAction(m_skins->actions().value(0), skin);
    connect(skin, &QAction::triggered, this, [this, name] {
        guarded(m_interaction, [&] {
            if (m_skinHandler)
                m_skinHandler(name);
        });
    });
}

void MainMenu::checkSkin(const QString &name)
{
    for (QAction *skin : m_skinGroup->actions())
        if (skin != action(Command::DefaultSkin) && skin->data().toString() == name)
            skin->setChecked(true);
}

void MainMenu::setSkinHandler(std::function<void(const QString &)> handler)
{
    m_skinHandler = std::move(handler);
}

QList<QAction *> MainMenu::skinActions() const
{
    return m_skins->actions();
}

void MainMenu::popup(QPoint position)
{
    // Whole on the window, whether or not the window is active: a notification area need
    // not take the focus when its icon is clicked.
    showEntryCommands(true);
    m_menu->popup(position);
}

void MainMenu::popupShortened(QPoint position)
{
    showEntryCommands(false);
    m_menu->popup(position);
}

void MainMenu::showEntryCommands(bool visible)
{
    for (QAction *item : {m_lockSeparator, action(Command::Lock), action(Command::OpenTargetFolder),
                          m_afterDeleteSeparator, action(Command::DeleteEntry)})
        item->setVisible(visible);
}
