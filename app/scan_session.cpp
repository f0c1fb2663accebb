#include "app/scan_session.h"

#include "engine/ignored_problems.h"
#include "registry/file_reference.h"

ScanSession::ScanSession(const std::function<int32_t(SectionId)>& includedOf, ScanHost& host, ScanEvents& events,
                         ScanLogWriter& log, ScanOperations* operations)
    : sections_(includedOf),
      engine_(host),
      driver_(sections_, engine_, operations ? *operations : scanners_, log, counters_, events),
      intake_(driver_.ScanList(), counters_, log, events, WindowsFolder()) {
    driver_.preparing = [this] { intake_.SetIgnoreList(readIgnoreList ? readIgnoreList() : IgnoreList{}); };
}

int ScanSession::Ignore(const IgnoreList& added) { return WithdrawIgnored(driver_.ScanList(), added, counters_); }
