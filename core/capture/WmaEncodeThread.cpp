#include "WmaEncodeThread.h"

namespace tolvane {

WmaEncodeThread::WmaEncodeThread(std::unique_ptr<WmaFileWriter> writer)
    : m_writer(std::move(writer)), m_thread([this] { Run(); })
{
}

WmaEncodeThread::~WmaEncodeThread()
{
    try {
        Finish();
    } catch (const NumberedError &) {
        // Whoever dropped the recording without finishing it has no one to tell.
    }
}

void WmaEncodeThread::Push(std::vector<qint16> block)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(block));
    }
    m_wake.notify_one();
}

std::optional<NumberedError> WmaEncodeThread::TakeError()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_error, std::nullopt);
}

void WmaEncodeThread::Finish()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_finishing = true;
    }
    m_wake.notify_one();
    m_thread.join();
    if (auto error = TakeError())
        throw *error;
}

void WmaEncodeThread::Attempt(const std::function<void()> &step)
{
    std::optional<NumberedError> error;
    try {
        step();
    } catch (const NumberedError &e) {
        error = e;
    } catch (const std::exception &e) {
        error = NumberedError(ErrNo::InvalidProcedureCall, QString::fromLocal8Bit(e.what()),
                              QStringLiteral("WmaEncodeThread"));
    }
    if (!error)
        return;
    const std::lock_guard lock(m_mutex);
    // Once failed, the writer's later complaints are the same failure told again.
    if (!m_failed)
        m_error = error;
    m_failed = true;
}

void WmaEncodeThread::Run()
{
    for (;;) {
        std::vector<qint16> block;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return !m_queue.empty() || m_finishing; });
            if (m_queue.empty())
                break;
            block = std::move(m_queue.front());
            m_queue.pop_front();
            if (m_failed)
                continue;
        }
        Attempt([&] { m_writer->Write(block.data(), qint64(block.size())); });
    }
    Attempt([&] { m_writer->Close(); });
}

}  // namespace tolvane
