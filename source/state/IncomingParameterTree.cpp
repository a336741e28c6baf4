#include "state/IncomingParameterTree.h"

#include "state/Parameters.h"

#include <cmath>
#include <optional>

namespace
{
const juce::Identifier parameterType{"PARAM"};
const juce::Identifier idProperty{"id"};
const juce::Identifier valueProperty{"value"};

// The characters the framework's parser takes into element and attribute names.
bool isNameCharacter(juce::juce_wchar c)
{
    if (c >= 0x80 && c < 0xa0)
        return false;
    return juce::CharacterFunctions::isLetterOrDigit(c) || c == '_' || c == '-' || c == ':' || c == '.';
}

bool readsValidName(juce::String::CharPointerType& p)
{
    const auto start = p;
    while (isNameCharacter(*p))
        ++p;
    return juce::XmlElement::isValidXmlName(juce::String(start, p));
}

// True when every element and attribute name the parser would read is a valid XML name. The
// parser reads names more liberally than it accepts them (in debug builds it stops on an
// element named "0.5"), and a tree holding such a name would later be written out as text that
// is not XML. Follows the parser's steps through start tags; a '<' anywhere else (in a comment,
// say) is checked too, which at worst refuses a document the parser would have read.
bool allNamesValid(const juce::String& text)
{
    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        if (p.getAndAdvance() != '<')
            continue;
        p.incrementToEndOfWhitespace();
        if (*p == '/' || *p == '!' || *p == '?')
            continue;
        if (!readsValidName(p))
            return false;

        for (;;) // the attributes, up to whatever ends the start tag or stops the parser
        {
            p.incrementToEndOfWhitespace();
            if (!isNameCharacter(*p))
                break;
            if (!readsValidName(p))
                return false;
            p.incrementToEndOfWhitespace();
            if (*p != '=')
                break;
            ++p;
            p.incrementToEndOfWhitespace();
            const auto quote = *p;
            if (quote != '"' && quote != '\'')
                break;
            ++p;
            while (!p.isEmpty() && *p != quote)
                ++p;
            if (p.isEmpty())
                break;
            ++p;
        }
    }
    return true;
}

void removeTextElements(juce::XmlElement& xml)
{
    xml.deleteAllTextElements();
    for (auto* child : xml.getChildIterator())
        removeTextElements(*child);
}

// The number a value holds: a text only when all of it (white space around aside) is a decimal
// number, read as the parameter state reads it; nothing for any other text ("abc", "", "5abc",
// "0x10") and for a number that is not finite ("nan", "inf", "1e999").
std::optional<double> finiteNumber(const juce::var& value)
{
    if (!value.isString())
    {
        const auto number = static_cast<double>(value);
        return std::isfinite(number) ? std::optional(number) : std::nullopt;
    }
    const auto text = value.toString().trim();
    auto end = text.getCharPointer();
    const double number = juce::CharacterFunctions::readDoubleValue(end);
    if (text.isEmpty() || !end.isEmpty() || !std::isfinite(number))
        return std::nullopt;
    return number;
}

// A value that is no number loses the value, so that the parameter takes its default; a number
// outside the range is clamped into it.
void makeValueSafe(juce::ValueTree& entry)
{
    const auto* spec = findParameterSpec(entry.getProperty(idProperty).toString());
    if (spec == nullptr || !entry.hasProperty(valueProperty))
        return;

    const auto number = finiteNumber(entry.getProperty(valueProperty));
    if (!number)
        entry.removeProperty(valueProperty, nullptr);
    else if (*number < spec->minimum || *number > spec->maximum)
        entry.setProperty(valueProperty, juce::jlimit((double)spec->minimum, (double)spec->maximum, *number),
                          nullptr);
}
} // namespace

std::unique_ptr<juce::XmlElement> parseXmlText(const juce::String& text)
{
    if (!text.trimEnd().endsWithChar('>'))
        return nullptr;

    int markup = 0;
    for (auto c : text)
        if (c == '<' && ++markup > maxXmlMarkup)
            return nullptr;

    auto body = text.trimStart();
    if (body.startsWith("<?xml"))
    {
        const int end = body.indexOf("?>");
        if (end < 0)
            return nullptr;
        body = body.substring(end + 2).trimStart();
    }

    if (body.startsWith("<!DOCTYPE") || !allNamesValid(body))
        return nullptr;

    return juce::XmlDocument(body).getDocumentElement();
}

juce::ValueTree parameterTreeFromXml(juce::XmlElement& xml)
{
    removeTextElements(xml);
    auto tree = juce::ValueTree::fromXml(xml);
    for (auto entry : tree)
        makeValueSafe(entry);
    return tree;
}

void completeParameterTree(juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& parameters,
                           IncomingTree source)
{
    for (auto& spec : parameterSpecs)
    {
        const auto* current = parameters.getRawParameterValue(spec.id);
        auto entry = tree.getChildWithProperty(idProperty, spec.id);
        const bool keepCurrent = source == IncomingTree::userPreset && !spec.restoredByUserPresets();
        if (current == nullptr || (entry.isValid() && !keepCurrent))
            continue;

        const float value = keepCurrent || spec.keptWhenMissing ? current->load() : spec.defaultValue;
        if (entry.isValid())
            entry.setProperty(valueProperty, value, nullptr);
        else
            tree.appendChild(juce::ValueTree(parameterType, {{idProperty, spec.id}, {valueProperty, value}}), nullptr);
    }
}
