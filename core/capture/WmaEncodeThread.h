#pragma once
// Runs a WmaFileWriter on a thread of its own. The main thread only queues the captured blocks,
// so neither the encoder nor a slow disk can hold up the capture.

#include "common/NumberedError.h"
#include "core/capture/WmaFileWriter.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace tolvane {

class WmaEncodeThread {
public:
    // Takes a writer whose file is created, and starts encoding.
    explicit WmaEncodeThread(std::unique_ptr<WmaFileWriter> writer);
    // Finishes as Finish does, keeping any error to itself.
    ~WmaEncodeThread();
    WmaEncodeThread(const WmaEncodeThread &) = delete;
    WmaEncodeThread &operator=(const WmaEncodeThread &) = delete;

    void Push(std::vector<qint16> block);
    // The writer's first error, once; after an error nothing more is written.
    std::optional<NumberedError> TakeError();
    // Encodes what is queued, closes the file and ends the thread. Throws an error of the
    // writer that TakeError has not handed out.
    void Finish();

private:
    void Run();
    // Runs one step of the writer; its error is kept for the main thread.
    void Attempt(const std::function<void()> &step);

    std::unique_ptr<WmaFileWriter> m_writer;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::vector<qint16>> m_queue;
    bool m_finishing = false;
    bool m_failed = false;
    std::optional<NumberedError> m_error;
    std::thread m_thread;
};

}  // namespace tolvane
