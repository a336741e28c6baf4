#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <iostream>

#if defined(__SANITIZE_ADDRESS__) && JUCE_LINUX
 #include <dlfcn.h>
#endif

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

// The framework loads the X libraries at run time and unloads them at exit, after which the leak
// checker can no longer name them. Kept loaded, their own one-time allocations are recognised
// and suppressed by name (tests/lsan.supp).
void keepWindowSystemLibrariesLoaded()
{
#if defined(__SANITIZE_ADDRESS__) && JUCE_LINUX
    for (auto* name : {"libX11.so.6", "libXext.so.6", "libXcursor.so.1", "libXinerama.so.1", "libXrender.so.1",
                       "libXrandr.so.2"})
        dlopen(name, RTLD_NOW | RTLD_NODELETE);
#endif
}
} // namespace

int main(int argc, char** argv)
{
    keepWindowSystemLibrariesLoaded();
    ::testing::InitGoogleTest(&argc, argv);

    juce::ScopedJuceInitialiser_GUI framework;
    AssertionFailingLogger logger;
    juce::Logger::setCurrentLogger(&logger);

    const int result = RUN_ALL_TESTS();

    juce::Logger::setCurrentLogger(nullptr);
    return result;
}
