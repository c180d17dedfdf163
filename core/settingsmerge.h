#pragma once

#include "appstate.h"
#include "textboxlook.h"

namespace brisquel {

// The values of a settings file: what a run loaded, or what lies on disk.
struct SettingsValues {
    AppState state;
    TextBoxLook look;
};

// True when the run changed anything the file keeps since `loaded`: the
// sender name or its switch, a font property, a colour. The lists are only
// ever edited in the file.
bool changedSince(const SettingsValues &loaded, const AppState &state, const TextBoxLook &look);

// `onDisk` with what the run changed since `loaded` laid over it, field by
// field; the login name is the current one. Everything else, the lists
// above all, stays as on disk.
SettingsValues mergedChanges(const SettingsValues &loaded, const AppState &state, const TextBoxLook &look,
                             const SettingsValues &onDisk);

} // namespace brisquel
