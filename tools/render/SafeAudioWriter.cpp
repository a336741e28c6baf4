#include "SafeAudioWriter.h"

#include "RenderError.h"

#include <mutex>

namespace
{
// The framework names temporary files with its shared random generator, which is not safe to
// use from several threads at once.
juce::TemporaryFile makeTemporaryNextTo(const juce::File& target)
{
    static std::mutex naming;
    const std::lock_guard<std::mutex> lock(naming);
    return juce::TemporaryFile(target, juce::TemporaryFile::useHiddenFile);
}

std::unique_ptr<juce::AudioFormat> formatFor(OutputType type)
{
    if (type == OutputType::aiff)
        return std::make_unique<juce::AiffAudioFormat>();
    return std::make_unique<juce::WavAudioFormat>();
}
} // namespace

OutputType outputTypeFor(const juce::File& file)
{
    const auto extension = file.getFileExtension().toLowerCase();
    if (extension == ".wav")
        return OutputType::wav;
    if (extension == ".aif" || extension == ".aiff")
        return OutputType::aiff;
    fail("cannot write " + file.getFullPathName() + ": "
         + (extension.isEmpty() ? juce::String("the name has no extension")
                                : "the tool does not write " + file.getFileExtension() + " files")
         + "; name it .wav, .aif or .aiff (or end a folder's name with /)");
}

void checkOutputFile(const juce::File& file)
{
    outputTypeFor(file);
    const auto folder = file.getParentDirectory();
    if (file.isDirectory())
        fail("cannot write " + file.getFullPathName() + ": it is a folder");
    if (!folder.isDirectory())
        fail("cannot write " + file.getFullPathName() + ": the folder " + folder.getFullPathName() + " does not exist");
    if (!folder.hasWriteAccess())
        fail("cannot write " + file.getFullPathName() + ": no permission to write in the folder "
             + folder.getFullPathName());
}

SafeAudioWriter::SafeAudioWriter(const juce::File& target, double sampleRate, int channels, int bitsPerSample)
    : temporary(makeTemporaryNextTo(target)), removedOnInterrupt(temporary.getFile())
{
    checkOutputFile(target);
    const auto type = outputTypeFor(target);
    bits = type == OutputType::aiff ? std::min(bitsPerSample, 24) : bitsPerSample;

    auto stream = temporary.getFile().createOutputStream();
    if (stream == nullptr)
        fail("cannot write " + target.getFullPathName() + ": cannot create a file in "
             + target.getParentDirectory().getFullPathName());
    const auto format = formatFor(type);
    writer.reset(format->createWriterFor(stream.get(), sampleRate, (unsigned int) channels, bits, {}, 0));
    if (writer == nullptr)
        fail("cannot write a " + juce::String(bits) + "-bit " + format->getFormatName() + " with "
             + juce::String(channels) + " channels at " + juce::String(sampleRate) + " Hz");
    stream.release(); // the writer owns it now
}

void SafeAudioWriter::write(const juce::AudioBuffer<float>& buffer, int numSamples)
{
    if (!writer->writeFromAudioSampleBuffer(buffer, 0, numSamples))
        fail("writing " + temporary.getTargetFile().getFullPathName() + " failed");
}

void SafeAudioWriter::commit()
{
    writer.reset(); // flushes and closes the stream
    if (!temporary.overwriteTargetFileWithTemporary())
        fail("cannot replace " + temporary.getTargetFile().getFullPathName());
}
