#include "settingsmerge.h"

namespace brisquel {

namespace {

// Takes `now` where it differs from `before`; reports whether it did.
template <typename T>
bool overlay(const T &before, const T &now, T &target)
{
    if (before == now)
        return false;
    target = now;
    return true;
}

// The sender name and its switch go together: the dialog sets both.
bool senderChanged(const AppState &before, const AppState &now)
{
    return before.senderName != now.senderName || before.signWithSenderName != now.signWithSenderName;
}

// Applies every change from `before` to `now` onto `target`; true when there
// was any.
bool applyChanges(const SettingsValues &before, const AppState &state, const TextBoxLook &look,
                  SettingsValues &target)
{
    bool changed = false;
    if (senderChanged(before.state, state)) {
        target.state.senderName = state.senderName;
        target.state.signWithSenderName = state.signWithSenderName;
        changed = true;
    }
    const TextBoxLook &was = before.look;
    TextBoxLook &into = target.look;
    changed |= overlay(was.fontName, look.fontName, into.fontName);
    changed |= overlay(was.bold, look.bold, into.bold);
    changed |= overlay(was.italic, look.italic, into.italic);
    changed |= overlay(was.size, look.size, into.size);
    changed |= overlay(was.strikethrough, look.strikethrough, into.strikethrough);
    changed |= overlay(was.underline, look.underline, into.underline);
    changed |= overlay(was.foreColor, look.foreColor, into.foreColor);
    changed |= overlay(was.backColor, look.backColor, into.backColor);
    return changed;
}

} // namespace

bool changedSince(const SettingsValues &loaded, const AppState &state, const TextBoxLook &look)
{
    SettingsValues scratch = loaded;
    return applyChanges(loaded, state, look, scratch);
}

SettingsValues mergedChanges(const SettingsValues &loaded, const AppState &state, const TextBoxLook &look,
                             const SettingsValues &onDisk)
{
    SettingsValues merged = onDisk;
    merged.state.loginName = state.loginName;
    applyChanges(loaded, state, look, merged);
    return merged;
}

} // namespace brisquel
