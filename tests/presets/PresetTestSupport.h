#pragma once

#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

// A temporary folder that stands in for the user's application-data folder, so no test ever
// touches the real one. Deleted with everything in it at the end of the test.
class TestPresetRoot
{
public:
    TestPresetRoot() { root.getFile().createDirectory(); }

    const juce::File& folder() const noexcept { return root.getFile(); }

    // Where the presets of a store pointed at this root live: <company>/<product>/version_<version>/Presets
    // with the names of the processor's product record.
    juce::File presetFolder() const { return presetFolderUnder(folder()); }

    static juce::File presetFolderUnder(const juce::File& root)
    {
        const auto product = PresetFolderIdentity::tarvolt();
        return root.getChildFile(product.companyFolder)
            .getChildFile(product.name)
            .getChildFile("version_" + product.version)
            .getChildFile("Presets");
    }

    void attach(TarvoltAudioProcessor& processor) const
    {
        processor.getState().getPresetStore().setRootFolder(folder());
    }
    void attach(PresetStore& store) const { store.setRootFolder(folder()); }

    // Puts a file into the preset folder by other means than the store.
    juce::File writePresetFile(const juce::String& fileName, const juce::String& content) const
    {
        presetFolder().createDirectory();
        const auto file = presetFolder().getChildFile(fileName);
        EXPECT_TRUE(file.replaceWithText(content, false, false, "\n"));
        return file;
    }

    // The names of every file and folder below the root, relative to it, sorted.
    juce::StringArray allEntries() const
    {
        juce::StringArray names;
        for (const auto& entry :
             juce::RangedDirectoryIterator(folder(), true, "*", juce::File::findFilesAndDirectories))
            names.add(entry.getFile().getRelativePathFrom(folder()));
        names.sort(false);
        return names;
    }

private:
    juce::TemporaryFile root{juce::String(), juce::TemporaryFile::useHiddenFile};
};

// A preset document as a user might write it: a PARAMETERS root with the given PARAM lines.
inline juce::String presetDocument(const juce::String& params)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PARAMETERS>\n" + params + "\n</PARAMETERS>\n";
}

// Everything a host or the editor can observe of the processor's state: the state blob (all
// parameter values and the live tree's attributes, preset name, user flag, modified mark).
inline juce::MemoryBlock observableState(TarvoltAudioProcessor& processor)
{
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);
    return blob;
}

// Sets every parameter to a value that is no default and no factory value.
inline void setUnusualValues(TarvoltAudioProcessor& processor)
{
    for (auto& spec : parameterSpecs)
        harness::setPlain(processor, spec.id,
                          spec.kind == ParameterSpec::Kind::number ? spec.minimum + 0.37f * (spec.maximum - spec.minimum)
                          : spec.defaultValue == spec.minimum      ? spec.maximum
                                                                   : spec.minimum);
}

// Records, for every parameter change, whether the processor was applying a preset or state
// at that moment (such changes must not count as edits) and whether processing was suspended.
class ApplyingFlagProbe final : public juce::AudioProcessorValueTreeState::Listener
{
public:
    explicit ApplyingFlagProbe(TarvoltAudioProcessor& p) : processor(p)
    {
        for (auto& spec : parameterSpecs)
            processor.getState().parameters.addParameterListener(spec.id, this);
    }

    ~ApplyingFlagProbe() override
    {
        for (auto& spec : parameterSpecs)
            processor.getState().parameters.removeParameterListener(spec.id, this);
    }

    void parameterChanged(const juce::String&, float) override
    {
        ++changes;
        changesWhileNotApplying += processor.getState().isApplyingPreset() ? 0 : 1;
        changesWhileSuspended += processor.isSuspended() ? 1 : 0;
    }

    int changes = 0;
    int changesWhileNotApplying = 0;
    int changesWhileSuspended = 0;

private:
    TarvoltAudioProcessor& processor;
};
