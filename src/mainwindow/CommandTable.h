#pragma once

#include "keywords/EnterCommand.h"

#include <QPoint>

#include <cstddef>
#include <span>

class Launcher;

// The launcher's commands, in the order of the command table.
enum class LauncherCommand {
    OpenTargetFolder,
    DeleteEntry,
    Lock,
    Register,
    KeywordOrder,
    Help,
    Quit,
    SpecialItems,
    Settings,
    DefaultSkin,
    EditSkinIni,
    SkinEditor,
    About,
};
inline constexpr std::size_t LauncherCommandCount = std::size_t(LauncherCommand::About) + 1;

// A submenu of the popup menu.
struct Submenu
{
    const char *objectName;
    const char16_t *caption;
};

// Where a command stands in the popup menu: its place from the top (0: not in the menu),
// the separator above it (by its object name), the submenu it stands in.
struct MenuPlace
{
    int order = 0;
    const char *separatorAbove = nullptr;
    const Submenu *submenu = nullptr;
};

// Where a window a command opens is placed: the main window's outer corner or the corner
// of its client area, plus an offset.
struct WindowPlace
{
    enum class From { Nowhere, Frame, ClientArea };
    From from = From::Nowhere;
    QPoint offset;

    QPoint at(QPoint frameCorner, QPoint clientCorner) const
    {
        return (from == From::Frame        ? frameCorner
                : from == From::ClientArea ? clientCorner
                                           : QPoint())
               + offset;
    }
};

// One command: its menu item, what may be typed for it, and what it does.
struct CommandRow
{
    LauncherCommand command;
    const char *objectName; // the menu item's
    const char16_t *caption;
    MenuPlace menu;
    // Typed as the whole line (compared exactly), and typed after a keyword (found anywhere
    // in the line whatever its case, and cut off its end); null for none.
    const char16_t *exactForm = nullptr;
    const char16_t *suffixForm = nullptr;
    // Null: the command opens another window, which the launcher reports with its place.
    void (Launcher::*handler)() = nullptr;
    WindowPlace window = {};
    // Typed, the command leaves the line as the keyword before its suffix; the others end
    // the line (cleared, the lock released).
    bool keepsLine = false;
};

// The command table: one row per command, for the popup menu and for Enter.
namespace CommandTable {

// Every row, in the order of LauncherCommand: the order in which Enter tries the suffix forms.
std::span<const CommandRow> rows();
const CommandRow &row(LauncherCommand command);

// The typed forms in the order Enter tries them: every exact form, then every suffix form,
// each in the table's order. A whole line typed as a command is so never taken for a keyword
// with a suffix (a "/update" would not be "/up").
std::span<const EnterCommand::Form> typedForms();

} // namespace CommandTable
