// The HTML report a run leaves in its output folder, readable offline in any browser.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "run_summary.h"

namespace qzhost {

// A self-contained page: the summary, then the transcript as a timeline in virtual time with
// snapshots inline, message boxes, dialogs and orders with their outcome, and failed
// expectations highlighted. Snapshots are linked by their names in the output folder.
std::string RenderReport(const RunSummary& summary, const std::vector<nlohmann::json>& events);

}  // namespace qzhost
