#pragma once
// What a scan tells the program that shows it, in data: each front end renders its own texts,
// pictures and reports from these events.
#include "engine/scan_counters.h"
#include "engine/section_table.h"

enum class SectionEnd { Done, Aborted };

class ScanEvents {
public:
    virtual ~ScanEvents() = default;
    // The counters are reset and the included sections wait to be scanned; no problem is kept.
    virtual void ScanPrepared(const SectionTable& /*sections*/) {}
    // From here on the scan can be aborted; it runs after a few pumps unless an abort came meanwhile.
    virtual void ScanStarting() {}
    // The first section is about to start.
    virtual void ScanRunning() {}
    virtual void SectionStarted(const ScanSection& /*section*/) {}
    virtual void SectionEnded(const ScanSection& /*section*/, SectionEnd /*end*/, int /*problems*/) {}
    // The problem is kept under its section and the counters include it.
    virtual void ProblemFiled(const ScanSection& /*section*/, const ProblemRecord& /*problem*/,
                              const ScanCounters& /*counters*/) {}
    // The scan is over; the sections hold what it found, ticked as the program's settings ask.
    virtual void ScanEnded(const SectionTable& /*sections*/, const ScanCounters& /*counters*/, bool /*aborted*/) {}
};
