#include "MainWindow.h"

#include "IdleClock.h"
#include "KeywordBox.h"
#include "KeywordLineEdit.h"
#include "Launcher.h"
#include "MainMenu.h"
#include "TrayIcon.h"
#include "WindowMove.h"

#include "base/Guard.h"
#include "keywords/KeywordStore.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowFrame.h"
#include "settings/Settings.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <algorithm>

MainWindow::MainWindow(AppContext &context, KeywordStore &store, KeywordReadings &readings,
                       Settings &settings, const SkinEditorState &skinEditorState)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint)
    , shiftHeld([] { return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier; })
    , trayAvailable([] { return QSystemTrayIcon::isSystemTrayAvailable(); })
    , programActive([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; })
    , m_context(context)
    , m_store(store)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("tobio's launcher"));
    move(254, 152);
    setFont(FormDesign::font());

    buildControls();
    m_menu = new MainMenu(*this);
    m_move = new WindowMove(*this, context.windowFrame);
    m_skinView.emplace(*this, m_keywordBox->box(), *m_display,
                       context.windowFrame.abilities().maskCutsDrawing);
    m_skin.emplace(SkinLook::Parts{*m_skinView, *m_menu, context, settings, skinEditorState});
    // The design's layout, kept even when start-up stops before it lays the window out.
    m_skin->applyDesignedLayout();
    winId();
    context.windowFrame.setBorderOnly(*windowHandle());

    m_clock = new IdleClock(*m_input, context.interaction, this);
    m_presence.emplace(*this, context.windowFrame, *m_display, *m_input, *m_clock);

    m_tray = new TrayIcon(context.interaction, this);
    connect(m_tray, &TrayIcon::clicked, this, &MainWindow::restoreFromTray);
    connect(m_tray, &TrayIcon::menuRequested, this, &MainWindow::openTrayMenu);
    // Where the window cannot place a menu at the pointer, the notification area shows the
    // icon's menu itself.
    if (!context.windowFrame.abilities().placesItself)
        m_tray->setMenu(m_menu->shortenedMenu());

    m_launcher =
        new Launcher(context, store, readings, settings, *m_display, *m_clock, *m_skin, this);
    connectLauncher();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    m_keywordBox = new KeywordBox(m_store, *this);
    m_input = &m_keywordBox->input();
    connect(m_input, &KeywordLineEdit::keyDown, this,
            [this](int key) { guarded(m_context.interaction, [&] { onInputKey(key); }); });
    connect(m_input, &KeywordLineEdit::keyPress, this, [this](QChar character) {
        guarded(m_context.interaction, [&] { onInputCharacter(character); });
    });
    connect(m_input, &KeywordLineEdit::edited, this,
            [this] { guarded(m_context.interaction, [&] { m_launcher->lineEdited(); }); });
    connect(m_input, &KeywordLineEdit::compositionChanged, this, &MainWindow::onComposition);

    // Their left button does not move the window (see mousePressEvent).
    m_display.emplace(*m_input, *this);
}

void MainWindow::connectLauncher()
{
    Interaction &interaction = m_context.interaction;
    connect(m_menu, &MainMenu::chosen, this, [this, &interaction](LauncherCommand command) {
        guarded(interaction, [&] { m_launcher->run(command); });
    });
    connect(m_menu, &MainMenu::skinChosen, this, [this, &interaction](const QString &skin) {
        guarded(interaction, [&] { m_skin->apply(skin); });
    });
    connect(m_input, &QLineEdit::textChanged, m_launcher, &Launcher::lineChanged);
    connect(m_launcher, &Launcher::lockChanged, m_menu, &MainMenu::showLock);
    connect(m_launcher, &Launcher::newEntryRequested, this, &MainWindow::newEntryRequested);
    connect(m_launcher, &Launcher::entryEditRequested, this, &MainWindow::entryEditRequested);
    connect(m_launcher, &Launcher::pathRegistrationRequested, this,
            &MainWindow::pathRegistrationRequested);
    connect(m_launcher, &Launcher::windowRequested, this, [this](LauncherCommand command) {
        const WindowPlace &place = CommandTable::row(command).window;
        emit windowRequested(command, place.at(pos(), geometry().topLeft()));
    });
    connect(m_launcher, &Launcher::quitting, this, &QWidget::close);
}

void MainWindow::startUp()
{
    guarded(m_context.interaction, [&] {
        connect(qApp, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    guarded(m_context.interaction, [&] {
                        if (state == Qt::ApplicationActive)
                            onApplicationActivated();
                        else if (state == Qt::ApplicationInactive)
                            onApplicationDeactivated();
                    });
                });
        setAcceptDrops(true);
        m_skin->startUp();

        m_clock->resume();
        m_tray->show();
        m_store.load();
    });
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The keywords' readings are made once the window is first drawn, on a thread that takes
    // only what the processors leave idle: they hold up nothing on the screen.
    if (!m_readingsStarted) {
        m_readingsStarted = true;
        QTimer::singleShot(0, m_launcher, &Launcher::startReadings);
    }
}

void MainWindow::onApplicationDeactivated()
{
    if (m_settings.stayOnTop()) {
        keepOnTop();
        return;
    }
    // The window manager takes the pointer and the keyboard while it moves the window:
    // that is no turning to another program.
    if (m_move->bySystem())
        return;
    // The toolkit reports a loss of the focus late (on X11 by 100 ms or more): one reported
    // just after the window came back may be from before it was hidden, and the window
    // manager's focus is then on its way. What holds a moment later counts.
    if (m_presence->takeCameBack()) {
        QTimer::singleShot(300, this, [this] {
            guarded(m_context.interaction, [&] {
                if (isVisible() && !programActive())
                    onApplicationDeactivated();
            });
        });
        return;
    }
    // Without its icon in a notification area a hidden window could only come back by the
    // hotkey: a start-up stopped before showing the icon must not lose the window.
    if (shiftHeld() || locked() || !m_tray->shown() || !trayAvailable())
        return;
    putAway();
}

void MainWindow::onApplicationActivated()
{
    m_presence->activated();
    m_move->activated();
    if (m_clock->isOn())
        m_input->selectWhole();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::ranges::any_of(urls, &QUrl::isLocalFile))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = FileDrop::localPaths(event->mimeData()->urls());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    guarded(m_context.interaction, [&] { m_launcher->drop(paths); });
}

void MainWindow::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        m_presence->hiding();
    QWidget::hideEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        m_presence->resized();
}

void MainWindow::openTrayMenu()
{
    m_menu->popupShortened(QCursor::pos());
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // The icon and the description keep their left button: only the bare surface moves.
    if (QWidget *under = childAt(event->position().toPoint());
        under == &m_display->icon() || under == &m_display->description())
        return;
    // A mere click hands nothing to the window manager, whose move would take the focus and
    // hide the window.
    m_move->press(*event);
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    m_move->move(*event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_move->release();
}

void MainWindow::onInputKey(int key)
{
    if (key == VirtualKeys::Down)
        m_keywordBox->box().showPopup();
    if (key == VirtualKeys::Escape) {
        const bool idle = m_input->text().isEmpty() || m_input->showsStandIn();
        m_display->clear();
        // Esc on an empty line (or the clock) puts the window away, as long as its
        // notification icon can bring it back; a locked window stays, as it does everywhere.
        if (idle && !locked() && m_tray->shown() && trayAvailable())
            m_presence->hideAfterLastFrame();
    }
    if (key == VirtualKeys::OemSlash) {
        // Accept a proposed completion whole, so that the "/" typed next follows it.
        m_input->deselect();
        m_input->end(false);
    }
}

void MainWindow::onInputCharacter(QChar character)
{
    if (character != QChar(u'\r')) {
        if (character.isPrint())
            m_clock->giveWay();
        m_clock->resume();
        return;
    }
    m_launcher->enter();
}

void MainWindow::onComposition(bool composing)
{
    // A composition is typing: the clock neither replaces nor follows it.
    if (composing) {
        m_clock->giveWay();
        m_clock->holdForTyping();
    } else {
        m_clock->resume();
    }
}
