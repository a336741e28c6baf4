#include "RenderJobs.h"

#include "RenderError.h"
#include "SafeAudioWriter.h"

namespace
{
const juce::String demoFileName = "tarvolt-demo.wav";

juce::File outputFor(const Options& options, const juce::File& input)
{
    const auto name = input == juce::File() ? demoFileName : input.getFileName();
    if (options.outputIsFolder)
        return options.output.getChildFile(name);
    if (options.output != juce::File())
        return options.output;
    if (input == juce::File())
        return juce::File::getCurrentWorkingDirectory().getChildFile(demoFileName);
    return input.getSiblingFile(input.getFileNameWithoutExtension() + "-tarvolt.wav");
}

void prepareOutputFolder(const Options& options)
{
    if (!options.outputIsFolder || options.output.isDirectory())
        return;
    if (options.output.existsAsFile())
        fail("cannot write into " + options.output.getFullPathName() + ": it is a file, not a folder");
    if (!options.output.createDirectory())
        fail("cannot create the folder " + options.output.getFullPathName());
}
} // namespace

std::vector<RenderJob> planJobs(const Options& options)
{
    std::vector<RenderJob> jobs;
    if (options.demo)
        jobs.push_back({{}, outputFor(options, {}), {}});
    for (const auto& input : options.inputs)
        jobs.push_back({input, outputFor(options, input), {}});
    for (auto& job : jobs)
        if (job.input == juce::File())
            job.dryOutput = job.output.getSiblingFile(job.output.getFileNameWithoutExtension() + "-dry"
                                                      + job.output.getFileExtension());

    juce::Array<juce::File> outputs;
    for (const auto& job : jobs)
        for (const auto& output : {job.output, job.dryOutput})
            if (output != juce::File())
            {
                outputTypeFor(output);
                if (std::any_of(options.inputs.begin(), options.inputs.end(), [&](auto& in) { return in == output; }))
                    fail("the output " + output.getFullPathName() + " would overwrite an input");
                if (outputs.contains(output))
                    fail("two inputs would be written to " + output.getFullPathName());
                outputs.add(output);
            }

    // The folder is made only once nothing else stands in the way.
    prepareOutputFolder(options);
    for (const auto& output : outputs)
        checkOutputFile(output);
    return jobs;
}
