#include "MainWindow.h"

#include "IdleClock.h"
#include "KeywordLineEdit.h"
#include "KeywordListModel.h"
#include "Launcher.h"
#include "MainMenu.h"
#include "WindowPlacement.h"
#include "keywords/EntryIcon.h"
#include "keywords/KeywordStore.h"
#include "keywords/KeywordText.h"

#include "base/Error.h"
#include "base/Guard.h"
#include "base/Interaction.h"
#include "calc/MathsParser.h"
#include "platform/Icons.h"
#include "platform/Shell.h"
#include "platform/SystemPower.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowFrame.h"
#include "settings/Settings.h"
#include "skins/WindowShape.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"
#include "ui/ProgramIcon.h"
#include "ui/WindowDrag.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <algorithm>

namespace {

// The window manager's frame around a shown window's client area.
QMargins frameOf(const QWidget &window)
{
    const QRect client = window.geometry();
    const QRect frame = window.frameGeometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

} // namespace

MainWindow::MainWindow(AppContext &context, KeywordStore &store, Settings &settings,
                       const SkinEditorState &skinEditorState)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint)
    , shiftHeld([] { return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier; })
    , trayAvailable([] { return QSystemTrayIcon::isSystemTrayAvailable(); })
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
    auto *shape = new WindowShape(this);
    shape->setObjectName(QStringLiteral("windowShape"));
    m_drag.emplace(*this, context.windowFrame);
    m_skin.emplace(SkinLook::Parts{*this, *shape, *m_keywordBox, *m_input, *m_icon, *m_description,
                                   *m_menu, context, settings, skinEditorState});
    // The design's layout, kept even when start-up stops before it lays the window out.
    m_skin->applyDesignedLayout();
    winId();
    context.windowFrame.setBorderOnly(*windowHandle());

    m_clock = new IdleClock(*m_input, context.interaction, this);

    m_tray = new QSystemTrayIcon(programIcon(), this);
    m_tray->setObjectName(QStringLiteral("trayIcon"));
    m_tray->setToolTip(QStringLiteral("tobio launcher"));
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                guarded(m_context.interaction, [&] {
                    if (reason == QSystemTrayIcon::Trigger)
                        restoreFromTray();
                    else if (reason == QSystemTrayIcon::Context)
                        openTrayMenu();
                });
            });

    m_calculator = new MathsParser(this);
    m_calculator->setObjectName(QStringLiteral("calculator"));
    m_calculator->setLanguage(1);
    m_power = new SystemPower(context.power, this);
    m_power->setObjectName(QStringLiteral("power"));
    connect(m_power, &SystemPower::refused, this,
            [this](const QString &message) { m_context.interaction.error(errorBoxText(message)); });

    m_display.emplace(*m_input, *m_icon, *m_description);
    m_launcher = new Launcher(context, store, settings, *m_display, *m_clock, *m_skin, this);
    connectLauncher();
    m_dispatch.emplace(EnterDispatch::Parts{*m_display, *m_launcher, *m_clock, m_store,
                                            m_settings, context.shell, *m_power, *m_calculator,
                                            context.interaction});
    m_drop.emplace(FileDrop::Parts{*m_display, *m_launcher, *m_clock, m_store, m_settings,
                                   context.shell, context.interaction});
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    m_model = new KeywordListModel(m_store, this);

    m_keywordBox = new QComboBox(this);
    m_keywordBox->setObjectName(QStringLiteral("keywordBox"));
    m_keywordBox->setEditable(true);
    m_input = new KeywordLineEdit(m_store, m_keywordBox);
    m_input->setObjectName(QStringLiteral("input"));
    m_keywordBox->setLineEdit(m_input);
    m_keywordBox->setCompleter(nullptr);
    m_keywordBox->setInsertPolicy(QComboBox::NoInsert);
    // A long keyword list must not be measured item by item for the box's size.
    m_keywordBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_keywordBox->setModel(m_model);
    // Rows of one height: opening the list never measures a long keyword list row by row.
    if (auto *list = qobject_cast<QListView *>(m_keywordBox->view()))
        list->setUniformItemSizes(true);
    m_keywordBox->setCurrentIndex(-1);
    // A reloaded list keeps whatever the input line shows; the combo box would put its
    // first item there.
    connect(&m_store, &KeywordStore::listAboutToChange, this,
            [this] { m_textBeforeReload = m_input->text(); });
    connect(&m_store, &KeywordStore::listChanged, this, [this] {
        m_keywordBox->setCurrentIndex(-1);
        m_display->setInputText(m_textBeforeReload);
    });
    connect(m_input, &KeywordLineEdit::keyDown, this,
            [this](int key) { guarded(m_context.interaction, [&] { onInputKey(key); }); });
    connect(m_input, &KeywordLineEdit::keyPress, this, [this](QChar character) {
        guarded(m_context.interaction, [&] { onInputCharacter(character); });
    });
    connect(m_input, &KeywordLineEdit::edited, this,
            [this] { guarded(m_context.interaction, [&] { onInputEdited(); }); });
    connect(m_input, &KeywordLineEdit::compositionChanged, this, &MainWindow::onComposition);
    connect(m_input, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!KeywordText::equal(text, m_unreadableReported))
            m_unreadableReported.clear();
    });
    connect(m_keywordBox, &QComboBox::activated, this, [this](int row) {
        m_display->setInputText(m_store.keywords().value(row));
        m_input->picked(row);
    });

    // The icon and the description pass the right button on to the window's menu; their
    // left button does not move the window (see mousePressEvent).
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("icon"));
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("description"));
    // A description is text as typed: "<b>" in it is no markup, and "<img src=...>" reads no file.
    m_description->setTextFormat(Qt::PlainText);
    m_description->setAttribute(Qt::WA_TranslucentBackground);
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
    connect(m_launcher, &Launcher::lockChanged, m_menu, &MainMenu::showLock);
    connect(m_launcher, &Launcher::newEntryRequested, this, &MainWindow::newEntryRequested);
    connect(m_launcher, &Launcher::entryEditRequested, this, &MainWindow::entryEditRequested);
    connect(m_launcher, &Launcher::windowRequested, this, [this](LauncherCommand command) {
        const WindowPlace &place = CommandTable::row(command).window;
        const QPoint corner = place.from == WindowPlace::From::Frame        ? pos()
                              : place.from == WindowPlace::From::ClientArea ? geometry().topLeft()
                                                                            : QPoint();
        emit windowRequested(command, corner + place.offset);
    });
    connect(m_launcher, &Launcher::quitting, this, &QWidget::close);
}

void MainWindow::startUp()
{
    guarded(m_context.interaction, [&] { runStartUp(); });
}

void MainWindow::runStartUp()
{
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
}

bool MainWindow::locked() const
{
    return m_launcher->locked();
}

void MainWindow::clearDisplay()
{
    m_display->clear();
}

void MainWindow::onApplicationDeactivated()
{
    if (m_settings.stayOnTop()) {
        keepOnTop();
        return;
    }
    // The window manager takes the pointer and the keyboard while it moves the window:
    // that is no turning to another program.
    if (m_systemMove)
        return;
    // Without its icon in a notification area a hidden window could only come back by the
    // hotkey: a start-up stopped before showing the icon must not lose the window.
    if (shiftHeld() || locked() || !m_tray->isVisible() || !trayAvailable())
        return;
    m_display->clear();
    m_clock->resume();
    hide();
}

void MainWindow::onApplicationActivated()
{
    m_systemMove = false;
    if (m_clock->isOn())
        m_input->selectWhole();
}

void MainWindow::restoreFromTray()
{
    show();
    raise();
    activateWindow();
    m_display->clearIcon();
    m_input->setFocus(Qt::ActiveWindowFocusReason);
    if (m_input->hasSelectedText())
        m_input->del();
}

void MainWindow::summon(bool atPointer)
{
    if (atPointer) {
        const QPoint pointer = QCursor::pos();
        std::optional<QRect> workArea;
        if (const QScreen *screen = QGuiApplication::screenAt(pointer))
            workArea = screen->availableGeometry();
        const QMargins frame = frameAround();
        const QPoint corner = WindowPlacement::atPointer(pointer, size().grownBy(frame), workArea);
        // The client area placed inside the frame: move() goes by the toolkit's idea of a hidden
        // window's frame, which comes and goes.
        setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
    }
    restoreFromTray();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::ranges::any_of(urls, &QUrl::isLocalFile))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    guarded(m_context.interaction, [&] {
        if (const std::optional<FileDrop::Proposal> proposal = m_drop->drop(paths))
            emit pathRegistrationRequested(proposal->keyword, proposal->path, proposal->icon);
    });
}

void MainWindow::hideEvent(QHideEvent *event)
{
    // Still known here, soon forgotten.
    if (!event->spontaneous())
        m_hiddenFrame = frameOf(*this);
    QWidget::hideEvent(event);
}

QMargins MainWindow::frameAround() const
{
    return isVisible() ? frameOf(*this) : m_hiddenFrame;
}

void MainWindow::keepOnTop()
{
    QWindow *window = windowHandle();
    if (!window || window->flags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    window->setFlags(window->flags() | Qt::WindowStaysOnTopHint);
    // New flags bring the toolkit's own frame wishes back; ours stand.
    m_context.windowFrame.setBorderOnly(*window);
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
        under == m_icon || under == m_description)
        return;
    // A mere click hands nothing to the window manager, whose move would take the focus and
    // hide the window.
    m_drag->press(*event);
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag->move(*event))
        m_systemMove = true;
}

void MainWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_drag->release();
    if (!m_systemMove)
        return;
    // A release that comes before the window manager has taken the pointer is no end of its
    // move: the move still begins, takes the focus, and gives it back when it ends, which
    // ends the move for us. Only a move that never took the focus ends here.
    QTimer::singleShot(500, this, [this] {
        if (QGuiApplication::applicationState() == Qt::ApplicationActive)
            m_systemMove = false;
    });
}

void MainWindow::onInputEdited()
{
    const QString dustBoxName = m_settings.storedName(SpecialItem::RecycleBin);
    const QString mydocName = m_settings.storedName(SpecialItem::MyDocuments);
    m_clock->holdForTyping();
    m_icon->setVisible(true);
    // Every equal row names the same entry file, and the last one's icon stands: reading
    // the entry once and taking the last row's icon shows what handling each in turn would.
    const QString text = m_input->text();
    const qsizetype row = m_store.findLast(text);
    if (row >= 0) {
        const std::optional<Entry> entry = readNamedEntry(text);
        if (!entry)
            return;
        const IconRef icon =
            EntryIcon::iconForEntry(m_store.keywords()[row], entry->target, dustBoxName, mydocName);
        m_display->showEntry(m_context.icons.extract(icon.file, icon.index, devicePixelRatioF()),
                             entry->description);
    }
    m_clock->restartIdleCount();
}

std::optional<Entry> MainWindow::readNamedEntry(const QString &text)
{
    try {
        return m_store.readEntry(text);
    } catch (const Error &error) {
        // Said once while the line names the keyword, not at every key that completes it
        // again; and the line is given back as the box found it, its proposal selected, so
        // that typing on replaces the proposal.
        if (KeywordText::equal(text, m_unreadableReported))
            return std::nullopt;
        const int cursor = m_input->cursorPosition();
        const int anchor = !m_input->hasSelectedText()           ? cursor
                           : cursor == m_input->selectionStart() ? m_input->selectionEnd()
                                                                 : m_input->selectionStart();
        m_unreadableReported = text;
        m_context.interaction.error(errorBoxText(error.message()));
        if (m_input->text() != text)
            m_display->setInputText(text);
        m_input->setSelection(anchor, cursor - anchor);
        return std::nullopt;
    }
}

void MainWindow::onInputKey(int key)
{
    if (key == VirtualKeys::Down)
        m_keywordBox->showPopup();
    if (key == VirtualKeys::Escape) {
        const bool idle = m_input->text().isEmpty() || m_input->showsStandIn();
        m_display->clear();
        // Esc on an empty line (or the clock) puts the window away, as long as its
        // notification icon can bring it back; a locked window stays, as it does everywhere.
        if (idle && !locked() && m_tray->isVisible() && trayAvailable())
            hide();
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
            takeOverClockText();
        m_clock->resume();
        return;
    }
    m_dispatch->run();
}

void MainWindow::onComposition(bool composing)
{
    // A composition is typing: the clock neither replaces nor follows it.
    if (composing) {
        takeOverClockText();
        m_clock->holdForTyping();
    } else {
        m_clock->resume();
    }
}

void MainWindow::takeOverClockText()
{
    // Selected, the clock's text gives way to what is typed or composed. Setting the text
    // instead would reset the input method and lose a composition it is starting.
    if (m_clock->showsTime())
        m_input->selectWhole();
}

void MainWindow::toggleLock()
{
    m_launcher->toggleLock();
}

void MainWindow::quit()
{
    m_launcher->quit();
}
