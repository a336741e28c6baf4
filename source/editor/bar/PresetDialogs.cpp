#include "editor/bar/PresetDialogs.h"

#include "editor/bar/NameEntryDialog.h"
#include "state/PresetName.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <set>

namespace
{
juce::String quoted(const juce::String& name)
{
    return "\"" + name + "\"";
}

bool listContainsIgnoringCase(const juce::StringArray& list, const juce::String& name)
{
    for (auto& entry : list)
        if (entry.equalsIgnoreCase(name))
            return true;
    return false;
}

// A name is taken when a listed preset carries it, either as listed or as the file it maps to.
bool presetNameTaken(const juce::StringArray& listed, const juce::String& name)
{
    return listContainsIgnoringCase(listed, name) ||
           listContainsIgnoringCase(listed, presetFileNameFor(name, listed));
}

// True when the two names reach the same preset file (letter case aside): renaming one to the
// other would rename nothing.
bool namesShareAFile(const juce::StringArray& listed, const juce::String& a, const juce::String& b)
{
    return presetFileNameFor(a, listed).equalsIgnoreCase(presetFileNameFor(b, listed));
}

juce::String renamedMessage(const juce::String& oldName, const juce::String& newName)
{
    return "Preset " + quoted(oldName) + " was renamed to " + quoted(newName) + ".";
}

// A message that closes itself (answering 0) once its time is up, unless the user closed it
// first. Its timer goes with it, so nothing is left waiting after it is gone.
class SelfClosingMessage final : public juce::AlertWindow, private juce::Timer
{
public:
    SelfClosingMessage(const juce::String& title, const juce::String& message, int closeAfterMs)
        : juce::AlertWindow(title, message, juce::MessageBoxIconType::NoIcon)
    {
        startTimer(closeAfterMs);
    }

private:
    void timerCallback() override
    {
        stopTimer();
        exitModalState(0);
    }
};
} // namespace

PresetDialogs::PresetDialogs(juce::Component& anchorComponent, std::function<void()> onChange)
    : anchor(anchorComponent), onPresetChanged(std::move(onChange))
{
}

PresetDialogs::~PresetDialogs()
{
    // The dialogs use this look: close them before it goes. Their callbacks find this gone and do
    // nothing.
    for (auto& dialog : openDialogs)
        if (auto* d = dialog.getComponent())
        {
            d->setLookAndFeel(nullptr);
            d->exitModalState(0);
        }
}

//==============================================================================
juce::String PresetDialogs::proposedName()
{
    if (presetManager == nullptr)
        return "MyPreset";
    if (presetManager->isCurrentPresetUser())
    {
        const auto current = presetManager->getCurrentPresetName().trim();
        if (current.isNotEmpty())
            return current;
    }
    return uniqueName("MyPreset");
}

juce::String PresetDialogs::uniqueName(const juce::String& base)
{
    std::set<juce::String> taken; // lower case
    if (presetManager != nullptr)
        for (auto& name : presetManager->getUserPresetNames())
            taken.insert(name.toLowerCase());

    auto candidate = base.trim();
    if (candidate.isEmpty())
        candidate = "MyPreset";
    const auto isTaken = [&taken](const juce::String& name) { return taken.count(name.toLowerCase()) > 0; };

    if (!isTaken(candidate))
        return candidate;
    for (int n = 1; n <= 9999; ++n)
        if (!isTaken(candidate + juce::String(n)))
            return candidate + juce::String(n);
    return candidate + "_New";
}

bool PresetDialogs::userPresetExists(const juce::String& name)
{
    return presetManager != nullptr && presetNameTaken(presetManager->getUserPresetNames(), name.trim());
}

//==============================================================================
juce::AlertWindow* PresetDialogs::adopt(juce::AlertWindow* dialog)
{
    dialog->setLookAndFeel(&look);
    openDialogs.removeIf([](auto& d) { return d == nullptr; });
    openDialogs.add(dialog);
    return dialog;
}

void PresetDialogs::showModal(juce::AlertWindow* dialog, std::function<void(int)> onResult,
                              bool deleteWhenDismissed)
{
    position(*dialog);
    dialog->enterModalState(true, juce::ModalCallbackFunction::create(std::move(onResult)),
                            deleteWhenDismissed);
}

void PresetDialogs::askToConfirm(const juce::String& title, const juce::String& message,
                                 const juce::String& confirmButtonText,
                                 std::function<void(PresetDialogs&)> onConfirm)
{
    auto* prompt = adopt(new juce::AlertWindow(title, message, juce::MessageBoxIconType::WarningIcon));
    prompt->addButton(confirmButtonText, 1, juce::KeyPress(juce::KeyPress::returnKey));
    prompt->addButton("Cancel", 0, juce::KeyPress(juce::KeyPress::escapeKey));

    showModal(
        prompt,
        [self = juce::WeakReference<PresetDialogs>(this), onConfirm = std::move(onConfirm)](int result)
        {
            if (result == 1 && self != nullptr && self->presetManager != nullptr)
                onConfirm(*self);
        },
        true);
}

void PresetDialogs::askToOverwrite(const juce::String& name, std::function<void(PresetDialogs&)> overwrite)
{
    askToConfirm("Overwrite Preset?",
                 "A preset named " + quoted(name) + " already exists.\nDo you want to overwrite it?",
                 "Overwrite", std::move(overwrite));
}

void PresetDialogs::askForName(const juce::String& title, const juce::String& message,
                               const juce::String& initialName, const juce::String& confirmButtonText,
                               std::function<void(PresetDialogs&, juce::String)> onName)
{
    auto* dialog = new NameEntryDialog(title, message, initialName, confirmButtonText, look);
    adopt(dialog);

    showModal(
        dialog,
        [self = juce::WeakReference<PresetDialogs>(this), dialog, onName = std::move(onName)](int result)
        {
            std::unique_ptr<NameEntryDialog> owned(dialog);
            if (result == 1 && self != nullptr && self->presetManager != nullptr)
                onName(*self, dialog->getEnteredName());
        },
        false);
}

void PresetDialogs::position(juce::AlertWindow& dialog)
{
    juce::Component* reference = anchor.findParentComponentOfClass<juce::AudioProcessorEditor>();
    if (reference == nullptr)
        reference = anchor.getTopLevelComponent();

    const int width = std::min(dialog.getWidth(), reference->getWidth());
    const int height = std::min(std::max(dialog.getHeight(), 175), reference->getHeight());
    dialog.setSize(width, height);
    dialog.centreAroundComponent(reference, width, height);
}

void PresetDialogs::presetChanged(const juce::String& successMessage)
{
    if (onPresetChanged)
        onPresetChanged();
    showSuccessMessage("Success", successMessage);
}

//==============================================================================
void PresetDialogs::showSaveDialog()
{
    if (presetManager == nullptr)
        return;
    askForName("Save Preset", "Enter a name:", proposedName(), "Save",
               [](PresetDialogs& dialogs, const juce::String& name) { dialogs.saveAs(name); });
}

void PresetDialogs::saveAs(const juce::String& name)
{
    const auto trimmed = name.trim();
    if (trimmed.isEmpty() || presetManager == nullptr)
        return;

    auto save = [trimmed](PresetDialogs& dialogs)
    {
        if (dialogs.presetManager->saveUserPreset(trimmed))
            dialogs.presetChanged("Preset " + quoted(trimmed) + " has been saved.");
    };

    if (userPresetExists(trimmed))
        askToOverwrite(trimmed, save);
    else
        save(*this);
}

void PresetDialogs::showRenameDialog(const juce::String& oldName)
{
    if (presetManager == nullptr)
        return;
    askForName("Rename Preset", "Enter a new name:", oldName, "Rename",
               [oldName](PresetDialogs& dialogs, const juce::String& newName)
               { dialogs.rename(oldName, newName); });
}

void PresetDialogs::rename(const juce::String& oldName, const juce::String& newName)
{
    const auto from = oldName.trim(), to = newName.trim();
    if (presetManager == nullptr || from.isEmpty() || to.isEmpty() ||
        namesShareAFile(presetManager->getUserPresetNames(), from, to))
        return;

    if (userPresetExists(to))
    {
        askToOverwrite(to, [from, to](PresetDialogs& dialogs) { dialogs.renameReplacing(from, to); });
        return;
    }

    if (presetManager->renameUserPreset(from, to))
        presetChanged(renamedMessage(from, to));
}

void PresetDialogs::renameReplacing(const juce::String& oldName, const juce::String& newName)
{
    if (presetManager != nullptr && presetManager->renameUserPresetReplacing(oldName, newName))
        presetChanged(renamedMessage(oldName, newName));
}

void PresetDialogs::showDeleteDialog(const juce::String& name)
{
    if (presetManager == nullptr)
        return;
    askToConfirm("Delete Preset?", "Are you sure you want to delete " + quoted(name) + "?", "Delete",
                 [name](PresetDialogs& dialogs)
                 {
                     if (dialogs.presetManager->deleteUserPreset(name))
                         dialogs.presetChanged("Preset " + quoted(name) + " has been deleted.");
                 });
}

void PresetDialogs::showSuccessMessage(const juce::String& title, const juce::String& message)
{
    auto* dialog = adopt(new SelfClosingMessage(title, message, 3000));
    dialog->addButton("OK", 1, juce::KeyPress(juce::KeyPress::returnKey));
    showModal(
        dialog, [](int) {}, true);
}
