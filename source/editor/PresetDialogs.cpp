// The menu bar's preset dialogs: save, rename and delete, the overwrite prompt and the success
// message, and the steps that follow the user's answers.

#include "editor/MenuBar.h"

#include "editor/NameEntryDialog.h"
#include "presets/PresetName.h"

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

//==============================================================================
juce::String MenuBar::getDefaultPresetName()
{
    if (presetManager == nullptr)
        return "MyPreset";
    if (presetManager->isCurrentPresetUser())
    {
        const auto current = presetManager->getCurrentPresetName().trim();
        if (current.isNotEmpty())
            return current;
    }
    return makeUniquePresetName("MyPreset");
}

juce::String MenuBar::makeUniquePresetName(const juce::String& base)
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

bool MenuBar::userPresetExists(const juce::String& name)
{
    return presetManager != nullptr && presetNameTaken(presetManager->getUserPresetNames(), name.trim());
}

//==============================================================================
juce::AlertWindow* MenuBar::openDialog(const juce::String& title, const juce::String& message,
                                       juce::MessageBoxIconType icon)
{
    return adoptDialog(new juce::AlertWindow(title, message, icon));
}

juce::AlertWindow* MenuBar::adoptDialog(juce::AlertWindow* dialog)
{
    dialog->setLookAndFeel(&dialogLookAndFeel);
    openDialogs.removeIf([](auto& d) { return d == nullptr; });
    openDialogs.add(dialog);
    return dialog;
}

void MenuBar::showModal(juce::AlertWindow* dialog, std::function<void(int)> onResult,
                        bool deleteWhenDismissed)
{
    positionDialog(*dialog);
    dialog->enterModalState(true, juce::ModalCallbackFunction::create(std::move(onResult)),
                            deleteWhenDismissed);
}

void MenuBar::askToConfirm(const juce::String& title, const juce::String& message,
                           const juce::String& confirmButtonText, std::function<void(MenuBar&)> onConfirm)
{
    auto* prompt = openDialog(title, message, juce::MessageBoxIconType::WarningIcon);
    prompt->addButton(confirmButtonText, 1, juce::KeyPress(juce::KeyPress::returnKey));
    prompt->addButton("Cancel", 0, juce::KeyPress(juce::KeyPress::escapeKey));

    juce::Component::SafePointer<MenuBar> bar(this);
    showModal(
        prompt,
        [bar, onConfirm = std::move(onConfirm)](int result)
        {
            if (result == 1 && bar != nullptr && bar->presetManager != nullptr)
                onConfirm(*bar);
        },
        true);
}

void MenuBar::askToOverwrite(const juce::String& name, std::function<void(MenuBar&)> overwrite)
{
    askToConfirm("Overwrite Preset?",
                 "A preset named " + quoted(name) + " already exists.\nDo you want to overwrite it?",
                 "Overwrite", std::move(overwrite));
}

void MenuBar::askForName(const juce::String& title, const juce::String& message,
                         const juce::String& initialName, const juce::String& confirmButtonText,
                         std::function<void(MenuBar&, juce::String)> onName)
{
    auto* dialog = new NameEntryDialog(title, message, initialName, confirmButtonText, dialogLookAndFeel);
    adoptDialog(dialog);

    juce::Component::SafePointer<MenuBar> bar(this);
    showModal(
        dialog,
        [bar, dialog, onName = std::move(onName)](int result)
        {
            std::unique_ptr<NameEntryDialog> owned(dialog);
            if (result == 1 && bar != nullptr && bar->presetManager != nullptr)
                onName(*bar, dialog->getEnteredName());
        },
        false);
}

void MenuBar::positionDialog(juce::AlertWindow& dialog)
{
    juce::Component* reference = findParentComponentOfClass<juce::AudioProcessorEditor>();
    if (reference == nullptr)
        reference = getTopLevelComponent();

    const int width = std::min(dialog.getWidth(), reference->getWidth());
    const int height = std::min(std::max(dialog.getHeight(), 175), reference->getHeight());
    dialog.setSize(width, height);
    dialog.centreAroundComponent(reference, width, height);
}

//==============================================================================
void MenuBar::showSavePresetDialog()
{
    if (presetManager == nullptr)
        return;
    askForName("Save Preset", "Enter a name:", getDefaultPresetName(), "Save",
               [](MenuBar& bar, const juce::String& name) { bar.savePresetNamed(name); });
}

void MenuBar::savePresetNamed(const juce::String& name)
{
    const auto trimmed = name.trim();
    if (trimmed.isEmpty() || presetManager == nullptr)
        return;

    auto save = [trimmed](MenuBar& bar)
    {
        if (bar.presetManager->saveUserPreset(trimmed))
        {
            bar.refreshPresetCaption();
            bar.showSuccessMessage("Success", "Preset " + quoted(trimmed) + " has been saved.");
        }
    };

    if (userPresetExists(trimmed))
        askToOverwrite(trimmed, save);
    else
        save(*this);
}

void MenuBar::showRenamePresetDialog(const juce::String& oldName)
{
    if (presetManager == nullptr)
        return;
    askForName("Rename Preset", "Enter a new name:", oldName, "Rename",
               [oldName](MenuBar& bar, const juce::String& newName)
               { bar.renamePresetTo(oldName, newName); });
}

void MenuBar::renamePresetTo(const juce::String& oldName, const juce::String& newName)
{
    const auto from = oldName.trim(), to = newName.trim();
    if (presetManager == nullptr || from.isEmpty() || to.isEmpty() ||
        namesShareAFile(presetManager->getUserPresetNames(), from, to))
        return;

    if (userPresetExists(to))
    {
        askToOverwrite(to, [from, to](MenuBar& bar) { bar.overwriteRenamePreset(from, to); });
        return;
    }

    if (presetManager->renameUserPreset(from, to))
    {
        refreshPresetCaption();
        showSuccessMessage("Success", renamedMessage(from, to));
    }
}

void MenuBar::overwriteRenamePreset(const juce::String& oldName, const juce::String& newName)
{
    if (presetManager != nullptr && presetManager->renameUserPresetReplacing(oldName, newName))
    {
        refreshPresetCaption();
        showSuccessMessage("Success", renamedMessage(oldName, newName));
    }
}

void MenuBar::showDeletePresetDialog(const juce::String& name)
{
    if (presetManager == nullptr)
        return;
    askToConfirm("Delete Preset?", "Are you sure you want to delete " + quoted(name) + "?", "Delete",
                 [name](MenuBar& bar)
                 {
                     if (bar.presetManager->deleteUserPreset(name))
                     {
                         bar.refreshPresetCaption();
                         bar.showSuccessMessage("Success", "Preset " + quoted(name) + " has been deleted.");
                     }
                 });
}

void MenuBar::showSuccessMessage(const juce::String& title, const juce::String& message)
{
    auto* dialog = adoptDialog(new SelfClosingMessage(title, message, 3000));
    dialog->addButton("OK", 1, juce::KeyPress(juce::KeyPress::returnKey));
    showModal(
        dialog, [](int) {}, true);
}
