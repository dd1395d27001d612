#include "settings/FirstStart.h"

#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"

void writeFirstStartValues(SettingsStore& s) {
    // One atomic replace of the file instead of forty on a first start.
    SettingsStore::Batch batch(s);
    bool previousWritten = false;
    for (const FirstStartValue& v : firstStartValues()) {
        bool write = true;
        if (v.when == FirstStartValue::When::IfEmpty)
            write = v.setting.text(s, QString()).isEmpty();
        else if (v.when == FirstStartValue::When::WithPrevious)
            write = previousWritten;
        if (write)
            v.setting.write(s, v.value);
        previousWritten = write;
    }
    batch.commit();
}
