#include "app/scan_session.h"

#include "registry/file_reference.h"

ScanSession::ScanSession(const std::function<int32_t(SectionId)>& includedOf, ScanHost& host, ScanEvents& events,
                         ScanLogWriter& log, ScanOperations* operations)
    : sections_(includedOf),
      engine_(host),
      driver_(sections_, engine_, operations ? *operations : scanners_, log, counters_, events),
      intake_(driver_.ScanList(), counters_, log, events, WindowsFolder()) {}
