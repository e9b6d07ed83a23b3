#include "scene/ViewSettings.h"

#include "scene/SettingsTable.h"

ViewSettings::ViewSettings() {
    for (const SettingDescriptor& setting : settingsTable()) {
        setting.write(*this, setting.defaultValue);
    }
}
