#include "state/PresetStore.h"

#include "state/ApplicationDataFolder.h"
#include "state/IncomingParameterTree.h"
#include "state/NoReplaceMove.h"
#include "state/PresetName.h"
#include "state/ReplacingMove.h"

namespace
{
const juce::String presetExtension{".xml"};
} // namespace

PresetStore::PresetStore(const PresetFolderIdentity& identity) : folderIdentity(identity) {}

void PresetStore::setRootFolder(const juce::File& root)
{
    rootOverride = root;
}

juce::File PresetStore::getRootFolder() const
{
    const auto root = rootOverride.has_value() ? *rootOverride : userApplicationDataFolder();
    return juce::File::isAbsolutePath(root.getFullPathName()) ? root : juce::File();
}

juce::File PresetStore::getDataFolder() const
{
    const auto root = getRootFolder();
    if (root == juce::File())
        return {};
    return root.getChildFile(folderIdentity.companyFolder)
        .getChildFile(folderIdentity.name)
        .getChildFile("version_" + folderIdentity.version);
}

juce::File PresetStore::getPresetFolder() const
{
    const auto data = getDataFolder();
    return data == juce::File() ? juce::File() : data.getChildFile("Presets");
}

juce::Array<juce::File> PresetStore::findPresetFiles() const
{
    const auto folder = getPresetFolder();
    if (folder == juce::File() || !folder.isDirectory())
        return {};
    return folder.findChildFiles(juce::File::findFiles, false, "*" + presetExtension);
}

juce::File PresetStore::getPresetFile(const juce::String& name) const
{
    const auto folder = getPresetFolder();
    if (folder == juce::File())
        return {};
    return folder.getChildFile(presetFileNameFor(name, listPresetNames()) + presetExtension);
}

juce::StringArray PresetStore::listPresetNames() const
{
    juce::StringArray names;
    for (const auto& file : findPresetFiles())
        names.add(file.getFileNameWithoutExtension());
    names.sort(true);
    return names;
}

bool PresetStore::readPresetFile(const juce::String& name, juce::ValueTree& tree) const
{
    const auto file = getPresetFile(name);
    if (!file.existsAsFile())
        return false;

    // Read with a limit rather than by the reported size, which a device file does not give.
    juce::MemoryBlock data;
    juce::FileInputStream in(file);
    if (!in.openedOk())
        return false;
    const auto bytesRead = in.readIntoMemoryBlock(data, (juce::pointer_sized_int)maxPresetFileBytes + 1);
    if ((juce::int64)bytesRead > maxPresetFileBytes)
        return false;

    const auto xml = parseXmlText(juce::String::createStringFromData(data.getData(), (int)data.getSize()));
    if (xml == nullptr)
        return false;

    auto parsed = parameterTreeFromXml(*xml);
    if (!parsed.isValid())
        return false;

    tree = parsed;
    return true;
}

bool PresetStore::writePresetFile(const juce::String& name, const juce::ValueTree& tree) const
{
    const auto folder = getPresetFolder();
    if (folder == juce::File() || !folder.createDirectory().wasOk() || !folder.isDirectory())
        return false;

    const auto xml = tree.createXml();
    const auto target = getPresetFile(name);
    if (xml == nullptr || target.isDirectory())
        return false;

    // The temporary file's name never ends in ".xml", so it is never listed as a preset, even
    // when a crash leaves it behind.
    const juce::TemporaryFile temporary(target,
                                        folder.getChildFile("." + juce::Uuid().toString() + ".saving"));
    {
        juce::FileOutputStream out(temporary.getFile());
        if (!out.openedOk())
            return false;
        xml->writeTo(out);
        out.flush();
        if (out.getStatus().failed())
            return false;
    }
    return temporary.overwriteTargetFileWithTemporary();
}

bool PresetStore::deletePresetFile(const juce::String& name) const
{
    const auto file = getPresetFile(name);
    return file.existsAsFile() && file.deleteFile();
}

bool PresetStore::renamePresetFile(const juce::String& oldName, const juce::String& newName,
                                   Replace replace) const
{
    if (newName.trim().isEmpty())
        return false;

    const auto source = getPresetFile(oldName);
    const auto target = getPresetFile(newName);
    if (!source.existsAsFile() || target == juce::File() || target == source)
        return false;

    if (replace == Replace::allowed && target.existsAsFile())
    {
        // Like the temporary file of a save, the backup's name never ends in ".xml".
        const auto backup = target.getSiblingFile("." + juce::Uuid().toString() + ".replaced");
        return moveFileReplacing(source, target, backup);
    }
    return moveFileWithoutReplacing(source, target);
}
