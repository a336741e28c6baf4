// The CPU an open editor costs, as a window on a (virtual) screen: the processor's editor at the
// reference size in a window of its own, the framework's message loop running, for a fixed span.
// At rest nothing plays; with --play an audio thread feeds the processor the demo drums block by
// block at the pace of real time (48 kHz, 512 samples), as a host's audio callback would, with the
// live view shown. Prints the process's CPU time over the span as a share of one core, the audio
// thread's own share and what is left for the editor (the message thread and the window system's
// side of the process).
//
//   tarvolt-bench-editor-cpu [--seconds N] [--settle N] [--play] [--display model|live] [--bare]
//
// A plain program, run under the virtual display (bench/README.md), not in CI.

#include "../tools/render/DemoSignal.h"
#include "editor/TarvoltEditor.h"
#include "plugin/TarvoltAudioProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <iostream>

namespace
{
double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (double)usage.ru_utime.tv_sec + (double)usage.ru_stime.tv_sec +
           1e-6 * (double)(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return (double)t.tv_sec + 1e-9 * (double)t.tv_nsec;
}

// Plays the drums through the processor in real time, looping, until stopped.
class RealTimeFeed final : public juce::Thread
{
public:
    static constexpr double rate = 48000.0;
    static constexpr int blockSize = 512;

    explicit RealTimeFeed(TarvoltAudioProcessor& p)
        : juce::Thread("audio"), processor(p), drums(makeDemoDrums(rate, 8.0))
    {
        processor.setRateAndBufferSizeDetails(rate, blockSize);
        processor.prepareToPlay(rate, blockSize);
    }

    // The thread's own CPU time so far (read once it has stopped).
    double cpuSeconds() const { return cpu.load(); }

    void run() override
    {
        juce::AudioBuffer<float> block(2, blockSize);
        juce::MidiBuffer midi;
        int position = 0;
        const double start = juce::Time::getMillisecondCounterHiRes();
        for (long n = 0; !threadShouldExit(); ++n)
        {
            for (int ch = 0; ch < 2; ++ch)
                block.copyFrom(ch, 0, drums, ch, position, blockSize);
            position = (position + blockSize) % (drums.getNumSamples() - blockSize);
            processor.processBlock(block, midi);
            cpu.store(threadCpuSeconds());

            const double due = start + (double)(n + 1) * blockSize / rate * 1000.0;
            const double wait = due - juce::Time::getMillisecondCounterHiRes();
            if (wait > 0.0)
                juce::Thread::sleep((int)wait);
        }
    }

private:
    TarvoltAudioProcessor& processor;
    juce::AudioBuffer<float> drums;
    std::atomic<double> cpu{0.0};
};
} // namespace

int main(int argc, char* argv[])
{
    double seconds = 60.0, settle = 3.0;
    bool play = false, bare = false;
    DisplayMode display = DisplayMode::Model;
    for (int i = 1; i < argc; ++i)
    {
        const juce::String arg(argv[i]);
        const auto next = [&] { return i + 1 < argc ? juce::String(argv[++i]) : juce::String(); };
        if (arg == "--seconds")
            seconds = next().getDoubleValue();
        else if (arg == "--settle")
            settle = next().getDoubleValue();
        else if (arg == "--play")
            play = true;
        else if (arg == "--bare")
            bare = true;
        else if (arg == "--display")
            display = next().equalsIgnoreCase("live") ? DisplayMode::Live : DisplayMode::Model;
        else
        {
            std::cerr << "usage: tarvolt-bench-editor-cpu [--seconds N] [--settle N] [--play] [--display "
                         "model|live] [--bare]\n";
            return 2;
        }
    }
    if (play)
        display = DisplayMode::Live;

    juce::ScopedJuceInitialiser_GUI gui;
    auto* messages = juce::MessageManager::getInstance();
    {
        TarvoltAudioProcessor processor;
        processor.getState().setDisplayMode(display);
        // --bare: an empty window of the same size instead, the framework's own floor (on Linux
        // every window's peer runs a timer at the display's refresh rate, 100 Hz when the display
        // reports none, as the virtual one does).
        std::unique_ptr<juce::Component> editor(bare ? new juce::Component()
                                                     : processor.createEditorIfNeeded());
        editor->setSize(1256, 780); // the reference size, as on a 1080-line screen
        editor->addToDesktop(juce::ComponentPeer::windowHasTitleBar |
                             juce::ComponentPeer::windowAppearsOnTaskbar);
        editor->setVisible(true);

        RealTimeFeed feed(processor);
        if (play)
            feed.startThread(juce::Thread::Priority::highest);

        // The framework's own message loop, as a host runs it; the two timers mark the span.
        double cpuStart = 0.0, audioStart = 0.0, wallStart = 0.0, cpu = 0.0, audio = 0.0, wall = 0.0;
        juce::Timer::callAfterDelay((int)(settle * 1000.0),
                                    [&]
                                    {
                                        cpuStart = processCpuSeconds();
                                        audioStart = feed.cpuSeconds();
                                        wallStart = juce::Time::getMillisecondCounterHiRes();
                                    });
        juce::Timer::callAfterDelay((int)((settle + seconds) * 1000.0),
                                    [&]
                                    {
                                        wall =
                                            (juce::Time::getMillisecondCounterHiRes() - wallStart) / 1000.0;
                                        cpu = processCpuSeconds() - cpuStart;
                                        audio = feed.cpuSeconds() - audioStart;
                                        messages->stopDispatchLoop();
                                    });
        messages->runDispatchLoop();
        feed.stopThread(1000);

        std::printf(
            "%s%s, %s view, %.1f s: process %.2f %% of a core, audio thread %.2f %%, editor %.2f %%\n",
            bare ? "empty window, " : "", play ? "playing" : "at rest",
            display == DisplayMode::Live ? "live" : "model", wall, 100.0 * cpu / wall, 100.0 * audio / wall,
            100.0 * (cpu - audio) / wall);

        editor->removeFromDesktop();
        if (auto* e = dynamic_cast<juce::AudioProcessorEditor*>(editor.get()))
            processor.editorBeingDeleted(e);
    }
    return 0;
}
