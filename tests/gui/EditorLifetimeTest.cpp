#include "DialogTestSupport.h"

#include "editor/bar/MenuBar.h"
#include "presets/PresetTestSupport.h"

// The host may close the window at any moment: with a menu or a dialog open, or while a
// success message waits to close itself. Nothing may crash, leak or act on the preset files
// afterwards (run under AddressSanitizer in the sanitizer stage).
TEST(EditorLifetime, OpenAndCloseManyTimesWithMenusAndDialogsOpen)
{
    TarvoltAudioProcessor processor;
    TestPresetRoot root;
    root.attach(processor);
    root.writePresetFile("Keep.xml", processor.getState().parameters.copyState().toXmlString());
    const auto before = root.allEntries();

    for (int round = 0; round < 12; ++round)
    {
        SCOPED_TRACE(round);
        std::unique_ptr<juce::AudioProcessorEditor> editor(processor.createEditorIfNeeded());
        ASSERT_NE(editor, nullptr);
        editor->addToDesktop(juce::ComponentPeer::windowHasTitleBar);
        editor->setVisible(true);
        auto& bar = TarvoltEditorTestAccess::bar(*dynamic_cast<TarvoltEditor*>(editor.get()));

        switch (round % 4)
        {
            case 0:
                bar.showPresetMenu();
                break;
            case 1:
                MenuBarTestAccess::presetDialogs(bar).showSaveDialog();
                break;
            case 2:
                MenuBarTestAccess::presetDialogs(bar).showDeleteDialog("Keep");
                bar.showSettingsMenu();
                break;
            default:
                MenuBarTestAccess::presetDialogs(bar).showSuccessMessage("Success", "Preset \"Keep\" has been saved.");
                MenuBarTestAccess::presetDialogs(bar).showRenameDialog("Keep");
                break;
        }
        guitest::pumpFor(30);

        processor.editorBeingDeleted(editor.get());
        editor.reset();
        guitest::pumpFor(30);
        EXPECT_EQ(guitest::frontDialog(), nullptr) << "dialogs close with the window";
    }

    guitest::pumpFor(3200); // past any success message's three seconds
    EXPECT_EQ(root.allEntries(), before);
    EXPECT_EQ(processor.getActiveEditor(), nullptr);
}

TEST(EditorLifetime, AnAnswerArrivingAfterTheWindowClosedDoesNothing)
{
    TarvoltAudioProcessor processor;
    TestPresetRoot root;
    root.attach(processor);
    root.writePresetFile("Old.xml", processor.getState().parameters.copyState().toXmlString());

    std::unique_ptr<juce::AudioProcessorEditor> editor(processor.createEditorIfNeeded());
    auto& bar = TarvoltEditorTestAccess::bar(*dynamic_cast<TarvoltEditor*>(editor.get()));
    MenuBarTestAccess::presetDialogs(bar).showDeleteDialog("Old");
    juce::Component::SafePointer<juce::AlertWindow> dialog(guitest::waitForDialog("Delete Preset?"));
    ASSERT_NE(dialog, nullptr);

    processor.editorBeingDeleted(editor.get());
    editor.reset();
    if (dialog != nullptr && dialog->isCurrentlyModal()) // a late "Delete" from the user
        dialog->exitModalState(1);
    guitest::pumpFor(50);

    EXPECT_TRUE(root.presetFolder().getChildFile("Old.xml").existsAsFile());
    EXPECT_EQ(guitest::frontDialog(), nullptr);
}
