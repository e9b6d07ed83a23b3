#include "settings/ViewSettings.h"

#include "settings/SettingsTable.h"

ViewSettings::ViewSettings() {
    for (const SettingDescriptor& setting : settingsTable()) {
        setting.write(*this, setting.defaultValue);
    }
}

ViewSettings ViewSettings::windowless() {
    ViewSettings settings;
    for (const SettingDescriptor& setting : settingsTable()) {
        if (setting.onlyWithWindow) {
            setting.write(settings, 0.0);
        }
    }
    return settings;
}
