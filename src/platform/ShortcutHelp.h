#pragma once

#include <string>

// What to bind to a key in the desktop's own shortcut settings, where a program cannot take a
// key for itself (Wayland): the summon command, written as the running desktop wants it, and
// the lines that make the desktop put the launcher at the pointer. Plain C++, so that
// `tblaunch --shortcut-help` answers without the toolkit; built from the environment's values
// as given, so that every desktop's text can be made anywhere.
namespace ShortcutHelp {

enum class Desktop { Gnome, Plasma, Sway, Hyprland, Unknown };

// The variables that tell the desktops apart.
struct Environment
{
    std::string currentDesktop;    // XDG_CURRENT_DESKTOP
    std::string swaySocket;        // SWAYSOCK
    std::string hyprlandSignature; // HYPRLAND_INSTANCE_SIGNATURE
    std::string waylandDisplay;    // WAYLAND_DISPLAY

    static Environment ofThisProcess();
};

Desktop desktopOf(const Environment &environment);

// tblaunch-summon beside the running program.
std::string summonBesideThisProgram();

// The desktop's rule that floats the launcher and centres it on the pointer, one line; empty
// for a desktop that has no such rule.
std::string placementRule(Desktop desktop);

// One line to bind: the configuration line for sway and Hyprland, else the command itself.
std::string bindingLine(Desktop desktop, const std::string &summonPath);

// The whole answer of --shortcut-help: the running desktop's commands, or every desktop's
// where it is not recognised, and a word on X11 where there is no Wayland display.
std::string text(const Environment &environment, const std::string &summonPath);

} // namespace ShortcutHelp
