#include "MainMenu.h"

#include "MainWindowMessages.h"

#include <QActionGroup>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <vector>

MainMenu::MainMenu(QWidget &window)
    : QObject(&window)
    , m_menu(new QMenu(&window))
{
    setObjectName(QStringLiteral("mainMenu"));
    m_menu->setObjectName(QStringLiteral("menu"));

    std::vector<const CommandRow *> items;
    for (const CommandRow &row : CommandTable::rows())
        if (row.menu.order > 0)
            items.push_back(&row);
    std::ranges::sort(items, {}, [](const CommandRow *row) { return row->menu.order; });
    for (const CommandRow *row : items) {
        if (row->menu.separatorAbove)
            m_menu->addSeparator()->setObjectName(QString::fromLatin1(row->menu.separatorAbove));
        QAction *item = addItem(*row);
        item->setObjectName(QString::fromLatin1(row->objectName));
        m_actions[std::size_t(row->command)] = item;
        connect(item, &QAction::triggered, this,
                [this, command = row->command] { emit chosen(command); });
    }
    m_lockSeparator = m_menu->findChild<QAction *>(QStringLiteral("lockSeparator"));
    m_afterDeleteSeparator = m_menu->findChild<QAction *>(QStringLiteral("afterDeleteSeparator"));

    action(Command::Lock)->setCheckable(true);
    QAction *quit = action(Command::Quit);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    window.addAction(quit);
}

QAction *MainMenu::addItem(const CommandRow &row)
{
    const QString caption = QString::fromUtf16(row.caption);
    const Submenu *submenu = row.menu.submenu;
    if (!submenu)
        return m_menu->addAction(caption);
    // The skins: the default layout, then one item per skin folder.
    m_skins = m_menu->addMenu(QString::fromUtf16(submenu->caption));
    m_skins->menuAction()->setObjectName(QString::fromLatin1(submenu->objectName));
    QAction *item = m_skins->addAction(caption);
    item->setCheckable(true);
    m_skinGroup = new QActionGroup(m_skins);
    m_skinGroup->addAction(item);
    return item;
}

void MainMenu::showLock(bool locked)
{
    QAction *lock = action(Command::Lock);
    lock->setChecked(locked);
    lock->setText(
        QString::fromUtf16(locked ? MainWindowMessages::Unlock : MainWindowMessages::Lock));
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
    connect(skin, &QAction::triggered, this, [this, name] { emit skinChosen(name); });
}

void MainMenu::checkSkin(const QString &name)
{
    for (QAction *skin : m_skinGroup->actions())
        if (skin != action(Command::DefaultSkin) && skin->data().toString() == name)
            skin->setChecked(true);
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

QMenu *MainMenu::shortenedMenu()
{
    if (m_shortened)
        return m_shortened;
    m_shortened = new QMenu(m_menu->parentWidget());
    m_shortened->setObjectName(QStringLiteral("shortenedMenu"));
    const QList<QAction *> entryCommands = {m_lockSeparator, action(Command::Lock),
                                            action(Command::OpenTargetFolder),
                                            m_afterDeleteSeparator, action(Command::DeleteEntry)};
    for (QAction *item : m_menu->actions())
        if (!entryCommands.contains(item))
            m_shortened->addAction(item);
    return m_shortened;
}

void MainMenu::showEntryCommands(bool visible)
{
    for (QAction *item : {m_lockSeparator, action(Command::Lock), action(Command::OpenTargetFolder),
                          m_afterDeleteSeparator, action(Command::DeleteEntry)})
        item->setVisible(visible);
}
