#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <iostream>

namespace
{
// Framework assertions are logged (debug builds); each one fails the running test.
class AssertionFailingLogger final : public juce::Logger
{
public:
    void logMessage(const juce::String& message) override
    {
        if (message.startsWith("JUCE Assertion failure"))
            ADD_FAILURE() << message.toStdString();
        else
            std::cerr << message << std::endl;
    }
};
} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    juce::ScopedJuceInitialiser_GUI framework;
    AssertionFailingLogger logger;
    juce::Logger::setCurrentLogger(&logger);

    const int result = RUN_ALL_TESTS();

    juce::Logger::setCurrentLogger(nullptr);
    return result;
}
