#include "ShortcutHelp.h"

#include <climits>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace ShortcutHelp {

namespace {

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// The word as a POSIX shell reads it back: as it is when it holds nothing the shell would
// take apart, else in single quotes.
std::string shellWord(std::string_view word)
{
    const bool plain = !word.empty()
                       && word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                 "abcdefghijklmnopqrstuvwxyz"
                                                 "0123456789_./+,:=@%~-")
                              == std::string_view::npos;
    if (plain)
        return std::string(word);
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The text inside the shell's double quotes, and a GVariant string literal.
std::string escaped(std::string_view text, std::string_view special, char quote)
{
    std::string result(1, quote);
    for (const char c : text) {
        if (special.find(c) != std::string_view::npos)
            result += '\\';
        result += c;
    }
    return result + quote;
}

std::string summonCommand(const std::string &summonPath)
{
    return shellWord(summonPath) + " --toggle";
}

const char *const GnomeKeys = "org.gnome.settings-daemon.plugins.media-keys";

std::string gnome(const std::string &summonPath)
{
    const std::string command =
        escaped(escaped(summonCommand(summonPath), "'\\", '\''), "\"\\$`", '"');
    return std::string(
               "GNOME: Settings > Keyboard > View and Customize Shortcuts > Custom Shortcuts > +,\n"
               "with the command above; or these commands (sh, bash or zsh), which add Ctrl+Alt+K\n"
               "to the custom shortcuts you have (the list is added to, not replaced):\n"
               "\n"
               "  keys=")
           + GnomeKeys
           + "\n"
             "  entry=/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/tblaunch/\n"
             "  list=$(gsettings get $keys custom-keybindings)\n"
             "  case \"$list\" in\n"
             "    *\"'$entry'\"*) ;;\n"
             "    @as*|\"[]\") gsettings set $keys custom-keybindings \"['$entry']\" ;;\n"
             "    *) gsettings set $keys custom-keybindings \"${list%]}, '$entry']\" ;;\n"
             "  esac\n"
             "  gsettings set $keys.custom-keybinding:$entry name 'tblaunch'\n"
             "  gsettings set $keys.custom-keybinding:$entry command "
           + command
           + "\n"
             "  gsettings set $keys.custom-keybinding:$entry binding '<Control><Alt>k'\n"
             "\n"
             "GNOME places new windows itself; it has no rule to put one at the pointer.\n";
}

std::string plasma()
{
    return "KDE Plasma 6: System Settings > Keyboard > Shortcuts > Add New > Command or "
           "Script...:\n"
           "the command above, then its shortcut (e.g. Ctrl+Alt+K) > Apply.\n"
           "KDE Plasma 5.27: System Settings > Shortcuts > Custom Shortcuts > Edit > New >\n"
           "Global Shortcut > Command/URL: the key on the Trigger tab, the command on the Action\n"
           "tab > Apply.\n"
           "\n"
           "To have windows appear at the pointer: System Settings > Window Management > Window\n"
           "Behavior > Advanced > Window placement: Under Mouse (for every window).\n";
}

std::string sway(const std::string &summonPath)
{
    return "sway: add to ~/.config/sway/config, then run swaymsg reload:\n"
           "\n"
           "  "
           + bindingLine(Desktop::Sway, summonPath)
           + "\n"
             "  "
           + placementRule(Desktop::Sway)
           + "\n"
             "\n"
             "The second line floats the launcher's window without a title bar or border (a\n"
             "skin gives it its own shape) and centres it on the pointer.\n";
}

std::string hyprland(const std::string &summonPath)
{
    return "Hyprland: add to ~/.config/hypr/hyprland.conf (read again when saved):\n"
           "\n"
           "  "
           + bindingLine(Desktop::Hyprland, summonPath)
           + "\n"
             "  "
           + placementRule(Desktop::Hyprland)
           + "\n"
             "\n"
             "The second line floats the launcher's window and centres it on the pointer;\n"
             "before Hyprland 0.53 it is written as two:\n"
             "\n"
             "  windowrulev2 = float, class:^(example\\.tobio\\.tblaunch)$, title:^(tobio's "
             "launcher)\n"
             "  windowrulev2 = move cursor -50% -50%, class:^(example\\.tobio\\.tblaunch)$, "
             "title:^(tobio's launcher)\n";
}

} // namespace

Environment Environment::ofThisProcess()
{
    return {variable("XDG_CURRENT_DESKTOP"), variable("SWAYSOCK"),
            variable("HYPRLAND_INSTANCE_SIGNATURE"), variable("WAYLAND_DISPLAY")};
}

Desktop desktopOf(const Environment &environment)
{
    if (!environment.swaySocket.empty())
        return Desktop::Sway;
    if (!environment.hyprlandSignature.empty())
        return Desktop::Hyprland;
    // A list separated by colons, such as "ubuntu:GNOME".
    if (environment.currentDesktop.find("GNOME") != std::string::npos)
        return Desktop::Gnome;
    if (environment.currentDesktop.find("KDE") != std::string::npos)
        return Desktop::Plasma;
    return Desktop::Unknown;
}

std::string summonBesideThisProgram()
{
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string exe = length > 0 ? std::string(self, size_t(length)) : std::string();
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("tblaunch-summon")
                                      : exe.substr(0, slash) + "/tblaunch-summon";
}

std::string placementRule(Desktop desktop)
{
    switch (desktop) {
    case Desktop::Sway:
        return "for_window [app_id=\"example.tobio.tblaunch\" title=\"^tobio's launcher\"] "
               "floating enable, border none, move position cursor";
    case Desktop::Hyprland:
        return "windowrule = float on, move (cursor_x-(window_w*0.5)) (cursor_y-(window_h*0.5)), "
               "match:class ^(example\\.tobio\\.tblaunch)$, match:title ^(tobio's launcher)";
    default:
        return {};
    }
}

std::string bindingLine(Desktop desktop, const std::string &summonPath)
{
    switch (desktop) {
    case Desktop::Sway:
        return "bindsym Ctrl+Alt+k exec " + summonCommand(summonPath);
    case Desktop::Hyprland:
        return "bind = CTRL ALT, K, exec, " + summonCommand(summonPath);
    default:
        return summonCommand(summonPath);
    }
}

std::string text(const Environment &environment, const std::string &summonPath)
{
    const Desktop desktop = desktopOf(environment);
    std::string help =
        "On Wayland a program cannot take a key for itself: bind the summon command\n"
        "to a key in the desktop's own shortcut settings. The command:\n"
        "\n"
        "  "
        + summonCommand(summonPath) + "\n\n";
    switch (desktop) {
    case Desktop::Gnome:
        help += gnome(summonPath);
        break;
    case Desktop::Plasma:
        help += plasma();
        break;
    case Desktop::Sway:
        help += sway(summonPath);
        break;
    case Desktop::Hyprland:
        help += hyprland(summonPath);
        break;
    case Desktop::Unknown:
        help += "The desktop is not recognised; for each of the four:\n\n" + gnome(summonPath)
                + "\n" + plasma() + "\n" + sway(summonPath) + "\n" + hyprland(summonPath);
        break;
    }
    if (environment.waylandDisplay.empty())
        help +=
            "\nOn X11 none of this is needed: the launcher's own hotkey works (right-click the\n"
            "window, 環境設定, ホットキーをつかう).\n";
    return help;
}

} // namespace ShortcutHelp
