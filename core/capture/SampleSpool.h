#pragma once
// Samples kept in order for a while: appended at the back, taken from the front. Up to a
// limit they stay in memory; beyond it the older ones move to a file without a name in a
// folder of the caller's choice, so that an hour of held-back silence costs disk, not memory,
// and no file is ever left behind, whatever happens to the process.

#include <QString>
#include <QtGlobal>

#include <span>
#include <vector>

namespace tolvane {

template <typename Sample>
class SampleSpool {
public:
    // 4 MiB: about 24 seconds of 44.1 kHz 16-bit stereo stays in memory, enough for any pause
    // in speech or music; only a real silence goes to the disk.
    static constexpr qint64 kMemoryBytes = qint64{4} << 20;

    explicit SampleSpool(qint64 memoryBytes = kMemoryBytes);
    ~SampleSpool();
    SampleSpool(SampleSpool &&other) noexcept;
    SampleSpool &operator=(SampleSpool &&other) noexcept;
    SampleSpool(const SampleSpool &) = delete;
    SampleSpool &operator=(const SampleSpool &) = delete;

    // Where the file goes when one is needed (the system's temporary folder when empty).
    void setFolder(const QString &folder) { m_folder = folder; }

    qint64 Size() const { return FileCount() + MemoryCount(); }
    bool Empty() const { return Size() == 0; }
    // The bytes held in memory: at most the limit (or, right after an Append that took over
    // another spool's samples, that spool's limit).
    qint64 MemoryBytes() const { return MemoryCount() * qint64(sizeof(Sample)); }
    // Whether some samples are in the file.
    bool Spilled() const { return FileCount() > 0; }

    // Throws the file's NumberedError when the samples cannot be kept; the spool is then as
    // it was before the call.
    void Append(const Sample *samples, qint64 count);
    void Append(const std::vector<Sample> &samples) { Append(samples.data(), qint64(samples.size())); }
    // Moves all of other's samples behind these; other is left empty. Costs nothing when this
    // spool is empty. Throws as Append; other then keeps the samples not yet moved.
    void Append(SampleSpool &&other);

    // Removes up to count samples from the front and returns them. Throws the file's
    // NumberedError when they cannot be read back; nothing is removed then.
    std::vector<Sample> Take(qint64 count);
    // The first count samples (no more than there are), left in place until DropFront: a view
    // of the spool's memory when they are all there, else read into scratch. Valid until the
    // spool changes. Throws as Take.
    std::span<const Sample> Front(qint64 count, std::vector<Sample> &scratch) const;
    void DropFront(qint64 count);
    void Clear();

private:
    // The first count samples, left in place, into out (whose storage is reused).
    void Read(qint64 count, std::vector<Sample> &out) const;
    qint64 FileCount() const { return (m_fileTail - m_fileHead) / qint64(sizeof(Sample)); }
    qint64 MemoryCount() const { return qint64(m_memory.size()) - m_memoryHead; }
    // Writes to the file's end; on failure the file is cut back and the error thrown.
    void WriteToFile(const Sample *samples, qint64 count);
    void OpenFile();
    // The file's samples have all been taken: its disk space is given back.
    void FileTaken(qint64 bytes);
    void CloseFile();
    void Swap(SampleSpool &other) noexcept;
    // Only the samples (file and memory) change places; folder and limit stay.
    void SwapSamples(SampleSpool &other) noexcept;

    qint64 m_limit;  // samples in memory
    QString m_folder;
    int m_fd = -1;
    QString m_filePath;  // for error messages: the folder the file lies in
    qint64 m_fileHead = 0;
    qint64 m_fileTail = 0;
    qint64 m_punched = 0;  // the file's bytes before this have been given back to the disk
    // The newest samples, after the file's; the first m_memoryHead of them have been taken.
    std::vector<Sample> m_memory;
    qint64 m_memoryHead = 0;
};

extern template class SampleSpool<quint8>;
extern template class SampleSpool<qint16>;

}  // namespace tolvane
