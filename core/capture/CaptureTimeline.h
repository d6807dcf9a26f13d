#pragma once
// When each captured frame was live. Whenever the capture thread reads the device it learns how
// many frames the device has captured so far (those read plus those waiting): every one of
// them was live at that moment or before. The latest such reports bound the line from frame
// numbers to the steady clock from above; their lowest one is the line, so that a recording can
// begin with the frame captured at a given moment however early the device was opened, and
// frames the device lost show up as the line jumping later.

#include <QtGlobal>

#include <deque>

namespace tolvane {

class CaptureTimeline {
public:
    // How the reports are read. The defaults suit a sound card: its reports come a few
    // milliseconds apart and lie close to the line.
    struct Tolerance {
        // The reports that bound the line: long enough to hold several that came right after
        // the device delivered, short enough to follow a device clock a little off the steady
        // clock.
        qint64 windowNs = 2'000'000'000;
        // Sound counts as lost when every report for recentNs lies more than gapNs above the line.
        qint64 recentNs = 300'000'000;
        qint64 gapNs = 40'000'000;
        // A longer jump than this is not filled: the device was gone, not merely late.
        qint64 longestGapNs = 60'000'000'000;
    };

    explicit CaptureTimeline(qint64 rate = 0) : m_rate(rate) {}
    CaptureTimeline(qint64 rate, Tolerance tolerance) : m_rate(rate), m_tolerance(tolerance) {}

    // By `ns` on the steady clock the device had captured `frames` frames (counted from the
    // first one of the capture). Returns how many frames are missing before the frames still to
    // read (0 when none): the caller puts silence in their place, so that the frames that follow
    // keep their place in time.
    qint64 Observe(qint64 frames, qint64 ns);
    bool Known() const { return !m_reports.empty(); }
    // The number of the frame that was live at `ns` (it may not have been captured yet).
    qint64 FrameAt(qint64 ns) const;
    // When frame 0 was live, by the line.
    qint64 OriginNs() const { return m_origin; }

    // Frames at `rate` as nanoseconds and back (to the nearest frame), for any length.
    static qint64 FramesToNs(qint64 frames, qint64 rate);
    static qint64 NsToFrames(qint64 ns, qint64 rate);

private:
    struct Report {
        qint64 ns;
        qint64 origin;  // when frame 0 was live at the latest, by this report
    };

    qint64 m_rate;
    Tolerance m_tolerance{};
    std::deque<Report> m_reports;
    qint64 m_origin = 0;
};

}  // namespace tolvane
