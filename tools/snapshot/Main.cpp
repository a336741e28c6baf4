// tarvolt-snapshot: paints Tarvolt's editor (or its main panel alone) at a chosen size and with
// chosen parameter settings into a PNG file, without opening a window. The signal display shows
// the model, or the live view of an audio file run through the processor.

#include "RenderSettings.h"

#include "editor/TarvoltEditor.h"
#include "editor/panel/MainPanel.h"
#include "plugin/TarvoltAudioProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <juce_audio_formats/juce_audio_formats.h>

#include <iostream>

namespace
{
constexpr int exitUsage = 2;

struct Options
{
    juce::File output = juce::File::getCurrentWorkingDirectory().getChildFile("tarvolt-snapshot.png");
    int width = 1256, height = 780; // the editor on a 1920 x 1040 display
    bool panelOnly = false;
    float scale = 1.0f;
    float inputLevel = 0.0f, outputLevel = 0.0f;
    std::vector<ParameterSetting> settings;
    DisplayMode displayMode = DisplayMode::Model;
    juce::File liveAudio;     // played through the processor for the live view
    double liveUntil = -1.0;  // seconds of it to play; below 0 for all of it
};

[[noreturn]] void fail(const juce::String& message)
{
    std::cerr << "tarvolt-snapshot: error: " << message << std::endl;
    std::exit(exitUsage);
}

void printUsage()
{
    std::cout << "usage: tarvolt-snapshot [-o OUTPUT.png] [--size WxH] [--panel] [--scale S] [--levels IN,OUT]\n"
                 "                        [--display model|live] [--live AUDIO.wav [--until SECONDS]]\n"
                 "                        [--set id=value]...\n"
                 "\n"
                 "Paints Tarvolt's editor into OUTPUT.png (default tarvolt-snapshot.png) without opening a window.\n"
                 "\n"
                 "  --size WxH       size in logical pixels (default 1256x780, the editor on a 1920x1040 display)\n"
                 "  --panel          paint the main panel alone, without the menu bar's strip\n"
                 "  --scale S        pixels per logical pixel, 0.25 to 4 (default 1; 2 for a high-density picture)\n"
                 "  --levels IN,OUT  meter positions to show, 0 to 1 each (default 0,0)\n"
                 "  --display MODE   what the signal display shows: model (default) or live (empty\n"
                 "                   without --live)\n"
                 "  --live FILE      the live view of a WAV or AIFF file (mono or stereo) played through\n"
                 "                   the processor: the last two seconds played\n"
                 "  --until SECONDS  play the file only this far (default: to its end)\n"
                 "  --set id=value   a parameter in its own unit: attack=6 (dB), mix=50 (%),\n"
                 "                   mode=Tight|Punch|Smooth, focus=Low|Full|High, power=on|off\n";
}

float parseFloatIn(const juce::String& text, float low, float high, const juce::String& what)
{
    const auto trimmed = text.trim();
    if (trimmed.isEmpty() || !trimmed.containsOnly("0123456789.") || trimmed.getFloatValue() < low ||
        trimmed.getFloatValue() > high)
        fail(what + " must be " + juce::String(low) + " to " + juce::String(high) + ", got \"" + text + "\"");
    return trimmed.getFloatValue();
}

void parseSize(const juce::String& text, Options& options)
{
    const auto w = text.upToFirstOccurrenceOf("x", false, true);
    const auto h = text.fromFirstOccurrenceOf("x", false, true);
    if (!text.containsIgnoreCase("x") || w.isEmpty() || h.isEmpty() || !w.containsOnly("0123456789") ||
        !h.containsOnly("0123456789") || w.getIntValue() < 1 || h.getIntValue() < 1 || w.getIntValue() > 8192 ||
        h.getIntValue() > 8192)
        fail("size must be WIDTHxHEIGHT, each 1 to 8192, got \"" + text + "\"");
    options.width = w.getIntValue();
    options.height = h.getIntValue();
}

Options parseArguments(const juce::StringArray& args)
{
    Options options;
    for (int i = 0; i < args.size(); ++i)
    {
        const auto& arg = args[i];
        auto nextValue = [&]() -> juce::String {
            if (i + 1 >= args.size())
                fail(arg + " needs a value");
            return args[++i];
        };

        if (arg == "-h" || arg == "--help")
        {
            printUsage();
            std::exit(0);
        }
        else if (arg == "-o" || arg == "--output")
            options.output = juce::File::getCurrentWorkingDirectory().getChildFile(nextValue());
        else if (arg == "--size")
            parseSize(nextValue(), options);
        else if (arg == "--panel")
            options.panelOnly = true;
        else if (arg == "--scale")
            options.scale = parseFloatIn(nextValue(), 0.25f, 4.0f, "scale");
        else if (arg == "--levels")
        {
            const auto text = nextValue();
            if (!text.contains(","))
                fail("levels must be IN,OUT, got \"" + text + "\"");
            options.inputLevel = parseFloatIn(text.upToFirstOccurrenceOf(",", false, false), 0.0f, 1.0f, "input level");
            options.outputLevel = parseFloatIn(text.fromFirstOccurrenceOf(",", false, false), 0.0f, 1.0f, "output level");
        }
        else if (arg == "--display")
        {
            const auto mode = nextValue();
            if (!mode.equalsIgnoreCase("model") && !mode.equalsIgnoreCase("live"))
                fail("display must be model or live, got \"" + mode + "\"");
            options.displayMode = mode.equalsIgnoreCase("live") ? DisplayMode::Live : DisplayMode::Model;
        }
        else if (arg == "--live")
        {
            options.liveAudio = juce::File::getCurrentWorkingDirectory().getChildFile(nextValue());
            options.displayMode = DisplayMode::Live;
        }
        else if (arg == "--until")
            options.liveUntil = parseFloatIn(nextValue(), 0.0f, 86400.0f, "until");
        else if (arg == "--set")
        {
            juce::String error;
            const auto setting = parseParameterSetting(nextValue(), error);
            if (!setting)
                fail(error);
            options.settings.push_back(*setting);
        }
        else
            fail("unknown argument " + arg + " (see --help)");
    }
    if (options.liveUntil >= 0.0 && options.liveAudio == juce::File())
        fail("--until needs --live");
    return options;
}

void applySettings(TarvoltAudioProcessor& processor, const Options& options)
{
    applyParameterSettings(processor.getState(), options.settings);
    for (int ch = 0; ch < 2; ++ch)
    {
        processor.getMeters().setInputLevel(ch, options.inputLevel);
        processor.getMeters().setOutputLevel(ch, options.outputLevel);
    }
}

// The panel inside the editor (or the panel itself).
MainPanel& findPanel(juce::Component& view)
{
    if (auto* panel = dynamic_cast<MainPanel*>(&view))
        return *panel;
    for (auto* child : view.getChildren())
        if (auto* panel = dynamic_cast<MainPanel*>(child))
            return *panel;
    fail("the editor has no main panel");
}

// Plays the file through the processor in 512-sample blocks, as a host would while the editor is
// open, the panel taking in the live view's data after every block.
void playThrough(TarvoltAudioProcessor& processor, MainPanel& panel, const Options& options)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    const std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(options.liveAudio));
    if (reader == nullptr)
        fail("cannot read audio from " + options.liveAudio.getFullPathName());
    const int channels = (int) reader->numChannels;
    if (channels < 1 || channels > 2 || !(reader->sampleRate > 0.0))
        fail("the live view plays mono or stereo audio only");

    constexpr int blockSize = 512;
    const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    processor.setBusesLayout(layout);
    processor.setRateAndBufferSizeDetails(reader->sampleRate, blockSize);
    processor.prepareToPlay(reader->sampleRate, blockSize);

    juce::int64 length = reader->lengthInSamples;
    if (options.liveUntil >= 0.0)
        length = std::min(length, (juce::int64) std::llround(options.liveUntil * reader->sampleRate));
    juce::AudioBuffer<float> block(channels, blockSize);
    juce::MidiBuffer midi;
    for (juce::int64 position = 0; position < length; position += blockSize)
    {
        const int n = (int) std::min<juce::int64>(blockSize, length - position);
        juce::AudioBuffer<float> view(block.getArrayOfWritePointers(), channels, 0, n);
        reader->read(&view, 0, n, position, true, true);
        processor.processBlock(view, midi);
        panel.updateLiveView();
    }
}

juce::Image paint(juce::Component& view, float scale)
{
    juce::Image image(juce::Image::ARGB, juce::roundToInt((float) view.getWidth() * scale),
                      juce::roundToInt((float) view.getHeight() * scale), true, juce::SoftwareImageType());
    juce::Graphics g(image);
    g.addTransform(juce::AffineTransform::scale(scale));
    view.paintEntireComponent(g, true);
    return image;
}

void writePng(const juce::Image& image, const juce::File& target)
{
    juce::TemporaryFile temporary(target, juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream stream(temporary.getFile());
        juce::PNGImageFormat png;
        if (!stream.openedOk() || !png.writeImageToStream(image, stream))
            fail("cannot write " + target.getFullPathName());
    }
    if (!temporary.overwriteTargetFileWithTemporary())
        fail("cannot replace " + target.getFullPathName());
}
} // namespace

int main(int argc, char** argv)
{
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add(juce::String::fromUTF8(argv[i]));
    const auto options = parseArguments(args);

    juce::ScopedJuceInitialiser_GUI framework;
    TarvoltAudioProcessor processor;
    applySettings(processor, options);

    std::unique_ptr<juce::Component> view;
    if (options.panelOnly)
        view = std::make_unique<MainPanel>(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    else
        view = std::make_unique<TarvoltEditor>(processor, processor.getState(), processor.getLiveFeed(),
                                               processor.getMeters());
    view->setSize(options.width, options.height);
    auto& panel = findPanel(*view);
    panel.setDisplayMode(options.displayMode);
    if (options.liveAudio != juce::File())
        playThrough(processor, panel, options);
    const auto image = paint(*view, options.scale);

    writePng(image, options.output);
    std::cout << "wrote " << options.output.getFullPathName() << " (" << image.getWidth() << " x "
              << image.getHeight() << ")" << std::endl;
    return 0;
}
