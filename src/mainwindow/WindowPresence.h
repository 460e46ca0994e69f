#pragma once

#include <QByteArray>
#include <QMargins>

class EntryDisplay;
class IdleClock;
class KeywordLineEdit;
class QWidget;
class WindowFrame;

// How the main window comes and goes on the desktop: back as from the notification-area icon,
// forward at another program's request, away once what it drew last is on the screen, to the
// pointer at the hotkey, above the other windows, and kept on its screen when it grows.
class WindowPresence
{
public:
    WindowPresence(QWidget &window, WindowFrame &frame, EntryDisplay &display,
                   KeywordLineEdit &input, IdleClock &clock);

    // Shown and raised with the focus in the input line, the icon cleared and a selected
    // proposal taken back.
    void restore();
    // Restored, then given the focus with the activation token the desktop gave the asker.
    void comeForward(const QByteArray &activationToken);
    // The line cleared, the clock resumed, and the window hidden after its last frame.
    void putAway();
    // Hidden once what it drew last is on the screen (WindowFrame::afterLastFrame), unless
    // restored before.
    void hideAfterLastFrame();
    // Put away when shown with the focus; else brought forward.
    void toggle(const QByteArray &activationToken);
    // The hotkey: placed at the pointer when so asked (WindowPlacement), then restored.
    void summon(bool atPointer);
    // The program has the focus.
    void activated();
    // Whether it was shown again after it was hidden and has had no focus since, asked once:
    // a loss of the focus reported then may be the one from before it was hidden.
    bool takeCameBack();
    // Stays above other windows from now on.
    void keepOnTop();

    // The window is hiding: the window manager's frame, known now, is soon forgotten.
    void hiding();
    // The window's size changed (a skin): moved as little as needed to stay on its screen.
    void resized();

private:
    QWidget &m_window;
    WindowFrame &m_frame;
    EntryDisplay &m_display;
    KeywordLineEdit &m_input;
    IdleClock &m_clock;
    QMargins m_hiddenFrame;
    bool m_hiding = false;
    bool m_cameBack = false;
};
