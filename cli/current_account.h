#pragma once
// The account this process runs as, as the reports name it.
#include "cli/scanning_account.h"

ScanningAccount CurrentScanningAccount();
