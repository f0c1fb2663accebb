#pragma once
#include "engine/data_scan_page.h"

using RecordingScanPage = DataScanPage;
