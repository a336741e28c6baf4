#include "BatchRender.h"

#include "Render.h"
#include "RenderError.h"

#include "plugin/TarvoltAudioProcessor.h"

#include <condition_variable>
#include <deque>
#include <iostream>
#include <mutex>
#include <thread>

namespace
{
// A job with the processor made for it.
struct Task
{
    const RenderJob* job = nullptr;
    std::unique_ptr<TarvoltAudioProcessor> processor;
};

// Processors are made and destroyed on the main thread, where their parameters live and the
// preset and settings are applied; a worker only prepares one and runs the audio through it.
// The main thread keeps a task ready for every worker, so none waits for a processor to be made.
class Batch
{
public:
    Batch(const std::vector<RenderJob>& jobsToRender, const Options& options)
        : jobs(jobsToRender), blockSize(options.blockSize),
          workerCount(juce::jlimit<size_t>(1, jobs.size(), std::thread::hardware_concurrency()))
    {
    }

    int run(const Options& options, std::unique_ptr<TarvoltAudioProcessor> first)
    {
        std::vector<std::thread> workers;
        for (size_t i = 0; i < workerCount; ++i)
            workers.emplace_back([this] { work(); });

        for (const auto& job : jobs)
        {
            std::unique_ptr<TarvoltAudioProcessor> processor = std::move(first);
            if (processor == nullptr)
            {
                try
                {
                    processor = makeProcessor(options);
                }
                catch (const RenderError& error)
                {
                    report(job, error.message);
                    continue;
                }
            }
            std::vector<std::unique_ptr<TarvoltAudioProcessor>> used;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [this] { return ready.size() < workerCount; });
                ready.push_back({&job, std::move(processor)});
                used.swap(finished);
            }
            changed.notify_all();
        }
        {
            const std::lock_guard<std::mutex> lock(mutex);
            allMade = true;
        }
        changed.notify_all();
        for (auto& worker : workers)
            worker.join();
        finished.clear();

        if (failures.isEmpty())
            return 0;
        std::cerr << "tarvolt-render: error: " << failures.size() << " of " << jobs.size()
                  << " inputs not rendered: " << failures.joinIntoString(", ") << std::endl;
        return exitCodeForSomeFailed;
    }

private:
    void work()
    {
        for (;;)
        {
            Task task;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [this] { return !ready.empty() || allMade; });
                if (ready.empty())
                    return;
                task = std::move(ready.front());
                ready.pop_front();
            }
            changed.notify_all();

            try
            {
                const auto result = renderJob(*task.job, *task.processor, blockSize, false);
                const std::lock_guard<std::mutex> lock(printing);
                printResult(result);
            }
            catch (const RenderError& error)
            {
                report(*task.job, error.message);
            }
            const std::lock_guard<std::mutex> lock(mutex);
            finished.push_back(std::move(task.processor));
        }
    }

    void report(const RenderJob& job, const juce::String& message)
    {
        const std::lock_guard<std::mutex> lock(printing);
        std::cerr << "tarvolt-render: error: " << message << std::endl;
        failures.add(job.input.getFullPathName());
    }

    const std::vector<RenderJob>& jobs;
    const int blockSize;
    const size_t workerCount;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Task> ready;                                       // made, not yet taken by a worker
    std::vector<std::unique_ptr<TarvoltAudioProcessor>> finished; // to be destroyed on the main thread
    bool allMade = false;

    std::mutex printing; // one report at a time, whole
    juce::StringArray failures;
};
} // namespace

int renderInParallel(const std::vector<RenderJob>& jobs, const Options& options,
                     std::unique_ptr<TarvoltAudioProcessor> first)
{
    return Batch(jobs, options).run(options, std::move(first));
}
