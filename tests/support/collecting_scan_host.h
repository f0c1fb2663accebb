#pragma once
// A scan host without a window: it keeps every reported problem and every shown item, counts
// the message pumps, and can stand for a click on "Abort" while a given item is shown.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/scan_engine.h"
#include "engine/scan_host.h"

class CollectingScanHost : public ScanHost {
public:
    // The abort request comes while the item-th text (counting from 1) is shown.
    void AbortAtItem(ScanEngine& engine, size_t item) {
        engine_ = &engine;
        abortAt_ = item;
    }

    // The abort request comes while the first text that starts with the prefix is shown.
    void AbortAtItemStartingWith(ScanEngine& engine, const std::string& prefix) {
        engine_ = &engine;
        abortPrefix_ = prefix;
    }
    // Showing the item-th text (counting from 1) fails, as a window's painting might.
    void FailAtItem(size_t item) { failAt_ = item; }

    void ReportProblem(ProblemPtr problem) override { problems.push_back(std::move(problem)); }
    void ShowCurrentItem(const std::string& text) override {
        shown.push_back(text);
        events.push_back("show");
        const bool abortHere = shown.size() == abortAt_ || (!abortPrefix_.empty() && text.starts_with(abortPrefix_));
        if (engine_ && engine_->Running() && abortHere) engine_->RequestAbort();
        if (shown.size() == failAt_) throw std::runtime_error("showing " + text + " failed");
    }
    void PumpMessages() override {
        ++pumps;
        events.push_back("pump");
    }
    void Pause(unsigned) override {}
    void StartingKeyUnreadable(SectionId section, const std::string& keyName) override {
        unreadable.push_back({section, keyName});
    }
    void ShowFault(const std::string& text) override { faults.push_back(text); }

    // The registry problem with this key path and value name, or null.
    const ProblemRecord* Find(const std::string& keyPath, const std::string& valueName) const {
        for (const ProblemPtr& problem : problems) {
            const RegistryProblem* record = problem->AsRegistry();
            if (record && record->keyPath == keyPath && record->valueName == valueName) return problem.get();
        }
        return nullptr;
    }
    bool WasShown(const std::string& text) const {
        for (const std::string& item : shown) {
            if (item == text) return true;
        }
        return false;
    }

    std::vector<ProblemPtr> problems;
    std::vector<std::string> shown;
    std::vector<std::string> events;
    std::vector<std::pair<SectionId, std::string>> unreadable;
    std::vector<std::string> faults;
    int pumps = 0;

private:
    ScanEngine* engine_ = nullptr;
    size_t abortAt_ = 0;
    std::string abortPrefix_;
    size_t failAt_ = 0;
};
