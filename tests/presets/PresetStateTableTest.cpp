#include "PresetTestSupport.h"

#include <functional>

namespace
{
struct Session
{
    TestPresetRoot root;
    TarvoltAudioProcessor processor;
    juce::MemoryBlock hostState;

    Session() { root.attach(processor); }
};

struct Event
{
    const char* description;
    std::function<void(Session&)> happen;
    const char* name;
    bool isUser;
    bool modified;
};

void moveAParameter(Session& s)
{
    auto* attack = s.processor.getState().parameters.getParameter("attack");
    attack->setValueNotifyingHost(attack->getValue() > 0.5f ? 0.1f : 0.9f);
}

void restore(Session& s, const juce::MemoryBlock& blob)
{
    s.processor.setStateInformation(blob.getData(), (int)blob.getSize());
}
} // namespace

TEST(PresetStateTable, EveryEventSetsNameOriginAndModifiedMark)
{
    const Event events[] = {
        {"construction", [](Session&) {}, "Presets", false, false},
        {"parameter change with no preset", moveAParameter, "Presets", false, true},
        {"load factory preset", [](Session& s) { s.processor.getState().loadFactoryPreset("Tame Pokey"); }, "Tame Pokey",
         false, false},
        {"parameter change", moveAParameter, "Tame Pokey", false, true},
        {"host saves its project", [](Session& s) { s.processor.getStateInformation(s.hostState); },
         "Tame Pokey", false, true},
        {"save user preset", [](Session& s) { ASSERT_TRUE(s.processor.getState().saveUserPreset("Mine")); }, "Mine",
         true, false},
        {"parameter change", moveAParameter, "Mine", true, true},
        {"load user preset", [](Session& s) { ASSERT_TRUE(s.processor.getState().loadUserPreset("Mine")); }, "Mine",
         true, false},
        {"save another user preset", [](Session& s) { ASSERT_TRUE(s.processor.getState().saveUserPreset("Other")); },
         "Other", true, false},
        {"power switched", [](Session& s) { harness::setPlain(s.processor, "power", 0.0f); }, "Other", true,
         true},
        {"rename a preset that is not current",
         [](Session& s) { ASSERT_TRUE(s.processor.getState().renameUserPreset("Mine", "Elsewhere")); }, "Other", true,
         true},
        {"rename the current preset",
         [](Session& s) { ASSERT_TRUE(s.processor.getState().renameUserPreset("Other", "Renamed")); }, "Renamed", true,
         false},
        {"failed load", [](Session& s) { ASSERT_FALSE(s.processor.getState().loadUserPreset("Missing")); }, "Renamed",
         true, false},
        {"failed rename",
         [](Session& s) { ASSERT_FALSE(s.processor.getState().renameUserPreset("Renamed", "Elsewhere")); }, "Renamed",
         true, false},
        {"failed delete", [](Session& s) { ASSERT_FALSE(s.processor.getState().deleteUserPreset("Missing")); },
         "Renamed", true, false},
        {"host restores its project", [](Session& s) { restore(s, s.hostState); }, "Tame Pokey", false, true},
        {"load user preset", [](Session& s) { ASSERT_TRUE(s.processor.getState().loadUserPreset("Renamed")); },
         "Renamed", true, false},
        {"mix moved", [](Session& s) { harness::setPlain(s.processor, "mix", 10.0f); }, "Renamed", true,
         true},
        {"delete a preset that is not current",
         [](Session& s) { ASSERT_TRUE(s.processor.getState().deleteUserPreset("Elsewhere")); }, "Renamed", true, true},
        {"delete the current preset",
         [](Session& s) { ASSERT_TRUE(s.processor.getState().deleteUserPreset("Renamed")); }, "Presets", false, false},
        {"save two user presets",
         [](Session& s)
         {
             ASSERT_TRUE(s.processor.getState().saveUserPreset("First"));
             ASSERT_TRUE(s.processor.getState().saveUserPreset("Second"));
         },
         "Second", true, false},
        {"parameter change", moveAParameter, "Second", true, true},
        {"rename the current preset onto another",
         [](Session& s) { ASSERT_TRUE(s.processor.getState().renameUserPresetReplacing("Second", "First")); }, "First",
         true, false},
        {"save a third", [](Session& s) { ASSERT_TRUE(s.processor.getState().saveUserPreset("Third")); }, "Third", true,
         false},
        {"rename another preset onto the current one",
         [](Session& s) { ASSERT_TRUE(s.processor.getState().renameUserPresetReplacing("First", "Third")); }, "Presets",
         false, false},
        {"host restores a state without preset attributes",
         [](Session& s)
         {
             s.processor.getState().loadFactoryPreset("Snare Snap");
             juce::MemoryBlock blob;
             juce::AudioProcessor::copyXmlToBinary(juce::XmlElement("PARAMETERS"), blob);
             restore(s, blob);
         },
         "Presets", false, false},
    };

    Session session;
    for (const auto& event : events)
    {
        SCOPED_TRACE(event.description);
        event.happen(session);
        EXPECT_EQ(session.processor.getState().getCurrentPresetName(), event.name);
        EXPECT_EQ(session.processor.getState().isCurrentPresetUser(), event.isUser);
        EXPECT_EQ(session.processor.getState().getCurrentPreset().isModified(), event.modified);
        EXPECT_EQ(session.processor.getState().getCurrentPresetDisplayName(),
                  event.modified ? juce::String(event.name) + " *" : juce::String(event.name));
    }
}
