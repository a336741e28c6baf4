// The live view: its history spread over columns, its fading, the display-mode plumbing between
// panel, editor and processor, and the picture of a known signal.

#include "GuiTestSupport.h"

#include "editor/display/LiveFeedReader.h"
#include "editor/display/LivePlot.h"
#include "editor/display/PlotGeometry.h"
#include "editor/look/Palette.h"
#include "dsp/LiveFeed.h"

#include <cmath>
#include <limits>
#include <tuple>

using Access = MainPanelTestAccess;
using juce::Colour;

namespace
{
// A run whose input and output swing between -peak and peak.
LiveSummary summary(float peak, int numSamples, float transient = 0.0f)
{
    return {-peak, peak, -peak, peak, transient, numSamples};
}

std::vector<LiveHistory::Column> columnsOf(const LiveHistory& history, double rate, double seconds, int n)
{
    std::vector<LiveHistory::Column> columns((size_t) n);
    history.fillColumns(rate, seconds, columns);
    return columns;
}

// Sends one stretch of constant input and output through a feed, as a block of the audio thread.
void sendBlock(LiveFeed& feed, float in, float out, int n = 128)
{
    if (feed.beginBlock())
    {
        feed.addStretch({in, in, out, out, 0.0f, n});
        feed.endBlock();
    }
}
} // namespace

// Summaries of 100 samples at 1 kHz (0.1 s each), the newest ending at the right edge.
TEST(LiveHistory, SpreadsTheLatestAudioOverTheColumnsNewestRight)
{
    LiveHistory history;
    for (float peak : {0.1f, 0.2f, 0.3f, 0.4f})
        history.append(summary(peak, 100));

    struct Case
    {
        double seconds;
        int columns;
        std::vector<float> peaks; // 0: no data
    };
    const Case cases[] = {
        {0.4, 4, {0.1f, 0.2f, 0.3f, 0.4f}},                         // one summary a column
        {0.4, 8, {0.1f, 0.1f, 0.2f, 0.2f, 0.3f, 0.3f, 0.4f, 0.4f}}, // each over two columns
        {0.4, 2, {0.2f, 0.4f}},                                     // two a column, joined
        {0.8, 8, {0, 0, 0, 0, 0.1f, 0.2f, 0.3f, 0.4f}},             // older than the audio: empty
        {0.2, 2, {0.3f, 0.4f}},                                     // only the newest fit
        {0.4, 3, {0.2f, 0.3f, 0.4f}},                               // summaries across column edges
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.seconds) + " s over " + std::to_string(c.columns) + " columns");
        const auto columns = columnsOf(history, 1000.0, c.seconds, c.columns);
        for (size_t i = 0; i < columns.size(); ++i)
        {
            EXPECT_EQ(columns[i].hasData(), c.peaks[i] > 0.0f) << "column " << i;
            if (columns[i].hasData())
            {
                EXPECT_FLOAT_EQ(columns[i].summary.inputMax, c.peaks[i]) << "column " << i;
                EXPECT_FLOAT_EQ(columns[i].summary.outputMin, -c.peaks[i]) << "column " << i;
            }
        }
    }
    // Three columns of 133 samples: the middle one holds the second and third summary.
    EXPECT_EQ(columnsOf(history, 1000.0, 0.4, 3)[1].summary.numSamples, 200);

    history.clear();
    EXPECT_TRUE(history.isEmpty());
    for (const auto& column : columnsOf(history, 1000.0, 0.4, 4))
        EXPECT_FALSE(column.hasData());
}

TEST(LiveHistory, KeepsTheNewestWhenFull)
{
    LiveHistory history;
    for (int k = 0; k < LiveHistory::capacity + 10; ++k)
        history.append(summary((float) k, 1));
    EXPECT_EQ(history.size(), LiveHistory::capacity);
    const auto columns = columnsOf(history, 1.0, LiveHistory::capacity, LiveHistory::capacity);
    EXPECT_FLOAT_EQ(columns.front().summary.inputMax, 10.0f);
    EXPECT_FLOAT_EQ(columns.back().summary.inputMax, (float) LiveHistory::capacity + 9.0f);
}

// Held for a second after the last audio, then faded out over a second and emptied. The update
// says when the picture changed with it (audio came, it faded or emptied), so that the view
// repaints only then.
// Held for a second after the last audio, then faded out over a second and emptied.
// The gain trace's value for a column: output peak over input peak in dB, either sign of the
// samples; no value without audio or for an input under the floor.
TEST(LivePlot, GainOfAColumnInDecibels)
{
    struct Case
    {
        LiveSummary column;
        float gainDb; // NaN: no value
    };
    const float none = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {{-0.5f, 0.25f, -0.5f, 0.25f, 0.0f, 64}, 0.0f},     // unchanged
        {{-0.1f, 0.2f, -0.8f, 0.4f, 0.0f, 64}, 12.0412f},   // four times the peak, on the other side
        {{-0.5f, 0.5f, -0.125f, 0.1f, 0.0f, 64}, -12.0412f}, // a quarter
        {{-0.5f, 0.5f, 0.0f, 0.0f, 0.0f, 64}, -93.9794f},    // silenced: down to the -100 dB floor
        {{-0.0005f, 0.0005f, -0.5f, 0.5f, 0.0f, 64}, none},  // input under the floor
        {{-0.5f, 0.5f, -0.5f, 0.5f, 0.0f, 0}, none},         // no audio
    };
    for (const auto& c : cases)
    {
        const float g = LivePlot::gainDb(c.column);
        if (std::isnan(c.gainDb))
            EXPECT_TRUE(std::isnan(g)) << g;
        else
            EXPECT_NEAR(g, c.gainDb, 1.0e-3f);
    }
}

TEST(LiveViewReader, FadesAndEmptiesOnceNoAudioArrives)
{
    LiveFeed feed;
    feed.prepare(48000.0);
    LiveFeedReader view(feed);
    view.setReading(true, 0.0);
    EXPECT_TRUE(feed.isActive());
    EXPECT_FALSE(view.update(50.0)) << "nothing came, nothing to show";

    sendBlock(feed, 0.5f, 0.7f);
    EXPECT_TRUE(view.update(100.0));
    ASSERT_EQ(view.getHistory().size(), 1);
    EXPECT_EQ(view.getOpacity(), 1.0f);

    EXPECT_FALSE(view.update(1100.0)) << "held: the picture stands still";
    EXPECT_EQ(view.getOpacity(), 1.0f);
    EXPECT_TRUE(view.update(1600.0));
    EXPECT_NEAR(view.getOpacity(), 0.5f, 1e-6f);
    EXPECT_FALSE(view.getHistory().isEmpty());
    EXPECT_TRUE(view.update(2100.0));
    EXPECT_EQ(view.getOpacity(), 0.0f);
    EXPECT_TRUE(view.getHistory().isEmpty());
    EXPECT_FALSE(view.update(2150.0)) << "emptied: nothing changes any more";

    // New audio shows at once again.
    sendBlock(feed, 0.5f, 0.7f);
    EXPECT_TRUE(view.update(2200.0));
    EXPECT_EQ(view.getOpacity(), 1.0f);
    EXPECT_EQ(view.getHistory().size(), 1);
}

// A reader starts empty, even when an earlier one left summaries in the queue, and the feed stops
// once no reader is left.
TEST(LiveViewReader, StartsEmptyAndStopsTheFeedWhenDone)
{
    LiveFeed feed;
    feed.prepare(48000.0);
    {
        LiveFeedReader first(feed);
        first.setReading(true, 0.0);
        sendBlock(feed, 0.5f, 0.5f);
        sendBlock(feed, 0.5f, 0.5f);
    } // goes without reading them
    EXPECT_FALSE(feed.isActive());

    LiveFeedReader second(feed);
    second.setReading(true, 0.0);
    second.update(10.0);
    EXPECT_TRUE(second.getHistory().isEmpty());
    second.setReading(false, 20.0);
    EXPECT_FALSE(feed.isActive());
}

TEST(DisplayModeChoice, ThePanelStoresItInTheProcessorAndFollowsIt)
{
    TarvoltAudioProcessor processor;
    auto& feed = processor.getLiveFeed();
    {
        MainPanel panel(processor.getState(), processor.getLiveFeed(), processor.getMeters());
        EXPECT_EQ(Access::display(panel).getMode(), DisplayMode::Model);
        EXPECT_FALSE(feed.isActive());

        panel.setDisplayMode(DisplayMode::Live);
        EXPECT_EQ(processor.getState().getDisplayMode(), DisplayMode::Live);
        EXPECT_TRUE(feed.isActive());

        panel.setDisplayMode(DisplayMode::Model);
        EXPECT_EQ(processor.getState().getDisplayMode(), DisplayMode::Model);
        EXPECT_FALSE(feed.isActive());

        // A restored state changes the processor's mode: the panel follows on its next tick.
        processor.getState().setDisplayMode(DisplayMode::Live);
        Access::timerTick(panel);
        EXPECT_EQ(Access::display(panel).getMode(), DisplayMode::Live);
        EXPECT_TRUE(feed.isActive());
    }
    EXPECT_FALSE(feed.isActive()) << "a closed panel no longer reads";
    EXPECT_EQ(processor.getState().getDisplayMode(), DisplayMode::Live) << "the choice outlives the editor";
}

TEST(DisplayModeChoice, ANewEditorShowsTheProcessorsModeAndSetsIt)
{
    guitest::EditorFixture fixture;
    EXPECT_EQ(MainPanelTestAccess::display(fixture.panel()).getMode(), DisplayMode::Model);
    fixture.editor->setDisplayMode(DisplayMode::Live);
    EXPECT_EQ(fixture.processor.getState().getDisplayMode(), DisplayMode::Live);
    EXPECT_EQ(MainPanelTestAccess::display(fixture.panel()).getMode(), DisplayMode::Live);
    fixture.processor.editorBeingDeleted(fixture.editor.get()); // as a host's wrapper does
    fixture.editor.reset();
    EXPECT_FALSE(fixture.processor.getLiveFeed().isActive());

    auto* reopened = dynamic_cast<TarvoltEditor*>(fixture.processor.createEditorIfNeeded());
    ASSERT_NE(reopened, nullptr);
    fixture.editor.reset(reopened);
    EXPECT_EQ(MainPanelTestAccess::display(fixture.panel()).getMode(), DisplayMode::Live);
    EXPECT_EQ(MainPanelTestAccess::display(fixture.panel()).getMode(), DisplayMode::Live);
    EXPECT_TRUE(fixture.processor.getLiveFeed().isActive());
}

// "Display Mode" in the settings menu, after the display resolution and before the host
// parameters: ticked at the processor's mode; choosing stores it there and the panel shows it,
// with no parameter touched (it is not a host parameter, so the host hears of no change).
TEST(DisplayModeChoice, TheSettingsMenuOffersItAsAnEditorSetting)
{
    guitest::EditorFixture fixture;
    auto& bar = TarvoltEditorTestAccess::bar(*fixture.editor);
    const auto parametersBefore = fixture.processor.getState().parameters.copyState().createXml()->toString();

    const auto optionsOf = [&bar] {
        juce::StringArray headers, ticked;
        int liveId = 0;
        const auto menu = bar.getSettingsMenu().create();
        juce::PopupMenu::MenuItemIterator items(menu);
        juce::String section;
        while (items.next())
        {
            const auto& item = items.getItem();
            if (item.isSectionHeader)
                headers.add(section = item.text);
            else if (section == "Display Mode")
            {
                if (item.isTicked)
                    ticked.add(item.text);
                if (item.text == "Live")
                    liveId = item.itemID;
            }
        }
        return std::make_tuple(headers, ticked, liveId);
    };

    auto [headers, ticked, liveId] = optionsOf();
    ASSERT_GE(headers.size(), 2);
    EXPECT_EQ(headers[0], "Display Resolution");
    EXPECT_EQ(headers[1], "Display Mode");
    EXPECT_EQ(ticked, juce::StringArray({"Model"}));
    ASSERT_NE(liveId, 0);

    bar.getSettingsMenu().handleResult(liveId);
    EXPECT_EQ(fixture.processor.getState().getDisplayMode(), DisplayMode::Live);
    EXPECT_EQ(MainPanelTestAccess::display(fixture.panel()).getMode(), DisplayMode::Live);
    EXPECT_TRUE(fixture.processor.getLiveFeed().isActive());
    EXPECT_EQ(std::get<1>(optionsOf()), juce::StringArray({"Live"}));
    EXPECT_EQ(fixture.processor.getState().parameters.copyState().createXml()->toString(), parametersBefore);

    // A project restored with the model shown: the menu ticks it at once, the panel follows.
    fixture.processor.getState().setDisplayMode(DisplayMode::Model);
    EXPECT_EQ(std::get<1>(optionsOf()), juce::StringArray({"Model"}));
    MainPanelTestAccess::timerTick(fixture.panel());
    EXPECT_EQ(MainPanelTestAccess::display(fixture.panel()).getMode(), DisplayMode::Model);
    EXPECT_FALSE(fixture.processor.getLiveFeed().isActive());
}

// The model looks exactly as it did after a trip through the live view.
TEST(DisplayModeChoice, TheModelIsUntouchedByTheLiveView)
{
    TarvoltAudioProcessor processor;
    MainPanel panel(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    panel.setSize(1256, 710);
    const auto before = guitest::render(panel);
    panel.setDisplayMode(DisplayMode::Live);
    const auto live = guitest::render(panel);
    panel.setDisplayMode(DisplayMode::Model);
    const auto after = guitest::render(panel);

    int differing = 0, differingFromLive = 0;
    for (int y = 0; y < before.getHeight(); ++y)
        for (int x = 0; x < before.getWidth(); ++x)
        {
            differing += before.getPixelAt(x, y) != after.getPixelAt(x, y) ? 1 : 0;
            differingFromLive += before.getPixelAt(x, y) != live.getPixelAt(x, y) ? 1 : 0;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(differingFromLive, 10000);
}

namespace
{
// Two seconds at 48 kHz, ending now: silence with two slowly decaying 1 kHz hits of 0.3 s at
// -12 dBFS, at 0.5 s and 1.5 s (so 1.5 s and 0.5 s ago: a quarter and three quarters across the
// plot).
juce::AudioBuffer<float> twoHits()
{
    constexpr double rate = 48000.0;
    juce::AudioBuffer<float> buffer(2, (int) (2.0 * rate));
    buffer.clear();
    for (const double start : {0.5, 1.5})
        for (int i = 0; i < (int) (0.3 * rate); ++i)
        {
            const auto t = (double) i / rate;
            const auto v = (float) (0.25 * std::exp(-t / 0.1) * std::sin(juce::MathConstants<double>::twoPi * 1000.0 * t));
            for (int ch = 0; ch < 2; ++ch)
                buffer.setSample(ch, (int) (start * rate) + i, v);
        }
    return buffer;
}

bool isShapedBlue(Colour c)
{
    return c.getBlue() > c.getRed() + 60;
}
bool isCream(Colour c)
{
    return c.getRed() > 150 && c.getGreen() > 140 && c.getBlue() > 100;
}
bool isMint(Colour c)
{
    return c.getGreen() > c.getRed() + 60 && c.getGreen() > 120;
}

class LiveRendering : public ::testing::Test
{
protected:
    void SetUp() override
    {
        panel.setSize(1256, 710);
        panel.setDisplayMode(DisplayMode::Live);
        harness::setPlain(processor, ParameterIDs::attack, 12.0f);
        harness::setPlain(processor, ParameterIDs::sustain, 0.0f);
        harness::setPlain(processor, ParameterIDs::punch, 0.0f);
        harness::setPlain(processor, ParameterIDs::clip, 0.0f);
        harness::prepare(processor, 2, 48000.0);
    }

    juce::Image play(juce::AudioBuffer<float> audio)
    {
        harness::processInBlocks(processor, audio, 512);
        panel.updateLiveView();
        return guitest::render(panel);
    }

    LivePlot plot() const
    {
        const auto& l = Access::layout(panel);
        return LivePlot::forDisplayArea(l.displayArea, l.scale);
    }

    // The x of the moment `secondsAgo` before now, `offset` pixels later.
    int xAt(double secondsAgo, int offset = 0) const
    {
        const auto& p = plot().plot;
        return (int) (p.plotX + p.plotW * (float) (1.0 - secondsAgo / LivePlot::windowSeconds)) + offset;
    }

    // The topmost pixel of a column above the centre line that matches, or -1.
    template <typename Predicate>
    int topmost(const juce::Image& image, int x, Predicate matches) const
    {
        const auto live = plot();
        for (int y = (int) live.signalArea.getY() - 2; y < (int) live.centreY - 2; ++y)
            if (matches(image.getPixelAt(x, y)))
                return y;
        return -1;
    }

    template <typename Predicate>
    int count(const juce::Image& image, juce::Rectangle<int> area, Predicate matches) const
    {
        int n = 0;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                n += matches(image.getPixelAt(x, y)) ? 1 : 0;
        return n;
    }

    // A strip of columns across the whole signal area and band, clear of the centre line.
    juce::Rectangle<int> columnsAt(int x, int width) const
    {
        const auto live = plot();
        return {x, (int) live.signalArea.getY(), width, (int) (live.band.getBottom() - live.signalArea.getY())};
    }

    TarvoltAudioProcessor processor;
    MainPanel panel{processor.getState(), processor.getLiveFeed(), processor.getMeters()};
};
} // namespace

// Where each hit starts, the input's edge stands at its -12 dBFS and the output, its attack
// lifted by up to 12 dB, reaches well above it; the transient band fires there. Between the hits
// the silence leaves the plot dark but for the centre line.
TEST_F(LiveRendering, HitsShowWhereTheyHappenWithTheOutputsLiftedPeaks)
{
    const auto image = play(twoHits());
    const auto live = plot();
    const int inputEdge = (int) std::round(live.yFor(0.25f));

    for (const double ago : {1.5, 0.5})
    {
        SCOPED_TRACE(std::to_string(ago) + " s ago");
        const int x = xAt(ago, 2);
        const int cream = topmost(image, x, isCream);
        const int blue = topmost(image, x, isShapedBlue);
        EXPECT_NEAR(cream, inputEdge, 3);
        ASSERT_GE(blue, 0);
        EXPECT_LT(blue, inputEdge - 12) << "the output's peak is lifted well above the input's";
        EXPECT_GT(count(image, juce::Rectangle<int>(x, (int) live.band.getY(), 1, (int) live.band.getHeight()), isMint),
                  (int) (live.band.getHeight() * 0.5f))
            << "the detector fires";
    }

    // Silence: nothing coloured away from the centre line, no transient band.
    const int silent = xAt(1.0);
    auto above = columnsAt(silent, 20).withBottom((int) live.centreY - 3);
    EXPECT_EQ(count(image, above, [](Colour c) { return isShapedBlue(c) || isCream(c) || isMint(c); }), 0);
    EXPECT_EQ(count(image, live.band.toNearestInt().withX(silent).withWidth(20), isMint), 0);
    // Before the hits nothing either (the first half second).
    EXPECT_EQ(count(image, columnsAt(xAt(1.9), 20).withBottom((int) live.centreY - 3), isShapedBlue), 0);
}

// With power off the output is the input: it never shows above the input's edge.
TEST_F(LiveRendering, WithPowerOffTheOutputIsTheInput)
{
    harness::setPlain(processor, ParameterIDs::power, 0.0f);
    harness::prepare(processor, 2, 48000.0);
    const auto image = play(twoHits());
    const auto live = plot();
    for (const double ago : {1.5, 0.5})
    {
        const int x = xAt(ago, 2);
        EXPECT_NEAR(topmost(image, x, isShapedBlue), (int) std::round(live.yFor(0.25f)), 3);
    }
}

// No audio yet: the grid, the level marks and the legend, nothing of the signal; and once the
// audio stops the picture fades out and the view is empty again.
TEST_F(LiveRendering, EmptyBeforeAudioAndAfterItStops)
{
    const auto live = plot();
    const auto area = live.signalArea.getUnion(live.band).toNearestInt().reduced(2, 0);
    const auto coloured = [](Colour c) { return isShapedBlue(c) || isCream(c) || isMint(c); };

    EXPECT_EQ(count(guitest::render(panel), area, coloured), 0);
    EXPECT_GT(count(play(twoHits()), area, coloured), 1000);

    // The view's clock runs on; no audio arrives (the panel's own update, as its timer does it).
    juce::Thread::sleep((int) (LiveFeedReader::holdMs + LiveFeedReader::fadeMs) + 100);
    panel.updateLiveView();
    EXPECT_EQ(count(guitest::render(panel), area, coloured), 0);
}

// The read-out line has its place beside the legend: with High quality and the link on it leads
// with HQ and LINK, so it reaches further left than without them.
TEST_F(LiveRendering, TheReadOutShowsHighQualityAndTheLink)
{
    const auto box = plot().plot.readOutBox;
    const auto leftmostText = [&](const juce::Image& image) {
        for (int x = box.getX(); x < box.getRight(); ++x)
            for (int y = box.getY(); y < box.getBottom(); ++y)
                if (image.getPixelAt(x, y).getBrightness() > 0.45f)
                    return x;
        return box.getRight();
    };
    const auto audio = twoHits();
    const int plain = leftmostText(play(audio));
    EXPECT_LT(plain, box.getRight() - 60) << "MIX and CLIP are shown";

    harness::setPlain(processor, ParameterIDs::quality, 1.0f);
    harness::setPlain(processor, ParameterIDs::link, 1.0f);
    panel.updateLiveView();
    const int marked = leftmostText(guitest::render(panel));
    EXPECT_LT(marked, plain - 40) << "HQ and LINK lead the line";
}
