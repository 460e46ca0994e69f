#include "Settings.h"

#include "base/FileSystem.h"

namespace K = SettingsKeys;

namespace {

const K::SpecialItemKeys &keysOf(SpecialItem item)
{
    return K::SpecialItems[std::size_t(item)];
}

// Sets the value and reports a change of it.
template <typename T, typename Signal>
void change(Settings &settings, T &value, const T &newValue, Signal signal)
{
    if (value == newValue)
        return;
    value = newValue;
    emit(settings.*signal)(value);
}

} // namespace

Settings::Settings(QString path, const KeyNames &keyNames, QObject *parent)
    : QObject(parent)
    , m_file(std::move(path))
    , m_keyNames(keyNames)
{
    for (std::size_t i = 0; i < SpecialItemCount; ++i)
        m_specialNames[i] = K::SpecialItems[i].name.defaultValue.toString();
}

Settings::~Settings() = default;

void Settings::load()
{
    // One reading of the file for all of it, its stamp taken first: an edit landing while
    // it is read then differs from the stamp, and the next use reads the file again.
    m_storedStamp = FileSystem::stampOf(path());
    const SettingsFile file = readFile();
    m_hotkey = file.read(K::Hotkey, m_keyNames);
    m_appearAtPointer = file.read(K::MousePoint);
    m_useHotkey = file.read(K::HookHotKey);
    m_showTime = file.read(K::TimeStamp);
    m_stayOnTop = file.read(K::StayOnTop);
    m_readings = m_readingsLoaded = file.read(K::Readings);
    m_applications = m_applicationsLoaded = file.read(K::Applications);
    for (std::size_t i = 0; i < SpecialItemCount; ++i)
        m_specialTicked[i] = file.read(K::SpecialItems[i].registered);
    for (std::size_t i = 0; i < SpecialItemCount; ++i)
        m_specialNames[i] = file.read(K::SpecialItems[i].name);
    m_defaultSkin = file.read(K::DefaultSkin);
    m_selectedSkinName = file.read(K::SelectedSkinName);
    m_stored = readStored(file);
}

void Settings::setHotkey(int shortcut)
{
    change(*this, m_hotkey, shortcut, &Settings::hotkeyChanged);
}

void Settings::setUseHotkey(bool use)
{
    change(*this, m_useHotkey, use, &Settings::useHotkeyChanged);
}

void Settings::setAppearAtPointer(bool on)
{
    change(*this, m_appearAtPointer, on, &Settings::appearAtPointerChanged);
}

void Settings::setShowTime(bool on)
{
    change(*this, m_showTime, on, &Settings::showTimeChanged);
}

void Settings::setReadings(bool on)
{
    change(*this, m_readings, on, &Settings::readingsChanged);
}

void Settings::setApplications(bool on)
{
    change(*this, m_applications, on, &Settings::applicationsChanged);
}

void Settings::setStayOnTop(bool on)
{
    change(*this, m_stayOnTop, on, &Settings::stayOnTopChanged);
}

void Settings::setDefaultSkin(bool on)
{
    change(*this, m_defaultSkin, on, &Settings::defaultSkinChanged);
}

void Settings::setSelectedSkinName(const QString &name)
{
    change(*this, m_selectedSkinName, name, &Settings::selectedSkinNameChanged);
}

const QString &Settings::specialName(SpecialItem item) const
{
    return m_specialNames[std::size_t(item)];
}

bool Settings::specialTicked(SpecialItem item) const
{
    return m_specialTicked[std::size_t(item)];
}

void Settings::registerSpecialItems(const std::array<bool, SpecialItemCount> &ticked,
                                    const std::array<QString, SpecialItemCount> &names)
{
    m_stored.reset();
    for (std::size_t i = 0; i < SpecialItemCount; ++i)
        m_file.write(K::SpecialItems[i].registered, ticked[i]);
    for (std::size_t i = 0; i < SpecialItemCount; ++i)
        m_file.write(K::SpecialItems[i].name, names[i]);
    m_specialTicked = ticked;
    m_specialNames = names;
    emit specialItemsChanged();
}

Settings::Stored Settings::readStored(const SettingsFile &file)
{
    Stored stored;
    for (std::size_t i = 0; i < SpecialItemCount; ++i) {
        const K::SpecialItemKeys &keys = K::SpecialItems[i];
        stored.ticked[i] = file.read(keys.registered);
        // Read with no default: absent and empty are told apart by the registration.
        const QString name = file.read(keys.name, u"\n");
        if (name != u"\n")
            stored.names[i] = name;
    }
    return stored;
}

const Settings::Stored &Settings::stored() const
{
    const FileSystem::Stamp now = FileSystem::stampOf(path());
    if (!m_stored || now != m_storedStamp) {
        m_storedStamp = now;
        m_stored = readStored(readFile());
    }
    return *m_stored;
}

std::optional<QString> Settings::storedRegistration(SpecialItem item) const
{
    const std::size_t i = std::size_t(item);
    const Stored &now = stored();
    if (!now.ticked[i])
        return std::nullopt;
    return now.names[i].value_or(keysOf(item).name.defaultValue.toString());
}

QString Settings::storedName(SpecialItem item) const
{
    return stored().names[std::size_t(item)].value_or(QString());
}

void Settings::writeHotkey() const
{
    m_file.write(K::Hotkey, m_hotkey, m_keyNames);
}

void Settings::writeSwitches() const
{
    m_file.write(K::TimeStamp, m_showTime);
    m_file.write(K::StayOnTop, m_stayOnTop);
    m_file.write(K::MousePoint, m_appearAtPointer);
    m_file.write(K::Hotkey, m_hotkey, m_keyNames);
    m_file.write(K::HookHotKey, m_useHotkey);
    if (m_readings != m_readingsLoaded)
        m_file.write(K::Readings, m_readings);
    if (m_applications != m_applicationsLoaded)
        m_file.write(K::Applications, m_applications);
}

void Settings::writeSelectedSkin() const
{
    m_file.write(K::SelectedSkinName, m_selectedSkinName);
}

void Settings::writeSkinChoice() const
{
    m_file.write(K::Hotkey, m_hotkey, m_keyNames);
    m_file.write(K::DefaultSkin, m_defaultSkin);
    m_file.write(K::SelectedSkinName, m_selectedSkinName);
}
