#pragma once

#include "SettingsFile.h"
#include "SpecialItem.h"

#include "base/FileSystem.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

class KeyNames;

// The program's settings: the one reader and writer of the settings file. Loaded once, before
// any window is made; the windows read the values from here and the dialogs change them here.
//
// Two kinds of value:
// - The live values (the hotkey and the switches, the special items' names as published, the
//   skin): read at load, then changed by the windows at once, whether or not the change is
//   ever written; a hand edit of the file while the program runs does not move them. Each is
//   written by one of the write calls below, which keep the order in which the keys have
//   always been written.
// - The stored special items (whether each is registered, and under which name): read from
//   the file at the moment of use: a use looks at the file's size and time (no open, no
//   read), and reads it again only when they changed since it was last read (a hand edit,
//   another program). A file watcher would spare even that look, at the cost of a fifth of
//   a megabyte for the run.
class Settings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int hotkey READ hotkey WRITE setHotkey NOTIFY hotkeyChanged)
    Q_PROPERTY(bool useHotkey READ useHotkey WRITE setUseHotkey NOTIFY useHotkeyChanged)
    Q_PROPERTY(bool appearAtPointer READ appearAtPointer WRITE setAppearAtPointer NOTIFY
                   appearAtPointerChanged)
    Q_PROPERTY(bool showTime READ showTime WRITE setShowTime NOTIFY showTimeChanged)
    Q_PROPERTY(bool stayOnTop READ stayOnTop WRITE setStayOnTop NOTIFY stayOnTopChanged)
    Q_PROPERTY(bool defaultSkin READ defaultSkin WRITE setDefaultSkin NOTIFY defaultSkinChanged)
    Q_PROPERTY(QString selectedSkinName READ selectedSkinName WRITE setSelectedSkinName NOTIFY
                   selectedSkinNameChanged)

public:
    Settings(QString path, const KeyNames &keyNames, QObject *parent = nullptr);
    ~Settings() override;

    const QString &path() const { return m_file.path(); }

    // Reads every value from the file (the keys' defaults where it holds none).
    void load();

    // The global hotkey as a 16-bit shortcut code (0 for none), whether it is used, and
    // whether it brings the main window to the pointer.
    int hotkey() const { return m_hotkey; }
    void setHotkey(int shortcut);
    bool useHotkey() const { return m_useHotkey; }
    void setUseHotkey(bool use);
    bool appearAtPointer() const { return m_appearAtPointer; }
    void setAppearAtPointer(bool on);
    // The hotkey as set is to be taken into use ("変更", "OK"): a changed hotkey alone is not.
    void applyHotkey() { emit hotkeyApplied(m_hotkey); }
    // The idle clock in the input line.
    bool showTime() const { return m_showTime; }
    void setShowTime(bool on);
    bool stayOnTop() const { return m_stayOnTop; }
    void setStayOnTop(bool on);
    // Keywords reached by their readings where nothing completes literally, and then the
    // installed applications.
    bool readings() const { return m_readings; }
    void setReadings(bool on);
    bool applications() const { return m_applications; }
    void setApplications(bool on);

    // The default layout chosen, and the skin chosen last ("default" for the default layout).
    bool defaultSkin() const { return m_defaultSkin; }
    void setDefaultSkin(bool on);
    const QString &selectedSkinName() const { return m_selectedSkinName; }
    void setSelectedSkinName(const QString &name);

    // The special items' names as loaded or last registered, never as merely typed: these
    // are what Enter takes for shutdown and reboot and what deletion refuses.
    const QString &specialName(SpecialItem item) const;
    // Whether each item was ticked when loaded or last registered.
    bool specialTicked(SpecialItem item) const;
    // The items registered: the ticks and names written (all the ticks, then all the
    // names), then published together. A refused write publishes nothing: the names in
    // effect stay those the file last took.
    void registerSpecialItems(const std::array<bool, SpecialItemCount> &ticked,
                              const std::array<QString, SpecialItemCount> &names);

    // The name under which the file records the item as registered, as the file stands now;
    // none when the item is not registered there.
    std::optional<QString> storedRegistration(SpecialItem item) const;
    // The item's name as the file stands now; empty while the file holds none, so that no
    // keyword counts as special before the items were registered once.
    QString storedName(SpecialItem item) const;

    // The writes, each key in the order given; a refused write raises
    // "<path> に書き込めません" and the keys after it are not written.
    // The hotkey alone ("変更").
    void writeHotkey() const;
    // The settings dialog's "OK": the clock, always on top, at the pointer, the hotkey and
    // whether it is used; then the fallbacks, where they changed since they were loaded.
    void writeSwitches() const;
    // A skin chosen from the menu.
    void writeSelectedSkin() const;
    // The default layout chosen, and the end of a run: the hotkey, the default layout and
    // the skin.
    void writeSkinChoice() const;

signals:
    void hotkeyChanged(int shortcut);
    void hotkeyApplied(int shortcut);
    void useHotkeyChanged(bool use);
    void appearAtPointerChanged(bool on);
    void showTimeChanged(bool on);
    void readingsChanged(bool on);
    void applicationsChanged(bool on);
    void stayOnTopChanged(bool on);
    void defaultSkinChanged(bool on);
    void selectedSkinNameChanged(const QString &name);
    // The published special items' names or ticks changed.
    void specialItemsChanged();

protected:
    // The file read once, for a run of reads from the copy (tests edit it as it is read).
    virtual SettingsFile readFile() const { return m_file.snapshot(); }

private:
    struct Stored
    {
        std::array<bool, SpecialItemCount> ticked{};
        std::array<std::optional<QString>, SpecialItemCount> names;
    };
    static Stored readStored(const SettingsFile &file);
    const Stored &stored() const;

    SettingsFile m_file;
    const KeyNames &m_keyNames;
    int m_hotkey = SettingsKeys::Hotkey.defaultValue;
    bool m_useHotkey = SettingsKeys::HookHotKey.defaultValue;
    bool m_appearAtPointer = SettingsKeys::MousePoint.defaultValue;
    bool m_showTime = SettingsKeys::TimeStamp.defaultValue;
    bool m_stayOnTop = SettingsKeys::StayOnTop.defaultValue;
    bool m_readings = SettingsKeys::Readings.defaultValue;
    bool m_applications = SettingsKeys::Applications.defaultValue;
    // As loaded: a file that never named the fallbacks is not made to.
    bool m_readingsLoaded = m_readings;
    bool m_applicationsLoaded = m_applications;
    bool m_defaultSkin = SettingsKeys::DefaultSkin.defaultValue;
    QString m_selectedSkinName = SettingsKeys::SelectedSkinName.defaultValue.toString();
    std::array<bool, SpecialItemCount> m_specialTicked{};
    std::array<QString, SpecialItemCount> m_specialNames;

    mutable std::optional<Stored> m_stored;  // none: to be read at the next use
    mutable FileSystem::Stamp m_storedStamp; // the file's when m_stored was read
};
