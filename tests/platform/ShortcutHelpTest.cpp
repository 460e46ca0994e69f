// What --shortcut-help tells each desktop, and the GNOME commands run by a shell against a
// stand-in gsettings that records what it is asked to set.
#include "platform/ShortcutHelp.h"

#include "TempFolder.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

using ShortcutHelp::Desktop;
using ShortcutHelp::Environment;

const std::string Summon = "/opt/tb/tblaunch-summon";

TEST(ShortcutHelp, TellsEachDesktopItsOwnBindingAndEveryOneWhereNoneIsRecognised)
{
    struct Case
    {
        const char *name;
        Environment environment;
        std::string summon;
        Desktop desktop;
        std::vector<std::string> shown;
        std::vector<std::string> notShown;
    };
    const std::string sway = "bindsym Ctrl+Alt+k exec /opt/tb/tblaunch-summon --toggle";
    const std::string hyprland = "bind = CTRL ALT, K, exec, /opt/tb/tblaunch-summon --toggle";
    const std::string gnome = "gsettings set $keys.custom-keybinding:$entry command "
                              "\"'/opt/tb/tblaunch-summon --toggle'\"";
    const std::string plasma = "Add New > Command or Script...";
    const std::string x11 = "On X11 none of this is needed";
    const Case cases[] = {
        {"sway",
         {"sway", "/run/user/1000/sway-ipc.sock", "", "wayland-1"},
         Summon,
         Desktop::Sway,
         {sway,
          "for_window [app_id=\"example.tobio.tblaunch\" title=\"^tobio's launcher\"] floating "
          "enable, border none, move position cursor",
          "swaymsg reload"},
         {hyprland, gnome, plasma, x11}},
        {"sway's socket before the desktop's name",
         {"GNOME", "/run/sway.sock", "", "wayland-1"},
         Summon,
         Desktop::Sway,
         {sway},
         {gnome}},
        {"Hyprland",
         {"Hyprland", "", "v0.41_1700000000", "wayland-1"},
         Summon,
         Desktop::Hyprland,
         {hyprland,
          "windowrule = float on, move (cursor_x-(window_w*0.5)) (cursor_y-(window_h*0.5)), "
          "match:class ^(example\\.tobio\\.tblaunch)$, match:title ^(tobio's launcher)",
          "windowrulev2 = move cursor -50% -50%, class:^(example\\.tobio\\.tblaunch)$, "
          "title:^(tobio's launcher)"},
         {sway, gnome, plasma, x11}},
        {"GNOME in a list",
         {"ubuntu:GNOME", "", "", "wayland-0"},
         Summon,
         Desktop::Gnome,
         {gnome, "binding '<Control><Alt>k'", "added to, not replaced"},
         {sway, hyprland, plasma, x11}},
        {"GNOME on X11", {"GNOME", "", "", ""}, Summon, Desktop::Gnome, {gnome, x11}, {sway}},
        {"KDE Plasma",
         {"KDE", "", "", "wayland-0"},
         Summon,
         Desktop::Plasma,
         {plasma, "Custom Shortcuts > Edit > New", "/opt/tb/tblaunch-summon --toggle"},
         {sway, hyprland, gnome, x11}},
        {"another desktop on X11",
         {"XFCE", "", "", ""},
         Summon,
         Desktop::Unknown,
         {sway, hyprland, gnome, plasma, x11},
         {}},
        {"nothing known on Wayland",
         {"", "", "", "wayland-0"},
         Summon,
         Desktop::Unknown,
         {sway, hyprland},
         {x11}},
        {"a path the shell would split",
         {"sway", "/run/sway.sock", "", "wayland-1"},
         "/opt/my tb's/tblaunch-summon",
         Desktop::Sway,
         {"exec '/opt/my tb'\\''s/tblaunch-summon' --toggle"},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShortcutHelp::desktopOf(c.environment), c.desktop);
        const std::string text = ShortcutHelp::text(c.environment, c.summon);
        for (const std::string &line : c.shown)
            EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;
        for (const std::string &line : c.notShown)
            EXPECT_EQ(text.find(line), std::string::npos) << line << "\nin\n" << text;
    }
}

TEST(ShortcutHelp, TheGnomeCommandsAddTheirShortcutToThoseThereAre)
{
    TempFolder dir;
    dir.write("gsettings", "#!/bin/sh\n"
                           "case \"$1\" in\n"
                           "get) printf '%s\\n' \"$LIST\" ;;\n"
                           "set) shift; printf '%s|' \"$@\" >> \"$LOG\"; echo >> \"$LOG\" ;;\n"
                           "esac\n");
    QFile::setPermissions(dir.file("gsettings"), QFile::ReadOwner | QFile::ExeOwner);
    const QString path = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/"
                         "tblaunch/";
    struct Case
    {
        const char *list;   // what the desktop has
        const char *summon; // where the command is
        QString set;        // what is set, a line a setting
    };
    const QString keys = "org.gnome.settings-daemon.plugins.media-keys";
    const QString own = keys + ".custom-keybinding:" + path + "|";
    const QString rest = own + "name|tblaunch|\n" + own
                         + "command|'/opt/tb/tblaunch-summon --toggle'|\n" + own
                         + "binding|<Control><Alt>k|\n";
    const Case cases[] = {
        {"@as []", "/opt/tb/tblaunch-summon",
         keys + "|custom-keybindings|['" + path + "']|\n" + rest},
        {"['/a/custom0/']", "/opt/tb/tblaunch-summon",
         keys + "|custom-keybindings|['/a/custom0/', '" + path + "']|\n" + rest},
        {"['/a/custom0/', '/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/"
         "tblaunch/']",
         "/opt/tb/tblaunch-summon", rest},
        {"@as []", "/opt/my tb/tblaunch-summon",
         keys + "|custom-keybindings|['" + path + "']|\n" + own + "name|tblaunch|\n" + own
             + "command|'\\'/opt/my tb/tblaunch-summon\\' --toggle'|\n" + own
             + "binding|<Control><Alt>k|\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.list) + " " + c.summon);
        const std::string text = ShortcutHelp::text({"GNOME", "", "", "wayland-0"}, c.summon);
        // The indented lines from "keys=" to the binding.
        const size_t from = text.find("  keys=");
        const size_t to = text.find('\n', text.find("binding '"));
        ASSERT_NE(from, std::string::npos);
        ASSERT_NE(to, std::string::npos);
        // Each shell the help names; zsh ties some lower-case names (path, cdpath) to its
        // own settings.
        for (const char *shellPath : {"/bin/sh", "/bin/bash", "/usr/bin/zsh"}) {
            SCOPED_TRACE(shellPath);
            QFile::remove(dir.file("log"));
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("PATH", dir.path() + ":" + environment.value("PATH"));
            environment.insert("LIST", QString::fromLatin1(c.list));
            environment.insert("LOG", dir.file("log"));
            QProcess shell;
            shell.setProcessEnvironment(environment);
            shell.start(shellPath, {"-c", QString::fromStdString(text.substr(from, to - from))});
            ASSERT_TRUE(shell.waitForFinished(10000)) << "no " << shellPath;
            EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
            EXPECT_EQ(QString::fromUtf8(dir.read("log")), c.set);
        }
    }
}

} // namespace
