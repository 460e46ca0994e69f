#include "XkbCompose.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>

#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <clocale>

namespace {

// Whether the object takes text from input methods, asked as the toolkit asks it.
bool acceptsInputMethod(QObject &object)
{
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(&object, &query);
    return query.value(Qt::ImEnabled).toBool();
}

// The keys that begin the sequences of the locales' tables: the dead keys and Compose.
bool beginsSequence(xkb_keysym_t keysym)
{
    return (keysym >= XKB_KEY_dead_grave && keysym <= XKB_KEY_dead_longsolidusoverlay)
           || keysym == XKB_KEY_Multi_key;
}

} // namespace

XkbCompose::XkbCompose() = default;

XkbCompose::~XkbCompose()
{
    xkb_compose_state_unref(m_state);
    xkb_compose_table_unref(m_table);
}

void XkbCompose::start()
{
    // The locale the application runs in, not the environment's names: a "C" locale has been
    // made C.UTF-8 by now, whose table is the one of en_US.UTF-8.
    const char *locale = std::setlocale(LC_CTYPE, nullptr);
    m_locale = locale ? locale : "C";
    qGuiApp->installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::focusObjectChanged, this, &XkbCompose::reset);
}

bool XkbCompose::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // A key press reaches the window first, then its focus widget (and that one's parents
    // while they ignore it): it is fed once, on its way to the focus object.
    QObject *focus = QGuiApplication::focusObject();
    if (!focus || watched != focus || !acceptsInputMethod(*focus))
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (!ready(key->nativeVirtualKey()))
        return false;

    if (xkb_compose_state_feed(m_state, key->nativeVirtualKey()) == XKB_COMPOSE_FEED_IGNORED)
        return false; // a modifier, in a sequence or not
    switch (xkb_compose_state_get_status(m_state)) {
    case XKB_COMPOSE_NOTHING:
        return false;
    case XKB_COMPOSE_COMPOSING:
        return true;
    case XKB_COMPOSE_CANCELLED:
        reset(); // the key that broke the sequence is typed, as the toolkit's context did
        return false;
    case XKB_COMPOSE_COMPOSED: {
        std::string text(xkb_compose_state_get_utf8(m_state, nullptr, 0), '\0');
        xkb_compose_state_get_utf8(m_state, text.data(), text.size() + 1);
        reset();
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromStdString(text));
        QCoreApplication::sendEvent(focus, &commit);
        return true;
    }
    }
    return false;
}

bool XkbCompose::ready(unsigned keysym)
{
    if (m_state || m_tableLookedFor || !beginsSequence(keysym))
        return m_state != nullptr;
    m_tableLookedFor = true;
    // Without include paths, which only keymaps use. The table holds on to the context.
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
    if (!context)
        return false;
    m_table =
        xkb_compose_table_new_from_locale(context, m_locale.c_str(), XKB_COMPOSE_COMPILE_NO_FLAGS);
    xkb_context_unref(context);
    if (m_table)
        m_state = xkb_compose_state_new(m_table, XKB_COMPOSE_STATE_NO_FLAGS);
    return m_state != nullptr;
}

void XkbCompose::reset()
{
    if (m_state)
        xkb_compose_state_reset(m_state);
}
