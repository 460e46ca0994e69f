#pragma once

#include <QString>

// What the dialogs say in message boxes, tips and their status texts, in one place.
namespace DialogMessages {

// The registration dialog's notices, and its refusal to change a special item's entry.
QString added();
QString overwritten();
QString abandoned();
QString descriptionOnly();

// The hotkey field's refusal of a key.
QString notAHotkey();

// Where the desktop places and stacks windows itself (Wayland): why the settings dialog's
// pointer and stay-on-top boxes are greyed out, and what to bind in the desktop's shortcuts.
QString placedByTheDesktop(const QString &swayRule, const QString &hyprlandRule);
QString noStayOnTop();
QString bindTheSummonCommand();
QString moreOnTheShortcut();
QString desktopBound();
QString desktopBoundNothing();
// Said before the user applies another combination where the desktop binds the hotkey.
QString otherCombinationOpensTheDesktopsSettings();
// A desktop that binds no hotkey for programs (no GlobalShortcuts portal).
QString noHotkeyForPrograms();

// The keyword order: a row moved past its first character, the counts, a row's tip.
QString otherFirstCharacter();
QString checking();
QString orderSummary(qsizetype unreachable, const QString &missing);
QString missingTarget();
QString unreachable(const QString &typed, const QString &completed);
QString completedBy(const QString &typed);
// A keyword completion never offers, reached by the reading typed; or whose reading an
// earlier keyword's takes too.
QString reachedByReading(const QString &typed);
QString readingTakenBy(const QString &keyword);

} // namespace DialogMessages
