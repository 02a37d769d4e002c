// The bundled demo scenario (data/demo/scenario.json), built into the program.
#pragma once

#include <string>

namespace qzhost {
std::string DemoScenarioText();
}
